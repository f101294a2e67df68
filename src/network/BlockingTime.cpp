#include "network/BlockingTime.h"

#include "core/EntryChecks.h"

namespace network {

std::string FormatBlockingTime(BlockingTime time, bool twelveHour) {
    int hour = time.hour;
    if (twelveHour) {
        hour %= 12;
        if (hour == 0)
            hour = 12;
    }
    std::string text(5, '0');
    text[0] = static_cast<char>('0' + hour / 10 % 10);
    text[1] = static_cast<char>('0' + hour % 10);
    text[2] = ':';
    text[3] = static_cast<char>('0' + time.minute / 10 % 10);
    text[4] = static_cast<char>('0' + time.minute % 10);
    return text;
}

bool ParseBlockingTime(std::string_view text, bool twelveHour, bool pm, BlockingTime& time) {
    if (core::CheckClockText(text, !twelveHour) != core::FieldValid)
        return false;
    int hour = (text[0] - '0') * 10 + (text[1] - '0');
    const int minute = (text[3] - '0') * 10 + (text[4] - '0');
    if (twelveHour) {
        if (pm && hour < 12)
            hour += 12;
        else if (!pm && hour == 12)
            hour = 0;
    }
    time = {static_cast<uint8_t>(hour), static_cast<uint8_t>(minute)};
    return true;
}

} // namespace network
