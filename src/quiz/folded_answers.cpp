#include "quiz/folded_answers.h"

#include "quiz/answer_folding.h"
#include "wordlist/question.h"

void CFoldedAnswers::Fold(const CQuestion& question) {
    answers_.clear();
    for (const CAnswer& answer : question.GetAnswers()) answers_.push_back(FoldAnswer(answer.GetText()));
    folded_ = true;
}

void CFoldedAnswers::Clear() {
    answers_.clear();
    folded_ = false;
}

int CFoldedAnswers::Check(CQuestion& question, std::string_view input) const {
    const std::optional<std::u16string> typed = FoldAnswer(input);
    const auto stored = question.GetAnswers();
    return question.CheckAnswerWith([&](std::size_t i) {
        if (typed && i < answers_.size() && answers_[i]) return *answers_[i] == *typed;
        return stored[i].GetText() == input;
    });
}
