#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "platform/random.h"
#include "platform/recording_prompt.h"
#include "quiz/quiz_run.h"
#include "quiz/recording_front.h"
#include "score/rank_table.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "wordlist/question.h"

namespace {

class QuizRunTest : public ::testing::Test {
protected:
    CQuestion* Add(const std::string& text, const char* required, std::vector<std::string> answers,
                   const std::string& explanation = "") {
        owned_.push_back(std::make_unique<CQuestion>(text, required, true, std::move(answers)));
        if (!explanation.empty()) owned_.back()->SetExplanation(explanation);
        runList_.push_back(owned_.back().get());
        return owned_.back().get();
    }
    // count questions "q0".. whose one answer is "right".
    void AddPlain(int count) {
        for (int i = 0; i < count; ++i) Add("q" + std::to_string(i), "1", {"right"});
    }
    CQuizRun& Run() {
        run_ = std::make_unique<CQuizRun>(runList_, static_cast<unsigned>(runList_.size()), settings_, front_);
        return *run_;
    }
    // A rank table beside a word list in a fresh folder, its ranking for genre "A" current.
    CRankTable& OpenRankTable() {
        settings_.currentFile = (dir_ / "lesson.wl").string();
        settings_.ReopenRankTable(prompt_);
        settings_.GetRankTable()->SelectList({"A"});
        return *settings_.GetRankTable();
    }
    void AnswerAll(CQuizRun& run, int wrongCount) {
        for (int i = 0; run.GetActive() == 1; ++i) run.Submit(i < wrongCount ? "wrong" : "right");
    }

    TempDir dir_;
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    CRecordingFront front_;
    std::vector<std::unique_ptr<CQuestion>> owned_;
    std::vector<CQuestion*> runList_;
    std::unique_ptr<CQuizRun> run_;
};

const std::string kCrLf = "\r\n";

}  // namespace

TEST_F(QuizRunTest, SeveralAnswersCollectThenWrongListsEveryAnswer) {
    CQuestion* several = Add("several", "2", {"a", "b", "c"});
    CQuestion* next = Add("next", "1", {"n"});
    CQuizRun& run = Run();
    run.Start();
    EXPECT_EQ(run.GetCurrentQuestion(), several);
    EXPECT_EQ(run.GetForm(), QuizForm::Several);
    EXPECT_EQ(run.GetRemainingAnswers(), 2);

    EXPECT_EQ(run.Submit("b"), SubmitOutcome::Partial);
    EXPECT_EQ(run.GetRemainingAnswers(), 1);
    EXPECT_EQ(run.GetGivenAnswersText(), "b");
    EXPECT_EQ(run.GetMessageText(), "");
    EXPECT_EQ(run.Submit("b"), SubmitOutcome::AlreadyGiven);
    EXPECT_EQ(run.GetRemainingAnswers(), 1);

    EXPECT_EQ(run.Submit("x"), SubmitOutcome::Wrong);
    EXPECT_EQ(run.GetMessageText(), Sjis("はずれ !!\r\n答 ： \r\n") + "   a\r\n   b\r\n   c\r\n");
    EXPECT_EQ(run.GetCurrentQuestion(), next);
    EXPECT_EQ(run.GetForm(), QuizForm::One);
    EXPECT_EQ(run.GetRemainingQuestions(), 1);
    EXPECT_EQ(run.GetGivenAnswersText(), "");
}

