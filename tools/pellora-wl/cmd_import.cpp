// pellora-wl import: a CSV table, as a spreadsheet saves it, made into a word list.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "exchange/csv_encoding.h"
#include "exchange/csv_import.h"
#include "word_list_loading.h"

namespace {

int RunImport(const std::vector<std::string>& args);

const WlCommand kImport = {
    "import",
    "make a word list from a CSV table",
    "usage: pellora-wl import [--encoding auto|utf-8|cp932] [--add] [--skip-bad] CSV OUT\n"
    "\n"
    "Reads the table CSV (columns genre, question, required, explanation, answer1, ...; a\n"
    "first row starting with the cell 'genre' is a header) and writes the word list OUT as the\n"
    "program saves it. Each row is checked as the editor checks its fields: the question and\n"
    "the answers are trimmed, empty answer cells are skipped, an empty required cell means 1,\n"
    "-1 makes a choice question (2 to 5 answers), a count above the answers is lowered to\n"
    "them. A row without a question only makes its genre. Genres are made in the order they\n"
    "first appear, questions appended in row order.\n"
    "\n"
    "Every bad row (a malformed quote, a character CP932 cannot hold, a refused field) is\n"
    "named on stderr by row and column (from 1) and reason, at most 100 lines and then a count.\n"
    "Then the command exits with 1 and OUT is not touched; with --skip-bad it writes the good\n"
    "rows and exits with 3 when it left a row out.\n"
    "\n"
    "  --encoding E   auto (default: UTF-8 when the whole file is valid UTF-8, else CP932),\n"
    "                 utf-8 or cp932; a UTF-8 byte-order mark is skipped\n"
    "  --add          add the rows to the word list OUT already holds (genres found by name)\n"
    "  --skip-bad     write the good rows, leaving the bad ones out\n",
    RunImport,
};

[[maybe_unused]] const bool registered = RegisterCommand(kImport);

// The whole file, or nullopt with errno set.
std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return std::nullopt;
    std::string bytes;
    std::error_code ignored;
    const std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (size != static_cast<std::uintmax_t>(-1)) bytes.reserve(static_cast<std::size_t>(size));  // large tables are read once
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) bytes.append(buffer, got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

void Report(const std::string& csv, const CsvProblem& problem) {
    if (problem.row == 0) {
        std::fprintf(stderr, "pellora-wl import: %s: %s\n", csv.c_str(), problem.reason.c_str());
    } else {
        std::fprintf(stderr, "pellora-wl import: %s: row %zu, column %zu: %s\n", csv.c_str(), problem.row,
                     problem.column, problem.reason.c_str());
    }
}

// Every bad row in one run, so that a table is mended in one go; a flood is cut short.
void ReportBadRows(const std::string& csv, const std::vector<CsvProblem>& problems, bool written) {
    constexpr std::size_t kMostLines = 100;
    for (std::size_t i = 0; i < problems.size() && i < kMostLines; ++i) Report(csv, problems[i]);
    if (problems.size() > kMostLines)
        std::fprintf(stderr, "pellora-wl import: %s: %zu more problems not shown\n", csv.c_str(),
                     problems.size() - kMostLines);
    std::size_t rows = 0;
    for (std::size_t i = 0; i < problems.size(); ++i) rows += i == 0 || problems[i].row != problems[i - 1].row;
    const char* noun = rows == 1 ? "row" : "rows";
    if (written)
        std::fprintf(stderr, "pellora-wl import: %s: %zu bad %s left out\n", csv.c_str(), rows, noun);
    else
        std::fprintf(stderr, "pellora-wl import: %s: %zu bad %s; nothing written (--skip-bad writes the rest)\n",
                     csv.c_str(), rows, noun);
}

int RunImport(const std::vector<std::string>& args) {
    if (HelpAsked(kImport, args)) return 0;
    CsvEncoding encoding = CsvEncoding::Auto;
    bool add = false;
    bool skipBad = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--encoding") {
            if (i + 1 == args.size()) return UsageError(kImport, "--encoding needs a value");
            const std::string& value = args[++i];
            if (value == "auto") encoding = CsvEncoding::Auto;
            else if (value == "utf-8") encoding = CsvEncoding::Utf8;
            else if (value == "cp932") encoding = CsvEncoding::Cp932;
            else return UsageError(kImport, "unknown encoding '" + value + "'");
        } else if (arg == "--add") {
            add = true;
        } else if (arg == "--skip-bad") {
            skipBad = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(kImport, "unknown option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) return UsageError(kImport, "give CSV and OUT");
    const std::string& csv = files[0];
    const std::string& out = files[1];

    const std::optional<std::string> bytes = ReadWholeFile(csv);
    if (!bytes) {
        Report(csv, {0, 0, std::string("cannot be read: ") + std::strerror(errno)});
        return 1;
    }

    CWordList list;
    if (add) {
        if (auto failure = LoadForCommand(list, out)) {
            PrintFailure(kImport.name, *failure);
            return 1;
        }
    }
    const std::vector<CsvProblem> problems = ImportCsv(*bytes, encoding, list);
    if (!problems.empty() && !skipBad) {
        ReportBadRows(csv, problems, false);
        return 1;
    }
    if (auto failure = SaveForCommand(list, out)) {
        PrintFailure(kImport.name, *failure);
        return 1;
    }
    if (problems.empty()) return 0;
    ReportBadRows(csv, problems, true);
    return 3;  // written, but not all of it: a script must notice
}

}  // namespace
