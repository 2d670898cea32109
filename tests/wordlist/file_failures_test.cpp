#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_dir.h"
#include "wordlist_test_util.h"

namespace {

namespace fs = std::filesystem;

const std::string kOldFile = "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,old;\r\nPL_BLOCK_END;\r\n\r\n";
const fs::perms kOddPermissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;

// "" when the prompt shows exactly this one message with an exclamation mark and OK.
std::string OneMessage(const CRecordingPrompt& prompt, const std::string& text, const std::string& caption) {
    if (prompt.Messages().size() != 1) return std::to_string(prompt.Messages().size()) + " messages";
    const CRecordingPrompt::Message& message = prompt.Messages()[0];
    if (message.icon != PromptIcon::Exclamation || message.buttons != PromptButtons::Ok) return "wrong box";
    return message.text == text && message.caption == caption ? "" : message.caption + ": " + message.text;
}

class FileFailureTest : public testing::Test {
protected:
    void SetUp() override { AddQuestion(*AddGenre(list, "kept"), "q"); }

    // A list larger than the writer's buffer.
    static CWordList LargeList() {
        CWordList large;
        CGenre* g = AddGenre(large, "large");
        for (int i = 0; i < 20000; ++i) AddQuestion(*g, "question number " + std::to_string(i));
        return large;
    }

    TempDir dir;
    CRecordingPrompt prompt;
    CWordList list;
};

TEST_F(FileFailureTest, ReadFailuresLeaveTheListAsItWas) {
    fs::create_directory(dir / "folder.wl");
    WriteFileBytes(dir / "foreign.wl", "_PEL_LORA_RANK_FILE_\r\n");
    WriteFileBytes(dir / "blank_first.wl", "\r\n_PEL_LORA_LIST_FILE_,1.0\r\n");
    const struct {
        fs::path path;
        const char* text;
        const char* caption;
    } cases[] = {
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

TEST_F(FileFailureTest, UnwritableTargetsAreReportedAndUntouched) {
    fs::create_directory(dir / "folder.wl");
    for (const fs::path& path : {dir / "no" / "such.wl", dir / "folder.wl"}) {
        prompt.Clear();
        EXPECT_EQ(list.Save(prompt, path), 0);
        EXPECT_EQ(OneMessage(prompt, path.string() + " : 書き込みが許可されませんでした。", "Save error"), "");
    }
    EXPECT_TRUE(fs::is_empty(dir / "folder.wl"));

    CWordList fields(CWordList::kTexts);  // a field list is no word list: no file, no message
    prompt.Clear();
    EXPECT_EQ(fields.Save(prompt, dir / "fields.wl"), 0);
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_FALSE(fs::exists(dir / "fields.wl"));
}

// Saving over a read-only file and into a read-only folder: "" when both were refused with
// the message and the old files are as they were.
std::string SaveIntoReadOnlyPlaces(const fs::path& folder) {
    CWordList list;
    AddQuestion(*AddGenre(list, "new"), "q");
    for (const fs::path& path : {folder / "readonly.wl", folder / "locked" / "list.wl"}) {
        CRecordingPrompt prompt;
        if (list.Save(prompt, path) != 0) return path.string() + " was written";
        const std::string wrong = OneMessage(prompt, path.string() + " : 書き込みが許可されませんでした。", "Save error");
        if (!wrong.empty()) return wrong;
        if (ReadFileBytes(path) != kOldFile) return path.string() + " changed";
    }
    return "";
}

TEST_F(FileFailureTest, ReadOnlyFileAndFolderStayUntouched) {
    WriteFileBytes(dir / "readonly.wl", kOldFile);
    fs::permissions(dir / "readonly.wl", fs::perms::owner_read | fs::perms::others_read);
    fs::create_directory(dir / "locked");
    WriteFileBytes(dir / "locked" / "list.wl", kOldFile);
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
    if (geteuid() != 0) {
        EXPECT_EQ(SaveIntoReadOnlyPlaces(dir.Path()), "");
        return;
    }
    // Root may write anything: check as an ordinary user in a child process.
    fs::permissions(dir.Path(), fs::perms::all);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        const std::string failure = SaveIntoReadOnlyPlaces(dir.Path());
        std::fputs(failure.c_str(), stderr);
        _exit(failure.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot become an ordinary user";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FileFailureTest, WriteErrorsKeepTheOldFile) {
    const fs::path path = dir / "list.wl";
    WriteFileBytes(path, kOldFile);
    fs::permissions(path, kOddPermissions);
    CWordList large = LargeList();

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int saved = large.Save(prompt, path);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, previous);

    EXPECT_EQ(saved, 0);
    EXPECT_EQ(OneMessage(prompt, path.string() + " : 書き込み中にエラーが発生しました。", "Save error"), "");
    EXPECT_EQ(ReadFileBytes(path), kOldFile);
    EXPECT_EQ(fs::status(path).permissions(), kOddPermissions);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);  // no temporary

    if (!fs::exists("/dev/full")) return;
    prompt.Clear();
    EXPECT_EQ(large.Save(prompt, "/dev/full"), 0);
    EXPECT_EQ(OneMessage(prompt, "/dev/full : 書き込み中にエラーが発生しました。", "Save error"), "");
}

TEST_F(FileFailureTest, ASaveReplacesTheWholeFileKeepingItsPermissions) {
    const fs::path path = dir / "list.wl";
    WriteFileBytes(path, kOldFile + std::string(100000, 'x'));
    fs::permissions(path, kOddPermissions);
    EXPECT_EQ(list.Save(prompt, path), 1);
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_EQ(ReadFileBytes(path),
              "_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,kept;\r\nPL_PRIMITIVE;\r\nq,1,a;\r\nPL_BLOCK_END;\r\n\r\n");
    EXPECT_EQ(fs::status(path).permissions(), kOddPermissions);
}

}  // namespace
