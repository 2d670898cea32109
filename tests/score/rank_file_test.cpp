// The rank file: reading rankings back, writing them, and what the learner is told when either
// fails.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "platform/recording_prompt.h"
#include "score/rank_table.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace {

const std::string kHeader = "_PEL_LORA_RANK_FILE_\r\n";

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

struct RankFile : ::testing::Test {
    TempDir dir;
    CRecordingPrompt prompt;
    std::filesystem::path path = dir / "lesson.wls";

    std::unique_ptr<CRankTable> LoadBytes(const std::string& bytes) {
        WriteFileBytes(path, bytes);
        return std::make_unique<CRankTable>(prompt, path);
    }

    // Sets the modified flag without changing what is written: an empty ranking is not stored.
    static void Touch(CRankTable& table) {
        CRankList* previous = table.GetCurrentList();
        table.SelectList({"\x01untouched"});
        table.ClearCurrentList();
        table.SetCurrentList(previous);
    }

    void ExpectOneMessage(const std::string& tail) {
        ASSERT_EQ(prompt.Messages().size(), 1u);
        const CRecordingPrompt::Message& message = prompt.Messages()[0];
        EXPECT_EQ(message.text, path.string() + tail);
        EXPECT_EQ(message.caption, "pellora");
        EXPECT_EQ(message.icon, PromptIcon::Exclamation);
        EXPECT_EQ(message.buttons, PromptButtons::Ok);
        prompt.Clear();
    }
};

std::vector<std::string> EntryNames(const CRankList& list) {
    std::vector<std::string> names;
    for (const CRankEntry& entry : list.GetEntries()) names.push_back(entry.name);
    return names;
}

TEST_F(RankFile, TheDescribedExampleReadsAndWritesBackByteForByte) {
    const std::string example = Sjis(Lines({"_PEL_LORA_RANK_FILE_", "PL_JUNRE_NAMES,動物,植物",
                                            "2001/05/12,20,18,はなこ", "2001/05/10,30,25,(no-name)"}));
    auto table = LoadBytes(example);
    EXPECT_TRUE(prompt.Messages().empty());
    ASSERT_EQ(table->GetLists().size(), 1u);
    const CRankList& list = *table->GetLists()[0];
    EXPECT_EQ(list.GetNames(), (std::vector<std::string>{Sjis("動物"), Sjis("植物")}));
    ASSERT_EQ(list.GetEntries().size(), 2u);
    const CRankEntry& first = list.GetEntries()[0];
    EXPECT_EQ(first.date, "2001/05/12");
    EXPECT_EQ(first.questions, 20);
    EXPECT_EQ(first.right, 18);
    EXPECT_EQ(first.name, Sjis("はなこ"));
    EXPECT_EQ(list.GetEntries()[1].name, "(no-name)");

    Touch(*table);
    WriteFileBytes(path, "");
    ASSERT_EQ(table->Save(), 1);
    EXPECT_EQ(ReadFileBytes(path), example);
    EXPECT_TRUE(table->IsModified()) << "saving leaves the flag set";
}

