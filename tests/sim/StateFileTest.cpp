// State files of the earlier format are imported once into a database. The
// files under data/ were written by the server of that format: the import
// must bring every value across, and a damaged file must be refused, never
// half imported.

#include "StateFile.h"
#include "SameState.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace zaxsim {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using zax::GetText;

constexpr size_t kHeaderSize = 20; // magic, version, length, CRC

const fs::path kData = ZAX_SIM_TEST_DATA;
// The demo office with values a lazy converter would drop or narrow:
// negative and extreme numbers, a text filling its field with no
// terminator, an empty recording, a report holding a NUL, a CCR tree
// without paths, mailboxes with either flag off.
const fs::path kOfficeFile = kData / "office-v1.zaxstate";
// A few entries of every family, small enough to damage every byte of.
const fs::path kSmallFile = kData / "small-v1.zaxstate";

TEST(StateFileImport, ReadsEveryValueTheOfficeFileHeld) {
    const SimState s = ReadStateFile(kOfficeFile);
    EXPECT_EQ(s.mailboxes.size(), 41u);
    EXPECT_EQ(GetText(s.FindMailbox("2002")->Name), "BAKER,THOMAS");
    EXPECT_FALSE(s.mailboxes.at("2003").initialized);
    EXPECT_TRUE(s.mailboxes.at("2003").passwordChanged);
    EXPECT_TRUE(s.mailboxes.at("2002").initialized);
    EXPECT_FALSE(s.mailboxes.at("2002").passwordChanged);
    EXPECT_EQ(s.systemInfo.Reserved6, -2);
    EXPECT_EQ(s.systemInfo.Reserved13, 0xFF);
    EXPECT_EQ(s.voice.Reserved0, INT32_MIN);
    EXPECT_EQ(s.voice.Reserved52[7], 0xA5);
    EXPECT_EQ(s.fax.Reserved0, -32768);
    EXPECT_EQ(s.greetingTables[3].CcrTreesDefined[8], '\x7f');
    EXPECT_EQ(s.greetingTables[2].Hours[6][3].Reserved0, 77);
    EXPECT_EQ(s.capacity.Sites, 12);
    EXPECT_EQ(s.vpimAvailable, 0);
    EXPECT_EQ(s.reports.at(-1), std::string("binary\0text", 11));
    EXPECT_TRUE(s.nameRecordings.at("2010").empty());
    EXPECT_EQ(GetText(s.sites.at("72").TelephoneNumber), std::string(30, '5'));
    EXPECT_TRUE(s.ccrTrees.at(3).empty());
    EXPECT_EQ(s.groupLists.at("9003").members.size(), 14u);
    EXPECT_EQ(s.aaPrompts.at({1, 0}), Blob(16, 0x10));
}

TEST(StateFileImport, TheDatabaseHoldsExactlyWhatTheFileHeld) {
    TempDir dir;
    const SimState file = ReadStateFile(kOfficeFile);
    StateDatabase::Create(dir / "office.db", file);
    test::ExpectSameState(file, StateDatabase::Open(dir / "office.db")->Load());
}

// Rewrites the header's CRC to match a changed body.
void FixChecksum(std::vector<uint8_t>& file) {
    const uint32_t crc = StateFileChecksum(std::span(file).subspan(kHeaderSize));
    for (int i = 0; i < 4; ++i)
        file[16 + static_cast<size_t>(i)] = static_cast<uint8_t>(crc >> (8 * i));
}

TEST(StateFileImport, DamagedFilesAreRefused) {
    const auto good = ReadBytes(kOfficeFile);
    auto changed = [&](auto edit) {
        auto b = good;
        edit(b);
        return b;
    };
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
        {"one byte too many", changed([](auto& b) { b.push_back(0); })},
        {"wrong magic", changed([](auto& b) { b[0] = 'X'; })},
        {"newer version", changed([](auto& b) { b[8] = 2; })},
        {"flipped bit", changed([&](auto& b) { b[good.size() / 3] ^= 0x10; })},
        {"garbage with a valid checksum", changed([](auto& b) {
             std::fill(b.begin() + kHeaderSize, b.end(), uint8_t{0xEE});
             FixChecksum(b);
         })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(DecodeStateFile(c.bytes), std::runtime_error);
    }
    EXPECT_THROW(ReadStateFile(kData / "missing.zaxstate"), std::runtime_error);
}

// A byte overwritten behind a repaired checksum is what a bug in the old
// writer, or a hand-edited file, would produce. Every such file must either
// read as a consistent state or be refused with runtime_error: never read
// past the data (the sanitizer build checks that) or allocate a count the
// data cannot back.
TEST(StateFileImport, CorruptedBytesBehindAValidChecksumAreHandled) {
    const auto good = ReadBytes(kSmallFile);
    ASSERT_NO_THROW(DecodeStateFile(good));
    size_t refused = 0;
    for (size_t at = kHeaderSize; at < good.size(); ++at)
        for (uint8_t value : {uint8_t{0xFF}, uint8_t{0x7F}}) {
            auto bytes = good;
            if (bytes[at] == value)
                continue;
            bytes[at] = value;
            FixChecksum(bytes);
            try {
                SimState s = DecodeStateFile(bytes);
                EXPECT_NO_THROW(ValidateState(s));
            } catch (const std::runtime_error&) {
                ++refused;
            }
        }
    EXPECT_GT(refused, 0u);
}

} // namespace
} // namespace zaxsim
