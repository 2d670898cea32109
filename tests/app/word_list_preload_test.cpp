// The word list read on a thread of its own at start-up: the window taking it gets just what
// reading the file itself would have given it, once, and only for the file the settings named.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/word_list_preload.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

// Reading path into a list that holds before.wl: the result, what was told, the list as written.
std::string Read(CWordListPreload* preload, const std::string& path, const TempDir& dir) {
    CRecordingPrompt prompt;
    CWordList list(CWordList::kGenres);
    LoadWordList(prompt, list, dir / "before.wl");  // stays when the reading fails
    std::string outcome = std::to_string(CWordListPreload::Load(preload, prompt, list, path));
    for (const auto& message : prompt.Messages()) outcome += "|" + message.caption + "|" + message.text;
    list.Save(prompt, dir / "written.wl");
    return outcome + "|" + ReadFileBytes(dir / "written.wl");
}

TEST(WordListPreload, GivesWhatReadingTheFileThereWouldGiveOnceAndOnlyForTheNamedFile) {
    TempDir dir;
    ScopedCurrentDir here(dir.Path());
    const std::string good = "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,g;\r\nq,1,a;\r\nPL_BLOCK_END;\r\n";
    WriteFileBytes(dir / "before.wl", "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,old;\r\nPL_BLOCK_END;\r\n");
    WriteFileBytes(dir / "other.wl", good + "PL_BLOCK,other;\r\nPL_BLOCK_END;\r\n");
    const struct {
        const char* file;  // named by the settings, or "default.wl" of a first start
        std::string bytes;
        bool firstStart;  // no settings file yet: the list is written after the start
    } rows[] = {{"lesson.wl", good, false}, {"lesson.wl", "not a word list\r\n", false}, {"missing.wl", {}, false},
                {"default.wl", good, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file + row.bytes);
        std::filesystem::remove(dir / "Pellora.ini");
        if (!row.firstStart) {
            WriteFileBytes(dir / "Pellora.ini", std::string("_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=") + row.file + "\r\n");
            if (!row.bytes.empty()) WriteFileBytes(dir / row.file, row.bytes);
        }
        CWordListPreload preload(dir.Path());
        if (row.firstStart) std::this_thread::sleep_for(std::chrono::milliseconds(50));  // a reading finds none
        if (row.firstStart) WriteFileBytes(dir / row.file, row.bytes);
        EXPECT_EQ(Read(&preload, "other.wl", dir), Read(nullptr, "other.wl", dir));
        const std::string direct = Read(nullptr, row.file, dir);
        EXPECT_EQ(Read(&preload, row.file, dir), direct);
        EXPECT_EQ(Read(&preload, row.file, dir), direct) << "taken once, then read afresh";
        std::filesystem::remove(dir / row.file);
    }
}

}  // namespace