TEST_F(RankFile, NoFileIsAnEmptyTableAndTheFirstResultCreatesIt) {
    CRankTable table(prompt, path);
    EXPECT_TRUE(table.GetLists().empty());
    EXPECT_EQ(table.Save(), 1);
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing modified, nothing written";

    table.SelectList({Sjis("動物")});
    table.AddResult(1, Sjis("はなこ"), 20, 18);
    ASSERT_EQ(table.Save(), 1);
    EXPECT_EQ(ReadFileBytes(path), kHeader + Sjis(Lines({"PL_JUNRE_NAMES,動物", table.GetCurrentEntries(nullptr)->at(0).date + ",20,18,はなこ"})));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(RankFile, ReadingSkipsWhatDoesNotFit) {
    std::string file = kHeader + Lines({
        "2001/01/01,10,10,before any names line",
        "PL_JUNRE_NAMES",
        "2001/01/02,10,9,kept",
        "2001/01/03,0,0,no questions",
        "2001/01/04,10",
        "",
        "   ",
        "2001/01/05,10,8",
        "2001/01/06,10,7,name,ignored,fields",
        "PL_JUNRE_NAMES,A",
        "x,  12abc,-3,spaces and sign",
    });
    auto table = LoadBytes(file);
    EXPECT_TRUE(prompt.Messages().empty());
    ASSERT_EQ(table->GetLists().size(), 2u);
    const CRankList& all = *table->GetLists()[0];
    EXPECT_EQ(all.GetNames(), std::vector<std::string>{"ALL"});
    EXPECT_EQ(EntryNames(all), (std::vector<std::string>{"kept", "", "name"}));
    const CRankEntry& numbers = table->GetLists()[1]->GetEntries().at(0);
    EXPECT_EQ(numbers.questions, 12);
    EXPECT_EQ(numbers.right, -3);
}

TEST_F(RankFile, KeepsTheFirstTenEntriesInFileOrder) {
    std::string file = kHeader + "PL_JUNRE_NAMES,g\r\n";
    // Worst first, to show that the file's order is trusted, not the rates.
    for (int i = 1; i <= 12; ++i) file += "2001/01/01,12," + std::to_string(i) + ",e" + std::to_string(i) + "\r\n";
    auto table = LoadBytes(file);
    const CRankList& list = *table->GetLists().at(0);
    ASSERT_EQ(list.GetEntries().size(), 10u);
    EXPECT_EQ(list.GetEntries().front().name, "e1");
    EXPECT_EQ(list.GetEntries().back().name, "e10");
}

TEST_F(RankFile, DuplicateNamesLinesGiveTwoRankingsAndSelectionFindsTheFirst) {
    auto table = LoadBytes(kHeader + Lines({"PL_JUNRE_NAMES,A,B", "d,10,1,first", "PL_JUNRE_NAMES,A,B", "d,10,2,second"}));
    ASSERT_EQ(table->GetLists().size(), 2u);
    table->SelectList({"A", "B"});
    EXPECT_EQ(table->GetCurrentList(), table->GetLists()[0].get());
    table->SelectList({"A,B"});
    EXPECT_EQ(table->GetCurrentList(), table->GetLists()[0].get());
    int current = -1;
    EXPECT_EQ(table->GetListTexts(&current), (std::vector<std::string>{"A,B", "A,B"}));
}

TEST_F(RankFile, SpecialCharactersInNamesRoundTrip) {
    const std::vector<std::string> genres = {"a,b", "c;d", "back\\slash", Sjis("ソ表"), "", "tail"};
    const std::string learner = "x,y;z\\" + Sjis("ソ");
    {
        CRankTable table(prompt, path);
        table.SelectList(genres);
        table.AddResult(1, learner, 20, 20);
        ASSERT_EQ(table.Save(), 1);
    }
    const std::string bytes = ReadFileBytes(path);
    // "ソ" and "表" end in the byte 0x5C, which is no backslash there and is left alone.
    EXPECT_NE(bytes.find("PL_JUNRE_NAMES,a\\,b,c\\;d,back\\\\slash," + Sjis("ソ表") + ",,tail\r\n"), std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find(",20,20,x\\,y\\;z\\\\" + Sjis("ソ") + "\r\n"), std::string::npos) << bytes;

    CRankTable reread(prompt, path);
    ASSERT_EQ(reread.GetLists().size(), 1u);
    EXPECT_EQ(reread.GetLists()[0]->GetNames(), genres);
    EXPECT_EQ(reread.GetLists()[0]->GetEntries().at(0).name, learner);
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(RankFile, DatesWithSpecialCharactersStayOneField) {
    // Only an edited file can hold such a date; writing it back must not shift the fields.
    auto table = LoadBytes(kHeader + Lines({"PL_JUNRE_NAMES,g", "2001\\,05,20,18,n"}));
    ASSERT_EQ(table->GetLists().at(0)->GetEntries().at(0).date, "2001,05");
    Touch(*table);
    ASSERT_EQ(table->Save(), 1);
    CRankTable reread(prompt, path);
    const CRankEntry& entry = reread.GetLists().at(0)->GetEntries().at(0);
    EXPECT_EQ(entry.date, "2001,05");
    EXPECT_EQ(entry.questions, 20);
    EXPECT_EQ(entry.name, "n");
}

TEST_F(RankFile, ClearingARankingRemovesItFromTheFile) {
    auto table = LoadBytes(kHeader + Lines({"PL_JUNRE_NAMES,A", "d,10,1,a", "PL_JUNRE_NAMES,B", "d,10,2,b"}));
    table->SelectList({"A"});
    table->ClearCurrentList();
    ASSERT_EQ(table->Save(), 1);
    EXPECT_EQ(ReadFileBytes(path), kHeader + Lines({"PL_JUNRE_NAMES,B", "d,10,2,b"}));
}

TEST_F(RankFile, BadFilesAreReportedAndLeaveTheTableEmpty) {
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"another first line", Lines({"_PEL_LORA_LIST_FILE_,1.0", "PL_JUNRE_NAMES,A", "d,10,1,a"})},
        {"tag in another case", Lines({"_pel_lora_rank_file_"})},
        {"only blanks", "  \r\n"},
    };
    for (const Case& c : cases) {
        auto table = LoadBytes(c.bytes);
        EXPECT_TRUE(table->GetLists().empty()) << c.what;
        ExpectOneMessage(" : 不正なファイルが指定されました。");
        EXPECT_EQ(table->Load(), 0) << c.what;
        prompt.Clear();
    }
    // Further fields and leading blanks of the first line do not matter.
    auto table = LoadBytes(" _PEL_LORA_RANK_FILE_,2.0\r\nPL_JUNRE_NAMES,A\r\nd,10,1,a\r\n");
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_EQ(table->GetLists().size(), 1u);
}

