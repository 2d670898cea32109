#pragma once
// Whole-file conversion between CP932 and UTF-8 through lookup tables, for tables of hundreds
// of thousands of rows. The tables are filled once from the program's codec (text_codec), so
// both give the same bytes; a character the tables do not know is asked of the codec itself.
#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

// Appends the UTF-8 form of text to out; false when text holds bytes that are not CP932.
bool AppendAsUtf8(std::string_view text, std::string& out);

// Appends the CP932 form of UTF-8 text to out; false when text is not UTF-8 or holds a
// character CP932 cannot hold.
bool AppendFromUtf8(std::string_view utf8, std::string& out);

// Whether text is CP932 throughout.
bool IsValid(std::string_view text);

// The length of the UTF-8 character at pos (its code point in *codePoint), or 0 when the
// bytes there are not UTF-8. Inline: it is called for every character of a large table.
inline std::size_t Utf8CharLength(std::string_view text, std::size_t pos, char32_t* codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
    *codePoint = value;
    return length;
}

}  // namespace cp932
