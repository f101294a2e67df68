#pragma once
#include <string>
#include <string_view>

// Times of day are seconds after midnight, a whole number of minutes; kUnreadableTime marks a
// text that could not be read.
namespace core {

inline constexpr int kUnreadableTime = -1;
inline constexpr int kSecondsPerDay = 86400;

// The AM and PM texts of the active language. An empty text stands for one the language module
// does not have.
struct TimeDesignators {
    std::string_view am;
    std::string_view pm;
};

// "hh:mm AM" in 12-hour form, or "hh:mm" when force24Hour is set or the designator for the hour
// is missing. Values outside one day wrap around midnight; a partial minute is dropped toward
// zero first, so kUnreadableTime shows as midnight.
std::string FormatTimeOfDay(int seconds, bool force24Hour, const TimeDesignators& designators);

// Reads "h:mm" or "hh:mm", optionally followed by the AM or PM text (any case, space optional);
// missing designators fall back to "AM" and "PM". Returns false, leaving seconds alone, when the
// text cannot be read.
bool ParseTimeOfDay(std::string_view text, const TimeDesignators& designators, int& seconds);

// Drops to the quarter hour at or below the time, then moves by whole quarter hours, wrapping
// around midnight. Zero steps leaves the time unchanged.
void StepTimeOfDay(int& seconds, int steps);

} // namespace core
