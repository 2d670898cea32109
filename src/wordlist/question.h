#pragma once
// A question with its accepted answers, the number of answers the learner must give (-1: a
// choice question whose first answer is right), an optional explanation, and the progress of
// its current presentation.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/answer.h"

class CWordList;
class CListArena;
class CAtomicFileWriter;

class CQuestion {
public:
    // Check results of CheckAnswer and CAnswer::Check.
    static constexpr int kAlreadyGiven = 1;
    static constexpr int kNewlyGiven = 2;
    static constexpr int kNoMatch = 3;

    explicit CQuestion(const CWordList& fields);  // text, required count, answers...
    CQuestion(std::string_view text, std::string_view requiredField, bool hasRequiredField,
              const std::vector<std::string>& answers);  // the same from parts
    CQuestion(const CQuestion& source);                  // no progress; explanation always present
    CQuestion& operator=(const CQuestion&) = delete;
    ~CQuestion();  // not virtual: nothing derives from a question, and a large list holds many

    // The same, made in the storage of a word list (null: on the heap, as the constructors).
    static std::unique_ptr<CQuestion> Make(CListArena* arena, std::string_view text, std::string_view requiredField,
                                           bool hasRequiredField, std::span<const std::string_view> answers);
    static std::unique_ptr<CQuestion> Make(CListArena* arena, std::span<const std::string_view> fields);
    static std::unique_ptr<CQuestion> Make(CListArena* arena, const CQuestion& source);

    std::string_view GetText();  // presenting: resets the progress first
    std::string_view PeekText() const { return Text(); }  // reading without presenting
    int GetRequired() const { return required_; }
    std::string_view GetExplanation() const { return Explanation(); }
    bool HasExplanation() const { return hasExplanation_; }
    void SetExplanation(std::string_view text);
    std::span<const CAnswer> GetAnswers() const { return Answers(); }
    int GetGiven() const { return given_; }

    void ResetProgress();
    std::string GetAnswerText(int onlyRemaining) const;
    int CheckAnswer(std::string_view input);  // byte for byte
    // The same walk with the caller's equality: matches(i) tells whether the input stands for
    // answer i (typed answers judged kindly).
    template <typename Matches>
    int CheckAnswerWith(Matches&& matches);
    int IsComplete() const { return (given_ == required_ || required_ == -1) ? 1 : 0; }
    std::string GetHintAnswer(std::string_view typed) const;

    void Write(CAtomicFileWriter& file) const;
    void Write(CAtomicFileWriter& file, std::string& scratch) const;  // scratch: a reused record buffer

    // A question made in a list's storage goes back there; any other to the heap.
    // Out of line, so that a compiler sees the question's own new paired with its own delete.
    static void* operator new(std::size_t size);
    static void operator delete(void* piece);
    static void operator delete(CQuestion* question, std::destroying_delete_t);

private:
    friend class CWordList;

    static void* operator new(std::size_t size, CListArena& arena);
    static void operator delete(void* piece, CListArena& arena);  // only when a constructor throws

    CQuestion(CListArena* arena, std::string_view text, std::string_view requiredField, bool hasRequiredField,
              std::span<const std::string_view> answers);
    CQuestion(CListArena* arena, std::span<const std::string_view> fields);
    CQuestion(CListArena* arena, const CQuestion& source);

    void* AllocatePiece(std::size_t bytes) const;
    void FreePiece(void* piece, std::size_t bytes) const;
    // One piece holds the answers and then every text but the explanation.
    template <typename AnswerList>  // texts or CAnswer objects
    void StoreTexts(std::string_view text, const AnswerList& answers);
    std::size_t TextsPieceSize() const;

    // Kept small: a large list holds hundreds of thousands of questions, most without an
    // explanation. An empty explanation is present without any text stored.
    // The texts' piece holds the answers, then the question's text, then the answers' texts:
    // the text is found after the answers rather than pointed to.
    std::span<CAnswer> Answers() const { return {reinterpret_cast<CAnswer*>(piece_), answerCount_}; }
    std::string_view Text() const { return {piece_ + answerCount_ * sizeof(CAnswer), textSize_}; }
    std::string_view Explanation() const { return {explanation_, explanationSize_}; }

    CListArena* arena_ = nullptr;  // where the texts live; null: the heap
    char* piece_ = nullptr;
    const char* explanation_ = nullptr;  // a piece of its own when not empty
    std::uint32_t answerCount_ = 0;
    std::uint32_t textSize_ = 0;
    std::uint32_t explanationSize_ = 0;
    int required_ = -1;
    int given_ = 0;
    bool hasExplanation_ = false;
    bool madeInArena_ = false;  // this object itself lives in arena_
};

template <typename Matches>
int CQuestion::CheckAnswerWith(Matches&& matches) {
    const std::span<CAnswer> answers = Answers();
    if (required_ == -1) return !answers.empty() && matches(std::size_t{0}) ? answers.front().Give() : kNoMatch;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        if (!matches(i)) continue;
        const int result = answers[i].Give();
        if (result == kNewlyGiven) ++given_;
        return result;
    }
    return kNoMatch;
}
