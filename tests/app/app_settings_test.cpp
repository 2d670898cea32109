// The settings file: reading it line by line, writing all of it back, and the rank table the
// settings own.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "app/app_settings.h"
#include "platform/recording_prompt.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

const std::string kTag = "_PEL_LORA_INI_FILE_";

struct SettingsFile : ::testing::Test {
    TempDir dir;
    ScopedCurrentDir restoreAfterSaving{dir.Path()};  // Save moves the process into dir
    CAppSettings settings;

    void LoadLines(std::initializer_list<std::string> lines) {
        std::string text;
        for (const std::string& line : lines) text += line + "\r\n";
        WriteFileBytes(dir / "Pellora.ini", text);
        settings.Load(dir.Path());
    }

    void ExpectDefaultsExceptMusic() const {
        EXPECT_EQ(settings.currentDir, ".");
        EXPECT_EQ(settings.currentFile, "default.wl");
        EXPECT_EQ(settings.bgmFlag, 1);
        EXPECT_EQ(settings.useHint, 1);
        EXPECT_EQ(settings.completeMode, 0);
        EXPECT_EQ(settings.timeLimit, 10);
        EXPECT_EQ(settings.helpFile, dir / "HARBORLESSONS.HLP");
    }
};

TEST_F(SettingsFile, OnlyTheExactTextTrueIsTrue) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"TRUE", 1}, {"true", 0}, {"1", 0}, {" TRUE", 0}, {"TRUE ", 0}, {"", 0}, {"FALSE", 0}};
    for (const Case& c : cases) {
        for (const char* key : {"BGM_FLAG", "USEHINT", "COMPLETE_MODE"}) {
            // Start from the opposite of the expectation so that reading must change the flag.
            const std::string start = c.expected ? "FALSE" : "TRUE";
            LoadLines({kTag, "BGM_FLAG=" + start, "USEHINT=" + start, "COMPLETE_MODE=" + start,
                       std::string(key) + "=" + c.value});
            const int actual = std::string(key) == "BGM_FLAG" ? settings.bgmFlag
                               : std::string(key) == "USEHINT" ? settings.useHint
                                                                : settings.completeMode;
            EXPECT_EQ(actual, c.expected) << key << "=" << c.value;
        }
    }
}

TEST_F(SettingsFile, TimeLimitReadsLikeAtoi) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"15", 15}, {"15s", 15}, {"abc", 0}, {"", 0}, {"-5", -5}, {" \t7", 7}, {"+3", 3},
                 {"99999999999", 1215752191}, {"99999999999999999999", -1}};
    for (const Case& c : cases) {
        LoadLines({kTag, std::string("TIMELIMIT=") + c.value});
        EXPECT_EQ(settings.timeLimit, c.expected) << c.value;
    }
}

TEST_F(SettingsFile, MalformedLinesAndOtherKeysAreIgnored) {
    for (const char* line : {"CURRENT_FILE = x.wl", "CURRENT_FILE =x.wl", " CURRENT_FILE=x.wl", "current_file=x.wl",
                             "=x.wl", "CURRENT_FILE", "CURRENT_FILEx.wl", "OTHER=x.wl", "VERSION=9.99"}) {
        LoadLines({kTag, line});
        EXPECT_EQ(settings.currentFile, "default.wl") << line;
    }
}

TEST_F(SettingsFile, ValuesKeepEverythingAfterTheFirstEquals) {
    LoadLines({kTag, "BGM_FILE=/music/a=b.mid", "CURRENT_DIR==x= ", "CURRENT_FILE=", "CURRENT_FILE=first",
               "CURRENT_FILE=last.wl", "USEHINT=FALSE", "COMPLETE_MODE=TRUE", "BGM_FLAG=FALSE", "TIMELIMIT=30"});
    EXPECT_EQ(settings.bgmFile, "/music/a=b.mid");
    EXPECT_EQ(settings.currentDir, "=x= ");
    EXPECT_EQ(settings.currentFile, "last.wl") << "the last occurrence wins";
    EXPECT_EQ(settings.useHint, 0);
    EXPECT_EQ(settings.completeMode, 1);
    EXPECT_EQ(settings.bgmFlag, 0);
    EXPECT_EQ(settings.timeLimit, 30);
}

TEST_F(SettingsFile, TheIdentifyingLineMayCarryBlanks) {
    LoadLines({" \t" + kTag + "  ", "CURRENT_FILE=x.wl"});
    EXPECT_EQ(settings.currentFile, "x.wl");
}

