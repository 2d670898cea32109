// The learning-record window opened over a large record: 1,000,000 answers on 500,000
// questions, in 20,000 runs of 50 answers over 1,000 days up to today.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <cstdlib>
#include <memory>

#include "offscreen_application.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "record/record_dialog.h"
#include "record/record_names.h"
#include "record/record_store.h"
#include "record/sqlite_db.h"
#include "wordlist/word_list.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRecordQuestions = 500000;
constexpr int kRecordRuns = 20000;
constexpr int kAnswersPerRun = 50;
constexpr int kRecordDays = 1000;
constexpr int kGenreSets = 50;  // run r asks genre r % 50; the window shows genre 0's runs

std::string GenreName(int n) { return text::ToCp932("分野") + std::to_string(n); }

// Written once per process, straight into the tables (an answer at a time would take minutes).
class CLargeRecord {
public:
    CLargeRecord() {
        std::string pattern = (fs::temp_directory_path() / "bench-record-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        { CRecordStore schema(Path(), prompt_); }
        CSqliteDb db(Path(), CSqliteDb::Access::Write);
        db.Execute("PRAGMA journal_mode=WAL; BEGIN");
        CStatement run(db, "INSERT INTO runs(id, started, day, file, count, hint, complete, time_limit, review, ended, "
                           "right_count, rate) VALUES(?, ?, ?, CAST('list.wl' AS BLOB), 50, 0, 0, 0, ?, ?, ?, ?)");
        CStatement genre(db, "INSERT INTO run_genres(run, place, name) VALUES(?, 0, ?)");
        CStatement answer(db, "INSERT INTO answers(run, seq, place, question, form, outcome, given, ms) "
                              "VALUES(?, ?, ?, ?, ?, ?, CAST('A' AS BLOB), 900)");
        const std::string question = text::ToCp932("次の県庁所在地を答えなさい、問題番号第");
        const std::chrono::sys_days today = SystemRecordClock().Today();
        const std::time_t now = std::time(nullptr);
        auto dayNumber = [](std::chrono::sys_days day) { return std::int64_t{day.time_since_epoch().count()}; };
        // The questions first: answers refer to them by their row (question q is row q + 1).
        CStatement state(db, "INSERT INTO questions(id, genre, question, box, right_count, wrong_count, last, due) "
                             "VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
        for (int q = 0; q < kRecordQuestions; ++q) {
            state.Reset();
            state.Bind(1, std::int64_t{q + 1}).BindBlob(2, GenreName(q / 100)).BindBlob(3, question + std::to_string(q));
            state.Bind(4, std::int64_t{1 + q % 5}).Bind(5, std::int64_t{q % 3}).Bind(6, std::int64_t{2 - q % 3});
            state.Bind(7, dayNumber(today - std::chrono::days(q % 30)));
            state.Bind(8, dayNumber(today + std::chrono::days(q % 9 - 4))).Run();
        }
        for (int r = 0; r < kRecordRuns; ++r) {
            const int daysAgo = kRecordDays - 1 - r * kRecordDays / kRecordRuns;
            const std::int64_t day = dayNumber(today - std::chrono::days(daysAgo));
            const std::time_t started = now - static_cast<std::time_t>(daysAgo) * 86400;
            const int right = 20 + r % 30;
            run.Reset();
            run.Bind(1, std::int64_t{r + 1}).Bind(2, std::int64_t{started}).Bind(3, day);
            run.Bind(4, std::int64_t{r % 7 == 0}).Bind(5, std::int64_t{EndingCode(RunEnding::Finished)});
            run.Bind(6, std::int64_t{right}).Bind(7, right * 2.0).Run();
            genre.Reset();
            genre.Bind(1, std::int64_t{r + 1}).BindBlob(2, GenreName(r % kGenreSets)).Run();
            for (int a = 0; a < kAnswersPerRun; ++a) {
                const int q = (r * kAnswersPerRun + a) % kRecordQuestions;
                answer.Reset();
                answer.Bind(1, std::int64_t{r + 1}).Bind(2, std::int64_t{a}).Bind(3, std::int64_t{a + 1});
                answer.Bind(4, std::int64_t{q + 1}).Bind(5, std::int64_t{FormCode(QuizForm::One)});
                answer.Bind(6, std::int64_t{OutcomeCode(a < right ? AnswerOutcome::Right : AnswerOutcome::Wrong)}).Run();
            }
        }
        db.Execute("COMMIT");
    }
    ~CLargeRecord() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path Path() const { return folder_ / "Pellora.db"; }

private:
    CRecordingPrompt prompt_;
    fs::path folder_;
};

// The window over the record the program holds open: both charts for genre 0's runs and the
// first page of the weak-question table, each part drawn once.
void BM_RecordWindowOpen(benchmark::State& state) {
    bench::OffscreenApplication("bench_record");
    static const CLargeRecord record;
    CRecordingPrompt prompt;
    CRecordStore store(record.Path(), prompt);
    const CWordList list;
    for (auto _ : state) {
        CRecordDialog window(&store, list, "list.wl", {GenreName(0)}, prompt, {});
        auto* tabs = window.findChild<QTabWidget*>(QString::number(CRecordDialog::kTabs));
        for (int part = 0; part < tabs->count(); ++part) {
            tabs->setCurrentIndex(part);
            benchmark::DoNotOptimize(window.grab());
        }
    }
}
BENCHMARK(BM_RecordWindowOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
