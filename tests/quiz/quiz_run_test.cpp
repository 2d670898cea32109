// One run over a drawn run list: judging answers and their verdict texts, hints, complete mode,
// choices, the end of a run with its summary or ranking; and the countdown of its pooled time limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_settings.h"
#include "platform/recording_prompt.h"
#include "quiz/countdown.h"
#include "quiz/quiz_run.h"
#include "score/rank_table.h"
#include "support/fake_recorder.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "wordlist/question.h"

namespace {

// A quiz front that shows nothing: it records what a run asked of its window, in order, and
// answers the name entry with the name queued.
struct RecordingFront : CQuizFront {
    void StartCountdown() override { calls.push_back("start countdown"); }
    void StopCountdown() override { calls.push_back("stop countdown"); }
    std::string AskName(int position, const std::string& rateText) override {
        calls.push_back("ask name " + std::to_string(position) + " " + rateText);
        return std::exchange(name, "");
    }
    void ShowScoreTable(int position) override { calls.push_back("score table " + std::to_string(position)); }
    void ShowSummary(const std::string& text, const std::string& caption) override {
        calls.push_back("summary " + caption + ": " + text);
    }
    long Summaries() const { return std::ranges::count_if(calls, [](auto& c) { return c.starts_with("summary"); }); }

    std::string name;
    std::vector<std::string> calls;
};

class QuizRunTest : public ::testing::Test {
protected:
    void Add(const std::string& text, const char* required, std::vector<std::string> answers,
             const std::string& explanation = "") {
        owned_.push_back(std::make_unique<CQuestion>(text, required, true, std::move(answers)));
        if (!explanation.empty()) owned_.back()->SetExplanation(explanation);
        runList_.push_back(owned_.back().get());
    }
    void AddPlain(int count) {  // questions "q0".. whose one answer is "right"
        for (int i = 0; i < count; ++i) Add("q" + std::to_string(i), "1", {"right"});
    }
    CQuizRun& Run(bool start = true) {
        run_ = std::make_unique<CQuizRun>(runList_, static_cast<unsigned>(runList_.size()), settings_, front_);
        if (start) run_->Start();
        return *run_;
    }
    void AnswerAll(CQuizRun& run, int wrongCount) {
        for (int i = 0; run.GetActive() == 1; ++i) run.Submit(i < wrongCount ? "wrong" : "right");
    }

    TempDir dir_;
    CRecordingPrompt prompt_;
    CAppSettings settings_;
    RecordingFront front_;
    std::vector<std::unique_ptr<CQuestion>> owned_;
    std::vector<CQuestion*> runList_;
    std::unique_ptr<CQuizRun> run_;
};

const std::string kRight = Sjis("正解 !!");
const std::string kOthers = kRight + "\r\n" + Sjis("その他に ．．．") + "\r\n";
const std::string kWrong = Sjis("はずれ !!\r\n答 ： \r\n");
const std::string kExplanation = "\r\n\r\n" + Sjis("解説 ：") + "\r\n";

}  // namespace

