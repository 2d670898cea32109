#pragma once
// The logic of one run over a drawn run list: presenting the questions, judging answers,
// hints, complete mode, counting right answers and ending with a ranking or a summary. It
// shows nothing itself: the window that hosts it implements CQuizFront.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/folded_answers.h"

class CAppSettings;
class CQuestion;

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

    void Start();                                   // also retry
    SubmitOutcome Submit(std::string_view answer);  // CP932 answer
    struct HintResult {
        std::string text;   // the new content of the answer box (CP932)
        std::size_t caret;  // byte offset, at its end
    };
    HintResult Hint(std::string_view typed);
    void Finish();                  // ranking or summary; does nothing unless a run is under way
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

    std::vector<CQuestion*>& runList_;
    unsigned questionCount_;
    CAppSettings& settings_;
    CQuizFront& front_;

    std::optional<std::size_t> cursor_;  // the next question to present
    CQuestion* current_ = nullptr;
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
    CFoldedAnswers foldedAnswers_;  // the current question's, while answers are judged kindly
};
