// The demo office's statistics: a plausible week of traffic for every
// mailbox and every line the server answers. The figures follow from the
// mailbox or line number, so the demo state is the same on every run.

#include "DemoParts.h"

namespace zaxsim::demo {

namespace {

int32_t Figure(const std::string& key, int salt, int32_t range) {
    uint32_t v = static_cast<uint32_t>(salt) * 2654435761u;
    for (char c : key)
        v = (v ^ static_cast<uint8_t>(c)) * 16777619u;
    return static_cast<int32_t>(v % static_cast<uint32_t>(range));
}

} // namespace

void FillStatistics(SimState& s) {
    s.mailboxUsage.clear();
    s.portUsage.clear();
    for (const auto& [number, m] : s.mailboxes) {
        UsageCounters u{};
        u.Calls = 5 + Figure(number, 1, 60);
        u.Messages = Figure(number, 2, u.Calls);
        u.Minutes = u.Messages + Figure(number, 3, 2 * u.Messages + 1);
        u.Logins = m.initialized ? 1 + Figure(number, 4, 20) : 0;
        s.mailboxUsage.emplace(number, u);
    }
    for (size_t i = 0; i < s.lines.size(); ++i) {
        if (!s.lines[i].AnswerFlag)
            continue;
        const std::string key = std::to_string(i + 1);
        UsageCounters u{};
        u.Calls = 40 + Figure(key, 5, 160);
        u.Minutes = u.Calls * 2 + Figure(key, 6, u.Calls);
        u.Messages = Figure(key, 7, u.Calls / 2);
        s.portUsage.emplace(static_cast<int16_t>(i + 1), u);
    }
}

} // namespace zaxsim::demo
