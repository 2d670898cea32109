// What a run tells the learning record: each judged answer with its outcome, place, genre and
// time, each run's start and its one ending, review runs left out of the ranking, and a run that
// goes the same with or without a recorder.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "platform/random.h"
#include "platform/recording_prompt.h"
#include "quiz/owning_genres.h"
#include "quiz/quiz_run.h"
#include "score/rank_table.h"
#include "support/fake_recorder.h"
#include "support/temp_dir.h"
#include "wordlist/genre.h"
#include "wordlist/question.h"
#include "wordlist/word_list.h"

namespace {

using namespace std::chrono_literals;

struct QuietFront : CQuizFront {
    void StartCountdown() override {}
    void StopCountdown() override {}
    std::string AskName(int, const std::string&) override { return calls.emplace_back("name"); }
    void ShowScoreTable(int) override { calls.push_back("score table"); }
    void ShowSummary(const std::string& text, const std::string&) override { calls.push_back(text); }
    std::vector<std::string> calls;
};

class QuizRecordTest : public ::testing::Test {
protected:
    void Add(const std::string& text, const char* required, std::vector<std::string> answers) {
        owned_.push_back(std::make_unique<CQuestion>(text, required, true, std::move(answers)));
        runList_.push_back(owned_.back().get());
    }
    CQuizRun& Run(CAnswerRecorder* recorder, RecordedRun facts = {}, std::vector<std::string> genres = {"G"}) {
        run_ = std::make_unique<CQuizRun>(runList_, static_cast<unsigned>(runList_.size()), settings_, front_);
        run_->SetRecorder(recorder, std::move(facts), std::move(genres), [this] { return now_; });
        return *run_;
    }
    // One step of the learner, 40 ms after the last: "?typed" takes a hint, "!" is the time
    // running out, anything else is submitted.
    void Step(CQuizRun& run, const std::string& step) {
        now_ += 40ms;
        if (step.starts_with("?")) return (void)run.Hint(step.substr(1));
        if (step != "!") return (void)run.Submit(step);
        run.TimeOut();
        run.Finish();
    }

    std::chrono::steady_clock::time_point now_{};
    CAppSettings settings_;
    QuietFront front_;
    CFakeRecorder recorder_;
    std::vector<std::unique_ptr<CQuestion>> owned_;
    std::vector<CQuestion*> runList_;
    std::unique_ptr<CQuizRun> run_;
};

}  // namespace

// Each row: one question, the learner's steps, and the answers recorded for it, in order.
TEST_F(QuizRecordTest, EachJudgedAnswerIsRecordedWithItsOutcomeAndTime) {
    struct Row {
        const char* required;
        std::vector<std::string> answers, steps, recorded;
    };
    const std::vector<Row> plain = {
        {"1", {"right"}, {"right"}, {"1 G q one right 'right' 40"}},
        {"1", {"right"}, {"?r", "right"}, {"1 G q one hint 'right' 80"}},
        {"1", {"right"}, {"?", "?r"}, {}},  // hints alone judge nothing
        {"1", {"right"}, {"x"}, {"1 G q one wrong 'x' 40"}},
        {"1", {"right"}, {"!"}, {"1 G q one timeout '' 40"}},
        {"2", {"a", "b", "c"}, {"b", "b", "c"}, {"1 G q several right 'b,c' 120"}},
        {"2", {"a", "b", "c"}, {"b", "x"}, {"1 G q several wrong 'b,x' 80"}},
        {"2", {"a", "b", "c"}, {"b", "!"}, {"1 G q several timeout '' 80"}},
        {"-1", {"first", "second"}, {"second"}, {"1 G q choice wrong 'second' 40"}},
        {"-1", {"first", "second"}, {"first"}, {"1 G q choice right 'first' 40"}},
    };
    // Complete mode: asked again after a wrong answer, whose verdict showed the answers, a right
    // answer is not plainly right.
    const std::vector<Row> repeated = {
        {"1", {"right"}, {"x", "y", "right"}, {"1 G q one wrong 'x' 40", "1 G q one wrong 'y' 40", "1 G q one hint 'right' 40"}},
        {"1", {"right"}, {"x", "!"}, {"1 G q one wrong 'x' 40", "1 G q one timeout '' 40"}},
    };
    for (int complete : {0, 1})
    for (const Row& row : complete ? repeated : plain) {
        SCOPED_TRACE(row.steps.front() + "... of " + row.required);
        owned_.clear(), runList_.clear(), recorder_.said.clear();
        settings_.completeMode = complete;
        Add("q", row.required, row.answers);
        CQuizRun& run = Run(&recorder_);
        run.Start();
        for (const std::string& step : row.steps) Step(run, step);
        const std::vector<std::string> answers(recorder_.said.begin() + 1, recorder_.said.end() - (run.GetActive() == 0));
        EXPECT_EQ(answers, row.recorded);
    }
}

