// The state file is written after every change the simulator makes, so a
// bad save must never destroy the last good file, and a damaged file must
// be refused at start-up rather than served.

#include "StateFile.h"
#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zaxsim {
namespace {

namespace fs = std::filesystem;
using test::SameRecord;

constexpr size_t kHeaderSize = 20; // magic, version, length, CRC

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "zaxsim-test-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    fs::path path_;
};

std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// The demo state with a value in every field a lazy encoder might drop or
// narrow: negative shorts, extreme longs, bytes past a field's terminator.
SimState RichState() {
    SimState s = MakeDemoState();
    s.systemInfo.Reserved6 = -2;
    s.systemInfo.Reserved13 = 0xFF;
    s.voice.Reserved0 = INT32_MIN;
    s.voice.Reserved52[7] = 0xA5;
    s.fax.Reserved0 = -32768;
    s.greetingTables[3].CcrTreesDefined[8] = '\x7f';
    s.greetingTables[2].Hours[6][3].Reserved0 = 77;
    s.mailboxes.at("2003").initialized = false;
    s.mailboxes.at("2003").record.Alias[39] = 'Z'; // after the terminator
    s.capacity.Sites = 12;
    s.vpimAvailable = 0;
    s.reports[-1] = std::string("binary\0text", 11);
    s.nameRecordings["2010"] = {};
    return s;
}

template <class T, class Same> void ExpectSameMap(const T& a, const T& b, Same same) {
    ASSERT_EQ(a.size(), b.size());
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        EXPECT_EQ(i->first, j->first);
        EXPECT_TRUE(same(i->second, j->second));
    }
}

template <class R> bool SameArrays(const R& a, const R& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto& x, const auto& y) { return SameRecord(x, y); });
}

TEST(StateFileTest, RoundTripKeepsEveryFamily) {
    TempDir dir;
    const fs::path file = dir.path() / "state.bin";
    const SimState a = RichState();
    SaveState(a, file);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"state.bin"}); // no temporary left over
    const SimState b = LoadState(file);

    EXPECT_TRUE(SameRecord(a.systemInfo, b.systemInfo));
    EXPECT_TRUE(SameRecord(a.capacity, b.capacity));
    EXPECT_EQ(a.vpimAvailable, b.vpimAvailable);
    ExpectSameMap(a.mailboxes, b.mailboxes, [](const Mailbox& x, const Mailbox& y) {
        return SameRecord(x.record, y.record) && x.initialized == y.initialized;
    });
    ExpectSameMap(a.groupLists, b.groupLists, [](const GroupList& x, const GroupList& y) {
        return SameRecord(x.header, y.header) && SameArrays(x.members, y.members);
    });
    ExpectSameMap(a.clid, b.clid, [](const auto& x, const auto& y) { return SameRecord(x, y); });
    EXPECT_TRUE(SameArrays(a.greetingTables, b.greetingTables));
    EXPECT_EQ(a.ccrTrees, b.ccrTrees);
    EXPECT_TRUE(SameArrays(a.lines, b.lines));
    EXPECT_TRUE(SameRecord(a.attendant, b.attendant));
    EXPECT_TRUE(SameArrays(a.classesOfService, b.classesOfService));
    EXPECT_TRUE(SameRecord(a.fax, b.fax));
    EXPECT_TRUE(SameRecord(a.systemParameters, b.systemParameters));
    EXPECT_TRUE(SameRecord(a.operatorSettings, b.operatorSettings));
    EXPECT_TRUE(SameRecord(a.dialing, b.dialing));
    EXPECT_TRUE(SameRecord(a.voice, b.voice));
    EXPECT_TRUE(SameRecord(a.voiceDialing, b.voiceDialing));
    EXPECT_EQ(a.translations, b.translations);
    EXPECT_EQ(a.centrexRestrictions, b.centrexRestrictions);
    EXPECT_TRUE(SameRecord(a.blockingPeriods, b.blockingPeriods));
    EXPECT_TRUE(SameRecord(a.network, b.network));
    ExpectSameMap(a.sites, b.sites, [](const auto& x, const auto& y) { return SameRecord(x, y); });
    EXPECT_EQ(a.reports, b.reports);
    EXPECT_EQ(a.aaPrompts, b.aaPrompts);
    EXPECT_EQ(a.srPrompts, b.srPrompts);
    EXPECT_EQ(a.nameRecordings, b.nameRecordings);

    // Saving what was loaded reproduces the file byte for byte.
    EXPECT_EQ(EncodeState(b), ReadAll(file));
}

TEST(StateFileTest, RecordsAreWrittenFieldByFieldLittleEndianWithoutPadding) {
    const auto bytes = EncodeState(MakeDemoState());
    const uint8_t* body = bytes.data() + kHeaderSize;
    // SystemInfo opens the body: MaxLineNumber 8 as two little-endian bytes.
    EXPECT_EQ(body[0], 8);
    EXPECT_EQ(body[1], 0);
    // In memory MaxOutcallChannels sits at 50 after a pad byte; the file has
    // no pad, so it follows the 31-byte password directly at 49.
    EXPECT_EQ(body[49], 4);
    EXPECT_EQ(body[50], 0);
}

void FixChecksum(std::vector<uint8_t>& file) {
    const uint32_t crc = StateFileChecksum(std::span(file).subspan(kHeaderSize));
    for (int i = 0; i < 4; ++i)
        file[16 + static_cast<size_t>(i)] = static_cast<uint8_t>(crc >> (8 * i));
}

