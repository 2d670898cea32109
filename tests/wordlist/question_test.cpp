#include "wordlist_test_util.h"

namespace {

TEST(Question, RequiredCountFromTheCountField) {
    const struct { CWordList fields; int required; std::size_t answers; } cases[] = {
        {Fields({"q", "1", "a", "b"}), 1, 2},
        {Fields({"q", "5", "a", "b"}), 2, 2},    // cut to the answers
        {Fields({"q", "-3", "a", "b"}), -1, 2},  // any negative count: a choice question
        {Fields({"q", "abc", "a"}), 0, 1},       // no digits read as 0
        {Fields({"q", " \t+2x", "a", "b", "c"}), 2, 3},
        {Fields({"q", "2147483648", "a"}), -1, 1},  // atoi keeps the low 32 bits: negative
        {Fields({"q", "2"}), 0, 0},
        {Fields({"q"}), -1, 0},  // no count field: a choice question without answers
        {Fields({}), -1, 0},
    };
    for (const auto& c : cases) {
        CQuestion question(c.fields);
        EXPECT_EQ(question.GetRequired(), c.required) << c.fields.GetTexts().size();
        EXPECT_EQ(question.GetAnswers().size(), c.answers);
        EXPECT_FALSE(question.HasExplanation());
    }
    EXPECT_EQ(CQuestion(Fields({"q", "0", "a"})).IsComplete(), 1);
}

TEST(Question, TypedAnswersAreCountedOnceUntilPresentedAgain) {
    CQuestion question(Fields({"q", "2", "a", "b", "c", "a"}));
    EXPECT_EQ(question.CheckAnswer("b"), CQuestion::kNewlyGiven);
    EXPECT_EQ(question.CheckAnswer("b"), CQuestion::kAlreadyGiven);
    EXPECT_EQ(question.CheckAnswer("B"), CQuestion::kNoMatch);
    EXPECT_EQ(question.CheckAnswer(" b"), CQuestion::kNoMatch);
    EXPECT_EQ(question.IsComplete(), 0);
    EXPECT_EQ(question.CheckAnswer("a"), CQuestion::kNewlyGiven);
    EXPECT_EQ(question.CheckAnswer("a"), CQuestion::kAlreadyGiven);  // the walk stops at the first "a"
    EXPECT_EQ(question.GetGiven(), 2);
    EXPECT_EQ(question.IsComplete(), 1);
    EXPECT_EQ(question.GetText(), "q");
    EXPECT_EQ(question.GetGiven(), 0);
    EXPECT_EQ(question.CheckAnswer("b"), CQuestion::kNewlyGiven);

    // A choice question is judged against its first answer and counts nothing.
    CQuestion choice(Fields({"q", "-1", "right", "wrong"}));
    EXPECT_EQ(choice.CheckAnswer("wrong"), CQuestion::kNoMatch);
    EXPECT_EQ(choice.CheckAnswer("right"), CQuestion::kNewlyGiven);
    EXPECT_EQ(choice.CheckAnswer("right"), CQuestion::kAlreadyGiven);
    EXPECT_EQ(choice.GetGiven(), 0);
    EXPECT_EQ(CQuestion(Fields({"q"})).CheckAnswer(""), CQuestion::kNoMatch);
}

TEST(Question, HintAnswerOverTheAnswersNotYetGiven) {
    CQuestion question(Fields({"q", "3", "ab", "cd", "ce"}));
    const std::pair<const char*, const char*> hints[] = {
        {"", "ab"}, {"c", "cd"}, {"ce", "ce"}, {"x", "ce"}, {"abc", "ce"},  // no match: the last remaining
    };
    for (const auto& [typed, hint] : hints) EXPECT_EQ(question.GetHintAnswer(typed), hint) << typed;
    question.CheckAnswer("ab");
    question.CheckAnswer("ce");
    EXPECT_EQ(question.GetHintAnswer("x"), "cd");
    question.CheckAnswer("cd");
    EXPECT_EQ(question.GetHintAnswer(""), "");
    EXPECT_EQ(CQuestion(Fields({"q"})).GetHintAnswer(""), "");

    // Bytes are compared: half a double-byte character is a prefix like any other.
    const std::string nihon = Sjis("日本");
    EXPECT_EQ(CQuestion(Fields({"q", "1", nihon, "x"})).GetHintAnswer(nihon.substr(0, 3)), nihon);
}

TEST(Question, CopyHasNoProgressAndAlwaysAnExplanation) {
    CQuestion original(Fields({"q", "2", "a", "b"}));
    original.CheckAnswer("a");
    CQuestion copy(original);
    EXPECT_EQ(copy.PeekText(), "q");
    EXPECT_EQ(copy.GetRequired(), 2);
    EXPECT_EQ(copy.GetAnswerText(1), "   a\r\n   b\r\n");  // every answer still to give
    EXPECT_EQ(copy.GetGiven(), 0);
    EXPECT_TRUE(copy.HasExplanation());
    EXPECT_EQ(copy.GetExplanation(), "");
    original.SetExplanation("why");
    EXPECT_EQ(CQuestion(original).GetExplanation(), "why");
}

}  // namespace
