// The simulated server's networking: the three writers of the shared
// parameter record each keep to their own fields, what each refuses, the
// blocking periods, the site table with its conflicts, and persistence.

#include "FailedWrite.h"
#include "SameState.h"
#include "SimConnection.h"
#include "StateChange.h"
#include "StateDatabase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace zaxsim {
namespace {

using zax::GetText;
using zax::NetworkParameters;
using zax::NetworkSite;
using zax::SetText;
constexpr zax::ServerStatus Bad = StatusInvalidRecord;

using Setter = zax::ServerStatus (SimConnection::*)(const NetworkParameters&);

// A record as a dialog sends it: zeros everywhere but its own fields.
NetworkParameters GeneralOnly() {
    NetworkParameters r{};
    r.NetworkReceive = 0;
    r.NetworkDeliver = 1;
    r.NetworkReply = 0;
    r.NetworkBroadcast = 1;
    r.NetworkGroupList = 0;
    r.NetworkRetry = 9;
    r.NetworkDelay = 60;
    return r;
}
NetworkParameters AmisOnly() {
    NetworkParameters r{};
    r.IncludeSystemName = 0;
    r.IncludeSenderName = 0;
    r.LoopbackEnabled = 1;
    r.OutgoingRouteKind = static_cast<int16_t>(zax::RouteKind::Line);
    r.LineOrPoolNumber = 8;
    SetText(r.CountryCode, "44");
    SetText(r.TelephoneNumber, "1234567890123456");
    return r;
}
NetworkParameters DigitalOnly() {
    NetworkParameters r{};
    SetText(r.SmtpProxyName, "mail-gw.example.org");
    SetText(r.LocalPrefix, "123456789");
    return r;
}

// The bytes each writer owns, as a comparable text.
std::string GeneralPart(const NetworkParameters& r) {
    return std::to_string(r.NetworkReceive) + std::to_string(r.NetworkDeliver) +
           std::to_string(r.NetworkReply) + std::to_string(r.NetworkBroadcast) +
           std::to_string(r.NetworkGroupList) + "/" + std::to_string(r.NetworkRetry) + "/" +
           std::to_string(r.NetworkDelay);
}
std::string AmisPart(const NetworkParameters& r) {
    return std::to_string(r.IncludeSystemName) + std::to_string(r.IncludeSenderName) +
           std::to_string(r.LoopbackEnabled) + "/" + std::to_string(r.OutgoingRouteKind) + "/" +
           std::to_string(r.LineOrPoolNumber) + "/" + GetText(r.InternationalAccessCode) + "/" +
           GetText(r.CountryCode) + "/" + GetText(r.AreaCode) + "/" + GetText(r.TelephoneNumber);
}
std::string DigitalPart(const NetworkParameters& r) {
    return GetText(r.SmtpProxyName) + "/" + GetText(r.LocalPrefix);
}

TEST(SimNetworking, EachWriterChangesOnlyItsOwnFields) {
    const struct {
        const char* what;
        Setter set;
        NetworkParameters (*record)();
        std::string (*own)(const NetworkParameters&);
    } writers[] = {
        {"general", &SimConnection::SetGeneralNetworking, GeneralOnly, GeneralPart},
        {"AMIS", &SimConnection::SetAmisNetworking, AmisOnly, AmisPart},
        {"digital", &SimConnection::SetDigitalNetworking, DigitalOnly, DigitalPart},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        const NetworkParameters before = model.state().network;
        ASSERT_EQ((conn.*w.set)(w.record()), 0);
        NetworkParameters after{};
        ASSERT_EQ(conn.GetAmisNetworking(after), 0);
        for (const auto& other : writers) {
            if (other.own == w.own)
                EXPECT_EQ(other.own(after), other.own(w.record()));
            else
                EXPECT_EQ(other.own(after), other.own(before)) << "wiped by " << w.what;
        }
    }
}

// The next log-in reads the network group list choice.
TEST(SimNetworking, TheGroupListChoiceIsWhatTheSystemInformationReports) {
    SimModel model(MakeDemoState());
    ASSERT_EQ(model.state().systemInfo.NetworkGroupListEnabled, 1);
    SimConnection conn(model, 1);
    ASSERT_EQ(conn.SetGeneralNetworking(GeneralOnly()), 0);
    zax::SystemInfo info{};
    ASSERT_EQ(SimConnection(model, 2).GetSystemInfo(info), 0);
    EXPECT_EQ(info.NetworkGroupListEnabled, 0);
}

TEST(SimNetworking, EachWriterRefusesWhatItCannotStore) {
    const struct {
        const char* what;
        Setter set;
        NetworkParameters (*record)();
        std::function<void(NetworkParameters&)> edit;
        zax::ServerStatus expected;
    } cases[] = {
        {"retry 0", &SimConnection::SetGeneralNetworking, GeneralOnly,
         [](NetworkParameters& r) { r.NetworkRetry = 0; }, Bad},
        {"retry 10", &SimConnection::SetGeneralNetworking, GeneralOnly,
         [](NetworkParameters& r) { r.NetworkRetry = 10; }, Bad},
        {"delay 0", &SimConnection::SetGeneralNetworking, GeneralOnly,
         [](NetworkParameters& r) { r.NetworkDelay = 0; }, Bad},
        {"delay 61", &SimConnection::SetGeneralNetworking, GeneralOnly,
         [](NetworkParameters& r) { r.NetworkDelay = 61; }, Bad},
        {"receive 2", &SimConnection::SetGeneralNetworking, GeneralOnly,
         [](NetworkParameters& r) { r.NetworkReceive = 2; }, Bad},
        {"route kind 0", &SimConnection::SetAmisNetworking, AmisOnly,
         [](NetworkParameters& r) { r.OutgoingRouteKind = 0; }, Bad},
        {"line 9 of 8", &SimConnection::SetAmisNetworking, AmisOnly,
         [](NetworkParameters& r) { r.LineOrPoolNumber = 9; }, Bad},
        {"pool 4 of 4", &SimConnection::SetAmisNetworking, AmisOnly,
         [](NetworkParameters& r) {
             r.OutgoingRouteKind = static_cast<int16_t>(zax::RouteKind::Pool);
             r.LineOrPoolNumber = 4;
         },
         0},
        // Five digits leave no room for the terminator.
        {"five-digit country code", &SimConnection::SetAmisNetworking, AmisOnly,
         [](NetworkParameters& r) {
             std::fill(std::begin(r.CountryCode), std::end(r.CountryCode), '1');
         },
         Bad},
        {"area code with a letter", &SimConnection::SetAmisNetworking, AmisOnly,
         [](NetworkParameters& r) { SetText(r.AreaCode, "61A"); }, Bad},
        {"proxy with two dots", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.SmtpProxyName, "mail..example.org"); },
         zax::StatusInvalidSmtpProxy},
        {"proxy with a space", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.SmtpProxyName, "mail example"); },
         zax::StatusInvalidSmtpProxy},
        {"no proxy", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.SmtpProxyName, ""); }, 0},
        {"local prefix with a letter", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.LocalPrefix, "6x"); }, Bad},
        // Site 72's mailbox prefix is 72.
        {"local prefix of a site's mailboxes", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.LocalPrefix, "72"); }, zax::StatusPrefixExists},
        {"local prefix beginning a site's", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.LocalPrefix, "7"); }, zax::StatusPrefixOverlaps},
        {"local prefix a site's begins", &SimConnection::SetDigitalNetworking, DigitalOnly,
         [](NetworkParameters& r) { SetText(r.LocalPrefix, "721"); }, zax::StatusPrefixOverlaps},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        NetworkParameters r = c.record();
        c.edit(r);
        EXPECT_EQ((conn.*c.set)(r), c.expected);
        if (c.expected != 0)
            test::ExpectSameState(MakeDemoState(), model.state());
    }
}

