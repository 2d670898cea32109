#include "wordlist/question.h"

#include <algorithm>
#include <cstdint>

#include "platform/c_runtime.h"
#include "wordlist/word_list.h"

namespace {

std::vector<std::string> AnswerFields(const std::vector<std::string>& fields) {
    if (fields.size() <= 2) return {};
    return std::vector<std::string>(fields.begin() + 2, fields.end());
}

}  // namespace

CQuestion::CQuestion(const CWordList& fields)
    : CQuestion(fields.GetTexts().empty() ? std::string() : fields.GetTexts()[0],
                fields.GetTexts().size() >= 2 ? std::string_view(fields.GetTexts()[1]) : std::string_view(),
                fields.GetTexts().size() >= 2, AnswerFields(fields.GetTexts())) {}

CQuestion::CQuestion(std::string text, std::string_view requiredField, bool hasRequiredField,
                     std::vector<std::string> answers)
    : text_(std::move(text)) {
    answers_.reserve(answers.size());
    for (std::string& answer : answers) answers_.emplace_back(std::move(answer));
    const std::int64_t count = hasRequiredField ? crt::Atoi(requiredField) : -1;
    const std::int64_t available = static_cast<std::int64_t>(answers_.size());
    // A count above the answers is cut to them; any negative count makes a choice question.
    if (count > available) {
        required_ = static_cast<int>(std::min<std::int64_t>(available, INT32_MAX));
    } else {
        required_ = count < 0 ? -1 : static_cast<int>(count);
    }
}

CQuestion::CQuestion(const CQuestion& source)
    : text_(source.text_),
      required_(source.required_),
      answers_(source.answers_),
      explanation_(source.explanation_ ? std::make_unique<std::string>(*source.explanation_) : nullptr),
      hasExplanation_(true) {}

CQuestion::~CQuestion() = default;

void CQuestion::SetExplanation(std::string_view text) {
    explanation_ = text.empty() ? nullptr : std::make_unique<std::string>(text);
    hasExplanation_ = true;
}

const std::string& CQuestion::GetText() {
    ResetProgress();
    return text_;
}

void CQuestion::ResetProgress() {
    for (CAnswer& answer : answers_) answer.ResetProgress();
    given_ = 0;
}

std::string CQuestion::GetAnswerText(int onlyRemaining) const {
    if (required_ == -1) {
        if (onlyRemaining != 0 || answers_.empty()) return std::string();
        return answers_.front().GetText();
    }
    std::string text;
    for (const CAnswer& answer : answers_) {
        if (onlyRemaining != 0 && answer.IsGiven()) continue;
        text += "   ";
        text += answer.GetText();
        text += "\r\n";
    }
    return text;
}

int CQuestion::CheckAnswer(std::string_view input) {
    if (required_ == -1) return answers_.empty() ? kNoMatch : answers_.front().Check(input);
    for (CAnswer& answer : answers_) {
        const int result = answer.Check(input);
        if (result == kNewlyGiven) ++given_;
        if (result != kNoMatch) return result;
    }
    return kNoMatch;
}

std::string CQuestion::GetHintAnswer(std::string_view typed) const {
    const CAnswer* last = nullptr;
    for (const CAnswer& answer : answers_) {
        if (answer.IsGiven()) continue;
        // Bytes, not characters: a prefix that ends inside a double-byte character fails.
        if (std::string_view(answer.GetText()).starts_with(typed)) return answer.GetText();
        last = &answer;
    }
    return last ? last->GetText() : std::string();
}
