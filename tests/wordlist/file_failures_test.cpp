// Files that cannot be read or written: the message the learner sees, and nothing lost.
#include <sys/wait.h>
#include <unistd.h>

#include "support/file_size_limit.h"
#include "wordlist_test_util.h"

namespace {

namespace fs = std::filesystem;

const std::string kOldFile = kHeader + "PL_BLOCK,old;\r\nPL_BLOCK_END;\r\n\r\n";
const char* const kNotPermitted = " : 書き込みが許可されませんでした。";
const char* const kWriteError = " : 書き込み中にエラーが発生しました。";

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

class FileFailureTest : public WordListFileTest {
protected:
    void SetUp() override { Build(list, "kept[q]"); }
};

TEST_F(FileFailureTest, ReadFailuresLeaveTheListAsItWas) {
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
        prompt.Clear();
        EXPECT_EQ(LoadWordList(prompt, list, c.path), 0) << c.path;
        EXPECT_EQ(OneMessage(prompt, c.path.string() + c.text, c.caption), "");
        EXPECT_EQ(Describe(list), "kept=1[q]");
    }
}

TEST_F(FileFailureTest, UnwritableTargetsAreRefusedAndUntouched) {
    fs::create_directory(dir / "folder.wl");
    for (const fs::path& path : {dir / "no" / "such.wl", dir / "folder.wl"})
        EXPECT_EQ(SaveFails(list, path, kNotPermitted, ""), "");
    EXPECT_TRUE(fs::is_empty(dir / "folder.wl"));
    // A field list is no word list: no file, no message.
    EXPECT_EQ(Fields({"a"}).Save(prompt, dir / "fields.wl"), 0);
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_FALSE(fs::exists(dir / "fields.wl"));

    // A read-only file and a file in a read-only folder, checked in a child process, which root
    // (who may write anything) leaves as an ordinary user.
    using fs::perms;
    WriteFileBytes(dir / "readonly.wl", kOldFile);
    fs::permissions(dir / "readonly.wl", perms::owner_read | perms::others_read);
    fs::create_directory(dir / "locked");
    WriteFileBytes(dir / "locked" / "list.wl", kOldFile);
    fs::permissions(dir / "locked", perms::owner_read | perms::owner_exec | perms::others_read | perms::others_exec);
    fs::permissions(dir.Path(), perms::all);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        std::string failure = SaveFails(list, dir / "readonly.wl", kNotPermitted, kOldFile);
        failure += SaveFails(list, dir / "locked" / "list.wl", kNotPermitted, kOldFile);
        std::fputs(failure.c_str(), stderr);
        _exit(failure.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FileFailureTest, WriteErrorsKeepTheOldFileAndEverySaveItsPermissions) {
    const fs::path path = dir / "list.wl";
    const fs::perms odd = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    WriteFileBytes(path, kOldFile);
    fs::permissions(path, odd);
    CGenre* large = AddGenre(list, "large");  // larger than the writer's buffer
    for (int i = 0; i < 20000; ++i) AddQuestion(*large, "question number " + std::to_string(i));
    std::string failure = "not saved";
    {
        ScopedFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Applied());
        failure = SaveFails(list, path, kWriteError, kOldFile);
    }
    EXPECT_EQ(failure, "");
    EXPECT_EQ(fs::status(path).permissions(), odd);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);  // no temporary
    ASSERT_EQ(list.Save(prompt, path), 1);  // a save that succeeds keeps them too
    EXPECT_EQ(fs::status(path).permissions(), odd);
    if (!fs::exists("/dev/full")) return;
    EXPECT_EQ(SaveFails(list, "/dev/full", kWriteError, ""), "");
}

}  // namespace
