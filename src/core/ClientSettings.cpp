#include "core/ClientSettings.h"

#include "core/ConfigFile.h"
#include "platform/Profile.h"

#include <array>
#include <string_view>

namespace core {
namespace {

constexpr std::string_view kGeneral = "GENERAL";
constexpr std::string_view kRpc = "rpc";
constexpr std::size_t kPathChars = 259;
constexpr std::size_t kShortChars = 99;

struct TextKey {
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
    std::size_t capacity;
    std::string ClientSettings::*field;
};

struct IntKey {
    std::string_view section;
    std::string_view key;
    int defaultValue;
    int ClientSettings::*field;
};

constexpr std::array kTextKeys{
    TextKey{kRpc, "protocol", "ncacn_ip_tcp", kShortChars, &ClientSettings::protocol},
    TextKey{kRpc, "network", "localhost", kShortChars, &ClientSettings::network},
    TextKey{kRpc, "endpoint", "", kShortChars, &ClientSettings::endpoint},
    TextKey{kGeneral, "SoundPlayer", "aplay", kPathChars, &ClientSettings::soundPlayer},
    TextKey{kGeneral, "SoundRecorder", "audacity", kPathChars, &ClientSettings::soundRecorder},
    TextKey{kGeneral, "SoundEditor", "audacity", kPathChars, &ClientSettings::soundEditor},
    TextKey{kGeneral, "TXTViewer", "xdg-open", kPathChars, &ClientSettings::txtViewer},
    TextKey{kGeneral, "PCXViewer", "xdg-open", kPathChars, &ClientSettings::pcxViewer},
    TextKey{kGeneral, "TIFViewer", "xdg-open", kPathChars, &ClientSettings::tifViewer},
    // The default directory is the user's home, known only when the file is read.
    TextKey{kGeneral, "DefaultFileDirectory", "", kPathChars,
            &ClientSettings::defaultFileDirectory},
    TextKey{kGeneral, "DefaultVoiceFileSuffix", "wav", kShortChars,
            &ClientSettings::defaultVoiceFileSuffix},
    TextKey{kGeneral, "DefaultFaxFileSuffix", "tif", kShortChars,
            &ClientSettings::defaultFaxFileSuffix},
};

constexpr std::array kIntKeys{
    IntKey{kRpc, "timeoutlevel", 5, &ClientSettings::timeoutLevel},
    IntKey{kGeneral, "PresentDefaultFilenames", 0, &ClientSettings::presentDefaultFilenames},
    IntKey{kGeneral, "CreateDefaultDirectories", 0, &ClientSettings::createDefaultDirectories},
};

} // namespace

ClientSettings ClientSettings::Read(const std::filesystem::path& file) {
    const std::string home = platform::HomeDirectory().string();
    ClientSettings settings;
    for (const TextKey& key : kTextKeys) {
        const std::string_view fallback = key.field == &ClientSettings::defaultFileDirectory
                                              ? std::string_view(home)
                                              : key.defaultValue;
        settings.*key.field =
            platform::ReadProfileString(file, key.section, key.key, fallback, key.capacity);
    }
    for (const IntKey& key : kIntKeys) {
        settings.*key.field =
            platform::ReadProfileInt(file, key.section, key.key, key.defaultValue);
    }
    return settings;
}

const ClientSettings& GetClientSettings() {
    static const ClientSettings settings = ClientSettings::Read(ConfigFile().Path());
    return settings;
}

} // namespace core
