// Reads arbitrary bytes as the settings file and checks that saving and reading back is stable.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_settings.h"
#include "fuzz_work_folder.h"

namespace {

bool Same(const CAppSettings& a, const CAppSettings& b) {
    return a.currentDir == b.currentDir && a.currentFile == b.currentFile && a.bgmFlag == b.bgmFlag &&
           a.bgmFile == b.bgmFile && a.useHint == b.useHint && a.completeMode == b.completeMode &&
           a.helpFile == b.helpFile && a.timeLimit == b.timeLimit;
}

bool IsFlag(int value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzWorkFolder folder("fuzz-settings");
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
