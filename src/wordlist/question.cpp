#include "wordlist/question.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "platform/c_runtime.h"
#include "wordlist/list_arena.h"
#include "wordlist/word_list.h"

namespace {

std::vector<std::string_view> Views(const std::vector<std::string>& texts) {
    return std::vector<std::string_view>(texts.begin(), texts.end());
}

}  // namespace

void* CQuestion::operator new(std::size_t size) { return ::operator new(size); }

void CQuestion::operator delete(void* piece) { ::operator delete(piece); }

void* CQuestion::operator new(std::size_t size, CListArena& arena) { return arena.Allocate(size); }

void CQuestion::operator delete(void* piece, CListArena& arena) { arena.Free(piece, sizeof(CQuestion)); }

void CQuestion::operator delete(CQuestion* question, std::destroying_delete_t) {
    CListArena* home = question->madeInArena_ ? question->arena_ : nullptr;
    question->~CQuestion();
    if (home) {
        home->Free(question, sizeof(CQuestion));
    } else {
        ::operator delete(question);
    }
}

std::unique_ptr<CQuestion> CQuestion::Make(CListArena* arena, std::string_view text, std::string_view requiredField,
                                           bool hasRequiredField, std::span<const std::string_view> answers) {
    if (!arena) return std::unique_ptr<CQuestion>(new CQuestion(nullptr, text, requiredField, hasRequiredField, answers));
    auto* question = new (*arena) CQuestion(arena, text, requiredField, hasRequiredField, answers);
    question->madeInArena_ = true;
    return std::unique_ptr<CQuestion>(question);
}

std::unique_ptr<CQuestion> CQuestion::Make(CListArena* arena, std::span<const std::string_view> fields) {
    if (!arena) return std::unique_ptr<CQuestion>(new CQuestion(nullptr, fields));
    auto* question = new (*arena) CQuestion(arena, fields);
    question->madeInArena_ = true;
    return std::unique_ptr<CQuestion>(question);
}

std::unique_ptr<CQuestion> CQuestion::Make(CListArena* arena, const CQuestion& source) {
    if (!arena) return std::make_unique<CQuestion>(source);
    auto* question = new (*arena) CQuestion(arena, source);
    question->madeInArena_ = true;
    return std::unique_ptr<CQuestion>(question);
}

CQuestion::CQuestion(const CWordList& fields) : CQuestion(nullptr, fields.GetTexts()) {}

// Question text, required count, answers; a missing count makes a choice question.
CQuestion::CQuestion(CListArena* arena, std::span<const std::string_view> fields)
    : CQuestion(arena, fields.empty() ? std::string_view() : fields[0],
                fields.size() >= 2 ? fields[1] : std::string_view(), fields.size() >= 2,
                fields.size() > 2 ? fields.subspan(2) : std::span<const std::string_view>()) {}

CQuestion::CQuestion(std::string_view text, std::string_view requiredField, bool hasRequiredField,
                     const std::vector<std::string>& answers)
    : CQuestion(nullptr, text, requiredField, hasRequiredField, Views(answers)) {}

CQuestion::CQuestion(CListArena* arena, std::string_view text, std::string_view requiredField, bool hasRequiredField,
                     std::span<const std::string_view> answers)
    : arena_(arena) {
    StoreTexts(text, answers);
    const std::int64_t count = hasRequiredField ? crt::Atoi(requiredField) : -1;
    const std::int64_t available = answerCount_;
    // A count above the answers is cut to them; any negative count makes a choice question.
    if (count > available) {
        required_ = static_cast<int>(std::min<std::int64_t>(available, INT32_MAX));
    } else {
        required_ = count < 0 ? -1 : static_cast<int>(count);
    }
}

CQuestion::CQuestion(const CQuestion& source) : CQuestion(nullptr, source) {}

CQuestion::CQuestion(CListArena* arena, const CQuestion& source) : arena_(arena), required_(source.required_) {
    StoreTexts(source.Text(), source.Answers());
    SetExplanation(source.Explanation());
}

CQuestion::~CQuestion() {
    // The texts of a list that is going are released with its storage.
    if (arena_ && arena_->IsReleasing()) return;
    FreePiece(piece_, TextsPieceSize());
    FreePiece(const_cast<char*>(explanation_), explanationSize_);
}

