#pragma once
// The weak-question table as the learner sees it, and the same table as a CSV file.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "record/record_store.h"

class CQuestion;
class CWordList;

inline constexpr std::array<const char*, 7> kWeakColumnHeadings = {"ジャンル", "問題",        "箱",        "正解",
                                                                   "不正解",   "最終解答日", "次の復習日"};

// One cell as UTF-8: texts as the program shows CP932 (bytes that do not decode as U+FFFD),
// dates as "2026/12/07".
std::string WeakCellText(const QuestionStateRow& row, WeakColumn column);

// Writes every row the query selects (not only those scrolled into view) in the table's order:
// UTF-8 with a byte-order mark, a heading row, CR LF row ends, cells quoted as RFC 4180 asks.
// False when the file cannot be written; the file at path then holds its old bytes.
bool WriteWeakQuestionsCsv(const CRecordStore& store, std::string_view wordListFile, const WeakQuestionQuery& query,
                           const std::filesystem::path& path);

// The questions of the list that rows name (the first genre of the name, its question of the
// text) in the rows' order; rows the list no longer holds are left out.
std::vector<CQuestion*> QuestionsOfRows(const CWordList& list, const std::vector<QuestionStateRow>& rows);