TEST(SimBlockingPeriods, TheTableIsStoredWholeAndEveryTimeMustBeOne) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    zax::BlockingPeriodTable t{};
    ASSERT_EQ(conn.GetBlockingPeriods(t), 0);
    EXPECT_EQ(t.Periods[0][1].ToMinute, 30);
    t.Periods[6][3] = {23, 59, 0, 0};
    ASSERT_EQ(conn.SetBlockingPeriods(t), 0);
    zax::BlockingPeriodTable again{};
    ASSERT_EQ(conn.GetBlockingPeriods(again), 0);
    EXPECT_EQ(again.Periods[6][3].FromHour, 23);
    EXPECT_EQ(again.Periods[6][3].FromMinute, 59);
    for (const zax::BlockingPeriod bad :
         {zax::BlockingPeriod{24, 0, 1, 0}, {1, 60, 2, 0}, {1, 0, 24, 0}, {1, 0, 2, 60}}) {
        zax::BlockingPeriodTable b = again;
        b.Periods[2][2] = bad;
        EXPECT_EQ(conn.SetBlockingPeriods(b), Bad);
    }
    EXPECT_EQ(model.state().blockingPeriods.Periods[2][2].FromHour, 0);
}

// ---- sites --------------------------------------------------------------------------

NetworkSite Amis(const char* prefix, const char* name = "BRANCH") {
    NetworkSite s{};
    SetText(s.SiteName, name);
    SetText(s.SitePrefix, prefix);
    s.SiteType = static_cast<int16_t>(zax::SiteType::Amis);
    s.OutgoingRouteKind = static_cast<int16_t>(zax::RouteKind::Line);
    s.LineOrPoolNumber = 3;
    SetText(s.TelephoneNumber, "9P16135550100");
    return s;
}

