#pragma once
// The options' time-limit field: read as an unsigned decimal number, then checked against the
// range the options offer. Texts are UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::uint32_t kMinTimeLimit = 0;
inline constexpr std::uint32_t kMaxTimeLimit = 60;
inline constexpr std::size_t kTimeLimitTextLength = 31;  // characters read from the field

inline constexpr const char* kNotUnsignedMessage = "正の整数を入力してください。";

// Of text, only the first kTimeLimitTextLength characters count. Blanks and tabs may stand
// around the number and a plus sign before it; nothing else may. A number that comes out as 0
// must begin with the digit 0 ("+0" is refused). Numbers beyond 32 bits read as the largest
// unsigned value. nullopt when the text is refused.
std::optional<std::uint32_t> ReadUnsignedText(std::string_view text);

bool IsTimeLimitInRange(std::uint32_t seconds);
// "0 から 60 までの整数を入力してください。"
std::string TimeLimitRangeMessage();
