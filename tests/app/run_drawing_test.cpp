// Drawing a run: counting the selection, checking the typed count, the permutation, the
// question index and the prepared run list.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "app/question_index.h"
#include "app/run_drawing.h"
#include "platform/random.h"
#include "platform/recording_prompt.h"
#include "score/rank_table.h"
#include "support/temp_dir.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

void AddQuestions(CGenre& genre, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i)
        genre.AddQuestion(std::make_unique<CQuestion>(prefix + std::to_string(i), "1", true, std::vector<std::string>{"a"}));
}

CGenre& AddGenre(CWordList& list, const std::string& name, int questions = 0) {
    CGenre* genre = list.AddGenre(std::make_unique<CGenre>(name));
    AddQuestions(*genre, name + ".", questions);
    return *genre;
}

// ALL (2 questions), ALL (3), child (4), parent (1 and child), empty, then g0 with one question
// and g1..g30, each including the one before twice: 2^i questions.
struct Drawing : ::testing::Test {
    CWordList list;
    CRecordingPrompt prompt;
    CQuestion marker{std::string("old"), "1", true, {"x"}};
    std::vector<CQuestion*> runList{&marker};

    Drawing() {
        for (auto [name, count] : {std::pair{"ALL", 2}, {"ALL", 3}, {"child", 4}, {"parent", 1}, {"empty", 0}})
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
};

}  // namespace

TEST(RunCount, TheTypedCountKeepsLeadingDigitsAndHoldsToTheTotal) {
    const struct {
        const char *runText, *totalText;
        int value;
        bool corrected;
    } cases[] = {
        // Before the first selection the total box is empty. Wrapping in 32 bits would leave 5
        // of "4294967301" with the long text shown. The whole text counts, not its first 14 bytes.
        {"12a5", "100", 12, true}, {"150", "100", 100, true}, {"100", "100", 100, false}, {"", "100", 0, false},
        {"0", "", 0, false},       {"5", "", 0, true},        {"a", "10", 0, true},       {" 5", "10", 0, true},
        {"-5", "10", 0, true},     {"+5", "10", 0, true},     {"2147483647", "2147483647", INT_MAX, false},
        {"2147483648", "2147483647", 0, true}, {"4294967301", "100000", 0, true}, {"0000000000000012", "20", 12, false}};
    for (const auto& c : cases) {
        const CRunCountCheck check = CheckRunCountText(c.runText, c.totalText);
        EXPECT_EQ(check.value, c.value) << "'" << c.runText << "' of '" << c.totalText << "'";
        EXPECT_EQ(check.corrected, c.corrected) << "'" << c.runText << "' of '" << c.totalText << "'";
    }
    // Counting lowers the count to the total, but not below one.
    for (auto [total, count, lowered] : {std::tuple{5, 10, 5}, {0, 10, 1}, {10, 5, 5}, {10, 10, 10}, {3, 0, 0}})
        EXPECT_EQ(LowerRunCount(total, count), lowered) << count << " of " << total;
}

TEST_F(Drawing, CountSelectionCountsDuplicateNamesAndChildrenTwiceAndSaturates) {
    const auto& genres = list.GetGenres();
    // Either "ALL" line stands for the first genre of that name.
    const CSelectionCount both = CountSelection(list, {"ALL", "ALL"});
    EXPECT_EQ(both.total, 4);
    EXPECT_EQ(both.genres, (std::vector<CGenre*>{genres[0].get(), genres[0].get()}));
    const CSelectionCount nested = CountSelection(list, {"child", "parent"});
    EXPECT_EQ(nested.total, 9);
    EXPECT_EQ(nested.genres, (std::vector<CGenre*>{genres[2].get(), genres[3].get()}));
    const CSelectionCount none = CountSelection(list, {"", "missing"});
    EXPECT_EQ(none.total, 0);
    EXPECT_TRUE(none.genres.empty());
    ASSERT_EQ(list.FindGenre("g30")->GetTotal(), 1 << 30);
    EXPECT_EQ(CountSelection(list, {"g30", "g30"}).total, INT_MAX);
    EXPECT_EQ(CountSelection(list, {"g30", "g30", "g30"}).total, INT_MAX);
}

TEST(Permutation, HeadMatchesTheWholePermutationAndItsDraws) {
    for (auto [total, count] : {std::pair{1, 1}, {2, 2}, {7, 3}, {32767, 32767}, {32768, 100}, {32769, 32769},
                                {100000, 70000}, {100000, 5}}) {
        SCOPED_TRACE("total " + std::to_string(total) + ", count " + std::to_string(count));
        CRandom plainRandom, headRandom;
        plainRandom.Seed(12345);
        headRandom.Seed(12345);
        // The permutation as the plain algorithm makes it, over the whole array.
        std::vector<int> plain(static_cast<std::size_t>(total));
        std::iota(plain.begin(), plain.end(), 0);
        for (int i = 0; i < total; ++i) std::swap(plain[i], plain[plainRandom.Next() % total]);
        plain.resize(static_cast<std::size_t>(count));
        EXPECT_EQ(MakePermutationHead(total, count, headRandom), plain);
        EXPECT_EQ(headRandom.GetState(), plainRandom.GetState());
    }
}

