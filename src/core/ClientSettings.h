#pragma once
#include <filesystem>
#include <string>

// The "GENERAL" and "rpc" sections of the configuration file, read once and never written. Texts
// are cut to the capacity of each key.
namespace core {

struct ClientSettings {
    // "rpc": kept for completeness; the server binding does not use them.
    std::string protocol; // 99 characters, default "ncacn_ip_tcp"
    std::string network;  // 99 characters, default "localhost"
    std::string endpoint; // 99 characters, default empty
    int timeoutLevel = 5;

    // "GENERAL": the sound programs run on voice files; the rest are read but not consulted.
    std::string soundPlayer;            // 259 characters, default "aplay"
    std::string soundRecorder;          // 259 characters, default "audacity"
    std::string soundEditor;            // 259 characters, default "audacity"
    std::string txtViewer;              // 259 characters, default "xdg-open"
    std::string pcxViewer;              // 259 characters, default "xdg-open"
    std::string tifViewer;              // 259 characters, default "xdg-open"
    std::string defaultFileDirectory;   // 259 characters, default the home directory
    std::string defaultVoiceFileSuffix; // 99 characters, default "wav"
    std::string defaultFaxFileSuffix;   // 99 characters, default "tif"
    int presentDefaultFilenames = 0;
    int createDefaultDirectories = 0;

    // All fifteen keys of the given file.
    static ClientSettings Read(const std::filesystem::path& file);
};

// The process-wide settings, read from the configuration file on first use; later changes to the
// file are not seen.
const ClientSettings& GetClientSettings();

} // namespace core
