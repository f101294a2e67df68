// The state database: every field of every record comes back as it was
// stored, and a file that is not a sound state database of ours is refused
// at start-up, naming the file, without a byte of it being changed.

#include "StateDatabase.h"
#include "SameState.h"
#include "StateFile.h"
#include "StateSchema.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <concepts>
#include <functional>
#include <random>
#include <type_traits>

namespace zaxsim {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using zax::SetText;

// Puts a random value into every field it visits: numbers over their whole
// range, text of any length up to the whole field (no terminator) in bytes
// 1 to 255, reserved byte arrays, and the nested tables of records.
class Scrambler {
public:
    template <std::integral T> void operator()(T& v) { v = static_cast<T>(rng_()); }
    template <size_t N> void operator()(char (&v)[N]) {
        const size_t length = rng_() % (N + 1);
        std::fill(v, v + N, '\0');
        for (size_t i = 0; i < length; ++i)
            v[i] = static_cast<char>(1 + rng_() % 255);
    }
    template <size_t N> void operator()(uint8_t (&v)[N]) {
        for (auto& b : v)
            b = static_cast<uint8_t>(rng_());
    }
    template <class T, size_t N> void operator()(T (&a)[N]) {
        for (auto& e : a)
            (*this)(e);
    }
    template <class R>
    requires std::is_class_v<R>
    void operator()(R& r) { VisitFields(r, *this); }

    bool Flag() { return rng_() % 2 != 0; }
    Blob Bytes(size_t n) {
        Blob b(n);
        for (auto& x : b)
            x = static_cast<uint8_t>(rng_());
        return b;
    }

private:
    std::mt19937 rng_{20240611};
};

// The demo office with every field scrambled except those the state's own
// consistency rests on: keys, table and class numbers, the line count.
SimState ScrambledState() {
    SimState s = MakeDemoState();
    Scrambler x;
    const zax::SystemInfo si = s.systemInfo;
    x(s.systemInfo);
    s.systemInfo.ExtensionLength = si.ExtensionLength;
    s.systemInfo.MaxLineNumber = si.MaxLineNumber;
    s.systemInfo.MaxPoolNumber = si.MaxPoolNumber;
    x(s.capacity);
    x(s.vpimAvailable);
    for (auto& [number, m] : s.mailboxes) {
        x(m.record);
        SetText(m.record.Number, number);
        m.initialized = x.Flag();
        m.passwordChanged = x.Flag();
        m.systemMailbox = x.Flag();
    }
    for (auto& [number, g] : s.groupLists) {
        // A list's own record carries only its number, name and kind.
        x(g.header.ListName);
        x(g.header.Kind);
        for (auto& member : g.members) {
            x(member);
            SetText(member.ListNumber, number);
        }
    }
    for (auto& [phone, e] : s.clid) {
        x(e);
        SetText(e.PhoneNumber, phone);
    }
    for (auto& g : s.greetingTables) {
        const int16_t number = g.TableNumber;
        x(g);
        g.TableNumber = number;
    }
    for (auto& l : s.lines)
        x(l);
    for (auto& c : s.classesOfService) {
        const int16_t number = c.ClassNumber;
        x(c);
        c.ClassNumber = number;
    }
    x(s.attendant);
    x(s.fax);
    x(s.systemParameters);
    x(s.operatorSettings);
    x(s.dialing);
    x(s.voice);
    x(s.voiceDialing);
    x(s.blockingPeriods);
    x(s.network);
    for (auto& [prefix, site] : s.sites) {
        x(site);
        SetText(site.SitePrefix, prefix);
    }
    s.reports[3] = std::string("a\0b\xff", 4);
    for (auto* prompts : {&s.aaPrompts, &s.srPrompts})
        for (auto& [key, blob] : *prompts)
            blob = x.Bytes(blob.size());
    s.nameRecordings["2010"] = {};
    return s;
}

TEST(StateDatabase, EveryFieldOfEveryRecordComesBackAsStored) {
    TempDir dir;
    const SimState stored = ScrambledState();
    StateDatabase::Create(dir / "state.db", stored);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"state.db"}); // nothing else left behind
    test::ExpectSameState(stored, StateDatabase::Open(dir / "state.db")->Load());
    test::ExpectSameState(stored, StateDatabase::Read(dir / "state.db"));
}

void Sql(const fs::path& file, const std::string& sql) {
    Database db(file, Database::Mode::ReadWriteCreate);
    db.Exec(sql);
}

