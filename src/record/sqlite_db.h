#pragma once
// A thin owner of an SQLite connection and its prepared statements. Every failure throws
// CSqliteError with SQLite's result code, so that callers decide once what a fault means.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class CSqliteError : public std::runtime_error {
public:
    CSqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int Code() const { return code_; }         // the extended result code
    int PrimaryCode() const { return code_ & 0xFF; }

private:
    int code_;
};

class CSqliteDb {
public:
    enum class Access {
        Write,  // read-write, created when missing
        Check,  // read-only, and a journal beside the file is left as it is on closing
    };
    // Throws on failure.
    CSqliteDb(const std::filesystem::path& path, Access access);
    ~CSqliteDb();
    CSqliteDb(const CSqliteDb&) = delete;
    CSqliteDb& operator=(const CSqliteDb&) = delete;

    void Execute(const char* sql);  // statements without parameters or results
    std::int64_t LastInsertId() const;
    void RollBack();  // ends an open transaction, if any, without its changes
    sqlite3* Handle() const { return db_; }
    [[noreturn]] void Throw(int code) const;

private:
    sqlite3* db_ = nullptr;
};

class CStatement {
public:
    CStatement(CSqliteDb& db, const char* sql);
    ~CStatement();
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    // Parameters count from 1. Texts are bound as BLOBs: the bytes come back as they went in.
    CStatement& Bind(int index, std::int64_t value);
    CStatement& Bind(int index, double value);
    CStatement& BindBlob(int index, std::string_view bytes);
    CStatement& BindText(int index, std::string_view utf8);
    // True while a row is there; false when done (and then the statement is reset).
    bool Step();
    void Run();  // Step until done
    void Reset();

    std::int64_t Int(int column) const;
    double Real(int column) const;
    std::string Bytes(int column) const;  // BLOB or TEXT
    std::string_view View(int column) const;  // valid until the next Step
    bool IsNull(int column) const;

private:
    CSqliteDb& db_;
    sqlite3_stmt* statement_ = nullptr;
};
