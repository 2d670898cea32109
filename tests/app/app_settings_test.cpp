// The settings file: reading it line by line, writing all of it back, and the rank table the
// settings own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string_view>

#include "app/app_settings.h"
#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

const std::string kTag = "_PEL_LORA_INI_FILE_";

// All settings in one line, to compare them at once.
std::string Describe(const CAppSettings& s) {
    return s.currentDir + "|" + s.currentFile + "|" + std::to_string(s.bgmFlag) + "|" + s.bgmFile + "|" +
           std::to_string(s.useHint) + "|" + std::to_string(s.completeMode) + "|" + std::to_string(s.timeLimit) + "|" +
           s.helpFile.string();
}

struct SettingsFile : ::testing::Test {
    TempDir dir;
    ScopedCurrentDir restoreAfterSaving{dir.Path()};  // Save moves the process into home
    // Every test runs in a start-up directory beyond 255 characters.
    std::filesystem::path home = [this] {
        std::filesystem::path deep = dir.Path();
        for (int i = 0; i < 6; ++i) deep /= std::string(60, static_cast<char>('a' + i));
        std::filesystem::create_directories(deep);
        return deep;
    }();
    std::filesystem::path file = home / "Pellora.ini";
    CAppSettings settings;

    void LoadLines(std::initializer_list<std::string> lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        WriteFileBytes(file, text);
        settings.Load(home);
    }
    std::string Defaults(const std::string& music) const {
        return ".|default.wl|1|" + music + "|1|0|10|" + (home / "HARBORLESSONS.HLP").string();
    }
};

TEST_F(SettingsFile, FlagsAreTrueOnlyForTheExactTextTrue) {
    const std::pair<const char*, int> cases[] = {{"TRUE", 1}, {"true", 0}, {"1", 0},     {" TRUE", 0},
                                                 {"TRUE ", 0}, {"", 0},    {"FALSE", 0}};
    for (auto [value, expected] : cases) {
        // Start from the opposite of the expectation so that reading must change the flag.
        const std::string start = expected ? "FALSE" : "TRUE";
        LoadLines({kTag, "BGM_FLAG=" + start, "USEHINT=" + start, "COMPLETE_MODE=" + start,
                   std::string("BGM_FLAG=") + value, std::string("USEHINT=") + value, std::string("COMPLETE_MODE=") + value});
        EXPECT_EQ(settings.bgmFlag, expected) << value;
        EXPECT_EQ(settings.useHint, expected) << value;
        EXPECT_EQ(settings.completeMode, expected) << value;
    }
}

TEST_F(SettingsFile, ValuesKeepEverythingAfterTheFirstEqualsAndTheLastLineWins) {
    LoadLines({" \t" + kTag + "  ", "BGM_FILE=/music/a=b.mid", "CURRENT_DIR==x= ", "CURRENT_FILE=", "CURRENT_FILE=first",
               "CURRENT_FILE=last.wl", "TIMELIMIT=30"});
    EXPECT_EQ(Describe(settings), "=x= |last.wl|1|/music/a=b.mid|1|0|30|" + (home / "HARBORLESSONS.HLP").string());
    LoadLines({kTag, "BGM_FILE="});
    EXPECT_EQ(Describe(settings), Defaults("")) << "an empty music file is no failure";
    // The time limit is read as atoi reads it, wrapping included.
    for (auto [value, expected] : {std::pair{"15s", 15}, {"-5", -5}, {"abc", 0}, {"99999999999", 1215752191}}) {
        LoadLines({kTag, std::string("TIMELIMIT=") + value});
        EXPECT_EQ(settings.timeLimit, expected) << value;
    }
    for (const char* line : {"CURRENT_FILE = x.wl", "CURRENT_FILE =x.wl", " CURRENT_FILE=x.wl", "current_file=x.wl",
                             "=x.wl", "CURRENT_FILE", "CURRENT_FILEx.wl", "OTHER=x.wl", "VERSION=9.99"}) {
        LoadLines({kTag, line});
        EXPECT_EQ(settings.currentFile, "default.wl") << "ignored: " << line;
    }
    // A line ends at a NUL byte.
    static const char lines[] = "BGM_FLAG=FALSE\r\nBGM_FLAG=TRUE\0junk\r\nCURRENT_FILE=a.wl\0b.wl\r\n";
    WriteFileBytes(file, kTag + "\r\n" + std::string(lines, sizeof lines - 1));
    settings.Load(home);
    EXPECT_EQ(settings.currentFile, "a.wl");
    EXPECT_EQ(settings.bgmFlag, 1);
}

