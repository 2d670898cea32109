// pellora-wl dump: a word list as JSON, read exactly as the program reads it.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "json_writer.h"
#include "word_list_loading.h"
#include "wordlist/genre.h"

namespace {

int RunDump(const std::vector<std::string>& args);

const WlCommand kDump = {
    "dump",
    "show a word list (*.wl) as JSON",
    "usage: pellora-wl dump [--bytes] FILE\n"
    "\n"
    "Reads the word list FILE as the program does and prints\n"
    "  {\"file\": P, \"ok\": true, \"genres\": [{\"name\": N, \"total\": T, \"entries\": [E, ...]}, ...]}\n"
    "with the genres in list order. Each entry E, in entry order, is one of\n"
    "  {\"question\": Q, \"required\": R, \"answers\": [A, ...], \"explanation\": X}\n"
    "  {\"child\": NAME}      a child genre\n"
    "  {\"pending\": NAME}    a child whose genre is not in the file\n"
    "where X is null for a question without explanation. When the program would refuse the\n"
    "file, prints\n"
    "  {\"file\": P, \"ok\": false, \"caption\": C, \"message\": M}\n"
    "with the message it would show, and exits with 1.\n"
    "\n"
    "  --bytes   write every data text as the hex of its CP932 bytes instead of UTF-8\n",
    RunDump,
};

[[maybe_unused]] const bool registered = RegisterCommand(kDump);

void AppendEntry(std::string& out, const CGenreEntry& entry, bool bytes) {
    if (entry.GetKind() == CGenreEntry::kChild) {
        out += "{\"child\": " + json::Data(entry.GetChild()->GetName(), bytes) + "}";
        return;
    }
    if (entry.GetKind() != CGenreEntry::kQuestion) {
        out += "{\"pending\": " + json::Data(entry.GetPendingName(), bytes) + "}";
        return;
    }
    const CQuestion& question = *entry.GetQuestion();
    out += "{\"question\": " + json::Data(question.PeekText(), bytes) +
           ", \"required\": " + std::to_string(question.GetRequired()) + ", \"answers\": [";
    for (std::size_t i = 0; i < question.GetAnswers().size(); ++i) {
        if (i > 0) out += ", ";
        out += json::Data(question.GetAnswers()[i].GetText(), bytes);
    }
    out += "], \"explanation\": ";
    out += question.HasExplanation() ? json::Data(question.GetExplanation(), bytes) : "null";
    out += "}";
}

int RunDump(const std::vector<std::string>& args) {
    if (HelpAsked(kDump, args)) return 0;
    int exitCode = 0;
    const std::optional<DataFileArguments> parsed = ParseDataFileArguments(kDump, args, &exitCode);
    if (!parsed) return exitCode;
    const bool bytes = parsed->bytes;
    const std::string& file = parsed->file;

    CWordList list;
    std::string out = "{\"file\": " + json::Quote(file);
    if (auto failure = LoadForCommand(list, file)) {
        out += ", \"ok\": false, \"caption\": " + json::Quote(failure->caption) +
               ", \"message\": " + json::Quote(failure->text) + "}\n";
        std::fputs(out.c_str(), stdout);
        return 1;
    }
    out += ", \"ok\": true, \"genres\": [";
    bool firstGenre = true;
    for (const auto& genre : list.GetGenres()) {
        out += firstGenre ? "\n" : ",\n";
        firstGenre = false;
        out += "{\"name\": " + json::Data(genre->GetName(), bytes) +
               ", \"total\": " + std::to_string(genre->GetTotal()) + ", \"entries\": [";
        for (std::size_t i = 0; i < genre->GetEntries().size(); ++i) {
            if (i > 0) out += ", ";
            AppendEntry(out, genre->GetEntries()[i], bytes);
            // Large lists go out piece by piece rather than as one string.
            if (out.size() > (1u << 16)) {
                std::fwrite(out.data(), 1, out.size(), stdout);
                out.clear();
            }
        }
        out += "]}";
    }
    out += "]}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace
