#pragma once
// The program carries its data files (sample word list, background music, help) as resources,
// so a first start in an empty folder has something to work with.
#include <filesystem>
#include <string>
#include <vector>

// True when the folder has never been used by the program: it holds no settings file yet.
bool IsFirstStartIn(const std::filesystem::path& dir);

// Writes each data file that is missing from dir from the program's resources (default.wl,
// default.mid, HARBORLESSONS.HLP). A file that is already there is never overwritten. Returns
// the names written.
std::vector<std::string> ProvideDefaultDataFiles(const std::filesystem::path& dir);
