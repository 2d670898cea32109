#pragma once
// The learning record opened on a thread of its own at start-up: opening a long record checks
// the whole file for damage, which would otherwise hold up the main window. Nothing else uses
// the store while it is being opened; it is handed over whole to the window that takes it, and
// what the open had to tell the learner (a damaged record set aside, a folder that cannot be
// written, a later program's record) is told then, on the taking thread, as if that window had
// opened the record itself.
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/recording_prompt.h"

class CRecordStore;

class CRecordOpening {
public:
    static constexpr const char* kFileName = "Pellora.db";
    // How the store is opened: the record at path, faults told to prompt.
    using Open = std::function<std::unique_ptr<CRecordStore>(const std::filesystem::path& path, CPrompt& prompt)>;

    // Starts opening the record of the start-up folder.
    explicit CRecordOpening(const std::filesystem::path& startupDir, Open open = {});
    ~CRecordOpening();  // waits for the opening to end
    CRecordOpening(const CRecordOpening&) = delete;
    CRecordOpening& operator=(const CRecordOpening&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // ready is called once the record is open: on the opening's thread, or here and now when it
    // already is. An empty one cancels the call; once this returns, an earlier one is not called.
    void WhenOpen(std::function<void()> ready);

    struct Opened {
        std::unique_ptr<CRecordStore> store;  // null when taken before (or the open failed outright)
        CRecordingPrompt told;                // what the open told, to be told to the taker
        void TellTo(CPrompt& owner) const;
    };
    // Waits for the open and hands the store over; from here on the store tells owner of its faults.
    // Only the first take gets the store and what was told.
    Opened Take(CPrompt& owner);

private:
    std::filesystem::path path_;
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
    bool taken_ = false;
    Opened result_;
    std::function<void()> ready_;
    std::thread thread_;  // last: it starts once the rest is in place
};
