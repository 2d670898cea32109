#include "app/word_list_preload.h"

#include "app/app_settings.h"

CWordListPreload::CWordListPreload(const std::filesystem::path& startupDir) {
    // A first start (no settings file yet) is given the sample list only once the folder has
    // been claimed: there is nothing to read before.
    std::error_code error;
    if (!std::filesystem::exists(startupDir / "Pellora.ini", error)) return;
    CAppSettings settings;
    settings.Load(startupDir);
    path_ = settings.currentFile;
    if (path_.empty()) return;
    reading_ = std::async(std::launch::async, [path = path_] {
        CResult result;
        result.loaded = LoadWordList(result.told, result.list, path);
        return result;
    });
}

CWordListPreload::~CWordListPreload() {
    if (reading_.valid()) reading_.wait();
}

std::optional<int> CWordListPreload::Take(const std::string& path, CPrompt& owner, CWordList& list) {
    if (!reading_.valid() || path != path_) return std::nullopt;
    CResult result = reading_.get();
    for (const CRecordingPrompt::Message& message : result.told.Messages())
        owner.ShowMessage(message.text, message.caption, message.icon, message.buttons);
    if (result.loaded) list = std::move(result.list);
    return result.loaded;
}

int CWordListPreload::Load(CWordListPreload* preload, CPrompt& owner, CWordList& list, const std::string& path) {
    const std::optional<int> taken = preload ? preload->Take(path, owner, list) : std::nullopt;
    return taken ? *taken : LoadWordList(owner, list, path);
}
