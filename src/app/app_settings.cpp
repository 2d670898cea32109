#include "app/app_settings.h"

#include <charconv>
#include <new>
#include <string_view>
#include <system_error>

#include "platform/atomic_file.h"
#include "platform/c_runtime.h"
#include "platform/line_reader.h"

namespace {

constexpr std::string_view kFileName = "Pellora.ini";
constexpr std::string_view kFileTag = "_PEL_LORA_INI_FILE_";
constexpr std::string_view kHelpFileName = "HARBORLESSONS.HLP";
constexpr std::string_view kLineEnd = "\r\n";
constexpr double kVersion = 2.04;

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && crt::IsSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && crt::IsSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// A line ends at its first NUL byte, as it always has for this file: no path or flag can hold
// one, and a path cut short there is safer than one that silently means another file.
std::string_view UpToNul(std::string_view line) { return line.substr(0, line.find('\0')); }

int Flag(std::string_view value) { return value == "TRUE" ? 1 : 0; }
const char* FlagText(int flag) { return flag == 1 ? "TRUE" : "FALSE"; }

// The version as "%f" gives it in the C locale, whatever locale the windows have set.
std::string VersionText() {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, kVersion, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

// One "KEY=value" line; keys match exactly, the value is all after the first "=".
void ApplyLine(CAppSettings& settings, std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return;
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (key == "CURRENT_DIR") {
        settings.currentDir = value;
    } else if (key == "CURRENT_FILE") {
        settings.currentFile = value;
    } else if (key == "BGM_FLAG") {
        settings.bgmFlag = Flag(value);
    } else if (key == "BGM_FILE") {
        settings.bgmFile = value;
    } else if (key == "USEHINT") {
        settings.useHint = Flag(value);
    } else if (key == "COMPLETE_MODE") {
        settings.completeMode = Flag(value);
    } else if (key == "TIMELIMIT") {
        settings.timeLimit = crt::Atoi(value);
    }
    // "VERSION" and every other key: nothing to take.
}

}  // namespace

CAppSettings::~CAppSettings() = default;

void CAppSettings::Load(const std::filesystem::path& startupDir) {
    currentDir = ".";
    currentFile = "default.wl";
    bgmFlag = 1;
    bgmFile = "default.mid";
    useHint = 1;
    completeMode = 0;
    timeLimit = 10;
    helpFile = startupDir / kHelpFileName;

    // Anything but a regular file (a pipe, a device) counts as missing: it could hang the start.
    const std::filesystem::path file = startupDir / kFileName;
    std::error_code error;
    CLineReader reader;
    if (std::filesystem::is_regular_file(file, error) && reader.Open(file)) {
        std::string line;
        if (reader.ReadLine(line) && TrimSpace(UpToNul(line)) != kFileTag) {
            // Not our file: the defaults stand, the music file left as the bare name.
            return;
        }
        while (reader.ReadLine(line)) ApplyLine(*this, UpToNul(line));
    }

    if (bgmFile.empty()) return;
    std::filesystem::path music(bgmFile);
    if (music.is_relative()) {
        std::error_code resolveError;
        std::filesystem::path base = std::filesystem::absolute(startupDir, resolveError);
        if (resolveError) {
            bgmFile.clear();
            bgmFlag = 0;
            return;
        }
        music = base / music;
    }
    bgmFile = music.string();
}

void CAppSettings::Save(const std::filesystem::path& startupDir) const {
    std::error_code error;
    // Resolved before moving there, so a relative start-up directory still names the same file.
    std::filesystem::path target = std::filesystem::absolute(startupDir, error) / kFileName;
    if (error) return;
    std::filesystem::current_path(startupDir, error);

    std::string text;
    auto line = [&text](std::string_view key, std::string_view value) {
        text.append(key).append("=").append(value).append(kLineEnd);
    };
    text.append(kFileTag).append(kLineEnd);
    line("CURRENT_DIR", currentDir);
    line("VERSION", VersionText());
    line("CURRENT_FILE", currentFile);
    line("BGM_FLAG", FlagText(bgmFlag));
    line("BGM_FILE", bgmFile);
    line("USEHINT", FlagText(useHint));
    line("COMPLETE_MODE", FlagText(completeMode));
    line("TIMELIMIT", std::to_string(timeLimit));

    CAtomicFileWriter writer;
    if (!writer.Open(target)) return;
    writer.Write(text);
    writer.Commit();  // a failed save keeps the old file, and is not reported
}

void CAppSettings::ReopenRankTable(CPrompt& owner) {
    if (rankTable_) {
        // The table's first owner may be gone; its save error belongs to the window asking now.
        rankTable_->SetOwner(owner);
        rankTable_->Save();
        rankTable_.reset();
    }
    try {
        rankTable_ = std::make_unique<CRankTable>(owner, GetRankFilePath());
    } catch (const std::bad_alloc&) {
        rankTable_.reset();
    }
}

std::filesystem::path CAppSettings::GetRankFilePath() const { return std::filesystem::path(currentFile + "s"); }
