#pragma once
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// Private-profile (INI) files: "[section]" lines open sections, "key=value" lines hold values.
// Section and key names match without regard to ASCII case; the first of duplicated keys wins.
// A missing or unreadable file reads as empty. Writes replace the whole file atomically, so a
// failed write leaves the previous file untouched.
namespace platform {

// A bare file name ("zaxmgr.ini") lives in the per-user configuration directory
// ($XDG_CONFIG_HOME/zaxmgr/, default ~/.config/zaxmgr/); a name with a directory is kept as given.
std::filesystem::path ProfilePath(std::string_view fileName);

// The user's home directory ($HOME, else the password database entry).
std::filesystem::path HomeDirectory();

// The value of section/key, or defaultValue when the key is missing. Surrounding white space and
// one pair of matching surrounding quotes are removed. At most maxChars bytes are returned, cut
// back so that no UTF-8 sequence is split.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t maxChars);

// Leading white space, an optional sign, then the leading decimal digits ("12abc" reads 12, "abc"
// reads 0). A missing key or an empty value gives defaultValue; values beyond int saturate.
int ReadProfileInt(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, int defaultValue);

// Sets section/key, creating the file, the section or the key as needed. Returns false, leaving
// the file as it was, when the file or its directory cannot be written, the existing file cannot
// be read, the file is marked read-only, or the value would break the line format (CR, LF, NUL).
[[nodiscard]] bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                                      std::string_view key, std::string_view value);

// Writes the value as decimal text (a minus sign only when negative, no leading zeros).
[[nodiscard]] bool WriteProfileInt(const std::filesystem::path& file, std::string_view section,
                                   std::string_view key, int value);

} // namespace platform
