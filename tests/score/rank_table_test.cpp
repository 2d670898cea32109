// Rankings in memory and in the rank file: inserting, finding a result's place, selecting,
// reading and writing the file, and what the learner is told when either fails.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>

#include "platform/local_date.h"
#include "platform/recording_prompt.h"
#include "score/rank_table.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

const std::string kHeader = "_PEL_LORA_RANK_FILE_\r\n";
const std::string kCannotOpen = " : ファイルが開けません。";

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

CRankEntry Entry(int questions, int right, std::string name = "n") {
    return CRankEntry{"2001/05/12", std::move(name), questions, right};
}

// Every entry as "date,questions,right,name", joined by "|".
std::string Entries(const CRankList& list) {
    std::string text;
    for (const CRankEntry& e : list.GetEntries()) {
        if (!text.empty()) text += "|";
        text += e.date + "," + std::to_string(e.questions) + "," + std::to_string(e.right) + "," + e.name;
    }
    return text;
}

struct Rank : ::testing::Test {
    TempDir dir;
    CRecordingPrompt prompt;
    std::filesystem::path path = dir / "lesson.wls";
    CRankTable table{prompt, path};  // no file behind it yet

    std::unique_ptr<CRankTable> LoadBytes(const std::string& bytes) {
        WriteFileBytes(path, bytes);
        return std::make_unique<CRankTable>(prompt, path);
    }

    void ExpectOneMessage(const std::string& tail) {
        ASSERT_EQ(prompt.Messages().size(), 1u);
        const CRecordingPrompt::Message& message = prompt.Messages()[0];
        EXPECT_EQ(message.caption + ": " + message.text, "pellora: " + path.string() + tail);
        EXPECT_TRUE(message.icon == PromptIcon::Exclamation && message.buttons == PromptButtons::Ok);
        prompt.Clear();
    }
};

TEST_F(Rank, SelectListMatchesNamesByTheirCommaJoinedTextFindPositionRanksInSinglePrecision) {
    // Without a current ranking nothing is added, cleared or placed.
    EXPECT_EQ(table.AddResult(1, "n", 10, 10), 0);
    table.ClearCurrentList();
    EXPECT_FALSE(table.IsModified());
    EXPECT_EQ(table.FindPosition(20, 20), -1);
    int current = -1;
    EXPECT_EQ(table.GetCurrentEntries(&current), nullptr);
    EXPECT_EQ(current, -1);
    // Order matters; one name "A,B" is "A" then "B"; a prefix, a trailing empty name or another
    // separator is another ranking.
    const std::pair<std::vector<std::string>, int> selections[] = {
        {{"A", "B"}, 0}, {{"B", "A"}, 1}, {{"A,B"}, 0}, {{"A"}, 2}, {{"A", "B", ""}, 3}, {{"AxB"}, 4}, {{"A", "B"}, 0},
        {{"A"}, 2}};
    for (const auto& [names, index] : selections) {
        ASSERT_EQ(table.SelectList(names), 1);
        EXPECT_EQ(table.GetCurrentList(), table.GetLists().at(index).get()) << testing::PrintToString(names);
        table.GetListTexts(&current);
        EXPECT_EQ(current, index);
    }
    EXPECT_EQ(table.GetListTexts(&current), (std::vector<std::string>{"A,B", "B,A", "A", "A,B,", "AxB"}));
    EXPECT_FALSE(table.IsModified()) << "selecting alone changes nothing worth saving";

    // The current ranking can be set back; results (dated today) then go to it.
    CRankList* ba = table.GetLists()[1].get();
    table.SetCurrentList(ba);
    table.GetCurrentList()->Insert(1, Entry(10, 9));
    table.GetCurrentList()->Insert(0, Entry(10, 8, "before the first place"));  // no such place: ignored
    const std::string before = TodayLocalDate();
    ASSERT_EQ(table.AddResult(1, "hanako", 10, 10), 1);
    const std::string after = TodayLocalDate();
    ASSERT_EQ(table.GetCurrentEntries(&current), &ba->GetEntries());
    ASSERT_EQ(current, 2);
    const std::string date = ba->GetEntries().front().date;
    EXPECT_TRUE(date == before || date == after) << date;
    EXPECT_EQ(Entries(*ba), date + ",10,10,hanako|2001/05/12,10,9,n");
    EXPECT_TRUE(table.IsModified());

    std::vector<std::pair<int, int>> full;
    for (int right = 10; right >= 1; --right) full.emplace_back(10, right);
    const struct { const char* what; std::vector<std::pair<int, int>> stored; int questions, right, position; }
        cases[] = {
        {"empty", {}, 20, 0, 1},
        {"no questions", {}, 0, 0, -1},
        {"negative questions", {}, -5, 3, -1},
        // 5 of 6 is 83.333336 in single precision, above the stored 83.3333...: in front.
        {"rounded up", {{6, 5}}, 6, 5, 1},
        // 2 of 3 is 66.666664, below the stored 66.6666...: behind.
        {"rounded down", {{3, 2}}, 3, 2, 2},
        {"exact ties go behind", {{10, 5}, {4, 2}}, 2, 1, 3},
        {"huge right count", {{10, 5}}, 1, INT_MAX, 1},
        {"extreme counts", {{10, 5}}, INT_MAX, INT_MIN, 2},
        {"ties the tenth of a full ranking", full, 10, 1, -1},
        {"just above the tenth (10.5)", full, 200, 21, 10},
        {"between first and second", full, 20, 19, 2},
    };
    for (const auto& c : cases) {
        table.SelectList({c.what});
        for (auto [questions, right] : c.stored) table.GetCurrentList()->Insert(99, Entry(questions, right));
        EXPECT_EQ(table.FindPosition(c.questions, c.right), c.position) << c.what;
    }
}

