// Feeds arbitrary text to the entry checks and the time-of-day reader and
// writer. Nothing may crash, and a time that reads back must write and read
// again to the same value.
#include "core/EntryChecks.h"
#include "core/TimeOfDay.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int small = data[0] % 20;     // lengths, line counts, field numbers
    const bool flag = (data[1] & 1) != 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    int value = 0;
    std::string out;
    core::CheckDigits(text);
    core::CheckOptionalDigits(text);
    core::CheckSingleDigit(text, value);
    core::CheckMailboxNumber(text, small);
    core::CheckLineNumber(text, small, value);
    core::CheckPoolNumber(text, small, value);
    core::CheckNameChars(text);
    core::CheckLabel(text, static_cast<size_t>(small % 3), static_cast<size_t>(small));
    core::CheckWords(text, static_cast<size_t>(small % 3), static_cast<size_t>(small));
    core::CheckDialString(text, out);
    core::CheckClockText(text, flag);
    core::GetField(text, small - 2);

    // The designators come from a language module: try the usual ones and
    // ones taken from the input itself, empty included.
    const size_t cut = text.size() / 3;
    const core::TimeDesignators designators[] = {
        {"AM", "PM"}, {"", ""}, {text.substr(0, cut), text.substr(cut, cut)}};
    for (const core::TimeDesignators& d : designators) {
        int seconds = -2;
        if (core::ParseTimeOfDay(text, d, seconds)) {
            if (seconds < 0 || seconds >= core::kSecondsPerDay || seconds % 60 != 0)
                std::abort();
            const std::string written = core::FormatTimeOfDay(seconds, flag, {"AM", "PM"});
            int again = -2;
            if (!core::ParseTimeOfDay(written, {"AM", "PM"}, again) || again != seconds)
                std::abort();
        } else if (seconds != -2) {
            std::abort(); // a refused text leaves the value alone
        }
    }
    int stepped = static_cast<int>(data[1]) * 900 - 3600;
    core::StepTimeOfDay(stepped, small - 10);
    core::FormatTimeOfDay(stepped, flag, designators[2]);
    return 0;
}
