#pragma once
// Control ids of the networking templates (the forms carry them, the
// language modules key their texts by them) and the numbers of the
// string-table entries only this subsystem shows.
//
// Where a template names an edit by the caption it shows ("&Site Name" is
// 1108), the caption is the label beside the edit, so the label carries that
// id and the edit one of its own.

namespace network {

// General Networking Parameters (dialog 161): five yes/no pairs, each in a
// group box whose title is the setting, then retry and delay.
namespace GeneralCtl {
inline constexpr int Receive = 1700; // group
inline constexpr int ReceiveYes = 1701;
inline constexpr int ReceiveNo = 1702;
inline constexpr int Deliver = 1703; // group
inline constexpr int DeliverYes = 1704;
inline constexpr int DeliverNo = 1705;
inline constexpr int Reply = 1706; // group
inline constexpr int ReplyYes = 1707;
inline constexpr int ReplyNo = 1708;
inline constexpr int Broadcast = 1709; // group
inline constexpr int BroadcastYes = 1710;
inline constexpr int BroadcastNo = 1711;
inline constexpr int GroupList = 1712; // group
inline constexpr int GroupListYes = 1713;
inline constexpr int GroupListNo = 1714;
inline constexpr int RetryLabel = 1715;
inline constexpr int Retry = 1716;
inline constexpr int DelayLabel = 1717;
inline constexpr int Delay = 1718;
} // namespace GeneralCtl

// AMIS-Specific Networking Parameters (dialog 128).
namespace AmisCtl {
inline constexpr int AccessCodeLabel = 1730;
inline constexpr int AccessCode = 1731;
inline constexpr int CountryCodeLabel = 1732;
inline constexpr int CountryCode = 1733;
inline constexpr int AreaCodeLabel = 1734;
inline constexpr int AreaCode = 1735;
inline constexpr int PhoneLabel = 1736;
inline constexpr int Phone = 1737;
inline constexpr int Route = 1738; // group
inline constexpr int Line = 1739;
inline constexpr int LineNumber = 1740;
inline constexpr int Pool = 1741;
inline constexpr int PoolNumber = 1742;
inline constexpr int Loopback = 1743; // group
inline constexpr int LoopbackYes = 1744;
inline constexpr int LoopbackNo = 1745;
inline constexpr int SystemName = 1746; // group
inline constexpr int SystemNameYes = 1747;
inline constexpr int SystemNameNo = 1748;
inline constexpr int SenderName = 1749; // group
inline constexpr int SenderNameYes = 1750;
inline constexpr int SenderNameNo = 1751;
} // namespace AmisCtl

// Digital-specific Networking Parameters (dialog 162).
namespace DigitalCtl {
inline constexpr int ProxyLabel = 1760;
inline constexpr int Proxy = 1761;
inline constexpr int LocalPrefixLabel = 1762;
inline constexpr int LocalPrefix = 1763;
} // namespace DigitalCtl

// AMIS Networking Call Blocking Periods (dialog 130): seven day buttons,
// then four rows of a from and a to time, each with its am/pm pair.
namespace BlockingCtl {
inline constexpr int Days = 1770;   // group
inline constexpr int Monday = 1771; // ..1777 Sunday, Monday first
inline constexpr int FirstRow = 1780;
inline constexpr int RowStride = 10;
// Offsets within a row.
inline constexpr int FromLabel = 0;
inline constexpr int From = 1;
inline constexpr int FromAm = 2;
inline constexpr int FromPm = 3;
inline constexpr int ToLabel = 4;
inline constexpr int To = 5;
inline constexpr int ToAm = 6;
inline constexpr int ToPm = 7;

constexpr int Day(int index) {
    return Monday + index;
}
constexpr int InRow(int row, int offset) {
    return FirstRow + RowStride * row + offset;
}
} // namespace BlockingCtl

// Site Administration (dialog 155).
namespace SiteListCtl {
inline constexpr int List = 1080;
inline constexpr int Add = 1069;
inline constexpr int Change = 6;
inline constexpr int Delete = 7;
} // namespace SiteListCtl

// Add Network Site (dialog 164).
namespace AddSiteCtl {
inline constexpr int SiteType = 1000; // group
inline constexpr int Amis = 1153;
inline constexpr int Smtp = 1005;
} // namespace AddSiteCtl

// AMIS-Specific Networking Site Parameters (dialog 163).
namespace AmisSiteCtl {
inline constexpr int NameLabel = 1108;
inline constexpr int Name = 1820;
inline constexpr int PhoneLabel = 1158;
inline constexpr int Phone = 1821;
inline constexpr int PrefixLabel = 1107;
inline constexpr int Prefix = 1822;
inline constexpr int Line = 1064;
inline constexpr int LineNumber = 1062;
inline constexpr int Pool = 1065;
inline constexpr int PoolNumber = 1063;
} // namespace AmisSiteCtl

// Digital-Specific Networking Site Parameters (dialog 131).
namespace DigitalSiteCtl {
inline constexpr int NameLabel = 1108;
inline constexpr int Name = 1830;
inline constexpr int HostLabel = 1106;
inline constexpr int Host = 1831;
inline constexpr int PrefixLabel = 1107;
inline constexpr int Prefix = 1832;
inline constexpr int MailboxPrefixLabel = 1109;
inline constexpr int MailboxPrefix = 1833;
inline constexpr int VoiceFormat = 1834; // group
inline constexpr int Adpcm = 1154;
inline constexpr int Sbc = 1048;
inline constexpr int Vpim = 1049;
} // namespace DigitalSiteCtl

// Texts of this subsystem that the shared string ids do not cover.
namespace NetworkString {
inline constexpr int ColumnSitePrefix = 300;
inline constexpr int SiteTypeAmis = 301;
inline constexpr int SiteTypeDigital = 302;
} // namespace NetworkString

} // namespace network
