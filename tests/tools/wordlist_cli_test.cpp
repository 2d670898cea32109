// pellora-wl dump, save and check on a word list made for each test.
#include "cli_test_util.h"

namespace {

// A genre 動物 with a question and two children, one of them defined nowhere.
const std::string kList = "_PEL_LORA_LIST_FILE_,1.0\r\n"
                          "PL_BLOCK,動物;\r\nPL_PRIMITIVE;\r\n犬は英語で?,1,dog,ドッグ;\r\nPL_INFO,一行目\r\n二行目;\r\n"
                          "選んで,-1,正解,誤り;\r\nPL_INCLUDE;\r\n鳥;\r\nどこにもない;\r\nPL_BLOCK_END;\r\n\r\n"
                          "PL_BLOCK,鳥;\r\nPL_BLOCK_END;\r\n\r\n";

class WordListCli : public testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(dir / "list.wl", Sjis(kList));
        WriteFileBytes(dir / "foreign.wl", "_PEL_LORA_RANK_FILE_\r\n");
    }
    TempDir dir;
};

TEST_F(WordListCli, DumpPrintsTheListAsJsonOrTheFailure) {
    CliRun run = RunCli(dir, "dump list.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"file\": \"list.wl\", \"ok\": true, \"genres\": [\n"
              "{\"name\": \"動物\", \"total\": 2, \"entries\": ["
              "{\"question\": \"犬は英語で?\", \"required\": 1, \"answers\": [\"dog\", \"ドッグ\"], "
              "\"explanation\": \"一行目\\r\\n二行目\"}, "
              "{\"question\": \"選んで\", \"required\": -1, \"answers\": [\"正解\", \"誤り\"], \"explanation\": null}, "
              "{\"child\": \"鳥\"}, {\"pending\": \"どこにもない\"}]},\n"
              "{\"name\": \"鳥\", \"total\": 0, \"entries\": []}]}\n");

    // --bytes: the hex of every data text (鳥 is 0x92 0xB9, 動物 0x93 0xAE 0x95 0xA8); the path stays text.
    run = RunCli(dir, "dump --bytes list.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* piece : {"{\"file\": \"list.wl\", \"ok\": true, \"genres\": [\n{\"name\": \"93ae95a8\"",
                              "\"answers\": [\"646f67\", ", "{\"child\": \"92b9\"}", "\"explanation\": null"})
        EXPECT_NE(run.out.find(piece), std::string::npos) << piece << "\n" << run.out;
    EXPECT_EQ(run.out.find("動物"), std::string::npos);

    for (auto [file, failure] :
         {std::pair{"foreign.wl", "\"caption\": \"不正ファイル\", \"message\": \"foreign.wl : 不正なファイルが指定されました。\"}\n"},
          {"missing.wl", "\"caption\": \"Open error\", \"message\": \"missing.wl : ファイルが開けません。\"}\n"}}) {
        run = RunCli(dir, std::string("dump ") + file);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "{\"file\": \"" + std::string(file) + "\", \"ok\": false, " + failure);
    }
}

TEST_F(WordListCli, SaveWritesWhatTheProgramWouldAndCheckCounts) {
    CliRun run = RunCli(dir, "save list.wl out.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::string expected = kList;  // only the unresolved child is gone
    expected.erase(expected.find("どこにもない;\r\n"), std::string("どこにもない;\r\n").size());
    EXPECT_EQ(ReadFileBytes(dir / "out.wl"), Sjis(expected));
    run = RunCli(dir, "check list.wl");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "list.wl: 2 genres, 2 questions, 1 child references, 1 unresolved children\n");

    const std::pair<const char*, const char*> failures[] = {
        {"save missing.wl out.wl", "pellora-wl save: Open error: missing.wl : ファイルが開けません。\n"},
        {"save list.wl no/such/out.wl", "pellora-wl save: Save error: no/such/out.wl : 書き込みが許可されませんでした。\n"},
        {"check missing.wl", "pellora-wl check: Open error: missing.wl : ファイルが開けません。\n"},
    };
    for (const auto& [args, message] : failures) {
        run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 1) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(run.err, message);
    }
    EXPECT_EQ(ReadFileBytes(dir / "out.wl"), Sjis(expected));
}

TEST_F(WordListCli, HelpGoesToTheOutputAndWrongArgumentsGetTheUsageAsAnError) {
    for (const std::string command : {"dump", "save", "check", "rank"}) {
        CliRun run = RunCli(dir, command + " --help");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out.rfind("usage: pellora-wl " + command, 0), 0u) << run.out;
        for (const char* wrong : {"", "--frobnicate list.wl", "a.wl b.wl c.wl"}) {
            run = RunCli(dir, command + " " + wrong);
            EXPECT_EQ(run.exitCode, 2) << command << " " << wrong;
            EXPECT_EQ(run.err.rfind("pellora-wl " + command + ": ", 0), 0u) << run.err;
            EXPECT_NE(run.err.find("usage: pellora-wl " + command), std::string::npos) << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
}

}  // namespace
