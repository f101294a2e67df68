// The simulated server's operator settings, fax and system parameters: what
// it refuses, what it keeps of a write, the leading digit that conflicts with
// mailboxes, what GetSystemInfo then reports, and persistence.

#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zaxsim {
namespace {

using zax::GetText;
using zax::SetText;
constexpr zax::ServerStatus Bad = StatusInvalidRecord;

template <class R> R Read(SimConnection& c, zax::ServerStatus (SimConnection::*get)(R&)) {
    R r{};
    EXPECT_EQ((c.*get)(r), 0);
    return r;
}
zax::OperatorSettings ReadOperator(SimConnection& c) {
    return Read(c, &SimConnection::GetOperatorSettings);
}
zax::FaxParameters ReadFax(SimConnection& c) {
    return Read(c, &SimConnection::GetFaxParameters);
}
zax::SystemParameters ReadSystem(SimConnection& c) {
    return Read(c, &SimConnection::GetSystemParameters);
}

// The demo office numbered with three digits: mailboxes 100, 200 and 901,
// group lists disabled.
SimState ThreeDigitOffice() {
    SimState s = MakeDemoState();
    s.systemInfo.ExtensionLength = 3;
    s.mailboxes.clear();
    s.groupLists.clear();
    s.clid.clear();
    s.nameRecordings.clear();
    for (const char* number : {"100", "200", "901"}) {
        Mailbox m;
        SetText(m.record.Number, number);
        SetText(m.record.Name, std::string("BOX") + number);
        m.record.ClassOfService = 1;
        s.mailboxes.emplace(number, m);
    }
    s.systemParameters.GroupListsEnabled = 0;
    s.systemParameters.GroupListLeadingDigit = 0;
    MirrorSystemParameters(s.systemParameters, s.systemInfo);
    return s;
}

// Each case edits what was read and writes it back; a refused write leaves
// the state exactly as it was.
template <class R> struct WriteCase {
    const char* what;
    std::function<void(R&)> edit;
    zax::ServerStatus expected;
};

template <class R>
void RunWriteCases(std::initializer_list<WriteCase<R>> cases,
                   zax::ServerStatus (SimConnection::*get)(R&),
                   zax::ServerStatus (SimConnection::*set)(const R&)) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        R r = Read(conn, get);
        c.edit(r);
        EXPECT_EQ((conn.*set)(r), c.expected);
        if (c.expected != 0)
            test::ExpectSameState(MakeDemoState(), model.state());
    }
}

TEST(SimOperatorSettings, SetRefusesWhatTheServerCannotStore) {
    using R = zax::OperatorSettings;
    RunWriteCases<R>(
        {
            {"unchanged", [](R&) {}, 0},
            {"no attendant extension", [](R& r) { SetText(r.AttendantExtension, ""); }, 0},
            {"reset requested", [](R& r) { r.ResetOperatorPassword = 1; }, 0},
            {"extension too short", [](R& r) { SetText(r.AttendantExtension, "200"); }, Bad},
            {"extension too long", [](R& r) { SetText(r.AttendantExtension, "20000"); }, Bad},
            {"extension with a letter", [](R& r) { SetText(r.AttendantExtension, "20A0"); }, Bad},
            {"available 2", [](R& r) { r.AttendantAvailable = 2; }, Bad},
            {"business open 255", [](R& r) { r.BusinessOpen = 255; }, Bad},
            {"answer lines 2", [](R& r) { r.AnswerLines = 2; }, Bad},
            {"reset 2", [](R& r) { r.ResetOperatorPassword = 2; }, Bad},
        },
        &SimConnection::GetOperatorSettings, &SimConnection::SetOperatorSettings);
}

TEST(SimOperatorSettings, TheResetRequestIsActedOnAndReadsBackAsZero) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    zax::OperatorSettings r = ReadOperator(conn);
    r.AttendantAvailable = 0;
    r.ResetOperatorPassword = 1;
    SetText(r.AttendantExtension, "2001");
    ASSERT_EQ(conn.SetOperatorSettings(r), 0);
    const zax::OperatorSettings again = ReadOperator(conn);
    EXPECT_EQ(again.ResetOperatorPassword, 0);
    EXPECT_EQ(again.AttendantAvailable, 0);
    EXPECT_EQ(GetText(again.AttendantExtension), "2001");
}