void* CQuestion::AllocatePiece(std::size_t bytes) const {
    if (bytes == 0) return nullptr;
    return arena_ ? arena_->Allocate(bytes) : ::operator new(bytes);
}

void CQuestion::FreePiece(void* piece, std::size_t bytes) const {
    if (!piece) return;
    if (arena_) {
        arena_->Free(piece, bytes);
    } else {
        ::operator delete(piece);
    }
}

std::size_t CQuestion::TextsPieceSize() const {
    std::size_t bytes = answerCount_ * sizeof(CAnswer) + textSize_;
    for (const CAnswer& answer : Answers()) bytes += answer.GetText().size();
    return bytes;
}

namespace {
std::string_view TextOf(std::string_view text) { return text; }
// Sizes are kept in 32 bits; a text of one line of a word list is far below 4 GiB, and one
// that is not is refused rather than cut short in silence.
std::uint32_t Size32(std::size_t size) {
    if (size > UINT32_MAX) throw std::length_error("word-list text");
    return static_cast<std::uint32_t>(size);
}
std::string_view TextOf(const CAnswer& answer) { return answer.GetText(); }
}  // namespace

template <typename AnswerList>
void CQuestion::StoreTexts(std::string_view text, const AnswerList& answers) {
    const std::uint32_t textSize = Size32(text.size());  // checked before anything is taken
    const std::uint32_t answerCount = Size32(answers.size());
    std::size_t bytes = answers.size() * sizeof(CAnswer) + text.size();
    for (const auto& answer : answers) bytes += Size32(TextOf(answer).size());
    auto* piece = static_cast<char*>(AllocatePiece(bytes));
    char* cursor = piece + answers.size() * sizeof(CAnswer);
    auto copy = [&](std::string_view from) {
        if (!from.empty()) std::memcpy(cursor, from.data(), from.size());
        std::string_view stored(cursor, from.size());
        cursor += from.size();
        return stored;
    };
    copy(text);
    auto* first = reinterpret_cast<CAnswer*>(piece);
    for (std::size_t i = 0; i < answers.size(); ++i) new (first + i) CAnswer(copy(TextOf(answers[i])));
    piece_ = piece;
    textSize_ = textSize;
    answerCount_ = answerCount;
}

void CQuestion::SetExplanation(std::string_view text) {
    // Copied before the old one goes: text may be the old explanation itself.
    std::string_view stored;
    const std::uint32_t size = Size32(text.size());
    if (!text.empty()) {
        auto* piece = static_cast<char*>(AllocatePiece(text.size()));
        std::memcpy(piece, text.data(), text.size());
        stored = std::string_view(piece, text.size());
    }
    FreePiece(const_cast<char*>(explanation_), explanationSize_);
    explanation_ = stored.data();
    explanationSize_ = size;
    hasExplanation_ = true;
}

std::string_view CQuestion::GetText() {
    ResetProgress();
    return Text();
}

void CQuestion::ResetProgress() {
    for (CAnswer& answer : Answers()) answer.ResetProgress();
    given_ = 0;
}

std::string CQuestion::GetAnswerText(int onlyRemaining) const {
    if (required_ == -1) {
        if (onlyRemaining != 0 || answerCount_ == 0) return std::string();
        return std::string(Answers().front().GetText());
    }
    std::string text;
    for (const CAnswer& answer : Answers()) {
        if (onlyRemaining != 0 && answer.IsGiven()) continue;
        text += "   ";
        text += answer.GetText();
        text += "\r\n";
    }
    return text;
}

int CQuestion::CheckAnswer(std::string_view input) {
    return CheckAnswerWith([&](std::size_t i) { return Answers()[i].GetText() == input; });
}

std::string CQuestion::GetHintAnswer(std::string_view typed) const {
    const CAnswer* last = nullptr;
    for (const CAnswer& answer : Answers()) {
        if (answer.IsGiven()) continue;
        // Bytes, not characters: a prefix that ends inside a double-byte character fails.
        if (answer.GetText().starts_with(typed)) return std::string(answer.GetText());
        last = &answer;
    }
    return last ? std::string(last->GetText()) : std::string();
}