TEST_F(Rank, TheDescribedExampleAndSpecialCharactersReadAndWriteBackByteForByteAndMisfitsAreSkipped) {
    EXPECT_EQ(table.Save(), 1);
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing modified, nothing written";
    const std::string example = Sjis(Lines({"_PEL_LORA_RANK_FILE_", "PL_JUNRE_NAMES,動物,植物",
                                            "2001/05/12,20,18,はなこ", "2001/05/10,30,25,(no-name)"}));
    // Only an edited file can hold an escaped date; writing it back must not shift the fields.
    const std::string edited = Lines({"PL_JUNRE_NAMES,A", "2001\\,05,20,18,a"});
    auto loaded = LoadBytes(example + Lines({"PL_JUNRE_NAMES,B", "d,10,2,b"}) + edited);
    EXPECT_TRUE(prompt.Messages().empty());
    ASSERT_EQ(loaded->GetLists().size(), 3u);
    EXPECT_EQ(loaded->GetLists()[0]->GetNames(), (std::vector<std::string>{Sjis("動物"), Sjis("植物")}));
    EXPECT_EQ(Entries(*loaded->GetLists()[0]), Sjis("2001/05/12,20,18,はなこ|2001/05/10,30,25,(no-name)"));
    EXPECT_EQ(Entries(*loaded->GetLists()[2]), "2001,05,20,18,a");

    // Clearing removes a ranking from the file and an empty one is not stored. "ソ" and "表" end
    // in the byte 0x5C, which is no backslash there and is left alone.
    const std::vector<std::string> genres = {"a,b", "c;d", "back\\slash", Sjis("ソ表"), "", "tail"};
    const std::string learner = "x,y;z\\" + Sjis("ソ");
    loaded->SelectList({"B"});
    loaded->ClearCurrentList();
    EXPECT_TRUE(loaded->IsModified());
    loaded->SelectList(genres);
    loaded->AddResult(1, learner, 20, 18);
    const std::string date = loaded->GetCurrentList()->GetEntries().at(0).date;
    loaded->SelectList({"untouched"});
    ASSERT_EQ(loaded->Save(), 1);
    EXPECT_EQ(ReadFileBytes(path), example + edited +
                                       Lines({"PL_JUNRE_NAMES,a\\,b,c\\;d,back\\\\slash," + Sjis("ソ表") + ",,tail",
                                              date + ",20,18,x\\,y\\;z\\\\" + Sjis("ソ")}));
    EXPECT_TRUE(loaded->IsModified()) << "saving leaves the flag set";
    CRankTable reread(prompt, path);
    ASSERT_EQ(reread.GetLists().size(), 3u);
    EXPECT_EQ(reread.GetLists()[2]->GetNames(), genres);
    EXPECT_EQ(Entries(*reread.GetLists()[2]), date + ",20,18," + learner);
    EXPECT_TRUE(prompt.Messages().empty());

    std::string file = kHeader + Lines({"2001/01/01,10,10,before any names line", "PL_JUNRE_NAMES",
                                        "2001/01/02,10,9,kept", "2001/01/03,0,0,no questions", "2001/01/04,10", "",
                                        "   ", "2001/01/05,10,8", "2001/01/06,10,7,name,ignored,fields",
                                        "PL_JUNRE_NAMES,A", "x,  12abc,-3,spaces and sign", "PL_JUNRE_NAMES,A",
                                        "d,10,1,a", "PL_JUNRE_NAMES,g"});
    // Worst first, to show that the file's order is trusted, not the rates.
    std::string firstTen;
    for (int i = 1; i <= 12; ++i) {
        const std::string entry = "2001/01/01,12," + std::to_string(i) + ",e" + std::to_string(i);
        file += entry + "\r\n";
        if (i <= 10) firstTen += (i > 1 ? "|" : "") + entry;
    }
    loaded = LoadBytes(file);
    EXPECT_TRUE(prompt.Messages().empty());
    ASSERT_EQ(loaded->GetLists().size(), 4u) << "a repeated names line is another ranking";
    EXPECT_EQ(loaded->GetLists()[0]->GetNames(), std::vector<std::string>{"ALL"});
    EXPECT_EQ(Entries(*loaded->GetLists()[0]), "2001/01/02,10,9,kept|2001/01/05,10,8,|2001/01/06,10,7,name");
    EXPECT_EQ(Entries(*loaded->GetLists()[1]), "x,12,-3,spaces and sign");
    loaded->SelectList({"A"});
    EXPECT_EQ(loaded->GetCurrentList(), loaded->GetLists()[1].get()) << "selection finds the first";
    EXPECT_EQ(Entries(*loaded->GetLists()[3]), firstTen);
}

