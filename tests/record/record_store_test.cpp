// The learning record on disk: what a run leaves behind, read back after reopening, and each
// way the file or its folder can fail the store.
#include <gtest/gtest.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/recording_prompt.h"
#include "record/record_test_util.h"
#include "record/sqlite_db.h"
#include "support/file_bytes.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::days;

const std::string kOdd = "\x81\x7f\xff";  // bytes no CP932 text holds

RecordedRun SomeRun(bool review = false) {
    return {.wordListFile = "/lists/a.wl", .genres = {Sjis("動物"), kOdd}, .count = 3, .hint = true,
            .completeMode = false, .timeLimit = 5, .review = review};
}

TEST(RecordStore, KeepsRunsAnswersStatesAndSettingsAcrossReopening) {
    TempDir dir;
    CRecordingPrompt prompt;
    FixedClock clock;
    const RecordedAnswer first[] = {
        {1, Sjis("動物"), Sjis("犬"), QuizForm::One, AnswerOutcome::Right, Sjis("いぬ"), 1200},
        {2, kOdd, kOdd, QuizForm::Choice, AnswerOutcome::Wrong, "", 300},
        {3, Sjis("動物"), Sjis("犬"), QuizForm::Several, AnswerOutcome::RightAfterHint, kOdd, 5},
    };
    const RecordedAnswer later = {1, kOdd, kOdd, QuizForm::Choice, AnswerOutcome::Right, "x", 7};
    const std::time_t started = clock.now;
    {
        CRecordStore store(dir / "Pellora.db", prompt, clock);
        store.AnswerJudged(later);  // outside a run: not kept
        store.RunStarted(SomeRun());
        for (const RecordedAnswer& answer : first) store.AnswerJudged(answer);
        store.RunEnded(RunEnding::Aborted, 2);
        clock.NextDay();
        store.RunStarted(SomeRun(true));
        store.AnswerJudged(later);  // and the program stops before the run ends
        store.SetSetting("word", std::string("v\0\x81", 3));
    }
    const CRecordStore store(dir / "Pellora.db", prompt, clock);
    EXPECT_EQ(store.Status(), RecordStatus::Recording);
    const std::vector<RunRow> runs = store.Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(std::tuple(runs[0].started, runs[0].day, runs[0].wordListFile, runs[0].genres, runs[0].count),
              std::tuple(started, "2026-12-07", "/lists/a.wl", SomeRun().genres, 3u));
    EXPECT_EQ(std::tuple(runs[0].hint, runs[0].completeMode, runs[0].timeLimit, runs[0].review, runs[0].right),
              std::tuple(true, false, 5, false, 2u));
    EXPECT_EQ(runs[0].ending, RunEnding::Aborted);
    EXPECT_DOUBLE_EQ(runs[0].rate, 200.0 / 3);
    EXPECT_EQ(std::tuple(runs[1].day, runs[1].review, runs[1].ending.has_value()), std::tuple("2026-12-08", true, false));
    EXPECT_EQ(store.RunsOfWordList("/lists/a.wl").size(), 2u);
    EXPECT_TRUE(store.RunsOfWordList("/lists/b.wl").empty());

    const std::vector<AnswerRow> answers = store.AnswersOfRun(runs[0].id);
    ASSERT_EQ(answers.size(), std::size(first));
    for (std::size_t i = 0; i < answers.size(); ++i) EXPECT_EQ(Fields(answers[i].answer), Fields(first[i])) << i;

    // Right then right after a hint: box 1, due the next day. Wrong, then right a day later: box 2.
    const std::vector<QuestionStateRow> states = store.QuestionStates();
    ASSERT_EQ(states.size(), 2u);
    auto row = [](const QuestionStateRow& s) { return std::tuple(s.genre, s.question, s.box, s.right, s.wrong, s.last, s.due); };
    EXPECT_EQ(row(states[0]), std::tuple(kOdd, kOdd, 2, 1u, 1u, "2026-12-08", "2026-12-10"));
    EXPECT_EQ(row(states[1]), std::tuple(Sjis("動物"), Sjis("犬"), 1, 2u, 0u, "2026-12-07", "2026-12-08"));

    const std::vector<DayTally> perDay = store.AnswersPerDay(clock.today - days{1}, clock.today);
    ASSERT_EQ(perDay.size(), 2u);
    EXPECT_EQ(std::tuple(perDay[0].day, perDay[0].right, perDay[0].wrong), std::tuple("2026-12-07", 2u, 1u));
    EXPECT_EQ(std::tuple(perDay[1].day, perDay[1].right, perDay[1].wrong), std::tuple("2026-12-08", 1u, 0u));
    EXPECT_EQ(store.AnswersPerDay(clock.today, clock.today).size(), 1u);

    EXPECT_EQ(store.GetSetting("word"), std::string("v\0\x81", 3));
    EXPECT_EQ(store.GetSetting("other"), std::nullopt);
    EXPECT_TRUE(prompt.Messages().empty());
}

