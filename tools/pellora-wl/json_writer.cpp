#include "json_writer.h"

#include <charconv>
#include <cmath>

#include "platform/text_codec.h"

namespace json {

namespace {

// Length of the valid UTF-8 sequence at pos, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char first = byte(pos);
    std::size_t length = first < 0x80 ? 1 : (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : (first >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    return length;
}

}  // namespace

std::string Quote(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t pos = 0; pos < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[pos]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++pos;
        } else if (c < 0x20) {
            static const char* hex = "0123456789abcdef";
            switch (c) {
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 15];
            }
            ++pos;
        } else if (std::size_t length = Utf8Length(utf8, pos)) {
            out.append(utf8.substr(pos, length));
            pos += length;
        } else {
            out += "\\ufffd";
            ++pos;
        }
    }
    out += '"';
    return out;
}

std::string Data(std::string_view cp932, bool bytes) {
    if (!bytes) return Quote(text::Cp932ToUtf8Lossy(cp932));
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (unsigned char c : cp932) {
        out += hex[c >> 4];
        out += hex[c & 15];
    }
    out += '"';
    return out;
}

std::string Number(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace json
