// pellora-wl dump, save, check, rank and settings on files made for each test.
#include <filesystem>

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

    // --bytes: the hex of every data text (動物 is 0x93 0xAE 0x95 0xA8, 鳥 0x92 0xB9).
    run = RunCli(dir, "dump --bytes list.wl");
    for (const char* piece : {"{\"name\": \"93ae95a8\"", "\"answers\": [\"646f67\", ", "{\"child\": \"92b9\"}"})
        EXPECT_NE(run.out.find(piece), std::string::npos) << piece << "\n" << run.out;
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
    EXPECT_EQ(RunCli(dir, "check --help").out.rfind("usage: pellora-wl check", 0), 0u);
    for (const char* wrong : {"dump list.wl list.wl", "save a b c", "save --x a.wl", "check a.wl b.wl"}) {
        run = RunCli(dir, wrong);
        EXPECT_EQ(run.exitCode, 2) << wrong;
        EXPECT_NE(run.err.find("usage: pellora-wl"), std::string::npos) << run.err;
    }
}

TEST(RankCli, PrintsTheRankingsOfAFileOrTheFailure) {
    TempDir dir;
    WriteFileBytes(dir / "lesson.wls", Sjis("_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,動物,植物\r\n"
                                            "2001/05/12,20,18,はなこ\r\n2001/05/10,30,25,(no-name)\r\n"));
    CliRun run = RunCli(dir, "rank lesson.wls");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "{\"file\": \"lesson.wls\", \"ok\": true, \"rankings\": [{\"names\": [\"動物\", \"植物\"], \"entries\": ["
              "{\"date\": \"2001/05/12\", \"questions\": 20, \"right\": 18, \"name\": \"はなこ\", \"rate\": 90}, "
              "{\"date\": \"2001/05/10\", \"questions\": 30, \"right\": 25, \"name\": \"(no-name)\", "
              "\"rate\": 83.33333333333334}]}]}\n");
    WriteFileBytes(dir / "bad.wls", "not a rank file\r\n");
    run = RunCli(dir, "rank bad.wls");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "{\"file\": \"bad.wls\", \"ok\": false, \"caption\": \"pellora\", "
                       "\"message\": \"bad.wls : 不正なファイルが指定されました。\"}\n");
}

TEST(SettingsCli, PrintsTheSettingsAsTheProgramReadsThemWritingNothing) {
    TempDir dir;
    const std::string folder = std::filesystem::canonical(dir.Path()).string();
    const std::string ini = "_PEL_LORA_INI_FILE_\r\nCURRENT_DIR=/lists/\r\nCURRENT_FILE=/lists/" + Sjis("動物") +
                            ".wl\r\nBGM_FLAG=FALSE\r\nBGM_FILE=m \"x\".mid\r\nUSEHINT=TRUE\r\nCOMPLETE_MODE=TRUE\r\n"
                            "TIMELIMIT=-5\r\n";
    WriteFileBytes(dir / "Pellora.ini", ini);
    const CliRun run = RunCli(dir, "settings");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // Paths are printed as their bytes read as UTF-8: CP932 bytes show as replacements.
    EXPECT_EQ(run.out, "{\"current_dir\": \"/lists/\", \"current_file\": \"/lists/\\ufffd\\ufffd\\ufffd\\ufffd.wl\", "
                       "\"bgm_flag\": 0, \"bgm_file\": \"" + folder + "/m \\\"x\\\".mid\", \"use_hint\": 1, "
                       "\"complete_mode\": 1, \"time_limit\": -5, \"help_file\": \"" + folder +
                       "/HARBORLESSONS.HLP\", \"rank_file\": \"/lists/\\ufffd\\ufffd\\ufffd\\ufffd.wls\"}\n");
    EXPECT_EQ(ReadFileBytes(dir / "Pellora.ini"), ini);
}

}  // namespace
