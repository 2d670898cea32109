// pellora-wl export: a word list as a CSV table for spreadsheets.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "exchange/csv_encoding.h"
#include "exchange/csv_export.h"
#include "platform/atomic_file.h"
#include "platform/text_codec.h"
#include "word_list_loading.h"

namespace {

int RunExport(const std::vector<std::string>& args);

const WlCommand kExport = {
    "export",
    "write a word list as a CSV table",
    "usage: pellora-wl export [--genre NAME]... [--encoding utf-8|utf-8-bom|cp932] [-o OUT] FILE\n"
    "\n"
    "Reads the word list FILE as the program does and writes it as CSV (RFC 4180, rows ending\n"
    "in CR LF) to OUT, or to standard output. The header row is\n"
    "  genre,question,required,explanation,answer1,answer2,...\n"
    "then one row per question in file order; required is -1 for a choice question. A genre\n"
    "without questions gets a row of its name alone. Child-genre references have no column:\n"
    "they are left out and counted in a warning on stderr.\n"
    "\n"
    "  --genre NAME   only the genres of this name (repeatable); default: every genre\n"
    "  --encoding E   utf-8 (default), utf-8-bom, or cp932 as Japanese spreadsheets read it\n"
    "  -o OUT         the file to write, replaced only once it is complete\n",
    RunExport,
};

[[maybe_unused]] const bool registered = RegisterCommand(kExport);

// The table's destination: standard output, or a file that is replaced only once it is whole.
class CTableOutput {
public:
    bool Open(const std::string& path) {
        toFile_ = !path.empty();
        return !toFile_ || file_.Open(path);
    }
    bool Write(std::string_view bytes) {
        if (toFile_) {
            file_.Write(bytes);
            return !file_.Failed();
        }
        return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    }
    bool Finish() { return toFile_ ? file_.Commit() : std::fflush(stdout) == 0; }

private:
    bool toFile_ = false;
    CAtomicFileWriter file_;
};

int RunExport(const std::vector<std::string>& args) {
    if (HelpAsked(kExport, args)) return 0;
    std::vector<std::string> genres;
    CsvEncoding encoding = CsvEncoding::Utf8;
    std::string out;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--genre" || arg == "--encoding" || arg == "-o";
        if (takesValue && i + 1 == args.size()) return UsageError(kExport, arg + " needs a value");
        if (arg == "--genre") {
            const std::optional<std::string> name = text::Utf8ToCp932(args[++i]);
            if (!name) return UsageError(kExport, "the genre name '" + args[i] + "' cannot be written in CP932");
            genres.push_back(*name);
        } else if (arg == "--encoding") {
            const std::string& value = args[++i];
            if (value == "utf-8") encoding = CsvEncoding::Utf8;
            else if (value == "utf-8-bom") encoding = CsvEncoding::Utf8Bom;
            else if (value == "cp932") encoding = CsvEncoding::Cp932;
            else return UsageError(kExport, "unknown encoding '" + value + "'");
        } else if (arg == "-o") {
            out = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(kExport, "unknown option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) return UsageError(kExport, "give exactly one FILE");
    const std::string& file = files[0];

    CWordList list;
    if (auto failure = LoadForCommand(list, file)) {
        PrintFailure(kExport.name, *failure);
        return 1;
    }
    for (const std::string& name : genres) {
        if (!list.FindGenre(name)) {
            std::fprintf(stderr, "pellora-wl export: %s: no genre is named '%s'\n", file.c_str(),
                         text::Cp932ToUtf8Lossy(name).c_str());
            return 1;
        }
    }
    CTableOutput output;
    const char* outName = out.empty() ? "standard output" : out.c_str();
    if (!output.Open(out) || (encoding == CsvEncoding::Utf8Bom && !output.Write(kUtf8Bom))) {
        std::fprintf(stderr, "pellora-wl export: %s: cannot be written\n", outName);
        return 1;
    }
    std::optional<CsvProblem> problem;
    bool written = true;
    std::string bytes;
    const CsvExport result = ExportCsv(list, genres, [&](std::string_view piece, std::size_t firstRow) {
        problem = EncodeCsvPiece(piece, encoding, bytes);
        if (problem) problem->row += firstRow - 1;
        written = !problem && output.Write(bytes);
        return written;
    });
    if (problem) {
        std::fprintf(stderr, "pellora-wl export: %s: row %zu, column %zu of the table: %s\n", file.c_str(),
                     problem->row, problem->column, problem->reason.c_str());
        return 1;
    }
    if (!written || !result.complete || !output.Finish()) {
        std::fprintf(stderr, "pellora-wl export: %s: cannot be written\n", outName);
        return 1;
    }
    if (result.childrenLeftOut > 0) {
        std::fprintf(stderr, "pellora-wl export: warning: %d child-genre reference%s left out (a table cannot hold them)\n",
                     result.childrenLeftOut, result.childrenLeftOut == 1 ? "" : "s");
    }
    return 0;
}

}  // namespace
