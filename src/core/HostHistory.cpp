#include "core/HostHistory.h"

#include <algorithm>

namespace core {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

} // namespace

std::vector<std::string> SplitHostList(std::string_view text) {
    std::vector<std::string> hosts;
    for (std::size_t pos = text.find_first_not_of(' '); pos != std::string_view::npos;
         pos = text.find_first_not_of(' ', pos)) {
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        hosts.emplace_back(text.substr(pos, end - pos));
        pos = end;
    }
    return hosts;
}

std::string JoinHostList(const std::vector<std::string>& hosts) {
    std::string text;
    for (const std::string& host : hosts) {
        text += host;
        text += ' ';
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void AddHostToHistory(std::vector<std::string>& hosts, std::string_view typed) {
    std::erase_if(hosts,
                  [typed](const std::string& host) { return EqualsIgnoringCase(host, typed); });
    if (hosts.size() >= kMaxHostHistory) {
        hosts.resize(kMaxHostHistory - 1);
    }
    hosts.insert(hosts.begin(), std::string(typed));
}

} // namespace core
