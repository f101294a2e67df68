#include "StateSchema.h"

#include <array>
#include <string>

namespace zaxsim {

namespace {

// Version 1: one table per kind of record, keyed as the server keys it.
// Columns bear the names of the record fields (see StateColumns.h); tables
// of one row carry Id 1. A step once released is never edited: a new layout
// is a new step below it.
constexpr const char* kVersion1 = R"sql(
CREATE TABLE system_info (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  MaxLineNumber INTEGER, MaxPoolNumber INTEGER, ExtensionLength INTEGER, Reserved6 INTEGER,
  Reserved8 INTEGER, LanguageCode INTEGER, Reserved12 INTEGER, Reserved13 INTEGER,
  Reserved14 INTEGER, GroupListsEnabled INTEGER, Reserved16 INTEGER, AdminPassword TEXT,
  MaxOutcallChannels INTEGER, MaxCcrPathLength INTEGER, CentrexAvailable INTEGER,
  ServerAddress TEXT, CompatibilityLevel INTEGER, PrintDestination INTEGER, DefaultEditor TEXT,
  NetworkGroupListEnabled INTEGER
) STRICT;
CREATE TABLE cos_limits (
  LimitIndex INTEGER PRIMARY KEY, Low INTEGER, High INTEGER
) STRICT;
CREATE TABLE capacity (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  Mailboxes INTEGER, GroupLists INTEGER, ClidEntries INTEGER, Sites INTEGER,
  VpimAvailable INTEGER
) STRICT;
CREATE TABLE mailboxes (
  Number TEXT PRIMARY KEY, Name TEXT, Type INTEGER, ClassOfService INTEGER, Extension TEXT,
  AlternateExtension1 TEXT, AlternateExtension2 TEXT, FaxLine INTEGER, MessageWaiting INTEGER,
  Directory INTEGER, CallScreening INTEGER, OutdialKind INTEGER, OutdialNumber INTEGER,
  FaxRetries INTEGER, FaxInterval INTEGER, RemotePhoneNumber TEXT, RemoteMailbox TEXT,
  SitePrefix TEXT, ExtendedName TEXT, Alias TEXT, SpeechDisabled INTEGER, Homonym INTEGER,
  Initialized INTEGER, PasswordChanged INTEGER
) STRICT;
CREATE TABLE group_lists (
  ListNumber TEXT PRIMARY KEY, ListName TEXT, Kind INTEGER
) STRICT;
CREATE TABLE group_list_members (
  ListNumber TEXT REFERENCES group_lists ON DELETE CASCADE, Position INTEGER,
  ListName TEXT, Kind INTEGER, MemberMailbox TEXT, MemberMailboxName TEXT, FaxMemberName TEXT,
  FaxRoute INTEGER, LineOrPoolNumber INTEGER, DialString TEXT,
  PRIMARY KEY (ListNumber, Position)
) STRICT;
CREATE TABLE clid (
  PhoneNumber TEXT PRIMARY KEY, TargetType INTEGER, GreetingTable INTEGER, Extension TEXT,
  Mailbox TEXT, CcrTree INTEGER, CcrTreePath TEXT
) STRICT;
CREATE TABLE greeting_tables (
  TableNumber INTEGER PRIMARY KEY, StandardPrompts INTEGER, LanguagePreference INTEGER,
  MorningGreeting INTEGER, AfternoonGreeting INTEGER, EveningGreeting INTEGER,
  NonBusinessGreeting INTEGER, AttendantExtension TEXT, Reserved22 INTEGER, CcrTree INTEGER,
  CcrTreesDefined TEXT, SpeechRecognitionEnabled INTEGER, MainPromptCustom INTEGER,
  RepeatPromptCustom INTEGER, ConfirmPromptCustom INTEGER, DeclinePromptCustom INTEGER,
  MainPromptRecorded INTEGER, RepeatPromptRecorded INTEGER, ConfirmPromptRecorded INTEGER,
  DeclinePromptRecorded INTEGER, PrimaryAaPromptRecorded INTEGER,
  AlternateAaPromptRecorded INTEGER
) STRICT;
CREATE TABLE greeting_hours (
  TableNumber INTEGER REFERENCES greeting_tables ON DELETE CASCADE, Day INTEGER,
  Period INTEGER, Reserved0 INTEGER, Hour INTEGER, Minute INTEGER,
  PRIMARY KEY (TableNumber, Day, Period)
) STRICT;
CREATE TABLE ccr_trees (
  Tree INTEGER PRIMARY KEY
) STRICT;
CREATE TABLE ccr_tree_paths (
  Tree INTEGER REFERENCES ccr_trees ON DELETE CASCADE, Path TEXT,
  PRIMARY KEY (Tree, Path)
) STRICT;
CREATE TABLE lines (
  LineNumber INTEGER PRIMARY KEY, AnswerFlag INTEGER, GreetingTable INTEGER, Rings INTEGER
) STRICT;
CREATE TABLE attendant (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  ReturnToAa INTEGER, GateMode INTEGER, GateGreeting INTEGER
) STRICT;
CREATE TABLE classes_of_service (
  ClassNumber INTEGER PRIMARY KEY, PromptLanguage INTEGER, MaxMailboxMessageTime INTEGER,
  MaxMessageLength INTEGER, MessageRetentionPeriod INTEGER, Reserved10 INTEGER,
  MaxGreetingLength INTEGER, Reserved14 INTEGER, OffPremiseMessageNotification INTEGER,
  RetryInterval INTEGER, MaxNumberOfAttempts INTEGER, Reserved20 INTEGER,
  PersonalTargetAttendant INTEGER, Reserved22 INTEGER, OutboundTransfer INTEGER,
  Reserved24 INTEGER, MaxIncorrectPasswordAttempts INTEGER, PasswordExpiry INTEGER, Name TEXT,
  Networking INTEGER, RecordCallAllowed INTEGER
) STRICT;
CREATE TABLE fax_parameters (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  Reserved0 INTEGER, Reserved2 INTEGER, Reserved3 INTEGER, SystemFaxExtension TEXT,
  SystemFaxName TEXT, Retries INTEGER, Interval INTEGER
) STRICT;
CREATE TABLE system_parameters (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  VoiceMailVersion TEXT, OutcallingChannels INTEGER, VoiceMailEnabled INTEGER,
  GroupListsEnabled INTEGER, GroupListLeadingDigit INTEGER, ExternalInitialization INTEGER,
  DirectoryAvailable INTEGER, DirectorySearch INTEGER, GeneralDeliveryMailbox INTEGER,
  Bilingual INTEGER, PrimaryLanguage INTEGER, SecondaryLanguage INTEGER,
  ResetAdminPassword INTEGER, RedirectDn INTEGER
) STRICT;
CREATE TABLE operator_settings (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  AttendantAvailable INTEGER, BusinessOpen INTEGER, AnswerLines INTEGER,
  ResetOperatorPassword INTEGER, AttendantExtension TEXT
) STRICT;
CREATE TABLE dialing_parameters (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  LongDistanceAccessCode TEXT, AreaCode TEXT, AccessCode TEXT, ReplyTranslate INTEGER
) STRICT;
CREATE TABLE voice_parameters (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  Reserved0 INTEGER, Reserved4 INTEGER, Reserved6 BLOB, Reserved8 BLOB, Reserved12 INTEGER,
  Reserved16 INTEGER, Reserved20 INTEGER, Reserved24 INTEGER, Reserved26 INTEGER,
  Reserved28 INTEGER, ServerVoiceFormat INTEGER, BytesPerSecond INTEGER, Reserved40 INTEGER,
  Reserved44 INTEGER, Reserved48 INTEGER, Reserved52 BLOB
) STRICT;
CREATE TABLE voice_dialing (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  Enabled INTEGER
) STRICT;
CREATE TABLE translations (
  Input TEXT PRIMARY KEY, Output TEXT
) STRICT;
CREATE TABLE centrex_restrictions (
  Digits TEXT PRIMARY KEY
) STRICT;
CREATE TABLE blocking_periods (
  Day INTEGER, Period INTEGER, FromHour INTEGER, FromMinute INTEGER, ToHour INTEGER,
  ToMinute INTEGER,
  PRIMARY KEY (Day, Period)
) STRICT;
CREATE TABLE network_parameters (
  Id INTEGER PRIMARY KEY CHECK (Id = 1),
  NetworkReceive INTEGER, NetworkDeliver INTEGER, NetworkReply INTEGER,
  NetworkBroadcast INTEGER, NetworkGroupList INTEGER, IncludeSystemName INTEGER,
  IncludeSenderName INTEGER, LoopbackEnabled INTEGER, OutgoingRouteKind INTEGER,
  LineOrPoolNumber INTEGER, InternationalAccessCode TEXT, CountryCode TEXT, AreaCode TEXT,
  TelephoneNumber TEXT, NetworkRetry INTEGER, NetworkDelay INTEGER, SmtpProxyName TEXT,
  LocalPrefix TEXT
) STRICT;
CREATE TABLE sites (
  SiteName TEXT, SitePrefix TEXT PRIMARY KEY, SiteType INTEGER, OutgoingRouteKind INTEGER,
  LineOrPoolNumber INTEGER, TelephoneNumber TEXT, HostName TEXT, VoiceFormat INTEGER,
  MailboxPrefix TEXT
) STRICT;
CREATE TABLE reports (
  Number INTEGER PRIMARY KEY, Text TEXT
) STRICT;
CREATE TABLE aa_prompts (
  GreetingTable INTEGER, Kind INTEGER, Voice BLOB,
  PRIMARY KEY (GreetingTable, Kind)
) STRICT;
CREATE TABLE sr_prompts (
  GreetingTable INTEGER, Kind INTEGER, Voice BLOB,
  PRIMARY KEY (GreetingTable, Kind)
) STRICT;
CREATE TABLE name_recordings (
  Mailbox TEXT PRIMARY KEY, Voice BLOB
) STRICT;
)sql";

// Version 2: the server's own mailboxes are marked as such, rather than told
// by a name any mailbox could be given. Version 1 told them by name, so
// that is how the mark is set once.
constexpr const char* kVersion2 = R"sql(
ALTER TABLE mailboxes ADD COLUMN SystemMailbox INTEGER NOT NULL DEFAULT 0;
UPDATE mailboxes SET SystemMailbox = 1
  WHERE Name IN ('SYSTEM_MANAGER,MB', 'GENERAL_DELIVERY,MB');
)sql";

