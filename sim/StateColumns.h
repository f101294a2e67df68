#pragma once
// Which database column holds which field of a record. A column bears the
// name of the record field it holds, so a query in the sqlite3 shell reads
// like the record declarations. Fields that are themselves tables of nested
// records (class-of-service limits, greeting hours, blocking periods) have
// tables of their own and no column here.
//
// Numbers are stored as integers, text fields as text (up to the field's
// first NUL, or the whole field when it has none), and the few arrays of
// reserved bytes as blobs of their exact size.

#include "SimState.h"
#include "Sqlite.h"

#include <array>
#include <concepts>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace zaxsim {

template <class R> struct Column {
    const char* name;
    void (*bind)(Statement&, int, const R&);
    void (*read)(const Statement&, int, R&);
    std::string (*show)(const R&); // the value as a person reads it (--dump-state)
};

namespace columns {

template <std::integral T> void BindField(Statement& s, int i, const T& v) {
    s.Bind(i, static_cast<int64_t>(v));
}
template <size_t N> void BindField(Statement& s, int i, const char (&v)[N]) {
    s.Bind(i, zax::GetText(v));
}
template <size_t N> void BindField(Statement& s, int i, const uint8_t (&v)[N]) {
    s.BindBlob(i, std::span<const uint8_t>(v, N));
}

[[noreturn]] void Refuse(const Statement& s, int i, const char* why);

template <std::integral T> void ReadField(const Statement& s, int i, T& v) {
    const int64_t x = s.Int(i);
    if (x < std::numeric_limits<T>::min() ||
        x > static_cast<int64_t>(std::numeric_limits<T>::max()))
        Refuse(s, i, "out of range for its field");
    v = static_cast<T>(x);
}
template <size_t N> void ReadField(const Statement& s, int i, char (&v)[N]) {
    const std::string text = s.Text(i);
    if (text.size() > N)
        Refuse(s, i, "too long for its field");
    std::fill(v, v + N, '\0');
    std::copy(text.begin(), text.end(), v);
}
template <size_t N> void ReadField(const Statement& s, int i, uint8_t (&v)[N]) {
    const auto bytes = s.Blob(i);
    if (bytes.size() != N)
        Refuse(s, i, "not the size of its field");
    std::copy(bytes.begin(), bytes.end(), v);
}

template <std::integral T> std::string ShowField(const T& v) {
    return std::to_string(static_cast<int64_t>(v));
}
std::string ShowText(std::string_view text);
template <size_t N> std::string ShowField(const char (&v)[N]) {
    return ShowText(zax::GetText(v));
}
std::string ShowBytes(std::span<const uint8_t> bytes);
template <size_t N> std::string ShowField(const uint8_t (&v)[N]) {
    return ShowBytes(std::span<const uint8_t>(v, N));
}

template <class M> struct MemberOf;
template <class R, class F> struct MemberOf<F R::*> { using Record = R; };

template <auto M> constexpr Column<typename MemberOf<decltype(M)>::Record> Make(const char* name) {
    using R = typename MemberOf<decltype(M)>::Record;
    return {name, [](Statement& s, int i, const R& r) { BindField(s, i, r.*M); },
            [](const Statement& s, int i, R& r) { ReadField(s, i, r.*M); },
            [](const R& r) { return ShowField(r.*M); }};
}

} // namespace columns

#define ZAXSIM_COLUMN(R, F) ::zaxsim::columns::Make<&R::F>(#F)

// The column list of every record type that has a table, in record order.
template <class R> struct ColumnsOf;

#define ZAXSIM_COLUMNS(R, ...)                                                                     \
    template <> struct ColumnsOf<R> {                                                              \
        using C = R;                                                                               \
        static constexpr auto list = std::to_array<Column<R>>({__VA_ARGS__});                      \
    }
#define ZC(F) ZAXSIM_COLUMN(C, F)

