// Drawing a run of 100,000 questions out of a selection of 1,000,000 in nested genres, and
// every question of a deep chain of nested genres.
#include <benchmark/benchmark.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "app/question_index.h"
#include "app/run_drawing.h"
#include "platform/random.h"
#include "platform/recording_prompt.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

constexpr int kUnits = 100;
constexpr int kDrillQuestions = 1000;
constexpr int kUnitQuestions = 9000;  // with its drill, 10,000 per unit
constexpr int kRunLength = 100000;

void AddQuestion(CGenre& genre, const std::string& text) {
    CWordList fields(CWordList::kTexts);
    fields.AddText(text);
    fields.AddText("1");
    fields.AddText("answer");
    genre.AddQuestion(fields);
}

// A course of 100 units; each unit holds 9,000 questions of its own with its drill genre of
// 1,000 questions included halfway, so a unit is a long mixed list of entries.
const CWordList& Course() {
    static const CWordList list = [] {
        CWordList built;
        std::vector<CGenre*> units;
        for (int u = 0; u < kUnits; ++u) {
            CGenre* drill = built.AddGenre(std::make_unique<CGenre>("drill" + std::to_string(u)));
            for (int q = 0; q < kDrillQuestions; ++q) AddQuestion(*drill, "d" + std::to_string(u) + "." + std::to_string(q));
            CGenre* unit = built.AddGenre(std::make_unique<CGenre>("unit" + std::to_string(u)));
            for (int q = 0; q < kUnitQuestions; ++q) {
                if (q == kUnitQuestions / 2) unit->AddChildGenre(drill);
                AddQuestion(*unit, "u" + std::to_string(u) + "." + std::to_string(q));
            }
            units.push_back(unit);
        }
        CGenre* course = built.AddGenre(std::make_unique<CGenre>("course"));
        for (CGenre* unit : units) course->AddChildGenre(unit);
        return built;
    }();
    return list;
}

void BM_PrepareRun(benchmark::State& state) {
    const CWordList& list = Course();
    CRecordingPrompt prompt;
    std::vector<CQuestion*> runList;
    for (auto _ : state) {
        ProgramRandom().Seed(1);
        int perRunCount = kRunLength;
        if (!PrepareRun(prompt, list, {"course"}, perRunCount, runList, nullptr)) state.SkipWithError("no run");
        benchmark::DoNotOptimize(runList.data());
    }
    state.counters["total"] = list.FindGenre("course")->GetTotal();
    state.counters["run"] = static_cast<double>(runList.size());
}
BENCHMARK(BM_PrepareRun)->Unit(benchmark::kMillisecond);

// The same draw with one plain walk per index, for comparison.
void BM_PlainPerIndexDraw(benchmark::State& state) {
    const CWordList& list = Course();
    std::vector<CGenre*> genres{list.FindGenre("course")};
    std::vector<CQuestion*> runList;
    for (auto _ : state) {
        ProgramRandom().Seed(1);
        const std::vector<int> order = MakePermutationHead(genres[0]->GetTotal(), kRunLength, ProgramRandom());
        runList.clear();
        for (int index : order) runList.push_back(FindQuestionByIndex(genres, index));
        benchmark::DoNotOptimize(runList.data());
    }
}
BENCHMARK(BM_PlainPerIndexDraw)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every question of a chain of 100,000 genres, each holding one question and including the
// next: a draw that walked the chain once per index would take minutes.
void BM_PrepareRunDeepChain(benchmark::State& state) {
    constexpr int kDepth = 100000;
    static const CWordList chain = [] {
        CWordList built;
        for (int g = 0; g < kDepth; ++g) built.AddGenre(std::make_unique<CGenre>("c" + std::to_string(g)));
        for (int g = kDepth - 1; g >= 0; --g) {
            CGenre& genre = *built.GetGenres()[g];
            AddQuestion(genre, "q" + std::to_string(g));
            if (g + 1 < kDepth) genre.AddChildGenre(built.GetGenres()[g + 1].get());
        }
        return built;
    }();
    CRecordingPrompt prompt;
    std::vector<CQuestion*> runList;
    for (auto _ : state) {
        ProgramRandom().Seed(1);
        int perRunCount = kDepth;
        if (!PrepareRun(prompt, chain, {"c0"}, perRunCount, runList, nullptr)) state.SkipWithError("no run");
        benchmark::DoNotOptimize(runList.data());
    }
    state.counters["run"] = static_cast<double>(runList.size());
}
BENCHMARK(BM_PrepareRunDeepChain)->Unit(benchmark::kMillisecond);

// A saturated total: every one of its INT32_MAX draws is made, in memory for the run only.
void BM_PermutationOfSaturatedTotal(benchmark::State& state) {
    CRandom random;
    for (auto _ : state) {
        random.Seed(1);
        benchmark::DoNotOptimize(MakePermutationHead(INT_MAX, 10, random).data());
    }
}
BENCHMARK(BM_PermutationOfSaturatedTotal)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