// Every start is a run of its own and every run ends once: by its last answer, the time, 中止, a
// new start under way or the window closed; the count and options are the run's own.
TEST_F(QuizRecordTest, EachRunIsRecordedWithItsFactsAndEndsExactlyOnce) {
    for (const char* text : {"q1", "q2", "q3"}) Add(text, "1", {"right"});
    settings_.useHint = 0, settings_.completeMode = 0, settings_.timeLimit = 7;
    CQuizRun& run = Run(&recorder_, {.wordListFile = "w.wl", .genres = {"A", "B"}, .count = 99}, {"A", "B"});
    const std::string start = "start w.wl A|B n=3 hint=0 complete=0 limit=7 review=0";
    run.Start();
    Step(run, "right");
    run.Start();
    for (const char* step : {"right", "x", "right"}) Step(run, step);
    run.Finish();
    run.Start();
    Step(run, "right");
    Step(run, "!");
    run.Stop(RunEnding::Closed);
    run.Start();
    run.Stop(RunEnding::Aborted);
    run.Stop(RunEnding::Closed);
    run.Submit("right");
    run.Start();
    run.Stop(RunEnding::Closed);
    EXPECT_EQ(recorder_.said,
              (std::vector<std::string>{start, "1 A q1 one right 'right' 40", "end aborted 1",
                                        start, "1 A q1 one right 'right' 40", "2 B q2 one wrong 'x' 40",
                                        "3  q3 one right 'right' 40", "end finished 2",
                                        start, "1 A q1 one right 'right' 40", "2 B q2 one timeout '' 40", "end timeout 1",
                                        start, "end aborted 0", start, "end closed 0"}));
    EXPECT_EQ(front_.calls.size(), 2u) << "the time-out still ends with its summary";
}

TEST_F(QuizRecordTest, AReviewRunIsNeverRankedRecordedOrNot) {
    TempDir dir;
    CRecordingPrompt prompt;
    settings_.currentFile = (dir / "lesson.wl").string();
    settings_.ReopenRankTable(prompt);
    settings_.GetRankTable()->SelectList({"A"});
    for (int i = 0; i < CQuizRun::kRankedMinimum; ++i) Add("q" + std::to_string(i), "1", {"right"});
    for (CAnswerRecorder* recorder : {static_cast<CAnswerRecorder*>(&recorder_), static_cast<CAnswerRecorder*>(nullptr)}) {
        front_.calls.clear();
        CQuizRun& run = Run(recorder, {.wordListFile = "w.wl", .genres = {"A"}, .review = true});
        run.Start();
        while (run.GetActive() == 1) run.Submit("right");
        EXPECT_EQ(front_.calls, std::vector<std::string>{"全問正解 !! おめでとう。"});
        EXPECT_TRUE(settings_.GetRankTable()->GetCurrentList()->GetEntries().empty());
    }
    EXPECT_TRUE(recorder_.said.front().ends_with("review=1"));
}

// The same questions, choices and texts without a recorder, with one, and with one that fails.
TEST_F(QuizRecordTest, RecordingNeverChangesTheRun) {
    Add("c", "-1", {"a", "b", "c", "d", "e"});
    Add("s", "2", {"a", "b", "c"});
    Add("o", "1", {"right"});
    auto transcript = [&](CAnswerRecorder* recorder) {
        ProgramRandom().Seed(7);
        CQuizRun& run = Run(recorder);
        run.Start();
        std::string seen;
        for (const char* step : {"?", "b", "a", "x", "wrong", "right"}) {
            for (int slot = 0; slot < CQuizRun::kSlots; ++slot) seen += run.GetSlotText(slot) + ",";
            Step(run, step);
            seen += run.GetMessageText() + "|" + std::to_string(run.GetRightCount()) + "\n";
        }
        run.Start();
        return seen + run.GetSlotText(0) + std::to_string(ProgramRandom().Next());
    };
    const std::string plain = transcript(nullptr);
    EXPECT_EQ(transcript(&recorder_), plain);
    CFakeRecorder failing;
    failing.fails = true;
    EXPECT_EQ(transcript(&failing), plain);
    EXPECT_EQ(failing.said.size(), 1u) << "a recorder that failed is not asked again";
}

// A question is named by the genre whose entries hold it, not by a genre that reaches it.
TEST(OwningGenreNames, NameTheGenreThatHoldsEachQuestion) {
    CWordList list;
    auto add = [&](const char* name, std::initializer_list<std::string_view> questions) {
        CGenre* genre = list.AddGenre(std::make_unique<CGenre>(name));
        for (std::string_view text : questions) {
            const std::string_view fields[] = {text, "1", "x"};
            genre->AddQuestion(std::span<const std::string_view>(fields));
        }
        return genre;
    };
    CGenre* parent = add("P", {"p1"});
    CGenre* child = add("C", {"c1", "c2"});
    parent->AddChildGenre(child);
    CQuestion stray("s", "1", true, {"x"});
    auto question = [](CGenre* genre, std::size_t i) { return genre->GetEntries()[i].GetQuestion(); };
    const std::vector<CQuestion*> runList = {question(child, 1), &stray, question(parent, 0), question(child, 0),
                                             question(child, 1)};
    EXPECT_EQ(OwningGenreNames(list, runList), (std::vector<std::string>{"C", "", "P", "C", "C"}));
}
