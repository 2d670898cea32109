#pragma once
// Cells of comma-separated values as RFC 4180 writes them: rows end in CR LF, a cell is quoted
// when it holds a comma, a quote or a line break, and a quote inside a quoted cell is doubled.
// Both directions work on bytes and see only ASCII, so they serve UTF-8 and CP932 text alike
// (no CP932 trail byte is a comma, a quote, CR or LF).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Appends cell to out, quoted when it must be.
void AppendCsvCell(std::string& out, std::string_view cell);

// Reads rows one by one. Line breaks inside a quoted cell (LF, CR LF or a lone CR) come out as
// CR LF; rows may end in LF or CR LF.
class CCsvReader {
public:
    explicit CCsvReader(std::string_view bytes) : bytes_(bytes) {}

    enum class Result { Row, End, Malformed };
    // On Row, cells holds the row's cells (reusing the strings cells held); on Malformed,
    // Row() and Column() name the place.
    Result ReadRow(std::vector<std::string>& cells);

    // After Malformed: goes on at the next line (nothing is left after a quote never closed).
    void SkipRow();

    std::size_t Row() const { return row_; }        // of the row just read, from 1
    std::size_t Column() const { return column_; }  // of the malformed cell, from 1
    const char* Problem() const { return problem_; }

private:
    Result Fail(std::size_t column, const char* problem);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t row_ = 0;
    std::size_t column_ = 0;
    const char* problem_ = "";
};