TEST_F(RankFile, AFileThatCannotBeReadIsReported) {
    std::filesystem::create_directory(path);
    CRankTable folder(prompt, path);
    ExpectOneMessage(" : ファイルが開けません。");

    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    CRankTable pipe(prompt, path);  // must not wait for a writer
    ExpectOneMessage(" : ファイルが開けません。");
}

TEST_F(RankFile, AReadErrorAfterOpeningIsReportedLikeAnOpenError) {
    // Reading this process's memory from address 0 fails although the open succeeds.
    path = "/proc/self/mem";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no /proc";
    CRankTable table(prompt, path);
    EXPECT_TRUE(table.GetLists().empty());
    ExpectOneMessage(" : ファイルが開けません。");
}

TEST_F(RankFile, HostileContentLoadsWithoutHarm) {
    std::string file = kHeader;
    file += "PL_JUNRE_NAMES," + std::string(3 << 20, 'g') + "\r\n";  // one very long line
    file += std::string("PL_JUNRE_NAMES,nul\0byte", 23) + "\r\n";
    // Numbers as glibc's atoi reads them: the long value cut to its low 32 bits.
    file += "d,99999999999,2147483648,wrapped\r\n";   // 99999999999 - 23 * 2^32; INT_MIN
    file += "d,-99999999999999999999,1,saturated\r\n";  // LONG_MIN, whose low half is 0: dropped
    file += "d,4294967297,\xFF\xFE,\x81\r\n";            // 2^32 + 1 is 1; a lone lead byte at the end
    for (int i = 0; i < 5000; ++i) file += "PL_JUNRE_NAMES,r" + std::to_string(i) + "\r\nd,10,5,n\r\n";
    auto table = LoadBytes(file);
    EXPECT_TRUE(prompt.Messages().empty());
    ASSERT_EQ(table->GetLists().size(), 5002u);
    EXPECT_EQ(table->GetLists()[0]->GetNames().at(0).size(), 3u << 20);
    const CRankList& nul = *table->GetLists()[1];
    EXPECT_EQ(nul.GetNames(), std::vector<std::string>{std::string("nul\0byte", 8)});
    ASSERT_EQ(nul.GetEntries().size(), 2u);
    EXPECT_EQ(nul.GetEntries()[0].questions, 1215752191);
    EXPECT_EQ(nul.GetEntries()[0].right, -2147483647 - 1);
    EXPECT_EQ(nul.GetEntries()[1].questions, 1);
    EXPECT_EQ(nul.GetEntries()[1].right, 0);
    EXPECT_EQ(nul.GetEntries()[1].name, "\x81");

    table->SelectList({"r4999"});
    EXPECT_EQ(table->GetCurrentList(), table->GetLists().back().get());
}

struct SaveFailure : RankFile {
    const std::string old = kHeader + Lines({"PL_JUNRE_NAMES,A", "2001/01/01,10,1,old"});

    std::unique_ptr<CRankTable> ModifiedTable(const std::string& learner = "new") {
        auto table = LoadBytes(old);
        table->SelectList({"A"});
        table->AddResult(1, learner, 10, 10);
        return table;
    }
};

TEST_F(SaveFailure, AMissingFolderOrAFolderInPlaceKeepsTheFlag) {
    auto table = ModifiedTable();
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(table->Save(), 0);
    ExpectOneMessage(" : 書き込みが許可されませんでした。");
    EXPECT_TRUE(table->IsModified());
    EXPECT_TRUE(std::filesystem::is_directory(path));

    path = dir / "missing" / "lesson.wls";
    CRankTable nowhere(prompt, path);
    nowhere.SelectList({"A"});
    nowhere.AddResult(1, "n", 10, 10);
    EXPECT_EQ(nowhere.Save(), 0);
    ExpectOneMessage(" : 書き込みが許可されませんでした。");
    EXPECT_TRUE(nowhere.IsModified());
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST_F(SaveFailure, AFullDeviceIsAWriteError) {
    path = "/dev/full";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no /dev/full";
    CRankTable table(prompt, path);
    ExpectOneMessage(" : ファイルが開けません。");  // a device is no rank file to read
    table.SelectList({"A"});
    table.AddResult(1, std::string(100000, 'n'), 10, 10);
    EXPECT_EQ(table.Save(), 0);
    ExpectOneMessage(" : 書き込み中にエラーが発生しました。");
    EXPECT_TRUE(table.IsModified());
}

TEST_F(SaveFailure, AFileSizeLimitKeepsTheOldFileByteForByte) {
    auto table = ModifiedTable(std::string(200000, 'n'));
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit low = previous;
    low.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &low), 0);
    const int saved = table->Save();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(saved, 0);
    ExpectOneMessage(" : 書き込み中にエラーが発生しました。");
    EXPECT_TRUE(table->IsModified());
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file left";
}

}  // namespace
