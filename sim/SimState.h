#pragma once
// Everything the simulated voice-mail server knows, as one value: the
// records it serves, the tables behind its enumerations, and its recordings.
// Keys are kept as std::string (the text of the record's key field), so
// lookups never depend on the bytes after a field's terminator.

#include "server/Records.h"

#include <array>
#include <compare>
#include <cstdint>
#include <ctime>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zaxsim {

using Blob = std::vector<uint8_t>;

// The three bytes of GetAttendantParameters / SetAttendantParameters.
struct AttendantParameters {
    uint8_t ReturnToAa;   // 0/1
    uint8_t GateMode;     // zax::TouchtoneGate
    uint8_t GateGreeting; // 1 to 40
};
ZAX_VISIT_FIELDS(AttendantParameters) {
    f(r.ReturnToAa);
    f(r.GateMode);
    f(r.GateGreeting);
}

// What the server has counted since its statistics were last reset
// (ResetStatistics), for one mailbox or one line. The usage and activity
// reports show these; a mailbox or line without counters has counted nothing.
struct UsageCounters {
    int32_t Calls;    // calls answered (a line) or taken for the mailbox
    int32_t Messages; // messages left
    int32_t Minutes;  // minutes connected (a line) or of messages stored
    int32_t Logins;   // the owner's log-ins (mailboxes only)
};
ZAX_VISIT_FIELDS(UsageCounters) {
    f(r.Calls);
    f(r.Messages);
    f(r.Minutes);
    f(r.Logins);
}

// How many entries the server's tables hold; CheckFreeEntry, CheckClidAdd
// and IsSiteTableFull answer from these.
struct Capacity {
    int16_t Mailboxes;
    int16_t GroupLists;
    int16_t ClidEntries;
    int16_t Sites;
};
ZAX_VISIT_FIELDS(Capacity) {
    f(r.Mailboxes);
    f(r.GroupLists);
    f(r.ClidEntries);
    f(r.Sites);
}

struct Mailbox {
    zax::MailboxRecord record{};
    // The owner has set the mailbox up from a telephone (QueryMailboxState).
    // A mailbox the administrator adds starts uninitialized.
    bool initialized = false;
    // The owner has replaced the default password with one of their own;
    // ChangeMailbox with its reset flag set puts the default back.
    bool passwordChanged = false;
    // One of the two mailboxes the server itself owns (the system manager's
    // and general delivery), made with the server and never deletable,
    // whatever it is named later; no other mailbox becomes one.
    bool systemMailbox = false;
};

// The names the server gives its own two mailboxes.
bool IsSystemMailboxName(const std::string& name);

struct GroupList {
    zax::GroupListRecord header{}; // ListNumber, ListName, Kind
    // One record per member, in the order they were added; each carries the
    // list number and the member fields of the list's kind.
    std::vector<zax::GroupListRecord> members;
};

// A greeting table's recording: table 1 to 4 and the prompt kind
// (zax::AaPromptKind or zax::SrPromptKind as a number).
struct PromptKey {
    int16_t table;
    int16_t kind;
    auto operator<=>(const PromptKey&) const = default;
};

struct SimState {
    zax::SystemInfo systemInfo{};
    Capacity capacity{};
    uint8_t vpimAvailable = 1; // IsVpimAvailable

    std::map<std::string, Mailbox> mailboxes;    // by mailbox number
    std::map<std::string, GroupList> groupLists; // by list number
    std::map<std::string, zax::ClidEntry> clid;  // by phone number
    std::array<zax::GreetingTableRecord, zax::GreetingTableCount> greetingTables{};
    // The custom call routing trees that exist (1 to 4) with the paths that
    // are valid in each; CLID entries and greeting tables refer to them.
    std::map<int16_t, std::set<std::string>> ccrTrees;
    std::vector<zax::LineEntry> lines; // line i+1 at index i; MaxLineNumber entries
    AttendantParameters attendant{};
    std::array<zax::CosRecord, zax::ClassOfServiceCount> classesOfService{};

