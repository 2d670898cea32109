// Typed answers judged kindly: which typed texts stand for a stored answer once both are
// folded, and where a run judges that way.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "quiz/folded_answers.h"
#include "quiz/quiz_run.h"
#include "support/file_bytes.h"
#include "wordlist/question.h"

namespace {

struct SilentFront : CQuizFront {
    void StartCountdown() override {}
    void StopCountdown() override {}
    std::string AskName(int, const std::string&) override { return {}; }
    void ShowScoreTable(int) override {}
    void ShowSummary(const std::string&, const std::string&) override {}
};

}  // namespace

TEST(LenientAnswers, WidthKanaCaseAndOuterBlanksFoldAwayAndNothingElseDoes) {
    const std::string undecodable = "A\x85\x40";  // row 0x85 holds no characters
    const struct {
        std::string typed, stored;
        bool match;
    } cases[] = {
        {Sjis("ｶﾀｶﾅ"), Sjis("カタカナ"), true},       {Sjis("Ａ１"), "a1", true},
        {Sjis("とうきょう"), Sjis("トウキョウ"), true}, {Sjis(" 東京　"), Sjis("東京"), true},
        {Sjis("ｳﾞｧ"), Sjis("ヴァ"), true},            {"tokyo", "Tokyo", true},
        {Sjis("ぁゃっゎゝ"), Sjis("ァャッヮヽ"), true}, {Sjis("a 　\tb"), "A B", true},
        {Sjis("ｶﾞｯﾂ"), Sjis("がっつ"), true},          {"a", "a ", true},
        {Sjis("東京"), Sjis("京東"), false},           {Sjis("かー"), Sjis("か"), false},
        {Sjis("シ"), Sjis("ツ"), false},               {"1", Sjis("１０"), false},
        {"ab", "a b", false},                          {Sjis("カ"), Sjis("ガ"), false},
        {undecodable, undecodable, true},              {"a\x85\x40", undecodable, false},
        {Sjis("ａ"), "a\x85", false},                  {"\x85\x40", "\x85\x40 ", false},
    };
    for (const auto& [typed, stored, match] : cases) {
        CQuestion question("q", "1", true, {"other", stored});
        CFoldedAnswers folded;
        folded.Fold(question);
        EXPECT_EQ(folded.Check(question, typed), match ? CQuestion::kNewlyGiven : CQuestion::kNoMatch)
            << typed << " / " << stored;
        EXPECT_EQ(question.GetGiven(), match ? 1 : 0) << typed;
    }
    // A choice question, should it ever be judged this way, is right by its first answer alone.
    CQuestion choice("c", "-1", true, {Sjis("カタカナ"), "b"});
    CFoldedAnswers folded;
    folded.Fold(choice);
    EXPECT_EQ(folded.Check(choice, "B") * 10 + folded.Check(choice, Sjis("ｶﾀｶﾅ")), 32);
    EXPECT_EQ(choice.GetGiven(), 0);
}

// The option reaches typed questions of a run, the check for an answer already given
// included, and leaves the verdicts, choices and the exact comparison without it as they were.
TEST(LenientAnswers, ARunJudgesTypedQuestionsKindlyOnlyWhileTheOptionIsOn) {
    const struct {
        int lenient;
        const char* required;
        std::vector<std::string> answers, typed;
        std::vector<SubmitOutcome> outcomes;
        std::string message, given = {};
    } cases[] = {
        {.lenient = 1, .required = "2", .answers = {Sjis("カタカナ"), "Kana", "x"},
         .typed = {Sjis("カタカナ"), Sjis("ｶﾀｶﾅ"), Sjis("ｋａｎａ ")},
         .outcomes = {SubmitOutcome::Partial, SubmitOutcome::AlreadyGiven, SubmitOutcome::Complete},
         .message = Sjis("正解 !!\r\nその他に ．．．\r\n   x\r\n"), .given = Sjis("カタカナ")},
        {.lenient = 1, .required = "1", .answers = {"Tokyo"}, .typed = {"tokyo"},
         .outcomes = {SubmitOutcome::Complete}, .message = Sjis("正解 !!")},
        {.lenient = 0, .required = "1", .answers = {"Tokyo"}, .typed = {"tokyo"},
         .outcomes = {SubmitOutcome::Wrong}, .message = Sjis("はずれ !!\r\n答 ： \r\n   Tokyo\r\n")},
        {.lenient = 1, .required = "-1", .answers = {Sjis("カタカナ"), "b"}, .typed = {Sjis("ｶﾀｶﾅ")},
         .outcomes = {SubmitOutcome::Wrong}, .message = Sjis("はずれ !!\r\n答 ： \r\nカタカナ")},
    };
    for (const auto& c : cases) {
        // The question before is folded too: the one asked next must not be judged by its answers.
        CQuestion before("before", "1", true, {Sjis("カタカナ")});
        CQuestion question("q", c.required, true, c.answers);
        std::vector<CQuestion*> runList{&before, &question};
        CAppSettings settings;
        settings.lenientAnswers = c.lenient;
        SilentFront front;
        CQuizRun run(runList, 2, settings, front);
        run.Start();
        EXPECT_EQ(run.Submit(Sjis("ｶﾀｶﾅ")), c.lenient ? SubmitOutcome::Complete : SubmitOutcome::Wrong) << c.required;
        for (std::size_t i = 0; i < c.typed.size(); ++i) {
            EXPECT_EQ(run.Submit(c.typed[i]), c.outcomes[i]) << c.required << " " << i;
            if (i == 0) {
                EXPECT_EQ(run.GetGivenAnswersText(), c.given) << c.required;
            }
        }
        EXPECT_EQ(run.GetMessageText(), c.message) << c.required;
    }
}
