// The demo office's auto attendant, parameter records, CLID routes and
// networking.

#include "DemoParts.h"
#include "SimRecordings.h"

#include <cstring>

namespace zaxsim::demo {

using zax::SetText;

namespace {

struct DemoTable {
    int16_t greetings[4]; // morning, afternoon, evening, non-business
    const char* attendant;
    int16_t ccrTree;
    int16_t weekdayStarts[4][2]; // hour, minute per period
    int16_t saturdayStarts[4][2];
    uint8_t speech;
};

// Every period starting at midnight: the non-business greeting all day.
constexpr int16_t kClosed[4][2] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};

// Weekdays share one schedule, Saturday has its own, Sunday is closed.
constexpr DemoTable kTables[zax::GreetingTableCount] = {
    {{1, 2, 3, 4},
     "2000",
     0,
     {{8, 0}, {12, 0}, {17, 0}, {18, 0}},
     {{9, 0}, {12, 0}, {13, 0}, {13, 0}},
     1},
    {{5, 5, 6, 7},
     "2000",
     0,
     {{7, 30}, {12, 0}, {18, 0}, {20, 0}},
     {{0, 0}, {0, 0}, {0, 0}, {0, 0}},
     0},
    {{8, 8, 8, 9}, "", 1, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, 0},
    {{10, 11, 12, 4},
     "2004",
     2,
     {{8, 30}, {12, 30}, {17, 30}, {19, 0}},
     {{10, 0}, {14, 0}, {14, 0}, {14, 0}},
     1},
};

zax::GreetingTableRecord MakeGreetingTable(int16_t number, const DemoTable& t) {
    zax::GreetingTableRecord g{};
    g.TableNumber = number;
    g.StandardPrompts = number == 1 ? 0 : 1; // table 1 uses its custom menu prompts
    g.LanguagePreference = 0;
    g.MorningGreeting = t.greetings[0];
    g.AfternoonGreeting = t.greetings[1];
    g.EveningGreeting = t.greetings[2];
    g.NonBusinessGreeting = t.greetings[3];
    SetText(g.AttendantExtension, t.attendant);
    g.CcrTree = t.ccrTree;
    std::memset(g.CcrTreesDefined, ' ', sizeof g.CcrTreesDefined);
    for (int d = 0; d < zax::DaysPerWeek; ++d)
        for (int p = 0; p < zax::PeriodsPerDay; ++p) {
            const auto& start = d < 5    ? t.weekdayStarts[p]
                                : d == 5 ? t.saturdayStarts[p]
                                         : kClosed[p];
            g.Hours[d][p].Hour = start[0];
            g.Hours[d][p].Minute = start[1];
        }
    g.SpeechRecognitionEnabled = t.speech;
    g.MainPromptCustom = t.speech;
    return g;
}

// A speech-like sound in the demo server's format (OKI ADPCM), so that
// playing a demo recording sounds like someone talking.
Blob DemoVoice(double seconds, uint32_t seed) {
    return EncodeRecording(SpeechLikeSamples(seconds, seed), FormatOki);
}

} // namespace

void FillNetworking(SimState& s) {
    auto& n = s.network;
    n.NetworkReceive = n.NetworkDeliver = n.NetworkReply = 1;
    n.NetworkBroadcast = 0;
    n.NetworkGroupList = s.systemInfo.NetworkGroupListEnabled;
    n.IncludeSystemName = n.IncludeSenderName = 1;
    n.LoopbackEnabled = 0;
    n.OutgoingRouteKind = N(zax::RouteKind::Pool);
    n.LineOrPoolNumber = 2;
    SetText(n.InternationalAccessCode, "011");
    SetText(n.CountryCode, "1");
    SetText(n.AreaCode, "613");
    SetText(n.TelephoneNumber, "5550100");
    n.NetworkRetry = 3;
    n.NetworkDelay = 10;
    SetText(n.SmtpProxyName, "relay.office.example.com");
    SetText(n.LocalPrefix, "61");

    // Weekday business hours are kept free of AMIS calls.
    for (int d = 0; d < 5; ++d) {
        s.blockingPeriods.Periods[d][0] = {8, 0, 12, 0};
        s.blockingPeriods.Periods[d][1] = {13, 0, 17, 30};
    }

    struct DemoSite {
        const char* name;
        const char* prefix;
        zax::SiteType type;
        int16_t route, number;
        const char* phone;
        const char* host;
        zax::SiteVoiceFormat format;
        const char* mailboxPrefix;
    };
    const DemoSite sites[] = {
        {"OTTAWA_BRANCH", "71", zax::SiteType::Amis, N(zax::RouteKind::Line), 8, "16135550188", "",
         zax::SiteVoiceFormat::Adpcm, ""},
        {"TORONTO_HQ", "72", zax::SiteType::Digital, 0, 0, "", "vm.toronto.example.net",
         zax::SiteVoiceFormat::Sbc, "72"},
        {"MONTREAL", "73", zax::SiteType::Digital, 0, 0, "", "vmail.montreal.example.org",
         zax::SiteVoiceFormat::Vpim, ""},
    };
    for (const auto& d : sites) {
        zax::NetworkSite site{};
        SetText(site.SiteName, d.name);
        SetText(site.SitePrefix, d.prefix);
        site.SiteType = N(d.type);
        site.OutgoingRouteKind = d.route;
        site.LineOrPoolNumber = d.number;
        SetText(site.TelephoneNumber, d.phone);
        SetText(site.HostName, d.host);
        site.VoiceFormat = N(d.format);
        SetText(site.MailboxPrefix, d.mailboxPrefix);
        s.sites.emplace(d.prefix, site);
    }
}

