#include "platform/c_runtime.h"

#include <limits>

namespace crt {

bool IsSpace(unsigned char byte) { return byte == ' ' || (byte >= 0x09 && byte <= 0x0D); }

std::int32_t Atoi(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsSpace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // Accumulate the magnitude, saturating where strtol would report ERANGE.
    constexpr std::uint64_t positiveLimit = std::numeric_limits<std::int64_t>::max();
    constexpr std::uint64_t negativeLimit = positiveLimit + 1;
    const std::uint64_t limit = negative ? negativeLimit : positiveLimit;
    std::uint64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        unsigned digit = static_cast<unsigned>(text[pos] - '0');
        if (magnitude > (limit - digit) / 10) {
            magnitude = limit;
        } else {
            magnitude = magnitude * 10 + digit;
        }
    }
    std::uint64_t asLong = negative ? (~magnitude + 1) : magnitude;  // two's complement of the long
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(asLong));
}

}  // namespace crt
