// Drawing a run: counting the selection, checking the typed count, the permutation, the
// question index and the prepared run list.
#include <gtest/gtest.h>

#include <climits>
#include <numeric>

#include "app/question_index.h"
#include "app/run_drawing.h"
#include "platform/random.h"
#include "platform/recording_prompt.h"
#include "score/rank_table.h"
#include "support/temp_dir.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

// Questions named after their genre: "name" "tag" "number".
void AddQuestions(CGenre& genre, std::string_view tag, int count) {
    for (int i = 0; i < count; ++i)
        genre.AddQuestion(std::make_unique<CQuestion>(std::string(genre.GetName()).append(tag) + std::to_string(i), "1",
                                                      true, std::vector<std::string>{"a"}));
}

CGenre& AddGenre(CWordList& list, const std::string& name, int questions = 0) {
    CGenre* genre = list.AddGenre(std::make_unique<CGenre>(name));
    AddQuestions(*genre, ".", questions);
    return *genre;
}

// ALL (2 questions), ALL (3), child (4), parent (1 and child), empty, A (2), B (3), then g0
// with one question and g1..g30, each including the one before twice: 2^i questions.
struct Drawing : ::testing::Test {
    CWordList list;
    CRecordingPrompt prompt;
    CQuestion marker{std::string("old"), "1", true, {"x"}};
    std::vector<CQuestion*> runList{&marker};

    Drawing() {
        for (auto [name, count] : {std::pair{"ALL", 2}, {"ALL", 3}, {"child", 4}, {"parent", 1}, {"empty", 0}, {"A", 2}, {"B", 3}})
            AddGenre(list, name, count);
        list.FindGenre("parent")->AddChildGenre(list.FindGenre("child"));
        CGenre* level = &AddGenre(list, "g0", 1);
        for (int i = 1; i <= 30; ++i) {
            CGenre& next = AddGenre(list, "g" + std::to_string(i));
            next.AddChildGenre(level);
            next.AddChildGenre(level);
            level = &next;
        }
    }
    // Each message as "caption: text", marked unless it is a warning with an OK button.
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        for (const auto& m : prompt.Messages())
            shown.push_back(m.caption + ": " + m.text + (m.icon == PromptIcon::Exclamation && m.buttons == PromptButtons::Ok ? "" : " (?)"));
        return shown;
    }
};

TEST(RunCount, TheTypedCountKeepsLeadingDigitsAndHoldsToTheTotal) {
    // Before the first selection the total box is empty. Wrapping in 32 bits would leave 5 of
    // "4294967301" with the long text shown. The whole text counts, not its first 14 bytes.
    const struct {
        const char *runText, *totalText;
        int value;
        bool corrected;
    } cases[] = {{"12a5", "100", 12, true}, {"150", "100", 100, true}, {"100", "100", 100, false},
                 {"", "100", 0, false},     {"0", "", 0, false},       {"5", "", 0, true},
                 {"a", "10", 0, true},      {" 5", "10", 0, true},     {"-5", "10", 0, true},
                 {"+5", "10", 0, true},     {"2147483647", "2147483647", INT_MAX, false},
                 {"2147483648", "2147483647", 0, true}, {"4294967301", "100000", 0, true},
                 {"0000000000000012", "20", 12, false}};
    for (const auto& c : cases) {
        const CRunCountCheck check = CheckRunCountText(c.runText, c.totalText);
        EXPECT_EQ(std::pair(check.value, check.corrected), std::pair(c.value, c.corrected)) << c.runText << " of " << c.totalText;
    }
    // Counting lowers the count to the total, but not below one.
    for (auto [total, count, lowered] : {std::tuple{5, 10, 5}, {0, 10, 1}, {10, 5, 5}, {10, 10, 10}, {3, 0, 0}})
        EXPECT_EQ(LowerRunCount(total, count), lowered) << count << " of " << total;
}

