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

// The CSV text of a file in CP932. Auto reads UTF-8 (after a BOM) when the whole file is valid
// UTF-8, else CP932; Utf8 skips a BOM as well. Every character must be one CP932 can hold.
std::optional<CsvProblem> DecodeCsvFile(std::string_view bytes, CsvEncoding encoding, std::string& cp932);

// The bytes of a file in the given encoding (Auto means UTF-8) from CSV text in CP932.
std::optional<CsvProblem> EncodeCsvFile(std::string_view cp932, CsvEncoding encoding, std::string& bytes);
