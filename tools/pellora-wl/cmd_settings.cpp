// pellora-wl settings: the settings file of the current directory as the program reads it.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/app_settings.h"
#include "command.h"
#include "json_writer.h"

namespace {

int RunSettings(const std::vector<std::string>& args);

const WlCommand kSettings = {
    "settings",
    "show the settings (Pellora.ini) of the current directory as JSON",
    "usage: pellora-wl settings\n"
    "\n"
    "Reads Pellora.ini of the current directory exactly as the program does at start-up\n"
    "(defaults for whatever the file does not set) and prints\n"
    "  {\"current_dir\": S, \"current_file\": S, \"bgm_flag\": 0|1, \"bgm_file\": S, \"use_hint\": 0|1,\n"
    "   \"complete_mode\": 0|1, \"time_limit\": N, \"help_file\": S, \"rank_file\": S}\n"
    "where rank_file is the rank file the current word list would use. Nothing is written.\n",
    RunSettings,
};

std::string Field(const char* key, const std::string& json) { return std::string("\"") + key + "\": " + json; }

int RunSettings(const std::vector<std::string>& args) {
    if (HelpAsked(kSettings, args)) return 0;
    if (!args.empty()) return UsageError(kSettings, "takes no arguments");

    std::error_code error;
    const std::filesystem::path startupDir = std::filesystem::current_path(error);
    if (error) {
        std::fprintf(stderr, "pellora-wl settings: cannot tell the current directory: %s\n", error.message().c_str());
        return 1;
    }
    CAppSettings settings;
    settings.Load(startupDir);

    const std::string out = "{" + Field("current_dir", json::Quote(settings.currentDir)) + ", " +
                            Field("current_file", json::Quote(settings.currentFile)) + ", " +
                            Field("bgm_flag", std::to_string(settings.bgmFlag)) + ", " +
                            Field("bgm_file", json::Quote(settings.bgmFile)) + ", " +
                            Field("use_hint", std::to_string(settings.useHint)) + ", " +
                            Field("complete_mode", std::to_string(settings.completeMode)) + ", " +
                            Field("time_limit", std::to_string(settings.timeLimit)) + ", " +
                            Field("help_file", json::Quote(settings.helpFile.string())) + ", " +
                            Field("rank_file", json::Quote(settings.GetRankFilePath().string())) + "}\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

const bool registered = RegisterCommand(kSettings);

}  // namespace
