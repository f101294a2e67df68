#pragma once
// A thin owner of an SQLite connection and its prepared statements. Every
// failure throws SqliteError carrying SQLite's message, so callers never
// check a return code and a statement is never left half-stepped.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace zaxsim {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }
    // The file is damaged, as opposed to not being a database at all.
    bool IsCorruption() const;

private:
    int code_;
};

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters are numbered from 1, as SQLite numbers them.
    void Bind(int index, int64_t value);
    void Bind(int index, std::string_view text);
    void BindBlob(int index, std::span<const uint8_t> bytes);

    // Advances to the next row: true when there is one.
    bool Step();
    // Steps to the end (for statements without a result) and resets.
    void Run();
    void Reset();

    // Columns are numbered from 0. A NULL is refused: the tables hold none.
    int64_t Int(int column) const;
    std::string Text(int column) const;
    std::vector<uint8_t> Blob(int column) const;
    std::string ColumnName(int column) const;

private:
    void Check(int rc) const;
    void RequireValue(int column) const;
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Database {
public:
    enum class Mode { ReadWrite, ReadWriteCreate, ReadOnly };
    Database(const std::filesystem::path& path, Mode mode);
    // A private database in memory.
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Exec(const std::string& sql);
    // The first column of the first row of a query that yields one.
    int64_t QueryInt(const std::string& sql);
    // A statement prepared once and kept, reset for the caller.
    Statement& Cached(const std::string& sql);
    // Copies every page of `from` into this database (the online backup).
    void CopyFrom(Database& from);

    // Ends the open transaction, if SQLite has not ended it already.
    void RollbackIfActive() noexcept;

    bool ReadOnly() const;
    const std::filesystem::path& path() const { return path_; }
    sqlite3* handle() { return db_; }

private:
    void Open(const std::string& name, int flags);
    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
    std::map<std::string, Statement, std::less<>> cache_;
};

// Runs `work` between BEGIN IMMEDIATE and COMMIT, rolling back when it throws.
template <class Work> void InTransaction(Database& db, Work&& work) {
    db.Exec("BEGIN IMMEDIATE");
    try {
        work();
        db.Exec("COMMIT");
    } catch (...) {
        db.RollbackIfActive();
        throw;
    }
}

} // namespace zaxsim
