#pragma once
// The word list used last, read on a thread of its own while the windows are being set up, so
// that a large file costs the start little more than a small one. The reading thread touches
// nothing but its own list; the finished list is handed over whole to the window that takes it,
// and what the reader had to tell the learner is told then, to that window, as if it had read
// the file itself.
#include <filesystem>
#include <future>
#include <optional>
#include <string>

#include "platform/recording_prompt.h"
#include "wordlist/word_list.h"

class CWordListPreload {
public:
    // Starts reading the current file named by the settings file in startupDir, if there is one.
    // A relative name is taken from the current directory, as the main window takes it.
    explicit CWordListPreload(const std::filesystem::path& startupDir);
    ~CWordListPreload();  // waits for the reading to end
    CWordListPreload(const CWordListPreload&) = delete;
    CWordListPreload& operator=(const CWordListPreload&) = delete;

    // LoadWordList, with the file taken from the preload when it is the one being read there
    // (waiting for the reading to end); otherwise, or once it has been taken, read here and now.
    static int Load(CWordListPreload* preload, CPrompt& owner, CWordList& list, const std::string& path);

private:
    struct CResult {
        int loaded = 0;
        CWordList list{CWordList::kGenres};
        CRecordingPrompt told;
    };
    // Hands over the file being read when it is path: LoadWordList's result, or none.
    std::optional<int> Take(const std::string& path, CPrompt& owner, CWordList& list);

    std::string path_;
    std::future<CResult> reading_;
};
