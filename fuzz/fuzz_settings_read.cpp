// Reads arbitrary bytes as the settings file and checks that saving and reading back is stable.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_settings.h"

namespace {

// One start-up folder per process, so that parallel fuzzing jobs never share a file.
struct WorkFolder {
    std::filesystem::path path;
    WorkFolder() {
        // Memory-backed when there is such a folder: every input is saved and synced.
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "fuzz-settings-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

bool Same(const CAppSettings& a, const CAppSettings& b) {
    return a.currentDir == b.currentDir && a.currentFile == b.currentFile && a.bgmFlag == b.bgmFlag &&
           a.bgmFile == b.bgmFile && a.useHint == b.useHint && a.completeMode == b.completeMode &&
           a.helpFile == b.helpFile && a.timeLimit == b.timeLimit;
}

bool IsFlag(int value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static WorkFolder folder;
    {
        std::ofstream out(folder.path / "Pellora.ini", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CAppSettings read;
    read.Load(folder.path);
    if (!IsFlag(read.bgmFlag) || !IsFlag(read.useHint) || !IsFlag(read.completeMode)) std::abort();

    // A foreign file leaves the music file unresolved until the first save; from then on a
    // save and a read must give the same settings back.
    read.Save(folder.path);
    CAppSettings second;
    second.Load(folder.path);
    second.Save(folder.path);
    CAppSettings third;
    third.Load(folder.path);
    if (!Same(second, third)) std::abort();
    return 0;
}
