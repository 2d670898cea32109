// pellora-wl rank and settings, run as the built program on files made for each test.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs pellora-wl with args in folder, capturing its output streams and exit code.
ToolResult RunTool(const std::filesystem::path& folder, const std::string& args) {
    const std::filesystem::path errFile = folder / ".stderr";
    const std::string command = "cd " + ShellQuote(folder.string()) + " && " + ShellQuote(PELLORA_WL_PATH) + " " +
                                args + " 2>" + ShellQuote(errFile.string());
    ToolResult result;
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

const std::string kExample = "_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,動物,植物\r\n"
                             "2001/05/12,20,18,はなこ\r\n2001/05/10,30,25,(no-name)\r\n";

TEST(RankCli, PrintsTheRankingsOfAFile) {
    TempDir dir;
    WriteFileBytes(dir / "lesson.wls", Sjis(kExample));
    ToolResult result = RunTool(dir.Path(), "rank lesson.wls");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "{\"file\": \"lesson.wls\", \"ok\": true, \"rankings\": [{\"names\": [\"動物\", \"植物\"], \"entries\": ["
              "{\"date\": \"2001/05/12\", \"questions\": 20, \"right\": 18, \"name\": \"はなこ\", \"rate\": 90}, "
              "{\"date\": \"2001/05/10\", \"questions\": 30, \"right\": 25, \"name\": \"(no-name)\", "
              "\"rate\": 83.33333333333334}]}]}\n");

    result = RunTool(dir.Path(), "rank --bytes lesson.wls");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("\"names\": [\"93ae95a8\", \"904195a8\"]"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"date\": \"323030312f30352f3132\""), std::string::npos) << result.out;
}

TEST(RankCli, AMissingFileHasNoRankings) {
    TempDir dir;
    ToolResult result = RunTool(dir.Path(), "rank none.wls");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "{\"file\": \"none.wls\", \"ok\": true, \"rankings\": []}\n");
}

TEST(RankCli, ARefusedFileGivesTheProgramsMessage) {
    TempDir dir;
    WriteFileBytes(dir / "bad.wls", "not a rank file\r\n");
    ToolResult result = RunTool(dir.Path(), "rank bad.wls");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "{\"file\": \"bad.wls\", \"ok\": false, \"caption\": \"pellora\", "
                          "\"message\": \"bad.wls : 不正なファイルが指定されました。\"}\n");
}

TEST(RankCli, WrongArgumentsAreUsageErrors) {
    TempDir dir;
    for (const char* args : {"rank", "rank a.wls b.wls", "rank --hex a.wls"}) {
        ToolResult result = RunTool(dir.Path(), args);
        EXPECT_EQ(result.exitCode, 2) << args;
        EXPECT_TRUE(result.out.empty()) << args;
        EXPECT_NE(result.err.find("usage: pellora-wl rank"), std::string::npos) << args;
    }
    ToolResult help = RunTool(dir.Path(), "rank --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: pellora-wl rank", 0), 0u);
}

TEST(SettingsCli, PrintsTheSettingsAsTheProgramReadsThem) {
    TempDir dir;
    WriteFileBytes(dir / "Pellora.ini", "_PEL_LORA_INI_FILE_\r\nCURRENT_DIR=/lists/\r\nCURRENT_FILE=/lists/" +
                                            Sjis("動物") + ".wl\r\nBGM_FLAG=FALSE\r\nBGM_FILE=m \"x\".mid\r\n"
                                            "USEHINT=TRUE\r\nCOMPLETE_MODE=TRUE\r\nTIMELIMIT=-5\r\n");
    ToolResult result = RunTool(dir.Path(), "settings");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string folder = std::filesystem::canonical(dir.Path()).string();
    // Paths are printed as their bytes read as UTF-8: CP932 bytes show as replacements.
    EXPECT_EQ(result.out, "{\"current_dir\": \"/lists/\", \"current_file\": \"/lists/\\ufffd\\ufffd\\ufffd\\ufffd.wl\", "
                          "\"bgm_flag\": 0, \"bgm_file\": \"" + folder + "/m \\\"x\\\".mid\", \"use_hint\": 1, "
                          "\"complete_mode\": 1, \"time_limit\": -5, \"help_file\": \"" + folder +
                          "/HARBORLESSONS.HLP\", \"rank_file\": \"/lists/\\ufffd\\ufffd\\ufffd\\ufffd.wls\"}\n");
}

TEST(SettingsCli, WithoutAFileShowsTheDefaults) {
    TempDir dir;
    ToolResult result = RunTool(dir.Path(), "settings");
    EXPECT_EQ(result.exitCode, 0);
    const std::string folder = std::filesystem::canonical(dir.Path()).string();
    EXPECT_EQ(result.out, "{\"current_dir\": \".\", \"current_file\": \"default.wl\", \"bgm_flag\": 1, "
                          "\"bgm_file\": \"" + folder + "/default.mid\", \"use_hint\": 1, \"complete_mode\": 0, "
                          "\"time_limit\": 10, \"help_file\": \"" + folder + "/HARBORLESSONS.HLP\", "
                          "\"rank_file\": \"default.wls\"}\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "Pellora.ini")) << "showing the settings writes nothing";

    ToolResult extra = RunTool(dir.Path(), "settings now");
    EXPECT_EQ(extra.exitCode, 2);
    EXPECT_NE(extra.err.find("usage: pellora-wl settings"), std::string::npos);
}

}  // namespace