TEST(SimFaxParameters, SetRefusesWhatTheServerCannotStore) {
    using R = zax::FaxParameters;
    RunWriteCases<R>(
        {
            {"unchanged", [](R&) {}, 0},
            {"no extension and no name",
             [](R& r) {
                 SetText(r.SystemFaxExtension, "");
                 SetText(r.SystemFaxName, "");
             },
             0},
            {"name of 16 name characters",
             [](R& r) { SetText(r.SystemFaxName, "O'BRIEN,FAX-2_AB"); }, 0},
            {"retries 1, interval 60",
             [](R& r) {
                 r.Retries = 1;
                 r.Interval = 60;
             },
             0},
            {"the server's own fields",
             [](R& r) {
                 r.Reserved0 = -7;
                 r.Reserved2 = 9;
             },
             0},
            {"name with a space", [](R& r) { SetText(r.SystemFaxName, "MAIN FAX"); }, Bad},
            {"name of 17", [](R& r) { SetText(r.SystemFaxName, "ABCDEFGHIJKLMNOPQ"); }, Bad},
            {"extension of 3", [](R& r) { SetText(r.SystemFaxExtension, "320"); }, Bad},
            {"retries 0", [](R& r) { r.Retries = 0; }, Bad},
            {"retries 100", [](R& r) { r.Retries = 100; }, Bad},
            {"interval 0", [](R& r) { r.Interval = 0; }, Bad},
            {"interval 61", [](R& r) { r.Interval = 61; }, Bad},
        },
        &SimConnection::GetFaxParameters, &SimConnection::SetFaxParameters);
}

TEST(SimFaxParameters, TheRecordIsKeptAsSentTheServersFieldsToo) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    zax::FaxParameters r = ReadFax(conn);
    EXPECT_EQ(r.Reserved0, 1);
    EXPECT_EQ(r.Reserved3, 1);
    r.Reserved0 = 0; // a client that does not send them back as read
    SetText(r.SystemFaxName, "ORDERS");
    ASSERT_EQ(conn.SetFaxParameters(r), 0);
    const zax::FaxParameters again = ReadFax(conn);
    EXPECT_EQ(again.Reserved0, 0);
    EXPECT_EQ(GetText(again.SystemFaxName), "ORDERS");
}

TEST(SimSystemParameters, SetRefusesWhatTheServerCannotStore) {
    using R = zax::SystemParameters;
    RunWriteCases<R>(
        {
            {"unchanged", [](R&) {}, 0},
            {"channels at the system's maximum", [](R& r) { r.OutcallingChannels = 4; }, 0},
            {"group lists off with digit 0",
             [](R& r) {
                 r.GroupListsEnabled = 0;
                 r.GroupListLeadingDigit = 0;
             },
             0},
            {"not bilingual, one language",
             [](R& r) {
                 r.Bilingual = 0;
                 r.SecondaryLanguage = 0;
             },
             0},
            {"languages swapped",
             [](R& r) {
                 r.PrimaryLanguage = 2;
                 r.SecondaryLanguage = 1;
             },
             0},
            {"channels 0", [](R& r) { r.OutcallingChannels = 0; }, Bad},
            {"channels above the maximum", [](R& r) { r.OutcallingChannels = 5; }, Bad},
            {"group lists on with digit 0", [](R& r) { r.GroupListLeadingDigit = 0; }, Bad},
            {"digit 10", [](R& r) { r.GroupListLeadingDigit = 10; }, Bad},
            {"search code 3", [](R& r) { r.DirectorySearch = 3; }, Bad},
            {"voice mail 2", [](R& r) { r.VoiceMailEnabled = 2; }, Bad},
            {"redirect DN 2", [](R& r) { r.RedirectDn = 2; }, Bad},
            {"reset 2", [](R& r) { r.ResetAdminPassword = 2; }, Bad},
            {"language 4", [](R& r) { r.PrimaryLanguage = 4; }, Bad},
            {"bilingual in one language", [](R& r) { r.SecondaryLanguage = 1; }, Bad},
            {"bilingual without a second", [](R& r) { r.SecondaryLanguage = 0; }, Bad},
        },
        &SimConnection::GetSystemParameters, &SimConnection::SetSystemParameters);
}

// Mailbox 901 begins with 9: group lists may not take 9 while it exists.
TEST(SimSystemParameters, ALeadingDigitMailboxesBeginWithIsAlreadyTaken) {
    const struct {
        uint8_t enabled, digit;
        zax::ServerStatus expected;
    } cases[] = {
        {1, 9, StatusAlreadyExists},
        {1, 1, StatusAlreadyExists},
        {1, 8, 0},
        {0, 0, 0},
        {0, 9, 0}, // disabled: no digit is in use
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.enabled) + "/" + std::to_string(c.digit));
        SimModel model(ThreeDigitOffice());
        SimConnection conn(model, 1);
        zax::SystemParameters r = ReadSystem(conn);
        r.GroupListsEnabled = c.enabled;
        r.GroupListLeadingDigit = c.digit;
        EXPECT_EQ(conn.SetSystemParameters(r), c.expected);
        EXPECT_EQ(model.state().systemParameters.GroupListsEnabled,
                  c.expected == 0 ? c.enabled : 0);
    }
}

