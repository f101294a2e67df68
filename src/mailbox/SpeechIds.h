#pragma once
// Control ids of the speech recognition directory (dialog 145) and the
// speech recognition properties (dialog 147), and the string-table entries
// only they show.

namespace mailbox {

namespace DirectoryCtl {
inline constexpr int List = 1940;
inline constexpr int Properties = 1941;
inline constexpr int PlayName = 1942;
} // namespace DirectoryCtl

namespace VoiceDialingCtl {
inline constexpr int Group = 1950; // "Voice Activated Dialing"
inline constexpr int Enabled = 1951;
} // namespace VoiceDialingCtl

namespace SpeechString {
// The kinds of spoken name in the directory's "Type" column.
inline constexpr int NameDefault = 348;
inline constexpr int NameExtended = 349;
inline constexpr int NameAlias = 350;
// Column headings beside the shared "Name", "Type" and "Number".
inline constexpr int ColumnEnable = 351;
inline constexpr int ColumnHomonym = 352;
inline constexpr int Yes = 353; // the mark in the two flag columns
inline constexpr int PlayingUnavailable = 355;
} // namespace SpeechString

} // namespace mailbox
