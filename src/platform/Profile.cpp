#include "platform/Profile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

// Values are kept as bytes; the narrow-character instantiation comes from the packaged library.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

namespace platform {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kAppDirectory = "zaxmgr";
constexpr mode_t kNewFileMode = 0600;

enum class LoadResult { Loaded, Missing, Failed };

// Multi-key mode keeps duplicated keys apart so that the first one can win on reading and all of
// them are replaced by one on writing; no spaces around "=" on writing.
class Ini : public CSimpleIniA {
public:
    Ini() : CSimpleIniA(false, true, false) { SetSpaces(false); }
};

LoadResult ReadWholeFile(const fs::path& file, std::string& out) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? LoadResult::Missing : LoadResult::Failed;
    }
    char buffer[8192];
    LoadResult result = LoadResult::Loaded;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) {
            break;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            result = LoadResult::Failed;
            break;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return result;
}

LoadResult LoadIni(const fs::path& file, CSimpleIniA& ini) {
    std::string text;
    const LoadResult read = ReadWholeFile(file, text);
    if (read != LoadResult::Loaded) {
        return read;
    }
    return ini.LoadData(text) < 0 ? LoadResult::Failed : LoadResult::Loaded;
}

std::optional<std::string> ReadValue(const fs::path& file, std::string_view section,
                                     std::string_view key) {
    Ini ini;
    if (LoadIni(file, ini) != LoadResult::Loaded) {
        return std::nullopt;
    }
    const char* value = ini.GetValue(std::string(section).c_str(), std::string(key).c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

std::string Unquote(std::string value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

void TruncateUtf8(std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return;
    }
    std::size_t cut = maxBytes;
    while (cut > 0 && IsUtf8Continuation(text[cut])) {
        --cut;
    }
    text.resize(cut);
}

int ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{INT_MAX} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(kLimit, magnitude * 10 + (text[i] - '0'));
    }
    const std::int64_t value = negative ? -magnitude : std::min<std::int64_t>(magnitude, INT_MAX);
    return static_cast<int>(value);
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsWritableName(std::string_view section, std::string_view key) {
    return !section.empty() && !key.empty() && !HasLineBreakOrNul(section) &&
           !HasLineBreakOrNul(key) && section.find(']') == std::string_view::npos &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';' &&
           key.front() != '#';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Replacing a key keeps the spelling it already has in the file.
std::string StoredKeyName(const Ini& ini, const std::string& section, std::string_view key) {
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(section.c_str(), keys);
    for (const auto& entry : keys) {
        if (EqualsIgnoringCase(entry.pItem, key)) {
            return entry.pItem;
        }
    }
    return std::string(key);
}

// Writing through a symbolic link must replace the file it points to, not the link.
fs::path ResolveTarget(const fs::path& file) {
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        fs::path target = fs::canonical(file, ec);
        if (!ec) {
            return target;
        }
    }
    return file;
}

// A file without any write permission bit counts as read-only even for the superuser, as the
// read-only attribute of the original platform does.
bool IsReadOnly(const struct stat& st, const fs::path& file) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(file.c_str(), W_OK) != 0;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void SyncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool ReplaceFileAtomically(const fs::path& target, std::string_view text, mode_t mode) {
    fs::path directory = target.parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    const std::string pattern =
        (directory / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempName.data(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tempName.data());
        return false;
    }
    SyncDirectory(directory);
    return true;
}

} // namespace

fs::path HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return pw->pw_dir;
    }
    std::error_code ec;
    return fs::current_path(ec);
}

namespace {

// Relative values of XDG_CONFIG_HOME are ignored, as the base-directory rules require.
fs::path ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && fs::path(xdg).is_absolute()) {
        return xdg;
    }
    return HomeDirectory() / ".config";
}

} // namespace

fs::path ProfilePath(std::string_view fileName) {
    if (fileName.find('/') != std::string_view::npos) {
        return fs::path(fileName);
    }
    return ConfigHome() / kAppDirectory / fs::path(fileName);
}

std::string ReadProfileString(const fs::path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxChars) {
    std::optional<std::string> value = ReadValue(file, section, key);
    std::string text = value ? Unquote(std::move(*value)) : std::string(defaultValue);
    TruncateUtf8(text, maxChars);
    return text;
}

int ReadProfileInt(const fs::path& file, std::string_view section, std::string_view key,
                   int defaultValue) {
    const std::optional<std::string> value = ReadValue(file, section, key);
    if (!value) {
        return defaultValue;
    }
    const std::string text = Unquote(*value);
    return text.empty() ? defaultValue : ParseProfileInt(text);
}

bool WriteProfileString(const fs::path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
    if (!IsWritableName(section, key) || HasLineBreakOrNul(value)) {
        return false;
    }
    const fs::path target = ResolveTarget(file);
    Ini ini;
    const LoadResult loaded = LoadIni(target, ini);
    if (loaded == LoadResult::Failed) {
        return false;
    }
    mode_t mode = kNewFileMode;
    if (loaded == LoadResult::Loaded) {
        struct stat st {};
        if (::stat(target.c_str(), &st) != 0 || IsReadOnly(st, target)) {
            return false;
        }
        mode = st.st_mode & 07777;
    } else {
        std::error_code ec;
        if (target.has_parent_path()) {
            fs::create_directories(target.parent_path(), ec);
            if (ec) {
                return false;
            }
        }
    }
    const std::string sectionText(section);
    const std::string keyText = StoredKeyName(ini, sectionText, key);
    const std::string valueText(value);
    if (ini.SetValue(sectionText.c_str(), keyText.c_str(), valueText.c_str(), nullptr, true) < 0) {
        return false;
    }
    std::string text;
    if (ini.Save(text) < 0) {
        return false;
    }
    return ReplaceFileAtomically(target, text, mode);
}

bool WriteProfileInt(const fs::path& file, std::string_view section, std::string_view key,
                     int value) {
    return WriteProfileString(file, section, key, std::to_string(value));
}

} // namespace platform
