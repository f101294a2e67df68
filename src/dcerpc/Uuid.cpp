#include "dcerpc/Uuid.h"

#include <cstdio>
#include <stdexcept>

namespace dcerpc {

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

uint64_t HexField(std::string_view text, size_t pos, size_t len) {
    uint64_t v = 0;
    for (size_t i = 0; i < len; ++i) {
        int d = HexDigit(text[pos + i]);
        if (d < 0)
            throw std::invalid_argument("bad UUID: " + std::string(text));
        v = (v << 4) | static_cast<uint64_t>(d);
    }
    return v;
}
} // namespace

Uuid Uuid::Parse(std::string_view text) {
    if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
        text[23] != '-')
        throw std::invalid_argument("bad UUID: " + std::string(text));
    Uuid u;
    u.timeLow = static_cast<uint32_t>(HexField(text, 0, 8));
    u.timeMid = static_cast<uint16_t>(HexField(text, 9, 4));
    u.timeHiAndVersion = static_cast<uint16_t>(HexField(text, 14, 4));
    u.rest[0] = static_cast<uint8_t>(HexField(text, 19, 2));
    u.rest[1] = static_cast<uint8_t>(HexField(text, 21, 2));
    for (size_t i = 0; i < 6; ++i)
        u.rest[2 + i] = static_cast<uint8_t>(HexField(text, 24 + 2 * i, 2));
    return u;
}

std::string Uuid::ToString() const {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", timeLow,
                  timeMid, timeHiAndVersion, rest[0], rest[1], rest[2], rest[3], rest[4], rest[5],
                  rest[6], rest[7]);
    return buf;
}

bool Uuid::IsNil() const {
    if (timeLow || timeMid || timeHiAndVersion)
        return false;
    for (auto b : rest)
        if (b)
            return false;
    return true;
}

SyntaxId NdrSyntax() {
    return {Uuid::Parse("8a885d04-1ceb-11c9-9fe8-08002b104860"), 2, 0};
}

} // namespace dcerpc
