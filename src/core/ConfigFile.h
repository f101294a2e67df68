#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keys of section "ZAX Manager" in the configuration file, each read and written at the
// moment it is needed; nothing here caches a value. A read that yields no usable value returns
// nothing (the caller reports "Error reading ZAXMGR.INI"); a write that fails returns false (the
// caller reports "Error writing to ZAXMGR.INI").
namespace core {

inline constexpr std::string_view kConfigFileName = "zaxmgr.ini";
inline constexpr std::string_view kConfigSection = "ZAX Manager";
inline constexpr std::string_view kBuiltInHosts = "KOR 192.168.1.10 192.168.1.11 10.0.0.10";
inline constexpr int kNoSetting = 100;
inline constexpr std::size_t kMaxHostsChars = 2047;
inline constexpr std::size_t kMaxEditorChars = 80;
inline constexpr std::string_view kDefaultEditor = "xdg-open";
inline constexpr int kPrintOnServer = 0;
inline constexpr int kDisplayLocally = 2;

// Edges of the main window in screen coordinates. Coordinates are signed: a window on a monitor
// left of or above the primary one comes back where it was.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // A zero right edge means no size was saved; the window then gets the default size.
    bool HasSavedSize() const { return right != 0; }
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// A left edge of exactly this value is saved as all zeros, so the next start uses the default
// size at the top left corner of the screen.
inline constexpr int kResetPlacementLeft = 3000;

class ConfigFile {
public:
    // The file by its bare name, in the per-user configuration directory.
    ConfigFile();
    explicit ConfigFile(std::filesystem::path file);

    const std::filesystem::path& Path() const { return file_; }

    // The language code; nothing when the key is missing or holds kNoSetting.
    std::optional<int> ReadLanguage() const;
    [[nodiscard]] bool WriteLanguage(int code) const;

    // The host list text; the built-in list when the key is missing or holds only spaces.
    std::string ReadHosts() const;
    [[nodiscard]] bool WriteHosts(const std::vector<std::string>& hosts) const;

    // The stored print destination; nothing when missing or kNoSetting.
    std::optional<int> ReadPrintTo() const;
    [[nodiscard]] bool WritePrintTo(int destination) const;

    // The report editor, at most kMaxEditorChars characters.
    std::string ReadDefaultEditor() const;
    [[nodiscard]] bool WriteDefaultEditor(std::string_view editor) const;

    WindowPlacement ReadWindowPlacement() const;
    // Writes the four edges in order, stopping at the first write that fails.
    [[nodiscard]] bool WriteWindowPlacement(const WindowPlacement& placement) const;

private:
    std::filesystem::path file_;
};

} // namespace core
