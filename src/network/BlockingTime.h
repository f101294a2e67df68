#pragma once
// The times of the AMIS call-blocking periods as the administrator sees
// them: "hh:mm", exactly five characters, in 12-hour form beside a pair of
// am/pm buttons or in 24-hour form without them.

#include <cstdint>
#include <string>
#include <string_view>

namespace network {

struct BlockingTime {
    uint8_t hour;   // 0 to 23
    uint8_t minute; // 0 to 59
};

// "hh:mm"; in 12-hour form the hour is shown modulo 12, 0 as 12.
std::string FormatBlockingTime(BlockingTime time, bool twelveHour);
// Whether the "pm" button goes with the time (hours 12 to 23).
inline bool IsPm(BlockingTime time) {
    return time.hour >= 12;
}
// Reads a typed time: exactly two digits, a colon and two digits, minutes
// below 60, hours at most 23 (24-hour form) or 12 (12-hour form). In 12-hour
// form "pm" before noon adds 12 and "am" at 12 gives hour 0. False when the
// text is refused; `time` is then left alone.
bool ParseBlockingTime(std::string_view text, bool twelveHour, bool pm, BlockingTime& time);

} // namespace network
