// pellora-wl history over a record made by the store, and pellora-wl quiz --review over it.
#include "cli_test_util.h"
#include "platform/recording_prompt.h"
#include "record/record_test_util.h"

namespace {

struct HistoryCli : testing::Test {
    TempDir dir;
    CRecordingPrompt prompt;

    void Answer(CRecordStore& record, std::string question, AnswerOutcome outcome, std::string given = "A") {
        record.AnswerJudged({1, Sjis("動物"), std::move(question), QuizForm::Several, outcome, std::move(given), 42});
    }
};

TEST_F(HistoryCli, PrintsRunsWithTheirAnswersAndTheQuestionsAsJsonOrCsv) {
    {
        FixedClock clock;
        CRecordStore record(dir / "Pellora.db", prompt, clock);
        record.RunStarted({.wordListFile = "a.wl", .genres = {Sjis("動物"), "\x85\x40"}, .count = 2, .review = true});
        Answer(record, Sjis("犬,\"ワン\""), AnswerOutcome::Right, Sjis("いぬ"));
        Answer(record, "\x85\x40", AnswerOutcome::TimeOut, "");
        record.RunEnded(RunEnding::TimeOut, 1);
        record.RunStarted({.wordListFile = "a.wl", .genres = {Sjis("動物")}, .count = 1});
    }
    const CliRun json = RunCli(dir, "history Pellora.db");
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\"runs\": [\n"
              "{\"started\": \"2026-12-07T09:30:00Z\", \"genres\": [\"動物\", \"\xEF\xBF\xBD\"], \"count\": 2, "
              "\"right\": 1, \"rate\": 50, \"ended\": \"timeout\", \"review\": true, \"answers\": [\n"
              "  {\"genre\": \"動物\", \"question\": \"犬,\\\"ワン\\\"\", \"form\": \"several\", \"outcome\": \"right\", "
              "\"given\": \"いぬ\", \"ms\": 42},\n"
              "  {\"genre\": \"動物\", \"question\": \"\xEF\xBF\xBD\", \"form\": \"several\", \"outcome\": \"timeout\", "
              "\"given\": \"\", \"ms\": 42}]},\n"
              "{\"started\": \"2026-12-07T09:30:00Z\", \"genres\": [\"動物\"], \"count\": 1, \"right\": 0, \"rate\": 0, "
              "\"ended\": null, \"review\": false, \"answers\": []}],\n"
              "\"questions\": [\n"
              "{\"genre\": \"動物\", \"question\": \"\xEF\xBF\xBD\", \"box\": 1, \"right\": 0, \"wrong\": 1, "
              "\"last\": \"2026-12-07\", \"due\": \"2026-12-07\"},\n"
              "{\"genre\": \"動物\", \"question\": \"犬,\\\"ワン\\\"\", \"box\": 1, \"right\": 1, \"wrong\": 0, "
              "\"last\": \"2026-12-07\", \"due\": \"2026-12-08\"}]}\n");

    const CliRun csv = RunCli(dir, "history --csv Pellora.db");
    EXPECT_EQ(csv.out,
              "genre,question,box,right,wrong,last,due\r\n"
              "動物,\xEF\xBF\xBD,1,0,1,2026-12-07,2026-12-07\r\n"
              "動物,\"犬,\"\"ワン\"\"\",1,1,0,2026-12-07,2026-12-08\r\n");

    for (auto [args, code] : {std::pair{"history missing.db", 1}, {"history Pellora.db --bytes", 2}, {"history", 2}})
        EXPECT_EQ(RunCli(dir, args).exitCode, code) << args;
}

// The tool draws the review as the window does, from the record given.
TEST_F(HistoryCli, QuizReviewAsksTheDueQuestionsFirst) {
    WriteFileBytes(dir / "a.wl", Sjis("_PEL_LORA_LIST_FILE_,1.0\r\nPL_BLOCK,動物;\r\nPL_PRIMITIVE;\r\n"
                                      "犬,1,A;\r\n猫,1,A;\r\nPL_BLOCK_END;\r\n"));
    {
        CRecordStore record(dir / "Pellora.db", prompt);
        record.RunStarted({.wordListFile = "a.wl", .genres = {Sjis("動物")}, .count = 2});
        Answer(record, Sjis("犬"), AnswerOutcome::Right);
        Answer(record, Sjis("猫"), AnswerOutcome::Wrong);
    }
    const CliRun review = RunCli(dir, "quiz a.wl --genre 動物 --record Pellora.db --review --script", "answer B\n");
    ASSERT_FALSE(review.lines.empty()) << review.err;
    EXPECT_NE(review.lines[0].find("\"text\": \"猫\""), std::string::npos) << review.lines[0];
    EXPECT_NE(review.lines[0].find("\"remaining\": 1"), std::string::npos) << "犬 falls due tomorrow";
    // The tool's run is recorded as the window's is: a review, its answer, how it ended.
    const std::string history = RunCli(dir, "history Pellora.db").out;
    EXPECT_NE(history.find("\"ended\": \"finished\", \"review\": true, \"answers\": [\n  {\"genre\": \"動物\", "
                           "\"question\": \"猫\", \"form\": \"one\", \"outcome\": \"wrong\", \"given\": \"B\""),
              std::string::npos) << history;

    {
        CRecordStore record(dir / "Pellora.db", prompt);
        record.RunStarted({.wordListFile = "a.wl", .genres = {Sjis("動物")}, .count = 1});
        Answer(record, Sjis("猫"), AnswerOutcome::RightAfterHint);
    }
    const CliRun nothing = RunCli(dir, "quiz a.wl --genre 動物 --record Pellora.db --review --script");
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_NE(nothing.err.find("復習する問題はありません。 次の問題は"), std::string::npos) << nothing.err;
    EXPECT_EQ(RunCli(dir, "quiz a.wl --genre 動物 --review").exitCode, 2);
}

}  // namespace