// Builds word lists of nested genres at random (children listed first or later, pending ones,
// stale and negative cached totals) and checks every index against the plain walk.
TEST(QuestionIndex, FindsWhatFindQuestionByIndexFinds) {
    std::mt19937 shape(20240611);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        CWordList list;
        const int genreCount = 2 + static_cast<int>(shape() % 12);
        for (int g = 0; g < genreCount; ++g) AddGenre(list, "g" + std::to_string(g), static_cast<int>(shape() % 4));
        const auto& genres = list.GetGenres();
        // Only genres listed later may be included, so nothing reaches itself.
        for (int g = 0; g + 1 < genreCount; ++g) {
            CGenre& genre = *genres[g];
            for (int c = static_cast<int>(shape() % 4); c > 0; --c) {
                const int target = g + 1 + static_cast<int>(shape() % (genreCount - g - 1));
                if (shape() % 9 == 0)
                    genre.AddChildByName(list, "nowhere");  // stays pending
                else if (shape() % 5 == 0)
                    genre.AddChildByName(list, "g" + std::to_string(target));
                else
                    genre.AddChildGenre(genres[target].get());
                if (shape() % 3 == 0) AddQuestions(genre, std::string(genre.GetName()) + "+", 1);
            }
        }
        // Questions added to a child after it was included leave the includer's total short;
        // removing an including entry later can drive a total below its questions or below 0.
        for (int g = genreCount - 1; g >= 0; --g) {
            if (shape() % 3 == 0) AddQuestions(*genres[g], std::string(genres[g]->GetName()) + "*", 2);
            if (shape() % 7 == 0) genres[g]->RemoveEntries(CGenre::kQuestions, "");
        }
        list.ResolveAll();

        std::vector<CGenre*> selection;
        for (int i = 1 + static_cast<int>(shape() % 5); i > 0; --i) selection.push_back(genres[shape() % genreCount].get());
        if (shape() % 4 == 0) selection.insert(selection.begin() + 1, nullptr);
        std::int64_t total = 0;
        for (CGenre* genre : selection) total += genre ? std::max(genre->GetTotal(), 0) : 0;
        CQuestionIndex index(selection);
        for (int i = 0; i < total + 3; ++i) ASSERT_EQ(index.Find(i), FindQuestionByIndex(selection, i)) << "index " << i;
    }
}

TEST(PrepareRun, DrawsTheRunListFromTheSeededGeneratorAndSelectsItsRanking) {
    CWordList list;
    AddGenre(list, "A", 2);
    AddGenre(list, "B", 3);
    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable rankTable(prompt, dir / "list.wls");
    ProgramRandom().Seed(1);
    // Seed 1 draws 41, 18467, 6334, 26500, 19169; modulo the total 5: 1, 2, 4, 0, 4.
    //   p = 0 1 2 3 4 -> swap p0,p1: 1 0 2 3 4 -> swap p1,p2: 1 2 0 3 4
    //     -> swap p2,p4: 1 2 4 3 0 -> swap p3,p0: 3 2 4 1 0 -> swap p4,p4: 3 2 4 1 0.
    // Indices 3, 2, 4 over A (0, 1) then B (2, 3, 4): B.1, B.0, B.2.
    int perRunCount = 3;
    std::vector<CQuestion*> runList;
    ASSERT_EQ(PrepareRun(prompt, list, {"A", "B"}, perRunCount, runList, &rankTable), 1);
    std::vector<std::string> texts;
    for (CQuestion* question : runList) texts.emplace_back(question->PeekText());
    EXPECT_EQ(texts, (std::vector<std::string>{"B.1", "B.0", "B.2"}));
    EXPECT_EQ(perRunCount, 3);
    // Every draw of the whole permutation was made: the next one is seed 1's sixth.
    EXPECT_EQ(ProgramRandom().Next(), 15724);
    EXPECT_EQ(rankTable.GetCurrentList()->GetNames(), (std::vector<std::string>{"A", "B"}));

    // The count is lowered to the total; the ranking is that of every selected text.
    perRunCount = 50;
    ASSERT_EQ(PrepareRun(prompt, list, {"A", "missing"}, perRunCount, runList, &rankTable), 1);
    EXPECT_EQ(perRunCount, 2);
    EXPECT_EQ(runList.size(), 2u);
    EXPECT_EQ(rankTable.GetCurrentList()->GetNames(), (std::vector<std::string>{"A", "missing"}));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(Drawing, PrepareRunRefusalsChangeNeitherTheRunListNorTheGenerator) {
    ProgramRandom().Seed(7);
    const std::uint32_t state = ProgramRandom().GetState();
    int perRunCount = 10;
    EXPECT_EQ(PrepareRun(prompt, list, {}, perRunCount, runList, nullptr), 0);
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].text, "ジャンルを選択してからスタートしてください。");
    EXPECT_EQ(prompt.Messages()[0].caption, "ジャンル未選択");
    EXPECT_EQ(prompt.Messages()[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt.Messages()[0].buttons, PromptButtons::Ok);
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
    ASSERT_EQ(prompt.Messages().size(), 2u);
    for (const auto& message : prompt.Messages()) {
        EXPECT_EQ(message.text, "問題数が多すぎるため、出題を準備できませんでした。");
        EXPECT_EQ(message.icon, PromptIcon::Exclamation);
    }
    EXPECT_EQ(runList, std::vector<CQuestion*>{&marker});
    EXPECT_EQ(ProgramRandom().GetState(), state);  // nothing drawn
}