void FillParameters(SimState& s) {
    // The server's own fax fields, which the client sends back as it read them.
    s.fax.Reserved0 = 1;
    s.fax.Reserved3 = 1;
    SetText(s.fax.SystemFaxExtension, "3200");
    SetText(s.fax.SystemFaxName, "MAIN_OFFICE_FAX");
    s.fax.Retries = 5;
    s.fax.Interval = 10;

    auto& p = s.systemParameters;
    SetText(p.VoiceMailVersion, "ZAX 4.3.0 (simulated)");
    p.OutcallingChannels = 2;
    p.VoiceMailEnabled = 1;
    p.GroupListsEnabled = s.systemInfo.GroupListsEnabled;
    p.GroupListLeadingDigit = GroupListLeadingDigit;
    p.ExternalInitialization = 0;
    p.DirectoryAvailable = 1;
    p.DirectorySearch = N(zax::DirectorySearch::LastName);
    p.GeneralDeliveryMailbox = 1;
    p.Bilingual = 1;
    p.PrimaryLanguage = N(zax::PromptLanguageCode::English);
    p.SecondaryLanguage = N(zax::PromptLanguageCode::French);
    p.RedirectDn = 0;
    MirrorSystemParameters(p, s.systemInfo);

    s.operatorSettings = {1, 1, 1, 0, {}};
    SetText(s.operatorSettings.AttendantExtension, "2000");

    SetText(s.dialing.LongDistanceAccessCode, "1");
    SetText(s.dialing.AreaCode, "613");
    SetText(s.dialing.AccessCode, "9");
    s.dialing.ReplyTranslate = 1;

    s.voice.ServerVoiceFormat = FormatOki;
    s.voice.BytesPerSecond = OkiBytesPerSecond;
    s.voice.Reserved40 = 300; // the longest recording taken, in seconds
    s.voiceDialing.Enabled = 1;

    s.translations = {{"", "9"},       {"1613", "9"}, {"1800", "91800"},  {"1888", "91888"},
                      {"011", "9011"}, {"976", ""},   {"411", "95551212"}};
    s.centrexRestrictions = {"900", "976", "1900", "011"};
}

void FillClid(SimState& s) {
    struct DemoClid {
        const char* phone;
        zax::ClidTarget target;
        int16_t table;
        const char* digits; // extension or mailbox
        int16_t tree;
        const char* path;
    };
    const DemoClid entries[] = {
        {"6135550100", zax::ClidTarget::Table, 4, "", 0, ""},
        {"6135550123", zax::ClidTarget::Extension, 0, "2001", 0, ""},
        {"8005551234", zax::ClidTarget::CcrTree, 0, "", 1, "12"},
        {"4165550199", zax::ClidTarget::Mailbox, 0, "2010", 0, ""},
        {"5145550147", zax::ClidTarget::Table, 2, "", 0, ""},
        {"911", zax::ClidTarget::Extension, 0, "2000", 0, ""},
    };
    for (const auto& d : entries) {
        zax::ClidEntry e{};
        SetText(e.PhoneNumber, d.phone);
        e.TargetType = N(d.target);
        e.GreetingTable = d.table;
        if (d.target == zax::ClidTarget::Extension)
            SetText(e.Extension, d.digits);
        if (d.target == zax::ClidTarget::Mailbox)
            SetText(e.Mailbox, d.digits);
        e.CcrTree = d.tree;
        SetText(e.CcrTreePath, d.path);
        s.clid.emplace(d.phone, e);
    }
}

void FillAttendant(SimState& s) {
    s.ccrTrees = {{1, {"1", "11", "12", "2", "21"}}, {2, {"1", "2", "3"}}};
    for (int16_t i = 0; i < zax::GreetingTableCount; ++i)
        s.greetingTables[static_cast<size_t>(i)] =
            MakeGreetingTable(static_cast<int16_t>(i + 1), kTables[i]);
    s.attendant = {1, N(zax::TouchtoneGate::Standard), 12};

    s.aaPrompts[{1, N(zax::AaPromptKind::Primary)}] = DemoVoice(3.5, 1);
    s.aaPrompts[{1, N(zax::AaPromptKind::Alternate)}] = DemoVoice(3.0, 2);
    s.srPrompts[{1, N(zax::SrPromptKind::Main)}] = DemoVoice(2.5, 3);
    s.srPrompts[{4, N(zax::SrPromptKind::Main)}] = DemoVoice(2.0, 4);
    uint32_t seed = 10;
    for (const char* number : {"2000", "2001", "2002", "2007", "3000"})
        s.nameRecordings[number] = DemoVoice(1.2, seed++);
}

} // namespace zaxsim::demo
