// pellora-wl rank and settings on files made for each test.
#include <filesystem>

#include "cli_test_util.h"

namespace {

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
    run = RunCli(dir, "rank --bytes lesson.wls");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("\"names\": [\"93ae95a8\", \"904195a8\"]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"date\": \"323030312f30352f3132\""), std::string::npos) << run.out;

    run = RunCli(dir, "rank none.wls");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "{\"file\": \"none.wls\", \"ok\": true, \"rankings\": []}\n");
    WriteFileBytes(dir / "bad.wls", "not a rank file\r\n");
    run = RunCli(dir, "rank bad.wls");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "{\"file\": \"bad.wls\", \"ok\": false, \"caption\": \"pellora\", "
                       "\"message\": \"bad.wls : 不正なファイルが指定されました。\"}\n");
}

TEST(SettingsCli, PrintsTheSettingsAsTheProgramReadsThemWritingNothing) {
    TempDir dir;
    const std::string folder = std::filesystem::canonical(dir.Path()).string();
    CliRun run = RunCli(dir, "settings");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"current_dir\": \".\", \"current_file\": \"default.wl\", \"bgm_flag\": 1, "
                       "\"bgm_file\": \"" + folder + "/default.mid\", \"use_hint\": 1, \"complete_mode\": 0, "
                       "\"time_limit\": 10, \"help_file\": \"" + folder + "/HARBORLESSONS.HLP\", "
                       "\"rank_file\": \"default.wls\"}\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "Pellora.ini"));

    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_DIR=/lists/\r\nCURRENT_FILE=/lists/" +
                                            Sjis("動物") + ".wl\r\nBGM_FLAG=FALSE\r\nBGM_FILE=m \"x\".mid\r\n"
                                            "USEHINT=TRUE\r\nCOMPLETE_MODE=TRUE\r\nTIMELIMIT=-5\r\n");
    run = RunCli(dir, "settings");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // Paths are printed as their bytes read as UTF-8: CP932 bytes show as replacements.
    EXPECT_EQ(run.out, "{\"current_dir\": \"/lists/\", \"current_file\": \"/lists/\\ufffd\\ufffd\\ufffd\\ufffd.wl\", "
                       "\"bgm_flag\": 0, \"bgm_file\": \"" + folder + "/m \\\"x\\\".mid\", \"use_hint\": 1, "
                       "\"complete_mode\": 1, \"time_limit\": -5, \"help_file\": \"" + folder +
                       "/HARBORLESSONS.HLP\", \"rank_file\": \"/lists/\\ufffd\\ufffd\\ufffd\\ufffd.wls\"}\n");
}

}  // namespace