// Bad or unreadable files are reported and leave the table empty; a failed save is reported, keeps
// the modified flag and leaves the old file (if any) as it was.
TEST_F(Rank, FailedReadsLeaveTheTableEmptyFailedSavesKeepTheFlagAndTheOldFile) {
    for (const std::string& bytes : {std::string(), Lines({"_PEL_LORA_LIST_FILE_,1.0", "PL_JUNRE_NAMES,A", "d,10,1,a"}),
                                     Lines({"_pel_lora_rank_file_"}), std::string("  \r\n")}) {
        auto loaded = LoadBytes(bytes);
        EXPECT_TRUE(loaded->GetLists().empty()) << bytes;
        ExpectOneMessage(" : 不正なファイルが指定されました。");
    }
    // Further fields and leading blanks of the first line do not matter.
    EXPECT_EQ(LoadBytes(" _PEL_LORA_RANK_FILE_,2.0\r\nPL_JUNRE_NAMES,A\r\nd,10,1,a\r\n")->GetLists().size(), 1u);
    EXPECT_TRUE(prompt.Messages().empty());

    const std::string old = kHeader + Lines({"PL_JUNRE_NAMES,A", "2001/01/01,10,1,old"});
    auto loaded = LoadBytes(old);
    loaded->SelectList({"A"});
    loaded->AddResult(1, std::string(200000, 'n'), 10, 10);
    const int saved = [&] {
        ScopedFileSizeLimit limit(1000);
        return limit.Applied() ? loaded->Save() : -1;
    }();
    EXPECT_EQ(saved, 0);
    ExpectOneMessage(" : 書き込み中にエラーが発生しました。");
    EXPECT_TRUE(loaded->IsModified());
    EXPECT_EQ(ReadFileBytes(path), old);

    // A folder in place of the file: it can be neither written nor read.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(loaded->Save(), 0);
    ExpectOneMessage(" : 書き込みが許可されませんでした。");
    EXPECT_TRUE(loaded->IsModified());
    CRankTable folder(prompt, path);
    ExpectOneMessage(kCannotOpen);
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    CRankTable pipe(prompt, path);  // must not wait for a writer
    ExpectOneMessage(kCannotOpen);

    // Reading this process's memory from address 0 fails although the open succeeds.
    path = "/proc/self/mem";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no /proc";
    CRankTable memory(prompt, path);
    ExpectOneMessage(kCannotOpen);
}

}  // namespace
