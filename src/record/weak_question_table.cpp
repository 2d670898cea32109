#include "record/weak_question_table.h"

#include <algorithm>
#include <unordered_map>

#include "exchange/csv_cells.h"
#include "exchange/csv_encoding.h"
#include "platform/atomic_file.h"
#include "platform/text_codec.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

std::string ShownDay(std::string day) {
    std::replace(day.begin(), day.end(), '-', '/');
    return day;
}

constexpr std::size_t kRowsPerRead = 4096;  // bounds the memory a large record takes

}  // namespace

std::string WeakCellText(const QuestionStateRow& row, WeakColumn column) {
    switch (column) {
        case WeakColumn::Genre: return text::Cp932ToUtf8Lossy(row.genre);
        case WeakColumn::Question: return text::Cp932ToUtf8Lossy(row.question);
        case WeakColumn::Box: return std::to_string(row.box);
        case WeakColumn::Right: return std::to_string(row.right);
        case WeakColumn::Wrong: return std::to_string(row.wrong);
        case WeakColumn::Last: return ShownDay(row.last);
        case WeakColumn::Due: return ShownDay(row.due);
    }
    return {};
}

bool WriteWeakQuestionsCsv(const CRecordStore& store, std::string_view wordListFile, const WeakQuestionQuery& query,
                           const std::filesystem::path& path) {
    CAtomicFileWriter file;
    if (!file.Open(path)) return false;
    std::string out(kUtf8Bom);
    auto endRow = [&] {
        out.back() = '\r';  // the last cell's comma
        out += '\n';
        file.Write(out);
        out.clear();
    };
    for (const char* heading : kWeakColumnHeadings) {
        AppendCsvCell(out, heading);
        out += ',';
    }
    endRow();
    for (std::size_t offset = 0;; offset += kRowsPerRead) {
        const std::vector<QuestionStateRow> rows = store.WeakQuestions(wordListFile, query, offset, kRowsPerRead);
        for (const QuestionStateRow& row : rows) {
            for (std::size_t column = 0; column < kWeakColumnHeadings.size(); ++column) {
                AppendCsvCell(out, WeakCellText(row, static_cast<WeakColumn>(column)));
                out += ',';
            }
            endRow();
        }
        if (rows.size() < kRowsPerRead) break;
    }
    return file.Commit();
}

std::vector<CQuestion*> QuestionsOfRows(const CWordList& list, const std::vector<QuestionStateRow>& rows) {
    // Each genre's questions by text, made when a row first names the genre: every due
    // question of a large list is found without walking a genre once per row.
    std::unordered_map<const CGenre*, std::unordered_map<std::string_view, CQuestion*>> byText;
    std::vector<CQuestion*> questions;
    for (const QuestionStateRow& row : rows) {
        const CGenre* genre = list.FindGenre(row.genre);
        if (!genre) continue;
        auto [texts, fresh] = byText.try_emplace(genre);
        if (fresh) {
            for (const CGenreEntry& entry : genre->GetEntries())
                if (CQuestion* question = entry.GetQuestion()) texts->second.try_emplace(question->PeekText(), question);
        }
        const auto found = texts->second.find(row.question);
        if (found != texts->second.end()) questions.push_back(found->second);
    }
    return questions;
}
