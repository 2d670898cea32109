#include "app/time_limit_text.h"

#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::uint32_t> ReadUnsignedText(std::string_view text) {
    // Every character before the cut is one byte: anything wider is refused wherever it stands.
    text = text.substr(0, kTimeLimitTextLength);
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    const bool signed_ = pos < text.size() && text[pos] == '+';
    if (signed_) ++pos;
    const std::size_t digitsStart = pos;
    std::uint64_t value = 0;
    constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = value * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        if (value > kLargest) value = kLargest + 1;  // saturated: stays above the largest
    }
    if (pos == digitsStart) return std::nullopt;
    // A sign before a zero makes the zero look like no number at all.
    if (value == 0 && signed_) return std::nullopt;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (pos != text.size()) return std::nullopt;
    return static_cast<std::uint32_t>(value > kLargest ? kLargest : value);
}

bool IsTimeLimitInRange(std::uint32_t seconds) { return seconds <= kMaxTimeLimit; }  // the least is 0

std::string TimeLimitRangeMessage() {
    return std::to_string(kMinTimeLimit) + " から " + std::to_string(kMaxTimeLimit) + " までの整数を入力してください。";
}
