#pragma once
// Numbers of the string-table entries the program shows. Code holds these
// numbers, never the texts: every module carries a text for each of them.
// A menu command's status-bar prompt is the entry with the command's id (see
// CommandIds.h).

namespace ui::StringId {

inline constexpr int ProgramTitle = 2;
inline constexpr int UnexpectedError = 118; // "%1" stands for the code

// Voice files
inline constexpr int VoiceFileFilter = 144;
inline constexpr int RawOki = 145;
inline constexpr int RawSbc = 146;
inline constexpr int WaveSoundFile = 147;

// Administration dialogs
inline constexpr int SelectEntryToChange = 148;
inline constexpr int SelectEntryToDelete = 149;
inline constexpr int DeletePrefix = 150; // "Delete " followed by the entry's name
inline constexpr int InvalidPoolNumber = 151;
inline constexpr int InvalidLineNumber = 152;
inline constexpr int InvalidRetriesValue = 153;
inline constexpr int InvalidIntervalValue = 154;
inline constexpr int InvalidTelephoneNumber = 155;
inline constexpr int InvalidTableNumber = 156;
inline constexpr int InvalidSitePrefix = 157;
inline constexpr int InvalidMailboxNumber = 158;
inline constexpr int InvalidExtension = 159;
inline constexpr int InvalidAttendantExtension = 160;
inline constexpr int InvalidAreaCode = 161;
inline constexpr int InternalError = 162;
inline constexpr int SiteTableFull = 163;
inline constexpr int StatisticsReset = 164;
inline constexpr int ResetStatisticsQuestion = 165;
inline constexpr int MailboxNotInitialized = 166;
inline constexpr int OutOfMemory = 167;
inline constexpr int OperatorPasswordReset = 168;
inline constexpr int AdminPasswordReset = 169;
inline constexpr int MailboxExists = 170;
inline constexpr int MailboxDoesNotExist = 171;
inline constexpr int InvalidToTime = 172;
inline constexpr int InvalidRestriction = 173;
inline constexpr int InvalidPhoneNumber = 174;
inline constexpr int InvalidPasswordExpiry = 175;
inline constexpr int InvalidNumberOfRings = 176;
inline constexpr int InvalidNonBusinessGreeting = 177;
inline constexpr int InvalidName = 178;
inline constexpr int InvalidMorningGreeting = 179;
inline constexpr int InvalidMessageRetention = 180;
inline constexpr int InvalidMessageLength = 181;
inline constexpr int InvalidMailboxPrefix = 182;
inline constexpr int InvalidMailboxMessageTime = 183;
inline constexpr int InvalidLongDistanceCode = 184;
inline constexpr int InvalidLocalPrefix = 185;
inline constexpr int InvalidLineToNumber = 186;
inline constexpr int InvalidLineFromNumber = 187;
inline constexpr int InvalidInternationalAccessCode = 188;
inline constexpr int InvalidPasswordAttempts = 189;
inline constexpr int InvalidGreetingLength = 190;
inline constexpr int InvalidFromTime = 191;
inline constexpr int InvalidExtendedName = 192;
inline constexpr int InvalidEveningGreeting = 193;
inline constexpr int InvalidEditor = 194;
inline constexpr int InvalidDialableNumber = 195;
inline constexpr int InvalidDelayValue = 196;
inline constexpr int InvalidCountryCode = 197;
inline constexpr int InvalidAlternateExtension2 = 198;
inline constexpr int InvalidAlternateExtension1 = 199;
inline constexpr int InvalidAfternoonGreeting = 200;
inline constexpr int InvalidAccessCode = 201;
inline constexpr int InvalidTouchtoneGateGreeting = 202;
inline constexpr int InvalidSpeechRecAlias = 203;
inline constexpr int InvalidCosName = 204;
inline constexpr int GroupListNeedsMember = 205;
inline constexpr int UploadRecordedQuestion = 206;
inline constexpr int VoiceFileTypeRequired = 207;
inline constexpr int VoiceFileRequired = 208;
inline constexpr int EditorNotStarted = 209;
inline constexpr int NameFieldBlank = 210;
inline constexpr int BothFieldsBlank = 211;
inline constexpr int NotRecorded = 212;
inline constexpr int FromGreaterThanTo = 213;
inline constexpr int InvalidFromExtension = 214;
inline constexpr int InvalidToExtension = 215;

// Start-up, configuration file, log-in, session
inline constexpr int ServerError = 61216; // ShowStatusMessage appends ", rc = N"
inline constexpr int ErrorReadingIni = 61220;
inline constexpr int ErrorWritingIni = 61221;
inline constexpr int ErrorLoadingPrefix = 61222; // "Error loading " followed by the file
inline constexpr int CannotFindPrefix = 61223;   // "Cannot find " followed by the file
inline constexpr int InvalidIpAddress = 61224;
inline constexpr int InvalidPassword = 61225;
inline constexpr int InvalidTime = 61226;
inline constexpr int SocketsUnavailable = 61227;
inline constexpr int ErrorCommunicating = 61251;
inline constexpr int NetworkErrorTerminating = 61307;
inline constexpr int ServerOutOfSync = 61316;
inline constexpr int OnlyOneSession = 61318;
inline constexpr int NotInitialized = 61408;

// Main frame: the idle status-bar text and the lock-key indicators
inline constexpr int IdleMessage = 57345;
inline constexpr int IndicatorCaps = 59137;
inline constexpr int IndicatorNum = 59138;
inline constexpr int IndicatorScroll = 59139;

// Texts for recognised server statuses
inline constexpr int ClidNumberExists = 61230;
inline constexpr int NoMailboxEntries = 61231;
inline constexpr int NoGroupLists = 61232;
inline constexpr int SitePrefixExists = 61233;
inline constexpr int SitePrefixOverlaps = 61234;
inline constexpr int InvalidHostName = 61235;
inline constexpr int InvalidCcrTree = 61236;
inline constexpr int InvalidCcrTreePath = 61237;
inline constexpr int InvalidSmtpProxy = 61238;
inline constexpr int MailboxInUse = 61239;
inline constexpr int SiteReferenced = 61240;
inline constexpr int InputValueExists = 61241;
inline constexpr int LeadingDigitConflict = 61242;
inline constexpr int ExtensionInUse = 61243;
inline constexpr int AlternateExtension1InUse = 61244;
inline constexpr int AlternateExtension2InUse = 61245;
inline constexpr int CannotDeleteSystemMailbox = 61246;
inline constexpr int MailboxPrefixExists = 61247;
inline constexpr int LocalPrefixExists = 61248;
inline constexpr int MailboxPrefixOverlaps = 61249;
inline constexpr int LocalPrefixOverlaps = 61250;
inline constexpr int DuplicateHostName = 61252;

// Mailbox types, list columns, captions, designators
inline constexpr int TypeSubscriber = 61291;
inline constexpr int TypeInformation = 61292;
inline constexpr int TypeFaxOnDemand = 61293;
inline constexpr int TypeFaxOverflow = 61294;
inline constexpr int TypeAmis = 61295;
inline constexpr int TypeNetwork = 61296;
inline constexpr int GroupListVoice = 61297;
inline constexpr int GroupListFax = 61298;
inline constexpr int ColumnName = 61423;
inline constexpr int ColumnNumber = 61424;
inline constexpr int ColumnType = 61425;
inline constexpr int Recorded = 61434;
inline constexpr int MailboxSheetCaption = 61437; // followed by the mailbox number
inline constexpr int Am = 61438;
inline constexpr int Pm = 61439;

// Captions of the voice prompt dialog
inline constexpr int MainPrompt = 59394;
inline constexpr int RepeatPrompt = 59395;
inline constexpr int ConfirmPrompt = 59396;
inline constexpr int DeclinePrompt = 59397;
inline constexpr int PrimaryAaPrompt = 59398;
inline constexpr int AlternateAaPrompt = 59399;

// Framework: standard buttons and the help viewer
inline constexpr int ButtonOk = 61380;
inline constexpr int ButtonCancel = 61381;
inline constexpr int ButtonApply = 61382;
inline constexpr int ButtonHelp = 61383;
inline constexpr int ButtonYes = 61384;
inline constexpr int ButtonNo = 61385;
inline constexpr int HelpWindowTitle = 61386;
inline constexpr int HelpContents = 61387;
inline constexpr int HelpBack = 61388;
inline constexpr int HelpTopicMissing = 61389;
inline constexpr int HelpForward = 61390;

// Every id above, for completeness checks of the modules.
inline constexpr int kAll[] = {ProgramTitle,
                               UnexpectedError,
                               VoiceFileFilter,
                               RawOki,
                               RawSbc,
                               WaveSoundFile,
                               SelectEntryToChange,
                               SelectEntryToDelete,
                               DeletePrefix,
                               InvalidPoolNumber,
                               InvalidLineNumber,
                               InvalidRetriesValue,
                               InvalidIntervalValue,
                               InvalidTelephoneNumber,
                               InvalidTableNumber,
                               InvalidSitePrefix,
                               InvalidMailboxNumber,
                               InvalidExtension,
                               InvalidAttendantExtension,
                               InvalidAreaCode,
                               InternalError,
                               SiteTableFull,
                               StatisticsReset,
                               ResetStatisticsQuestion,
                               MailboxNotInitialized,
                               OutOfMemory,
                               OperatorPasswordReset,
                               AdminPasswordReset,
                               MailboxExists,
                               MailboxDoesNotExist,
                               InvalidToTime,
                               InvalidRestriction,
                               InvalidPhoneNumber,
                               InvalidPasswordExpiry,
                               InvalidNumberOfRings,
                               InvalidNonBusinessGreeting,
                               InvalidName,
                               InvalidMorningGreeting,
                               InvalidMessageRetention,
                               InvalidMessageLength,
                               InvalidMailboxPrefix,
                               InvalidMailboxMessageTime,
                               InvalidLongDistanceCode,
                               InvalidLocalPrefix,
                               InvalidLineToNumber,
                               InvalidLineFromNumber,
                               InvalidInternationalAccessCode,
                               InvalidPasswordAttempts,
                               InvalidGreetingLength,
                               InvalidFromTime,
                               InvalidExtendedName,
                               InvalidEveningGreeting,
                               InvalidEditor,
                               InvalidDialableNumber,
                               InvalidDelayValue,
                               InvalidCountryCode,
                               InvalidAlternateExtension2,
                               InvalidAlternateExtension1,
                               InvalidAfternoonGreeting,
                               InvalidAccessCode,
                               InvalidTouchtoneGateGreeting,
                               InvalidSpeechRecAlias,
                               InvalidCosName,
                               GroupListNeedsMember,
                               UploadRecordedQuestion,
                               VoiceFileTypeRequired,
                               VoiceFileRequired,
                               EditorNotStarted,
                               NameFieldBlank,
                               BothFieldsBlank,
                               NotRecorded,
                               FromGreaterThanTo,
                               InvalidFromExtension,
                               InvalidToExtension,
                               ServerError,
                               ErrorReadingIni,
                               ErrorWritingIni,
                               ErrorLoadingPrefix,
                               CannotFindPrefix,
                               InvalidIpAddress,
                               InvalidPassword,
                               InvalidTime,
                               SocketsUnavailable,
                               ErrorCommunicating,
                               NetworkErrorTerminating,
                               ServerOutOfSync,
                               OnlyOneSession,
                               NotInitialized,
                               ClidNumberExists,
                               NoMailboxEntries,
                               NoGroupLists,
                               SitePrefixExists,
                               SitePrefixOverlaps,
                               InvalidHostName,
                               InvalidCcrTree,
                               InvalidCcrTreePath,
                               InvalidSmtpProxy,
                               MailboxInUse,
                               SiteReferenced,
                               InputValueExists,
                               LeadingDigitConflict,
                               ExtensionInUse,
                               AlternateExtension1InUse,
                               AlternateExtension2InUse,
                               CannotDeleteSystemMailbox,
                               MailboxPrefixExists,
                               LocalPrefixExists,
                               MailboxPrefixOverlaps,
                               LocalPrefixOverlaps,
                               DuplicateHostName,
                               TypeSubscriber,
                               TypeInformation,
                               TypeFaxOnDemand,
                               TypeFaxOverflow,
                               TypeAmis,
                               TypeNetwork,
                               GroupListVoice,
                               GroupListFax,
                               ColumnName,
                               ColumnNumber,
                               ColumnType,
                               Recorded,
                               MailboxSheetCaption,
                               Am,
                               Pm,
                               MainPrompt,
                               RepeatPrompt,
                               ConfirmPrompt,
                               DeclinePrompt,
                               PrimaryAaPrompt,
                               AlternateAaPrompt,
                               ButtonOk,
                               ButtonCancel,
                               ButtonApply,
                               ButtonHelp,
                               ButtonYes,
                               ButtonNo,
                               HelpWindowTitle,
                               HelpContents,
                               HelpBack,
                               HelpTopicMissing,
                               HelpForward};

} // namespace ui::StringId
