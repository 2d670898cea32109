#include "exchange/csv_encoding.h"

#include <cstdio>
#include <vector>

#include "exchange/csv_cells.h"
#include "platform/cp932.h"
#include "platform/text_codec.h"

namespace {

// The length of the valid UTF-8 character at pos (its code point in *codePoint), or 0.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos, char32_t* codePoint) {
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

std::string Hex(std::string_view bytes) {
    std::string out;
    for (unsigned char byte : bytes) {
        char piece[8];
        std::snprintf(piece, sizeof piece, "%s0x%02X", out.empty() ? "" : " ", byte);
        out += piece;
    }
    return out;
}

// Why a UTF-8 cell cannot become CP932, or nullopt when it can.
std::optional<std::string> Utf8CellProblem(std::string_view cell) {
    if (IsValidUtf8(cell) && text::Utf8ToCp932(cell)) return std::nullopt;
    for (std::size_t pos = 0; pos < cell.size();) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8CharLength(cell, pos, &codePoint);
        if (length == 0) return "the byte " + Hex(cell.substr(pos, 1)) + " is not UTF-8";
        if (!text::Utf8ToCp932(cell.substr(pos, length))) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
            return std::string(name) + " cannot be written in CP932";
        }
        pos += length;
    }
    return "the text cannot be written in CP932";
}

// Why a cell of CP932 bytes is no CP932 text, or nullopt when it is.
std::optional<std::string> Cp932CellProblem(std::string_view cell) {
    if (text::Cp932ToUtf8(cell)) return std::nullopt;
    for (std::size_t pos = 0; pos < cell.size();) {
        const std::size_t length = cp932::CharLength(cell, pos);
        if (!text::Cp932ToUtf8(cell.substr(pos, length))) return "the bytes " + Hex(cell.substr(pos, length)) + " are not CP932";
        pos += length;
    }
    return "the text is not CP932";
}

// The first cell of a text that cannot be converted: the slow search that follows a failed
// conversion of the whole text.
CsvProblem FindBadCell(std::string_view text, std::optional<std::string> (*cellProblem)(std::string_view)) {
    CCsvReader reader(text);
    std::vector<std::string> cells;
    for (;;) {
        const CCsvReader::Result result = reader.ReadRow(cells);
        if (result == CCsvReader::Result::End) return {0, 0, "the text cannot be converted"};
        if (result == CCsvReader::Result::Malformed) return {reader.Row(), reader.Column(), reader.Problem()};
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (auto problem = cellProblem(cells[i])) return {reader.Row(), i + 1, *problem};
    }
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        // Runs of ASCII are the common case.
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = Utf8CharLength(text, pos, &codePoint);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::optional<CsvProblem> DecodeCsvFile(std::string_view bytes, CsvEncoding encoding, std::string& cp932) {
    bool utf8 = encoding == CsvEncoding::Utf8 || encoding == CsvEncoding::Utf8Bom;
    if (encoding == CsvEncoding::Auto) utf8 = IsValidUtf8(bytes);
    if (!utf8) {
        if (!text::Cp932ToUtf8(bytes)) return FindBadCell(bytes, Cp932CellProblem);
        cp932.assign(bytes);
        return std::nullopt;
    }
    if (bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    if (std::optional<std::string> converted = text::Utf8ToCp932(bytes)) {
        cp932 = std::move(*converted);
        return std::nullopt;
    }
    return FindBadCell(bytes, Utf8CellProblem);
}

std::optional<CsvProblem> EncodeCsvFile(std::string_view cp932, CsvEncoding encoding, std::string& bytes) {
    if (encoding == CsvEncoding::Cp932) {
        bytes.assign(cp932);
        return std::nullopt;
    }
    std::optional<std::string> utf8 = text::Cp932ToUtf8(cp932);
    if (!utf8) return FindBadCell(cp932, Cp932CellProblem);
    bytes = encoding == CsvEncoding::Utf8Bom ? std::string(kUtf8Bom) + *utf8 : std::move(*utf8);
    return std::nullopt;
}
