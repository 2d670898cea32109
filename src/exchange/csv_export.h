#pragma once
// A word list as a CSV table: a header row, then one row per question in file order (genre,
// question, required count, explanation, answers) and one row of only its name for a genre
// without questions. Child-genre references have no column and are left out.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CWordList;

// Takes the table piece by piece (CP932 text, each piece a run of whole rows, the first of
// them row firstRow counted from 1); false stops the export.
using CsvPieceWriter = std::function<bool(std::string_view piece, std::size_t firstRow)>;

struct CsvExport {
    bool complete = false;     // every piece was taken
    int childrenLeftOut = 0;
};

// Every genre, or only those named in genreNames (CP932 bytes), in list order.
CsvExport ExportCsv(const CWordList& list, const std::vector<std::string>& genreNames, const CsvPieceWriter& write);
