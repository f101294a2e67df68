#include "StateDump.h"

#include "StateColumns.h"

#include <cstdio>

namespace zaxsim {

std::string columns::ShowText(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7f || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string columns::ShowBytes(std::span<const uint8_t> bytes) {
    std::string out;
    for (uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X", b);
        out += hex;
    }
    return out;
}

namespace {

template <class R> void Fields(std::ostream& out, const R& r) {
    for (const auto& c : ColumnsOf<R>::list)
        out << c.name << " = " << c.show(r) << "\n";
}

template <class R> void Block(std::ostream& out, const std::string& heading, const R& r) {
    out << "\n[" << heading << "]\n";
    Fields(out, r);
}

std::string Cell(size_t day, size_t period) {
    return std::to_string(day) + " " + std::to_string(period);
}

void Recording(std::ostream& out, const std::string& heading, const Blob& voice, int32_t rate) {
    out << "\n[" << heading << "]\nBytes = " << voice.size();
    if (rate > 0) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(voice.size()) / rate);
        out << " (" << seconds << " s)";
    }
    out << "\n";
}

} // namespace

void DumpState(const SimState& s, std::ostream& out) {
    out << "# zaxsim state: " << s.mailboxes.size() << " mailboxes, " << s.groupLists.size()
        << " group lists, " << s.clid.size() << " CLID entries, " << s.sites.size() << " sites\n";
    Block(out, "system_info", s.systemInfo);
    for (size_t i = 0; i < zax::CosLimitCount; ++i)
        Block(out, "cos_limits " + std::to_string(i), s.systemInfo.CosLimits[i]);
    Block(out, "capacity", s.capacity);
    out << "VpimAvailable = " << int{s.vpimAvailable} << "\n";
    for (const auto& [number, m] : s.mailboxes) {
        Block(out, "mailboxes " + number, m.record);
        out << "Initialized = " << int{m.initialized}
            << "\nPasswordChanged = " << int{m.passwordChanged}
            << "\nSystemMailbox = " << int{m.systemMailbox} << "\n";
    }
    for (const auto& [number, g] : s.groupLists) {
        out << "\n[group_lists " << number
            << "]\nListName = " << columns::ShowField(g.header.ListName)
            << "\nKind = " << g.header.Kind << "\n";
        for (size_t i = 0; i < g.members.size(); ++i)
            Block(out, "group_list_members " + number + " " + std::to_string(i + 1), g.members[i]);
    }
    for (const auto& [phone, e] : s.clid)
        Block(out, "clid " + phone, e);
    for (const auto& g : s.greetingTables) {
        const std::string t = std::to_string(g.TableNumber);
        Block(out, "greeting_tables " + t, g);
        for (size_t d = 0; d < zax::DaysPerWeek; ++d)
            for (size_t p = 0; p < zax::PeriodsPerDay; ++p)
                Block(out, "greeting_hours " + t + " " + Cell(d, p), g.Hours[d][p]);
    }
    for (const auto& [tree, paths] : s.ccrTrees) {
        out << "\n[ccr_trees " << tree << "]\nPaths =";
        for (const auto& p : paths)
            out << " " << p;
        out << "\n";
    }
    for (size_t i = 0; i < s.lines.size(); ++i)
        Block(out, "lines " + std::to_string(i + 1), s.lines[i]);
    Block(out, "attendant", s.attendant);
    for (const auto& c : s.classesOfService)
        Block(out, "classes_of_service " + std::to_string(c.ClassNumber), c);
    Block(out, "fax_parameters", s.fax);
    Block(out, "system_parameters", s.systemParameters);
    Block(out, "operator_settings", s.operatorSettings);
    Block(out, "dialing_parameters", s.dialing);
    Block(out, "voice_parameters", s.voice);
    Block(out, "voice_dialing", s.voiceDialing);
    out << "\n[translations]\n";
    for (const auto& [in, to] : s.translations)
        out << columns::ShowText(in) << " = " << columns::ShowText(to) << "\n";
    out << "\n[centrex_restrictions]\n";
    for (const auto& digits : s.centrexRestrictions)
        out << digits << "\n";
    for (size_t d = 0; d < zax::DaysPerWeek; ++d)
        for (size_t p = 0; p < zax::PeriodsPerDay; ++p)
            Block(out, "blocking_periods " + Cell(d, p), s.blockingPeriods.Periods[d][p]);
    Block(out, "network_parameters", s.network);
    for (const auto& [prefix, site] : s.sites)
        Block(out, "sites " + prefix, site);
    for (const auto& [number, text] : s.reports)
        out << "\n[reports " << number << "]\nText = " << columns::ShowText(text) << "\n";
    for (const auto& [number, usage] : s.mailboxUsage)
        Block(out, "mailbox_usage " + number, usage);
    for (const auto& [line, usage] : s.portUsage)
        Block(out, "port_usage " + std::to_string(line), usage);
    const int32_t rate = s.voice.BytesPerSecond;
    for (const auto& [key, voice] : s.aaPrompts)
        Recording(out, "aa_prompts " + std::to_string(key.table) + " " + std::to_string(key.kind),
                  voice, rate);
    for (const auto& [key, voice] : s.srPrompts)
        Recording(out, "sr_prompts " + std::to_string(key.table) + " " + std::to_string(key.kind),
                  voice, rate);
    for (const auto& [number, voice] : s.nameRecordings)
        Recording(out, "name_recordings " + number, voice, rate);
}

} // namespace zaxsim
