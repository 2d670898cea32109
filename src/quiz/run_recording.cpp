#include "quiz/run_recording.h"

#include <utility>

CRunRecording::CRunRecording(CAnswerRecorder& recorder, RecordedRun facts, std::vector<std::string> owningGenres,
                             Clock clock)
    : recorder_(&recorder), facts_(std::move(facts)), owningGenres_(std::move(owningGenres)), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
}

template <typename Call>
void CRunRecording::Tell(Call call) {
    if (!recorder_) return;
    try {
        call(*recorder_);
    } catch (...) {
        recorder_ = nullptr;  // the record is lost from here on, the run is not
    }
}

void CRunRecording::Started(const RecordedRun& facts, unsigned rightCountSoFar) {
    // A start while a run is under way begins a new run: the old one was given up.
    Ended(RunEnding::Aborted, rightCountSoFar);
    facts_ = facts;
    open_ = true;
    Tell([&](CAnswerRecorder& recorder) { recorder.RunStarted(facts_); });
}

void CRunRecording::Shown() { shownAt_ = clock_(); }

void CRunRecording::Judged(std::size_t index, std::string_view question, QuizForm form, AnswerOutcome outcome,
                           std::string given) {
    if (!open_) return;
    RecordedAnswer answer;
    answer.place = static_cast<int>(index + 1);
    if (index < owningGenres_.size()) answer.genre = owningGenres_[index];
    answer.question = question;
    answer.form = form;
    answer.outcome = outcome;
    answer.given = std::move(given);
    answer.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(clock_() - shownAt_).count();
    Tell([&](CAnswerRecorder& recorder) { recorder.AnswerJudged(answer); });
}

void CRunRecording::Ended(RunEnding ending, unsigned rightCount) {
    if (!open_) return;
    open_ = false;
    Tell([&](CAnswerRecorder& recorder) { recorder.RunEnded(ending, rightCount); });
}