TEST_F(SettingsFile, AForeignFileLeavesAllDefaultsAndTheMusicFileRelative) {
    for (const std::string& first : std::vector<std::string>{"_pel_lora_ini_file_", "[settings]", "", kTag + "x"}) {
        LoadLines({first, "CURRENT_FILE=x.wl", "BGM_FILE=y.mid", "TIMELIMIT=3"});
        ExpectDefaultsExceptMusic();
        EXPECT_EQ(settings.bgmFile, "default.mid") << first;
    }
}

TEST_F(SettingsFile, AMissingOrEmptyFileGivesDefaultsWithTheMusicFileResolved) {
    settings.Load(dir.Path());
    ExpectDefaultsExceptMusic();
    EXPECT_EQ(settings.bgmFile, (dir / "default.mid").string());

    WriteFileBytes(dir / "Pellora.ini", "");
    settings.currentFile = "changed";
    settings.Load(dir.Path());
    ExpectDefaultsExceptMusic();
    EXPECT_EQ(settings.bgmFile, (dir / "default.mid").string());

    // A folder or a pipe where the file should be counts as no file (and must not block).
    std::filesystem::remove(dir / "Pellora.ini");
    ASSERT_EQ(::mkfifo((dir / "Pellora.ini").c_str(), 0600), 0);
    settings.Load(dir.Path());
    ExpectDefaultsExceptMusic();
}

TEST_F(SettingsFile, TheMusicFileIsResolvedAgainstTheStartUpDirectory) {
    TempDir elsewhere;
    ScopedCurrentDir inElsewhere(elsewhere.Path());
    LoadLines({kTag, "BGM_FILE=sub/song.mid"});
    EXPECT_EQ(settings.bgmFile, (dir / "sub/song.mid").string());
    LoadLines({kTag, "BGM_FILE=/abs/song.mid"});
    EXPECT_EQ(settings.bgmFile, "/abs/song.mid");
    LoadLines({kTag, "BGM_FILE=", "BGM_FLAG=TRUE"});
    EXPECT_EQ(settings.bgmFile, "");
    EXPECT_EQ(settings.bgmFlag, 1) << "an empty music file is no failure";
}

TEST_F(SettingsFile, ALineEndsAtANulByte) {
    static const char lines[] = "BGM_FLAG=FALSE\r\nBGM_FLAG=TRUE\0junk\r\nCURRENT_FILE=a.wl\0b.wl\r\n";
    WriteFileBytes(dir / "Pellora.ini", kTag + "\r\n" + std::string(lines, sizeof lines - 1));
    settings.Load(dir.Path());
    EXPECT_EQ(settings.currentFile, "a.wl");
    EXPECT_EQ(settings.bgmFlag, 1);
}

TEST_F(SettingsFile, SaveWritesAllNineLinesWithCrLf) {
    LoadLines({kTag, "OTHER=dropped", "TIMELIMIT=-5", "USEHINT=FALSE"});
    settings.currentDir = "/lists/";
    settings.currentFile = "/lists/" + Sjis("動物.wl");
    settings.bgmFile = "/lists/default.mid";
    settings.completeMode = 1;
    settings.Save(dir.Path());
    EXPECT_EQ(ReadFileBytes(dir / "Pellora.ini"),
              "_PEL_LORA_INI_FILE_\r\n"
              "CURRENT_DIR=/lists/\r\n"
              "VERSION=2.040000\r\n"
              "CURRENT_FILE=/lists/" + Sjis("動物.wl") + "\r\n"
              "BGM_FLAG=TRUE\r\n"
              "BGM_FILE=/lists/default.mid\r\n"
              "USEHINT=FALSE\r\n"
              "COMPLETE_MODE=TRUE\r\n"
              "TIMELIMIT=-5\r\n");
}

TEST_F(SettingsFile, SavedSettingsReadBackAsTheyWere) {
    settings.Load(dir.Path());
    settings.currentDir = "a=b\\c ";
    settings.currentFile = Sjis("表ソ.wl");
    settings.bgmFlag = 0;
    settings.timeLimit = -2147483647 - 1;
    settings.Save(dir.Path());
    CAppSettings reread;
    reread.Load(dir.Path());
    EXPECT_EQ(reread.currentDir, settings.currentDir);
    EXPECT_EQ(reread.currentFile, settings.currentFile);
    EXPECT_EQ(reread.bgmFlag, 0);
    EXPECT_EQ(reread.bgmFile, settings.bgmFile);
    EXPECT_EQ(reread.timeLimit, settings.timeLimit);
}

TEST_F(SettingsFile, SaveMovesToTheStartUpDirectory) {
    TempDir elsewhere;
    ScopedCurrentDir inElsewhere(elsewhere.Path());
    settings.Load(dir.Path());
    settings.Save(dir.Path());
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());
    EXPECT_TRUE(std::filesystem::exists(dir / "Pellora.ini"));
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "Pellora.ini"));
}

