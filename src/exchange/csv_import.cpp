#include "exchange/csv_import.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editor/question_fields.h"
#include "exchange/csv_cells.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

enum Column : std::size_t { kGenre, kQuestion, kRequired, kExplanation, kFirstAnswer };

bool IsWholeNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view Cell(const std::vector<std::string>& cells, std::size_t column) {
    return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
}

CGenre& FindOrAddGenre(CWordList& list, std::string_view name) {
    if (CGenre* genre = list.FindGenre(name)) return *genre;
    return *list.AddGenre(std::make_unique<CGenre>(std::string(name)));
}

// The question fields of a row, as the editor's fields would hold them; a problem names the
// column to blame (from 0).
struct RowProblem {
    std::size_t column;
    const char* reason;
};

std::optional<RowProblem> ReadRow(const std::vector<std::string>& cells, QuestionFields& fields) {
    QuestionInput input;
    input.text = Cell(cells, kQuestion);
    const std::string_view required = TrimBlanks(Cell(cells, kRequired));
    if (!required.empty() && !IsWholeNumber(required)) return RowProblem{kRequired, "the required count is not a whole number"};
    input.choice = required.starts_with('-');
    input.required = required;
    for (std::size_t column = kFirstAnswer; column < cells.size(); ++column) {
        const std::string& answer = cells[column];
        if (answer.empty()) continue;
        if (answer.find_first_of("\r\n") != std::string::npos) return RowProblem{column, "an answer cannot hold a line break"};
        input.answers += answer;
        input.answers += '\n';
    }
    switch (ReadQuestionFields(input, fields)) {
    case FieldsRefusal::None:
        return std::nullopt;
    case FieldsRefusal::MissingData:
        if (TrimBlanks(input.text).empty()) return RowProblem{kQuestion, "the question is empty"};
        return RowProblem{kFirstAnswer, "the question has no answer"};
    case FieldsRefusal::ChoiceCount:
        break;
    }
    return RowProblem{kRequired, "a choice question needs 2 to 5 answers"};
}

}  // namespace

std::optional<CsvProblem> ImportCsv(std::string_view table, CWordList& list) {
    CCsvReader reader(table);
    std::vector<std::string> cells;
    QuestionFields fields;
    for (;;) {
        const CCsvReader::Result result = reader.ReadRow(cells);
        if (result == CCsvReader::Result::End) return std::nullopt;
        if (result == CCsvReader::Result::Malformed) return CsvProblem{reader.Row(), reader.Column(), reader.Problem()};
        const std::size_t row = reader.Row();
        if (row == 1 && cells.front() == "genre") continue;
        const auto filled = std::find_if(cells.begin(), cells.end(), [](const std::string& cell) { return !cell.empty(); });
        if (filled == cells.end()) continue;  // a blank line between blocks of rows
        if (cells.front().empty()) return CsvProblem{row, kGenre + 1, "the genre name is empty"};

        CGenre& genre = FindOrAddGenre(list, cells.front());
        if (std::all_of(filled + 1, cells.end(), [](const std::string& cell) { return cell.empty(); })) continue;
        if (const std::optional<RowProblem> problem = ReadRow(cells, fields))
            return CsvProblem{row, problem->column + 1, problem->reason};
        genre.AddQuestion(fields.ToFieldList());
        if (const std::string_view explanation = Cell(cells, kExplanation); !explanation.empty())
            genre.GetEntries().back().GetQuestion()->SetExplanation(explanation);
    }
}
