// The learning record: one answer written as it is judged, the review draw over a large list
// with a long record, and opening such a record at start-up.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/recording_prompt.h"
#include "record/record_store.h"
#include "record/review_draw.h"
#include "record/sqlite_db.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

namespace fs = std::filesystem;

constexpr int kGenres = 100;
constexpr int kPerGenre = 5000;  // 500,000 questions
constexpr int kAnswers = 1000000;
const std::chrono::sys_days kToday{std::chrono::year{2026} / 12 / 7};

std::string GenreName(int g) { return "\x95\xaa\x96\xec" + std::to_string(g); }  // 分野 in CP932
std::string QuestionText(int q) {
    return "\x8e\x9f\x82\xcc\x93\x73\x93\xb9\x95\x7b\x8c\xa7\x82\xcc\x8c\xa7\x92\xa1" + std::to_string(q);
}

fs::path FreshFolder() {
    std::string pattern = (fs::temp_directory_path() / "bench-record-XXXXXX").string();
    return mkdtemp(pattern.data());
}

// 500,000 questions in 100 genres, all children of "all".
const CWordList& LargeList() {
    static const CWordList list = [] {
        CWordList built;
        CGenre* all = built.AddGenre(std::make_unique<CGenre>("all"));
        for (int g = 0; g < kGenres; ++g) {
            CGenre* genre = built.AddGenre(std::make_unique<CGenre>(GenreName(g)));
            for (int q = 0; q < kPerGenre; ++q) {
                const std::string text = QuestionText(g * kPerGenre + q);
                const std::string_view fields[] = {text, "1", "answer"};
                genre->AddQuestion(fields);
            }
            all->AddChildGenre(genre);
        }
        return built;
    }();
    return list;
}

// A record of 1,000,000 answers over the given number of questions of the large list, with
// boxes and due dates spread so that about a third is due. Written in one transaction beside
// the store, as the store lays it out.
fs::path LongRecord(int questions) {
    const fs::path file = FreshFolder() / "Pellora.db";
    CRecordingPrompt prompt;
    CRecordStore(file, prompt).RunStarted({.wordListFile = "large.wl", .genres = {"all"}, .count = kAnswers});
    CSqliteDb db(file, CSqliteDb::Access::Write);
    db.Execute("BEGIN");
    CStatement state(db, "INSERT INTO questions VALUES(?, ?, ?, ?, 1, 1, ?, ?)");
    for (int q = 0; q < questions; ++q) {
        state.Reset();
        state.Bind(1, std::int64_t{q + 1}).BindBlob(2, GenreName(q / kPerGenre)).BindBlob(3, QuestionText(q));
        state.Bind(4, std::int64_t{1 + q % 5}).Bind(5, std::int64_t{kToday.time_since_epoch().count()});
        state.Bind(6, std::int64_t{(kToday + std::chrono::days{q % 9 - 3}).time_since_epoch().count()}).Run();
    }
    CStatement answer(db, "INSERT INTO answers VALUES(1, ?, ?, ?, 0, ?, 'answer', 1500)");
    for (int i = 0; i < kAnswers; ++i) {
        answer.Reset();
        answer.Bind(1, std::int64_t{i + 1}).Bind(2, std::int64_t{i % 1000 + 1});
        answer.Bind(3, std::int64_t{i % questions + 1}).Bind(4, std::int64_t{i % 3 ? 0 : 2}).Run();
    }
    db.Execute("COMMIT");
    return file;
}

const fs::path& LargeRecord() {
    static const fs::path record = LongRecord(kGenres * kPerGenre);
    return record;
}

void BM_RecordOneAnswer(benchmark::State& state) {
    const fs::path folder = FreshFolder();
    CRecordingPrompt prompt;
    CRecordStore store(folder / "Pellora.db", prompt);
    store.RunStarted({.wordListFile = "large.wl", .genres = {"all"}, .count = 1000});
    int place = 0;
    for (auto _ : state) {
        ++place;
        store.AnswerJudged({place, GenreName(place % kGenres), QuestionText(place % 20000), QuizForm::One,
                            place % 4 ? AnswerOutcome::Right : AnswerOutcome::Wrong, "answer", 1500});
    }
    if (store.Status() != RecordStatus::Recording) state.SkipWithError("not recording");
    fs::remove_all(folder);
}
BENCHMARK(BM_RecordOneAnswer)->Unit(benchmark::kMicrosecond);

void BM_ReviewDrawLargeList(benchmark::State& state) {
    const CWordList& list = LargeList();
    CRecordingPrompt prompt;
    const CRecordStore store(LargeRecord(), prompt);
    const CQuestionStates& states = store.ReviewStates();
    std::size_t drawn = 0;
    for (auto _ : state) {
        int count = 100;
        std::vector<CQuestion*> runList;
        PrepareReviewRun(prompt, list, {"all"}, count, runList, states, kToday);
        drawn = runList.size();
    }
    if (drawn != 100) state.SkipWithError("the review drew too little");
}
BENCHMARK(BM_ReviewDrawLargeList)->Unit(benchmark::kMillisecond);

// Reading the state of 500,000 questions, once per program, at the first review.
void BM_ReviewStatesFirstRead(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CRecordingPrompt prompt;
        const CRecordStore store(LargeRecord(), prompt);
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.ReviewStates().Size());
    }
}
BENCHMARK(BM_ReviewStatesFirstRead)->Unit(benchmark::kMillisecond);

void BM_OpenLongRecord(benchmark::State& state) {
    // A learner's years: each of 20,000 questions answered fifty times.
    static const fs::path file = LongRecord(20000);
    for (auto _ : state) {
        CRecordingPrompt prompt;
        const CRecordStore store(file, prompt);
        if (store.Status() != RecordStatus::Recording) state.SkipWithError("not recording");
    }
}
BENCHMARK(BM_OpenLongRecord)->Unit(benchmark::kMillisecond);

}  // namespace