TEST(StateFileTest, DamagedFilesAreRefused) {
    TempDir dir;
    const auto good = EncodeState(MakeDemoState());
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o', '\n'}},
        {"magic only", {good.begin(), good.begin() + 8}},
        {"header only", {good.begin(), good.begin() + kHeaderSize}},
        {"cut in the middle", {good.begin(), good.begin() + static_cast<long>(good.size() / 2)}},
        {"last byte missing", {good.begin(), good.end() - 1}},
        {"one byte too many",
         [&] {
             auto b = good;
             b.push_back(0);
             return b;
         }()},
        {"wrong magic",
         [&] {
             auto b = good;
             b[0] = 'X';
             return b;
         }()},
        {"newer version",
         [&] {
             auto b = good;
             b[8] = 2;
             return b;
         }()},
        {"flipped bit",
         [&] {
             auto b = good;
             b[good.size() / 3] ^= 0x10;
             return b;
         }()},
        {"garbage with a valid checksum",
         [&] {
             auto b = good;
             std::fill(b.begin() + kHeaderSize, b.end(), uint8_t{0xEE});
             FixChecksum(b);
             return b;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path file = dir.path() / "state.bin";
        WriteAll(file, c.bytes);
        EXPECT_THROW(LoadState(file), std::runtime_error);
    }
    EXPECT_THROW(LoadState(dir.path() / "missing.bin"), std::runtime_error);
}

// A byte overwritten behind a repaired checksum is what a bug in another
// writer, or a hand-edited file, would produce. Every such file must either
// load as a consistent state or be refused with runtime_error: never read
// past the data (the sanitizer build checks that) or allocate a count the
// data cannot back.
// Keeps a few entries of every family, so that every byte of the file can be tried.
template <class Map> void KeepFirst(Map& m, size_t n) {
    while (m.size() > n)
        m.erase(std::prev(m.end()));
}

TEST(StateFileTest, CorruptedBytesBehindAValidChecksumAreHandled) {
    SimState small = MakeDemoState();
    KeepFirst(small.mailboxes, 3);
    KeepFirst(small.groupLists, 2);
    small.groupLists.begin()->second.members.resize(2);
    KeepFirst(small.clid, 2);
    KeepFirst(small.translations, 2);
    KeepFirst(small.centrexRestrictions, 2);
    KeepFirst(small.sites, 2);
    KeepFirst(small.nameRecordings, 2);
    small.reports = {{1, "DIRECTORY"}, {2, "INFO"}};
    for (auto* prompts : {&small.aaPrompts, &small.srPrompts})
        for (auto& [key, blob] : *prompts)
            blob.resize(3);
    for (auto& [key, blob] : small.nameRecordings)
        blob.resize(2);
    const auto good = EncodeState(small);
    size_t refused = 0;
    for (size_t at = kHeaderSize; at < good.size(); ++at)
        for (uint8_t value : {uint8_t{0xFF}, uint8_t{0x7F}}) {
            auto bytes = good;
            if (bytes[at] == value)
                continue;
            bytes[at] = value;
            FixChecksum(bytes);
            try {
                SimState s = DecodeState(bytes);
                EXPECT_NO_THROW(ValidateState(s));
            } catch (const std::runtime_error&) {
                ++refused;
            }
        }
    EXPECT_GT(refused, 0u);
}

TEST(StateFileTest, SaveReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    const fs::path file = dir.path() / "state.bin";
    WriteAll(file, {'o', 'l', 'd'});
    ::chmod(file.c_str(), 0640);
    SaveState(MakeDemoState(), file);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_NO_THROW(LoadState(file));
}

class FailedSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = dir_.path() / "state.bin";
        SaveState(MakeDemoState(), file_);
        before_ = ReadAll(file_);
    }
    // The old file is byte for byte what it was, and nothing else is left.
    void ExpectOldFileIntact() {
        EXPECT_EQ(ReadAll(file_), before_);
        EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"state.bin"});
    }
    TempDir dir_;
    fs::path file_;
    std::vector<uint8_t> before_;
};

TEST_F(FailedSaveTest, WriteFailureLeavesTheOldFile) {
    // A file-size limit makes the write fail part way, as a full disk would,
    // and works even for a privileged user.
    SimState changed = MakeDemoState();
    changed.systemInfo.MaxPoolNumber = 3;
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(SaveState(changed, file_), std::runtime_error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ExpectOldFileIntact();
}

TEST_F(FailedSaveTest, UnwritableDirectoryLeavesTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "directory permissions do not bind a privileged user";
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(SaveState(MakeDemoState(), file_), std::runtime_error);
    fs::permissions(dir_.path(), fs::perms::owner_all);
    ExpectOldFileIntact();
}

TEST_F(FailedSaveTest, AStateThatWouldNotLoadIsNotWritten) {
    SimState broken = MakeDemoState();
    broken.lines.resize(3);
    EXPECT_THROW(SaveState(broken, file_), std::runtime_error);
    ExpectOldFileIntact();
}

TEST(StateFileTest, SaveIntoAMissingDirectoryFails) {
    TempDir dir;
    EXPECT_THROW(SaveState(MakeDemoState(), dir.path() / "no" / "state.bin"), std::runtime_error);
    EXPECT_TRUE(dir.Entries().empty());
}

} // namespace
} // namespace zaxsim