// A record of a later version, made by hand.
void WriteNewerRecord(const fs::path& path) {
    CSqliteDb db(path, CSqliteDb::Access::Write);
    db.Execute(("CREATE TABLE later(x); PRAGMA user_version=" + std::to_string(CRecordStore::kSchemaVersion + 1)).c_str());
}

// A record of several pages, then cut or overwritten.
void WriteLongRecord(const fs::path& path) {
    {
        CRecordingPrompt prompt;
        FixedClock clock;
        CRecordStore store(path, prompt, clock);
        store.RunStarted(SomeRun());
        for (int i = 0; i < 300; ++i)
            store.AnswerJudged({i, "g", "question " + std::to_string(i), QuizForm::One, AnswerOutcome::Wrong, "", 1});
    }
}

struct Fault {
    const char* what;
    std::function<void(const fs::path&)> prepare;
    RecordStatus status;
    const char* told;  // a piece of the one message, after the file's path
    bool setAside;     // the old file kept as Pellora.db.damaged-...
    rlim_t sizeLimit;  // 0: none
};

// Each fault is told once, with the file's path first; the quiz goes on and later answers say
// nothing more. A damaged file (and its journal) is kept under a new name, never a name taken.
TEST(RecordStore, EachFaultIsToldOnceAndLosesNothing) {
    const Fault faults[] = {
        {"not a database", [](const fs::path& p) { WriteFileBytes(p, std::string(4096, 'x')); }, RecordStatus::Recording,
         "読めません", true, 0},
        {"truncated record", [](const fs::path& p) { WriteLongRecord(p); fs::resize_file(p, fs::file_size(p) / 2); },
         RecordStatus::Recording, "読めません", true, 0},
        {"a page no reader needs at start, overwritten", [](const fs::path& p) {
             WriteLongRecord(p);
             std::string bytes = ReadFileBytes(p);
             bytes.replace(bytes.size() - 4096, 8, 8, '\xff');  // the last page's header
             WriteFileBytes(p, bytes);
         }, RecordStatus::Recording, "読めません", true, 0},
        {"newer version", WriteNewerRecord, RecordStatus::NewerVersion, "新しい版", false, 0},
        {"full disk", [](const fs::path&) {}, RecordStatus::NotRecording, "書き込めません", false, 1},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        TempDir dir;
        const fs::path path = dir / "Pellora.db";
        fault.prepare(path);
        WriteFileBytes(dir / "Pellora.db-wal", "old journal");
        WriteFileBytes(dir / "Pellora.db.damaged-20261207-093000", "earlier");
        const std::string before = fs::exists(path) ? ReadFileBytes(path) : "";
        CRecordingPrompt prompt;
        FixedClock clock;
        std::optional<ScopedFileSizeLimit> limit;
        if (fault.sizeLimit) limit.emplace(fault.sizeLimit);
        CRecordStore store(path, prompt, clock);
        EXPECT_EQ(store.Status(), fault.status) << "known at once";
        store.RunStarted(SomeRun());
        store.AnswerJudged({1, "g", "q", QuizForm::One, AnswerOutcome::Right, "a", 1});
        limit.reset();
        EXPECT_EQ(store.Status(), fault.status);
        ASSERT_EQ(prompt.Messages().size(), 1u);
        EXPECT_TRUE(prompt.Messages()[0].text.starts_with(path.string() + "\r\n")) << prompt.Messages()[0].text;
        EXPECT_NE(prompt.Messages()[0].text.find(fault.told), std::string::npos) << prompt.Messages()[0].text;
        EXPECT_EQ(store.Runs().size(), fault.status == RecordStatus::Recording ? 1u : 0u);
        EXPECT_EQ(ReadFileBytes(dir / "Pellora.db.damaged-20261207-093000"), "earlier");
        const fs::path aside = dir / "Pellora.db.damaged-20261207-093000-2";
        EXPECT_EQ(fs::exists(aside), fault.setAside);
        if (fault.setAside) {
            EXPECT_EQ(ReadFileBytes(aside), before);
            EXPECT_EQ(ReadFileBytes(aside.string() + "-wal"), "old journal");
        } else if (fault.status == RecordStatus::NewerVersion) {
            EXPECT_EQ(ReadFileBytes(path), before) << "left untouched";
        }
    }
}

