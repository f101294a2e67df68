#pragma once
#include "core/FieldCheckResult.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Turning the server text typed at log-in into a dotted IPv4 address.
namespace core {

inline constexpr std::size_t kMaxHostNameLength = 100;

// Looks a host name up and gives its first IPv4 address in dotted form, or nothing.
using HostLookup = std::function<std::optional<std::string>(const std::string& name)>;

struct ResolvedServer {
    FieldCheckResult code = FieldEmpty;
    std::string address; // dotted form, set when code is FieldValid
};

// Empty: FieldEmpty; longer than maxLength: FieldOutOfRange; a character other than an ASCII
// letter, digit, "_", "-", "." or a "." right after another ".": FieldInvalid.
FieldCheckResult CheckHostName(std::string_view text, std::size_t maxLength);

// Four decimal numbers 0 to 255 joined by dots, given back without leading zeros. Leading zeros
// are read as decimal: an administrator typing 010 means ten.
std::optional<std::string> ParseDottedIPv4(std::string_view text);

// The system resolver (getaddrinfo), IPv4 only.
std::optional<std::string> LookupHostIPv4(const std::string& name);

// A dotted address is taken as it is; anything else must pass CheckHostName with
// kMaxHostNameLength before it is looked up. A name that is not found is FieldInvalid.
ResolvedServer ResolveServerAddress(std::string_view text,
                                    const HostLookup& lookup = LookupHostIPv4);

} // namespace core
