#include "exchange/csv_import.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editor/question_fields.h"
#include "exchange/csv_cells.h"
#include "platform/c_runtime.h"
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

struct RowProblem {
    std::size_t column;  // from 0
    const char* reason;
};

// The question fields of a row, as the editor's fields would hold them, or the column to
// blame. input only lends its buffers from row to row.
std::optional<RowProblem> ReadRow(const std::vector<std::string>& cells, QuestionInput& input, QuestionFields& fields) {
    input.text = Cell(cells, kQuestion);
    input.answers.clear();
    const std::string_view required = TrimBlanks(Cell(cells, kRequired));
    if (!required.empty() && !IsWholeNumber(required)) return RowProblem{kRequired, "the required count is not a whole number"};
    input.choice = crt::Atoi(required) < 0;  // any negative count, as the model reads it
    input.required = required;
    for (std::size_t column = kFirstAnswer; column < cells.size(); ++column) {
        // Empty cells give empty lines, which the editor's rules skip.
        const std::string& answer = cells[column];
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

std::vector<CsvProblem> ImportCsv(std::string_view bytes, CsvEncoding encoding, CWordList& list) {
    const bool utf8 = ReadsAsUtf8(bytes, encoding);
    if (utf8 && bytes.starts_with(kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
    // The cells are cut from the file's own bytes (no trail byte of CP932 and no byte of a
    // UTF-8 character is a comma, a quote or a line break), then each converted.
    CCsvReader reader(bytes);
    std::vector<std::string> read;
    std::vector<std::string> cells;
    QuestionInput input;
    QuestionFields fields;
    std::vector<CsvProblem> problems;
    // A row is checked whole before it touches the list: a bad row leaves out its genre too.
    for (;;) {
        const CCsvReader::Result result = reader.ReadRow(read);
        if (result == CCsvReader::Result::End) return problems;
        if (result == CCsvReader::Result::Malformed) {
            problems.push_back({reader.Row(), reader.Column(), reader.Problem()});
            reader.SkipRow();
            continue;
        }
        const std::size_t row = reader.Row();
        const std::size_t before = problems.size();
        cells.resize(read.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            if (std::optional<std::string> reason = DecodeCsvCell(read[i], utf8, cells[i]))
                problems.push_back({row, i + 1, std::move(*reason)});
        }
        if (problems.size() != before) continue;
        if (row == 1 && cells.front() == "genre") continue;
        const auto filled = std::find_if(cells.begin(), cells.end(), [](const std::string& cell) { return !cell.empty(); });
        if (filled == cells.end()) continue;  // a blank line between blocks of rows
        if (cells.front().empty()) {
            problems.push_back({row, kGenre + 1, "the genre name is empty"});
            continue;
        }
        if (std::all_of(filled + 1, cells.end(), [](const std::string& cell) { return cell.empty(); })) {
            FindOrAddGenre(list, cells.front());
            continue;
        }
        if (const std::optional<RowProblem> problem = ReadRow(cells, input, fields)) {
            problems.push_back({row, problem->column + 1, problem->reason});
            continue;
        }
        CGenre& genre = FindOrAddGenre(list, cells.front());
        // The fields' texts move into the question: a large table is not copied twice.
        const std::string required = std::to_string(fields.required);
        genre.AddQuestion(std::make_unique<CQuestion>(std::move(fields.text), required, true, std::move(fields.answers)));
        if (const std::string_view explanation = Cell(cells, kExplanation); !explanation.empty())
            genre.GetEntries().back().GetQuestion()->SetExplanation(explanation);
    }
}
