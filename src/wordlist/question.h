#pragma once
// A question with its accepted answers, the number of answers the learner must give (-1: a
// choice question whose first answer is right), an optional explanation, and the progress of
// its current presentation.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/answer.h"

class CWordList;
class CAtomicFileWriter;

class CQuestion {
public:
    // Check results of CheckAnswer and CAnswer::Check.
    static constexpr int kAlreadyGiven = 1;
    static constexpr int kNewlyGiven = 2;
    static constexpr int kNoMatch = 3;

    explicit CQuestion(const CWordList& fields);  // text, required count, answers...
    CQuestion(std::string text, std::string_view requiredField, bool hasRequiredField,
              std::vector<std::string> answers);  // the same from parts, without copying texts
    CQuestion(const CQuestion& source);            // no progress; explanation always present
    CQuestion& operator=(const CQuestion&) = delete;
    virtual ~CQuestion();

    const std::string& GetText();  // presenting: resets the progress first
    const std::string& PeekText() const { return text_; }  // reading without presenting
    int GetRequired() const { return required_; }
    std::string GetExplanation() const { return explanation_ ? *explanation_ : std::string(); }
    bool HasExplanation() const { return hasExplanation_; }
    void SetExplanation(std::string_view text);
    const std::vector<CAnswer>& GetAnswers() const { return answers_; }
    int GetGiven() const { return given_; }

    void ResetProgress();
    std::string GetAnswerText(int onlyRemaining) const;
    int CheckAnswer(std::string_view input);
    int IsComplete() const { return (given_ == required_ || required_ == -1) ? 1 : 0; }
    std::string GetHintAnswer(std::string_view typed) const;

    void Write(CAtomicFileWriter& file) const;
    void Write(CAtomicFileWriter& file, std::string& scratch) const;  // scratch: a reused record buffer

private:
    // Kept small: a large list holds hundreds of thousands of questions, most without an
    // explanation. An empty explanation is present without any text stored.
    std::string text_;
    int required_ = -1;
    int given_ = 0;
    std::vector<CAnswer> answers_;
    std::unique_ptr<std::string> explanation_;
    bool hasExplanation_ = false;
};