TEST_F(QuizRunTest, CompletedQuestionNamesTheOtherAnswersAndTheExplanation) {
    Add("several", "2", {"a", "b", "c"});
    Add("three", "3", {"a", "b", "c", "d"}, Sjis("なぜなら"));
    Add("one", "1", {"a", "b"});
    Add("last", "1", {"z"});
    CQuizRun& run = Run();
    run.Start();
    run.Submit("b");
    EXPECT_EQ(run.Submit("c"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetMessageText(), Sjis("正解 !!\r\nその他に ．．．\r\n") + "   a\r\n");

    // The verdict on the previous question stays while the next one is asked.
    EXPECT_EQ(run.Submit("d"), SubmitOutcome::Partial);
    EXPECT_EQ(run.Submit("a"), SubmitOutcome::Partial);
    EXPECT_EQ(run.GetGivenAnswersText(), "d,a");
    EXPECT_EQ(run.GetRemainingAnswers(), 1);
    EXPECT_EQ(run.GetMessageText(), Sjis("正解 !!\r\nその他に ．．．\r\n") + "   a\r\n");
    EXPECT_EQ(run.Submit("b"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetMessageText(), Sjis("正解 !!\r\nその他に ．．．\r\n") + "   c\r\n" + kCrLf + kCrLf +
                                        Sjis("解説 ：") + kCrLf + Sjis("なぜなら"));

    EXPECT_EQ(run.Submit("b"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetMessageText(), Sjis("正解 !!\r\nその他に ．．．\r\n") + "   a\r\n");
    EXPECT_EQ(run.Submit("z"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetMessageText(), Sjis("正解 !!"));
}

TEST_F(QuizRunTest, ChoiceVerdictsShowOnlyTheFirstAnswer) {
    Add("choice", "-1", {"first", "second"});
    Add("explained", "-1", {"first", "second"}, "why");
    Add("bare", "-1", {});
    Add("last", "1", {"z"});
    CQuizRun& run = Run();
    run.Start();
    ASSERT_EQ(run.GetForm(), QuizForm::Choice);
    EXPECT_EQ(run.Submit("first"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetMessageText(), Sjis("正解 !!"));
    EXPECT_EQ(run.Submit("second"), SubmitOutcome::Wrong);
    EXPECT_EQ(run.GetMessageText(), Sjis("はずれ !!\r\n答 ： \r\n") + "first" + kCrLf + kCrLf + Sjis("解説 ：") + kCrLf + "why");
    // A choice question without answers offers nothing, and nothing is right.
    for (int slot = 0; slot < CQuizRun::kSlots; ++slot) EXPECT_FALSE(run.IsSlotShown(slot));
    EXPECT_EQ(run.Submit(""), SubmitOutcome::Wrong);
    EXPECT_EQ(run.GetMessageText(), Sjis("はずれ !!\r\n答 ： \r\n"));
}

TEST_F(QuizRunTest, AllRightEndsWithCongratulationsAfterStoppingTheCountdown) {
    AddPlain(3);
    CQuizRun& run = Run();
    EXPECT_EQ(run.GetActive(), -1);
    EXPECT_EQ(run.Submit("right"), SubmitOutcome::Ignored);
    run.Start();
    EXPECT_EQ(run.GetRemainingQuestions(), 3);
    AnswerAll(run, 0);
    EXPECT_EQ(run.GetRightCount(), 3u);
    EXPECT_EQ(run.GetActive(), 0);
    EXPECT_EQ(run.GetCurrentQuestion(), nullptr);
    EXPECT_EQ(run.GetRemainingQuestions(), 1);  // not lowered for the last question
    EXPECT_EQ(front_.calls, (std::vector<std::string>{"start countdown", "stop countdown", "summary"}));
    ASSERT_EQ(front_.summaries.size(), 1u);
    EXPECT_EQ(front_.summaries[0].text, "全問正解 !! おめでとう。");
    EXPECT_EQ(front_.summaries[0].caption, "全問正解");
    EXPECT_EQ(run.Submit("right"), SubmitOutcome::Ignored);
    const CQuizRun::HintResult hint = run.Hint("");
    EXPECT_EQ(hint.text, "");
    EXPECT_EQ(hint.caret, 0u);
}

TEST_F(QuizRunTest, SummaryGivesTheRate) {
    const struct {
        int questions;
        int wrong;
        const char* rate;
    } cases[] = {{20, 3, "85.00 %"}, {3, 2, "33.33 %"}, {2, 2, "0.00 %"}, {1, 0, "100.00 %"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        owned_.clear();
        runList_.clear();
        front_.summaries.clear();
        AddPlain(c.questions);
        CQuizRun& run = Run();
        run.Start();
        AnswerAll(run, c.wrong);
        EXPECT_EQ(run.GetRateText(), c.rate);
        ASSERT_EQ(front_.summaries.size(), 1u);
        if (c.wrong > 0) {
            EXPECT_EQ(front_.summaries[0].text, std::string("正答率 : ") + c.rate);
            EXPECT_EQ(front_.summaries[0].caption, "おしまい");
        }
    }
}

TEST_F(QuizRunTest, CompleteModeAsksAWrongQuestionAgainAndDoesNotCountIt) {
    settings_.completeMode = 1;
    CQuestion* several = Add("several", "2", {"a", "b", "c"});
    CQuestion* last = Add("last", "1", {"z"});
    CQuizRun& run = Run();
    run.Start();
    run.Submit("a");
    EXPECT_EQ(run.Submit("x"), SubmitOutcome::Wrong);
    EXPECT_EQ(run.GetCurrentQuestion(), several);
    EXPECT_EQ(run.GetRemainingQuestions(), 2);
    EXPECT_EQ(run.GetRemainingAnswers(), 2);
    EXPECT_EQ(run.GetGivenAnswersText(), "");
    EXPECT_EQ(run.Submit("a"), SubmitOutcome::Partial);  // earlier answers forgotten
    EXPECT_EQ(run.Submit("b"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetRightCount(), 0u);

    EXPECT_EQ(run.GetCurrentQuestion(), last);
    EXPECT_EQ(run.GetRemainingQuestions(), 1);
    EXPECT_EQ(run.Submit("y"), SubmitOutcome::Wrong);
    EXPECT_EQ(run.GetCurrentQuestion(), last);  // the last question comes again: no end yet
    EXPECT_EQ(run.GetActive(), 1);
    EXPECT_TRUE(front_.summaries.empty());
    EXPECT_EQ(run.Submit("z"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetActive(), 0);
    EXPECT_EQ(run.GetRightCount(), 0u);
    ASSERT_EQ(front_.summaries.size(), 1u);
    EXPECT_EQ(front_.summaries[0].text, "正答率 : 0.00 %");
}

TEST_F(QuizRunTest, HintsRevealOneCharacterAtATime) {
    Add("latin", "2", {"abc", "xyz"});
    Add("kana", "1", {Sjis("あいう")});
    CQuizRun& run = Run();
    run.Start();
    struct Case {
        std::string typed, text;
        std::size_t caret;
    };
    const Case latin[] = {{"", "a", 1}, {"xq", "x", 1}, {"xy", "xyz", 3}, {"xyz", "xyz", 3}, {"abcd", "x", 1}};
    for (const Case& c : latin) {
        SCOPED_TRACE("typed '" + c.typed + "'");
        const CQuizRun::HintResult hint = run.Hint(c.typed);
        EXPECT_EQ(hint.text, c.text);
        EXPECT_EQ(hint.caret, c.caret);
    }
    EXPECT_TRUE(run.IsHelped());
    run.Submit("abc");
    EXPECT_EQ(run.Hint("a").text, "x");  // only answers not yet given

    run.Submit("xyz");
    const Case kana[] = {{"", Sjis("あ"), 2}, {Sjis("あ"), Sjis("あい"), 4}, {"q", Sjis("あ"), 2}};
    for (const Case& c : kana) {
        const CQuizRun::HintResult hint = run.Hint(c.typed);
        EXPECT_EQ(hint.text, c.text);
        EXPECT_EQ(hint.caret, c.caret);
    }
}

TEST_F(QuizRunTest, AHintCostsOnlyTheQuestionItIsTakenOn) {
    AddPlain(4);
    CQuizRun& run = Run();
    run.Start();
    run.Hint("");
    run.Submit("right");  // helped: not counted
    run.Submit("right");
    run.Hint("r");
    run.Submit("wrong");  // helped and wrong, outside complete mode
    run.Submit("right");
    EXPECT_EQ(run.GetRightCount(), 2u);
}

TEST_F(QuizRunTest, RetryAsksTheSameQuestionsAfresh) {
    AddPlain(3);
    CQuizRun& run = Run();
    run.Start();
    std::vector<CQuestion*> first;
    while (run.GetActive() == 1) {
        first.push_back(run.GetCurrentQuestion());
        run.Submit("right");
    }
    run.Start();
    EXPECT_EQ(run.GetActive(), 1);
    EXPECT_EQ(run.GetRightCount(), 0u);
    EXPECT_EQ(run.GetRemainingQuestions(), 3);
    EXPECT_EQ(run.GetMessageText(), "");
    std::vector<CQuestion*> second;
    run.Submit("wrong");
    run.Start();  // a restart under way leaves no result
    while (run.GetActive() == 1) {
        second.push_back(run.GetCurrentQuestion());
        run.Submit("right");
    }
    EXPECT_EQ(second, first);
    EXPECT_EQ(run.GetRightCount(), 3u);
    EXPECT_EQ(front_.summaries.size(), 2u);
}

TEST_F(QuizRunTest, TimeOutEndsWithTheResultSoFarAndKeepsTheQuestion) {
    AddPlain(3);
    CQuizRun& run = Run();
    run.Start();
    run.Submit("right");
    CQuestion* asked = run.GetCurrentQuestion();
    run.Finish();
    EXPECT_EQ(run.GetActive(), 0);
    ASSERT_EQ(front_.summaries.size(), 1u);
    EXPECT_EQ(front_.summaries[0].text, "正答率 : 33.33 %");
    EXPECT_EQ(run.GetCurrentQuestion(), asked);
    EXPECT_EQ(run.Submit("right"), SubmitOutcome::Ignored);
    EXPECT_EQ(run.Hint("").text, "r");
    run.Finish();  // ended already: no second summary
    EXPECT_EQ(front_.summaries.size(), 1u);
}

TEST_F(QuizRunTest, ACountOfZeroIsAskedAsOneTypedAnswer) {
    Add("zero", "0", {"a", "b"});
    CQuizRun& run = Run();
    run.Start();
    EXPECT_EQ(run.GetForm(), QuizForm::One);
    EXPECT_FALSE(run.IsSlotShown(0));
    EXPECT_EQ(run.Submit("b"), SubmitOutcome::Complete);
    EXPECT_EQ(run.GetRightCount(), 1u);
    EXPECT_EQ(run.GetActive(), 0);
}

TEST_F(QuizRunTest, ChoicesArePlacedByTheSeededGenerator) {
    settings_.completeMode = 1;
    Add("choice", "-1", {"w", "x", "y", "z"});
    Add("six", "-1", {"a", "b", "c", "d", "e", "f"});
    ProgramRandom().Seed(0);
    // Seed 0 draws 38, 7719, 21238, 2437; modulo 4: 2, 3, 2, 1.
    //   p = 0 1 2 3 -> swap p0,p2: 2 1 0 3 -> swap p1,p3: 2 3 0 1 -> swap p2,p2 -> swap p3,p1: 2 1 0 3.
    // Answer i goes to slot p[i]: w -> 2, x -> 1, y -> 0, z -> 3.
    CQuizRun& run = Run();
    run.Start();
    ASSERT_EQ(run.GetForm(), QuizForm::Choice);
    std::vector<std::string> slots;
    for (int slot = 0; slot < 4; ++slot) slots.push_back(run.GetSlotText(slot));
    EXPECT_EQ(slots, (std::vector<std::string>{"y", "x", "w", "z"}));
    EXPECT_FALSE(run.IsSlotShown(4));
    EXPECT_EQ(run.GetSlotText(4), "");

    // Asked again after a wrong choice, with the next draws 8855, 11797, 8365, 32285: 3, 1, 1, 1.
    //   p = 0 1 2 3 -> swap p0,p3: 3 1 2 0 -> swap p1,p1 -> swap p2,p1: 3 2 1 0 -> swap p3,p1: 3 0 1 2.
    // w -> 3, x -> 0, y -> 1, z -> 2.
    EXPECT_EQ(run.Submit("x"), SubmitOutcome::Wrong);
    slots.clear();
    for (int slot = 0; slot < 4; ++slot) slots.push_back(run.GetSlotText(slot));
    EXPECT_EQ(slots, (std::vector<std::string>{"x", "y", "z", "w"}));

    // Answers after the fifth are never offered.
    run.Submit("w");
    std::vector<std::string> offered;
    for (int slot = 0; slot < CQuizRun::kSlots; ++slot) {
        EXPECT_TRUE(run.IsSlotShown(slot));
        offered.push_back(run.GetSlotText(slot));
    }
    std::sort(offered.begin(), offered.end());
    EXPECT_EQ(offered, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
}

TEST_F(QuizRunTest, NineteenQuestionsAreNeverRankedTwentyAre) {
    CRankTable& table = OpenRankTable();
    AddPlain(19);
    CQuizRun& nineteen = Run();
    nineteen.Start();
    AnswerAll(nineteen, 0);
    EXPECT_EQ(front_.summaries.size(), 1u);
    int count = 0;
    table.GetCurrentEntries(&count);
    EXPECT_EQ(count, 0);

    AddPlain(1);
    front_.calls.clear();
    front_.names.push_back(Sjis("はなこ"));
    CQuizRun& twenty = Run();
    twenty.Start();
    AnswerAll(twenty, 0);
    EXPECT_EQ(front_.calls,
              (std::vector<std::string>{"start countdown", "stop countdown", "ask name 1 100.00 %", "score table 1"}));
    EXPECT_EQ(front_.summaries.size(), 1u);  // no summary after a placed result
    const std::vector<CRankEntry>* entries = table.GetCurrentEntries(&count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ((*entries)[0].name, Sjis("はなこ"));
    EXPECT_EQ((*entries)[0].questions, 20);
    EXPECT_EQ((*entries)[0].right, 20);
    EXPECT_TRUE(table.IsModified());

    // An empty name is kept as "(no-name)", behind the equal result.
    twenty.Start();
    AnswerAll(twenty, 1);
    EXPECT_EQ(front_.calls.back(), "score table 2");
    entries = table.GetCurrentEntries(&count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ((*entries)[1].name, "(no-name)");
    EXPECT_EQ((*entries)[1].right, 19);
}

TEST_F(QuizRunTest, TheNewRateIsRankedInSinglePrecision) {
    // 20 of 24 is 83.333336 in single precision, above the stored 83.333333...: it goes first.
    // 14 of 21 is 66.666664, below the stored 66.666666...: it goes behind.
    const struct {
        int questions, right, position;
    } cases[] = {{24, 20, 1}, {21, 14, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.right) + " of " + std::to_string(c.questions));
        owned_.clear();
        runList_.clear();
        front_.calls.clear();
        CRankTable& table = OpenRankTable();
        table.ClearCurrentList();
        table.AddResult(1, "stored", c.questions, c.right);
        AddPlain(c.questions);
        CQuizRun& run = Run();
        run.Start();
        AnswerAll(run, c.questions - c.right);
        ASSERT_EQ(front_.calls.size(), 4u);
        EXPECT_EQ(front_.calls[3], "score table " + std::to_string(c.position));
        int count = 0;
        const std::vector<CRankEntry>* entries = table.GetCurrentEntries(&count);
        ASSERT_EQ(count, 2);
        EXPECT_EQ((*entries)[c.position - 1].name, "(no-name)");
    }
}
