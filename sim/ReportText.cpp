// Report texts as the server prepares them: plain text, one page heading,
// one table per report with its column headings, and a closing line with
// the count of entries. Everything is built from the current state, so a
// fetched report reflects the administrator's changes and the statistics
// counted since the last reset.

#include "SimState.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <iterator>
#include <string>

namespace zaxsim {

using zax::GetText;

namespace {

constexpr int kWidth = 100; // of the rules above and below each table

__attribute__((format(printf, 2, 3))) void Add(std::string& out, const char* fmt, ...) {
    char line[512];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    if (n > 0)
        out.append(line, std::min(static_cast<size_t>(n), sizeof line - 1));
    out += '\n';
}

void Rule(std::string& out) {
    out.append(kWidth, '-');
    out += '\n';
}

struct TypeName {
    zax::MailboxType type;
    const char* text;
};
constexpr TypeName kTypeNames[] = {
    {zax::MailboxType::Subscriber, "Subscriber"},
    {zax::MailboxType::ServerSubscriber1, "Subscriber"},
    {zax::MailboxType::Information, "Information"},
    {zax::MailboxType::ServerSubscriber3, "Subscriber"},
    {zax::MailboxType::ServerSubscriber4, "Subscriber"},
    {zax::MailboxType::FaxOnDemand, "FaxOnDemand"},
    {zax::MailboxType::FaxOverflow, "FaxOverflow"},
    {zax::MailboxType::Amis, "AMIS"},
    {zax::MailboxType::Network, "Network"},
    {zax::MailboxType::ServerSubscriber11, "Subscriber"},
};

const char* TypeText(int16_t type) {
    for (const TypeName& t : kTypeNames)
        if (static_cast<int16_t>(t.type) == type)
            return t.text;
    return "-------";
}

const char* YesNo(int v) {
    return v ? "Yes" : "No";
}

const char* OutdialText(int16_t kind) {
    switch (static_cast<zax::OutdialKind>(kind)) {
    case zax::OutdialKind::Line:
        return "Line";
    case zax::OutdialKind::Pool:
        return "Pool";
    default:
        return "None";
    }
}

UsageCounters UsageOf(const std::map<std::string, UsageCounters>& usage, const std::string& key) {
    const auto it = usage.find(key);
    return it == usage.end() ? UsageCounters{} : it->second;
}

// Each body writes its column headings and rows and returns the closing
// line's count of entries.
using Body = size_t (*)(std::string&, const SimState&, const std::string&);

size_t Directory(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-22s %-8s %-9s %s", "NAME", "NUMBER", "EXTENSION", "ALTERNATES");
    Rule(out);
    size_t n = 0;
    for (const auto& [number, m] : s.mailboxes) {
        if (!m.record.Directory)
            continue;
        Add(out, "%-22s %-8s %-9s %s %s", GetText(m.record.Name).c_str(), number.c_str(),
            GetText(m.record.Extension).c_str(), GetText(m.record.AlternateExtension1).c_str(),
            GetText(m.record.AlternateExtension2).c_str());
        ++n;
    }
    return n;
}

size_t MailboxInformation(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-21s %-12s %3s %-8s %-8s %-8s %-4s %-4s %-4s %-4s %-5s %s", "NUMBER", "NAME",
        "TYPE", "COS", "EXT", "ALT1", "ALT2", "MWI", "DIR", "SCRN", "INIT", "OUTDL", "FAX");
    Rule(out);
    for (const auto& [number, m] : s.mailboxes) {
        const zax::MailboxRecord& r = m.record;
        Add(out, "%-8s %-21s %-12s %3d %-8s %-8s %-8s %-4s %-4s %-4s %-4s %-4s%-2d %d",
            number.c_str(), GetText(r.Name).c_str(), TypeText(r.Type), r.ClassOfService,
            GetText(r.Extension).c_str(), GetText(r.AlternateExtension1).c_str(),
            GetText(r.AlternateExtension2).c_str(), YesNo(r.MessageWaiting), YesNo(r.Directory),
            YesNo(r.CallScreening), YesNo(m.initialized), OutdialText(r.OutdialKind),
            r.OutdialNumber, r.FaxLine);
    }
    return s.mailboxes.size();
}

size_t GroupLists(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-17s %-6s %s", "LIST", "NAME", "KIND", "MEMBERS");
    Rule(out);
    for (const auto& [number, g] : s.groupLists) {
        const bool fax = g.header.Kind != static_cast<int16_t>(zax::GroupListKind::Voice);
        Add(out, "%-8s %-17s %-6s %zu", number.c_str(), GetText(g.header.ListName).c_str(),
            fax ? "Fax" : "Voice", g.members.size());
        for (const auto& m : g.members)
            if (fax)
                Add(out, "%36s %-21s %s", "", GetText(m.FaxMemberName).c_str(),
                    GetText(m.DialString).c_str());
            else
                Add(out, "%36s %-8s %s", "", GetText(m.MemberMailbox).c_str(),
                    GetText(m.MemberMailboxName).c_str());
    }
    return s.groupLists.size();
}

size_t MessageUsage(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-21s %10s %10s %10s", "NUMBER", "NAME", "MESSAGES", "MINUTES", "CALLS");
    Rule(out);
    UsageCounters total{};
    for (const auto& [number, m] : s.mailboxes) {
        const UsageCounters u = UsageOf(s.mailboxUsage, number);
        Add(out, "%-8s %-21s %10d %10d %10d", number.c_str(), GetText(m.record.Name).c_str(),
            u.Messages, u.Minutes, u.Calls);
        total.Messages += u.Messages;
        total.Minutes += u.Minutes;
        total.Calls += u.Calls;
    }
    Rule(out);
    Add(out, "%-30s %10d %10d %10d", "TOTAL", total.Messages, total.Minutes, total.Calls);
    return s.mailboxes.size();
}

// The 8-byte argument names one mailbox, or is empty for all of them.
size_t MailboxActivity(std::string& out, const SimState& s, const std::string& argument) {
    Add(out, "%-8s %-21s %8s %8s %8s %8s", "NUMBER", "NAME", "CALLS", "MESSAGES", "LOGINS",
        "MINUTES");
    Rule(out);
    size_t n = 0;
    for (const auto& [number, m] : s.mailboxes) {
        if (!argument.empty() && argument != number)
            continue;
        const UsageCounters u = UsageOf(s.mailboxUsage, number);
        Add(out, "%-8s %-21s %8d %8d %8d %8d", number.c_str(), GetText(m.record.Name).c_str(),
            u.Calls, u.Messages, u.Logins, u.Minutes);
        ++n;
    }
    return n;
}

size_t Clid(std::string& out, const SimState& s, const std::string&) {
    static const char* const kTargets[] = {"", "Table", "Extension", "CCR Tree", "Mailbox"};
    Add(out, "%-16s %-10s %s", "PHONE #", "ROUTE TO", "VALUE");
    Rule(out);
    for (const auto& [phone, e] : s.clid) {
        const int t = e.TargetType >= 1 && e.TargetType <= 4 ? e.TargetType : 0;
        const std::string value = t == 1   ? std::to_string(e.GreetingTable)
                                  : t == 2 ? GetText(e.Extension)
                                  : t == 3
                                      ? std::to_string(e.CcrTree) + " / " + GetText(e.CcrTreePath)
                                      : GetText(e.Mailbox);
        Add(out, "%-16s %-10s %s", phone.c_str(), kTargets[t], value.c_str());
    }
    return s.clid.size();
}

size_t DnTranslation(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-16s %s", "INPUT", "OUTPUT");
    Rule(out);
    for (const auto& [in, o] : s.translations)
        Add(out, "%-16s %s", in.empty() ? "*" : in.c_str(), o.empty() ? "*" : o.c_str());
    Rule(out);
    Add(out, "Centrex transfer restrictions: %zu", s.centrexRestrictions.size());
    for (const auto& digits : s.centrexRestrictions)
        Add(out, "    %s", digits.c_str());
    return s.translations.size();
}

// The simulator raises no alarms of its own; it reports the conditions a
// real server would log: lines it does not answer and tables near full.
size_t Alarm(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-6s %-10s %s", "CODE", "SOURCE", "CONDITION");
    Rule(out);
    size_t n = 0;
    for (size_t i = 0; i < s.lines.size(); ++i)
        if (!s.lines[i].AnswerFlag) {
            Add(out, "%-6d Line %03zu   not answered by voice mail", 1100, i + 1);
            ++n;
        }
    if (s.mailboxes.size() * 10 >= static_cast<size_t>(s.capacity.Mailboxes) * 9) {
        Add(out, "%-6d %-10s mailbox table %zu of %d", 2001, "System", s.mailboxes.size(),
            s.capacity.Mailboxes);
        ++n;
    }
    if (n == 0)
        Add(out, "No alarms recorded.");
    return n;
}

size_t CcrTree(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-6s %s", "TREE", "PATHS");
    Rule(out);
    for (const auto& [tree, paths] : s.ccrTrees) {
        Add(out, "%-6d %zu", tree, paths.size());
        for (const auto& p : paths)
            Add(out, "       %s", p.c_str());
    }
    return s.ccrTrees.size();
}

size_t PortUsage(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-6s %-8s %-6s %-6s %10s %10s %10s", "LINE", "ANSWER", "TABLE", "RINGS", "CALLS",
        "MINUTES", "MESSAGES");
    Rule(out);
    UsageCounters total{};
    for (size_t i = 0; i < s.lines.size(); ++i) {
        const auto it = s.portUsage.find(static_cast<int16_t>(i + 1));
        const UsageCounters u = it == s.portUsage.end() ? UsageCounters{} : it->second;
        Add(out, "%03zu    %-8s %-6d %-6d %10d %10d %10d", i + 1, YesNo(s.lines[i].AnswerFlag),
            s.lines[i].GreetingTable, s.lines[i].Rings, u.Calls, u.Minutes, u.Messages);
        total.Calls += u.Calls;
        total.Minutes += u.Minutes;
        total.Messages += u.Messages;
    }
    Rule(out);
    Add(out, "%-30s %10d %10d %10d", "TOTAL", total.Calls, total.Minutes, total.Messages);
    return s.lines.size();
}

