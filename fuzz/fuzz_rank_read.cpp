// Reads arbitrary bytes as a rank file, uses the rankings as the program does, and checks that
// writing them and reading them back is stable.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_work_folder.h"
#include "platform/recording_prompt.h"
#include "score/rank_table.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets the modified flag without changing what is written: an empty ranking is not stored.
void Touch(CRankTable& table) {
    table.SelectList({"\x01untouched"});
    table.ClearCurrentList();
}

std::string SaveAndRead(CRankTable& table) {
    Touch(table);
    if (table.Save() != 1) std::abort();
    return ReadBytes(table.GetPath());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzWorkFolder folder("fuzz-rank");
    const std::filesystem::path path = folder.path / "input.wls";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    CRecordingPrompt prompt;
    CRankTable table(prompt, path);
    int current = 0;
    table.GetListTexts(&current);
    const std::size_t count = table.GetLists().size();
    for (std::size_t i = 0; i < count; ++i) {
        // Selecting the names of a ranking read from the file finds a ranking, never adds one.
        table.SelectList(std::vector<std::string>(table.GetLists()[i]->GetNames()));
        if (table.GetLists().size() != count) std::abort();
        for (int questions : {1, 6, 20, 2147483647}) {
            const int position = table.FindPosition(questions, questions - 1);
            if (position == 0 || position < -1 || position > CRankList::kMaxEntries) std::abort();
        }
    }
    if (!prompt.Messages().empty()) return 0;

    // One save normalizes what the reader forgave (an empty name list becomes "ALL"); after
    // that, reading and writing again must give the very same bytes.
    SaveAndRead(table);
    CRankTable second(prompt, path);
    const std::string again = SaveAndRead(second);
    CRankTable third(prompt, path);
    if (SaveAndRead(third) != again || !prompt.Messages().empty()) std::abort();
    return 0;
}
