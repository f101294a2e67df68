#pragma once
// Statuses the server answers with that both ends name: the client's dialogs
// recognise them, the simulated server sends them.
#include "server/Procedure.h"

namespace zax {

inline constexpr ServerStatus StatusClidNoMore = 31010;    // the CLID table's end of list
inline constexpr ServerStatus StatusClidExists = 31011;    // the phone number is taken
inline constexpr ServerStatus StatusNotInitialized = 31012;
inline constexpr ServerStatus StatusNoEntry = 31012; // none, no more, or the table is full
inline constexpr ServerStatus StatusNoSuchCcrTree = 31018;
inline constexpr ServerStatus StatusInvalidCcrPath = 31019; // not a path of that tree
inline constexpr ServerStatus StatusSessionActive = 31020;
inline constexpr ServerStatus StatusStillReferenced = 31027;
inline constexpr ServerStatus StatusAlreadyExists = 31028;
inline constexpr ServerStatus StatusExtensionUsed = 31029;
inline constexpr ServerStatus StatusAlternate1Used = 31030;
inline constexpr ServerStatus StatusAlternate2Used = 31031;
inline constexpr ServerStatus StatusSystemMailbox = 31034;

// Networking: site and prefix conflicts, host names.
inline constexpr ServerStatus StatusSitePrefixExists = 31015;
inline constexpr ServerStatus StatusSitePrefixOverlaps = 31016;
inline constexpr ServerStatus StatusInvalidHostName = 31017;
inline constexpr ServerStatus StatusInvalidSmtpProxy = 31026;
inline constexpr ServerStatus StatusPrefixExists = 31036;   // local or mailbox prefix
inline constexpr ServerStatus StatusPrefixOverlaps = 31037; // local or mailbox prefix
inline constexpr ServerStatus StatusDuplicateHostName = 31038;

} // namespace zax
