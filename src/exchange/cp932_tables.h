#pragma once
// Whole-file conversion between CP932 and UTF-8 through lookup tables, for tables of hundreds
// of thousands of rows. The tables are filled once from the program's codec (text_codec), so
// both give the same bytes; a character the tables do not know is asked of the codec itself.
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
// bytes there are not UTF-8.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos, char32_t* codePoint);

}  // namespace cp932