size_t SystemConfiguration(std::string& out, const SimState& s, const std::string&) {
    const auto& si = s.systemInfo;
    Add(out, "%-28s %s", "ITEM", "VALUE");
    Rule(out);
    Add(out, "%-28s %d", "Lines", si.MaxLineNumber);
    Add(out, "%-28s %d", "Pools", si.MaxPoolNumber);
    Add(out, "%-28s %d", "Extension length", si.ExtensionLength);
    Add(out, "%-28s %d", "Outcalling channels", si.MaxOutcallChannels);
    Add(out, "%-28s %d", "CCR path length", si.MaxCcrPathLength);
    Add(out, "%-28s %s", "Centrex", YesNo(si.CentrexAvailable));
    Add(out, "%-28s %s", "Network group lists", YesNo(si.NetworkGroupListEnabled));
    Add(out, "%-28s %zu of %d", "Mailboxes", s.mailboxes.size(), s.capacity.Mailboxes);
    Add(out, "%-28s %zu of %d", "Group lists", s.groupLists.size(), s.capacity.GroupLists);
    Add(out, "%-28s %zu of %d", "CLID entries", s.clid.size(), s.capacity.ClidEntries);
    Add(out, "%-28s %zu of %d", "Network sites", s.sites.size(), s.capacity.Sites);
    Add(out, "%-28s %zu", "Name recordings", s.nameRecordings.size());
    return 12;
}

