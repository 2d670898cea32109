#include "record/record_opening.h"

#include <utility>

#include "record/record_store.h"

CRecordOpening::CRecordOpening(const std::filesystem::path& startupDir, Open open) : path_(startupDir / kFileName) {
    if (!open) open = [](const std::filesystem::path& path, CPrompt& prompt) {
        return std::make_unique<CRecordStore>(path, prompt);
    };
    thread_ = std::thread([this, open = std::move(open)] {
        std::unique_ptr<CRecordStore> store;
        try {
            store = open(path_, result_.told);
        } catch (const std::exception&) {
            // No store: the program goes on without a record, as where the folder is gone.
        }
        const std::lock_guard lock(mutex_);
        result_.store = std::move(store);
        open_ = true;
        opened_.notify_all();
        if (ready_) ready_();
    });
}

CRecordOpening::~CRecordOpening() { thread_.join(); }

void CRecordOpening::WhenOpen(std::function<void()> ready) {
    std::unique_lock lock(mutex_);
    if (!open_) {
        ready_ = std::move(ready);
        return;
    }
    lock.unlock();
    if (ready) ready();
}

CRecordOpening::Opened CRecordOpening::Take(CPrompt& owner) {
    std::unique_lock lock(mutex_);
    opened_.wait(lock, [this] { return open_; });
    if (std::exchange(taken_, true)) return {};
    Opened opened = std::move(result_);
    if (opened.store) opened.store->TellThrough(owner);
    return opened;
}

void CRecordOpening::Opened::TellTo(CPrompt& owner) const {
    for (const CRecordingPrompt::Message& message : told.Messages())
        owner.ShowMessage(message.text, message.caption, message.icon, message.buttons, message.defaultButton);
}