NetworkSite Digital(const char* prefix, const char* host, const char* mailboxPrefix = "") {
    NetworkSite s{};
    SetText(s.SiteName, "REMOTE");
    SetText(s.SitePrefix, prefix);
    s.SiteType = static_cast<int16_t>(zax::SiteType::Digital);
    SetText(s.HostName, host);
    s.VoiceFormat = static_cast<int16_t>(zax::SiteVoiceFormat::Vpim);
    SetText(s.MailboxPrefix, mailboxPrefix);
    return s;
}

std::vector<std::string> ListedPrefixes(SimConnection& conn) {
    std::vector<std::string> prefixes;
    NetworkSite site{};
    EXPECT_EQ(conn.OpenSiteList(site), 0);
    EXPECT_EQ(GetText(site.SitePrefix), ""); // the opening carries no site
    zax::ServerStatus status = 0;
    while ((status = conn.GetNextSite(site)) == 0)
        prefixes.push_back(GetText(site.SitePrefix));
    EXPECT_EQ(status, StatusNoEntry);
    return prefixes;
}

TEST(SimSites, TheListDeliversEverySiteOnceAndEndsWithNoEntry) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    NetworkSite site{};
    EXPECT_EQ(conn.GetNextSite(site), StatusNotInitialized); // not opened
    EXPECT_EQ(ListedPrefixes(conn), (std::vector<std::string>{"71", "72", "73", "74"}));
    EXPECT_EQ(conn.GetNextSite(site), StatusNoEntry); // ended stays ended
    // A site added behind the walk still comes; one deleted ahead does not.
    ASSERT_EQ(conn.OpenSiteList(site), 0);
    ASSERT_EQ(conn.GetNextSite(site), 0);
    ASSERT_EQ(conn.AddSite(Amis("9")), 0);
    ASSERT_EQ(conn.DeleteSite(Amis("74")), 0);
    std::vector<std::string> rest;
    while (conn.GetNextSite(site) == 0)
        rest.push_back(GetText(site.SitePrefix));
    EXPECT_EQ(rest, (std::vector<std::string>{"72", "73", "9"}));
}

