#include "record/sqlite_db.h"

#include <sqlite3.h>

CSqliteDb::CSqliteDb(const std::filesystem::path& path, Access access) {
    const int flags = (access == Access::Write ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE : SQLITE_OPEN_READONLY) |
                      SQLITE_OPEN_EXRESCODE;
    const int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        throw CSqliteError(code, message);
    }
    sqlite3_extended_result_codes(db_, 1);
    if (access == Access::Check) sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

CSqliteDb::~CSqliteDb() { sqlite3_close_v2(db_); }

void CSqliteDb::Throw(int code) const { throw CSqliteError(code, sqlite3_errmsg(db_)); }

void CSqliteDb::Execute(const char* sql) {
    const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) Throw(sqlite3_extended_errcode(db_));
}

void CSqliteDb::RollBack() {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::int64_t CSqliteDb::LastInsertId() const { return sqlite3_last_insert_rowid(db_); }

CStatement::CStatement(CSqliteDb& db, const char* sql) : db_(db) {
    const int code = sqlite3_prepare_v3(db.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    if (code != SQLITE_OK) db.Throw(code);
}

CStatement::~CStatement() { sqlite3_finalize(statement_); }

CStatement& CStatement::Bind(int index, std::int64_t value) {
    if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK) db_.Throw(code);
    return *this;
}

CStatement& CStatement::Bind(int index, double value) {
    if (const int code = sqlite3_bind_double(statement_, index, value); code != SQLITE_OK) db_.Throw(code);
    return *this;
}

CStatement& CStatement::BindBlob(int index, std::string_view bytes) {
    // A non-null pointer keeps an empty text an empty BLOB rather than NULL.
    static const char kEmpty = 0;
    const char* data = bytes.empty() ? &kEmpty : bytes.data();
    const int code = sqlite3_bind_blob64(statement_, index, data, bytes.size(), SQLITE_TRANSIENT);
    if (code != SQLITE_OK) db_.Throw(code);
    return *this;
}

CStatement& CStatement::BindText(int index, std::string_view utf8) {
    const int code = sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    if (code != SQLITE_OK) db_.Throw(code);
    return *this;
}

bool CStatement::Step() {
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) return true;
    // A failed step leaves its error on the statement until it is reset.
    sqlite3_reset(statement_);
    if (code != SQLITE_DONE) db_.Throw(code);
    return false;
}

void CStatement::Run() {
    while (Step()) {
    }
}

void CStatement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t CStatement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

double CStatement::Real(int column) const { return sqlite3_column_double(statement_, column); }

std::string_view CStatement::View(int column) const {
    const void* data = sqlite3_column_blob(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string_view();
}

std::string CStatement::Bytes(int column) const { return std::string(View(column)); }

bool CStatement::IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
