// A word list far larger than any lesson: 500,000 questions in 5,000 genres that nest as a
// tree (about 50 MB). Reading, writing and deep copying it, and the memory a read needs.
// The 100,000-genre chains of the hostile-input tests are timed here as well.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "large_word_list.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

namespace fs = std::filesystem;
using bench::FileOnDisk;
using bench::Large;

std::string Chain(int length, bool childrenFirst) {
    std::string file = "_PEL_LORA_LIST_FILE_,1.0\r\n";
    for (int k = 0; k < length; ++k) {
        const int i = childrenFirst ? length - 1 - k : k;
        file += "PL_BLOCK,G" + std::to_string(i) + ";\r\nq,1,a;\r\nPL_INCLUDE;\r\n";
        file += "G" + std::to_string(i + 1 < length ? i + 1 : 0) + ";\r\nPL_BLOCK_END;\r\n";
    }
    return file;
}


void Load(CWordList& list, const fs::path& path) {
    CRecordingPrompt prompt;
    if (!LoadWordList(prompt, list, path)) std::abort();
}

void BM_ReadLargeList(benchmark::State& state) {
    const FileOnDisk& file = Large();
    for (auto _ : state) {
        CWordList list;
        Load(list, file.Path());
        benchmark::DoNotOptimize(list.GetCount());
        state.PauseTiming();  // destroying the list read is not part of reading
        { CWordList gone(std::move(list)); }
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.Size()));
    state.counters["file_MB"] = static_cast<double>(file.Size()) / (1 << 20);
}
BENCHMARK(BM_ReadLargeList)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Writing includes the flush to the disk that makes the save safe.
void BM_WriteLargeList(benchmark::State& state) {
    const FileOnDisk& file = Large();
    CWordList list;
    Load(list, file.Path());
    CRecordingPrompt prompt;
    for (auto _ : state) {
        if (!list.Save(prompt, file.Folder() / "saved.wl")) std::abort();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.Size()));
}
BENCHMARK(BM_WriteLargeList)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_DeepCopyLargeList(benchmark::State& state) {
    CWordList list;
    Load(list, Large().Path());
    for (auto _ : state) {
        CWordList copy(list);
        benchmark::DoNotOptimize(copy.GetCount());
        state.PauseTiming();  // destroying the copy is not part of copying
        { CWordList gone(std::move(copy)); }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeepCopyLargeList)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Peak memory of one read, measured in a child process of its own: the rise of the peak
// resident size over the size before the read, against the size of the file.
long StatusKilobytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::char_traits<char>::length(field);
    while (std::fgets(line, sizeof line, status))
        if (!std::strncmp(line, field, length)) value = std::strtol(line + length, nullptr, 10);
    std::fclose(status);
    return value;
}

void BM_ReadLargeListPeakMemory(benchmark::State& state) {
    const FileOnDisk& file = Large();
    double peakMb = 0;
    for (auto _ : state) {
        int pipes[2];
        if (::pipe(pipes) != 0) std::abort();
        const pid_t child = ::fork();
        if (child == 0) {
            // The child starts with the parent's heap, freed blocks included: hand those back
            // first, then reset the peak to the present size (Linux 4.0 and later).
            ::malloc_trim(0);
            std::FILE* clear = std::fopen("/proc/self/clear_refs", "w");
            if (clear) {
                std::fputs("5", clear);
                std::fclose(clear);
            }
            const long before = StatusKilobytes("VmRSS:");
            {
                CWordList list;
                Load(list, file.Path());
                benchmark::DoNotOptimize(list.GetCount());
            }
            const long rise = StatusKilobytes("VmHWM:") - before;
            if (::write(pipes[1], &rise, sizeof rise) != sizeof rise) _exit(1);
            _exit(0);
        }
        long rise = 0;
        if (::read(pipes[0], &rise, sizeof rise) != sizeof rise) std::abort();
        ::close(pipes[0]);
        ::close(pipes[1]);
        ::waitpid(child, nullptr, 0);
        peakMb = static_cast<double>(rise) / 1024;
    }
    const double fileMb = static_cast<double>(file.Size()) / (1 << 20);
    state.counters["peak_MB"] = peakMb;
    state.counters["file_MB"] = fileMb;
    state.counters["peak_per_file_size"] = peakMb / fileMb;  // the aim is at most 4
}
BENCHMARK(BM_ReadLargeListPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReadChain(benchmark::State& state) {
    const FileOnDisk file(Chain(100000, state.range(0) != 0));
    for (auto _ : state) {
        CWordList list;
        Load(list, file.Path());
        benchmark::DoNotOptimize(list.GetCount());
    }
}
BENCHMARK(BM_ReadChain)->ArgName("children_first")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
