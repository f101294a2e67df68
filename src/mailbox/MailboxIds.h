#pragma once
// Control ids of the mailbox administration templates (the forms carry them,
// the language modules key their texts by them) and the numbers of the
// string-table entries only this subsystem shows.

namespace mailbox {

// Mailbox Administration (dialog 137).
namespace ListCtl {
inline constexpr int List = 1040;
inline constexpr int Change = 6;
inline constexpr int Delete = 7;
inline constexpr int Close = 2;
} // namespace ListCtl

// General page (168).
namespace GeneralCtl {
inline constexpr int ExtensionLabel = 1100;
inline constexpr int Extension = 1101;
inline constexpr int LastNameLabel = 1102;
inline constexpr int LastName = 1103;
inline constexpr int FirstNameLabel = 1104;
inline constexpr int FirstName = 1105;
inline constexpr int CosLabel = 1106;
inline constexpr int Cos = 1107;
inline constexpr int Directory = 1108;
inline constexpr int ResetPassword = 1109;
} // namespace GeneralCtl

// Options page (169).
namespace OptionsCtl {
inline constexpr int Alternate1Label = 1110;
inline constexpr int Alternate1 = 1111;
inline constexpr int Alternate2Label = 1112;
inline constexpr int Alternate2 = 1113;
inline constexpr int MessageWaiting = 1114;
inline constexpr int CallScreening = 1115;
} // namespace OptionsCtl

// Outdial page (170).
namespace OutdialCtl {
inline constexpr int Line = 1120;
inline constexpr int LineNumber = 1121;
inline constexpr int Pool = 1122;
inline constexpr int PoolNumber = 1123;
inline constexpr int None = 1124;
} // namespace OutdialCtl

// Fax page (171).
namespace FaxCtl {
inline constexpr int FaxLineLabel = 1130;
inline constexpr int FaxLine = 1131;
} // namespace FaxCtl

// Delivery page (172).
namespace DeliveryCtl {
inline constexpr int RetriesLabel = 1140;
inline constexpr int Retries = 1141;
inline constexpr int IntervalLabel = 1142;
inline constexpr int Interval = 1143;
} // namespace DeliveryCtl

// Address page (173).
namespace AddressCtl {
inline constexpr int RemotePhoneLabel = 1150;
inline constexpr int RemotePhone = 1151;
inline constexpr int SitePrefixLabel = 1152;
inline constexpr int SitePrefix = 1153;
inline constexpr int RemoteMailboxLabel = 1154;
inline constexpr int RemoteMailbox = 1155;
} // namespace AddressCtl

// Speech Rec page (174).
namespace SpeechCtl {
inline constexpr int Enable = 1160;
inline constexpr int ExtendedNameLabel = 1161;
inline constexpr int ExtendedName = 1162;
inline constexpr int AliasLabel = 1163;
inline constexpr int Alias = 1164;
} // namespace SpeechCtl

// Edit Class of Service (dialog 114). Each yes/no pair sits in a group box
// whose title is the setting's label.
namespace CosCtl {
inline constexpr int ClassLabel = 1200;
inline constexpr int Class = 1201;
inline constexpr int NameLabel = 1202;
inline constexpr int Name = 1203;
inline constexpr int PromptLanguage = 1204; // group
inline constexpr int Primary = 1205;
inline constexpr int Alternate = 1206;
inline constexpr int MailboxTimeLabel = 1207;
inline constexpr int MailboxTime = 1208;
inline constexpr int MessageLengthLabel = 1209;
inline constexpr int MessageLength = 1210;
inline constexpr int RetentionLabel = 1211;
inline constexpr int RetentionRange = 1212; // the label's second line
inline constexpr int Retention = 1213;
inline constexpr int GreetingLengthLabel = 1214;
inline constexpr int GreetingLength = 1215;
inline constexpr int OffPremise = 1216; // group
inline constexpr int OffPremiseYes = 1217;
inline constexpr int OffPremiseNo = 1218;
inline constexpr int RetryIntervalLabel = 1219;
inline constexpr int RetryInterval = 1220;
inline constexpr int AttemptsLabel = 1221;
inline constexpr int Attempts = 1222;
inline constexpr int TargetAttendant = 1223; // group
inline constexpr int TargetAttendantYes = 1224;
inline constexpr int TargetAttendantNo = 1225;
inline constexpr int Outbound = 1226; // group
inline constexpr int OutboundYes = 1227;
inline constexpr int OutboundNo = 1228;
inline constexpr int PasswordAttemptsLabel = 1229;
inline constexpr int PasswordAttempts = 1230;
inline constexpr int ExpiryLabel = 1231;
inline constexpr int ExpiryRange = 1232; // the label's second line
inline constexpr int Expiry = 1233;
inline constexpr int Networking = 1234; // group
inline constexpr int NetworkingYes = 1235;
inline constexpr int NetworkingNo = 1236;
inline constexpr int RecordCall = 1237; // group
inline constexpr int RecordCallYes = 1238;
inline constexpr int RecordCallNo = 1239;
} // namespace CosCtl

// Add Mailbox (dialog 118).
namespace AddMailboxCtl {
inline constexpr int NumberLabel = 1300;
inline constexpr int Number = 1301;
inline constexpr int TypeGroup = 1302;
inline constexpr int Subscriber = 1303;
inline constexpr int Information = 1304;
inline constexpr int FaxOnDemand = 1305;
inline constexpr int FaxOverflow = 1306;
inline constexpr int Amis = 1307;
inline constexpr int Network = 1308;
} // namespace AddMailboxCtl

// Add Many Mailboxes (dialog 125).
namespace AddManyCtl {
inline constexpr int FromLabel = 1310;
inline constexpr int From = 1311;
inline constexpr int ToLabel = 1312;
inline constexpr int To = 1313;
inline constexpr int CosLabel = 1314;
inline constexpr int Cos = 1315;
inline constexpr int OutdialGroup = 1316;
inline constexpr int Line = 1317;
inline constexpr int LineNumber = 1318;
inline constexpr int Pool = 1319;
inline constexpr int PoolNumber = 1320;
inline constexpr int None = 1321;
inline constexpr int OptionsGroup = 1322;
inline constexpr int Directory = 1323;
inline constexpr int MessageWaiting = 1324;
inline constexpr int CallScreening = 1325;
} // namespace AddManyCtl

// Messages of this subsystem that the shared string ids do not cover.
namespace MailboxString {
inline constexpr int InvalidLastName = 230;
inline constexpr int InvalidFirstName = 231;
inline constexpr int NameTooLong = 232;
inline constexpr int InvalidFaxLine = 233;
inline constexpr int InvalidRemotePhoneNumber = 234;
inline constexpr int InvalidRemoteMailbox = 235;
inline constexpr int InvalidNumberOfAttempts = 236;
inline constexpr int TypeHasNoProperties = 237; // a mailbox type without pages
inline constexpr int UnknownType = 238;         // the type text of codes without a name
inline constexpr int MailboxesAdded = 239;      // follows the count of a range's new mailboxes
} // namespace MailboxString

} // namespace mailbox