TEST_F(Drawing, CountSelectionCountsDuplicateNamesAndChildrenTwiceAndSaturates) {
    const auto& genres = list.GetGenres();
    // Either "ALL" line stands for the first genre of that name.
    const auto counted = [&](std::vector<std::string> texts) {
        const CSelectionCount count = CountSelection(list, texts);
        return std::pair(count.total, count.genres);
    };
    using Counted = std::pair<int, std::vector<CGenre*>>;
    EXPECT_EQ(counted({"ALL", "ALL"}), Counted(4, {genres[0].get(), genres[0].get()}));
    EXPECT_EQ(counted({"child", "parent"}), Counted(9, {genres[2].get(), genres[3].get()}));
    EXPECT_EQ(counted({"", "missing"}), Counted(0, {}));
    ASSERT_EQ(list.FindGenre("g30")->GetTotal(), 1 << 30);
    EXPECT_EQ(counted({"g30", "g30"}).first, INT_MAX);
}

TEST(Permutation, HeadMatchesTheWholePermutationAndItsDraws) {
    for (auto [total, count] : {std::pair{1, 1}, {2, 2}, {7, 3}, {32767, 32767}, {32768, 100}, {32769, 32769},
                                {100000, 70000}, {100000, 5}}) {
        SCOPED_TRACE("total " + std::to_string(total) + ", count " + std::to_string(count));
        CRandom plainRandom, headRandom;
        for (CRandom* random : {&plainRandom, &headRandom}) random->Seed(12345);
        // The permutation as the plain algorithm makes it, over the whole array.
        std::vector<int> plain(static_cast<std::size_t>(total));
        std::iota(plain.begin(), plain.end(), 0);
        for (int i = 0; i < total; ++i) std::swap(plain[i], plain[plainRandom.Next() % total]);
        plain.resize(static_cast<std::size_t>(count));
        EXPECT_EQ(MakePermutationHead(total, count, headRandom), plain);
        EXPECT_EQ(headRandom.GetState(), plainRandom.GetState());
    }
}

// Cached totals gone stale (short after a child grew, above after it shrank, below the questions
// held after a grown child was removed), a pending child, no genre in the selection, indices
// outside it:
// every index, looked up at once in reverse order, as the plain walk finds it.
TEST(QuestionIndex, FindsWhatFindQuestionByIndexFinds) {
    CWordList list;
    CGenre &leaf = AddGenre(list, "leaf", 2), &shrunk = AddGenre(list, "shrunk", 3);
    CGenre &mid = AddGenre(list, "mid", 1), &low = AddGenre(list, "low", 1), &top = AddGenre(list, "top", 1);
    mid.AddChildGenre(&leaf);
    mid.AddChildByName(list, "nowhere");
    mid.AddChildByName(list, "shrunk");
    AddQuestions(mid, "+", 1);
    low.AddChildGenre(&leaf);
    for (CGenre* child : {&mid, &low, &shrunk}) top.AddChildGenre(child);
    AddQuestions(top, "+", 1);
    AddQuestions(leaf, "*", 2);
    shrunk.RemoveEntries(CGenre::kQuestions, "");
    low.RemoveEntries(CGenre::kChildren, "");
    ASSERT_EQ(low.GetTotal(), 0);
    const std::vector<CGenre*> selection = {&top, nullptr, &low, &mid, &leaf};
    std::vector<int> indices(40);
    std::iota(indices.rbegin(), indices.rend(), -1);
    const std::vector<CQuestion*> found = CQuestionIndex(selection).FindAll(indices);
    for (std::size_t k = 0; k < indices.size(); ++k)
        EXPECT_EQ(found[k], FindQuestionByIndex(selection, indices[k])) << "index " << indices[k];
}

