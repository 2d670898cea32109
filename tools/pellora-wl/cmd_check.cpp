// pellora-wl check: whether a word list loads, with a short count of what it holds.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "word_list_loading.h"
#include "wordlist/genre.h"

namespace {

int RunCheck(const std::vector<std::string>& args);

const WlCommand kCheck = {
    "check",
    "check that a word list loads and count what it holds",
    "usage: pellora-wl check FILE\n"
    "\n"
    "Reads the word list FILE as the program does and prints the number of genres,\n"
    "questions, child references and children whose genre is not in the file. When the\n"
    "program would refuse the file, prints the caption and text of its message on stderr\n"
    "and exits with 1.\n",
    RunCheck,
};

[[maybe_unused]] const bool registered = RegisterCommand(kCheck);

int RunCheck(const std::vector<std::string>& args) {
    if (HelpAsked(kCheck, args)) return 0;
    for (const std::string& arg : args)
        if (arg.size() > 1 && arg[0] == '-') return UsageError(kCheck, "unknown option '" + arg + "'");
    if (args.size() != 1) return UsageError(kCheck, "give exactly one FILE");

    CWordList list;
    if (auto failure = LoadForCommand(list, args[0])) {
        PrintFailure(kCheck.name, *failure);
        return 1;
    }
    std::size_t questions = 0;
    std::size_t children = 0;
    std::size_t pending = 0;
    for (const auto& genre : list.GetGenres()) {
        for (const CGenreEntry& entry : genre->GetEntries()) {
            switch (entry.GetKind()) {
                case CGenreEntry::kQuestion: ++questions; break;
                case CGenreEntry::kChild: ++children; break;
                default: ++pending; break;
            }
        }
    }
    std::printf("%s: %zu genres, %zu questions, %zu child references, %zu unresolved children\n", args[0].c_str(),
                list.GetCount(), questions, children, pending);
    return 0;
}

}  // namespace