ZAXSIM_COLUMNS(zax::SystemInfo, ZC(MaxLineNumber), ZC(MaxPoolNumber), ZC(ExtensionLength),
               ZC(Reserved6), ZC(Reserved8), ZC(LanguageCode), ZC(Reserved12), ZC(Reserved13),
               ZC(Reserved14), ZC(GroupListsEnabled), ZC(Reserved16), ZC(AdminPassword),
               ZC(MaxOutcallChannels), ZC(MaxCcrPathLength), ZC(CentrexAvailable),
               ZC(ServerAddress), ZC(CompatibilityLevel), ZC(PrintDestination), ZC(DefaultEditor),
               ZC(NetworkGroupListEnabled));
ZAXSIM_COLUMNS(zax::CosLimit, ZC(Low), ZC(High));
ZAXSIM_COLUMNS(Capacity, ZC(Mailboxes), ZC(GroupLists), ZC(ClidEntries), ZC(Sites));
ZAXSIM_COLUMNS(zax::MailboxRecord, ZC(Number), ZC(Name), ZC(Type), ZC(ClassOfService),
               ZC(Extension), ZC(AlternateExtension1), ZC(AlternateExtension2), ZC(FaxLine),
               ZC(MessageWaiting), ZC(Directory), ZC(CallScreening), ZC(OutdialKind),
               ZC(OutdialNumber), ZC(FaxRetries), ZC(FaxInterval), ZC(RemotePhoneNumber),
               ZC(RemoteMailbox), ZC(SitePrefix), ZC(ExtendedName), ZC(Alias), ZC(SpeechDisabled),
               ZC(Homonym));
ZAXSIM_COLUMNS(zax::GroupListRecord, ZC(ListNumber), ZC(ListName), ZC(Kind), ZC(MemberMailbox),
               ZC(MemberMailboxName), ZC(FaxMemberName), ZC(FaxRoute), ZC(LineOrPoolNumber),
               ZC(DialString));
ZAXSIM_COLUMNS(zax::CosRecord, ZC(ClassNumber), ZC(PromptLanguage), ZC(MaxMailboxMessageTime),
               ZC(MaxMessageLength), ZC(MessageRetentionPeriod), ZC(Reserved10),
               ZC(MaxGreetingLength), ZC(Reserved14), ZC(OffPremiseMessageNotification),
               ZC(RetryInterval), ZC(MaxNumberOfAttempts), ZC(Reserved20),
               ZC(PersonalTargetAttendant), ZC(Reserved22), ZC(OutboundTransfer), ZC(Reserved24),
               ZC(MaxIncorrectPasswordAttempts), ZC(PasswordExpiry), ZC(Name), ZC(Networking),
               ZC(RecordCallAllowed));
ZAXSIM_COLUMNS(zax::LineEntry, ZC(AnswerFlag), ZC(GreetingTable), ZC(Rings));
ZAXSIM_COLUMNS(zax::HoursEntry, ZC(Reserved0), ZC(Hour), ZC(Minute));
ZAXSIM_COLUMNS(zax::GreetingTableRecord, ZC(TableNumber), ZC(StandardPrompts),
               ZC(LanguagePreference), ZC(MorningGreeting), ZC(AfternoonGreeting),
               ZC(EveningGreeting), ZC(NonBusinessGreeting), ZC(AttendantExtension), ZC(Reserved22),
               ZC(CcrTree), ZC(CcrTreesDefined), ZC(SpeechRecognitionEnabled), ZC(MainPromptCustom),
               ZC(RepeatPromptCustom), ZC(ConfirmPromptCustom), ZC(DeclinePromptCustom),
               ZC(MainPromptRecorded), ZC(RepeatPromptRecorded), ZC(ConfirmPromptRecorded),
               ZC(DeclinePromptRecorded), ZC(PrimaryAaPromptRecorded),
               ZC(AlternateAaPromptRecorded));
ZAXSIM_COLUMNS(UsageCounters, ZC(Calls), ZC(Messages), ZC(Minutes), ZC(Logins));
ZAXSIM_COLUMNS(AttendantParameters, ZC(ReturnToAa), ZC(GateMode), ZC(GateGreeting));
ZAXSIM_COLUMNS(zax::VoiceDialingRecord, ZC(Enabled));
ZAXSIM_COLUMNS(zax::ClidEntry, ZC(PhoneNumber), ZC(TargetType), ZC(GreetingTable), ZC(Extension),
               ZC(Mailbox), ZC(CcrTree), ZC(CcrTreePath));
