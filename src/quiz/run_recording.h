#pragma once
// The run's side of the learning record: it stamps when each question is shown, builds the
// facts of each judged answer and makes sure every run that was reported as started is
// reported as ended exactly once. A recorder that throws is dropped for the rest of the run's
// life: the learner's run goes on as if nothing were recorded.
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/answer_recorder.h"

class CRunRecording {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // owningGenres: the name of the genre that owns each run-list question, by position (a
    // missing name is recorded empty). clock: steady_clock when empty.
    CRunRecording(CAnswerRecorder& recorder, RecordedRun facts, std::vector<std::string> owningGenres, Clock clock);

    // facts with the options the run is taken with; ends a run still open as aborted first.
    void Started(const RecordedRun& facts, unsigned rightCountSoFar);
    void Shown();  // the question now on screen starts its time
    void Judged(std::size_t index, std::string_view question, QuizForm form, AnswerOutcome outcome,
                std::string given);
    void Ended(RunEnding ending, unsigned rightCount);  // nothing unless a run is open
    const RecordedRun& Facts() const { return facts_; }

private:
    template <typename Call>
    void Tell(Call call);

    CAnswerRecorder* recorder_;  // null once it has failed
    RecordedRun facts_;
    std::vector<std::string> owningGenres_;
    Clock clock_;
    std::chrono::steady_clock::time_point shownAt_{};
    bool open_ = false;
};
