#pragma once
// Conversion between the word lists' code page 932 bytes and UTF-8 (the program's own texts,
// paths on Linux and the windows). One codec over iconv serves the whole program.
#include <optional>
#include <string>
#include <string_view>

namespace text {

// Exact conversion: nullopt when the input holds bytes that are not valid CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// For display: bytes that do not decode are shown as U+FFFD; the stored bytes stay as they were.
std::string Cp932ToUtf8Lossy(std::string_view cp932);

// nullopt when the text holds a character CP932 cannot hold (or is not valid UTF-8):
// such text is refused, never silently changed.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// The program's own texts (literals in UTF-8 that CP932 can hold) as data bytes.
std::string ToCp932(std::string_view utf8Literal);

}  // namespace text