TEST_F(QuizRunTest, AnswersAreJudgedWithVerdictsThatStayUntilTheNextOne) {
    Add("several", "2", {"a", "b", "c"});
    Add("three", "3", {"a", "b", "c", "d"}, Sjis("なぜなら"));
    Add("one", "1", {"a", "b"});
    Add("choice", "-1", {"first", "second"});
    Add("explained", "-1", {"first", "second"}, "why");
    Add("bare", "-1", {});  // offers nothing, and nothing is right
    Add("zero", "0", {"a", "b"});  // asked like one typed answer
    Add("last", "1", {"z"});
    CQuizRun& run = Run();
    using O = SubmitOutcome;
    const struct {
        const char* answer; O outcome; std::string message;  // and the state of the question then asked:
        QuizForm form; int left, slots; const char* given;
    } steps[] = {
        {"b", O::Partial, "", QuizForm::Several, 1, 0, "b"},
        {"b", O::AlreadyGiven, "", QuizForm::Several, 1, 0, "b"},
        {"x", O::Wrong, kWrong + "   a\r\n   b\r\n   c\r\n", QuizForm::Several, 3, 0, ""},
        {"d", O::Partial, kWrong + "   a\r\n   b\r\n   c\r\n", QuizForm::Several, 2, 0, "d"},
        {"a", O::Partial, kWrong + "   a\r\n   b\r\n   c\r\n", QuizForm::Several, 1, 0, "d,a"},
        {"b", O::Complete, kOthers + "   c\r\n" + kExplanation + Sjis("なぜなら"), QuizForm::One, 0, 0, ""},
        {"b", O::Complete, kOthers + "   a\r\n", QuizForm::Choice, 0, 2, ""},
        {"first", O::Complete, kRight, QuizForm::Choice, 0, 2, ""},
        {"second", O::Wrong, kWrong + "first" + kExplanation + "why", QuizForm::Choice, 0, 0, ""},
        {"", O::Wrong, kWrong, QuizForm::One, 0, 0, ""},
        {"b", O::Complete, kOthers + "   a\r\n", QuizForm::One, 0, 0, ""},
        {"z", O::Complete, kRight, QuizForm::One, 0, 0, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string("answer '") + step.answer + "'");
        EXPECT_EQ(run.Submit(step.answer), step.outcome);
        EXPECT_EQ(run.GetMessageText(), step.message);
        if (!run.GetCurrentQuestion()) continue;
        EXPECT_EQ(run.GetForm(), step.form);
        EXPECT_EQ(run.GetRemainingAnswers(), step.left);
        int shown = 0;
        for (int slot = 0; slot < CQuizRun::kSlots; ++slot) shown += run.IsSlotShown(slot);
        EXPECT_EQ(shown, step.slots);
        EXPECT_EQ(run.GetGivenAnswersText(), step.given);
    }
    EXPECT_EQ(run.GetRightCount(), 5u);
}

TEST_F(QuizRunTest, HintsRevealOneCharacterAtATimeAndCostTheQuestionTheyAreTakenOn) {
    Add("latin", "2", {"abc", "xyz"});
    Add("kana", "1", {Sjis("あいう")});
    AddPlain(3);
    CQuizRun& run = Run();
    // Each hint as "text caret".
    auto hint = [&](const std::string& typed) { return run.Hint(typed).text + " " + std::to_string(run.Hint(typed).caret); };
    const std::pair<std::string, std::string> latin[] = {{"", "a 1"}, {"xq", "x 1"}, {"xy", "xyz 3"}, {"xyz", "xyz 3"}, {"abcd", "x 1"}},
      kana[] = {{"", Sjis("あ") + " 2"}, {Sjis("あ"), Sjis("あい") + " 4"}, {"q", Sjis("あ") + " 2"}};
    for (const auto& [typed, expected] : latin) EXPECT_EQ(hint(typed), expected) << typed;
    EXPECT_TRUE(run.IsHelped());
    run.Submit("abc");
    EXPECT_EQ(run.Hint("a").text, "x");  // only answers not yet given
    run.Submit("xyz");  // helped: not counted
    EXPECT_FALSE(run.IsHelped());
    for (const auto& [typed, expected] : kana) EXPECT_EQ(hint(typed), expected) << typed;
    run.Submit("wrong");  // helped and wrong, outside complete mode
    run.Submit("right");
    run.Hint("r");
    run.Submit("right");  // helped
    run.Submit("right");
    EXPECT_EQ(run.GetRightCount(), 2u);
}

