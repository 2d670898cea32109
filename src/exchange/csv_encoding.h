#pragma once
// The encodings a CSV file may come in, and the way between them and the word lists' CP932
// bytes. A place that cannot be converted is named by its row, column and character.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class CsvEncoding { Auto, Utf8, Utf8Bom, Cp932 };

// Where a CSV file cannot be taken: row and column from 1; row 0 when no cell is to blame.
struct CsvProblem {
    std::size_t row = 0;
    std::size_t column = 0;
    std::string reason;
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsValidUtf8(std::string_view text);

// Whether a file is read as UTF-8: always for Utf8 and Utf8Bom, never for Cp932, and for Auto
// when the whole file is valid UTF-8.
bool ReadsAsUtf8(std::string_view bytes, CsvEncoding encoding);

// One cell of a file as CP932 (reusing cp932's buffer): from UTF-8, or checked to be CP932.
// The reason, naming the character, when it cannot be.
std::optional<std::string> DecodeCsvCell(std::string_view cell, bool utf8, std::string& cp932);

// A piece of a table (CP932 text) as the bytes of a file in the encoding (Auto means UTF-8,
// and the byte-order mark is not part of it). The place is counted within the piece.
std::optional<CsvProblem> EncodeCsvPiece(std::string_view cp932, CsvEncoding encoding, std::string& bytes);
