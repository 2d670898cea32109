// Drawing a run: counting the selection, checking the typed count, the permutation, the
// question index and the prepared run list.
#include <climits>
#include <numeric>

#include "app/question_index.h"
#include "app/run_drawing.h"
#include "platform/random.h"
#include "score/rank_table.h"
#include "wordlist/wordlist_test_util.h"

namespace {

// ALL (2 questions), ALL (3), child (4), parent (1 and child), empty, A (2), B (3), then g0
// with one question and g1..g30, each including the one before twice: 2^i questions.
struct Drawing : ::testing::Test {
    CWordList list;
    CRecordingPrompt prompt;
    CQuestion marker{std::string("old"), "1", true, {"x"}};
    std::vector<CQuestion*> runList{&marker};

    Drawing() {
        Build(list, "ALL[a1 a2] ALL[a3 a4 a5] child[c1 c2 c3 c4] parent[p1 >child] empty[]");
        Build(list, "A[A.0 A.1] B[B.0 B.1 B.2] g0[g]");
        for (int i = 1; i <= 30; ++i) {
            const std::string below = " >g" + std::to_string(i - 1);
            Build(list, "g" + std::to_string(i) + "[" + below + below + "]");
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

TEST(FastPaths, PermutationHeadAndQuestionIndexMatchThePlainAlgorithms) {
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

    // Cached totals gone stale (short after a child grew, above after it shrank, below the questions
    // held after a grown child was removed), a pending child, no genre in the selection, indices
    // outside it: every index, looked up at once in reverse order, as the plain walk finds it.
    CWordList list;
    Build(list, "leaf[l1 l2] shrunk[s1 s2 s3] mid[m1 >leaf >nowhere >shrunk m2] low[w1 >leaf]");
    Build(list, "top[t1 >mid >low >shrunk t2]");
    CGenre *leaf = list.FindGenre("leaf"), *low = list.FindGenre("low");
    AddQuestion(*leaf, "l3");
    AddQuestion(*leaf, "l4");
    list.FindGenre("shrunk")->RemoveEntries(CGenre::kQuestions, "");
    low->RemoveEntries(CGenre::kChildren, "");
    ASSERT_EQ(low->GetTotal(), 0);
    const std::vector<CGenre*> selection = {list.FindGenre("top"), nullptr, low, list.FindGenre("mid"), leaf};
    std::vector<int> indices(40);
    std::iota(indices.rbegin(), indices.rend(), -1);
    const std::vector<CQuestion*> found = CQuestionIndex(selection).FindAll(indices);
    for (std::size_t k = 0; k < indices.size(); ++k)
        EXPECT_EQ(found[k], FindQuestionByIndex(selection, indices[k])) << "index " << indices[k];
}

TEST_F(Drawing, CountsTheSelectionRefusesChangingNothingOrDrawsFromTheSeededGeneratorAndSelectsItsRanking) {
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

    // A run just above the largest that can be held.
    perRunCount = INT_MAX;
    EXPECT_EQ(PrepareRun(prompt, list, {"g24", "g0"}, perRunCount, runList, nullptr), 0);
    EXPECT_EQ(perRunCount, kMaxRunQuestions + 1);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Harbor Lessons: 問題数が多すぎるため、出題を準備できませんでした。"});
    EXPECT_EQ(runList, std::vector<CQuestion*>{&marker});
    EXPECT_EQ(ProgramRandom().GetState(), state);  // nothing drawn
    prompt.Clear();
    CRankTable rankTable(prompt, "never-written.wls");
    ProgramRandom().Seed(1);
    // Seed 1 draws 41, 18467, 6334, 26500, 19169, which swap 0 1 2 3 4 into 3 2 4 1 0; indices
    // 3, 2, 4 over A (0, 1) then B (2, 3, 4) are B.1, B.0, B.2.
    perRunCount = 3;
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

}  // namespace