TEST(SimSites, AddAnswersEachConflictWithItsStatus) {
    const struct {
        const char* what;
        NetworkSite site;
        zax::ServerStatus expected;
    } cases[] = {
        {"a new AMIS site", Amis("8"), 0},
        {"a new digital site", Digital("8", "vm.branch.example.com", "88"), 0},
        {"prefix of an existing site", Amis("71"), zax::StatusSitePrefixExists},
        {"prefix beginning an existing one", Amis("7"), zax::StatusSitePrefixOverlaps},
        {"prefix an existing one begins", Amis("711"), zax::StatusSitePrefixOverlaps},
        {"host with two dots", Digital("8", "vm..example.com"), zax::StatusInvalidHostName},
        {"no host", Digital("8", ""), zax::StatusInvalidHostName},
        {"host of 65", Digital("8", std::string(65, 'h').c_str()), zax::StatusInvalidHostName},
        {"host of another site, in capitals", Digital("8", "VM.TORONTO.example.net"),
         zax::StatusDuplicateHostName},
        {"mailbox prefix of another site", Digital("8", "a.example", "72"),
         zax::StatusPrefixExists},
        {"mailbox prefix beginning another's", Digital("8", "a.example", "7"),
         zax::StatusPrefixOverlaps},
        {"mailbox prefix beginning the local one", Digital("8", "a.example", "6"),
         zax::StatusPrefixOverlaps},
        {"name with a space", Amis("8", "NEW SITE"), Bad},
        {"no name", Amis("8", ""), Bad},
        {"type 3",
         [] {
             NetworkSite s = Amis("8");
             s.SiteType = 3;
             return s;
         }(),
         Bad},
        {"line 9 of 8",
         [] {
             NetworkSite s = Amis("8");
             s.LineOrPoolNumber = 9;
             return s;
         }(),
         Bad},
        {"telephone number of 29",
         [] {
             NetworkSite s = Amis("8");
             SetText(s.TelephoneNumber, std::string(29, '5'));
             return s;
         }(),
         0},
        // Without room for its terminator the number is not a text the
        // server can keep.
        {"telephone number filling all 30 bytes",
         [] {
             NetworkSite s = Amis("8");
             std::fill(std::begin(s.TelephoneNumber), std::end(s.TelephoneNumber), '5');
             return s;
         }(),
         Bad},
        {"telephone number with a letter",
         [] {
             NetworkSite s = Amis("8");
             SetText(s.TelephoneNumber, "555X");
             return s;
         }(),
         Bad},
        {"voice format 3",
         [] {
             NetworkSite s = Digital("8", "a.example");
             s.VoiceFormat = 3;
             return s;
         }(),
         Bad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimModel model(MakeDemoState());
        SimConnection conn(model, 1);
        EXPECT_EQ(conn.AddSite(c.site), c.expected);
        EXPECT_EQ(model.state().sites.size(), c.expected == 0 ? 5u : 4u);
    }
}

TEST(SimSites, VpimIsRefusedWhereTheServerHasNone) {
    SimState s = MakeDemoState();
    s.vpimAvailable = 0;
    SimModel model(std::move(s));
    SimConnection conn(model, 1);
    uint8_t available = 9;
    ASSERT_EQ(conn.IsVpimAvailable(available), 0);
    EXPECT_EQ(available, 0);
    NetworkSite site = Digital("8", "a.example");
    EXPECT_EQ(conn.AddSite(site), Bad);
    site.VoiceFormat = static_cast<int16_t>(zax::SiteVoiceFormat::Sbc);
    EXPECT_EQ(conn.AddSite(site), 0);
}

TEST(SimSites, AFullTableIsReportedAndRefusesAnotherSite) {
    SimState s = MakeDemoState();
    s.capacity.Sites = 5;
    SimModel model(std::move(s));
    SimConnection conn(model, 1);
    uint8_t full = 9;
    ASSERT_EQ(conn.IsSiteTableFull(full), 0);
    EXPECT_EQ(full, 0);
    ASSERT_EQ(conn.AddSite(Amis("8")), 0);
    ASSERT_EQ(conn.IsSiteTableFull(full), 0);
    EXPECT_EQ(full, 1);
    EXPECT_EQ(conn.AddSite(Amis("9")), StatusNoEntry);
    ASSERT_EQ(conn.DeleteSite(Amis("8")), 0);
    ASSERT_EQ(conn.IsSiteTableFull(full), 0);
    EXPECT_EQ(full, 0);
}

// What another site type left in the record does not stay with the site.
TEST(SimSites, ASiteKeepsOnlyTheFieldsOfItsType) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    NetworkSite amis = Amis("8");
    SetText(amis.HostName, "left.over.example");
    SetText(amis.MailboxPrefix, "99");
    amis.VoiceFormat = 1;
    ASSERT_EQ(conn.AddSite(amis), 0);
    NetworkSite read{};
    SetText(read.SitePrefix, "8");
    ASSERT_EQ(conn.GetSite(read), 0);
    EXPECT_EQ(GetText(read.HostName), "");
    EXPECT_EQ(GetText(read.MailboxPrefix), "");
    EXPECT_EQ(read.VoiceFormat, 0);
    EXPECT_EQ(GetText(read.TelephoneNumber), "9P16135550100");
}

