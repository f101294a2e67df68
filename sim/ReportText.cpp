// Report texts as the server prepares them: plain text, one table per
// report, built from the current state so a fetched report reflects the
// administrator's changes.

#include "SimState.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <string>

namespace zaxsim {

using zax::GetText;

namespace {

__attribute__((format(printf, 2, 3))) void Add(std::string& out, const char* fmt, ...) {
    char line[256];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    if (n > 0)
        out.append(line, std::min(static_cast<size_t>(n), sizeof line - 1));
    out += '\n';
}

const char* TypeText(int16_t type) {
    switch (type) {
    case 2:
        return "Information";
    case 5:
        return "FaxOnDemand";
    case 6:
        return "FaxOverflow";
    case 7:
    case 8:
        return "-------";
    case 9:
        return "AMIS";
    case 10:
        return "Network";
    default:
        return type > 10 ? "-------" : "Subscriber";
    }
}

const char* YesNo(int v) {
    return v ? "Yes" : "No";
}

void Directory(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-20s %-8s %s", "NAME", "NUMBER", "EXTENSION");
    for (const auto& [number, m] : s.mailboxes)
        if (m.record.Directory)
            Add(out, "%-20s %-8s %s", GetText(m.record.Name).c_str(), number.c_str(),
                GetText(m.record.Extension).c_str());
}

void MailboxInformation(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-20s %-12s %-4s %-8s %s", "NUMBER", "NAME", "TYPE", "COS", "EXT", "INIT");
    for (const auto& [number, m] : s.mailboxes)
        Add(out, "%-8s %-20s %-12s %-4d %-8s %s", number.c_str(), GetText(m.record.Name).c_str(),
            TypeText(m.record.Type), m.record.ClassOfService, GetText(m.record.Extension).c_str(),
            YesNo(m.initialized));
}

void GroupLists(std::string& out, const SimState& s, const std::string&) {
    for (const auto& [number, g] : s.groupLists) {
        const bool fax = g.header.Kind != 0;
        Add(out, "%s %s (%s)", number.c_str(), GetText(g.header.ListName).c_str(),
            fax ? "Fax" : "Voice");
        for (const auto& m : g.members)
            if (fax)
                Add(out, "    %-20s %s", GetText(m.FaxMemberName).c_str(),
                    GetText(m.DialString).c_str());
            else
                Add(out, "    %-8s %s", GetText(m.MemberMailbox).c_str(),
                    GetText(m.MemberMailboxName).c_str());
    }
}

// Message counts are not modelled; the figures follow from the mailbox
// number so that the report stays the same between runs.
int Figure(const std::string& number, int salt) {
    int v = salt;
    for (char c : number)
        v = (v * 31 + (c - '0')) % 997;
    return v % 40;
}

void MessageUsage(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-20s %6s %6s", "NUMBER", "NAME", "NEW", "SAVED");
    for (const auto& [number, m] : s.mailboxes)
        Add(out, "%-8s %-20s %6d %6d", number.c_str(), GetText(m.record.Name).c_str(),
            Figure(number, 1) % 6, Figure(number, 2));
}

void MailboxActivity(std::string& out, const SimState& s, const std::string& argument) {
    Add(out, "%-8s %-20s %8s %8s", "NUMBER", "NAME", "CALLS", "LOGINS");
    for (const auto& [number, m] : s.mailboxes)
        if (argument.empty() || argument == number)
            Add(out, "%-8s %-20s %8d %8d", number.c_str(), GetText(m.record.Name).c_str(),
                Figure(number, 3) * 3, Figure(number, 4));
}

void Clid(std::string& out, const SimState& s, const std::string&) {
    static const char* const kTargets[] = {"", "Table", "Extension", "CCR Tree", "Mailbox"};
    Add(out, "%-16s %-10s %s", "PHONE #", "TYPE", "VALUE");
    for (const auto& [phone, e] : s.clid) {
        const int t = e.TargetType >= 1 && e.TargetType <= 4 ? e.TargetType : 0;
        std::string value = t == 1   ? std::to_string(e.GreetingTable)
                            : t == 2 ? GetText(e.Extension)
                            : t == 3 ? std::to_string(e.CcrTree) + " / " + GetText(e.CcrTreePath)
                                     : GetText(e.Mailbox);
        Add(out, "%-16s %-10s %s", phone.c_str(), kTargets[t], value.c_str());
    }
}

void DnTranslation(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-16s %s", "INPUT", "OUTPUT");
    for (const auto& [in, o] : s.translations)
        Add(out, "%-16s %s", in.empty() ? "*" : in.c_str(), o.empty() ? "*" : o.c_str());
}

void Alarm(std::string& out, const SimState&, const std::string&) {
    Add(out, "No alarms recorded.");
}

void CcrTree(std::string& out, const SimState& s, const std::string&) {
    for (const auto& [tree, paths] : s.ccrTrees) {
        Add(out, "CCR tree %d", tree);
        for (const auto& p : paths)
            Add(out, "    path %s", p.c_str());
    }
}

void PortUsage(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-6s %-8s %-6s %s", "LINE", "ANSWER", "TABLE", "RINGS");
    for (size_t i = 0; i < s.lines.size(); ++i)
        Add(out, "%03zu    %-8s %-6d %d", i + 1, YesNo(s.lines[i].AnswerFlag),
            s.lines[i].GreetingTable, s.lines[i].Rings);
}

void SystemConfiguration(std::string& out, const SimState& s, const std::string&) {
    const auto& si = s.systemInfo;
    Add(out, "Lines                 %d", si.MaxLineNumber);
    Add(out, "Pools                 %d", si.MaxPoolNumber);
    Add(out, "Extension length      %d", si.ExtensionLength);
    Add(out, "Outcalling channels   %d", si.MaxOutcallChannels);
    Add(out, "Centrex               %s", YesNo(si.CentrexAvailable));
    Add(out, "Mailboxes             %zu of %d", s.mailboxes.size(), s.capacity.Mailboxes);
    Add(out, "Group lists           %zu of %d", s.groupLists.size(), s.capacity.GroupLists);
    Add(out, "Network sites         %zu of %d", s.sites.size(), s.capacity.Sites);
}

void FaxRequests(std::string& out, const SimState&, const std::string&) {
    Add(out, "No fax requests pending.");
}

void ClassesOfService(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-4s %-16s %6s %6s %6s %6s", "COS", "NAME", "MBXMIN", "MSGMIN", "DAYS", "GRTMIN");
    for (const auto& c : s.classesOfService)
        Add(out, "%02d   %-16s %6d %6d %6d %6d", c.ClassNumber, GetText(c.Name).c_str(),
            c.MaxMailboxMessageTime, c.MaxMessageLength, c.MessageRetentionPeriod,
            c.MaxGreetingLength);
}

void SystemParametersReport(std::string& out, const SimState& s, const std::string&) {
    const auto& p = s.systemParameters;
    Add(out, "Version               %s", GetText(p.VoiceMailVersion).c_str());
    Add(out, "Outcalling channels   %d", p.OutcallingChannels);
    Add(out, "Voice mail            %s", YesNo(p.VoiceMailEnabled));
    Add(out, "Group lists           %s (leading digit %d)", YesNo(p.GroupListsEnabled),
        p.GroupListLeadingDigit);
    Add(out, "Directory             %s", YesNo(p.DirectoryAvailable));
    Add(out, "Bilingual             %s", YesNo(p.Bilingual));
}

void SpeechRecognition(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-24s %-24s %s", "NUMBER", "EXTENDED NAME", "ALIAS", "ENABLED");
    for (const auto& [number, m] : s.mailboxes)
        Add(out, "%-8s %-24s %-24s %s", number.c_str(), GetText(m.record.ExtendedName).c_str(),
            GetText(m.record.Alias).c_str(), YesNo(!m.record.SpeechDisabled));
}

struct Report {
    const char* title;
    void (*body)(std::string&, const SimState&, const std::string&);
};

constexpr Report kReports[] = {
    {"DIRECTORY", Directory},
    {"MAILBOX INFORMATION", MailboxInformation},
    {"GROUP LIST", GroupLists},
    {"MESSAGE USAGE", MessageUsage},
    {"MAILBOX ACTIVITY", MailboxActivity},
    {"CLID", Clid},
    {"DN TRANSLATION", DnTranslation},
    {"ALARM", Alarm},
    {"CCR TREE", CcrTree},
    {"PORT USAGE", PortUsage},
    {"SYSTEM CONFIGURATION", SystemConfiguration},
    {"FAX REQUESTS", FaxRequests},
    {"CLASS OF SERVICE", ClassesOfService},
    {"SYSTEM PARAMETERS", SystemParametersReport},
    {"SPEECH RECOGNITION", SpeechRecognition},
};

} // namespace

std::string BuildReportText(const SimState& state, int16_t number, const std::string& argument) {
    constexpr auto count = static_cast<int16_t>(std::size(kReports));
    if (number < 1 || number > count)
        return {};
    const Report& r = kReports[number - 1];
    std::string out;
    Add(out, "%s REPORT", r.title);
    Add(out, "%s", "");
    r.body(out, state, argument);
    return out;
}

} // namespace zaxsim
