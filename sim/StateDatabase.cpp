#include "StateDatabase.h"

#include "StateSchema.h"
#include "StateStatements.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

namespace zaxsim {

namespace fs = std::filesystem;

void columns::Refuse(const Statement& s, int i, const char* why) {
    throw std::runtime_error("column " + s.ColumnName(i) + " is " + why);
}

namespace {

// ---- recognising the file ---------------------------------------------------------

constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};
constexpr std::string_view kStateFileMagic{"ZAXSTATE", 8};

[[noreturn]] void Refuse(const fs::path& path, const std::string& why) {
    throw std::runtime_error(path.string() + ": " + why);
}

// Held for as long as a server serves the database: a second server on the
// same file would answer from a copy of the state that the first one's
// changes never reach. flock is separate from SQLite's own byte-range locks,
// so the sqlite3 shell can still read while the server runs.
int LockExclusively(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        Refuse(path, std::string("cannot open: ") + std::strerror(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        Refuse(path, error == EWOULDBLOCK ? "in use by another zaxsim"
                                          : std::string("cannot lock: ") + std::strerror(error));
    }
    return fd;
}

void SyncPath(const fs::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        Refuse(path, std::string("cannot open to flush: ") + std::strerror(errno));
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        Refuse(path, std::string("cannot flush: ") + std::strerror(error));
}

std::string Text(const std::string& sql, Database& db) {
    Statement s(db.handle(), sql);
    return s.Step() ? s.Text(0) : std::string();
}

// Checks what can be checked before anything is written to the file: that it
// is ours, of a layout this program knows, and undamaged. Returns its version.
int64_t CheckIdentity(Database& db, const fs::path& path) {
    int64_t id = 0;
    try {
        id = db.QueryInt("PRAGMA application_id");
    } catch (const SqliteError& e) {
        Refuse(path, std::string(e.IsCorruption() ? "the database is damaged ("
                                                  : "not a zaxsim state database (") +
                         e.what() + ")");
    }
    if (id != StateApplicationId)
        Refuse(path, "an SQLite database of another program, not a zaxsim state database");
    const int64_t version = db.QueryInt("PRAGMA user_version");
    if (version < 1 || version > CurrentSchemaVersion())
        Refuse(path, "a state database of layout version " + std::to_string(version) +
                         "; this zaxsim reads versions 1 to " +
                         std::to_string(CurrentSchemaVersion()));
    std::string check;
    try {
        check = Text("PRAGMA quick_check", db);
    } catch (const SqliteError& e) {
        check = e.what();
    }
    if (check != "ok")
        Refuse(path, "the database is damaged (" + check + ")");
    return version;
}

} // namespace

StateFileKind DetectStateFile(const fs::path& path) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status))
        return StateFileKind::Missing;
    if (!fs::is_regular_file(status))
        Refuse(path, "not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Refuse(path, "cannot be read");
    std::string head(kSqliteMagic.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    if (head.empty())
        return StateFileKind::Empty;
    if (head == kSqliteMagic)
        return StateFileKind::Database;
    if (head.starts_with(kStateFileMagic))
        return StateFileKind::StateFile;
    return StateFileKind::Unknown;
}

// ---- opening and creating ------------------------------------------------------------

StateDatabase::FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

StateDatabase::StateDatabase(const fs::path& path, Database::Mode mode, FileLock lock)
    : lock_(std::move(lock)), db_(path, mode), name_(path) {}

StateDatabase::~StateDatabase() = default;

std::unique_ptr<StateDatabase> StateDatabase::Open(const fs::path& path) {
    if (DetectStateFile(path) != StateFileKind::Database)
        Refuse(path, "not a zaxsim state database");
    FileLock lock(LockExclusively(path));
    std::unique_ptr<StateDatabase> store(
        new StateDatabase(path, Database::Mode::ReadWrite, std::move(lock)));
    Database& db = store->db_;
    if (db.ReadOnly())
        Refuse(path, "cannot be written");
    const int64_t version = CheckIdentity(db, path);
    try {
        // Each commit is on disk before the server answers.
        if (Text("PRAGMA journal_mode = WAL", db) != "wal")
            Refuse(path, "cannot be switched to write-ahead logging");
        db.Exec("PRAGMA synchronous = FULL");
        db.Exec("PRAGMA foreign_keys = ON");
        if (version < CurrentSchemaVersion())
            InTransaction(db, [&] { MigrateSchema(db, version); });
    } catch (const SqliteError& e) {
        Refuse(path, e.what());
    }
    return store;
}

void StateDatabase::Create(const fs::path& path, const SimState& state) {
    ValidateState(state);
    const auto kind = DetectStateFile(path);
    if (kind != StateFileKind::Missing && kind != StateFileKind::Empty)
        Refuse(path, "already exists");
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string temp = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        Refuse(path, std::string("cannot create a file beside it: ") + std::strerror(errno));
    ::close(fd);
    auto removeTemp = [&temp] {
        std::error_code ec;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            fs::remove(temp + suffix, ec);
    };
    try {
        {
            StateDatabase store(temp, Database::Mode::ReadWrite);
            Database& db = store.db_;
            Text("PRAGMA journal_mode = WAL", db);
            db.Exec("PRAGMA foreign_keys = ON");
            InTransaction(db, [&] {
                MigrateSchema(db, 0);
                store.SaveAll(state);
            });
        } // closing checkpoints the log into the file and removes it
        SyncPath(temp, O_RDONLY);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            Refuse(path, std::string("cannot create: ") + std::strerror(errno));
        SyncPath(dir, O_RDONLY | O_DIRECTORY);
    } catch (const SqliteError& e) {
        removeTemp();
        Refuse(path, std::string("cannot create: ") + e.what());
    } catch (...) {
        removeTemp();
        throw;
    }
}

SimState StateDatabase::Read(const fs::path& path) {
    if (DetectStateFile(path) != StateFileKind::Database)
        Refuse(path, "not a zaxsim state database");
    StateDatabase file(path, Database::Mode::ReadOnly);
    const int64_t version = CheckIdentity(file.db_, path);
    if (version == CurrentSchemaVersion())
        return file.Load();
    // An older layout is brought up to date in a copy in memory.
    StateDatabase copy(":memory:", Database::Mode::ReadWriteCreate);
    copy.name_ = path;
    try {
        copy.db_.CopyFrom(file.db_);
        InTransaction(copy.db_, [&] { MigrateSchema(copy.db_, version); });
    } catch (const SqliteError& e) {
        Refuse(path, e.what());
    }
    return copy.Load();
}

} // namespace zaxsim
