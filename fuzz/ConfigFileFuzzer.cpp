// Reads arbitrary bytes as the configuration file: every key the program
// reads, through the same reader. Nothing may crash, and a value read must
// never exceed its limit or end inside a UTF-8 sequence.
#include "core/ConfigFile.h"
#include "platform/Profile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path ScratchFile() {
    static const std::filesystem::path path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::filesystem::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") /
               ("zax-config-fuzz-" + std::to_string(::getpid()) + ".ini");
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path file = ScratchFile();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const core::ConfigFile config(file);
    config.ReadLanguage();
    config.ReadHosts();
    config.ReadPrintTo();
    config.ReadDefaultEditor();
    config.ReadWindowPlacement();

    const size_t limit = size % 17;
    const std::string whole = platform::ReadProfileString(file, "ZAX Manager", "Hosts", "", 1 << 20);
    const std::string value = platform::ReadProfileString(file, "ZAX Manager", "Hosts", "", limit);
    // A value cut to its limit is a prefix of the whole one that ends where
    // a UTF-8 sequence starts.
    if (value.size() > limit || whole.compare(0, value.size(), value) != 0)
        std::abort();
    if (!value.empty() && value.size() < whole.size() &&
        (static_cast<unsigned char>(whole[value.size()]) & 0xC0) == 0x80)
        std::abort();
    platform::ReadProfileInt(file, "ZAX Manager", "Language", 7);
    std::filesystem::remove(file);
    return 0;
}
