// pellora: the Harbor Lessons program.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "app/quiz_app.h"
#include "app/word_list_preload.h"

namespace {

constexpr const char* kUsage =
    "usage: pellora [WORDLIST]\n"
    "\n"
    "Harbor Lessons: drills from word lists (*.wl). Started in a folder, the program keeps its\n"
    "settings (Pellora.ini) there. WORDLIST is opened as the open command of the window opens\n"
    "a file; without it the word list used last is opened.\n"
    "\n"
    "  --help      show this text\n"
    "  --version   show the version\n";

bool Asked(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        if (!std::strcmp(argv[i], option)) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered without a window, so they work where there is no display.
    if (Asked(argc, argv, "--help") || Asked(argc, argv, "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (Asked(argc, argv, "--version")) {
        std::printf("pellora (Harbor Lessons) %s\n", PELLORA_VERSION);
        return 0;
    }
    // The word list used last is read while Qt starts.
    std::optional<CWordListPreload> preload;
    std::error_code error;
    const std::filesystem::path startupDir = std::filesystem::current_path(error);
    if (!error) preload.emplace(startupDir);
    QApplication application(argc, argv);  // takes Qt's own options out of argv
    std::string wordList;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if ((options && arg.size() > 1 && arg[0] == '-') || !wordList.empty()) {
            std::fprintf(stderr, "pellora: unexpected argument '%s'\n\n%s", arg.c_str(), kUsage);
            return 2;
        } else {
            wordList = arg;
        }
    }
    return CQuizApp().Run(wordList, preload ? &*preload : nullptr);
}