    zax::FaxParameters fax{};
    zax::SystemParameters systemParameters{};
    zax::OperatorSettings operatorSettings{};
    zax::DialingParameters dialing{};
    zax::VoiceParameters voice{};
    zax::VoiceDialingRecord voiceDialing{};

    std::map<std::string, std::string> translations; // input (<= 14) -> output (<= 15)
    std::set<std::string> centrexRestrictions;       // 1 to 14 digits each

    zax::BlockingPeriodTable blockingPeriods{};
    zax::NetworkParameters network{};
    std::map<std::string, zax::NetworkSite> sites; // by site prefix

    std::map<int16_t, std::string> reports; // report number -> prepared text

    // Statistics since the last reset.
    std::map<std::string, UsageCounters> mailboxUsage; // by mailbox number
    std::map<int16_t, UsageCounters> portUsage;        // by line number (1 ...)

    std::map<PromptKey, Blob> aaPrompts;        // kind 0 primary, 1 alternate
    std::map<PromptKey, Blob> srPrompts;        // kind 0 main, 1 repeat, 2 decline, 3 confirm
    std::map<std::string, Blob> nameRecordings; // by directory entry (mailbox) number

    // The class-of-service names as GetCosNames returns them. They are the
    // names of the 16 CosRecords, so the two can never disagree.
    zax::CosNameTable CosNames() const;

    const zax::MailboxRecord* FindMailbox(const std::string& number) const;
    // The mailbox whose extension or alternate extension is `extension`.
    const zax::MailboxRecord* FindByExtension(const std::string& extension) const;
    // Numbers beginning with the group-list leading digit belong to group
    // lists while those are enabled.
    bool InGroupListRange(const std::string& number) const;
};

// The administration password of a new server, and the one "Reset Admin
// Password" (SetSystemParameters) puts back.
inline constexpr std::string_view DefaultAdminPassword = "1234";

// What GetSystemInfo reports of the system parameters: the group-lists flag
// where the client reads it, and in two bytes the client does not interpret
// the group list leading digit (13) and whether the system is bilingual (14).
// The server keeps them in step with every change of the parameters.
void MirrorSystemParameters(const zax::SystemParameters& parameters, zax::SystemInfo& info);

// Sets the fields of the greeting tables that mirror other state: the
// "recorded" flags from the prompts held, and the CCR-trees-defined bytes
// from the trees that exist. Call after a prompt transfer commits or the
// trees change.
void RefreshDerivedFields(SimState& state);
// The same for one table, as `state`'s prompts and trees say.
void RefreshDerivedFields(const SimState& state, zax::GreetingTableRecord& table);

// The names callers may say for a mailbox (its extended name, else its
// name, and its alias); none for a mailbox disabled for speech recognition
// or of a type callers do not reach by name.
std::vector<std::string> SpokenNames(const zax::MailboxRecord& record);
// The mailboxes that share a spoken name with another mailbox, as the
// server judges names alike (Homonyms.cpp), and the same written into each
// mailbox's homonym flag.
std::set<std::string> HomonymNumbers(const SimState& state);
void MarkHomonyms(SimState& state);

// Throws std::runtime_error naming the first inconsistency that would make
// the state unsafe to serve: a map key that differs from its record's key
// field, a table or class numbered out of place, a line table whose size
// differs from MaxLineNumber, a text too long for the field it travels in.
void ValidateState(const SimState& state);

// A small office: extension length 4, 8 lines, 4 pools, 16 named classes of
// service, about 40 mailboxes of every type, and plausible values everywhere else.
SimState MakeDemoState();

// The text the server prepares for report `number` (1 to 15) from the state;
// `argument` is the report's 8-byte argument (a mailbox number for report 5,
// else empty). The heading carries `preparedAt` as local date and time, or
// no date when it is 0. Empty for a number outside 1 to 15.
std::string BuildReportText(const SimState& state, int16_t number, const std::string& argument,
                            std::time_t preparedAt = 0);

} // namespace zaxsim
