#pragma once
// The simulator's state kept in an SQLite database: one table per kind of
// record (see StateSchema.cpp), recordings as blobs. The database is opened
// in WAL mode with synchronous=FULL, so a transaction that has committed is
// on disk, and survives the process being killed or the machine losing
// power.
//
// The database is the durable copy of the SimState the server answers from:
// the server loads it whole at start-up and then writes only the rows a
// change touched (see StateChange).

#include "SimState.h"
#include "Sqlite.h"

#include <filesystem>
#include <memory>
#include <string>

namespace zaxsim {

// What a path given as the server's state holds, judged by its first bytes.
enum class StateFileKind {
    Missing,   // no such file: the server creates it
    Empty,     // a file of zero bytes: treated as missing
    Database,  // an SQLite database (ours or not: Open tells)
    StateFile, // a state file of the earlier single-file format, to be imported
    Unknown,   // anything else
};
StateFileKind DetectStateFile(const std::filesystem::path& path);

class StateDatabase {
public:
    // Opens an existing state database for the server, upgrading its layout
    // when it is older, and takes an exclusive lock on it for as long as the
    // object lives. Throws std::runtime_error naming the file when it is not
    // a state database, is damaged, newer than this program, not writable or
    // in use by another server; nothing in the file is changed then.
    static std::unique_ptr<StateDatabase> Open(const std::filesystem::path& path);

    // Writes `state` into a new database at `path`, which must not exist or
    // be empty. The database is built beside it under a temporary name and
    // renamed into place, so `path` holds either the whole state or nothing.
    static void Create(const std::filesystem::path& path, const SimState& state);

    // Reads the state of a database without changing anything in it, nor
    // locking out the server that may be running on it (for --dump-state).
    static SimState Read(const std::filesystem::path& path);

    ~StateDatabase();
    StateDatabase(const StateDatabase&) = delete;
    StateDatabase& operator=(const StateDatabase&) = delete;

    // The whole state. Throws std::runtime_error naming the file and table
    // when a row cannot be a record or the state is inconsistent.
    SimState Load();

    // Each makes the rows of one key match `state`: written when the state
    // holds the key, deleted when it does not. Call inside a transaction.
    void SaveSystemInfo(const SimState& state);
    void SaveCapacity(const SimState& state);
    void SaveMailbox(const SimState& state, const std::string& number);
    void SaveGroupList(const SimState& state, const std::string& number);
    void SaveClid(const SimState& state, const std::string& phoneNumber);
    void SaveGreetingTable(const SimState& state, int16_t table);
    void SaveCcrTree(const SimState& state, int16_t tree);
    void SaveLines(const SimState& state);
    void SaveAttendant(const SimState& state);
    void SaveClassOfService(const SimState& state, int16_t number);
    void
    SaveParameters(const SimState& state); // fax, system, operator, dialing, voice, voice dialing
    void SaveTranslation(const SimState& state, const std::string& input);
    void SaveCentrexRestriction(const SimState& state, const std::string& digits);
    void SaveBlockingPeriods(const SimState& state);
    void SaveNetwork(const SimState& state);
    void SaveSite(const SimState& state, const std::string& prefix);
    void SaveReport(const SimState& state, int16_t number);
    void SaveStatistics(const SimState& state); // both usage tables, whole
    void SaveAaPrompt(const SimState& state, PromptKey key);
    void SaveSrPrompt(const SimState& state, PromptKey key);
    void SaveNameRecording(const SimState& state, const std::string& number);

    Database& db() { return db_; }
    const std::filesystem::path& path() const { return name_; }

private:
    // An exclusive flock on the file, released when the server lets go of it.
    class FileLock {
    public:
        FileLock() : fd_(-1) {}
        explicit FileLock(int fd) : fd_(fd) {}
        ~FileLock();
        FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
        FileLock& operator=(FileLock&&) = delete;

    private:
        int fd_;
    };

    StateDatabase(const std::filesystem::path& path, Database::Mode mode, FileLock lock = {});
    void SaveAll(const SimState& state);
    // Declared before the connection, so it is released after it: closing a
    // descriptor of the file would drop SQLite's own locks on it too.
    FileLock lock_;
    Database db_;
    std::filesystem::path name_; // the file, for messages
};

} // namespace zaxsim
