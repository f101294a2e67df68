#include "core/TimeOfDay.h"

#include <algorithm>
#include <cstdint>

namespace core {
namespace {

constexpr int kSecondsPerMinute = 60;
constexpr int kQuarterHour = 900;
constexpr std::string_view kDefaultAm = "AM";
constexpr std::string_view kDefaultPm = "PM";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string_view SkipSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

int WrapDay(std::int64_t seconds) {
    const std::int64_t wrapped = seconds % kSecondsPerDay;
    return static_cast<int>(wrapped < 0 ? wrapped + kSecondsPerDay : wrapped);
}

void AppendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

enum class Designator { None, Am, Pm, Unknown };

Designator ReadDesignator(std::string_view rest, const TimeDesignators& designators) {
    if (rest.empty()) {
        return Designator::None;
    }
    const std::string_view am = designators.am.empty() ? kDefaultAm : designators.am;
    const std::string_view pm = designators.pm.empty() ? kDefaultPm : designators.pm;
    if (EqualsIgnoringCase(rest, am)) {
        return Designator::Am;
    }
    return EqualsIgnoringCase(rest, pm) ? Designator::Pm : Designator::Unknown;
}

} // namespace

std::string FormatTimeOfDay(int seconds, bool force24Hour, const TimeDesignators& designators) {
    // A partial minute drops toward zero before the time wraps around the day,
    // so the unreadable marker (-1) shows as midnight, as any time short of a
    // whole minute past it does, and not as the last minute of the day.
    constexpr int kMinutesPerDay = kSecondsPerDay / kSecondsPerMinute;
    const int wholeMinutes = seconds / kSecondsPerMinute;
    const int minutesIntoDay = (wholeMinutes % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
    const int hour = minutesIntoDay / 60;
    const int minute = minutesIntoDay % 60;
    const std::string_view designator = hour < 12 ? designators.am : designators.pm;
    const bool twelveHour = !force24Hour && !designator.empty();
    const int shownHour = !twelveHour ? hour : (hour % 12 == 0 ? 12 : hour % 12);
    std::string text;
    AppendTwoDigits(text, shownHour);
    text.push_back(':');
    AppendTwoDigits(text, minute);
    if (twelveHour) {
        text.push_back(' ');
        text.append(designator);
    }
    return text;
}

bool ParseTimeOfDay(std::string_view text, const TimeDesignators& designators, int& seconds) {
    text = SkipSpace(text);
    std::size_t hourDigits = 0;
    while (hourDigits < text.size() && hourDigits < 2 && IsDigit(text[hourDigits])) {
        ++hourDigits;
    }
    if (hourDigits == 0 || hourDigits >= text.size() || text[hourDigits] != ':') {
        return false;
    }
    int hour = 0;
    for (std::size_t i = 0; i < hourDigits; ++i) {
        hour = hour * 10 + (text[i] - '0');
    }
    text.remove_prefix(hourDigits + 1);
    if (text.size() < 2 || !IsDigit(text[0]) || !IsDigit(text[1])) {
        return false;
    }
    const int minute = (text[0] - '0') * 10 + (text[1] - '0');
    const Designator designator = ReadDesignator(SkipSpace(text.substr(2)), designators);
    if (designator == Designator::Unknown || hour > 23 || minute > 59) {
        return false;
    }
    if (designator != Designator::None) {
        if (hour < 1 || hour > 12) {
            return false;
        }
        if (designator == Designator::Pm && hour < 12) {
            hour += 12;
        } else if (designator == Designator::Am && hour == 12) {
            hour = 0;
        }
    }
    seconds = (hour * 60 + minute) * kSecondsPerMinute;
    return true;
}

void StepTimeOfDay(int& seconds, int steps) {
    if (steps == 0) {
        return;
    }
    const int time = WrapDay(seconds);
    const std::int64_t quarter = time - time % kQuarterHour;
    seconds = WrapDay(quarter + std::int64_t{kQuarterHour} * steps);
}

} // namespace core
