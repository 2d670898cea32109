// Word lists far larger than any lesson: 500,000 questions in 5,000 genres that nest as a tree
// (about 50 MB), and twice that. Reading, writing and deep copying them, the memory a read
// needs, and `pellora-wl check` as a whole process beside `wc -l` on the same file.
// The 100,000-genre chains of the hostile-input tests are timed here as well.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "large_word_list.h"
#include "platform/recording_prompt.h"
#include "platform/text_codec.h"
#include "wordlist/genre.h"
#include "wordlist/word_list.h"

namespace {

namespace fs = std::filesystem;

using bench::FileOnDisk;

std::string Chain(int length, bool childrenFirst) {
    std::string file = "_PEL_LORA_LIST_FILE_,1.0\r\n";
    for (int k = 0; k < length; ++k) {
        const int i = childrenFirst ? length - 1 - k : k;
        file += "PL_BLOCK,G" + std::to_string(i) + ";\r\nq,1,a;\r\nPL_INCLUDE;\r\n";
        file += "G" + std::to_string(i + 1 < length ? i + 1 : 0) + ";\r\nPL_BLOCK_END;\r\n";
    }
    return file;
}

const FileOnDisk& Large(std::int64_t questions) { return bench::Large(static_cast<int>(questions)); }

// Both sizes: the figures should grow linearly.
void Sizes(benchmark::internal::Benchmark* bench) { bench->ArgName("questions")->Arg(500000)->Arg(1000000); }

void Load(CWordList& list, const fs::path& path) {
    CRecordingPrompt prompt;
    if (!LoadWordList(prompt, list, path)) std::abort();
}

void BM_ReadLargeList(benchmark::State& state) {
    const FileOnDisk& file = Large(state.range(0));
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
BENCHMARK(BM_ReadLargeList)->Apply(Sizes)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Writing includes the flush to the disk that makes the save safe.
void BM_WriteLargeList(benchmark::State& state) {
    const FileOnDisk& file = Large(state.range(0));
    CWordList list;
    Load(list, file.Path());
    CRecordingPrompt prompt;
    for (auto _ : state) {
        if (!list.Save(prompt, file.Folder() / "saved.wl")) std::abort();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.Size()));
}
BENCHMARK(BM_WriteLargeList)->Apply(Sizes)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_DeepCopyLargeList(benchmark::State& state) {
    CWordList list;
    Load(list, Large(state.range(0)).Path());
    for (auto _ : state) {
        CWordList copy(list);
        benchmark::DoNotOptimize(copy.GetCount());
        state.PauseTiming();  // destroying the copy is not part of copying
        { CWordList gone(std::move(copy)); }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeepCopyLargeList)->Apply(Sizes)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

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
    const FileOnDisk& file = Large(state.range(0));
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
    state.counters["peak_per_file_size"] = peakMb / fileMb;  // the aim is at most 3
}
BENCHMARK(BM_ReadLargeListPeakMemory)->Apply(Sizes)->Iterations(1)->Unit(benchmark::kMillisecond);

std::vector<char*> Argv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return argv;
}

int WaitFor(pid_t child, rusage* usage) {
    int status = 0;
    if (::wait4(child, &status, 0, usage) != child || !WIFEXITED(status)) std::abort();
    return WEXITSTATUS(status);
}

// Runs a program with its output thrown away and gives its wall time in seconds.
double TimeProcess(std::vector<std::string> args) {
    std::vector<char*> argv = Argv(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
    if (WaitFor(child, nullptr) != 0) std::abort();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&actions);
    return elapsed.count();
}

// The peak resident size of a program in kilobytes. The kernel carries the peak of the process
// that execs over to the program, so the child first gives back the heap it shares with this
// process and resets its peak, as BM_ReadLargeListPeakMemory does.
long PeakOfProcess(std::vector<std::string> args) {
    std::vector<char*> argv = Argv(args);
    const pid_t child = ::fork();
    if (child == 0) {
        ::malloc_trim(0);
        const int clear = ::open("/proc/self/clear_refs", O_WRONLY);
        if (clear >= 0) {
            if (::write(clear, "5", 1) != 1) _exit(126);
            ::close(clear);
        }
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::execvp(argv[0], argv.data());
        _exit(127);
    }
    rusage usage{};
    if (WaitFor(child, &usage) != 0) std::abort();
    return usage.ru_maxrss;
}

// `pellora-wl check` from start to exit, the list freed as usual before it ends, against
// `wc -l` run on the same file in the same iteration. The other load of the machine hits both,
// so the best of each and their ratio are the figures to compare.
void BM_CheckWholeProcess(benchmark::State& state) {
    const FileOnDisk& file = Large(state.range(0));
    const std::string path = file.Path().string();
    ::malloc_trim(0);
    double bestCheck = 1e9;
    double bestCount = 1e9;
    for (auto _ : state) {
        const double check = TimeProcess({PELLORA_WL_PATH, "check", path});
        const double count = TimeProcess({"wc", "-l", path});
        state.SetIterationTime(check);
        bestCheck = std::min(bestCheck, check);
        bestCount = std::min(bestCount, count);
    }
    const long peakKb = PeakOfProcess({PELLORA_WL_PATH, "check", path});
    const double fileMb = static_cast<double>(file.Size()) / (1 << 20);
    state.counters["check_best_ms"] = bestCheck * 1000;
    state.counters["wc_best_ms"] = bestCount * 1000;
    state.counters["check_per_wc"] = bestCheck / bestCount;  // the aim is at most 25
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024;
    state.counters["peak_per_file_size"] = static_cast<double>(peakKb) / 1024 / fileMb;  // at most 3
}
BENCHMARK(BM_CheckWholeProcess)->Apply(Sizes)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

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
