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
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

void AddQuestions(CGenre& genre, const std::string& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        CWordList fields(CWordList::kTexts);
        fields.AddText(prefix + std::to_string(i));
        fields.AddText("1");
        fields.AddText("answer");
        genre.AddQuestion(fields);
    }
}

CGenre& AddGenre(CWordList& list, const std::string& name, int questions = 0) {
    CGenre* genre = list.AddGenre(std::make_unique<CGenre>(name));
    AddQuestions(*genre, name + ".", questions);
    return *genre;
}

std::vector<std::string> Texts(const std::vector<CQuestion*>& run) {
    std::vector<std::string> texts;
    for (CQuestion* question : run) texts.push_back(question ? question->PeekText() : "(none)");
    return texts;
}

// The permutation as the plain algorithm makes it, over the whole array.
std::vector<int> PlainPermutation(int total, CRandom& random) {
    std::vector<int> p(static_cast<std::size_t>(total));
    std::iota(p.begin(), p.end(), 0);
    for (int i = 0; i < total; ++i) std::swap(p[i], p[random.Next() % total]);
    return p;
}

}  // namespace

TEST(RunCountCheck, KeepsLeadingDigitsAndHoldsToTheTotal) {
    struct Case {
        const char* runText;
        const char* totalText;
        int value;
        bool corrected;
    };
    const Case cases[] = {
        {"12a5", "100", 12, true},
        {"150", "100", 100, true},
        {"100", "100", 100, false},
        {"", "100", 0, false},
        {"0", "", 0, false},
        {"5", "", 0, true},  // before the first selection the total box is empty
        {"a", "10", 0, true},
        {" 5", "10", 0, true},
        {"-5", "10", 0, true},
        {"+5", "10", 0, true},
        {"2147483647", "2147483647", INT_MAX, false},
        {"2147483648", "2147483647", 0, true},
        // Wrapping in 32 bits would leave 5 with the long text still shown.
        {"4294967301", "100000", 0, true},
        // The whole text counts, not only its first 14 characters.
        {"0000000000000012", "20", 12, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("run text '") + c.runText + "', total text '" + c.totalText + "'");
        const CRunCountCheck check = CheckRunCountText(c.runText, c.totalText);
        EXPECT_EQ(check.value, c.value);
        EXPECT_EQ(check.corrected, c.corrected);
    }
}

TEST(RunCount, IsLoweredToTheTotalButNotBelowOne) {
    EXPECT_EQ(LowerRunCount(5, 10), 5);
    EXPECT_EQ(LowerRunCount(0, 10), 1);
    EXPECT_EQ(LowerRunCount(10, 5), 5);
    EXPECT_EQ(LowerRunCount(10, 10), 10);
    EXPECT_EQ(LowerRunCount(3, 0), 0);
}

TEST(CountSelection, CountsDuplicateNamesAndChildrenTwice) {
    CWordList list;
    CGenre& firstAll = AddGenre(list, "ALL", 2);
    AddGenre(list, "ALL", 3);
    CGenre& child = AddGenre(list, "child", 4);
    CGenre& parent = AddGenre(list, "parent", 1);
    parent.AddChildGenre(&child);

    // Either "ALL" line stands for the first genre of that name.
    CSelectionCount both = CountSelection(list, {"ALL", "ALL"});
    EXPECT_EQ(both.total, 4);
    EXPECT_EQ(both.genres, (std::vector<CGenre*>{&firstAll, &firstAll}));

    CSelectionCount nested = CountSelection(list, {"child", "parent"});
    EXPECT_EQ(nested.total, 9);
    EXPECT_EQ(nested.genres, (std::vector<CGenre*>{&child, &parent}));

    CSelectionCount none = CountSelection(list, {"", "missing"});
    EXPECT_EQ(none.total, 0);
    EXPECT_TRUE(none.genres.empty());
}

TEST(CountSelection, SaturatesAHugeSum) {
    CWordList list;
    CGenre* level = &AddGenre(list, "g0", 1);
    for (int i = 1; i <= 30; ++i) {  // each level holds the one below twice: 2^i questions
        CGenre& next = AddGenre(list, "g" + std::to_string(i));
        next.AddChildGenre(level);
        next.AddChildGenre(level);
        level = &next;
    }
    ASSERT_EQ(level->GetTotal(), 1 << 30);
    EXPECT_EQ(CountSelection(list, {"g30", "g30"}).total, INT_MAX);
    EXPECT_EQ(CountSelection(list, {"g30", "g30", "g30"}).total, INT_MAX);
}

