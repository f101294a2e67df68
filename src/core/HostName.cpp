#include "core/HostName.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <memory>

namespace core {
namespace {

constexpr std::string_view kHostPunctuation = "_-.";
constexpr int kIPv4Parts = 4;
constexpr std::size_t kMaxPartDigits = 3;
constexpr int kMaxPartValue = 255;

bool IsHostChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           kHostPunctuation.find(c) != std::string_view::npos;
}

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const { ::freeaddrinfo(info); }
};

} // namespace

FieldCheckResult CheckHostName(std::string_view text, std::size_t maxLength) {
    if (text.empty()) {
        return FieldEmpty;
    }
    if (text.size() > maxLength) {
        return FieldOutOfRange;
    }
    if (!std::all_of(text.begin(), text.end(), IsHostChar) ||
        text.find("..") != std::string_view::npos) {
        return FieldInvalid;
    }
    return FieldValid;
}

std::optional<std::string> ParseDottedIPv4(std::string_view text) {
    std::string dotted;
    for (int part = 0; part < kIPv4Parts; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.') {
                return std::nullopt;
            }
            text.remove_prefix(1);
            dotted.push_back('.');
        }
        std::size_t digits = 0;
        int value = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
            if (++digits > kMaxPartDigits) {
                return std::nullopt;
            }
            value = value * 10 + (text[digits - 1] - '0');
        }
        if (digits == 0 || value > kMaxPartValue) {
            return std::nullopt;
        }
        text.remove_prefix(digits);
        dotted += std::to_string(value);
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return dotted;
}

std::optional<std::string> LookupHostIPv4(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* raw = nullptr;
    if (::getaddrinfo(name.c_str(), nullptr, &hints, &raw) != 0 || raw == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<addrinfo, AddrInfoDeleter> result(raw);
    for (const addrinfo* info = result.get(); info != nullptr; info = info->ai_next) {
        if (info->ai_family != AF_INET || info->ai_addr == nullptr) {
            continue;
        }
        sockaddr_in address{};
        std::copy_n(reinterpret_cast<const unsigned char*>(info->ai_addr),
                    std::min<std::size_t>(sizeof address, info->ai_addrlen),
                    reinterpret_cast<unsigned char*>(&address));
        char text[INET_ADDRSTRLEN] = {};
        if (::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text) != nullptr) {
            return std::string(text);
        }
    }
    return std::nullopt;
}

ResolvedServer ResolveServerAddress(std::string_view text, const HostLookup& lookup) {
    if (text.empty()) {
        return {FieldEmpty, {}};
    }
    if (std::optional<std::string> dotted = ParseDottedIPv4(text)) {
        return {FieldValid, std::move(*dotted)};
    }
    if (const FieldCheckResult check = CheckHostName(text, kMaxHostNameLength);
        check != FieldValid) {
        return {check, {}};
    }
    std::optional<std::string> address = lookup ? lookup(std::string(text)) : std::nullopt;
    if (!address) {
        return {FieldInvalid, {}};
    }
    return {FieldValid, std::move(*address)};
}

} // namespace core
