#pragma once
// Template ids, control ids and string-table numbers of the group lists,
// the CLID table, the dialing translation table and the Centrex transfer
// restrictions. The list templates themselves (141, 143, 144, 154) share the
// form of ui/EntryListDialog.h and its control ids.

namespace lists {

// The entry dialogs that have no id among the shell's templates.
namespace TemplateId {
inline constexpr int ClidSetup = 140;
inline constexpr int CentrexEntry = 142;
inline constexpr int TranslationEntry = 180;
inline constexpr int DialingParameters = 181;
} // namespace TemplateId

// Calling Line Identification Setup (dialog 140).
namespace ClidCtl {
inline constexpr int PhoneLabel = 1560;
inline constexpr int Phone = 1561;
inline constexpr int TableRadio = 1563;
inline constexpr int Table = 1564;
inline constexpr int ExtensionRadio = 1565;
inline constexpr int Extension = 1566;
inline constexpr int MailboxRadio = 1567;
inline constexpr int Mailbox = 1568;
inline constexpr int CcrRadio = 1569;
inline constexpr int CcrTree = 1570;
inline constexpr int PathLabel = 1571;
inline constexpr int Path = 1572;
} // namespace ClidCtl

// Dialing Translation (dialog 180).
namespace TranslationCtl {
inline constexpr int InputLabel = 1580;
inline constexpr int Input = 1581;
inline constexpr int OutputLabel = 1582;
inline constexpr int Output = 1583;
} // namespace TranslationCtl

// Dialing Translation Parameters (dialog 181).
namespace DialingCtl {
inline constexpr int LongDistanceLabel = 1585;
inline constexpr int LongDistance = 1586;
inline constexpr int AreaCodeLabel = 1587;
inline constexpr int AreaCode = 1588;
inline constexpr int AccessLabel = 1589;
inline constexpr int Access = 1590;
inline constexpr int ReplyGroup = 1591;
inline constexpr int ReplyYes = 1592;
inline constexpr int ReplyNo = 1593;
} // namespace DialingCtl

// Centrex Transfer Restriction (dialog 142).
namespace CentrexCtl {
inline constexpr int RestrictionLabel = 1595;
inline constexpr int Restriction = 1596;
} // namespace CentrexCtl

// Add Group List (dialog 122).
namespace AddGroupCtl {
inline constexpr int TypeGroup = 1600;
inline constexpr int Voice = 1601;
inline constexpr int Fax = 1602;
inline constexpr int NumberLabel = 1603;
inline constexpr int Number = 1604;
} // namespace AddGroupCtl

// Group List - N (dialog 108), the member editor.
namespace MembersCtl {
inline constexpr int NameLabel = 1610;
inline constexpr int Name = 1611;
inline constexpr int AvailableLabel = 1612;
inline constexpr int Available = 1613;
inline constexpr int CurrentLabel = 1614;
inline constexpr int Current = 1615;
inline constexpr int AddMailbox = 1616;    // "<- &Add", voice lists
inline constexpr int RemoveMailbox = 1617; // "&Remove ->", voice lists
inline constexpr int AddFax = 1618;        // "&Add", fax lists
inline constexpr int RemoveFax = 1619;     // "&Remove", fax lists
} // namespace MembersCtl

// Fax Group List Parameters (dialog 160).
namespace FaxMemberCtl {
inline constexpr int NameLabel = 1620;
inline constexpr int Name = 1621;
inline constexpr int PhoneLabel = 1622;
inline constexpr int Phone = 1623;
inline constexpr int Line = 1624;
inline constexpr int LineNumber = 1625;
inline constexpr int Pool = 1626;
inline constexpr int PoolNumber = 1627;
inline constexpr int Extension = 1628;
inline constexpr int ExtensionNumber = 1629;
} // namespace FaxMemberCtl

// Messages and names only these tables show.
namespace ListsString {
inline constexpr int InvalidInputNumber = 280;
inline constexpr int InvalidOutputNumber = 281;
// The CLID target names, in ClidTarget order.
inline constexpr int TargetTable = 282;
inline constexpr int TargetExtension = 283;
inline constexpr int TargetCcrTree = 284;
inline constexpr int TargetMailbox = 285;
// Column headings.
inline constexpr int ColumnPhone = 286;
inline constexpr int ColumnValue = 287;
inline constexpr int ColumnInputValue = 288;
inline constexpr int ColumnOutputValue = 289;
inline constexpr int ColumnRestrictions = 290;
inline constexpr int ColumnGroupList = 291;
} // namespace ListsString

} // namespace lists
