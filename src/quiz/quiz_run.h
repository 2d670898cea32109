#pragma once
// The logic of one run over a drawn run list: presenting the questions, judging answers,
// hints, complete mode, counting right answers and ending with a ranking or a summary. It
// shows nothing itself: the window that hosts it implements CQuizFront. Given a recorder, it
// reports each run, each judged answer and each run's ending to the learning record.
#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CAnswerRecorder;
class CAppSettings;
class CQuestion;
class CRunRecording;
struct RecordedRun;
enum class RunEnding;

// How the current question is answered: typed (one answer, or several one after another), or
// by picking one of up to five offered answers.
enum class QuizForm { One, Several, Choice };
enum class SubmitOutcome { Ignored, AlreadyGiven, Partial, Complete, Wrong };

// What a run needs of the window that shows it.
class CQuizFront {
public:
    virtual ~CQuizFront() = default;
    virtual void StartCountdown() = 0;  // first step of Start (the dialog starts CCountdown + its timer)
    virtual void StopCountdown() = 0;   // before Finish when the last question is done
    // Name entry for a placed result: returns the name typed, as CP932 bytes (empty -> the run
    // uses "(no-name)").
    virtual std::string AskName(int position, const std::string& rateText) = 0;
    virtual void ShowScoreTable(int position) = 0;  // the new entry's row (position, 1-based) marked
    virtual void ShowSummary(const std::string& text, const std::string& caption) = 0;  // UTF-8 texts, OK box
};

class CQuizRun {
public:
    static constexpr int kSlots = 5;
    static constexpr int kRankedMinimum = 20;  // shorter runs are never ranked

    // runList, settings and front must outlive the run; questionCount is the per-run count.
    CQuizRun(std::vector<CQuestion*>& runList, unsigned questionCount, CAppSettings& settings, CQuizFront& front);
    ~CQuizRun();

    // What is recorded, and how (null recorder: nothing; the run is the same either way).
    // facts gives what the run cannot know: the word-list file, the genre names of the run and
    // whether it is a review run (which is never ranked); the count and the options in force
    // the run fills in at each start. owningGenres names each run-list question's genre by
    // position (OwningGenreNames). clock: steady_clock when empty.
    //
    // A several-answers question is one record, made when it is completed or failed, with the
    // texts given for it joined by ","; partial and repeated answers are not records. A right
    // answer after a hint, or after a wrong one in complete mode (the answers were shown), is
    // RightAfterHint, as it does not count as right either.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void SetRecorder(CAnswerRecorder* recorder, RecordedRun facts, std::vector<std::string> owningGenres,
                     Clock clock = {});
    bool IsReview() const { return review_; }

    void Start();                                   // also retry; a start under way ends that run as aborted
    SubmitOutcome Submit(std::string_view answer);  // CP932 answer
    struct HintResult {
        std::string text;   // the new content of the answer box (CP932)
        std::size_t caret;  // byte offset, at its end
    };
    HintResult Hint(std::string_view typed);
    void Finish();                  // ranking or summary; does nothing unless a run is under way
    // The pooled time ran out: the question on screen is recorded as timed out and the run as
    // ended by time-out. Finish then gives the ranking or the summary.
    void TimeOut();
    // The learner gave the run up (中止) or closed its window: the record hears how the run ended.
    void Stop(RunEnding ending);
    std::string GetRateText() const;  // "%3.2f %" of right / N * 100

    const std::string& GetQuestionText() const { return questionText_; }  // CP932
    const std::string& GetMessageText() const { return messageText_; }    // CP932, CR LF
    QuizForm GetForm() const { return form_; }
    bool IsSlotShown(int slot) const;
    const std::string& GetSlotText(int slot) const;  // CP932; empty for a hidden slot
    int GetRemainingQuestions() const { return remainingQuestions_; }
    int GetRemainingAnswers() const { return remainingAnswers_; }
    const std::string& GetGivenAnswersText() const { return givenAnswers_; }  // CP932, "," joined
    int GetActive() const { return active_; }  // -1 before the first start, 1 running, 0 ended
    CQuestion* GetCurrentQuestion() const { return current_; }
    unsigned GetRightCount() const { return rightCount_; }
    bool IsHelped() const { return helped_; }
    unsigned GetQuestionCount() const { return questionCount_; }

private:
    void PresentNext();
    void BuildChoices();
    std::size_t RunLength() const;
    void RecordJudged(SubmitOutcome outcome, std::string_view answer);

    std::vector<CQuestion*>& runList_;
    unsigned questionCount_;
    CAppSettings& settings_;
    CQuizFront& front_;

    std::unique_ptr<CRunRecording> recording_;  // null: nothing recorded
    bool review_ = false;

    std::optional<std::size_t> cursor_;  // the next question to present
    CQuestion* current_ = nullptr;
    std::size_t currentIndex_ = 0;  // the current question's position in the run list
    unsigned rightCount_ = 0;
    bool helped_ = false;
    int active_ = -1;
    int remainingQuestions_ = 0;
    QuizForm form_ = QuizForm::One;
    int remainingAnswers_ = 0;
    std::string givenAnswers_;
    std::array<bool, kSlots> slotShown_{};
    std::array<std::string, kSlots> slotText_;
    std::string questionText_;
    std::string messageText_;
    std::string explanation_;
};
