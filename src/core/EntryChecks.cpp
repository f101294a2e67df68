#include "core/EntryChecks.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace core {
namespace {

constexpr std::size_t kMaxDigits = 9;
constexpr std::size_t kMaxNameChars = 17;
constexpr std::size_t kMaxDialChars = 30;
constexpr std::string_view kNameExtras = "'-";
constexpr std::string_view kLabelExtras = "',-_";
constexpr std::string_view kWordsExtras = " '_";
constexpr std::string_view kDialChars = "0123456789#*DPdp";
constexpr std::string_view kFieldSeparators = " \t\n";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsDigit);
}

bool AllAlnumOr(std::string_view text, std::string_view extras) {
    return std::all_of(text.begin(), text.end(), [extras](char c) {
        return IsLetterOrDigit(c) || extras.find(c) != std::string_view::npos;
    });
}

// Callers have checked the text is all digits; overlong numbers saturate instead of wrapping.
std::uint64_t ParseDigits(std::string_view text) {
    constexpr std::uint64_t kCap = std::numeric_limits<std::uint32_t>::max();
    std::uint64_t value = 0;
    for (const char c : text) {
        value = std::min(kCap, value * 10 + static_cast<std::uint64_t>(c - '0'));
    }
    return value;
}

std::size_t DigitCount(int value) {
    std::size_t count = 1;
    for (; value >= 10; value /= 10) {
        ++count;
    }
    return count;
}

FieldCheckResult CheckLengthThenChars(std::string_view text, std::size_t minLength,
                                      std::size_t maxLength, std::string_view extras) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() < minLength || text.size() > maxLength) {
        return FieldOutOfRange;
    }
    return AllAlnumOr(text, extras) ? FieldValid : FieldInvalid;
}

FieldCheckResult CheckBoundedNumber(std::string_view text, int maximum, int& value) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() > DigitCount(maximum)) {
        return FieldOutOfRange;
    }
    if (!AllDigits(text)) {
        return FieldInvalid;
    }
    const std::uint64_t number = ParseDigits(text);
    if (number == 0 || maximum < 1 || number > static_cast<std::uint64_t>(maximum)) {
        return FieldOutOfRange;
    }
    value = static_cast<int>(number);
    return FieldValid;
}

} // namespace

FieldCheckResult CheckDigits(std::string_view text) {
    if (text.empty()) {
        return FieldEmpty;
    }
    return CheckOptionalDigits(text);
}

FieldCheckResult CheckOptionalDigits(std::string_view text) {
    if (text.size() > kMaxDigits) {
        return FieldOutOfRange;
    }
    return AllDigits(text) ? FieldValid : FieldInvalid;
}

FieldCheckResult CheckSingleDigit(std::string_view text, int& value) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() > 1) {
        return FieldOutOfRange;
    }
    if (text[0] < '1' || text[0] > '9') {
        return FieldInvalid;
    }
    value = text[0] - '0';
    return FieldValid;
}

FieldCheckResult CheckMailboxNumber(std::string_view text, int extensionLength) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (extensionLength < 0 || text.size() != static_cast<std::size_t>(extensionLength)) {
        return FieldInvalid;
    }
    return AllDigits(text) ? FieldValid : FieldInvalid;
}

FieldCheckResult CheckLineNumber(std::string_view text, int maxLineNumber, int& value) {
    return CheckBoundedNumber(text, maxLineNumber, value);
}

FieldCheckResult CheckPoolNumber(std::string_view text, int maxPoolNumber, int& value) {
    return CheckBoundedNumber(text, maxPoolNumber, value);
}

FieldCheckResult CheckNumberField(std::string_view text, std::size_t minLength,
                                  std::size_t maxLength, bool checkValue, std::uint16_t minValue,
                                  std::uint16_t maxValue, std::uint16_t& value) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() < minLength || text.size() > maxLength) {
        return FieldOutOfRange;
    }
    if (!AllDigits(text)) {
        return FieldInvalid;
    }
    if (!checkValue) {
        return FieldValid;
    }
    const std::uint64_t number = ParseDigits(text);
    value = static_cast<std::uint16_t>(std::min<std::uint64_t>(number, 0xFFFF));
    return number < minValue || number > maxValue ? FieldOutOfRange : FieldValid;
}

FieldCheckResult CheckNameChars(std::string_view text) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() > kMaxNameChars || !AllAlnumOr(text, kNameExtras)) {
        return FieldOutOfRange;
    }
    return FieldValid;
}

FieldCheckResult CheckLabel(std::string_view text, std::size_t minLength, std::size_t maxLength) {
    return CheckLengthThenChars(text, minLength, maxLength, kLabelExtras);
}

FieldCheckResult CheckWords(std::string_view text, std::size_t minLength, std::size_t maxLength) {
    return CheckLengthThenChars(text, minLength, maxLength, kWordsExtras);
}

FieldCheckResult CheckDialString(std::string_view text, std::string& out) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() > kMaxDialChars) {
        return FieldOutOfRange;
    }
    if (text.find_first_not_of(kDialChars) != std::string_view::npos) {
        return FieldInvalid;
    }
    out.assign(text);
    return FieldValid;
}

FieldCheckResult CheckClockText(std::string_view text, bool is24Hour) {
    if (text.empty()) {
        return FieldEmpty;
    }
    const bool form = text.size() == 5 && IsDigit(text[0]) && IsDigit(text[1]) && text[2] == ':' &&
                      IsDigit(text[3]) && IsDigit(text[4]);
    if (!form) {
        return FieldInvalid;
    }
    const int hour = (text[0] - '0') * 10 + (text[1] - '0');
    const int minute = (text[3] - '0') * 10 + (text[4] - '0');
    return hour <= (is24Hour ? 23 : 12) && minute < 60 ? FieldValid : FieldInvalid;
}

std::string GetField(std::string_view line, int n) {
    std::size_t pos = 0;
    for (int index = 1;; ++index) {
        const std::size_t begin = line.find_first_not_of(kFieldSeparators, pos);
        if (begin == std::string_view::npos) {
            return {};
        }
        const std::size_t end = std::min(line.find_first_of(kFieldSeparators, begin), line.size());
        if (index == n) {
            return std::string(line.substr(begin, end - begin));
        }
        pos = end;
    }
}

} // namespace core
