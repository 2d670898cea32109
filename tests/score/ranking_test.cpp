// Rankings in memory: inserting, finding a result's place, selecting and clearing rankings.
#include <gtest/gtest.h>

#include "platform/local_date.h"
#include "platform/recording_prompt.h"
#include "score/rank_table.h"
#include "support/temp_dir.h"

namespace {

CRankEntry Entry(int questions, int right, std::string name = "n") {
    return CRankEntry{"2001/05/12", std::move(name), questions, right};
}

std::vector<std::string> NamesOf(const std::vector<CRankEntry>& entries) {
    std::vector<std::string> names;
    for (const CRankEntry& entry : entries) names.push_back(entry.name);
    return names;
}

// A table without a file behind it, with one selected ranking filled from rates given as
// right counts out of ten questions, best first.
struct TableWithRanking {
    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable table{prompt, dir / "lesson.wls"};

    explicit TableWithRanking(std::initializer_list<std::pair<int, int>> results = {}) {
        table.SelectList({"A"});
        int position = 1;
        for (auto [questions, right] : results) table.GetCurrentList()->Insert(position++, Entry(questions, right));
    }
};

TEST(RankList, InsertPlacesBeforeThePositionOrAtTheEnd) {
    struct Case {
        int position;
        std::vector<std::string> expected;
    } cases[] = {
        {1, {"new", "a", "b", "c"}},
        {2, {"a", "new", "b", "c"}},
        {3, {"a", "b", "new", "c"}},
        {4, {"a", "b", "c", "new"}},
        {99, {"a", "b", "c", "new"}},
        {0, {"a", "b", "c"}},
        {-3, {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        CRankList list({"g"});
        for (const char* name : {"a", "b", "c"}) list.Insert(99, Entry(10, 5, name));
        list.Insert(c.position, Entry(10, 5, "new"));
        EXPECT_EQ(NamesOf(list.GetEntries()), c.expected) << "position " << c.position;
    }
}

TEST(RankList, InsertRefusesResultsWithoutQuestions) {
    CRankList list({"g"});
    list.Insert(1, Entry(0, 0));
    list.Insert(1, Entry(-4, 2));
    EXPECT_TRUE(list.GetEntries().empty());
}

TEST(RankList, KeepsTenEntriesDroppingTheLast) {
    CRankList list({"g"});
    for (int i = 0; i < 10; ++i) list.Insert(i + 1, Entry(10, 10 - i, std::to_string(i)));
    list.Insert(3, Entry(10, 9, "new"));
    ASSERT_EQ(list.GetEntries().size(), 10u);
    EXPECT_EQ(list.GetEntries()[2].name, "new");
    EXPECT_EQ(list.GetEntries()[9].name, "8") << "the old tenth dropped out";
    list.Insert(11, Entry(10, 1, "late"));
    EXPECT_EQ(list.GetEntries().size(), 10u);
    EXPECT_EQ(list.GetEntries()[9].name, "8") << "an eleventh entry never stays";
}

TEST(FindPosition, EqualRatesRoundedUpGoInFrontRoundedDownBehind) {
    // 5 of 6 is 83.333336 in single precision, above the stored 83.3333...; 2 of 3 is
    // 66.666664, below the stored 66.6666...
    TableWithRanking fiveOfSix({{6, 5}});
    EXPECT_EQ(fiveOfSix.table.FindPosition(6, 5), 1);
    TableWithRanking twoOfThree({{3, 2}});
    EXPECT_EQ(twoOfThree.table.FindPosition(3, 2), 2);
    // Exactly representable rates tie and go behind.
    TableWithRanking half({{10, 5}, {4, 2}});
    EXPECT_EQ(half.table.FindPosition(2, 1), 3);
}

TEST(FindPosition, AFullRankingTakesOnlyBetterThanItsTenth) {
    TableWithRanking ranking({{10, 10}, {10, 9}, {10, 8}, {10, 7}, {10, 6}, {10, 5}, {10, 4}, {10, 3}, {10, 2}, {10, 1}});
    EXPECT_EQ(ranking.table.FindPosition(10, 1), -1) << "rate 10 ties the tenth";
    EXPECT_EQ(ranking.table.FindPosition(200, 21), 10) << "rate 10.5";
    EXPECT_EQ(ranking.table.FindPosition(10, 10), 2);
    EXPECT_EQ(ranking.table.FindPosition(20, 19), 2);

    ASSERT_EQ(ranking.table.AddResult(10, "new", 200, 21), 1);
    int count = 0;
    const std::vector<CRankEntry>* entries = ranking.table.GetCurrentEntries(&count);
    ASSERT_EQ(count, 10);
    EXPECT_EQ((*entries)[9].name, "new");
    EXPECT_EQ((*entries)[8].right, 2) << "the old tenth (rate 10) dropped out";
}

TEST(FindPosition, EmptyOrMissingRanking) {
    TableWithRanking empty;
    EXPECT_EQ(empty.table.FindPosition(20, 0), 1);
    EXPECT_EQ(empty.table.FindPosition(1, 1), 1);
    EXPECT_EQ(empty.table.FindPosition(0, 0), -1);
    EXPECT_EQ(empty.table.FindPosition(-5, 3), -1);

    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable unselected(prompt, dir / "x.wls");
    EXPECT_EQ(unselected.FindPosition(20, 20), -1);
}

TEST(FindPosition, ExtremeCountsStayDefined) {
    TableWithRanking ranking({{10, 5}});
    EXPECT_EQ(ranking.table.FindPosition(1, 2147483647), 1);
    EXPECT_EQ(ranking.table.FindPosition(2147483647, -2147483647 - 1), 2);
}

TEST(AddResult, EntersTodayAndMarksTheTableModified) {
    TableWithRanking ranking({{10, 9}});
    EXPECT_FALSE(ranking.table.IsModified());
    const std::string before = TodayLocalDate();
    ASSERT_EQ(ranking.table.AddResult(1, "hanako", 10, 10), 1);
    const std::string after = TodayLocalDate();
    const CRankEntry& entered = ranking.table.GetCurrentList()->GetEntries().front();
    EXPECT_TRUE(entered.date == before || entered.date == after) << entered.date;
    EXPECT_EQ(entered.name, "hanako");
    EXPECT_EQ(entered.questions, 10);
    EXPECT_EQ(entered.right, 10);
    EXPECT_TRUE(ranking.table.IsModified());
}

TEST(AddResult, NothingWithoutACurrentRanking) {
    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable table(prompt, dir / "x.wls");
    EXPECT_EQ(table.AddResult(1, "n", 10, 10), 0);
    table.ClearCurrentList();
    EXPECT_FALSE(table.IsModified());
    int count = 0;
    EXPECT_EQ(table.GetCurrentEntries(&count), nullptr);
    EXPECT_EQ(count, -1);
}

TEST(SelectList, NamesMatchByTheirCommaJoinedText) {
    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable table(prompt, dir / "x.wls");
    ASSERT_EQ(table.SelectList({"A", "B"}), 1);
    CRankList* ab = table.GetCurrentList();
    table.SelectList({"B", "A"});
    CRankList* ba = table.GetCurrentList();
    EXPECT_NE(ab, ba) << "order matters";
    table.SelectList({"A,B"});
    EXPECT_EQ(table.GetCurrentList(), ab) << "one name A,B is the same as A then B";
    table.SelectList({"A"});
    EXPECT_NE(table.GetCurrentList(), ab) << "a prefix is another ranking";
    table.SelectList({"A", "B", ""});
    EXPECT_NE(table.GetCurrentList(), ab) << "a trailing empty name is another ranking";
    table.SelectList({"A", "B"});
    EXPECT_EQ(table.GetCurrentList(), ab);

    EXPECT_EQ(table.GetLists().size(), 4u);
    EXPECT_FALSE(table.IsModified()) << "selecting alone changes nothing worth saving";

    int current = -1;
    EXPECT_EQ(table.GetListTexts(&current), (std::vector<std::string>{"A,B", "B,A", "A", "A,B,"}));
    EXPECT_EQ(current, 0);
    table.SelectList({"A"});
    table.GetListTexts(&current);
    EXPECT_EQ(current, 2);
}

TEST(SelectList, CurrentRankingCanBeSetBack) {
    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable table(prompt, dir / "x.wls");
    int current = -1;
    EXPECT_TRUE(table.GetListTexts(&current).empty());
    EXPECT_EQ(current, 0);
    table.SelectList({"first"});
    CRankList* first = table.GetCurrentList();
    table.SelectList({"second"});
    table.SetCurrentList(first);
    table.AddResult(1, "n", 20, 20);
    EXPECT_EQ(first->GetEntries().size(), 1u);
    table.ClearCurrentList();
    EXPECT_TRUE(first->GetEntries().empty());
    EXPECT_TRUE(table.IsModified());
}

}  // namespace
