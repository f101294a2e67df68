#pragma once
#include <cstdint>

namespace core {

// The one result convention of every entry check; the calling dialog picks the message.
enum FieldCheckResult : std::uint16_t {
    FieldValid = 0,
    FieldInvalid = 10,    // a character or the form is wrong
    FieldEmpty = 11,      // the text is empty
    FieldOutOfRange = 12, // too long, too short, or the value is out of range
};

} // namespace core
