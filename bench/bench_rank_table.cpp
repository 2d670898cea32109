// Rank tables far beyond what a learner makes: loading thousands of rankings, selecting one
// for a run, and saving them all.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/recording_prompt.h"
#include "score/rank_table.h"

namespace {

struct RankFileOnDisk {
    std::filesystem::path folder;
    std::filesystem::path path;

    explicit RankFileOnDisk(int rankings) {
        std::string pattern = (std::filesystem::temp_directory_path() / "bench-rank-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        path = folder / "lesson.wls";
        std::ofstream out(path, std::ios::binary);
        out << "_PEL_LORA_RANK_FILE_\r\n";
        for (int i = 0; i < rankings; ++i) {
            out << "PL_JUNRE_NAMES,genre " << i << ",animals\\, plants,second genre\r\n";
            for (int entry = 0; entry < CRankList::kMaxEntries; ++entry)
                out << "2001/05/12," << 20 + entry << ",18,learner\\;" << entry << "\r\n";
        }
    }
    ~RankFileOnDisk() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void BM_LoadRankFile(benchmark::State& state) {
    RankFileOnDisk file(static_cast<int>(state.range(0)));
    CRecordingPrompt prompt;
    for (auto _ : state) {
        CRankTable table(prompt, file.path);
        benchmark::DoNotOptimize(table.GetLists().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadRankFile)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

// The worst selection that finds its ranking: the last one, after comparing every other.
void BM_SelectListAmongMany(benchmark::State& state) {
    RankFileOnDisk file(static_cast<int>(state.range(0)));
    CRecordingPrompt prompt;
    CRankTable table(prompt, file.path);
    const std::vector<std::string> names = {"genre " + std::to_string(state.range(0) - 1), "animals, plants",
                                            "second genre"};
    for (auto _ : state) benchmark::DoNotOptimize(table.SelectList(names));
}
BENCHMARK(BM_SelectListAmongMany)->Arg(100)->Arg(5000)->Arg(50000)->Unit(benchmark::kMicrosecond);

void BM_SaveRankFile(benchmark::State& state) {
    RankFileOnDisk file(static_cast<int>(state.range(0)));
    CRecordingPrompt prompt;
    CRankTable table(prompt, file.path);
    table.SelectList({"genre 0", "animals, plants", "second genre"});
    table.AddResult(1, "new", 20, 20);
    for (auto _ : state) benchmark::DoNotOptimize(table.Save());
}
BENCHMARK(BM_SaveRankFile)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace
