#pragma once
// Rows of a CSV table (genre, question, required count, explanation, answers...) added to a
// word list. Each row is read by the editor's rules for its question fields, so a row is
// taken exactly when the editor would take the same fields, and stored as the editor would
// store them.
#include <string_view>
#include <vector>

#include "exchange/csv_encoding.h"

class CWordList;

// Adds the good rows of the table in a file's bytes to list: a genre is found by name or
// appended, in the order of first appearance; questions are appended in row order. A first row
// whose first cell is "genre" is a header. Each row that cannot be taken is left out, genre and
// all, and named in the result (every cell that does not convert, else the first problem), in
// row order; after a malformed quote the reading goes on with the next line.
std::vector<CsvProblem> ImportCsv(std::string_view bytes, CsvEncoding encoding, CWordList& list);
