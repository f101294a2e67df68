#pragma once
#include "core/FieldCheckResult.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Checks of what the administrator typed, before anything goes to the server. Letters and digits
// are ASCII only. Length checks come before character checks, so an overlong text with a bad
// character reports the length. System limits are passed in by the caller.
namespace core {

// 1 to 9 decimal digits.
FieldCheckResult CheckDigits(std::string_view text);
// Empty, or 1 to 9 decimal digits.
FieldCheckResult CheckOptionalDigits(std::string_view text);
// Exactly one of "1" to "9"; value receives it.
FieldCheckResult CheckSingleDigit(std::string_view text, int& value);
// Exactly extensionLength decimal digits; a wrong length is FieldInvalid, not FieldOutOfRange.
FieldCheckResult CheckMailboxNumber(std::string_view text, int extensionLength);
// Decimal digits, no more of them than maxLineNumber has, value 1 to maxLineNumber.
FieldCheckResult CheckLineNumber(std::string_view text, int maxLineNumber, int& value);
// As CheckLineNumber, against the highest pool number.
FieldCheckResult CheckPoolNumber(std::string_view text, int maxPoolNumber, int& value);
// Decimal digits with minLength..maxLength characters. With checkValue the number must lie in
// minValue..maxValue; it is delivered even when out of range (saturated at 65535), so a caller
// can show what was typed.
FieldCheckResult CheckNumberField(std::string_view text, std::size_t minLength,
                                  std::size_t maxLength, bool checkValue, std::uint16_t minValue,
                                  std::uint16_t maxValue, std::uint16_t& value);
// 1 to 17 letters, digits, apostrophes or hyphens; any other character is FieldOutOfRange.
FieldCheckResult CheckNameChars(std::string_view text);
// Letters, digits, apostrophe, comma, hyphen, underscore; minLength..maxLength characters.
FieldCheckResult CheckLabel(std::string_view text, std::size_t minLength, std::size_t maxLength);
// Letters, digits, space, apostrophe, underscore; minLength..maxLength characters.
FieldCheckResult CheckWords(std::string_view text, std::size_t minLength, std::size_t maxLength);
// 1 to 30 characters of digits, "#", "*", "D", "P", "d", "p"; out receives the text when valid.
FieldCheckResult CheckDialString(std::string_view text, std::string& out);
// "hh:mm": hour at most 23 (24-hour) or 12, minutes below 60; any failure but empty is invalid.
FieldCheckResult CheckClockText(std::string_view text, bool is24Hour);

// The n-th piece (from 1) of the line split at spaces, tabs and newlines; runs of separators
// count as one. Empty when the line has fewer pieces.
std::string GetField(std::string_view line, int n);

} // namespace core
