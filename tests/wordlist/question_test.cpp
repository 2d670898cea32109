#include <gtest/gtest.h>

#include "wordlist_test_util.h"

namespace {

struct RequiredCase {
    CWordList fields;
    int required;
    std::size_t answers;
};

TEST(Question, RequiredCountFromTheCountField) {
    const RequiredCase cases[] = {
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
    for (const RequiredCase& c : cases) {
        CQuestion question(c.fields);
        EXPECT_EQ(question.GetRequired(), c.required) << c.fields.GetTexts().size();
        EXPECT_EQ(question.GetAnswers().size(), c.answers);
        EXPECT_FALSE(question.HasExplanation());
    }
    EXPECT_EQ(CQuestion(Fields({"q", "0", "a"})).IsComplete(), 1);
}

TEST(Question, TypedAnswersAreCountedOnce) {
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
    // Presenting the question again starts it afresh.
    EXPECT_EQ(question.GetText(), "q");
    EXPECT_EQ(question.GetGiven(), 0);
    EXPECT_EQ(question.CheckAnswer("b"), CQuestion::kNewlyGiven);
}

TEST(Question, ChoiceQuestionsAreJudgedAgainstTheFirstAnswer) {
    CQuestion question(Fields({"q", "-1", "right", "wrong"}));
    EXPECT_EQ(question.CheckAnswer("wrong"), CQuestion::kNoMatch);
    EXPECT_EQ(question.CheckAnswer("right"), CQuestion::kNewlyGiven);
    EXPECT_EQ(question.CheckAnswer("right"), CQuestion::kAlreadyGiven);
    EXPECT_EQ(question.GetGiven(), 0);
    EXPECT_EQ(question.GetAnswerText(0), "right");
    EXPECT_EQ(question.GetAnswerText(1), "");

    CQuestion empty(Fields({"q"}));
    EXPECT_EQ(empty.CheckAnswer(""), CQuestion::kNoMatch);
    EXPECT_EQ(empty.GetAnswerText(0), "");
    EXPECT_EQ(empty.GetHintAnswer(""), "");
}

TEST(Question, AnswerText) {
    CQuestion question(Fields({"q", "2", "a", "b"}));
    EXPECT_EQ(question.GetAnswerText(0), "   a\r\n   b\r\n");
    question.CheckAnswer("a");
    EXPECT_EQ(question.GetAnswerText(1), "   b\r\n");
    EXPECT_EQ(question.GetAnswerText(0), "   a\r\n   b\r\n");
    question.CheckAnswer("b");
    EXPECT_EQ(question.GetAnswerText(1), "");
}

TEST(Question, HintAnswerOverTheAnswersNotYetGiven) {
    CQuestion question(Fields({"q", "3", "ab", "cd", "ce"}));
    EXPECT_EQ(question.GetHintAnswer(""), "ab");
    EXPECT_EQ(question.GetHintAnswer("c"), "cd");
    EXPECT_EQ(question.GetHintAnswer("ce"), "ce");
    EXPECT_EQ(question.GetHintAnswer("x"), "ce");    // no match: the last remaining one
    EXPECT_EQ(question.GetHintAnswer("abc"), "ce");  // longer than the answer
    question.CheckAnswer("ab");
    question.CheckAnswer("ce");
    EXPECT_EQ(question.GetHintAnswer("x"), "cd");
    question.CheckAnswer("cd");
    EXPECT_EQ(question.GetHintAnswer(""), "");

    // Bytes are compared: half a double-byte character is a prefix like any other.
    const std::string nihon = Sjis("日本");
    CQuestion japanese(Fields({"q", "1", nihon, "x"}));
    EXPECT_EQ(japanese.GetHintAnswer(nihon.substr(0, 3)), nihon);
}

TEST(Question, CopyHasNoProgressAndAlwaysAnExplanation) {
    CQuestion original(Fields({"q", "2", "a", "b"}));
    original.CheckAnswer("a");
    CQuestion copy(original);
    EXPECT_EQ(copy.PeekText(), "q");
    EXPECT_EQ(copy.GetRequired(), 2);
    EXPECT_EQ(copy.GetAnswers()[0].IsGiven(), 0);
    EXPECT_EQ(copy.GetGiven(), 0);
    EXPECT_TRUE(copy.HasExplanation());
    EXPECT_EQ(copy.GetExplanation(), "");
    original.SetExplanation("why");
    EXPECT_EQ(CQuestion(original).GetExplanation(), "why");
    original.SetExplanation("");
    EXPECT_TRUE(original.HasExplanation());
}

}  // namespace
