#include "app/LockKeys.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace app {

namespace {

bool AnyLedOn(const std::filesystem::path& leds, const std::string& suffix) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(leds, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        std::ifstream brightness(entry.path() / "brightness");
        int value = 0;
        if (brightness >> value && value != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

LockKeyState ReadLockKeyState() {
    const std::filesystem::path leds = "/sys/class/leds";
    return {AnyLedOn(leds, "::capslock"), AnyLedOn(leds, "::numlock"),
            AnyLedOn(leds, "::scrolllock")};
}

} // namespace app
