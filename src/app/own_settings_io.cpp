#include "app/own_settings_io.h"

#include "app/app_settings.h"
#include "app/own_settings.h"

void LoadOwnSettings(CAppSettings& settings, const COwnSettings& store) {
    settings.lenientAnswers = store.GetSetting(kLenientAnswersKey) == "TRUE" ? 1 : 0;
}

void SaveOwnSettings(const CAppSettings& settings, COwnSettings& store) {
    store.SetSetting(kLenientAnswersKey, settings.lenientAnswers == 1 ? "TRUE" : "FALSE");
}
