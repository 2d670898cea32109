#include "exchange/csv_export.h"

#include <algorithm>
#include <string_view>

#include "exchange/csv_cells.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

constexpr std::size_t kFixedColumns = 4;  // genre, question, required, explanation
constexpr std::size_t kPieceSize = 1 << 20;  // large lists go out in pieces, not as one string

// A cell's text with each CR LF as a single LF, the line break of a spreadsheet's cell.
void AppendTextCell(std::string& out, std::string_view text, std::string& scratch) {
    if (text.find("\r\n") == std::string_view::npos) {
        AppendCsvCell(out, text);
        return;
    }
    scratch.clear();
    for (std::size_t start = 0;;) {
        const std::size_t pair = text.find("\r\n", start);
        scratch += text.substr(start, pair == std::string_view::npos ? pair : pair - start);
        if (pair == std::string_view::npos) break;
        scratch += '\n';
        start = pair + 2;
    }
    AppendCsvCell(out, scratch);
}

void EndRow(std::string& out, std::size_t cells, std::size_t width) {
    // Every row as wide as the header, as a spreadsheet writes it.
    out.append(width - cells, ',');
    out += "\r\n";
}

}  // namespace

CsvExport ExportCsv(const CWordList& list, const std::vector<std::string>& genreNames, const CsvPieceWriter& write) {
    std::vector<const CGenre*> genres;
    for (const auto& genre : list.GetGenres()) {
        const std::string_view name = genre->GetName();
        if (genreNames.empty() || std::find(genreNames.begin(), genreNames.end(), name) != genreNames.end())
            genres.push_back(genre.get());
    }

    CsvExport result;
    std::size_t answerColumns = 0;
    for (const CGenre* genre : genres) {
        for (const CGenreEntry& entry : genre->GetEntries()) {
            if (const CQuestion* question = entry.GetQuestion())
                answerColumns = std::max(answerColumns, question->GetAnswers().size());
            else if (entry.GetKind() == CGenreEntry::kChild)
                ++result.childrenLeftOut;
        }
    }

    std::string out;
    out.reserve(kPieceSize + (kPieceSize >> 2));
    std::size_t row = 1;
    std::size_t firstRow = 1;
    const auto flush = [&] {
        if (!write(out, firstRow)) return false;
        out.clear();
        firstRow = row;
        return true;
    };
    // What has gathered goes on once it is large enough.
    const auto rowDone = [&] {
        ++row;
        return out.size() < kPieceSize || flush();
    };
    const std::size_t width = kFixedColumns + answerColumns;
    out = "genre,question,required,explanation";
    for (std::size_t i = 1; i <= answerColumns; ++i) out += ",answer" + std::to_string(i);
    out += "\r\n";
    if (!rowDone()) return result;
    std::string scratch;
    for (const CGenre* genre : genres) {
        bool hasQuestions = false;
        for (const CGenreEntry& entry : genre->GetEntries()) {
            const CQuestion* question = entry.GetQuestion();
            if (!question) continue;
            hasQuestions = true;
            AppendTextCell(out, genre->GetName(), scratch);
            out += ',';
            AppendTextCell(out, question->PeekText(), scratch);
            out += ',';
            out += std::to_string(question->GetRequired());
            out += ',';
            AppendTextCell(out, question->GetExplanation(), scratch);
            for (const CAnswer& answer : question->GetAnswers()) {
                out += ',';
                AppendTextCell(out, answer.GetText(), scratch);
            }
            EndRow(out, kFixedColumns + question->GetAnswers().size(), width);
            if (!rowDone()) return result;
        }
        if (!hasQuestions) {
            AppendTextCell(out, genre->GetName(), scratch);
            EndRow(out, 1, width);
            if (!rowDone()) return result;
        }
    }
    result.complete = out.empty() || flush();
    return result;
}
