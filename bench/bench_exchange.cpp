// The large word list (500,000 questions) exchanged with a spreadsheet: exported as a CSV table
// and imported again, each as the command does it, from the list in memory to the bytes of the
// file and from the bytes of the file to the saved word list.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

#include "exchange/csv_encoding.h"
#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "large_word_list.h"
#include "platform/atomic_file.h"
#include "platform/recording_prompt.h"
#include "wordlist/word_list.h"

namespace {

namespace fs = std::filesystem;

const CWordList& LargeLoaded() {
    static const CWordList list = [] {
        CWordList loaded;
        CRecordingPrompt prompt;
        if (!LoadWordList(prompt, loaded, bench::Large().Path())) std::abort();
        return loaded;
    }();
    return list;
}

// The table as the command writes it: piece by piece, converted and written, then flushed to
// the disk so that the file is safe.
void ExportTo(const fs::path& out, CsvEncoding encoding) {
    CAtomicFileWriter file;
    if (!file.Open(out)) std::abort();
    std::string bytes;
    const CsvExport result = ExportCsv(LargeLoaded(), {}, [&](std::string_view piece, std::size_t) {
        if (EncodeCsvPiece(piece, encoding, bytes)) std::abort();
        file.Write(bytes);
        return true;
    });
    if (!result.complete || !file.Commit()) std::abort();
}

// Both encodings a file is written in, timed as wall clock over the process's CPU. At least two
// seconds each, so that the first touch of a fresh list's memory does not make the figure.
void BothEncodings(benchmark::internal::Benchmark* bench) {
    bench->ArgName("encoding")
        ->Arg(static_cast<int>(CsvEncoding::Utf8))
        ->Arg(static_cast<int>(CsvEncoding::Cp932))
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2)
        ->MeasureProcessCPUTime()
        ->UseRealTime();
}

void BM_ExportLargeList(benchmark::State& state) {
    const auto encoding = static_cast<CsvEncoding>(state.range(0));
    const fs::path out = bench::Large().Folder() / "exported.csv";
    for (auto _ : state) ExportTo(out, encoding);
    state.counters["csv_MB"] = static_cast<double>(fs::file_size(out)) / (1 << 20);
}
BENCHMARK(BM_ExportLargeList)->Apply(BothEncodings);

// Importing reads the file and ends with the word list saved as the program saves it.
void BM_ImportLargeList(benchmark::State& state) {
    const auto encoding = static_cast<CsvEncoding>(state.range(0));
    const fs::path csv = bench::Large().Folder() / "import.csv";
    ExportTo(csv, encoding);
    const fs::path out = bench::Large().Folder() / "imported.wl";
    CRecordingPrompt prompt;
    for (auto _ : state) {
        std::string bytes(fs::file_size(csv), '\0');
        std::ifstream(csv, std::ios::binary).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        CWordList list;
        if (!ImportCsv(bytes, CsvEncoding::Auto, list).empty()) std::abort();
        if (!list.Save(prompt, out)) std::abort();
        state.PauseTiming();  // destroying the list is not part of importing
        { CWordList gone(std::move(list)); }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportLargeList)->Apply(BothEncodings);

}  // namespace
