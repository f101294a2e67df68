// The simulated server's greeting tables, voice-activated dialing and
// homonym flags: what it refuses, what it keeps of a write (its own fields
// stay its own), and persistence.

#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace zaxsim {
namespace {

using zax::GetText;
using zax::SetText;
constexpr zax::ServerStatus Bad = StatusInvalidRecord;

zax::GreetingTableRecord ReadTable(SimConnection& c, int16_t table) {
    zax::GreetingTableRecord r{};
    r.TableNumber = table;
    EXPECT_EQ(c.GetGreetingTable(r), 0);
    return r;
}

TEST(SimGreetings, ATableNumberOutsideOneToFourIsRefused) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    for (int16_t table : {int16_t{0}, int16_t{5}, int16_t{-1}}) {
        SCOPED_TRACE(table);
        zax::GreetingTableRecord r{};
        r.TableNumber = table;
        EXPECT_EQ(conn.GetGreetingTable(r), Bad);
        EXPECT_EQ(conn.SetGreetingTable(r), Bad);
    }
    for (int16_t table = 1; table <= 4; ++table) {
        EXPECT_EQ(ReadTable(conn, table).TableNumber, table);
    }
}

TEST(SimGreetings, RefusesMalformedTablesAndUnknownCcrTrees) {
    using R = zax::GreetingTableRecord;
    const struct {
        const char* what;
        std::function<void(R&)> edit;
        zax::ServerStatus status;
    } cases[] = {
        {"greeting 0", [](R& r) { r.MorningGreeting = 0; }, Bad},
        {"greeting 41", [](R& r) { r.NonBusinessGreeting = 41; }, Bad},
        {"greeting 40", [](R& r) { r.EveningGreeting = 40; }, 0},
        {"short extension", [](R& r) { SetText(r.AttendantExtension, "200"); }, Bad},
        {"letters in the extension", [](R& r) { SetText(r.AttendantExtension, "20a0"); }, Bad},
        {"no extension", [](R& r) { SetText(r.AttendantExtension, ""); }, 0},
        {"hour 24", [](R& r) { r.Hours[6][3].Hour = 24; }, Bad},
        {"minute 60", [](R& r) { r.Hours[0][0].Minute = 60; }, Bad},
        {"speech flag 2", [](R& r) { r.MainPromptCustom = 2; }, Bad},
        {"a tree that does not exist", [](R& r) { r.CcrTree = 3; }, StatusNoSuchCcrTree},
        {"a tree out of range", [](R& r) { r.CcrTree = 9; }, StatusNoSuchCcrTree},
        {"an existing tree", [](R& r) { r.CcrTree = 2; }, 0},
        {"no tree", [](R& r) { r.CcrTree = 0; }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        const zax::GreetingTableRecord before = model.state().greetingTables[1];
        R r = ReadTable(conn, 2);
        c.edit(r);
        EXPECT_EQ(conn.SetGreetingTable(r), c.status);
        if (c.status != 0) {
            EXPECT_EQ(std::memcmp(&model.state().greetingTables[1], &before, sizeof before), 0);
        }
    }
}

// The recorded flags and the trees-defined bytes describe what the server
// holds; a client's copy of them, stale or forged, changes nothing.
TEST(SimGreetings, TheServersOwnFieldsFollowItsPromptsAndTrees) {
    SimState s = MakeDemoState();
    s.srPrompts[{2, static_cast<int16_t>(zax::SrPromptKind::Decline)}] = Blob(8, 1);
    SimModel model(std::move(s));
    SimConnection conn(model, 1);

    zax::GreetingTableRecord r = ReadTable(conn, 2);
    EXPECT_EQ(r.DeclinePromptRecorded, 1);
    EXPECT_EQ(r.MainPromptRecorded, 0);
    EXPECT_EQ(r.PrimaryAaPromptRecorded, 0);
    // Demo trees 1 and 2 exist.
    EXPECT_EQ(std::string(r.CcrTreesDefined, 4), "YY  ");

    r.MainPromptRecorded = 1;
    r.DeclinePromptRecorded = 0;
    r.CcrTreesDefined[2] = 'Y';
    r.CcrTreesDefined[6] = 'Q'; // a byte the client does not use
    r.StandardPrompts = 7;      // any nonzero value means "not used"
    r.LanguagePreference = 3;
    ASSERT_EQ(conn.SetGreetingTable(r), 0);
    const zax::GreetingTableRecord back = ReadTable(conn, 2);
    EXPECT_EQ(back.MainPromptRecorded, 0);
    EXPECT_EQ(back.DeclinePromptRecorded, 1);
    EXPECT_EQ(std::string(back.CcrTreesDefined, 4), "YY  ");
    EXPECT_EQ(back.CcrTreesDefined[6], model.state().greetingTables[1].CcrTreesDefined[6]);
    EXPECT_NE(back.CcrTreesDefined[6], 'Q');
    EXPECT_EQ(back.StandardPrompts, 1);
    EXPECT_EQ(back.LanguagePreference, 1);

    // A prompt arriving later shows at the next read.
    model.mutableState().aaPrompts[{2, 1}] = Blob(4, 2);
    EXPECT_EQ(ReadTable(conn, 2).AlternateAaPromptRecorded, 1);
}

TEST(SimGreetings, VoiceDialingIsAFlag) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    zax::VoiceDialingRecord r{};
    ASSERT_EQ(conn.GetVoiceDialing(r), 0);
    EXPECT_EQ(r.Enabled, 1);
    EXPECT_EQ(conn.SetVoiceDialing({2}), Bad);
    EXPECT_EQ(model.state().voiceDialing.Enabled, 1);
    ASSERT_EQ(conn.SetVoiceDialing({0}), 0);
    ASSERT_EQ(conn.GetVoiceDialing(r), 0);
    EXPECT_EQ(r.Enabled, 0);
}

