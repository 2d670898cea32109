// The settings file: reading it line by line, writing all of it back, and the rank table the
// settings own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/app_settings.h"
#include "app/own_settings.h"
#include "app/own_settings_io.h"
#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

const std::string kTag = "_PEL_LORA_INI_FILE_";

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

    // All settings but the help file in one line, the start-up directory shown as "~".
    std::string Describe(const CAppSettings& s) const {
        std::string music = s.bgmFile;
        if (music.starts_with(home.string())) music.replace(0, home.string().size(), "~");
        return s.currentDir + "|" + s.currentFile + "|" + std::to_string(s.bgmFlag) + "|" + music + "|" +
               std::to_string(s.useHint) + "|" + std::to_string(s.completeMode) + "|" + std::to_string(s.timeLimit);
    }
};

TEST_F(SettingsFile, ReadsKnownKeysExactlyAndWritesAllNineLinesBackInTheStartUpDirectory) {
    const std::string defaults = ".|default.wl|1|~/default.mid|1|0|10";
    // The lines of each file, and the settings read from it.
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{" \t" + kTag + "  ", "BGM_FILE=/music/a=b.mid", "CURRENT_DIR==x= ", "CURRENT_FILE=", "CURRENT_FILE=first",
          "CURRENT_FILE=last.wl", "TIMELIMIT=30"}, "=x= |last.wl|1|/music/a=b.mid|1|0|30"},
        {{kTag, "BGM_FILE="}, ".|default.wl|1||1|0|10"},  // an empty music file is no failure
        // The time limit is read as atoi reads it, wrapping included.
        {{kTag, "TIMELIMIT=abc"}, ".|default.wl|1|~/default.mid|1|0|0"},
        {{kTag, "TIMELIMIT=99999999999"}, ".|default.wl|1|~/default.mid|1|0|1215752191"},
        {{kTag, "CURRENT_FILE = x.wl", "CURRENT_FILE =x.wl", " CURRENT_FILE=x.wl", "current_file=x.wl", "=x.wl",
          "CURRENT_FILE", "CURRENT_FILEx.wl", "OTHER=x.wl", "VERSION=9.99"}, defaults},
        // A line ends at a NUL byte.
        {{kTag, "BGM_FLAG=FALSE", std::string("BGM_FLAG=TRUE\0junk", 18), std::string("CURRENT_FILE=a.wl\0b.wl", 23)},
         ".|a.wl|1|~/default.mid|1|0|10"},
    };
    // Not our file: the defaults, the music file left the bare name.
    for (const std::string& first : {std::string("_pel_lora_ini_file_"), std::string("[settings]"), std::string(), kTag + "x"})
        cases.push_back({{first, "CURRENT_FILE=x.wl", "BGM_FILE=y.mid", "TIMELIMIT=3"}, ".|default.wl|1|default.mid|1|0|10"});
    // Flags are on only for the exact text TRUE; each starts from the opposite, so reading must change it.
    for (auto [value, on] : {std::pair{"TRUE", "1"}, {"true", "0"}, {"1", "0"}, {" TRUE", "0"}, {"TRUE ", "0"}, {"", "0"},
                             {"FALSE", "0"}}) {
        const std::string start = *on == '1' ? "FALSE" : "TRUE";
        cases.push_back({{kTag, "BGM_FLAG=" + start, "USEHINT=" + start, "COMPLETE_MODE=" + start,
                          std::string("BGM_FLAG=") + value, std::string("USEHINT=") + value, std::string("COMPLETE_MODE=") + value},
                         std::string(".|default.wl|") + on + "|~/default.mid|" + on + "|" + on + "|10"});
    }
    for (const auto& [lines, expected] : cases) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        WriteFileBytes(file, text);
        settings.Load(home);
        EXPECT_EQ(Describe(settings), expected) << text;
    }
    // A pipe where the file should be (which must not block), no file or an empty one: the
    // music file is resolved against the start-up directory, not the current one.
    for (std::string_view form : {"a pipe", "no file", "an empty file"}) {
        std::filesystem::remove(file);
        if (form == "an empty file") WriteFileBytes(file, "");
        ASSERT_TRUE(form != "a pipe" || ::mkfifo(file.c_str(), 0600) == 0);
        settings.currentFile = "changed";
        settings.Load(home);
        EXPECT_EQ(Describe(settings), defaults) << form;
    }

    // Saving writes all nine lines in the start-up directory, or silently keeps the old file.
    WriteFileBytes(file, kTag + "\r\nOTHER=dropped\r\nTIMELIMIT=-5\r\nUSEHINT=FALSE\r\n");
    settings.Load(home);
    settings.currentDir = "/lists/";
    settings.currentFile = "/lists/" + Sjis("動物.wl");
    settings.bgmFile = "/lists/default.mid";
    settings.completeMode = 1;
    TempDir elsewhere;
    ScopedCurrentDir inElsewhere(elsewhere.Path());
    settings.Save(home);
    EXPECT_EQ(std::filesystem::current_path(), home);
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "Pellora.ini"));
    EXPECT_EQ(ReadFileBytes(file), "_PEL_LORA_INI_FILE_\r\nCURRENT_DIR=/lists/\r\nVERSION=2.040000\r\nCURRENT_FILE=/lists/" +
                                       Sjis("動物.wl") + "\r\nBGM_FLAG=TRUE\r\nBGM_FILE=/lists/default.mid\r\n"
                                       "USEHINT=FALSE\r\nCOMPLETE_MODE=TRUE\r\nTIMELIMIT=-5\r\n");

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
}

TEST_F(SettingsFile, ReopeningSavesTheOldTableReportingToTheNewOwnerAndReadsTheNewOne) {
    const std::string existing = "_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,B\r\nd,10,3,b\r\n";
    WriteFileBytes(dir / "existing.wls", existing);
    CRecordingPrompt second;
    {
        CAppSettings reopened;
        auto reopen = [&](const std::string& name, CPrompt& owner) {
            reopened.currentFile = (dir / name).string();
            reopened.ReopenRankTable(owner);
            ASSERT_NE(reopened.GetRankTable(), nullptr);
            reopened.GetRankTable()->SelectList({"A"});
            reopened.GetRankTable()->AddResult(1, "a", 10, 10);
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
        EXPECT_EQ(reopened.GetRankTable()->GetLists().at(0)->GetNames(), std::vector<std::string>{"B"});
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "first.wls"));
    EXPECT_EQ(ReadFileBytes(dir / "existing.wls"), existing) << "destroying the settings does not write the table";
}

}  // namespace

// The flag for judging typed answers kindly goes to the program's own settings and back; it is
// off unless the store holds exactly TRUE.
TEST(OwnSettings, TheLenientFlagIsStoredAndReadBackAndIsOffUnlessExactlyTrue) {
    CMemoryOwnSettings store;
    CAppSettings settings;
    std::string seen;
    for (const char* stored : {"", "TRUE", "FALSE", "true"}) {  // "": not in the store
        if (*stored) store.SetSetting(kLenientAnswersKey, stored);
        settings.lenientAnswers = *stored == 'T' ? 0 : 1;  // the opposite of what must be read
        LoadOwnSettings(settings, store);
        SaveOwnSettings(settings, store);
        seen += std::to_string(settings.lenientAnswers) + *store.GetSetting(kLenientAnswersKey) + " ";
    }
    EXPECT_EQ(seen, "0FALSE 1TRUE 0FALSE 0FALSE ");
}
