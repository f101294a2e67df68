#include "Sqlite.h"

#include <sqlite3.h>

#include <limits>

namespace zaxsim {

namespace {

[[noreturn]] void Fail(sqlite3* db, int rc, const std::string& context) {
    const char* message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw SqliteError(rc, context + ": " + message);
}

} // namespace

bool SqliteError::IsCorruption() const {
    return (code_ & 0xFF) == SQLITE_CORRUPT;
}

// ---- Statement ------------------------------------------------------------------

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    if (sql.size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        throw SqliteError(SQLITE_TOOBIG, "statement too long");
    const int rc =
        sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        Fail(db_, rc, "cannot prepare \"" + std::string(sql.substr(0, 60)) + "\"");
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

void Statement::Check(int rc) const {
    if (rc != SQLITE_OK)
        Fail(db_, rc, "cannot bind a value");
}

void Statement::Bind(int index, int64_t value) {
    Check(sqlite3_bind_int64(stmt_, index, value));
}

void Statement::Bind(int index, std::string_view text) {
    // SQLITE_TRANSIENT: SQLite copies the text, so the caller's buffer may go.
    Check(
        sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

void Statement::BindBlob(int index, std::span<const uint8_t> bytes) {
    // A zero-length blob, not NULL, for an empty recording.
    static const uint8_t kNothing = 0;
    Check(sqlite3_bind_blob64(stmt_, index, bytes.empty() ? &kNothing : bytes.data(), bytes.size(),
                              SQLITE_TRANSIENT));
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const std::string sql = sqlite3_sql(stmt_);
    sqlite3_reset(stmt_);
    Fail(db_, rc, "\"" + sql.substr(0, 60) + "\" failed");
}

void Statement::Run() {
    while (Step()) {
    }
    Reset();
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void Statement::RequireValue(int column) const {
    if (sqlite3_column_type(stmt_, column) == SQLITE_NULL)
        throw SqliteError(SQLITE_MISMATCH, "column " + ColumnName(column) + " is NULL");
}

int64_t Statement::Int(int column) const {
    RequireValue(column);
    if (sqlite3_column_type(stmt_, column) != SQLITE_INTEGER)
        throw SqliteError(SQLITE_MISMATCH, "column " + ColumnName(column) + " is not an integer");
    return sqlite3_column_int64(stmt_, column);
}

std::string Statement::Text(int column) const {
    RequireValue(column);
    const auto* p = sqlite3_column_text(stmt_, column);
    const int n = sqlite3_column_bytes(stmt_, column);
    return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
}

std::vector<uint8_t> Statement::Blob(int column) const {
    RequireValue(column);
    const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, column));
    const int n = sqlite3_column_bytes(stmt_, column);
    return p ? std::vector<uint8_t>(p, p + n) : std::vector<uint8_t>{};
}

std::string Statement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "?";
}

// ---- Database -------------------------------------------------------------------

Database::Database(const std::filesystem::path& path, Mode mode) : path_(path) {
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case Mode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case Mode::ReadWriteCreate:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    case Mode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    }
    Open(path.string(), flags);
}

Database::Database() : path_(":memory:") {
    Open(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY | SQLITE_OPEN_NOMUTEX);
}

void Database::Open(const std::string& name, int flags) {
    const int rc = sqlite3_open_v2(name.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(rc, "cannot open " + name + ": " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    // Another reader (the sqlite3 shell) may hold a lock for a moment.
    sqlite3_busy_timeout(db_, 2000);
}

Database::~Database() {
    cache_.clear(); // statements first: a connection with live statements cannot close
    sqlite3_close(db_);
}

void Database::Exec(const std::string& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string text = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        throw SqliteError(rc, "\"" + sql.substr(0, 60) + "\" failed: " + text);
    }
}

int64_t Database::QueryInt(const std::string& sql) {
    Statement s(db_, sql);
    if (!s.Step())
        throw SqliteError(SQLITE_ERROR, "\"" + sql + "\" returned nothing");
    return s.Int(0);
}

Statement& Database::Cached(const std::string& sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, Statement(db_, sql)).first;
    it->second.Reset();
    return it->second;
}

void Database::CopyFrom(Database& from) {
    sqlite3_backup* backup = sqlite3_backup_init(db_, "main", from.db_, "main");
    if (!backup)
        Fail(db_, sqlite3_errcode(db_), "cannot copy " + from.path_.string());
    const int rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        Fail(from.db_, rc, "cannot copy " + from.path_.string());
}

void Database::RollbackIfActive() noexcept {
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool Database::ReadOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

} // namespace zaxsim
