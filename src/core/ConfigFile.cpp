#include "core/ConfigFile.h"

#include "core/HostHistory.h"
#include "platform/Profile.h"

#include <array>

namespace core {
namespace {

constexpr std::string_view kLanguageKey = "Language";
constexpr std::string_view kHostsKey = "Hosts";
constexpr std::string_view kPrintToKey = "Print To";
constexpr std::string_view kDefaultEditorKey = "Default Editor";

struct PlacementKey {
    std::string_view key;
    int WindowPlacement::*edge;
};

constexpr std::array kPlacementKeys{
    PlacementKey{"TopLeftx", &WindowPlacement::left},
    PlacementKey{"TopLefty", &WindowPlacement::top},
    PlacementKey{"BottomRightx", &WindowPlacement::right},
    PlacementKey{"BottomRighty", &WindowPlacement::bottom},
};

std::optional<int> UnlessNoSetting(int value) {
    return value == kNoSetting ? std::nullopt : std::optional<int>(value);
}

} // namespace

ConfigFile::ConfigFile() : file_(platform::ProfilePath(kConfigFileName)) {}

ConfigFile::ConfigFile(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<int> ConfigFile::ReadLanguage() const {
    return UnlessNoSetting(
        platform::ReadProfileInt(file_, kConfigSection, kLanguageKey, kNoSetting));
}

bool ConfigFile::WriteLanguage(int code) const {
    return platform::WriteProfileInt(file_, kConfigSection, kLanguageKey, code);
}

std::string ConfigFile::ReadHosts() const {
    std::string hosts =
        platform::ReadProfileString(file_, kConfigSection, kHostsKey, "", kMaxHostsChars);
    if (hosts.find_first_not_of(' ') == std::string::npos) {
        return std::string(kBuiltInHosts);
    }
    return hosts;
}

bool ConfigFile::WriteHosts(const std::vector<std::string>& hosts) const {
    return platform::WriteProfileString(file_, kConfigSection, kHostsKey, JoinHostList(hosts));
}

std::optional<int> ConfigFile::ReadPrintTo() const {
    return UnlessNoSetting(
        platform::ReadProfileInt(file_, kConfigSection, kPrintToKey, kNoSetting));
}

bool ConfigFile::WritePrintTo(int destination) const {
    return platform::WriteProfileInt(file_, kConfigSection, kPrintToKey, destination);
}

std::string ConfigFile::ReadDefaultEditor() const {
    return platform::ReadProfileString(file_, kConfigSection, kDefaultEditorKey, kDefaultEditor,
                                       kMaxEditorChars);
}

bool ConfigFile::WriteDefaultEditor(std::string_view editor) const {
    return platform::WriteProfileString(file_, kConfigSection, kDefaultEditorKey, editor);
}

WindowPlacement ConfigFile::ReadWindowPlacement() const {
    WindowPlacement placement;
    for (const PlacementKey& key : kPlacementKeys) {
        placement.*key.edge = platform::ReadProfileInt(file_, kConfigSection, key.key, 0);
    }
    return placement;
}

bool ConfigFile::WriteWindowPlacement(const WindowPlacement& placement) const {
    const WindowPlacement saved =
        placement.left == kResetPlacementLeft ? WindowPlacement{} : placement;
    for (const PlacementKey& key : kPlacementKeys) {
        if (!platform::WriteProfileInt(file_, kConfigSection, key.key, saved.*key.edge)) {
            return false;
        }
    }
    return true;
}

} // namespace core
