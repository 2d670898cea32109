#pragma once
// A word list as a CSV table: a header row, then one row per question in file order (genre,
// question, required count, explanation, answers) and one row of only its name for a genre
// without questions. Child-genre references have no column and are left out.
#include <string>
#include <vector>

class CWordList;

struct CsvExport {
    std::string cp932;           // the table, rows ending in CR LF, texts as CP932 bytes
    int childrenLeftOut = 0;
};

// Every genre, or only those named in genreNames (CP932 bytes), in list order.
CsvExport ExportCsv(const CWordList& list, const std::vector<std::string>& genreNames);
