#pragma once
// The records exchanged with the voice-mail server.
//
// Each record is a plain aggregate whose natural C++ layout is the record's
// memory image: the compiler's alignment inserts exactly the pad bytes the
// server expects, so no padding member is ever declared. Every offset and
// size is pinned below with static_assert; a layout change fails the build
// instead of corrupting the wire.
//
// VisitFields(record, f) calls f once per field, in record order (as
// f(field, "Name") when f takes the name too), including
// the fields the client never interprets (named ReservedN after their
// offset). The marshaller walks records only through it, which is why padding
// after the last field never goes on the wire. Nested records are passed as
// one field and have a visitor of their own; arrays are passed whole.
//
// Text fields are NUL-terminated, NUL-padded byte arrays of fixed size; use
// SetText/GetText rather than touching them directly.

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace zax {

// Hands one field to a visitor, with the field's name when the visitor
// takes one (f(field, name)), else alone (f(field)).
template <class F, class T> void VisitField(F& f, T& field, const char* name) {
    if constexpr (std::is_invocable_v<F&, T&, const char*>)
        f(field, name);
    else
        f(field);
}
#define ZAX_FIELD(x) VisitField(f, r.x, #x)

#define ZAX_VISIT_FIELDS(T)                                                                        \
    template <class R, class F>                                                                    \
    requires std::same_as<std::remove_const_t<R>, T>                                               \
    void VisitFields(R& r, F&& f)

// Copies `text` into a fixed text field: at most N-1 characters, so a
// terminator always fits, and every byte after the text zero.
template <size_t N> void SetText(char (&dst)[N], std::string_view text) {
    static_assert(N > 0);
    const size_t n = std::min(text.size(), N - 1);
    std::memset(dst, 0, N);
    if (n)
        std::memcpy(dst, text.data(), n);
}

// The text of a fixed field, up to its first NUL; a field without one (the
// server may fill it completely) yields all N bytes.
template <size_t N> std::string GetText(const char (&src)[N]) {
    const auto* end = static_cast<const char*>(std::memchr(src, 0, N));
    return std::string(src, end ? static_cast<size_t>(end - src) : N);
}

// ---------------------------------------------------------------------------
// System information (GetSystemInfo)

inline constexpr int16_t RequiredCompatibilityLevel = 16;

// Report destinations (SystemInfo::PrintDestination).
inline constexpr int16_t PrintOnKorPrinter = 0;
inline constexpr int16_t PrintDisplayLocally = 2;

// Minimum and maximum of one class-of-service value.
struct CosLimit {
    int16_t Low;
    int16_t High;
};
ZAX_VISIT_FIELDS(CosLimit) {
    ZAX_FIELD(Low);
    ZAX_FIELD(High);
}
static_assert(offsetof(CosLimit, Low) == 0);
static_assert(offsetof(CosLimit, High) == 2);
static_assert(sizeof(CosLimit) == 4);

// Indices into SystemInfo::CosLimits, in the server's order.
enum CosLimitIndex : size_t {
    CosMailboxMessageTime,
    CosMessageLength,
    CosRetentionPeriod,
    CosGreetingLength,
    CosRetryInterval,
    CosNumberOfAttempts,
    CosIncorrectPasswordAttempts,
    CosPasswordExpiry,
    CosLimitCount
};

struct SystemInfo {
    int16_t MaxLineNumber;
    int16_t MaxPoolNumber;
    int16_t ExtensionLength;
    int16_t Reserved6;
    int16_t Reserved8;
    int16_t LanguageCode;
    uint8_t Reserved12;
    uint8_t Reserved13;
    uint8_t Reserved14;
    uint8_t GroupListsEnabled;
    int16_t Reserved16;
    char AdminPassword[31];
    int16_t MaxOutcallChannels;
    int16_t MaxCcrPathLength;
    uint8_t CentrexAvailable;
    char ServerAddress[31];
    int16_t CompatibilityLevel;
    int16_t PrintDestination;
    char DefaultEditor[80];
    uint8_t NetworkGroupListEnabled;
    CosLimit CosLimits[CosLimitCount];
};
ZAX_VISIT_FIELDS(SystemInfo) {
    ZAX_FIELD(MaxLineNumber);
    ZAX_FIELD(MaxPoolNumber);
    ZAX_FIELD(ExtensionLength);
    ZAX_FIELD(Reserved6);
    ZAX_FIELD(Reserved8);
    ZAX_FIELD(LanguageCode);
    ZAX_FIELD(Reserved12);
    ZAX_FIELD(Reserved13);
    ZAX_FIELD(Reserved14);
    ZAX_FIELD(GroupListsEnabled);
    ZAX_FIELD(Reserved16);
    ZAX_FIELD(AdminPassword);
    ZAX_FIELD(MaxOutcallChannels);
    ZAX_FIELD(MaxCcrPathLength);
    ZAX_FIELD(CentrexAvailable);
    ZAX_FIELD(ServerAddress);
    ZAX_FIELD(CompatibilityLevel);
    ZAX_FIELD(PrintDestination);
    ZAX_FIELD(DefaultEditor);
    ZAX_FIELD(NetworkGroupListEnabled);
    ZAX_FIELD(CosLimits);
}
static_assert(offsetof(SystemInfo, MaxLineNumber) == 0);
static_assert(offsetof(SystemInfo, MaxPoolNumber) == 2);
static_assert(offsetof(SystemInfo, ExtensionLength) == 4);
static_assert(offsetof(SystemInfo, Reserved6) == 6);
static_assert(offsetof(SystemInfo, Reserved8) == 8);
static_assert(offsetof(SystemInfo, LanguageCode) == 10);
static_assert(offsetof(SystemInfo, Reserved12) == 12);
static_assert(offsetof(SystemInfo, Reserved13) == 13);
static_assert(offsetof(SystemInfo, Reserved14) == 14);
static_assert(offsetof(SystemInfo, GroupListsEnabled) == 15);
static_assert(offsetof(SystemInfo, Reserved16) == 16);
static_assert(offsetof(SystemInfo, AdminPassword) == 18);
static_assert(offsetof(SystemInfo, MaxOutcallChannels) == 50);
static_assert(offsetof(SystemInfo, MaxCcrPathLength) == 52);
static_assert(offsetof(SystemInfo, CentrexAvailable) == 54);
static_assert(offsetof(SystemInfo, ServerAddress) == 55);
static_assert(offsetof(SystemInfo, CompatibilityLevel) == 86);
static_assert(offsetof(SystemInfo, PrintDestination) == 88);
static_assert(offsetof(SystemInfo, DefaultEditor) == 90);
static_assert(offsetof(SystemInfo, NetworkGroupListEnabled) == 170);
static_assert(offsetof(SystemInfo, CosLimits) == 172);
static_assert(sizeof(SystemInfo) == 204);

// ---------------------------------------------------------------------------
// Mailboxes and their enumeration

// 1, 3, 4 and 11 are subscribers of kinds the server creates itself; 7 and
// 8 are codes the server keeps for itself and the client cannot edit.
enum class MailboxType : int16_t {
    Subscriber = 0,
    ServerSubscriber1 = 1,
    Information = 2,
    ServerSubscriber3 = 3,
    ServerSubscriber4 = 4,
    FaxOnDemand = 5,
    FaxOverflow = 6,
    Reserved7 = 7,
    Reserved8 = 8,
    Amis = 9,
    Network = 10,
    ServerSubscriber11 = 11,
};

// The two mailboxes the server itself owns; the only names longer than 16
// characters it accepts, and it refuses to delete them.
inline constexpr std::string_view SystemManagerName = "SYSTEM_MANAGER,MB";
inline constexpr std::string_view GeneralDeliveryName = "GENERAL_DELIVERY,MB";

// FindFirstEntry / CheckFreeEntry kinds.
enum class EntryKind : int16_t { Mailbox = 1, GroupList = 2 };

// MailboxRecord::OutdialKind.
enum class OutdialKind : int16_t { Line = 1, Pool = 2, None = 3 };

inline constexpr int ClassOfServiceCount = 16;

struct EntrySummary {
    char Number[8];
    char Name[21];
    int16_t Type;
    int16_t GroupKind; // group lists only: 0 voice, otherwise fax
    char ExtendedName[41];
    char Alias[41];
    uint8_t SpeechDisabled;
    uint8_t Homonym;
};
ZAX_VISIT_FIELDS(EntrySummary) {
    ZAX_FIELD(Number);
    ZAX_FIELD(Name);
    ZAX_FIELD(Type);
    ZAX_FIELD(GroupKind);
    ZAX_FIELD(ExtendedName);
    ZAX_FIELD(Alias);
    ZAX_FIELD(SpeechDisabled);
    ZAX_FIELD(Homonym);
}
static_assert(offsetof(EntrySummary, Number) == 0);
static_assert(offsetof(EntrySummary, Name) == 8);
static_assert(offsetof(EntrySummary, Type) == 30);
static_assert(offsetof(EntrySummary, GroupKind) == 32);
static_assert(offsetof(EntrySummary, ExtendedName) == 34);
static_assert(offsetof(EntrySummary, Alias) == 75);
static_assert(offsetof(EntrySummary, SpeechDisabled) == 116);
static_assert(offsetof(EntrySummary, Homonym) == 117);
static_assert(sizeof(EntrySummary) == 118);

struct MailboxRecord {
    char Number[8];
    char Name[21]; // LAST,FIRST
    int16_t Type;
    uint8_t ClassOfService; // 1 to 16
    char Extension[8];
    char AlternateExtension1[8];
    char AlternateExtension2[8];
    int16_t FaxLine;
    int16_t MessageWaiting;
    uint8_t Directory;
    uint8_t CallScreening;
    int16_t OutdialKind;
    int16_t OutdialNumber;
    int16_t FaxRetries;
    int16_t FaxInterval;
    char RemotePhoneNumber[31];
    char RemoteMailbox[17];
    char SitePrefix[10];
    char ExtendedName[41];
    char Alias[41];
    uint8_t SpeechDisabled;
    uint8_t Homonym;
};
ZAX_VISIT_FIELDS(MailboxRecord) {
    ZAX_FIELD(Number);
    ZAX_FIELD(Name);
    ZAX_FIELD(Type);
    ZAX_FIELD(ClassOfService);
    ZAX_FIELD(Extension);
    ZAX_FIELD(AlternateExtension1);
    ZAX_FIELD(AlternateExtension2);
    ZAX_FIELD(FaxLine);
    ZAX_FIELD(MessageWaiting);
    ZAX_FIELD(Directory);
    ZAX_FIELD(CallScreening);
    ZAX_FIELD(OutdialKind);
    ZAX_FIELD(OutdialNumber);
    ZAX_FIELD(FaxRetries);
    ZAX_FIELD(FaxInterval);
    ZAX_FIELD(RemotePhoneNumber);
    ZAX_FIELD(RemoteMailbox);
    ZAX_FIELD(SitePrefix);
    ZAX_FIELD(ExtendedName);
    ZAX_FIELD(Alias);
    ZAX_FIELD(SpeechDisabled);
    ZAX_FIELD(Homonym);
}
static_assert(offsetof(MailboxRecord, Number) == 0);
static_assert(offsetof(MailboxRecord, Name) == 8);
static_assert(offsetof(MailboxRecord, Type) == 30);
static_assert(offsetof(MailboxRecord, ClassOfService) == 32);
static_assert(offsetof(MailboxRecord, Extension) == 33);
static_assert(offsetof(MailboxRecord, AlternateExtension1) == 41);
static_assert(offsetof(MailboxRecord, AlternateExtension2) == 49);
static_assert(offsetof(MailboxRecord, FaxLine) == 58);
static_assert(offsetof(MailboxRecord, MessageWaiting) == 60);
static_assert(offsetof(MailboxRecord, Directory) == 62);
static_assert(offsetof(MailboxRecord, CallScreening) == 63);
static_assert(offsetof(MailboxRecord, OutdialKind) == 64);
static_assert(offsetof(MailboxRecord, OutdialNumber) == 66);
static_assert(offsetof(MailboxRecord, FaxRetries) == 68);
static_assert(offsetof(MailboxRecord, FaxInterval) == 70);
static_assert(offsetof(MailboxRecord, RemotePhoneNumber) == 72);
static_assert(offsetof(MailboxRecord, RemoteMailbox) == 103);
static_assert(offsetof(MailboxRecord, SitePrefix) == 120);
static_assert(offsetof(MailboxRecord, ExtendedName) == 130);
static_assert(offsetof(MailboxRecord, Alias) == 171);
static_assert(offsetof(MailboxRecord, SpeechDisabled) == 212);
static_assert(offsetof(MailboxRecord, Homonym) == 213);
static_assert(sizeof(MailboxRecord) == 214);

// The names of classes of service 1 to 16, in class order.
struct CosNameTable {
    char Names[ClassOfServiceCount][21];
};
ZAX_VISIT_FIELDS(CosNameTable) {
    ZAX_FIELD(Names);
}
static_assert(offsetof(CosNameTable, Names) == 0);
static_assert(sizeof(CosNameTable) == 336);

// ---------------------------------------------------------------------------
// Group lists

// GroupListRecord::Kind: of a header the list's kind, of a member the
// member's kind, which is always the list's.
enum class GroupListKind : int16_t { Voice = 0, Fax = 1 };

// GroupListRecord::FaxRoute.
enum class FaxRoute : int16_t { ByExtension = 0, ByLine = 1, ByPool = 2 };

// Carries either a list header (number, name, kind) or one member, always
// with the list number; fields that do not apply are zero.
struct GroupListRecord {
    char ListNumber[8];
    char ListName[21];
    int16_t Kind;
    char MemberMailbox[8];
    char MemberMailboxName[21];
    char FaxMemberName[21];
    int16_t FaxRoute;
    int16_t LineOrPoolNumber;
    char DialString[31];
};
ZAX_VISIT_FIELDS(GroupListRecord) {
    ZAX_FIELD(ListNumber);
    ZAX_FIELD(ListName);
    ZAX_FIELD(Kind);
    ZAX_FIELD(MemberMailbox);
    ZAX_FIELD(MemberMailboxName);
    ZAX_FIELD(FaxMemberName);
    ZAX_FIELD(FaxRoute);
    ZAX_FIELD(LineOrPoolNumber);
    ZAX_FIELD(DialString);
}
static_assert(offsetof(GroupListRecord, ListNumber) == 0);
static_assert(offsetof(GroupListRecord, ListName) == 8);
static_assert(offsetof(GroupListRecord, Kind) == 30);
static_assert(offsetof(GroupListRecord, MemberMailbox) == 32);
static_assert(offsetof(GroupListRecord, MemberMailboxName) == 40);
static_assert(offsetof(GroupListRecord, FaxMemberName) == 61);
static_assert(offsetof(GroupListRecord, FaxRoute) == 82);
static_assert(offsetof(GroupListRecord, LineOrPoolNumber) == 84);
static_assert(offsetof(GroupListRecord, DialString) == 86);
static_assert(sizeof(GroupListRecord) == 118);

// ---------------------------------------------------------------------------
// Classes of service

struct CosRecord {
    int16_t ClassNumber;
    int16_t PromptLanguage; // 0 primary, 1 alternate
    int16_t MaxMailboxMessageTime;
    int16_t MaxMessageLength;
    int16_t MessageRetentionPeriod;
    uint8_t Reserved10;
    int16_t MaxGreetingLength;
    uint8_t Reserved14;
    uint8_t OffPremiseMessageNotification;
    int16_t RetryInterval;
    int16_t MaxNumberOfAttempts;
    uint8_t Reserved20;
    uint8_t PersonalTargetAttendant;
    uint8_t Reserved22;
    uint8_t OutboundTransfer;
    uint8_t Reserved24;
    uint8_t MaxIncorrectPasswordAttempts;
    int16_t PasswordExpiry;
    char Name[21];
    uint8_t Networking;
    uint8_t RecordCallAllowed;
};
ZAX_VISIT_FIELDS(CosRecord) {
    ZAX_FIELD(ClassNumber);
    ZAX_FIELD(PromptLanguage);
    ZAX_FIELD(MaxMailboxMessageTime);
    ZAX_FIELD(MaxMessageLength);
    ZAX_FIELD(MessageRetentionPeriod);
    ZAX_FIELD(Reserved10);
    ZAX_FIELD(MaxGreetingLength);
    ZAX_FIELD(Reserved14);
    ZAX_FIELD(OffPremiseMessageNotification);
    ZAX_FIELD(RetryInterval);
    ZAX_FIELD(MaxNumberOfAttempts);
    ZAX_FIELD(Reserved20);
    ZAX_FIELD(PersonalTargetAttendant);
    ZAX_FIELD(Reserved22);
    ZAX_FIELD(OutboundTransfer);
    ZAX_FIELD(Reserved24);
    ZAX_FIELD(MaxIncorrectPasswordAttempts);
    ZAX_FIELD(PasswordExpiry);
    ZAX_FIELD(Name);
    ZAX_FIELD(Networking);
    ZAX_FIELD(RecordCallAllowed);
}
static_assert(offsetof(CosRecord, ClassNumber) == 0);
static_assert(offsetof(CosRecord, PromptLanguage) == 2);
static_assert(offsetof(CosRecord, MaxMailboxMessageTime) == 4);
static_assert(offsetof(CosRecord, MaxMessageLength) == 6);
static_assert(offsetof(CosRecord, MessageRetentionPeriod) == 8);
static_assert(offsetof(CosRecord, Reserved10) == 10);
static_assert(offsetof(CosRecord, MaxGreetingLength) == 12);
static_assert(offsetof(CosRecord, Reserved14) == 14);
static_assert(offsetof(CosRecord, OffPremiseMessageNotification) == 15);
static_assert(offsetof(CosRecord, RetryInterval) == 16);
static_assert(offsetof(CosRecord, MaxNumberOfAttempts) == 18);
static_assert(offsetof(CosRecord, Reserved20) == 20);
static_assert(offsetof(CosRecord, PersonalTargetAttendant) == 21);
static_assert(offsetof(CosRecord, Reserved22) == 22);
static_assert(offsetof(CosRecord, OutboundTransfer) == 23);
static_assert(offsetof(CosRecord, Reserved24) == 24);
static_assert(offsetof(CosRecord, MaxIncorrectPasswordAttempts) == 25);
static_assert(offsetof(CosRecord, PasswordExpiry) == 26);
static_assert(offsetof(CosRecord, Name) == 28);
static_assert(offsetof(CosRecord, Networking) == 49);
static_assert(offsetof(CosRecord, RecordCallAllowed) == 50);
static_assert(sizeof(CosRecord) == 52);

// ---------------------------------------------------------------------------
// Auto attendant: lines, greeting tables, voice dialing

inline constexpr int GreetingTableCount = 4;
inline constexpr int CcrTreeCount = 4;
inline constexpr int GreetingNumberMax = 40;

// Touchtone gate modes of the general auto-attendant parameters.
enum class TouchtoneGate : uint8_t { None = 0, Standard = 1, Custom = 2 };

// One line as GetLines returns it; entry i describes line i+1.
struct LineEntry {
    uint8_t AnswerFlag;
    uint8_t GreetingTable;
    uint8_t Rings;
};
ZAX_VISIT_FIELDS(LineEntry) {
    ZAX_FIELD(AnswerFlag);
    ZAX_FIELD(GreetingTable);
    ZAX_FIELD(Rings);
}
static_assert(offsetof(LineEntry, AnswerFlag) == 0);
static_assert(offsetof(LineEntry, GreetingTable) == 1);
static_assert(offsetof(LineEntry, Rings) == 2);
static_assert(sizeof(LineEntry) == 3);

// Days and periods of GreetingTableRecord::Hours and BlockingPeriodTable.
inline constexpr int DaysPerWeek = 7; // Monday first
inline constexpr int PeriodsPerDay = 4;
enum GreetingPeriod : size_t { MorningPeriod, AfternoonPeriod, EveningPeriod, NonBusinessPeriod };

// The start of one greeting period.
struct HoursEntry {
    int16_t Reserved0;
    int16_t Hour;
    int16_t Minute;
};
ZAX_VISIT_FIELDS(HoursEntry) {
    ZAX_FIELD(Reserved0);
    ZAX_FIELD(Hour);
    ZAX_FIELD(Minute);
}
static_assert(offsetof(HoursEntry, Reserved0) == 0);
static_assert(offsetof(HoursEntry, Hour) == 2);
static_assert(offsetof(HoursEntry, Minute) == 4);
static_assert(sizeof(HoursEntry) == 6);

// 216 bytes in memory; the trailing pad byte is not sent (215 on the wire).
struct GreetingTableRecord {
    int16_t TableNumber;
    int16_t StandardPrompts; // 0 = the custom menu prompts are used
    int16_t LanguagePreference;
    int16_t MorningGreeting;
    int16_t AfternoonGreeting;
    int16_t EveningGreeting;
    int16_t NonBusinessGreeting;
    char AttendantExtension[8];
    uint8_t Reserved22;
    int16_t CcrTree;         // 0 = none
    char CcrTreesDefined[9]; // byte k > ' ' when tree k+1 exists
    HoursEntry Hours[DaysPerWeek][PeriodsPerDay];
    uint8_t SpeechRecognitionEnabled;
    uint8_t MainPromptCustom;
    uint8_t RepeatPromptCustom;
    uint8_t ConfirmPromptCustom;
    uint8_t DeclinePromptCustom;
    uint8_t MainPromptRecorded;
    uint8_t RepeatPromptRecorded;
    uint8_t ConfirmPromptRecorded;
    uint8_t DeclinePromptRecorded;
    uint8_t PrimaryAaPromptRecorded;
    uint8_t AlternateAaPromptRecorded;
};
ZAX_VISIT_FIELDS(GreetingTableRecord) {
    ZAX_FIELD(TableNumber);
    ZAX_FIELD(StandardPrompts);
    ZAX_FIELD(LanguagePreference);
    ZAX_FIELD(MorningGreeting);
    ZAX_FIELD(AfternoonGreeting);
    ZAX_FIELD(EveningGreeting);
    ZAX_FIELD(NonBusinessGreeting);
    ZAX_FIELD(AttendantExtension);
    ZAX_FIELD(Reserved22);
    ZAX_FIELD(CcrTree);
    ZAX_FIELD(CcrTreesDefined);
    ZAX_FIELD(Hours);
    ZAX_FIELD(SpeechRecognitionEnabled);
    ZAX_FIELD(MainPromptCustom);
    ZAX_FIELD(RepeatPromptCustom);
    ZAX_FIELD(ConfirmPromptCustom);
    ZAX_FIELD(DeclinePromptCustom);
    ZAX_FIELD(MainPromptRecorded);
    ZAX_FIELD(RepeatPromptRecorded);
    ZAX_FIELD(ConfirmPromptRecorded);
    ZAX_FIELD(DeclinePromptRecorded);
    ZAX_FIELD(PrimaryAaPromptRecorded);
    ZAX_FIELD(AlternateAaPromptRecorded);
}
static_assert(offsetof(GreetingTableRecord, TableNumber) == 0);
static_assert(offsetof(GreetingTableRecord, StandardPrompts) == 2);
static_assert(offsetof(GreetingTableRecord, LanguagePreference) == 4);
static_assert(offsetof(GreetingTableRecord, MorningGreeting) == 6);
static_assert(offsetof(GreetingTableRecord, AfternoonGreeting) == 8);
static_assert(offsetof(GreetingTableRecord, EveningGreeting) == 10);
static_assert(offsetof(GreetingTableRecord, NonBusinessGreeting) == 12);
static_assert(offsetof(GreetingTableRecord, AttendantExtension) == 14);
static_assert(offsetof(GreetingTableRecord, Reserved22) == 22);
static_assert(offsetof(GreetingTableRecord, CcrTree) == 24);
static_assert(offsetof(GreetingTableRecord, CcrTreesDefined) == 26);
static_assert(offsetof(GreetingTableRecord, Hours) == 36);
static_assert(offsetof(GreetingTableRecord, SpeechRecognitionEnabled) == 204);
static_assert(offsetof(GreetingTableRecord, MainPromptCustom) == 205);
static_assert(offsetof(GreetingTableRecord, RepeatPromptCustom) == 206);
static_assert(offsetof(GreetingTableRecord, ConfirmPromptCustom) == 207);
static_assert(offsetof(GreetingTableRecord, DeclinePromptCustom) == 208);
static_assert(offsetof(GreetingTableRecord, MainPromptRecorded) == 209);
static_assert(offsetof(GreetingTableRecord, RepeatPromptRecorded) == 210);
static_assert(offsetof(GreetingTableRecord, ConfirmPromptRecorded) == 211);
static_assert(offsetof(GreetingTableRecord, DeclinePromptRecorded) == 212);
static_assert(offsetof(GreetingTableRecord, PrimaryAaPromptRecorded) == 213);
static_assert(offsetof(GreetingTableRecord, AlternateAaPromptRecorded) == 214);
static_assert(sizeof(GreetingTableRecord) == 216);
// Entry (day d, period p) at 36 + (d * 4 + p) * 6, as the server lays it out.
static_assert(sizeof(GreetingTableRecord::Hours) == DaysPerWeek * PeriodsPerDay * 6);

// Prompt kinds of the greeting tables' recordings.
enum class AaPromptKind : int32_t { Primary = 0, Alternate = 1 };
enum class SrPromptKind : int16_t { Main = 0, Repeat = 1, Decline = 2, Confirm = 3 };

// The voice-activated-dialing switch (GetVoiceDialing / SetVoiceDialing).
struct VoiceDialingRecord {
    uint8_t Enabled;
};
ZAX_VISIT_FIELDS(VoiceDialingRecord) {
    ZAX_FIELD(Enabled);
}
static_assert(offsetof(VoiceDialingRecord, Enabled) == 0);
static_assert(sizeof(VoiceDialingRecord) == 1);

// ---------------------------------------------------------------------------
// Calling line identification

enum class ClidTarget : int16_t { Table = 1, Extension = 2, CcrTree = 3, Mailbox = 4 };

// Only the fields of the entry's own target type are meaningful; the others are zero.
struct ClidEntry {
    char PhoneNumber[17]; // the key
    int16_t TargetType;
    int16_t GreetingTable;
    char Extension[8];
    char Mailbox[8];
    int16_t CcrTree;
    char CcrTreePath[12];
};
ZAX_VISIT_FIELDS(ClidEntry) {
    ZAX_FIELD(PhoneNumber);
    ZAX_FIELD(TargetType);
    ZAX_FIELD(GreetingTable);
    ZAX_FIELD(Extension);
    ZAX_FIELD(Mailbox);
    ZAX_FIELD(CcrTree);
    ZAX_FIELD(CcrTreePath);
}
static_assert(offsetof(ClidEntry, PhoneNumber) == 0);
static_assert(offsetof(ClidEntry, TargetType) == 18);
static_assert(offsetof(ClidEntry, GreetingTable) == 20);
static_assert(offsetof(ClidEntry, Extension) == 22);
static_assert(offsetof(ClidEntry, Mailbox) == 30);
static_assert(offsetof(ClidEntry, CcrTree) == 38);
static_assert(offsetof(ClidEntry, CcrTreePath) == 40);
static_assert(sizeof(ClidEntry) == 52);

// ---------------------------------------------------------------------------
// Dialing translation

// Sizes of the digit strings of the translation and Centrex procedures.
inline constexpr size_t TranslationInputSize = 15;  // up to 14 digits
inline constexpr size_t TranslationOutputSize = 16; // up to 15 digits
inline constexpr size_t CentrexRestrictionSize = 15;

struct DialingParameters {
    char LongDistanceAccessCode[3];
    char AreaCode[7];
    char AccessCode[3];
    uint8_t ReplyTranslate;
};
ZAX_VISIT_FIELDS(DialingParameters) {
    ZAX_FIELD(LongDistanceAccessCode);
    ZAX_FIELD(AreaCode);
    ZAX_FIELD(AccessCode);
    ZAX_FIELD(ReplyTranslate);
}
static_assert(offsetof(DialingParameters, LongDistanceAccessCode) == 0);
static_assert(offsetof(DialingParameters, AreaCode) == 3);
static_assert(offsetof(DialingParameters, AccessCode) == 10);
static_assert(offsetof(DialingParameters, ReplyTranslate) == 13);
static_assert(sizeof(DialingParameters) == 14);

// ---------------------------------------------------------------------------
// Operator, fax and system parameters

struct OperatorSettings {
    uint8_t AttendantAvailable;
    uint8_t BusinessOpen;
    uint8_t AnswerLines;
    uint8_t ResetOperatorPassword; // a request, never stored
    char AttendantExtension[8];
};
ZAX_VISIT_FIELDS(OperatorSettings) {
    ZAX_FIELD(AttendantAvailable);
    ZAX_FIELD(BusinessOpen);
    ZAX_FIELD(AnswerLines);
    ZAX_FIELD(ResetOperatorPassword);
    ZAX_FIELD(AttendantExtension);
}
static_assert(offsetof(OperatorSettings, AttendantAvailable) == 0);
static_assert(offsetof(OperatorSettings, BusinessOpen) == 1);
static_assert(offsetof(OperatorSettings, AnswerLines) == 2);
static_assert(offsetof(OperatorSettings, ResetOperatorPassword) == 3);
static_assert(offsetof(OperatorSettings, AttendantExtension) == 4);
static_assert(sizeof(OperatorSettings) == 12);

struct FaxParameters {
    int16_t Reserved0;
    uint8_t Reserved2;
    uint8_t Reserved3;
    char SystemFaxExtension[8];
    char SystemFaxName[21];
    int16_t Retries;
    int16_t Interval;
};
ZAX_VISIT_FIELDS(FaxParameters) {
    ZAX_FIELD(Reserved0);
    ZAX_FIELD(Reserved2);
    ZAX_FIELD(Reserved3);
    ZAX_FIELD(SystemFaxExtension);
    ZAX_FIELD(SystemFaxName);
    ZAX_FIELD(Retries);
    ZAX_FIELD(Interval);
}
static_assert(offsetof(FaxParameters, Reserved0) == 0);
static_assert(offsetof(FaxParameters, Reserved2) == 2);
static_assert(offsetof(FaxParameters, Reserved3) == 3);
static_assert(offsetof(FaxParameters, SystemFaxExtension) == 4);
static_assert(offsetof(FaxParameters, SystemFaxName) == 12);
static_assert(offsetof(FaxParameters, Retries) == 34);
static_assert(offsetof(FaxParameters, Interval) == 36);
static_assert(sizeof(FaxParameters) == 38);

// SystemParameters::DirectorySearch.
enum class DirectorySearch : int16_t { LastName = 0, FirstName = 1, Both = 2 };
// SystemParameters::PrimaryLanguage and SecondaryLanguage.
enum class PromptLanguageCode : int16_t { English = 1, French = 2, Spanish = 3 };

struct SystemParameters {
    char VoiceMailVersion[31];
    int16_t OutcallingChannels;
    uint8_t VoiceMailEnabled;
    uint8_t GroupListsEnabled;
    uint8_t GroupListLeadingDigit; // the digit's value 1 to 9, not its character
    uint8_t ExternalInitialization;
    uint8_t DirectoryAvailable;
    int16_t DirectorySearch;
    uint8_t GeneralDeliveryMailbox;
    uint8_t Bilingual;
    int16_t PrimaryLanguage;
    int16_t SecondaryLanguage;
    uint8_t ResetAdminPassword; // a request, never stored
    uint8_t RedirectDn;         // 0 = yes
};
ZAX_VISIT_FIELDS(SystemParameters) {
    ZAX_FIELD(VoiceMailVersion);
    ZAX_FIELD(OutcallingChannels);
    ZAX_FIELD(VoiceMailEnabled);
    ZAX_FIELD(GroupListsEnabled);
    ZAX_FIELD(GroupListLeadingDigit);
    ZAX_FIELD(ExternalInitialization);
    ZAX_FIELD(DirectoryAvailable);
    ZAX_FIELD(DirectorySearch);
    ZAX_FIELD(GeneralDeliveryMailbox);
    ZAX_FIELD(Bilingual);
    ZAX_FIELD(PrimaryLanguage);
    ZAX_FIELD(SecondaryLanguage);
    ZAX_FIELD(ResetAdminPassword);
    ZAX_FIELD(RedirectDn);
}
static_assert(offsetof(SystemParameters, VoiceMailVersion) == 0);
static_assert(offsetof(SystemParameters, OutcallingChannels) == 32);
static_assert(offsetof(SystemParameters, VoiceMailEnabled) == 34);
static_assert(offsetof(SystemParameters, GroupListsEnabled) == 35);
static_assert(offsetof(SystemParameters, GroupListLeadingDigit) == 36);
static_assert(offsetof(SystemParameters, ExternalInitialization) == 37);
static_assert(offsetof(SystemParameters, DirectoryAvailable) == 38);
static_assert(offsetof(SystemParameters, DirectorySearch) == 40);
static_assert(offsetof(SystemParameters, GeneralDeliveryMailbox) == 42);
static_assert(offsetof(SystemParameters, Bilingual) == 43);
static_assert(offsetof(SystemParameters, PrimaryLanguage) == 44);
static_assert(offsetof(SystemParameters, SecondaryLanguage) == 46);
static_assert(offsetof(SystemParameters, ResetAdminPassword) == 48);
static_assert(offsetof(SystemParameters, RedirectDn) == 49);
static_assert(sizeof(SystemParameters) == 50);

// ---------------------------------------------------------------------------
// Networking

// Outgoing route of AMIS networking and of AMIS sites.
enum class RouteKind : int16_t { Line = 1, Pool = 2 };

// One record for the general, AMIS and digital procedures; each writer sets
// only its own fields and leaves the rest zero.
struct NetworkParameters {
    uint8_t NetworkReceive;
    uint8_t NetworkDeliver;
    uint8_t NetworkReply;
    uint8_t NetworkBroadcast;
    uint8_t NetworkGroupList;
    uint8_t IncludeSystemName;
    uint8_t IncludeSenderName;
    uint8_t LoopbackEnabled;
    int16_t OutgoingRouteKind;
    int16_t LineOrPoolNumber;
    char InternationalAccessCode[5];
    char CountryCode[5];
    char AreaCode[7];
    char TelephoneNumber[17];
    uint8_t NetworkRetry;
    uint8_t NetworkDelay; // minutes
    char SmtpProxyName[129];
    char LocalPrefix[10];
};
ZAX_VISIT_FIELDS(NetworkParameters) {
    ZAX_FIELD(NetworkReceive);
    ZAX_FIELD(NetworkDeliver);
    ZAX_FIELD(NetworkReply);
    ZAX_FIELD(NetworkBroadcast);
    ZAX_FIELD(NetworkGroupList);
    ZAX_FIELD(IncludeSystemName);
    ZAX_FIELD(IncludeSenderName);
    ZAX_FIELD(LoopbackEnabled);
    ZAX_FIELD(OutgoingRouteKind);
    ZAX_FIELD(LineOrPoolNumber);
    ZAX_FIELD(InternationalAccessCode);
    ZAX_FIELD(CountryCode);
    ZAX_FIELD(AreaCode);
    ZAX_FIELD(TelephoneNumber);
    ZAX_FIELD(NetworkRetry);
    ZAX_FIELD(NetworkDelay);
    ZAX_FIELD(SmtpProxyName);
    ZAX_FIELD(LocalPrefix);
}
static_assert(offsetof(NetworkParameters, NetworkReceive) == 0);
static_assert(offsetof(NetworkParameters, NetworkDeliver) == 1);
static_assert(offsetof(NetworkParameters, NetworkReply) == 2);
static_assert(offsetof(NetworkParameters, NetworkBroadcast) == 3);
static_assert(offsetof(NetworkParameters, NetworkGroupList) == 4);
static_assert(offsetof(NetworkParameters, IncludeSystemName) == 5);
static_assert(offsetof(NetworkParameters, IncludeSenderName) == 6);
static_assert(offsetof(NetworkParameters, LoopbackEnabled) == 7);
static_assert(offsetof(NetworkParameters, OutgoingRouteKind) == 8);
static_assert(offsetof(NetworkParameters, LineOrPoolNumber) == 10);
static_assert(offsetof(NetworkParameters, InternationalAccessCode) == 12);
static_assert(offsetof(NetworkParameters, CountryCode) == 17);
static_assert(offsetof(NetworkParameters, AreaCode) == 22);
static_assert(offsetof(NetworkParameters, TelephoneNumber) == 29);
static_assert(offsetof(NetworkParameters, NetworkRetry) == 46);
static_assert(offsetof(NetworkParameters, NetworkDelay) == 47);
static_assert(offsetof(NetworkParameters, SmtpProxyName) == 48);
static_assert(offsetof(NetworkParameters, LocalPrefix) == 177);
static_assert(sizeof(NetworkParameters) == 188);

// One span of time during which AMIS calls are not placed.
struct BlockingPeriod {
    uint8_t FromHour;
    uint8_t FromMinute;
    uint8_t ToHour;
    uint8_t ToMinute;
};
ZAX_VISIT_FIELDS(BlockingPeriod) {
    ZAX_FIELD(FromHour);
    ZAX_FIELD(FromMinute);
    ZAX_FIELD(ToHour);
    ZAX_FIELD(ToMinute);
}
static_assert(offsetof(BlockingPeriod, FromHour) == 0);
static_assert(offsetof(BlockingPeriod, FromMinute) == 1);
static_assert(offsetof(BlockingPeriod, ToHour) == 2);
static_assert(offsetof(BlockingPeriod, ToMinute) == 3);
static_assert(sizeof(BlockingPeriod) == 4);

struct BlockingPeriodTable {
    BlockingPeriod Periods[DaysPerWeek][PeriodsPerDay]; // day (Monday first), then period
};
ZAX_VISIT_FIELDS(BlockingPeriodTable) {
    ZAX_FIELD(Periods);
}
static_assert(offsetof(BlockingPeriodTable, Periods) == 0);
static_assert(sizeof(BlockingPeriodTable) == 112);

// NetworkSite::SiteType.
enum class SiteType : int16_t { Digital = 1, Amis = 2 };
// NetworkSite::VoiceFormat.
enum class SiteVoiceFormat : int16_t { Adpcm = 0, Sbc = 1, Vpim = 2 };

struct NetworkSite {
    char SiteName[17];
    char SitePrefix[10]; // the key
    int16_t SiteType;
    int16_t OutgoingRouteKind;
    int16_t LineOrPoolNumber;
    char TelephoneNumber[30]; // may fill the field without a terminator
    char HostName[129];
    int16_t VoiceFormat;
    char MailboxPrefix[10];
};
ZAX_VISIT_FIELDS(NetworkSite) {
    ZAX_FIELD(SiteName);
    ZAX_FIELD(SitePrefix);
    ZAX_FIELD(SiteType);
    ZAX_FIELD(OutgoingRouteKind);
    ZAX_FIELD(LineOrPoolNumber);
    ZAX_FIELD(TelephoneNumber);
    ZAX_FIELD(HostName);
    ZAX_FIELD(VoiceFormat);
    ZAX_FIELD(MailboxPrefix);
}
static_assert(offsetof(NetworkSite, SiteName) == 0);
static_assert(offsetof(NetworkSite, SitePrefix) == 17);
static_assert(offsetof(NetworkSite, SiteType) == 28);
static_assert(offsetof(NetworkSite, OutgoingRouteKind) == 30);
static_assert(offsetof(NetworkSite, LineOrPoolNumber) == 32);
static_assert(offsetof(NetworkSite, TelephoneNumber) == 34);
static_assert(offsetof(NetworkSite, HostName) == 64);
static_assert(offsetof(NetworkSite, VoiceFormat) == 194);
static_assert(offsetof(NetworkSite, MailboxPrefix) == 196);
static_assert(sizeof(NetworkSite) == 206);

// ---------------------------------------------------------------------------
// Voice

// Transfer modes of the voice Open procedures.
inline constexpr int32_t VoiceOpenRead = 4;
inline constexpr int32_t VoiceOpenWrite = 5;
inline constexpr int32_t VoiceChunkSize = 10240;
inline constexpr size_t NameVoiceKeySize = 8;

struct VoiceParameters {
    int32_t Reserved0;
    int16_t Reserved4;
    uint8_t Reserved6[2];
    uint8_t Reserved8[2];
    int32_t Reserved12;
    int32_t Reserved16;
    int32_t Reserved20;
    int16_t Reserved24;
    int16_t Reserved26;
    int32_t Reserved28;
    int32_t ServerVoiceFormat; // 1 OKI ADPCM, 2 SBC
    int32_t BytesPerSecond;
    int32_t Reserved40;
    int32_t Reserved44;
    int32_t Reserved48;
    uint8_t Reserved52[8];
};
ZAX_VISIT_FIELDS(VoiceParameters) {
    ZAX_FIELD(Reserved0);
    ZAX_FIELD(Reserved4);
    ZAX_FIELD(Reserved6);
    ZAX_FIELD(Reserved8);
    ZAX_FIELD(Reserved12);
    ZAX_FIELD(Reserved16);
    ZAX_FIELD(Reserved20);
    ZAX_FIELD(Reserved24);
    ZAX_FIELD(Reserved26);
    ZAX_FIELD(Reserved28);
    ZAX_FIELD(ServerVoiceFormat);
    ZAX_FIELD(BytesPerSecond);
    ZAX_FIELD(Reserved40);
    ZAX_FIELD(Reserved44);
    ZAX_FIELD(Reserved48);
    ZAX_FIELD(Reserved52);
}
static_assert(offsetof(VoiceParameters, Reserved0) == 0);
static_assert(offsetof(VoiceParameters, Reserved4) == 4);
static_assert(offsetof(VoiceParameters, Reserved6) == 6);
static_assert(offsetof(VoiceParameters, Reserved8) == 8);
static_assert(offsetof(VoiceParameters, Reserved12) == 12);
static_assert(offsetof(VoiceParameters, Reserved16) == 16);
static_assert(offsetof(VoiceParameters, Reserved20) == 20);
static_assert(offsetof(VoiceParameters, Reserved24) == 24);
static_assert(offsetof(VoiceParameters, Reserved26) == 26);
static_assert(offsetof(VoiceParameters, Reserved28) == 28);
static_assert(offsetof(VoiceParameters, ServerVoiceFormat) == 32);
static_assert(offsetof(VoiceParameters, BytesPerSecond) == 36);
static_assert(offsetof(VoiceParameters, Reserved40) == 40);
static_assert(offsetof(VoiceParameters, Reserved44) == 44);
static_assert(offsetof(VoiceParameters, Reserved48) == 48);
static_assert(offsetof(VoiceParameters, Reserved52) == 52);
static_assert(sizeof(VoiceParameters) == 60);

// ---------------------------------------------------------------------------

// What every wire record is: plain bytes the marshaller may zero and copy.
template <class T>
concept WireRecord = std::is_standard_layout_v<T> && std::is_trivially_copyable_v<T> &&
    std::is_aggregate_v<T> && requires(T& t) {
    VisitFields(t, [](auto&) {});
};

static_assert(WireRecord<SystemInfo> && WireRecord<CosLimit> && WireRecord<EntrySummary> &&
              WireRecord<MailboxRecord> && WireRecord<CosNameTable> &&
              WireRecord<GroupListRecord> && WireRecord<CosRecord> && WireRecord<LineEntry> &&
              WireRecord<HoursEntry> && WireRecord<GreetingTableRecord> &&
              WireRecord<VoiceDialingRecord> && WireRecord<ClidEntry> &&
              WireRecord<DialingParameters> && WireRecord<OperatorSettings> &&
              WireRecord<FaxParameters> && WireRecord<SystemParameters> &&
              WireRecord<NetworkParameters> && WireRecord<BlockingPeriod> &&
              WireRecord<BlockingPeriodTable> && WireRecord<NetworkSite> &&
              WireRecord<VoiceParameters>);

} // namespace zax
