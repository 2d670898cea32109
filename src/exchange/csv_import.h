#pragma once
// Rows of a CSV table (genre, question, required count, explanation, answers...) added to a
// word list. Each row is read by the editor's rules for its question fields, so a row is
// taken exactly when the editor would take the same fields, and stored as the editor would
// store them.
#include <optional>
#include <string_view>

#include "exchange/csv_encoding.h"

class CWordList;

// Adds the rows of the table in a file's bytes to list: a genre is found by name or appended,
// in the order of first appearance; questions are appended in row order. A first row whose
// first cell is "genre" is a header. On a problem, list may hold the rows before it.
std::optional<CsvProblem> ImportCsv(std::string_view bytes, CsvEncoding encoding, CWordList& list);