TEST(Permutation, HeadMatchesTheWholePermutationAndItsDraws) {
    const struct {
        int total;
        int count;
    } cases[] = {{1, 1}, {2, 2}, {7, 3}, {32767, 32767}, {32768, 100}, {32769, 32769}, {100000, 70000}, {100000, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE("total " + std::to_string(c.total) + ", count " + std::to_string(c.count));
        CRandom plainRandom, headRandom;
        plainRandom.Seed(12345);
        headRandom.Seed(12345);
        std::vector<int> plain = PlainPermutation(c.total, plainRandom);
        plain.resize(static_cast<std::size_t>(c.count));
        EXPECT_EQ(MakePermutationHead(c.total, c.count, headRandom), plain);
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
        for (int g = 0; g < genreCount; ++g) {
            CGenre& genre = *genres[g];
            const int children = static_cast<int>(shape() % 4);
            for (int c = 0; c < children; ++c) {
                // Only genres listed later may be included, so nothing reaches itself.
                if (g + 1 >= genreCount) break;
                const int target = g + 1 + static_cast<int>(shape() % (genreCount - g - 1));
                if (shape() % 9 == 0)
                    genre.AddChildByName(list, "nowhere");  // stays pending
                else if (shape() % 5 == 0)
                    genre.AddChildByName(list, "g" + std::to_string(target));
                else
                    genre.AddChildGenre(genres[target].get());
                if (shape() % 3 == 0) AddQuestions(genre, genre.GetName() + "+", 1);
            }
        }
        // Questions added to a child after it was included leave the includer's total short;
        // removing an including entry later can drive a total below its questions or below 0.
        for (int g = genreCount - 1; g >= 0; --g) {
            if (shape() % 3 == 0) AddQuestions(*genres[g], genres[g]->GetName() + "*", 2);
            if (shape() % 7 == 0) genres[g]->RemoveEntries(CGenre::kQuestions, "");
        }
        list.ResolveAll();

        std::vector<CGenre*> selection;
        const int picks = 1 + static_cast<int>(shape() % 5);
        for (int i = 0; i < picks; ++i) selection.push_back(genres[shape() % genreCount].get());
        if (shape() % 4 == 0) selection.insert(selection.begin() + 1, nullptr);

        std::int64_t total = 0;
        for (CGenre* genre : selection) total += genre ? std::max(genre->GetTotal(), 0) : 0;
        CQuestionIndex index(selection);
        for (int i = 0; i < total + 3; ++i) {
            ASSERT_EQ(index.Find(i), FindQuestionByIndex(selection, i)) << "index " << i;
        }
    }
}

TEST(PrepareRun, WithoutSelectionTellsTheLearnerAndChangesNothing) {
    CWordList list;
    AddGenre(list, "A", 3);
    CRecordingPrompt prompt;
    int perRunCount = 10;
    CQuestion marker(std::string("old"), "1", true, {"x"});
    std::vector<CQuestion*> runList{&marker};
    EXPECT_EQ(PrepareRun(prompt, list, {}, perRunCount, runList, nullptr), 0);
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].text, "ジャンルを選択してからスタートしてください。");
    EXPECT_EQ(prompt.Messages()[0].caption, "ジャンル未選択");
    EXPECT_EQ(prompt.Messages()[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt.Messages()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(perRunCount, 10);
    EXPECT_EQ(runList, std::vector<CQuestion*>{&marker});
}

TEST(PrepareRun, FailsSilentlyWithoutQuestionsOrWithACountOfZero) {
    CWordList list;
    AddGenre(list, "empty");
    AddGenre(list, "A", 3);
    CRecordingPrompt prompt;
    std::vector<CQuestion*> runList;
    int perRunCount = 10;
    EXPECT_EQ(PrepareRun(prompt, list, {"empty"}, perRunCount, runList, nullptr), 0);
    EXPECT_EQ(perRunCount, 1);  // lowered by counting, not below 1
    perRunCount = 0;
    EXPECT_EQ(PrepareRun(prompt, list, {"A"}, perRunCount, runList, nullptr), 0);
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_TRUE(runList.empty());
}

TEST(PrepareRun, DrawsTheRunListFromTheSeededGenerator) {
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
    EXPECT_EQ(Texts(runList), (std::vector<std::string>{"B.1", "B.0", "B.2"}));
    EXPECT_EQ(perRunCount, 3);
    // Every draw of the whole permutation was made: the next one is seed 1's sixth.
    EXPECT_EQ(ProgramRandom().Next(), 15724);
    ASSERT_NE(rankTable.GetCurrentList(), nullptr);
    EXPECT_EQ(rankTable.GetCurrentList()->GetNames(), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST(PrepareRun, LowersTheCountAndRanksUnderEverySelectedText) {
    CWordList list;
    AddGenre(list, "A", 4);
    TempDir dir;
    CRecordingPrompt prompt;
    CRankTable rankTable(prompt, dir / "list.wls");
    int perRunCount = 50;
    std::vector<CQuestion*> runList;
    ASSERT_EQ(PrepareRun(prompt, list, {"A", "missing"}, perRunCount, runList, &rankTable), 1);
    EXPECT_EQ(perRunCount, 4);
    EXPECT_EQ(runList.size(), 4u);
    EXPECT_EQ(rankTable.GetCurrentList()->GetNames(), (std::vector<std::string>{"A", "missing"}));
}

TEST(PrepareRun, RefusesARunTooLargeToHoldWithAMessage) {
    CWordList list;
    CGenre* level = &AddGenre(list, "g0", 1);
    for (int i = 1; i <= 30; ++i) {
        CGenre& next = AddGenre(list, "g" + std::to_string(i));
        next.AddChildGenre(level);
        next.AddChildGenre(level);
        level = &next;
    }
    CRecordingPrompt prompt;
    std::vector<CQuestion*> runList;
    ProgramRandom().Seed(7);
    const std::uint32_t state = ProgramRandom().GetState();
    // A selection change offers the whole (saturated) total as the count.
    int perRunCount = INT_MAX;
    EXPECT_EQ(PrepareRun(prompt, list, {"g30", "g30"}, perRunCount, runList, nullptr), 0);
    // Just above the largest run.
    perRunCount = INT_MAX;
    EXPECT_EQ(PrepareRun(prompt, list, {"g24", "g0"}, perRunCount, runList, nullptr), 0);
    EXPECT_EQ(perRunCount, kMaxRunQuestions + 1);
    ASSERT_EQ(prompt.Messages().size(), 2u);
    for (const auto& message : prompt.Messages()) {
        EXPECT_EQ(message.text, "問題数が多すぎるため、出題を準備できませんでした。");
        EXPECT_EQ(message.icon, PromptIcon::Exclamation);
    }
    EXPECT_TRUE(runList.empty());
    EXPECT_EQ(ProgramRandom().GetState(), state);  // nothing drawn
}