TEST_F(SettingsFile, AFailedSaveIsSilentAndKeepsTheOldFile) {
    settings.Load(dir.Path());
    settings.Save(dir / "missing");  // no folder: nothing happens, nothing throws
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

    const std::string old = kTag + "\r\nCURRENT_FILE=old.wl\r\n";
    WriteFileBytes(dir / "Pellora.ini", old);
    settings.currentDir = std::string(200000, 'd');
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = previous;
    low.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &low), 0);
    settings.Save(dir.Path());
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(ReadFileBytes(dir / "Pellora.ini"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file left";
}

TEST_F(SettingsFile, AStartUpDirectoryBeyond255CharactersWorks) {
    std::filesystem::path deep = dir.Path();
    for (int i = 0; i < 6; ++i) deep /= std::string(60, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    ASSERT_GT(deep.string().size(), 300u);
    WriteFileBytes(deep / "Pellora.ini", kTag + "\r\nCURRENT_FILE=deep.wl\r\nBGM_FILE=" + std::string(100, 'm') + "\r\n");

    settings.Load(deep);
    EXPECT_EQ(settings.currentFile, "deep.wl");
    EXPECT_EQ(settings.bgmFile, (deep / std::string(100, 'm')).string());
    EXPECT_EQ(settings.bgmFlag, 1);
    EXPECT_EQ(settings.helpFile, deep / "HARBORLESSONS.HLP");

    settings.timeLimit = 42;
    settings.Save(deep);
    CAppSettings reread;
    reread.Load(deep);
    EXPECT_EQ(reread.timeLimit, 42);
    EXPECT_EQ(reread.bgmFile, settings.bgmFile);
}

TEST(AppSettings, TheRankFileIsTheCurrentFileWithAnS) {
    CAppSettings settings;
    for (auto [current, rank] : {std::pair{"lesson.wl", "lesson.wls"}, {"", "s"}, {"/lists/a b.wl", "/lists/a b.wls"}}) {
        settings.currentFile = current;
        EXPECT_EQ(settings.GetRankFilePath(), std::filesystem::path(rank));
    }
}

TEST(AppSettings, ReopeningSavesTheOldTableAndReadsTheNewOne) {
    TempDir dir;
    CRecordingPrompt prompt;
    CAppSettings settings;
    EXPECT_EQ(settings.GetRankTable(), nullptr);
    WriteFileBytes(dir / "second.wls", "_PEL_LORA_RANK_FILE_\r\nPL_JUNRE_NAMES,B\r\nd,10,3,b\r\n");

    settings.currentFile = (dir / "first.wl").string();
    settings.ReopenRankTable(prompt);
    ASSERT_NE(settings.GetRankTable(), nullptr);
    EXPECT_EQ(settings.GetRankTable()->GetPath(), dir / "first.wls");
    settings.GetRankTable()->SelectList({"A"});
    settings.GetRankTable()->AddResult(1, "a", 10, 10);

    settings.currentFile = (dir / "second.wl").string();
    settings.ReopenRankTable(prompt);
    EXPECT_TRUE(std::filesystem::exists(dir / "first.wls")) << "the old table was saved";
    ASSERT_EQ(settings.GetRankTable()->GetLists().size(), 1u);
    EXPECT_EQ(settings.GetRankTable()->GetLists()[0]->GetNames(), std::vector<std::string>{"B"});
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST(AppSettings, ASaveErrorOfTheOldTableGoesToTheNewOwner) {
    TempDir dir;
    CAppSettings settings;
    settings.currentFile = (dir / "gone" / "x.wl").string();
    {
        CRecordingPrompt first;
        settings.ReopenRankTable(first);
    }
    settings.GetRankTable()->SelectList({"A"});
    settings.GetRankTable()->AddResult(1, "a", 10, 10);
    CRecordingPrompt second;
    settings.currentFile = (dir / "y.wl").string();
    settings.ReopenRankTable(second);
    ASSERT_EQ(second.Messages().size(), 1u);
    EXPECT_EQ(second.Messages()[0].text, (dir / "gone" / "x.wls").string() + " : 書き込みが許可されませんでした。");
}

TEST(AppSettings, DestructionDoesNotWriteTheRankTable) {
    TempDir dir;
    CRecordingPrompt prompt;
    {
        CAppSettings settings;
        settings.currentFile = (dir / "x.wl").string();
        settings.ReopenRankTable(prompt);
        settings.GetRankTable()->SelectList({"A"});
        settings.GetRankTable()->AddResult(1, "a", 10, 10);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.wls"));
}

}  // namespace
