#pragma once
#include <cstdint>
#include <string_view>

// One accepted answer and whether the learner gave it in the current presentation. The text
// belongs to the question that holds the answer.
class CAnswer {
public:
    // The question that stores the text has checked that its size fits.
    explicit CAnswer(std::string_view text) : text_(text.data()), size_(static_cast<std::uint32_t>(text.size())) {}
    CAnswer(const CAnswer& source) : text_(source.text_), size_(source.size_) {}  // progress is not copied
    CAnswer& operator=(const CAnswer&) = delete;

    std::string_view GetText() const { return {text_, size_}; }
    int IsGiven() const { return given_; }
    void ResetProgress() { given_ = 0; }

    // 3 when input differs; 1 when equal and already given; else marks it given and gives 2.
    int Check(std::string_view input) { return input != GetText() ? 3 : Give(); }
    // The same for an input the caller has found equal: 1 when given before, else 2.
    int Give() {
        if (given_) return 1;
        given_ = 1;
        return 2;
    }

private:
    // Sixteen bytes rather than twenty-four: a large list holds over a million answers. A text
    // comes from one line of a word list, far below 4 GiB.
    const char* text_;
    std::uint32_t size_;
    std::uint32_t given_ = 0;
};
static_assert(sizeof(CAnswer) == 16);