TEST(SimGreetings, ChangesAreStoredInTheDatabase) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection conn(model, 1);
        zax::GreetingTableRecord r = ReadTable(conn, 3);
        r.Hours[4][2] = {5, 19, 45};
        r.MorningGreeting = 33;
        SetText(r.AttendantExtension, "2010");
        ASSERT_EQ(conn.SetGreetingTable(r), 0);
        ASSERT_EQ(conn.SetVoiceDialing({0}), 0);
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    const zax::GreetingTableRecord& t = loaded.greetingTables[2];
    EXPECT_EQ(t.Hours[4][2].Reserved0, 5); // kept as the client sent it back
    EXPECT_EQ(t.Hours[4][2].Hour, 19);
    EXPECT_EQ(t.Hours[4][2].Minute, 45);
    EXPECT_EQ(t.MorningGreeting, 33);
    EXPECT_EQ(GetText(t.AttendantExtension), "2010");
    EXPECT_EQ(loaded.voiceDialing.Enabled, 0);
}

TEST(SimGreetings, AChangeTheDatabaseRefusesIsUndoneEverywhere) {
    test::ExpectChangeRolledBackWhenRefused("INSERT ON greeting_hours", [](SimConnection& c) {
        zax::GreetingTableRecord r = ReadTable(c, 1);
        r.Hours[0][0].Hour = 6;
        return c.SetGreetingTable(r);
    });
    test::ExpectChangeRolledBackWhenRefused("INSERT ON voice_dialing", [](SimConnection& c) {
        return c.SetVoiceDialing({0});
    });
}

// ---- homonyms ----------------------------------------------------------------------

std::vector<std::string> FlaggedInEnumeration(SimConnection& c) {
    std::vector<std::string> flagged;
    zax::EntrySummary first{};
    if (c.FindFirstEntry(first, 1, 0) != 0)
        return flagged;
    if (first.Homonym)
        flagged.push_back(GetText(first.Number));
    std::vector<zax::EntrySummary> batch(25);
    int16_t count = 0;
    while (c.FindNextEntries(batch, 25, count) == 0 && count > 0)
        for (int16_t i = 0; i < count; ++i)
            if (batch[static_cast<size_t>(i)].Homonym)
                flagged.push_back(GetText(batch[static_cast<size_t>(i)].Number));
    return flagged;
}

zax::MailboxRecord ReadMailbox(SimConnection& c, const char* number) {
    zax::MailboxRecord r{};
    SetText(r.Number, number);
    EXPECT_EQ(c.GetMailbox(r), 0);
    return r;
}

TEST(SimHomonyms, NamesThatSoundAlikeAreFlaggedAsTheyChange) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    SimModel model(StateDatabase::Open(file));
    SimConnection conn(model, 1);
    // Two demo mailboxes share the alias "Tom Baker".
    EXPECT_EQ(FlaggedInEnumeration(conn), (std::vector<std::string>{"2002", "2005"}));

    // Case and punctuation do not tell names apart.
    zax::MailboxRecord chen = ReadMailbox(conn, "2003");
    SetText(chen.ExtendedName, "mary ANDERSON");
    ASSERT_EQ(conn.ChangeMailbox(chen, 0), 0);
    EXPECT_EQ(FlaggedInEnumeration(conn),
              (std::vector<std::string>{"2001", "2002", "2003", "2005"}));

    // One Tom Baker renamed: neither is a homonym any more.
    zax::MailboxRecord tom = ReadMailbox(conn, "2005");
    SetText(tom.Alias, "Bob Baker");
    ASSERT_EQ(conn.ChangeMailbox(tom, 0), 0);
    EXPECT_EQ(FlaggedInEnumeration(conn), (std::vector<std::string>{"2001", "2003"}));

    // A mailbox callers cannot reach by name makes no homonym.
    chen.SpeechDisabled = 1;
    ASSERT_EQ(conn.ChangeMailbox(chen, 0), 0);
    EXPECT_TRUE(FlaggedInEnumeration(conn).empty());
    EXPECT_EQ(ReadMailbox(conn, "2001").Homonym, 0);

    // A name equal to the mailbox's own other name is no homonym either.
    zax::MailboxRecord mary = ReadMailbox(conn, "2001");
    SetText(mary.Alias, "MARY anderson");
    ASSERT_EQ(conn.ChangeMailbox(mary, 0), 0);
    EXPECT_TRUE(FlaggedInEnumeration(conn).empty());

    // A new mailbox with a name in use makes a pair; deleting it clears the other.
    zax::MailboxRecord twin{};
    SetText(twin.Number, "2040");
    SetText(twin.Name, "ANDERSON,MARY");
    SetText(twin.ExtendedName, "Mary Anderson");
    twin.ClassOfService = 1;
    SetText(twin.Extension, "2040");
    twin.FaxRetries = 3;
    twin.FaxInterval = 10;
    twin.OutdialKind = 3;
    ASSERT_EQ(conn.AddMailbox(twin), 0);
    EXPECT_EQ(FlaggedInEnumeration(conn), (std::vector<std::string>{"2001", "2040"}));
    ASSERT_EQ(conn.DeleteMailbox(twin), 0);
    EXPECT_TRUE(FlaggedInEnumeration(conn).empty());
    test::ExpectSameState(model.state(), StateDatabase::Read(file));
}

} // namespace
} // namespace zaxsim
