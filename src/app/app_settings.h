#pragma once
// The settings kept between starts in "Pellora.ini" of the start-up directory, with the help
// file path and the rank table of the current word list.
#include <filesystem>
#include <memory>
#include <string>

#include "score/rank_table.h"

class CPrompt;

class CAppSettings {
public:
    CAppSettings() = default;
    CAppSettings(const CAppSettings&) = delete;
    CAppSettings& operator=(const CAppSettings&) = delete;
    ~CAppSettings();  // destroys the rank table without writing it

    // Defaults, then the file "Pellora.ini" in startupDir. Never fails visibly.
    void Load(const std::filesystem::path& startupDir);
    // Makes startupDir the current directory and writes all nine lines. Never fails visibly.
    void Save(const std::filesystem::path& startupDir) const;
    // Saves and drops the old rank table, then opens the one of currentFile + "s".
    void ReopenRankTable(CPrompt& owner);

    std::filesystem::path GetRankFilePath() const;

    // Paths and file names are native bytes (UTF-8 on Linux).
    std::string currentDir = ".";
    std::string currentFile = "default.wl";
    int bgmFlag = 1;
    std::string bgmFile = "default.mid";
    int useHint = 1;
    int completeMode = 0;
    std::filesystem::path helpFile;
    int timeLimit = 10;
    // Not in Pellora.ini: kept among the program's own settings (app/own_settings_io.h).
    int lenientAnswers = 0;  // typed answers compared with width, kana and case folded

    CRankTable* GetRankTable() const { return rankTable_.get(); }

private:
    std::unique_ptr<CRankTable> rankTable_;
};
