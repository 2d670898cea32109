#pragma once
// The code page 932 character walk: a lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it
// form one character. A lead byte at the very end of a text counts as a character of its own.
#include <cstddef>
#include <string_view>

namespace cp932 {

constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Byte length (1 or 2) of the character that starts at pos; pos must lie inside text.
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

}  // namespace cp932