TEST(SimSites, ChangeGetAndDeleteGoByThePrefix) {
    SimModel model(MakeDemoState());
    SimConnection conn(model, 1);
    NetworkSite key{};
    SetText(key.SitePrefix, "99");
    EXPECT_EQ(conn.GetSite(key), StatusNoEntry);
    EXPECT_EQ(conn.ChangeSite(Amis("99")), StatusNoEntry);
    EXPECT_EQ(conn.DeleteSite(key), StatusNoEntry);

    // Its own host and mailbox prefix are no conflict for a changed site.
    NetworkSite toronto = Digital("72", "vm.toronto.example.net", "72");
    SetText(toronto.SiteName, "TORONTO");
    ASSERT_EQ(conn.ChangeSite(toronto), 0);
    EXPECT_EQ(GetText(model.state().sites.at("72").SiteName), "TORONTO");
    EXPECT_EQ(conn.ChangeSite(Digital("72", "vmail.montreal.example.org", "72")),
              zax::StatusDuplicateHostName);

    // Network mailboxes 5000 and 5001 reach site 72; none reaches 71.
    SetText(key.SitePrefix, "72");
    EXPECT_EQ(conn.DeleteSite(key), StatusStillReferenced);
    EXPECT_TRUE(model.state().sites.contains("72"));
    SetText(key.SitePrefix, "71");
    EXPECT_EQ(conn.DeleteSite(key), 0);
    EXPECT_FALSE(model.state().sites.contains("71"));
}

TEST(SimNetworkingState, ChangesAreStoredInTheDatabase) {
    test::TempDir dir;
    const auto file = dir / "state.db";
    StateDatabase::Create(file, MakeDemoState());
    {
        SimModel model(StateDatabase::Open(file));
        SimConnection conn(model, 1);
        ASSERT_EQ(conn.SetAmisNetworking(AmisOnly()), 0);
        ASSERT_EQ(conn.SetGeneralNetworking(GeneralOnly()), 0);
        zax::BlockingPeriodTable t{};
        t.Periods[5][0] = {22, 15, 23, 45};
        ASSERT_EQ(conn.SetBlockingPeriods(t), 0);
        ASSERT_EQ(conn.AddSite(Amis("8")), 0);
        NetworkSite key{};
        SetText(key.SitePrefix, "74");
        ASSERT_EQ(conn.DeleteSite(key), 0);
        test::ExpectSameState(model.state(), StateDatabase::Read(file));
    }
    const SimState loaded = StateDatabase::Open(file)->Load();
    EXPECT_EQ(AmisPart(loaded.network), AmisPart(AmisOnly()));
    EXPECT_EQ(GeneralPart(loaded.network), GeneralPart(GeneralOnly()));
    EXPECT_EQ(DigitalPart(loaded.network), "relay.office.example.com/61");
    EXPECT_EQ(loaded.systemInfo.NetworkGroupListEnabled, 0);
    EXPECT_EQ(loaded.blockingPeriods.Periods[5][0].ToMinute, 45);
    EXPECT_EQ(loaded.blockingPeriods.Periods[0][0].FromHour, 0);
    EXPECT_TRUE(loaded.sites.contains("8"));
    EXPECT_FALSE(loaded.sites.contains("74"));
}

TEST(SimNetworkingState, AChangeTheDatabaseRefusesIsUndoneEverywhere) {
    const struct {
        const char* what;
        const char* failingWrite;
        std::function<zax::ServerStatus(SimConnection&)> change;
    } cases[] = {
        {"general, failing at the system information", "INSERT ON system_info",
         [](SimConnection& c) { return c.SetGeneralNetworking(GeneralOnly()); }},
        {"digital", "INSERT ON network_parameters",
         [](SimConnection& c) { return c.SetDigitalNetworking(DigitalOnly()); }},
        {"blocking periods", "INSERT ON blocking_periods",
         [](SimConnection& c) { return c.SetBlockingPeriods(zax::BlockingPeriodTable{}); }},
        {"adding a site", "INSERT ON sites", [](SimConnection& c) { return c.AddSite(Amis("8")); }},
        {"deleting a site", "DELETE ON sites",
         [](SimConnection& c) {
             NetworkSite key{};
             SetText(key.SitePrefix, "74");
             return c.DeleteSite(key);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ExpectChangeRolledBackWhenRefused(c.failingWrite, c.change);
    }
}

} // namespace
} // namespace zaxsim
