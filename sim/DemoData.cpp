// The built-in demo data: a small office (reception, sales, support,
// accounts, warehouse) with information and fax-on-demand boxes, one AMIS and
// two digital partner sites, and every table filled the way an administrator
// would have left it.

#include "DemoParts.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <type_traits>

namespace zaxsim {

using demo::N;
using zax::MailboxType;
using zax::SetText;

namespace {

constexpr int16_t kExtensionLength = 4;
constexpr int16_t kLines = 8;
constexpr int16_t kPools = 4;

// ---- classes of service ---------------------------------------------------

// Bounds the server enforces on the class-of-service values, in CosLimitIndex order.
constexpr zax::CosLimit kCosLimits[zax::CosLimitCount] = {
    {1, 180}, {1, 60}, {0, 365}, {1, 30}, {1, 120}, {1, 20}, {4, 20}, {0, 365},
};

struct DemoCos {
    const char* name;
    int16_t mailboxTime, messageLength, retention, greetingLength;
    uint8_t offPremise;
    int16_t retryInterval, attempts;
    uint8_t target, outbound, badPasswords;
    int16_t expiry;
    uint8_t networking, recordCall;
};

constexpr DemoCos kClasses[zax::ClassOfServiceCount] = {
    {"STANDARD", 30, 5, 30, 2, 0, 15, 3, 1, 0, 6, 90, 0, 0},
    {"EXECUTIVE", 120, 10, 90, 5, 1, 10, 5, 1, 1, 6, 90, 1, 1},
    {"MANAGER", 90, 10, 60, 3, 1, 15, 5, 1, 1, 6, 90, 1, 1},
    {"SALES", 60, 5, 45, 3, 1, 5, 10, 1, 1, 6, 60, 1, 1},
    {"SUPPORT", 60, 5, 30, 2, 1, 30, 3, 1, 0, 6, 90, 1, 0},
    {"ACCOUNTS", 45, 5, 60, 2, 0, 15, 3, 0, 0, 4, 30, 0, 0},
    {"WAREHOUSE", 20, 3, 14, 1, 0, 15, 3, 0, 0, 6, 0, 0, 0},
    {"TEMPORARY", 10, 2, 7, 1, 0, 15, 3, 0, 0, 4, 30, 0, 0},
    {"RECEPTION", 60, 5, 14, 3, 0, 15, 3, 1, 1, 6, 90, 0, 1},
    {"INFORMATION", 10, 10, 0, 10, 0, 15, 3, 0, 0, 6, 0, 0, 0},
    {"FAX_ON_DEMAND", 10, 5, 0, 2, 0, 15, 3, 0, 0, 6, 0, 0, 0},
    {"FAX_OVERFLOW", 180, 60, 7, 1, 0, 15, 3, 0, 0, 6, 0, 0, 0},
    {"AMIS_PARTNERS", 30, 5, 30, 2, 0, 15, 3, 0, 0, 6, 0, 1, 0},
    {"SITE_NETWORK", 30, 5, 30, 2, 0, 15, 3, 0, 0, 6, 0, 1, 0},
    {"GEN_DELIVERY", 180, 10, 365, 5, 0, 15, 3, 0, 0, 8, 0, 0, 0},
    {"SYSTEM", 180, 60, 0, 30, 1, 60, 20, 1, 1, 20, 365, 1, 1},
};

// ---- mailboxes --------------------------------------------------------------

struct DemoMailbox {
    const char* number;
    const char* name;
    int16_t type;
    uint8_t cos;
    const char* extension;
    const char* alternate1;
    const char* extendedName; // speech recognition
    const char* alias;
    int16_t outdialKind;
    int16_t outdialNumber;
    int16_t faxLine;
    const char* remotePhone; // AMIS mailboxes
    const char* remoteMailbox;
    const char* sitePrefix; // network (site) mailboxes
};

constexpr int16_t Line = N(zax::OutdialKind::Line);
constexpr int16_t Pool = N(zax::OutdialKind::Pool);
constexpr int16_t NoOut = N(zax::OutdialKind::None);

// Codes 1, 3, 4 and 11 are the server's own subscriber variants: the system
// mailboxes and a few special boxes carry them, so the client sees every code.
constexpr DemoMailbox kMailboxes[] = {
    {"1000", "SYSTEM_MANAGER,MB", 1, 16, "1000", "", "", "", NoOut, 0, 0, "", "", ""},
    {"1001", "GENERAL_DELIVERY,MB", 3, 15, "1001", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2000", "RECEPTION", 0, 9, "2000", "2099", "Reception", "Operator", NoOut, 0, 0, "", "", ""},
    {"2001", "ANDERSON,MARY", 0, 2, "2001", "2101", "Mary Anderson", "Mary", Line, 3, 0, "", "",
     ""},
    {"2002", "BAKER,THOMAS", 0, 3, "2002", "", "Thomas Baker", "Tom Baker", NoOut, 0, 0, "", "",
     ""},
    {"2003", "CHEN,LI", 0, 4, "2003", "", "", "", Pool, 1, 7, "", "", ""},
    {"2004", "DUBOIS,CLAIRE", 0, 4, "2004", "", "Claire Dubois", "", Pool, 1, 0, "", "", ""},
    {"2005", "BAKER,TOM", 0, 4, "2005", "", "", "Tom Baker", Pool, 2, 0, "", "", ""},
    {"2006", "FISCHER,ANNA", 0, 5, "2006", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2007", "GARCIA,LUIS", 0, 5, "2007", "", "Luis Garcia", "", NoOut, 0, 0, "", "", ""},
    {"2008", "HUGHES,KAREN", 0, 5, "2008", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2009", "IVANOV,PETER", 0, 6, "2009", "", "", "", NoOut, 0, 7, "", "", ""},
    {"2010", "JOHNSON,EMMA", 0, 6, "2010", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2011", "KOWALSKI,JAN", 0, 7, "2011", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2012", "LAMBERT,SOPHIE", 0, 1, "2012", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2013", "MARTIN,PAUL", 0, 1, "2013", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2014", "NGUYEN,HOA", 0, 1, "2014", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2015", "O'BRIEN,SEAN", 0, 1, "2015", "", "Sean O'Brien", "", NoOut, 0, 0, "", "", ""},
    {"2016", "PATEL,RAJ", 0, 1, "2016", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2017", "QUINN,JULIA", 0, 1, "2017", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2018", "ROSSI,MARCO", 0, 1, "2018", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2019", "SILVA,ANA", 0, 8, "2019", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2020", "TANAKA,YUKI", 0, 8, "2020", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2021", "UNDERWOOD,DAN", 0, 1, "2021", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2022", "VARGA,EVA", 0, 1, "2022", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2023", "WALSH,NIAMH", 0, 1, "2023", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2024", "YOUNG,DAVID", 0, 7, "2024", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2025", "ZIMMER,OTTO", 0, 7, "", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2030", "CONFERENCE_ROOM", 4, 8, "2030", "", "", "", NoOut, 0, 0, "", "", ""},
    {"2031", "LOBBY_PHONE", 11, 8, "2031", "", "", "", NoOut, 0, 0, "", "", ""},
    {"3000", "OFFICE_HOURS", 2, 10, "", "", "Office hours", "Opening hours", NoOut, 0, 0, "", "",
     ""},
    {"3001", "DIRECTIONS", 2, 10, "", "", "Directions", "", NoOut, 0, 0, "", "", ""},
    {"3002", "HOLIDAYS", 2, 10, "", "", "", "", NoOut, 0, 0, "", "", ""},
    {"3100", "PRICE_LIST", 5, 11, "", "", "Price list", "", NoOut, 0, 0, "", "", ""},
    {"3101", "PRODUCT_SHEETS", 5, 11, "", "", "", "", Pool, 4, 0, "", "", ""},
    {"3200", "FAX_OVERFLOW", 6, 12, "3200", "", "", "", NoOut, 0, 0, "", "", ""},
    {"4000", "HARPER,ELLEN", 9, 13, "", "", "", "", Line, 8, 0, "16135550188", "4410", ""},
    {"4001", "KING,MICHAEL", 9, 13, "", "", "", "", Line, 8, 0, "16135550188", "4422", ""},
    {"5000", "MOREAU,LUC", 10, 14, "", "", "", "", NoOut, 0, 0, "", "3310", "72"},
    {"5001", "SCOTT,HELEN", 10, 14, "", "", "", "", NoOut, 0, 0, "", "2275", "72"},
    {"5002", "TREMBLAY,JULIE", 10, 14, "", "", "", "", NoOut, 0, 0, "", "118", "73"},
};

// Mailboxes whose owners have not yet set them up from a telephone.
constexpr const char* kUninitialized[] = {"2024", "2025", "2031"};

zax::MailboxRecord MakeMailbox(const DemoMailbox& d) {
    zax::MailboxRecord r{};
    SetText(r.Number, d.number);
    SetText(r.Name, d.name);
    r.Type = d.type;
    r.ClassOfService = d.cos;
    SetText(r.Extension, d.extension);
    SetText(r.AlternateExtension1, d.alternate1);
    r.FaxLine = d.faxLine;
    r.MessageWaiting = d.type == N(MailboxType::Subscriber) && *d.extension ? 1 : 0;
    r.Directory = d.type == N(MailboxType::FaxOverflow) ? 0 : 1;
    r.CallScreening = d.cos == 2 || d.cos == 3 ? 1 : 0;
    r.OutdialKind = d.outdialKind;
    r.OutdialNumber = d.outdialNumber;
    const bool overflow = d.type == N(MailboxType::FaxOverflow);
    r.FaxRetries = overflow ? 99 : 3;
    r.FaxInterval = overflow ? 1 : 10;
    SetText(r.RemotePhoneNumber, d.remotePhone);
    SetText(r.RemoteMailbox, d.remoteMailbox);
    SetText(r.SitePrefix, d.sitePrefix);
    SetText(r.ExtendedName, d.extendedName);
    SetText(r.Alias, d.alias);
    r.SpeechDisabled = std::string(d.number) == "2016" ? 1 : 0; // keeps out of the directory
    return r;
}

// ---- group lists --------------------------------------------------------------

struct DemoFaxMember {
    const char* name;
    int16_t route;
    int16_t lineOrPool;
    const char* dial;
};

GroupList VoiceList(const char* number, const char* name, std::initializer_list<const char*> ids,
                    const SimState& s) {
    GroupList g;
    SetText(g.header.ListNumber, number);
    SetText(g.header.ListName, name);
    g.header.Kind = N(zax::GroupListKind::Voice);
    for (const char* id : ids) {
        zax::GroupListRecord m{};
        SetText(m.ListNumber, number);
        m.Kind = N(zax::GroupListKind::Voice);
        SetText(m.MemberMailbox, id);
        std::memcpy(m.MemberMailboxName, s.FindMailbox(id)->Name, sizeof m.MemberMailboxName);
        g.members.push_back(m);
    }
    return g;
}

GroupList FaxList(const char* number, const char* name, std::initializer_list<DemoFaxMember> fax) {
    GroupList g;
    SetText(g.header.ListNumber, number);
    SetText(g.header.ListName, name);
    g.header.Kind = N(zax::GroupListKind::Fax);
    for (const auto& f : fax) {
        zax::GroupListRecord m{};
        SetText(m.ListNumber, number);
        m.Kind = N(zax::GroupListKind::Fax);
        SetText(m.FaxMemberName, f.name);
        m.FaxRoute = f.route;
        m.LineOrPoolNumber = f.lineOrPool;
        SetText(m.DialString, f.dial);
        g.members.push_back(m);
    }
    return g;
}

// ---- system ---------------------------------------------------------------------

zax::SystemInfo MakeSystemInfo() {
    zax::SystemInfo si{};
    si.MaxLineNumber = kLines;
    si.MaxPoolNumber = kPools;
    si.ExtensionLength = kExtensionLength;
    si.LanguageCode = 1;
    si.GroupListsEnabled = 1;
    SetText(si.AdminPassword, DefaultAdminPassword);
    si.MaxOutcallChannels = 4;
    si.MaxCcrPathLength = 6;
    si.CentrexAvailable = 1;
    si.CompatibilityLevel = zax::RequiredCompatibilityLevel;
    si.PrintDestination = zax::PrintDisplayLocally;
    si.NetworkGroupListEnabled = 1;
    std::copy(std::begin(kCosLimits), std::end(kCosLimits), si.CosLimits);
    return si;
}

zax::CosRecord MakeCos(int16_t number, const DemoCos& c) {
    zax::CosRecord r{};
    r.ClassNumber = number;
    r.PromptLanguage = 0;
    r.MaxMailboxMessageTime = c.mailboxTime;
    r.MaxMessageLength = c.messageLength;
    r.MessageRetentionPeriod = c.retention;
    r.MaxGreetingLength = c.greetingLength;
    r.OffPremiseMessageNotification = c.offPremise;
    r.RetryInterval = c.retryInterval;
    r.MaxNumberOfAttempts = c.attempts;
    r.PersonalTargetAttendant = c.target;
    r.OutboundTransfer = c.outbound;
    r.MaxIncorrectPasswordAttempts = c.badPasswords;
    r.PasswordExpiry = c.expiry;
    SetText(r.Name, c.name);
    r.Networking = c.networking;
    r.RecordCallAllowed = c.recordCall;
    return r;
}

} // namespace

SimState MakeDemoState() {
    SimState s;
    s.systemInfo = MakeSystemInfo();
    s.capacity = {100, 20, 50, 10};
    s.vpimAvailable = 1;

    // Owners who set their mailbox up chose a password of their own.
    for (const auto& d : kMailboxes)
        s.mailboxes.emplace(d.number, Mailbox{MakeMailbox(d), true, true});
    for (const char* number : kUninitialized)
        s.mailboxes.at(number) = {s.mailboxes.at(number).record, false, false};
    for (auto& [number, m] : s.mailboxes)
        m.systemMailbox = IsSystemMailboxName(zax::GetText(m.record.Name));
    // Two Tom Bakers work here: the server flags both.
    MarkHomonyms(s);

    s.groupLists.emplace("9001",
                         VoiceList("9001", "SALES-TEAM", {"2004", "2005", "2006", "2007"}, s));
    s.groupLists.emplace("9002",
                         VoiceList("9002", "MANAGERS", {"2001", "2002", "2003", "4000"}, s));
    s.groupLists.emplace("9003", VoiceList("9003", "ALL-STAFF",
                                           {"2000", "2001", "2002", "2003", "2004", "2005", "2006",
                                            "2007", "2008", "2009", "2010", "2011", "2012", "2013"},
                                           s));
    s.groupLists.emplace("9004",
                         FaxList("9004", "DISTRIBUTORS",
                                 {{"NORTHWIND", N(zax::FaxRoute::ByLine), 7, "16135550142"},
                                  {"CONTOSO", N(zax::FaxRoute::ByPool), 2, "14165550177"},
                                  {"ACCOUNTS_FAX", N(zax::FaxRoute::ByExtension), 0, "3200"}}));

    for (int16_t i = 0; i < zax::ClassOfServiceCount; ++i)
        s.classesOfService[static_cast<size_t>(i)] =
            MakeCos(static_cast<int16_t>(i + 1), kClasses[i]);

    // Lines 1-4 carry the main number, 5-6 the sales number, 7 is the fax
    // line and 8 the AMIS line; neither of those is answered.
    s.lines = {{1, 1, 2}, {1, 1, 2}, {1, 1, 3}, {1, 2, 4},
               {1, 4, 0}, {1, 4, 0}, {0, 1, 0}, {0, 1, 0}};

    demo::FillAttendant(s);
    demo::FillParameters(s);
    demo::FillClid(s);
    demo::FillNetworking(s);
    RefreshDerivedFields(s);

    demo::FillStatistics(s);
    for (int16_t report = 1; report <= 15; ++report)
        s.reports[report] = BuildReportText(s, report, "");
    return s;
}

} // namespace zaxsim
