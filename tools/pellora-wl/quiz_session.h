#pragma once
// What `pellora-wl quiz` shares between its interactive and its script mode: the front that
// stands in for the quiz dialog's boxes, and the two loops over standard input.
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "quiz/quiz_run.h"

class CAppSettings;
class CRecordingPrompt;

// How a run ended: the place of a result entered in the rank table, or the summary's text.
struct QuizEnding {
    int position = -1;
    std::optional<std::string> summary;  // UTF-8; none when the result was placed
};

class CCliQuizFront : public CQuizFront {
public:
    // name: the name for a placed result (CP932), or none to ask for it (interactive) or to
    // keep it empty (script). prompt is the rank table's owner, read for save errors.
    CCliQuizFront(CAppSettings& settings, CRecordingPrompt& prompt, std::optional<std::string> name, bool interactive);

    void StartCountdown() override {}  // the command-line run has no time limit
    void StopCountdown() override {}
    std::string AskName(int position, const std::string& rateText) override;
    void ShowScoreTable(int position) override;
    void ShowSummary(const std::string& text, const std::string& caption) override;

    // The ending of the run that ended last, once.
    std::optional<QuizEnding> TakeEnding();
    // The message of a rank file that could not be written, once.
    std::optional<std::string> TakeSaveError();

    // Called before a run's end is shown, so that the verdict on the last answer comes first.
    std::function<void()> beforeEnding;

private:
    void AnnounceEnding();

    CAppSettings& settings_;
    CRecordingPrompt& prompt_;
    std::optional<std::string> name_;
    bool interactive_;
    std::optional<QuizEnding> ending_;
    std::optional<std::string> saveError_;
};

// The learner's text (UTF-8) as CP932, or none when code page 932 cannot hold it.
std::optional<std::string> LearnerText(const std::string& utf8);
// One line of standard input without its LF (and a CR before it); false at the end.
bool ReadInputLine(std::string& line);
// A data text (CP932, CR LF) for the terminal: UTF-8 with LF line ends.
std::string ForTerminal(const std::string& cp932);

// The loops return the exit code: 0, or 1 when a placed result could not be saved.
int RunQuizScript(CQuizRun& run, CCliQuizFront& front, bool hintsOn);
int RunQuizInteractive(CQuizRun& run, CCliQuizFront& front, bool hintsOn);
