#pragma once
// The stored answers of the question being asked, folded once when it is presented, so that
// each submission folds only what was typed.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CQuestion;

class CFoldedAnswers {
public:
    void Fold(const CQuestion& question);  // the question being presented
    void Clear();
    bool IsFolded() const { return folded_; }

    // CheckAnswer of question (the one folded) with folded equality; an answer or an input
    // whose bytes do not decode is compared byte for byte.
    int Check(CQuestion& question, std::string_view input) const;

private:
    std::vector<std::optional<std::u16string>> answers_;
    bool folded_ = false;
};
