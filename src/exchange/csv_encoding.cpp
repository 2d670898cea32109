#include "exchange/csv_encoding.h"

#include <cstdio>
#include <vector>

#include "exchange/cp932_tables.h"
#include "exchange/csv_cells.h"
#include "platform/cp932.h"

namespace {

std::string Hex(std::string_view bytes) {
    std::string out;
    for (unsigned char byte : bytes) {
        char piece[8];
        std::snprintf(piece, sizeof piece, "%s0x%02X", out.empty() ? "" : " ", byte);
        out += piece;
    }
    return out;
}

// Why a UTF-8 cell cannot become CP932: the first character to blame.
std::string Utf8CellProblem(std::string_view cell) {
    for (std::size_t pos = 0; pos < cell.size();) {
        char32_t codePoint = 0;
        const std::size_t length = cp932::Utf8CharLength(cell, pos, &codePoint);
        if (length == 0) return "the byte " + Hex(cell.substr(pos, 1)) + " is not UTF-8";
        std::string ignored;
        if (!cp932::AppendFromUtf8(cell.substr(pos, length), ignored)) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
            return std::string(name) + " cannot be written in CP932";
        }
        pos += length;
    }
    return "the text cannot be written in CP932";
}

// Why a cell of CP932 bytes is no CP932 text: the first character to blame.
std::string Cp932CellProblem(std::string_view cell) {
    for (std::size_t pos = 0; pos < cell.size();) {
        const std::size_t length = cp932::CharLength(cell, pos);
        if (!cp932::IsValid(cell.substr(pos, length))) return "the bytes " + Hex(cell.substr(pos, length)) + " are not CP932";
        pos += length;
    }
    return "the text is not CP932";
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
        const std::size_t length = cp932::Utf8CharLength(text, pos, &codePoint);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

bool ReadsAsUtf8(std::string_view bytes, CsvEncoding encoding) {
    if (encoding == CsvEncoding::Auto) return IsValidUtf8(bytes);
    return encoding != CsvEncoding::Cp932;
}

std::optional<std::string> DecodeCsvCell(std::string_view cell, bool utf8, std::string& cp932) {
    if (!utf8) {
        if (!cp932::IsValid(cell)) return Cp932CellProblem(cell);
        cp932.assign(cell);
        return std::nullopt;
    }
    cp932.clear();
    if (cp932::AppendFromUtf8(cell, cp932)) return std::nullopt;
    return Utf8CellProblem(cell);
}

std::optional<CsvProblem> EncodeCsvPiece(std::string_view cp932, CsvEncoding encoding, std::string& bytes) {
    if (encoding == CsvEncoding::Cp932) {
        bytes.assign(cp932);
        return std::nullopt;
    }
    bytes.clear();
    if (cp932::AppendAsUtf8(cp932, bytes)) return std::nullopt;
    // The slow search for the cell to blame.
    CCsvReader reader(cp932);
    std::vector<std::string> cells;
    while (reader.ReadRow(cells) == CCsvReader::Result::Row) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (!cp932::IsValid(cells[i])) return CsvProblem{reader.Row(), i + 1, Cp932CellProblem(cells[i])};
    }
    return CsvProblem{0, 0, "the table is not CP932"};
}