TEST_F(SettingsFile, AForeignMissingOrEmptyFileGivesTheDefaults) {
    // Not our file: the music file stays the bare name.
    for (const std::string& first : {std::string("_pel_lora_ini_file_"), std::string("[settings]"), std::string(),
                                     kTag + "x"}) {
        LoadLines({first, "CURRENT_FILE=x.wl", "BGM_FILE=y.mid", "TIMELIMIT=3"});
        EXPECT_EQ(Describe(settings), Defaults("default.mid")) << first;
    }
    // No file, an empty one, or a pipe where the file should be (which must not block): the
    // music file is resolved against the start-up directory, not the current one.
    for (std::string_view form : {"no file", "an empty file", "a pipe"}) {
        std::filesystem::remove(file);
        if (form == "an empty file") WriteFileBytes(file, "");
        if (form == "a pipe") {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        }
        settings.currentFile = "changed";
        settings.Load(home);
        EXPECT_EQ(Describe(settings), Defaults((home / "default.mid").string())) << form;
    }
}

TEST_F(SettingsFile, SaveWritesAllNineLinesInTheStartUpDirectoryAndReadsBack) {
    LoadLines({kTag, "OTHER=dropped", "TIMELIMIT=-5", "USEHINT=FALSE"});
    settings.currentDir = "/lists/";
    settings.currentFile = "/lists/" + Sjis("動物.wl");
    settings.bgmFile = "/lists/default.mid";
    settings.completeMode = 1;
    TempDir elsewhere;
    ScopedCurrentDir inElsewhere(elsewhere.Path());
    settings.Save(home);
    EXPECT_EQ(std::filesystem::current_path(), home);
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "Pellora.ini"));
    EXPECT_EQ(ReadFileBytes(file),
              "_PEL_LORA_INI_FILE_\r\n"
              "CURRENT_DIR=/lists/\r\n"
              "VERSION=2.040000\r\n"
              "CURRENT_FILE=/lists/" + Sjis("動物.wl") + "\r\n"
              "BGM_FLAG=TRUE\r\n"
              "BGM_FILE=/lists/default.mid\r\n"
              "USEHINT=FALSE\r\n"
              "COMPLETE_MODE=TRUE\r\n"
              "TIMELIMIT=-5\r\n");

    settings.currentDir = "a=b\\c ";
    settings.currentFile = Sjis("表ソ.wl");
    settings.bgmFlag = 0;
    settings.timeLimit = -2147483647 - 1;
    settings.Save(home);
    CAppSettings reread;
    reread.Load(home);
    EXPECT_EQ(Describe(reread), Describe(settings));
}

TEST_F(SettingsFile, AFailedSaveIsSilentAndKeepsTheOldFile) {
    settings.Load(home);
    settings.Save(home / "missing");  // no folder: nothing happens, nothing throws
    EXPECT_FALSE(std::filesystem::exists(home / "missing"));

    const std::string old = kTag + "\r\nCURRENT_FILE=old.wl\r\n";
    WriteFileBytes(file, old);
    settings.currentDir = std::string(200000, 'd');
    {
        ScopedFileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Applied());
        settings.Save(home);
    }
    EXPECT_EQ(ReadFileBytes(file), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home), {}), 1) << "no temporary file left";
}

TEST(AppSettings, ReopeningSavesTheOldTableReportingToTheNewOwnerAndReadsTheNewOne) {
    TempDir dir;
    const std::string existing = "_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,B\r\nd,10,3,b\r\n";
    WriteFileBytes(dir / "existing.wls", existing);
    CRecordingPrompt second;
    {
        CAppSettings settings;
        auto reopen = [&](const std::string& name, CPrompt& owner) {
            settings.currentFile = (dir / name).string();
            settings.ReopenRankTable(owner);
            ASSERT_NE(settings.GetRankTable(), nullptr);
            // The rank file is the current file with an "s".
            EXPECT_EQ(settings.GetRankTable()->GetPath(), dir / (name + "s"));
            settings.GetRankTable()->SelectList({"A"});
            settings.GetRankTable()->AddResult(1, "a", 10, 10);
        };
        {
            CRecordingPrompt first;
            reopen("first.wl", first);
            reopen("gone/x y.wl", first);  // saves first.wls
            EXPECT_TRUE(first.Messages().empty());
        }
        reopen("existing.wl", second);  // the first owner is gone: the save error goes to the new one
        ASSERT_EQ(second.Messages().size(), 1u);
        EXPECT_EQ(second.Messages()[0].text, (dir / "gone" / "x y.wls").string() + " : 書き込みが許可されませんでした。");
        EXPECT_EQ(settings.GetRankTable()->GetLists().at(0)->GetNames(), std::vector<std::string>{"B"});
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "first.wls"));
    EXPECT_EQ(ReadFileBytes(dir / "existing.wls"), existing) << "destroying the settings does not write the table";
}

}  // namespace
