#pragma once
// Dialog template ids, control ids, menu command ids and help context offsets
// shared by the forms, the language modules and the code.

namespace ui {

namespace DialogId {
inline constexpr int About = 100;
inline constexpr int GeneralAaParameters = 107;
inline constexpr int GroupList = 108;
inline constexpr int Language = 110;
inline constexpr int ClassOfService = 114;
inline constexpr int OperatorSettings = 115;
inline constexpr int FaxParameters = 116;
inline constexpr int AddMailbox = 118;
inline constexpr int AddGroupList = 122;
inline constexpr int AddManyMailboxes = 125;
inline constexpr int Login = 126;
inline constexpr int SelectDefaultEditor = 127;
inline constexpr int AmisNetworking = 128;
inline constexpr int Connecting = 129;
inline constexpr int AmisBlockingPeriods = 130;
inline constexpr int DigitalSite = 131;
inline constexpr int SystemParameters = 132;
inline constexpr int LineSettings = 133; // one line, from the Line Administration list
inline constexpr int LineRange = 134;    // a range of lines, from the same list
inline constexpr int MailboxAdministration = 137;
inline constexpr int Message = 138;
inline constexpr int LineAdministration = 139;
inline constexpr int CallingLineId = 141;
inline constexpr int CentrexRestrictions = 143;
inline constexpr int DialingTranslation = 144;
inline constexpr int SpeechRecDirectory = 145;
inline constexpr int SpeechRecProperties = 147;
inline constexpr int MailboxActivityReport = 153;
inline constexpr int GroupLists = 154;
inline constexpr int SiteAdministration = 155;
inline constexpr int Voice = 156;
inline constexpr int FaxGroupMember = 160;
inline constexpr int GeneralNetworking = 161;
inline constexpr int DigitalNetworking = 162;
inline constexpr int AmisSite = 163;
inline constexpr int AddNetworkSite = 164;
inline constexpr int PrintDestination = 165;
inline constexpr int PageMbxGeneral = 168;
inline constexpr int PageMbxOptions = 169;
inline constexpr int PageMbxOutdial = 170;
inline constexpr int PageMbxFax = 171;
inline constexpr int PageMbxDelivery = 172;
inline constexpr int PageMbxAddress = 173;
inline constexpr int PageMbxSR = 174;
inline constexpr int PageGtgNumbers = 175;
inline constexpr int PageGtgHours = 176;
inline constexpr int PageGtgAnswer = 177;
inline constexpr int PageGtgSR = 178;

inline constexpr int kAll[] = {About,
                               GeneralAaParameters,
                               GroupList,
                               Language,
                               ClassOfService,
                               OperatorSettings,
                               FaxParameters,
                               AddMailbox,
                               AddGroupList,
                               AddManyMailboxes,
                               Login,
                               SelectDefaultEditor,
                               AmisNetworking,
                               Connecting,
                               AmisBlockingPeriods,
                               DigitalSite,
                               SystemParameters,
                               LineSettings,
                               LineRange,
                               MailboxAdministration,
                               Message,
                               LineAdministration,
                               CallingLineId,
                               CentrexRestrictions,
                               DialingTranslation,
                               SpeechRecDirectory,
                               SpeechRecProperties,
                               MailboxActivityReport,
                               GroupLists,
                               SiteAdministration,
                               Voice,
                               FaxGroupMember,
                               GeneralNetworking,
                               DigitalNetworking,
                               AmisSite,
                               AddNetworkSite,
                               PrintDestination,
                               PageMbxGeneral,
                               PageMbxOptions,
                               PageMbxOutdial,
                               PageMbxFax,
                               PageMbxDelivery,
                               PageMbxAddress,
                               PageMbxSR,
                               PageGtgNumbers,
                               PageGtgHours,
                               PageGtgAnswer,
                               PageGtgSR};
} // namespace DialogId

// Control ids used by every template. A caption is addressed as control 0.
namespace ControlId {
inline constexpr int Caption = 0;
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2; // also "Close"
inline constexpr int Help = 57670;
inline constexpr int Apply = 12321; // property sheets
} // namespace ControlId

// Controls of the templates whose texts the modules carry.
namespace AboutCtl {
inline constexpr int ProductLabel = 1001;
inline constexpr int Version = 1002; // filled from the build's version
inline constexpr int SecondLine = 1003;
inline constexpr int Icon = 1004;
} // namespace AboutCtl

namespace LanguageCtl {
inline constexpr int Group = 1001;
inline constexpr int EnglishUs = 1002;
inline constexpr int French = 1003;
inline constexpr int Spanish = 1004;
inline constexpr int EnglishUk = 1005;
inline constexpr int EnglishAus = 1006;
} // namespace LanguageCtl

namespace LoginCtl {
inline constexpr int ServerLabel = 1010;
inline constexpr int Server = 1011;
inline constexpr int PasswordLabel = 1012;
inline constexpr int Password = 1013;
} // namespace LoginCtl

namespace ConnectingCtl {
inline constexpr int Text = 1020;
}

namespace MessageCtl {
inline constexpr int Icon = 1030;
inline constexpr int Text = 1031;
} // namespace MessageCtl

namespace CommandId {
inline constexpr int AddMailbox = 32771;
inline constexpr int AddManyMailboxes = 32807;
inline constexpr int ChangeDeleteMailbox = 32824;
inline constexpr int GeneralAaParameters = 32778;
inline constexpr int Lines = 32776;
inline constexpr int ClidTableAdmin = 32819;
inline constexpr int GreetingTable1 = 32846; // ..32849
inline constexpr int GroupLists = 32830;
inline constexpr int Fax = 32779;
inline constexpr int SpeechRecDirectory = 32844;
inline constexpr int SpeechRecGreetingTable1 = 32850; // ..32853
inline constexpr int VoiceActivatedDialing = 32845;
inline constexpr int GeneralNetworking = 32833;
inline constexpr int AmisNetworking = 32815;
inline constexpr int AmisBlockingPeriods = 32817;
inline constexpr int DigitalNetworking = 32809;
inline constexpr int SiteAdministration = 32834;
inline constexpr int PrintTo = 32836;
inline constexpr int DefaultEditor = 32837;
inline constexpr int ReportDirectory = 32793;
inline constexpr int ReportMailboxInformation = 32827;
inline constexpr int ReportGroupList = 32795;
inline constexpr int ReportMessageUsage = 32796;
inline constexpr int ReportMailboxActivity = 32788;
inline constexpr int ResetStatistics = 32835;
inline constexpr int ReportClid = 32797;
inline constexpr int ReportDnTranslation = 32805;
inline constexpr int ReportAlarm = 32804;
inline constexpr int ReportCcrTree = 32798;
inline constexpr int ReportPortUsage = 32828;
inline constexpr int ReportSystemConfiguration = 32831;
inline constexpr int ReportFaxRequests = 32829;
inline constexpr int ReportClassOfService = 32801;
inline constexpr int ReportSystemParameters = 32839;
inline constexpr int ReportSpeechRecognition = 32842;
inline constexpr int SystemParameters = 32818;
inline constexpr int ClassOfService = 32800;
inline constexpr int OperatorSettings = 32802;
inline constexpr int DialingTranslation = 32820;
inline constexpr int CentrexRestrictions = 32821;
inline constexpr int Language = 32825;
inline constexpr int About = 57664;
inline constexpr int Exit = 57665;
inline constexpr int HelpIndex = 57666; // toolbar "Help Topics"
inline constexpr int HelpContents = 57667;
inline constexpr int HelpUsing = 57668;
inline constexpr int ContextHelp = 57669; // Shift+F1
inline constexpr int Help = 57670;        // F1
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;
} // namespace CommandId

// Toolbar buttons in image order of bitmap 2; 0 marks a group boundary.
inline constexpr int kToolbarButtons[] = {CommandId::AddMailbox,
                                          CommandId::ChangeDeleteMailbox,
                                          0,
                                          CommandId::GeneralAaParameters,
                                          CommandId::Lines,
                                          CommandId::ClidTableAdmin,
                                          0,
                                          CommandId::GroupLists,
                                          0,
                                          CommandId::Fax,
                                          0,
                                          CommandId::GeneralNetworking,
                                          CommandId::AmisNetworking,
                                          CommandId::AmisBlockingPeriods,
                                          CommandId::DigitalNetworking,
                                          CommandId::SiteAdministration,
                                          0,
                                          CommandId::SystemParameters,
                                          CommandId::ClassOfService,
                                          CommandId::OperatorSettings,
                                          CommandId::DialingTranslation,
                                          CommandId::CentrexRestrictions,
                                          CommandId::Language,
                                          0,
                                          CommandId::HelpIndex};
// The size of a toolbar button image; its SVG is drawn on this pixel grid.
inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 15;

// Help context numbers.
inline constexpr int kHelpDialogBase = 131072; // + dialog id
inline constexpr int kHelpCommandBase = 65536; // + command id
constexpr int DialogHelpContext(int dialogId) {
    return kHelpDialogBase + dialogId;
}
constexpr int CommandHelpContext(int commandId) {
    return kHelpCommandBase + commandId;
}

} // namespace ui