// A disk that fills during a run: the answer is lost, the learner told once, the run goes on.
TEST(RecordStore, ADiskFullDuringARunIsToldOnce) {
    TempDir dir;
    CRecordingPrompt prompt;
    FixedClock clock;
    CRecordStore store(dir / "Pellora.db", prompt, clock);
    store.RunStarted(SomeRun());
    {
        ScopedFileSizeLimit limit(1);
        for (int i = 1; i <= 3; ++i) store.AnswerJudged({i, "g", "q", QuizForm::One, AnswerOutcome::Right, "a", 1});
        store.SetSetting("word", "kept for this start");
    }
    store.AnswerJudged({4, "g", "q", QuizForm::One, AnswerOutcome::Right, "a", 1});
    EXPECT_EQ(store.Status(), RecordStatus::NotRecording);
    EXPECT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(store.Runs().size(), 1u) << "what was kept stays readable";
    EXPECT_TRUE(store.AnswersOfRun(store.Runs()[0].id).empty());
    EXPECT_EQ(store.GetSetting("word"), "kept for this start");
}

// An ordinary user in a folder it cannot write, with and without a record there.
TEST(RecordStore, AFolderThatCannotBeWrittenRecordsNothing) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
    constexpr uid_t kNobody = 65534;
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms::all);
    for (const char* folder : {"empty", "with record"}) fs::create_directory(dir / folder);
    {
        CRecordingPrompt prompt;
        CRecordStore made(dir / "with record" / "Pellora.db", prompt);
    }
    for (const char* folder : {"empty", "with record"}) fs::permissions(dir / folder, static_cast<fs::perms>(0555));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) _exit(2);
        for (const char* folder : {"empty", "with record"}) {
            SCOPED_TRACE(folder);
            CRecordingPrompt prompt;
            CRecordStore store(dir / folder / "Pellora.db", prompt);
            EXPECT_EQ(store.Status(), RecordStatus::NotRecording) << "known at once";
            store.RunStarted(SomeRun());
            store.AnswerJudged({1, "g", "q", QuizForm::One, AnswerOutcome::Right, "a", 1});
            EXPECT_EQ(store.Status(), RecordStatus::NotRecording);
            EXPECT_EQ(prompt.Messages().size(), 1u);
        }
        std::fflush(stdout);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_FALSE(fs::exists(dir / "empty" / "Pellora.db"));
}

}  // namespace
