#pragma once
// The store's open connection, shared by its writing and its reading halves.
#include <cstdint>
#include <memory>

#include "record/record_store.h"
#include "record/sqlite_db.h"

struct CRecordStore::Impl {
    explicit Impl(const std::filesystem::path& path) : db(path, CSqliteDb::Access::Write) {}

    // A statement made on first use and kept for the connection's life.
    CStatement& Cached(std::unique_ptr<CStatement>& slot, const char* sql) {
        if (!slot) slot = std::make_unique<CStatement>(db, sql);
        slot->Reset();
        return *slot;
    }

    CSqliteDb db;
    std::int64_t run = 0;  // the run under way, 0 when none
    std::int64_t answers = 0;  // answers of that run so far
    std::unique_ptr<CStatement> insertRun, insertGenre, endRun, insertAnswer, findQuestion, insertQuestion,
        updateQuestion, readSetting, writeSetting;
};

// Every query answers empty when the record cannot be read: a window over it shows nothing
// rather than fail.
template <typename Read>
auto ReadOrEmpty(CRecordStore::Impl* impl, RecordStatus status, Read read) -> decltype(read(*impl)) {
    if (!impl || status == RecordStatus::NewerVersion) return {};
    try {
        return read(*impl);
    } catch (const std::exception&) {
        return {};
    }
}
