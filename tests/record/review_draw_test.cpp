// The Leitner steps and the order in which a review draws the weak questions.
#include "record/leitner.h"
#include "record/record_test_util.h"
#include "record/review_draw.h"
#include "wordlist/wordlist_test_util.h"

namespace {

using std::chrono::days;
const std::chrono::sys_days kToday = FixedClock().today;

TEST(Leitner, EachOutcomeMovesTheBoxAndTheDueDate) {
    const struct {
        int box;
        AnswerOutcome outcome;
        int newBox, dueIn;
    } steps[] = {
        {0, AnswerOutcome::Right, 1, 1},          {1, AnswerOutcome::Right, 2, 2},
        {2, AnswerOutcome::Right, 3, 4},          {3, AnswerOutcome::Right, 4, 8},
        {4, AnswerOutcome::Right, 5, 16},         {5, AnswerOutcome::Right, 5, 16},
        {0, AnswerOutcome::RightAfterHint, 1, 1}, {4, AnswerOutcome::RightAfterHint, 4, 1},
        {5, AnswerOutcome::Wrong, 1, 0},          {3, AnswerOutcome::TimeOut, 1, 0},
        {0, AnswerOutcome::Wrong, 1, 0},
    };
    for (const auto& s : steps) {
        const LeitnerState next = NextLeitnerState(s.box, s.outcome, kToday);
        EXPECT_EQ(std::pair(next.box, next.due), std::pair(s.newBox, kToday + days{s.dueIn}))
            << s.box << " " << static_cast<int>(s.outcome);
    }
}

struct Review : ::testing::Test {
    CWordList list;
    CQuestionStates states;
    CRecordingPrompt prompt;

    // A holds a1..a6 and child B (b1, b2); C has a1 of its own; D holds d1 twice.
    Review() { Build(list, "B[b1 b2] A[a1 a2 a3 a4 a5 a6 >B] C[a1] D[d1 d1]"); }
    void Set(const char* genre, const char* question, int box, int dueIn) {
        states.Add(genre, question, {box, kToday + days{dueIn}});
    }
    std::vector<std::string> Draw(std::vector<std::string> selected, int count) {
        std::vector<CQuestion*> runList;
        std::vector<std::string> texts;
        if (PrepareReviewRun(prompt, list, selected, count, runList, states, kToday))
            for (CQuestion* question : runList) texts.emplace_back(question->PeekText());
        return texts;
    }
};

// Due ones by box, then the longest overdue, then list order; then new ones in list order. A
// question shared through a child, selected twice or listed twice is asked once; one of the same text in
// another genre is another question.
TEST_F(Review, DueFirstThenNewInListOrder) {
    Set("A", "a1", 2, -1);
    Set("A", "a2", 1, 0);
    Set("A", "a3", 1, -3);
    Set("A", "a5", 3, 1);  // not yet due
    Set("B", "b2", 2, -1);
    Set("A", "a6", 2, -1);
    using V = std::vector<std::string>;
    EXPECT_EQ(Draw({"A"}, 4), (V{"a3", "a2", "a1", "a6"}));
    EXPECT_EQ(Draw({"A", "B", "C"}, 20), (V{"a3", "a2", "a1", "a6", "b2", "a4", "b1", "a1"}));
    EXPECT_EQ(Draw({"D", "D"}, 5), (V{"d1"}));
    EXPECT_TRUE(prompt.Messages().empty());
}

TEST_F(Review, NothingDueOrNewSaysWhenTheNextFallsDue) {
    Set("B", "b1", 3, 4);
    Set("B", "b2", 1, 2);
    EXPECT_TRUE(Draw({"B"}, 5).empty());
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].caption, "復習");
    EXPECT_NE(prompt.Messages()[0].text.find("2026/12/09"), std::string::npos) << prompt.Messages()[0].text;
    // The normal start's refusals: no selection is told, an empty genre or a count of 0 is not.
    prompt.Clear();
    Build(list, "E[]");
    EXPECT_TRUE(Draw({}, 5).empty());
    EXPECT_TRUE(Draw({"E"}, 5).empty());
    EXPECT_TRUE(Draw({"A"}, 0).empty());
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Messages()[0].caption, "ジャンル未選択");
}

}  // namespace
