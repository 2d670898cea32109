#pragma once
// The settings of CAppSettings that live among the program's own settings, not in Pellora.ini.
#include <string_view>

class CAppSettings;
class COwnSettings;

// Key of the flag that judges typed answers kindly; "TRUE" or "FALSE", as Pellora.ini writes flags.
inline constexpr std::string_view kLenientAnswersKey = "LENIENT_ANSWERS";

// Each value from the store, or its default when the store lacks it.
void LoadOwnSettings(CAppSettings& settings, const COwnSettings& store);
void SaveOwnSettings(const CAppSettings& settings, COwnSettings& store);
