// pellora-wl save: reads a word list and writes it again with the program's own writer.
#include <string>
#include <vector>

#include "command.h"
#include "word_list_loading.h"

namespace {

int RunSave(const std::vector<std::string>& args);

const WlCommand kSave = {
    "save",
    "read a word list and write it again as the program saves it",
    "usage: pellora-wl save IN OUT\n"
    "\n"
    "Reads the word list IN as the program does and writes it to OUT as the program saves\n"
    "it. On failure prints the caption and text of the message the program would show on\n"
    "stderr and exits with 1; OUT is then left as it was.\n",
    RunSave,
};

[[maybe_unused]] const bool registered = RegisterCommand(kSave);

int RunSave(const std::vector<std::string>& args) {
    if (HelpAsked(kSave, args)) return 0;
    for (const std::string& arg : args)
        if (arg.size() > 1 && arg[0] == '-') return UsageError(kSave, "unknown option '" + arg + "'");
    if (args.size() != 2) return UsageError(kSave, "give IN and OUT");

    CWordList list;
    auto failure = LoadForCommand(list, args[0]);
    if (!failure) failure = SaveForCommand(list, args[1]);
    if (failure) {
        PrintFailure(kSave.name, *failure);
        return 1;
    }
    return 0;
}

}  // namespace
