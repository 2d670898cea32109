#include "exchange/cp932_tables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "platform/cp932.h"
#include "platform/text_codec.h"

namespace cp932 {
namespace {

constexpr char32_t kNone = 0xFFFFFFFF;

// Writes the UTF-8 form of c at out and returns the end.
char* PutUtf8(char32_t c, char* out) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

void AppendUtf8(char32_t c, std::string& out) {
    char bytes[4];
    out.append(bytes, static_cast<std::size_t>(PutUtf8(c, bytes) - bytes));
}

struct Tables {
    // CP932 character (one byte, or lead byte << 8 | trail byte) to its code point.
    std::array<char32_t, 0x10000> toUnicode;
    // Code point of the basic plane to the CP932 character the codec makes of it (0: ask it).
    std::array<std::uint16_t, 0x10000> fromUnicode{};

    Tables() {
        toUnicode.fill(kNone);
        for (unsigned code = 0; code < 0x10000; ++code) {
            const unsigned lead = code >> 8;
            std::string bytes;
            if (lead == 0) {
                if (IsLeadByte(static_cast<unsigned char>(code))) continue;
                bytes = std::string(1, static_cast<char>(code));
            } else if (IsLeadByte(static_cast<unsigned char>(lead))) {
                bytes = {static_cast<char>(lead), static_cast<char>(code & 0xFF)};
            } else {
                continue;
            }
            const std::optional<std::string> utf8 = text::Cp932ToUtf8(bytes);
            char32_t c = 0;
            if (utf8 && !utf8->empty() && Utf8CharLength(*utf8, 0, &c) == utf8->size()) toUnicode[code] = c;
        }
        // Where several CP932 characters show the same code point, the codec's choice stands.
        for (unsigned code = 0; code < 0x10000; ++code) {
            const char32_t c = toUnicode[code];
            if (c == kNone || c >= 0x10000 || fromUnicode[c] != 0) continue;
            std::string utf8;
            AppendUtf8(c, utf8);
            const std::optional<std::string> back = text::Utf8ToCp932(utf8);
            if (!back || back->empty() || back->size() > 2) continue;
            fromUnicode[c] = back->size() == 1 ? static_cast<unsigned char>((*back)[0])
                                               : static_cast<std::uint16_t>(static_cast<unsigned char>((*back)[0]) << 8 |
                                                                            static_cast<unsigned char>((*back)[1]));
        }
    }
};

const Tables& GetTables() {
    static const std::unique_ptr<Tables> tables = std::make_unique<Tables>();
    return *tables;
}

// The table index of the CP932 character at pos, and its length; length 0 when invalid.
std::size_t CharAt(std::string_view text, std::size_t pos, unsigned* code) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (!IsLeadByte(byte)) {
        *code = byte;
        return 1;
    }
    if (pos + 1 >= text.size()) return 0;
    *code = static_cast<unsigned>(byte) << 8 | static_cast<unsigned char>(text[pos + 1]);
    return 2;
}

}  // namespace

bool AppendAsUtf8(std::string_view text, std::string& out) {
    const Tables& tables = GetTables();
    // A CP932 character becomes at most three bytes of UTF-8 per byte.
    const std::size_t start = out.size();
    out.resize(start + text.size() * 3);
    char* put = out.data() + start;
    for (std::size_t pos = 0; pos < text.size();) {
        unsigned code = 0;
        const std::size_t length = CharAt(text, pos, &code);
        if (length == 0 || tables.toUnicode[code] == kNone) {
            out.resize(start);
            return false;
        }
        put = PutUtf8(tables.toUnicode[code], put);
        pos += length;
    }
    out.resize(static_cast<std::size_t>(put - out.data()));
    return true;
}

bool AppendFromUtf8(std::string_view utf8, std::string& out) {
    const Tables& tables = GetTables();
    // Never more bytes than the UTF-8 had.
    const std::size_t start = out.size();
    out.resize(start + utf8.size());
    char* put = out.data() + start;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = static_cast<unsigned char>(utf8[pos]);
        const std::size_t length = c < 0x80 ? 1 : Utf8CharLength(utf8, pos, &c);
        const std::uint16_t code = length == 0 || c >= 0x10000 ? 0 : tables.fromUnicode[c];
        if (code >= 0x100) {
            *put++ = static_cast<char>(code >> 8);
            *put++ = static_cast<char>(code & 0xFF);
        } else if (code != 0 || (c == 0 && length == 1)) {
            *put++ = static_cast<char>(code);
        } else {
            // Not UTF-8, or a code point no CP932 character shows: the codec may still take it
            // (a wave dash) or refuse it.
            const std::optional<std::string> converted =
                length == 0 ? std::nullopt : text::Utf8ToCp932(utf8.substr(pos, length));
            if (!converted || converted->size() > length) {
                out.resize(start);
                return false;
            }
            put = std::copy(converted->begin(), converted->end(), put);
        }
        pos += length;
    }
    out.resize(static_cast<std::size_t>(put - out.data()));
    return true;
}

bool IsValid(std::string_view text) {
    const Tables& tables = GetTables();
    for (std::size_t pos = 0; pos < text.size();) {
        unsigned code = 0;
        const std::size_t length = CharAt(text, pos, &code);
        if (length == 0 || tables.toUnicode[code] == kNone) return false;
        pos += length;
    }
    return true;
}

}  // namespace cp932