TEST_F(QuizRunTest, TimeOutAndTheEndSummariseTheRateOrRankItAndRetryAsksTheSameQuestionsAfresh) {
    AddPlain(3);
    CQuizRun& run = Run();
    run.Submit("right");
    CQuestion* asked = run.GetCurrentQuestion();
    run.Finish();  // the time ran out
    EXPECT_EQ(run.GetActive(), 0);
    EXPECT_EQ(front_.calls, (std::vector<std::string>{"start countdown", "summary おしまい: 正答率 : 33.33 %"}));
    EXPECT_EQ(run.GetCurrentQuestion(), asked);
    EXPECT_EQ(run.Submit("right"), SubmitOutcome::Ignored);
    EXPECT_EQ(run.Hint("").text, "r");
    run.Finish();  // ended already: no second summary
    EXPECT_EQ(front_.Summaries(), 1);

    run.Start();
    EXPECT_EQ(run.GetRemainingQuestions(), 3);
    EXPECT_EQ(run.GetMessageText(), "");
    run.Submit("wrong");
    run.Start();  // a restart under way leaves no result
    std::vector<CQuestion*> again;
    for (; run.GetActive() == 1; run.Submit("right")) again.push_back(run.GetCurrentQuestion());
    EXPECT_EQ(again, runList_);
    EXPECT_EQ(run.GetRightCount(), 3u);
    EXPECT_EQ(front_.Summaries(), 2);

    const struct { int questions, wrong; const char* rate; } cases[] = {{20, 3, "85.00 %"}, {3, 2, "33.33 %"}, {2, 2, "0.00 %"}, {1, 0, "100.00 %"}, {3, 0, "100.00 %"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.questions - c.wrong) + " of " + std::to_string(c.questions));
        owned_.clear(), runList_.clear(), front_.calls.clear();
        AddPlain(c.questions);
        CQuizRun& ended = Run(false);
        EXPECT_EQ(ended.GetActive(), -1);
        EXPECT_EQ(ended.Submit("right"), SubmitOutcome::Ignored) << "not started";
        ended.Finish();  // not started: nothing to end
        ended.Start();
        EXPECT_EQ(ended.GetRemainingQuestions(), c.questions);
        AnswerAll(ended, c.wrong);
        EXPECT_EQ(ended.GetRateText(), c.rate);
        EXPECT_EQ(ended.GetRemainingQuestions(), 1);  // not lowered for the last question
        const std::string summary = c.wrong == 0 ? "summary 全問正解: 全問正解 !! おめでとう。"
                                                 : std::string("summary おしまい: 正答率 : ") + c.rate;
        EXPECT_EQ(front_.calls, (std::vector<std::string>{"start countdown", "stop countdown", summary}));
        EXPECT_EQ(ended.Hint("").text + std::to_string(ended.Hint("").caret), "0") << "no hint after the end";
    }

    owned_.clear(), runList_.clear(), front_.calls.clear();
    settings_.currentFile = (dir_ / "lesson.wl").string();
    settings_.ReopenRankTable(prompt_);
    CRankTable& table = *settings_.GetRankTable();
    table.SelectList({"A"});
    AddPlain(19);
    AnswerAll(Run(), 0);
    EXPECT_EQ(front_.Summaries(), 1);
    EXPECT_TRUE(table.GetCurrentList()->GetEntries().empty());

    // No summary after a placed result; an empty name is kept as "(no-name)", behind the equal result.
    AddPlain(1);
    table.AddResult(1, "first", 20, 19);
    front_.calls.clear();
    AnswerAll(Run(), 1);
    EXPECT_EQ(front_.calls,
              (std::vector<std::string>{"start countdown", "stop countdown", "ask name 2 95.00 %", "score table 2"}));
    const CRankEntry& entry = table.GetCurrentList()->GetEntries().at(1);
    EXPECT_EQ(entry.name + " " + std::to_string(entry.right) + "/" + std::to_string(entry.questions), "(no-name) 19/20");
}

