#pragma once
// The pooled time limit of a run: time limit x N seconds, counted down once a second, with a
// colour telling whether the learner is ahead of (blue) or behind (red) the pace of one limit
// per remaining question. The dialog owns the 1-second timer and calls Tick.
#include <string>

enum class TimeColour { Black, Blue, Red };

// The message shown when the time has run out (UTF-8, OK button, no icon).
inline constexpr const char* kTimeOutText = "時間切れです。";
inline constexpr const char* kTimeOutCaption = "time out";

class CCountdown {
public:
    // Off when timeLimit < 1 (returns false: display hidden); else remaining = timeLimit * N,
    // colour black, running.
    bool Start(int timeLimit, unsigned questionCount);
    // One tick: remaining falls by 1, the colour follows the pace against remainingQuestions;
    // true when the time ran out (remaining 0; the countdown has then stopped). Ignored (false)
    // while not running.
    bool Tick(int remainingQuestions);
    void Stop() { running_ = false; }
    bool IsRunning() const { return running_; }
    bool IsOn() const { return on_; }

    unsigned GetRemainingSeconds() const { return remaining_; }
    TimeColour GetColour() const { return colour_; }
    std::string GetDisplayText() const { return FormatTime(remaining_); }  // "%02d:%02d:%02d"

    // "99:59:59" from 216000 seconds (60 hours) on.
    static std::string FormatTime(unsigned seconds);

private:
    int timeLimit_ = 0;
    unsigned remaining_ = 0;
    TimeColour colour_ = TimeColour::Black;
    bool on_ = false;
    bool running_ = false;
};