TEST_F(Drawing, PrepareRunDrawsFromTheSeededGeneratorAndSelectsItsRanking) {
    TempDir dir;
    CRankTable rankTable(prompt, dir / "list.wls");
    ProgramRandom().Seed(1);
    // Seed 1 draws 41, 18467, 6334, 26500, 19169; modulo the total 5: 1, 2, 4, 0, 4.
    //   p = 0 1 2 3 4 -> swap p0,p1: 1 0 2 3 4 -> swap p1,p2: 1 2 0 3 4
    //     -> swap p2,p4: 1 2 4 3 0 -> swap p3,p0: 3 2 4 1 0 -> swap p4,p4: 3 2 4 1 0.
    // Indices 3, 2, 4 over A (0, 1) then B (2, 3, 4): B.1, B.0, B.2.
    int perRunCount = 3;
    ASSERT_EQ(PrepareRun(prompt, list, {"A", "B"}, perRunCount, runList, &rankTable), 1);
    std::string texts;
    for (CQuestion* question : runList) texts.append(question->PeekText()).append(" ");
    EXPECT_EQ(texts, "B.1 B.0 B.2 ");
    // Every draw of the whole permutation was made: the next one is seed 1's sixth.
    EXPECT_EQ(ProgramRandom().Next(), 15724);
    EXPECT_EQ(rankTable.GetCurrentList()->GetNames(), (std::vector<std::string>{"A", "B"}));

    // The count is lowered to the total; the ranking is that of every selected text.
    perRunCount = 50;
    ASSERT_EQ(PrepareRun(prompt, list, {"A", "missing"}, perRunCount, runList, &rankTable), 1);
    EXPECT_EQ(std::pair(perRunCount, runList.size()), std::pair(2, std::size_t{2}));
    EXPECT_EQ(rankTable.GetCurrentList()->GetNames(), (std::vector<std::string>{"A", "missing"}));
    EXPECT_TRUE(prompt.Messages().empty());

    // A total left above the questions still held (they went after the genre was included):
    // the gaps are left out of the run, never asked as holes.
    list.FindGenre("child")->RemoveEntries(CGenre::kQuestions, "");
    perRunCount = 5;
    ASSERT_EQ(PrepareRun(prompt, list, {"parent"}, perRunCount, runList, nullptr), 1);
    EXPECT_EQ(runList, std::vector<CQuestion*>{list.FindGenre("parent")->GetQuestionAt(1)});
    EXPECT_EQ(perRunCount, 1);
}

TEST_F(Drawing, PrepareRunRefusalsChangeNeitherTheRunListNorTheGenerator) {
    ProgramRandom().Seed(7);
    const std::uint32_t state = ProgramRandom().GetState();
    int perRunCount = 10;
    EXPECT_EQ(PrepareRun(prompt, list, {}, perRunCount, runList, nullptr), 0);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"ジャンル未選択: ジャンルを選択してからスタートしてください。"}));
    EXPECT_EQ(perRunCount, 10);
    prompt.Clear();
    // Without questions, or with a count of 0, it fails silently.
    EXPECT_EQ(PrepareRun(prompt, list, {"empty"}, perRunCount, runList, nullptr), 0);
    EXPECT_EQ(perRunCount, 1);  // lowered by counting, not below 1
    perRunCount = 0;
    EXPECT_EQ(PrepareRun(prompt, list, {"child"}, perRunCount, runList, nullptr), 0);
    EXPECT_TRUE(prompt.Messages().empty());

    // A run too large to hold: the whole (saturated) total, as a selection change offers it, and
    // just above the largest run.
    perRunCount = INT_MAX;
    EXPECT_EQ(PrepareRun(prompt, list, {"g30", "g30"}, perRunCount, runList, nullptr), 0);
    perRunCount = INT_MAX;
    EXPECT_EQ(PrepareRun(prompt, list, {"g24", "g0"}, perRunCount, runList, nullptr), 0);
    EXPECT_EQ(perRunCount, kMaxRunQuestions + 1);
    EXPECT_EQ(Shown(), std::vector<std::string>(2, "Harbor Lessons: 問題数が多すぎるため、出題を準備できませんでした。"));
    EXPECT_EQ(runList, std::vector<CQuestion*>{&marker});
    EXPECT_EQ(ProgramRandom().GetState(), state);  // nothing drawn
}

}  // namespace
