#pragma once
// Control ids of the operator, fax and system parameter templates (the forms
// carry them, the language modules key their texts by them) and the numbers
// of the string-table entries only this subsystem shows.

namespace attendant {

// Operator Settings (dialog 115). Each yes/no pair sits in a group box whose
// title is the setting's label.
namespace OperatorCtl {
inline constexpr int Available = 1300; // group
inline constexpr int AvailableYes = 1301;
inline constexpr int AvailableNo = 1302;
inline constexpr int BusinessOpen = 1303; // group
inline constexpr int BusinessOpenYes = 1304;
inline constexpr int BusinessOpenNo = 1305;
inline constexpr int AnswerLines = 1306; // group
inline constexpr int AnswerLinesYes = 1307;
inline constexpr int AnswerLinesNo = 1308;
inline constexpr int ExtensionLabel = 1309;
inline constexpr int Extension = 1310;
inline constexpr int ResetPassword = 1311;
} // namespace OperatorCtl

// Fax Parameters (dialog 116).
namespace FaxCtl {
inline constexpr int ExtensionLabel = 1320;
inline constexpr int Extension = 1321;
inline constexpr int NameLabel = 1322;
inline constexpr int Name = 1323;
inline constexpr int RetriesLabel = 1324;
inline constexpr int Retries = 1325;
inline constexpr int IntervalLabel = 1326;
inline constexpr int Interval = 1327;
} // namespace FaxCtl

// System Parameters (dialog 132).
namespace SystemCtl {
inline constexpr int VersionLabel = 1340;
inline constexpr int Version = 1341; // read-only
inline constexpr int ChannelsLabel = 1342;
inline constexpr int Channels = 1343;
inline constexpr int VoiceMail = 1344; // group
inline constexpr int VoiceMailEnable = 1345;
inline constexpr int VoiceMailDisable = 1346;
inline constexpr int GroupLists = 1347; // group
inline constexpr int GroupListsEnable = 1348;
inline constexpr int GroupListsDisable = 1349;
inline constexpr int LeadingDigitLabel = 1350;
inline constexpr int LeadingDigit = 1351;
inline constexpr int ExternalInit = 1352; // group
inline constexpr int ExternalInitEnable = 1353;
inline constexpr int ExternalInitDisable = 1354;
inline constexpr int Directory = 1355; // group
inline constexpr int DirectoryYes = 1356;
inline constexpr int DirectoryNo = 1357;
inline constexpr int Search = 1358; // group
inline constexpr int SearchFirstName = 1359;
inline constexpr int SearchLastName = 1360;
inline constexpr int SearchBoth = 1361;
inline constexpr int GeneralDelivery = 1362; // group
inline constexpr int GeneralDeliveryYes = 1363;
inline constexpr int GeneralDeliveryNo = 1364;
inline constexpr int Bilingual = 1365; // group
inline constexpr int BilingualYes = 1366;
inline constexpr int BilingualNo = 1367;
inline constexpr int Language = 1368;       // group "Primary Language"
inline constexpr int FirstLanguage = 1369;  // captioned with the primary language's name
inline constexpr int SecondLanguage = 1370; // captioned with the secondary language's name
inline constexpr int ResetPassword = 1371;
inline constexpr int RedirectDn = 1372; // group
inline constexpr int RedirectDnYes = 1373;
inline constexpr int RedirectDnNo = 1374;
} // namespace SystemCtl

// General Auto Attendant Parameters (dialog 107).
namespace AaCtl {
inline constexpr int ReturnToAa = 1460;
inline constexpr int Gate = 1461; // group "Touchtone Gate"
inline constexpr int GateNone = 1462;
inline constexpr int GateStandard = 1463;
inline constexpr int GateCustom = 1464;
inline constexpr int GateGreeting = 1465;
} // namespace AaCtl

// Line Administration (dialog 139).
namespace LinesCtl {
inline constexpr int List = 1470;
inline constexpr int Change = 1471;
inline constexpr int ChangeMany = 1472;
} // namespace LinesCtl

// One line (dialog 133) and a range of lines (dialog 134).
namespace LineCtl {
inline constexpr int Answer = 1480; // group
inline constexpr int AnswerYes = 1481;
inline constexpr int AnswerNo = 1482;
inline constexpr int TableLabel = 1483;
inline constexpr int Table = 1484;
inline constexpr int RingsLabel = 1485;
inline constexpr int Rings = 1486;
inline constexpr int FromLabel = 1487; // range only
inline constexpr int From = 1488;
inline constexpr int ToLabel = 1489;
inline constexpr int To = 1490;
} // namespace LineCtl

// Messages and names of the line table.
namespace LineString {
inline constexpr int ColumnLine = 261;
inline constexpr int ColumnAnswer = 262;
inline constexpr int ColumnRings = 263;
inline constexpr int ColumnTable = 264;
inline constexpr int FromGreaterThanTo = 265;
inline constexpr int Yes = 266; // the answer column
inline constexpr int No = 267;
} // namespace LineString

// Messages and names of this subsystem that the shared string ids do not cover.
namespace AttendantString {
inline constexpr int InvalidOutcallChannels = 246;
inline constexpr int InvalidLeadingDigit = 247;
// The prompt languages by their codes 1, 2 and 3, each named in itself.
inline constexpr int LanguageEnglish = 248;
inline constexpr int LanguageFrench = 249;
inline constexpr int LanguageSpanish = 250;
} // namespace AttendantString

} // namespace attendant
