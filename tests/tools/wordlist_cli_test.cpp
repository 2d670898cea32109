// pellora-wl dump, save and check, run as the built program on word lists made for each test.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

struct WlRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs pellora-wl with args in folder, capturing its output streams and exit code.
WlRun RunWl(const std::filesystem::path& folder, const std::string& args) {
    const std::filesystem::path errFile = folder / ".stderr";
    const std::string command = "cd " + Quoted(folder.string()) + " && " + Quoted(PELLORA_WL_PATH) + " " + args +
                                " 2>" + Quoted(errFile.string());
    WlRun result;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, got);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFileBytes(errFile);
    std::filesystem::remove(errFile);
    return result;
}

// A genre 動物 with a question and two children, one of them defined nowhere.
const std::string kList = "_PEL_LORA_LIST_FILE_,1.0\r\n"
                          "PL_BLOCK,動物;\r\nPL_PRIMITIVE;\r\n犬は英語で?,1,dog,ドッグ;\r\nPL_INFO,一行目\r\n二行目;\r\n"
                          "選んで,-1,正解,誤り;\r\nPL_INCLUDE;\r\n鳥;\r\nどこにもない;\r\nPL_BLOCK_END;\r\n\r\n"
                          "PL_BLOCK,鳥;\r\nPL_BLOCK_END;\r\n\r\n";

class WordListCli : public testing::Test {
protected:
    void SetUp() override { WriteFileBytes(dir / "list.wl", Sjis(kList)); }
    TempDir dir;
};

TEST_F(WordListCli, DumpPrintsTheListAsJson) {
    const WlRun run = RunWl(dir.Path(), "dump list.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"file\": \"list.wl\", \"ok\": true, \"genres\": [\n"
              "{\"name\": \"動物\", \"total\": 2, \"entries\": ["
              "{\"question\": \"犬は英語で?\", \"required\": 1, \"answers\": [\"dog\", \"ドッグ\"], "
              "\"explanation\": \"一行目\\r\\n二行目\"}, "
              "{\"question\": \"選んで\", \"required\": -1, \"answers\": [\"正解\", \"誤り\"], \"explanation\": null}, "
              "{\"child\": \"鳥\"}, {\"pending\": \"どこにもない\"}]},\n"
              "{\"name\": \"鳥\", \"total\": 0, \"entries\": []}]}\n");
}

TEST_F(WordListCli, DumpBytesGivesTheHexOfEveryDataText) {
    const WlRun run = RunWl(dir.Path(), "dump --bytes list.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // 鳥 is 0x92 0xB9; 動物 0x93 0xAE 0x95 0xA8; the path stays text.
    EXPECT_NE(run.out.find("{\"file\": \"list.wl\", \"ok\": true, \"genres\": [\n{\"name\": \"93ae95a8\""),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"answers\": [\"646f67\", "), std::string::npos);
    EXPECT_NE(run.out.find("{\"child\": \"92b9\"}"), std::string::npos);
    EXPECT_NE(run.out.find("\"explanation\": null"), std::string::npos);
    EXPECT_EQ(run.out.find("動物"), std::string::npos);
}

TEST_F(WordListCli, DumpOfAFileThatDoesNotLoad) {
    WriteFileBytes(dir / "foreign.wl", "_PEL_LORA_RANK_FILE_\r\n");
    WlRun run = RunWl(dir.Path(), "dump foreign.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "{\"file\": \"foreign.wl\", \"ok\": false, \"caption\": \"不正ファイル\", "
                       "\"message\": \"foreign.wl : 不正なファイルが指定されました。\"}\n");
    run = RunWl(dir.Path(), "dump missing.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "{\"file\": \"missing.wl\", \"ok\": false, \"caption\": \"Open error\", "
                       "\"message\": \"missing.wl : ファイルが開けません。\"}\n");
}

TEST_F(WordListCli, SaveWritesWhatTheProgramWould) {
    WlRun run = RunWl(dir.Path(), "save list.wl out.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // Only the unresolved child is gone.
    std::string expected = kList;
    expected.erase(expected.find("どこにもない;\r\n"), std::string("どこにもない;\r\n").size());
    EXPECT_EQ(ReadFileBytes(dir / "out.wl"), Sjis(expected));

    run = RunWl(dir.Path(), "save missing.wl out.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "pellora-wl save: Open error: missing.wl : ファイルが開けません。\n");
    EXPECT_EQ(ReadFileBytes(dir / "out.wl"), Sjis(expected));

    run = RunWl(dir.Path(), "save list.wl no/such/out.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "pellora-wl save: Save error: no/such/out.wl : 書き込みが許可されませんでした。\n");
}

TEST_F(WordListCli, CheckCountsWhatTheListHolds) {
    WlRun run = RunWl(dir.Path(), "check list.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "list.wl: 2 genres, 2 questions, 1 child references, 1 unresolved children\n");
    run = RunWl(dir.Path(), "check missing.wl");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "pellora-wl check: Open error: missing.wl : ファイルが開けません。\n");
}

TEST_F(WordListCli, HelpAndWrongArguments) {
    for (const char* command : {"dump", "save", "check"}) {
        SCOPED_TRACE(command);
        WlRun run = RunWl(dir.Path(), std::string(command) + " --help");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.rfind(std::string("usage: pellora-wl ") + command, 0), 0u) << run.out;
        for (const char* wrong : {"", "--frobnicate list.wl", "a.wl b.wl c.wl"}) {
            run = RunWl(dir.Path(), std::string(command) + " " + wrong);
            EXPECT_EQ(run.exitCode, 2) << wrong;
            EXPECT_EQ(run.err.rfind(std::string("pellora-wl ") + command + ": ", 0), 0u) << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
}

}  // namespace