// Version 3: the statistics the usage and activity reports show, counted
// since the last reset; a reset empties both tables.
constexpr const char* kVersion3 = R"sql(
CREATE TABLE mailbox_usage (
  Number TEXT PRIMARY KEY, Calls INTEGER, Messages INTEGER, Minutes INTEGER, Logins INTEGER
) STRICT;
CREATE TABLE port_usage (
  LineNumber INTEGER PRIMARY KEY, Calls INTEGER, Messages INTEGER, Minutes INTEGER,
  Logins INTEGER
) STRICT;
)sql";

// kSteps[v] brings a database of version v to version v + 1.
constexpr std::array kSteps = {kVersion1, kVersion2, kVersion3};

} // namespace

int CurrentSchemaVersion() {
    return static_cast<int>(kSteps.size());
}

void MigrateSchema(Database& db, int64_t version) {
    if (version < 0 || version > CurrentSchemaVersion())
        throw std::runtime_error("its layout is version " + std::to_string(version) +
                                 ", this zaxsim knows versions up to " +
                                 std::to_string(CurrentSchemaVersion()));
    for (auto v = static_cast<size_t>(version); v < kSteps.size(); ++v)
        db.Exec(kSteps[v]);
    db.Exec("PRAGMA application_id = " + std::to_string(StateApplicationId));
    db.Exec("PRAGMA user_version = " + std::to_string(CurrentSchemaVersion()));
}

} // namespace zaxsim
