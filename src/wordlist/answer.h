#pragma once
#include <string_view>

// One accepted answer and whether the learner gave it in the current presentation. The text
// belongs to the question that holds the answer.
class CAnswer {
public:
    explicit CAnswer(std::string_view text) : text_(text) {}
    CAnswer(const CAnswer& source) : text_(source.text_) {}  // progress is not copied
    CAnswer& operator=(const CAnswer&) = delete;

    std::string_view GetText() const { return text_; }
    int IsGiven() const { return given_; }
    void ResetProgress() { given_ = 0; }

    // 3 when input differs; 1 when equal and already given; else marks it given and gives 2.
    int Check(std::string_view input) { return input != text_ ? 3 : Give(); }
    // The same for an input the caller has found equal: 1 when given before, else 2.
    int Give() {
        if (given_) return 1;
        given_ = 1;
        return 2;
    }

private:
    std::string_view text_;
    int given_ = 0;
};