TEST(Countdown, FormatsColoursThePaceStopsAndRunsOutOnceOnlyWithALimit) {
    for (auto [seconds, text] : {std::pair{0u, "00:00:00"}, {59u, "00:00:59"}, {3725u, "01:02:05"},
                                 {215999u, "59:59:59"}, {216000u, "99:59:59"}, {UINT_MAX, "99:59:59"}})
        EXPECT_EQ(CCountdown::FormatTime(seconds), text) << seconds;
    CCountdown huge;  // a huge run does not wrap
    huge.Start(60, UINT_MAX);
    EXPECT_EQ(huge.GetRemainingSeconds(), UINT_MAX);
    for (int limit : {0, -5}) {
        CCountdown off;
        EXPECT_FALSE(off.Start(limit, 20));
        EXPECT_FALSE(off.IsOn() || off.IsRunning() || off.Tick(20));
        EXPECT_EQ(off.GetRemainingSeconds(), 0u);
    }

    // The pace of a whole run is played in the quiz window; here its edges, stopping and the end.
    // Against 200 seconds of pace: still black at 194 and at 206.
    for (unsigned afterTick : {194u, 206u}) {
        CCountdown edge;
        edge.Start(1, afterTick + 1);
        edge.Tick(200);
        EXPECT_EQ(edge.GetColour(), TimeColour::Black) << afterTick;
    }
    // Stopping keeps the display; a new start begins afresh.
    CCountdown countdown;
    countdown.Start(1, 3);
    countdown.Tick(3);
    countdown.Stop();
    EXPECT_FALSE(countdown.Tick(3));
    EXPECT_EQ(countdown.GetDisplayText(), "00:00:02");
    countdown.Start(1, 2);
    EXPECT_EQ(countdown.GetColour(), TimeColour::Black);
    EXPECT_FALSE(countdown.Tick(2));
    EXPECT_TRUE(countdown.Tick(2));
    EXPECT_FALSE(countdown.Tick(2));  // runs out once
}

// Steps 40 ms apart: "?" a hint, "!" the time running out, else an answer; "*" first: complete
// mode. A several-answers question is one record; asked again after a wrong answer, not plainly right.
TEST_F(QuizRunTest, EachJudgedAnswerIsRecordedWithItsOutcomeAndTime) {
    const struct { const char* required; std::vector<std::string> answers, steps, recorded; } rows[] = {
        {"1", {"r"}, {"r"}, {"1 G q or 'r'40"}},
        {"1", {"r"}, {"?", "r"}, {"1 G q oh 'r'80"}},
        {"1", {"r"}, {"x"}, {"1 G q ow 'x'40"}},
        {"1", {"r"}, {"?", "!"}, {"1 G q ot ''80"}},
        {"2", {"a", "b", "c"}, {"b", "b", "c"}, {"1 G q sr 'b,c'120"}},
        {"2", {"a", "b", "c"}, {"b", "x"}, {"1 G q sw 'b,x'80"}},
        {"-1", {"a", "b"}, {"b"}, {"1 G q cw 'b'40"}},
        {"1", {"r"}, {"*", "x", "y", "r"}, {"1 G q ow 'x'40", "1 G q ow 'y'40", "1 G q oh 'r'40"}},
    };
    for (const auto& row : rows) {
        owned_.clear(), runList_.clear();
        Add("q", row.required, row.answers);
        settings_.completeMode = row.steps.front() == "*";
        CFakeRecorder recorder;
        std::chrono::steady_clock::time_point now;
        CQuizRun& run = Run(false);
        run.SetRecorder(&recorder, {.wordListFile = "", .genres = {"G"}}, {"G"}, [&] { return now; });
        run.Start();
        for (const std::string& step : row.steps) {
            now += std::chrono::milliseconds(step == "*" ? 0 : 40);
            if (step == "!") run.TimeOut(), run.Finish();
            else if (step == "?") run.Hint("");
            else if (step != "*") run.Submit(step);
        }
        EXPECT_EQ(std::vector(recorder.said.begin() + 1, recorder.said.end() - 1), row.recorded) << row.steps.back();
    }
}

TEST_F(QuizRunTest, AReviewRunIsNeverRankedAndARecordThatFailsStopsNothing) {
    settings_.currentFile = (dir_ / "lesson.wl").string();
    settings_.ReopenRankTable(prompt_);
    settings_.GetRankTable()->SelectList({"A"});
    AddPlain(CQuizRun::kRankedMinimum);
    CFakeRecorder failing;
    failing.fails = true;
    CQuizRun& run = Run(false);
    run.SetRecorder(&failing, {.wordListFile = "", .genres = {""}, .review = true}, {});
    run.Start();
    AnswerAll(run, 0);
    EXPECT_EQ(front_.calls.back() + std::to_string(failing.said.size()), "summary 全問正解: 全問正解 !! おめでとう。1");
}
