// The word list read on a thread of its own at start-up: the window taking it gets just what
// reading the file itself would have given it, once, and only for the file the settings named.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/word_list_preload.h"
#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

struct Outcome {
    int loaded;
    std::vector<std::string> told;
    std::string list;  // the list as its file would be written
};

Outcome Read(CWordListPreload* preload, const std::string& path, const TempDir& dir) {
    CWordList list(CWordList::kGenres);
    CRecordingPrompt prompt;
    LoadWordList(prompt, list, dir / "before.wl");  // a list that must stay on failure
    prompt.Clear();
    Outcome outcome{CWordListPreload::Load(preload, prompt, list, path), {}, {}};
    for (const auto& message : prompt.Messages()) outcome.told.push_back(message.caption + "|" + message.text);
    list.Save(prompt, dir / "written.wl");
    outcome.list = ReadFileBytes(dir / "written.wl");
    return outcome;
}

TEST(WordListPreload, GivesWhatReadingTheFileThereWouldGiveOnceAndOnlyForTheNamedFile) {
    TempDir dir;
    ScopedCurrentDir here(dir.Path());
    WriteFileBytes(dir / "before.wl", "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,old;\r\nPL_BLOCK_END;\r\n");
    WriteFileBytes(dir / "other.wl", "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,other;\r\nq,1,a;\r\nPL_BLOCK_END;\r\n");
    const std::string good = "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,g;\r\nq,1,a;\r\nPL_BLOCK_END;\r\n";
    const struct {
        const char* file;  // named by the settings, or "default.wl" of a first start
        std::string bytes;
        bool firstStart;  // no settings file yet: the list is written after the start
    } rows[] = {
        {"lesson.wl", good, false},
        {"lesson.wl", "not a word list\r\n", false},
        {"missing.wl", {}, false},
        {"default.wl", good, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file + row.bytes);
        std::filesystem::remove(dir / row.file);
        std::filesystem::remove(dir / "Pellora.ini");
        if (!row.firstStart)
            WriteFileBytes(dir / "Pellora.ini", std::string("_PEL_LORA_INI_FILE_\r\nCURRENT_FILE=") + row.file + "\r\n");
        if (!row.bytes.empty() && !row.firstStart) WriteFileBytes(dir / row.file, row.bytes);
        CWordListPreload preload(dir.Path());
        if (row.firstStart) {
            // Any reading started would long have found no file (the correct start reads none).
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            WriteFileBytes(dir / row.file, row.bytes);
        }
        const Outcome direct = Read(nullptr, row.file, dir);
        EXPECT_EQ(Read(&preload, "other.wl", dir).list, Read(nullptr, "other.wl", dir).list);
        const Outcome taken = Read(&preload, row.file, dir);
        EXPECT_EQ(taken.loaded, direct.loaded);
        EXPECT_EQ(taken.told, direct.told);
        EXPECT_EQ(taken.list, direct.list);
        const Outcome again = Read(&preload, row.file, dir);  // read afresh, as the open command does
        EXPECT_EQ(again.list, direct.list);
        EXPECT_EQ(again.told, direct.told);
    }
}

}  // namespace