// Fax requests are the fax-on-demand and fax-overflow mailboxes and the fax
// group lists the server delivers to.
size_t FaxRequests(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-21s %-12s %8s %8s", "NUMBER", "NAME", "TYPE", "RETRIES", "INTERVAL");
    Rule(out);
    size_t n = 0;
    for (const auto& [number, m] : s.mailboxes) {
        const auto type = static_cast<zax::MailboxType>(m.record.Type);
        if (type != zax::MailboxType::FaxOnDemand && type != zax::MailboxType::FaxOverflow)
            continue;
        Add(out, "%-8s %-21s %-12s %8d %8d", number.c_str(), GetText(m.record.Name).c_str(),
            TypeText(m.record.Type), m.record.FaxRetries, m.record.FaxInterval);
        ++n;
    }
    if (n == 0)
        Add(out, "No fax requests pending.");
    return n;
}

size_t ClassesOfService(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-4s %-16s %6s %6s %6s %6s %6s %6s", "COS", "NAME", "MBXMIN", "MSGMIN", "DAYS",
        "GRTMIN", "TRIES", "EXPIRY");
    Rule(out);
    for (const auto& c : s.classesOfService)
        Add(out, "%02d   %-16s %6d %6d %6d %6d %6d %6d", c.ClassNumber, GetText(c.Name).c_str(),
            c.MaxMailboxMessageTime, c.MaxMessageLength, c.MessageRetentionPeriod,
            c.MaxGreetingLength, c.MaxIncorrectPasswordAttempts, c.PasswordExpiry);
    return s.classesOfService.size();
}

