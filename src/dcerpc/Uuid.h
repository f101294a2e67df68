#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dcerpc {

// A UUID in its logical form (fields as numbers); byte order is applied only
// when it is put on or taken off the wire.
struct Uuid {
    uint32_t timeLow = 0;
    uint16_t timeMid = 0;
    uint16_t timeHiAndVersion = 0;
    std::array<uint8_t, 8> rest{};

    static Uuid Parse(std::string_view text); // "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx"
    std::string ToString() const;
    bool IsNil() const;
    friend bool operator==(const Uuid&, const Uuid&) = default;
};

struct SyntaxId {
    Uuid uuid;
    uint16_t major = 0;
    uint16_t minor = 0;
    friend bool operator==(const SyntaxId&, const SyntaxId&) = default;
};

// NDR 2.0 transfer syntax.
SyntaxId NdrSyntax();

} // namespace dcerpc