ZAXSIM_COLUMNS(zax::DialingParameters, ZC(LongDistanceAccessCode), ZC(AreaCode), ZC(AccessCode),
               ZC(ReplyTranslate));
ZAXSIM_COLUMNS(zax::OperatorSettings, ZC(AttendantAvailable), ZC(BusinessOpen), ZC(AnswerLines),
               ZC(ResetOperatorPassword), ZC(AttendantExtension));
ZAXSIM_COLUMNS(zax::FaxParameters, ZC(Reserved0), ZC(Reserved2), ZC(Reserved3),
               ZC(SystemFaxExtension), ZC(SystemFaxName), ZC(Retries), ZC(Interval));
ZAXSIM_COLUMNS(zax::SystemParameters, ZC(VoiceMailVersion), ZC(OutcallingChannels),
               ZC(VoiceMailEnabled), ZC(GroupListsEnabled), ZC(GroupListLeadingDigit),
               ZC(ExternalInitialization), ZC(DirectoryAvailable), ZC(DirectorySearch),
               ZC(GeneralDeliveryMailbox), ZC(Bilingual), ZC(PrimaryLanguage),
               ZC(SecondaryLanguage), ZC(ResetAdminPassword), ZC(RedirectDn));
ZAXSIM_COLUMNS(zax::NetworkParameters, ZC(NetworkReceive), ZC(NetworkDeliver), ZC(NetworkReply),
               ZC(NetworkBroadcast), ZC(NetworkGroupList), ZC(IncludeSystemName),
               ZC(IncludeSenderName), ZC(LoopbackEnabled), ZC(OutgoingRouteKind),
               ZC(LineOrPoolNumber), ZC(InternationalAccessCode), ZC(CountryCode), ZC(AreaCode),
               ZC(TelephoneNumber), ZC(NetworkRetry), ZC(NetworkDelay), ZC(SmtpProxyName),
               ZC(LocalPrefix));
ZAXSIM_COLUMNS(zax::BlockingPeriod, ZC(FromHour), ZC(FromMinute), ZC(ToHour), ZC(ToMinute));
ZAXSIM_COLUMNS(zax::NetworkSite, ZC(SiteName), ZC(SitePrefix), ZC(SiteType), ZC(OutgoingRouteKind),
               ZC(LineOrPoolNumber), ZC(TelephoneNumber), ZC(HostName), ZC(VoiceFormat),
               ZC(MailboxPrefix));
ZAXSIM_COLUMNS(zax::VoiceParameters, ZC(Reserved0), ZC(Reserved4), ZC(Reserved6), ZC(Reserved8),
               ZC(Reserved12), ZC(Reserved16), ZC(Reserved20), ZC(Reserved24), ZC(Reserved26),
               ZC(Reserved28), ZC(ServerVoiceFormat), ZC(BytesPerSecond), ZC(Reserved40),
               ZC(Reserved44), ZC(Reserved48), ZC(Reserved52));

#undef ZC
#undef ZAXSIM_COLUMNS

// "A, B, C": the record's columns for a statement.
template <class R> std::string ColumnNames() {
    std::string out;
    for (const auto& c : ColumnsOf<R>::list) {
        if (!out.empty())
            out += ", ";
        out += c.name;
    }
    return out;
}

template <class R> constexpr int ColumnCount() {
    return static_cast<int>(ColumnsOf<R>::list.size());
}

// Binds the record's fields to parameters first, first+1, ...; returns the
// index after the last.
template <class R> int BindColumns(Statement& s, int first, const R& r) {
    for (const auto& c : ColumnsOf<R>::list)
        c.bind(s, first++, r);
    return first;
}

// Reads the record's fields from result columns first, first+1, ...
template <class R> int ReadColumns(const Statement& s, int first, R& r) {
    for (const auto& c : ColumnsOf<R>::list)
        c.read(s, first++, r);
    return first;
}

} // namespace zaxsim
