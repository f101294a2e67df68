#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The list of servers offered at log-in, most recently used first, as kept in the "Hosts" key.
namespace core {

inline constexpr std::size_t kMaxHostHistory = 10;

// Entries separated by runs of spaces, in order; empty entries are dropped.
std::vector<std::string> SplitHostList(std::string_view text);

// Entries joined by single spaces, without trailing spaces.
std::string JoinHostList(const std::vector<std::string>& hosts);

// Puts the server text, as typed, at the top: entries equal to it ignoring ASCII case are removed
// first, and the list is kept to kMaxHostHistory entries by dropping from the end.
void AddHostToHistory(std::vector<std::string>& hosts, std::string_view typed);

} // namespace core
