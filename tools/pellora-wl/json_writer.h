#pragma once
// Minimal JSON output for the commands: objects and arrays written in order, strings escaped.
// Data texts are CP932 bytes; they are written as UTF-8 or, in byte mode, as lowercase hex.
#include <cstdio>
#include <string>
#include <string_view>

namespace json {

// A JSON string literal for UTF-8 text (control characters escaped, invalid UTF-8 replaced).
std::string Quote(std::string_view utf8);

// A data text: UTF-8 converted from CP932 (undecodable bytes shown as U+FFFD) or, with bytes,
// the lowercase hex of the CP932 bytes.
std::string Data(std::string_view cp932, bool bytes);

// A double as a JSON number (shortest text that reads back the same).
std::string Number(double value);

}  // namespace json