// A client reads the system information once, at log-in: after a change it
// sees the new flags when it connects again.
TEST(SimSystemParameters, AChangeIsWhatTheNextLogInReads) {
    SimModel model(ThreeDigitOffice());
    {
        SimConnection admin(model, 1);
        zax::SystemInfo before{};
        ASSERT_EQ(admin.GetSystemInfo(before), 0);
        EXPECT_EQ(before.GroupListsEnabled, 0);
        zax::SystemParameters r = ReadSystem(admin);
        r.GroupListsEnabled = 1;
        r.GroupListLeadingDigit = 8;
        r.Bilingual = 0;
        ASSERT_EQ(admin.SetSystemParameters(r), 0);
    }
    SimConnection later(model, 2);
    zax::SystemInfo info{};
    ASSERT_EQ(later.GetSystemInfo(info), 0);
    EXPECT_EQ(info.GroupListsEnabled, 1);
    EXPECT_EQ(info.Reserved13, 8); // the leading digit
    EXPECT_EQ(info.Reserved14, 0); // bilingual
    EXPECT_EQ(GetText(info.AdminPassword), "1234");
}

TEST(SimSystemParameters, TheVersionStaysTheServersAndAResetRestoresThePassword) {
    SimState s = MakeDemoState();
    SetText(s.systemInfo.AdminPassword, "secret");
    SimModel model(std::move(s));
    SimConnection conn(model, 1);
    zax::SystemParameters r = ReadSystem(conn);
    SetText(r.VoiceMailVersion, ""); // the client sends zeros
    r.ResetAdminPassword = 1;
    ASSERT_EQ(conn.SetSystemParameters(r), 0);
    const zax::SystemParameters again = ReadSystem(conn);
    EXPECT_EQ(GetText(again.VoiceMailVersion), "ZAX 4.3.0 (simulated)");
    EXPECT_EQ(again.ResetAdminPassword, 0);
    EXPECT_EQ(GetText(model.state().systemInfo.AdminPassword), DefaultAdminPassword);
    // Without the request the password stays whatever it is.
    SimState other = MakeDemoState();
    SetText(other.systemInfo.AdminPassword, "secret");
    SimModel kept(std::move(other));
    SimConnection c2(kept, 1);
    ASSERT_EQ(c2.SetSystemParameters(ReadSystem(c2)), 0);
    EXPECT_EQ(GetText(kept.state().systemInfo.AdminPassword), "secret");
}

TEST(SimParameters, ChangesAreStoredInTheDatabase) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection conn(model, 1);
        zax::OperatorSettings op = ReadOperator(conn);
        SetText(op.AttendantExtension, "2013");
        ASSERT_EQ(conn.SetOperatorSettings(op), 0);
        zax::FaxParameters fax = ReadFax(conn);
        fax.Interval = 45;
        ASSERT_EQ(conn.SetFaxParameters(fax), 0);
        zax::SystemParameters sys = ReadSystem(conn);
        sys.GroupListsEnabled = 0;
        sys.GroupListLeadingDigit = 0;
        sys.PrimaryLanguage = 2;
        sys.SecondaryLanguage = 1;
        ASSERT_EQ(conn.SetSystemParameters(sys), 0);
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    EXPECT_EQ(GetText(loaded.operatorSettings.AttendantExtension), "2013");
    EXPECT_EQ(loaded.fax.Interval, 45);
    EXPECT_EQ(loaded.systemParameters.PrimaryLanguage, 2);
    EXPECT_EQ(loaded.systemParameters.GroupListsEnabled, 0);
    EXPECT_EQ(loaded.systemInfo.GroupListsEnabled, 0);
}

// The system parameters and the system information change together or not
// at all: a refused write of the second undoes the first.
TEST(SimParameters, AChangeTheDatabaseRefusesIsUndoneEverywhere) {
    const struct {
        const char* what;
        const char* failingWrite;
        std::function<zax::ServerStatus(SimConnection&)> change;
    } cases[] = {
        {"system parameters, failing at the system information", "INSERT ON system_info",
         [](SimConnection& c) {
             zax::SystemParameters r = ReadSystem(c);
             r.GroupListsEnabled = 0;
             r.GroupListLeadingDigit = 0;
             return c.SetSystemParameters(r);
         }},
        {"fax parameters", "INSERT ON fax_parameters",
         [](SimConnection& c) {
             zax::FaxParameters r = ReadFax(c);
             r.Retries = 9;
             return c.SetFaxParameters(r);
         }},
        {"operator settings", "INSERT ON operator_settings",
         [](SimConnection& c) {
             zax::OperatorSettings r = ReadOperator(c);
             r.BusinessOpen = 0;
             return c.SetOperatorSettings(r);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ExpectChangeRolledBackWhenRefused(c.failingWrite, c.change);
    }
}

} // namespace
} // namespace zaxsim
