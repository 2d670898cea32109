#pragma once
// What a run tells the learning record: that a run started, each judged answer, and how the
// run ended. The run and its windows know nothing of how the record is kept; a run without a
// recorder behaves exactly as one with it.
#include <cstdint>
#include <string>
#include <vector>

#include "quiz/quiz_run.h"

enum class AnswerOutcome { Right, RightAfterHint, Wrong, TimeOut };
enum class RunEnding { Finished, Aborted, TimeOut, Closed };

struct RecordedRun {
    std::string wordListFile;         // native path of the word list
    std::vector<std::string> genres;  // CP932 genre names of the run, in list order (the rank table's key)
    unsigned count = 0;               // the per-run count
    bool hint = false;
    bool completeMode = false;
    int timeLimit = 0;                // seconds per question; 0 when off
    bool review = false;              // a review run of weak questions, not a random draw
};

struct RecordedAnswer {
    int place = 0;            // 1-based place of the question in the run
    std::string genre;        // CP932 name of the genre that owns the question
    std::string question;     // CP932 question text, stored bytes
    QuizForm form = QuizForm::One;
    AnswerOutcome outcome = AnswerOutcome::Wrong;
    std::string given;        // CP932 text given (typed, or the chosen slot's text); empty on a time out
    std::int64_t milliseconds = 0;  // from the question being shown to the answer
};

class CAnswerRecorder {
public:
    virtual ~CAnswerRecorder() = default;
    // Every start and every retry is a run of its own.
    virtual void RunStarted(const RecordedRun& run) = 0;
    virtual void AnswerJudged(const RecordedAnswer& answer) = 0;
    virtual void RunEnded(RunEnding ending, unsigned rightCount) = 0;
};