size_t SystemParametersReport(std::string& out, const SimState& s, const std::string&) {
    const auto& p = s.systemParameters;
    Add(out, "%-28s %s", "PARAMETER", "VALUE");
    Rule(out);
    Add(out, "%-28s %s", "Version", GetText(p.VoiceMailVersion).c_str());
    Add(out, "%-28s %d", "Outcalling channels", p.OutcallingChannels);
    Add(out, "%-28s %s", "Voice mail", YesNo(p.VoiceMailEnabled));
    Add(out, "%-28s %s (leading digit %d)", "Group lists", YesNo(p.GroupListsEnabled),
        p.GroupListLeadingDigit);
    Add(out, "%-28s %s", "External initialization", YesNo(p.ExternalInitialization));
    Add(out, "%-28s %s", "Directory", YesNo(p.DirectoryAvailable));
    Add(out, "%-28s %s", "General delivery mailbox", YesNo(p.GeneralDeliveryMailbox));
    Add(out, "%-28s %s", "Bilingual", YesNo(p.Bilingual));
    Add(out, "%-28s %s", "Return to AA", YesNo(s.attendant.ReturnToAa));
    Add(out, "%-28s %d (greeting %d)", "Touchtone gate", s.attendant.GateMode,
        s.attendant.GateGreeting);
    Add(out, "%-28s %d every %d min.", "Fax retries", s.fax.Retries, s.fax.Interval);
    return 11;
}

size_t SpeechRecognition(std::string& out, const SimState& s, const std::string&) {
    Add(out, "%-8s %-41s %-24s %s", "NUMBER", "EXTENDED NAME", "ALIAS", "ENABLED");
    Rule(out);
    for (const auto& [number, m] : s.mailboxes)
        Add(out, "%-8s %-41s %-24s %s", number.c_str(), GetText(m.record.ExtendedName).c_str(),
            GetText(m.record.Alias).c_str(), YesNo(!m.record.SpeechDisabled));
    return s.mailboxes.size();
}

struct Report {
    const char* title;
    Body body;
};

constexpr std::array<Report, 15> kReports = {{
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
}};

void Heading(std::string& out, const SimState& s, const char* title, std::time_t preparedAt) {
    char when[32] = "";
    if (preparedAt != 0) {
        std::tm local{};
        localtime_r(&preparedAt, &local);
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    }
    Add(out, "ZAX VOICE MAIL %-50s %33s", GetText(s.systemParameters.VoiceMailVersion).c_str(),
        when);
    Add(out, "%s REPORT", title);
    Add(out, "%s", "");
}

} // namespace

std::string BuildReportText(const SimState& state, int16_t number, const std::string& argument,
                            std::time_t preparedAt) {
    if (number < 1 || number > static_cast<int16_t>(kReports.size()))
        return {};
    const Report& r = kReports[static_cast<size_t>(number - 1)];
    std::string out;
    Heading(out, state, r.title, preparedAt);
    const size_t count = r.body(out, state, argument);
    Rule(out);
    Add(out, "%zu entries%*s", count, kWidth - 20, "END OF REPORT");
    return out;
}

} // namespace zaxsim
