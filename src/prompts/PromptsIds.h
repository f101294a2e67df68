#pragma once
// Control ids of the Voice dialog (dialog 156), the statuses the voice items
// add to the conversion statuses, and the string-table entries only the voice
// items show.

#include <cstdint>

namespace prompts {

namespace VoiceCtl {
inline constexpr int UploadFrom = 1047;
inline constexpr int UploadPath = 1056;
inline constexpr int UploadBrowse = 1049;
inline constexpr int UploadFormat = 1054;
inline constexpr int DownloadTo = 1046;
inline constexpr int DownloadPath = 1055;
inline constexpr int DownloadBrowse = 1048;
inline constexpr int DownloadFormat = 1053;
inline constexpr int Play = 1051;
inline constexpr int Edit = 1080;
inline constexpr int Record = 1081;
inline constexpr int UploadGroup = 1400;
inline constexpr int DownloadGroup = 1401;
inline constexpr int UploadFormatLabel = 1402;
inline constexpr int DownloadFormatLabel = 1403;
} // namespace VoiceCtl

// Statuses of the voice operations besides the conversions' own (5000-5006)
// and what the server or the transport reports.
namespace VoiceError {
inline constexpr std::uint32_t TempFileFailed = 65003;
inline constexpr std::uint32_t UnsupportedFormat = 65005;
inline constexpr std::uint32_t FileStatusFailed = 65006;
inline constexpr std::uint32_t TooShort = 65007;
inline constexpr std::uint32_t TooLong = 65008;
inline constexpr std::uint32_t CopyFailed = 65010;
inline constexpr std::uint32_t PlayerNotStarted = 65011;
inline constexpr std::uint32_t RecorderNotStarted = 65012;
inline constexpr std::uint32_t EditorNotStarted = 65013;
inline constexpr std::uint32_t SoundNotPlayed = 65014;
inline constexpr std::uint32_t TempNotWritable = 65015;
inline constexpr std::uint32_t TempWriteFailed = 65016;
inline constexpr std::uint32_t TempNotReadable = 65017;
} // namespace VoiceError

namespace PromptString {
inline constexpr int TooShort = 320; // %1 = the minimum seconds
inline constexpr int TooLong = 321;  // %1 = the maximum seconds
inline constexpr int TempFileFailed = 322;
inline constexpr int NotConvertible = 323;
inline constexpr int FileStatusFailed = 324;
inline constexpr int CopyFailed = 325;
inline constexpr int PlayerNotStarted = 326;
inline constexpr int RecorderNotStarted = 327;
inline constexpr int EditorNotStarted = 328;
inline constexpr int SoundNotPlayed = 329;
inline constexpr int TempNotWritable = 330;
inline constexpr int TempWriteFailed = 331;
inline constexpr int TempNotReadable = 332;
inline constexpr int InputNotOpened = 333;
inline constexpr int OutputNotOpened = 334;
inline constexpr int InputNotRead = 335;
inline constexpr int OutputNotWritten = 336;
inline constexpr int NoMemory = 337;
inline constexpr int UnexpectedVoiceError = 338; // %1 = the code
inline constexpr int UploadEditedQuestion = 339;

inline constexpr int kAll[] = {
    TooShort,         TooLong,        TempFileFailed,       NotConvertible,
    FileStatusFailed, CopyFailed,     PlayerNotStarted,     RecorderNotStarted,
    EditorNotStarted, SoundNotPlayed, TempNotWritable,      TempWriteFailed,
    TempNotReadable,  InputNotOpened, OutputNotOpened,      InputNotRead,
    OutputNotWritten, NoMemory,       UnexpectedVoiceError, UploadEditedQuestion};
} // namespace PromptString

} // namespace prompts