TEST(StateDatabase, FilesThatAreNotASoundStateDatabaseAreRefusedUntouched) {
    const struct {
        const char* what;
        std::function<void(const fs::path&)> make;
        const char* reason;
    } cases[] = {
        {"random bytes", [](const fs::path& f) { WriteBytes(f, Scrambler().Bytes(8192)); },
         "not a zaxsim state database"},
        {"a state database cut in half",
         [](const fs::path& f) {
             StateDatabase::Create(f, MakeDemoState());
             fs::resize_file(f, fs::file_size(f) / 2);
         },
         "damaged"},
        {"a state database with a table page overwritten",
         [](const fs::path& f) {
             // Page 2 holds the first table. (SQLite keeps no checksums, so
             // damage inside a recording's bytes could not be told.)
             StateDatabase::Create(f, MakeDemoState());
             auto bytes = ReadBytes(f);
             std::fill(bytes.begin() + 4096, bytes.begin() + 2 * 4096, 0x5A);
             WriteBytes(f, bytes);
         },
         "damaged"},
        {"an SQLite database of another program",
         [](const fs::path& f) { Sql(f, "CREATE TABLE mailboxes (Number TEXT)"); },
         "another program"},
        {"a state database of a newer layout",
         [](const fs::path& f) {
             StateDatabase::Create(f, MakeDemoState());
             Sql(f, "PRAGMA user_version = " + std::to_string(CurrentSchemaVersion() + 1));
         },
         "layout version"},
        {"our id without tables",
         [](const fs::path& f) {
             Sql(f, "PRAGMA application_id = " + std::to_string(StateApplicationId));
         },
         "layout version 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path file = dir / "state.db";
        c.make(file);
        const auto before = ReadBytes(file);
        try {
            StateDatabase::Open(file);
            ADD_FAILURE() << "opened";
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(file.string()), std::string::npos) << message;
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
        EXPECT_THROW(StateDatabase::Read(file), std::runtime_error);
        EXPECT_EQ(ReadBytes(file), before);
    }
}

TEST(StateDatabase, CreateMakesTheWholeDatabaseOrNothing) {
    TempDir dir;
    WriteBytes(dir / "taken.db", {'x'});
    EXPECT_THROW(StateDatabase::Create(dir / "taken.db", MakeDemoState()), std::runtime_error);
    EXPECT_EQ(ReadBytes(dir / "taken.db"), std::vector<uint8_t>{'x'});

    EXPECT_THROW(StateDatabase::Create(dir / "no" / "state.db", MakeDemoState()),
                 std::runtime_error);

    SimState inconsistent = MakeDemoState();
    inconsistent.lines.resize(3);
    EXPECT_THROW(StateDatabase::Create(dir / "bad.db", inconsistent), std::runtime_error);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"taken.db"});

    WriteBytes(dir / "empty.db", {}); // an empty file is as good as none
    StateDatabase::Create(dir / "empty.db", MakeDemoState());
    EXPECT_EQ(StateDatabase::Open(dir / "empty.db")->Load().mailboxes.size(),
              MakeDemoState().mailboxes.size());
}

const fs::path kData = ZAX_SIM_TEST_DATA;

// A database of the first layout, as the server of that time wrote it when
// it imported office-v1.zaxstate.
TEST(StateDatabase, ADatabaseOfTheFirstLayoutIsUpgradedWhenOpened) {
    TempDir dir;
    const fs::path file = dir / "state.db";
    fs::copy_file(kData / "office-v1.db", file);
    const auto before = ReadBytes(file);
    const SimState expected = ReadStateFile(kData / "office-v1.zaxstate");

    // Read for a dump: upgraded in memory, the file left as it was.
    test::ExpectSameState(expected, StateDatabase::Read(file));
    EXPECT_EQ(ReadBytes(file), before);

    const SimState opened = StateDatabase::Open(file)->Load();
    test::ExpectSameState(expected, opened);
    for (const auto& [number, m] : opened.mailboxes)
        EXPECT_EQ(m.systemMailbox, number == "1000" || number == "1001") << number;
    Database db(file, Database::Mode::ReadOnly);
    EXPECT_EQ(db.QueryInt("PRAGMA user_version"), CurrentSchemaVersion());
}

TEST(StateDatabase, OneServerAtATimeButReadersMayLook) {
    TempDir dir;
    StateDatabase::Create(dir / "state.db", MakeDemoState());
    auto first = StateDatabase::Open(dir / "state.db");
    try {
        StateDatabase::Open(dir / "state.db");
        ADD_FAILURE() << "a second server opened the database";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("in use"), std::string::npos) << e.what();
    }
    EXPECT_EQ(StateDatabase::Read(dir / "state.db").mailboxes.size(),
              first->Load().mailboxes.size());
    first.reset();
    EXPECT_NO_THROW(StateDatabase::Open(dir / "state.db"));
}

} // namespace
} // namespace zaxsim
