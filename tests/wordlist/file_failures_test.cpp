// Files that cannot be read or written: the message the learner sees, and nothing lost.
#include "support/file_size_limit.h"
#include "wordlist_test_util.h"

namespace {

namespace fs = std::filesystem;

const std::string kOldFile = kHeader + "PL_BLOCK,old;\r\nPL_BLOCK_END;\r\n\r\n";

// "" when the prompt shows exactly this one message with an exclamation mark and OK.
std::string OneMessage(const CRecordingPrompt& prompt, const std::string& text, const std::string& caption) {
    if (prompt.Messages().size() != 1) return std::to_string(prompt.Messages().size()) + " messages";
    const CRecordingPrompt::Message& message = prompt.Messages()[0];
    if (message.icon != PromptIcon::Exclamation || message.buttons != PromptButtons::Ok) return "wrong box";
    return message.text == text && message.caption == caption ? "" : message.caption + ": " + message.text;
}

// "" when saving to path fails with the message tail and leaves the file there as it was.
std::string SaveFails(const CWordList& list, const fs::path& path, const char* tail, const std::string& before) {
    CRecordingPrompt prompt;
    if (list.Save(prompt, path) != 0) return path.string() + " was written";
    const std::string wrong = OneMessage(prompt, path.string() + tail, "Save error");
    if (!wrong.empty()) return wrong;
    return fs::is_regular_file(path) && ReadFileBytes(path) != before ? path.string() + " changed" : "";
}

using FileFailureTest = WordListFileTest;

// Whether the old file keeps its owner and mode is the atomic writer's own business; here: what
// the learner is told, and that neither the list nor the old file is lost.
TEST_F(FileFailureTest, FailedReadsKeepTheListAndFailedWritesTheOldFile) {
    Build(list, "kept[q]");
    fs::create_directory(dir / "folder.wl");
    WriteFileBytes(dir / "foreign.wl", "_PEL_LORA_RANK_FILE_\r\n");
    WriteFileBytes(dir / "blank_first.wl", "\r\n" + kHeader);
    const struct { fs::path path; const char* text; const char* caption; } cases[] = {
        {dir / "missing.wl", " : ファイルが開けません。", "Open error"},
        {dir / "folder.wl", " : ファイルが開けません。", "Open error"},
        {dir / "foreign.wl", " : 不正なファイルが指定されました。", "不正ファイル"},
        {dir / "blank_first.wl", " : 不正なファイルが指定されました。", "不正ファイル"},
        // Reading a process's own memory from address 0 fails after the open succeeded.
        {"/proc/self/mem", " : 読み込み中にエラーが発生しました。", "Open error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadWordList(prompt, list, c.path), 0) << c.path;
        EXPECT_EQ(OneMessage(prompt, c.path.string() + c.text, c.caption), "");
        EXPECT_EQ(Describe(list), "kept=1[q]");
        prompt.Clear();
    }

    for (const fs::path& path : {dir / "no" / "such.wl", dir / "folder.wl"})
        EXPECT_EQ(SaveFails(list, path, " : 書き込みが許可されませんでした。", ""), "");
    // A field list is no word list: no file, no message.
    EXPECT_EQ(Fields({"a"}).Save(prompt, dir / "fields.wl"), 0);
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_FALSE(fs::exists(dir / "fields.wl"));

    const fs::path path = dir / "list.wl";
    WriteFileBytes(path, kOldFile);
    CGenre* large = AddGenre(list, "large");  // larger than the writer's buffer
    for (int i = 0; i < 20000; ++i) AddQuestion(*large, "question number " + std::to_string(i));
    // The limit ends before anything is reported: the report could be written to a file.
    const std::string failure = [&] {
        ScopedFileSizeLimit limit(4096);
        return limit.Applied() ? SaveFails(list, path, " : 書き込み中にエラーが発生しました。", kOldFile) : "no size limit";
    }();
    EXPECT_EQ(failure, "");
}

}  // namespace
