#include "ctl/Snapshot.h"

#include "server/Enumerate.h"
#include "server/ServerStatuses.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace ctl {

using zax::GetText;
using zax::ServerStatus;

namespace {

struct StatusName {
    ServerStatus status;
    const char* text;
};

// Statuses this side knows by name; what the server means by them.
constexpr StatusName kStatusTexts[] = {
    {zax::StatusClidNoMore, "no more CLID entries"},
    {zax::StatusClidExists, "the CLID number already exists"},
    {zax::StatusNoEntry, "no such entry, or the table is full"},
    {zax::StatusNoSuchCcrTree, "no such CCR tree"},
    {zax::StatusInvalidCcrPath, "not a path of that CCR tree"},
    {zax::StatusSessionActive, "another administration session is open"},
    {zax::StatusStillReferenced, "still used by a group list or CLID entry"},
    {zax::StatusAlreadyExists, "the entry already exists"},
    {zax::StatusExtensionUsed, "the extension is used by another mailbox"},
    {zax::StatusAlternate1Used, "alternate extension 1 is used by another mailbox"},
    {zax::StatusAlternate2Used, "alternate extension 2 is used by another mailbox"},
    {zax::StatusSystemMailbox, "a system mailbox cannot be changed that way"},
    {zax::StatusSitePrefixExists, "the site prefix already exists"},
    {zax::StatusSitePrefixOverlaps, "the site prefix overlaps another"},
    {zax::StatusInvalidHostName, "invalid host name"},
    {zax::StatusInvalidSmtpProxy, "invalid SMTP proxy name"},
    {zax::StatusPrefixExists, "the prefix already exists"},
    {zax::StatusPrefixOverlaps, "the prefix overlaps another"},
    {zax::StatusDuplicateHostName, "the host name is used by another site"},
    {31033, "the server refused the record as malformed"},
};

// Section name, then the fields of its records a snapshot leaves out.
struct OmittedFields {
    std::string_view section;
    std::vector<std::string_view> fields;
};

const std::vector<OmittedFields>& Omitted() {
    static const std::vector<OmittedFields> table = {
        // requests, never stored; the version is the server's own
        {"systemParameters", {"ResetAdminPassword", "VoiceMailVersion"}},
        {"operator", {"ResetOperatorPassword"}},
        // the server works these out from the other mailboxes
        {"mailboxes", {"Homonym"}},
        // what exists and what is recorded is the server's to say
        {"greetingTables",
         {"CcrTreesDefined", "MainPromptRecorded", "RepeatPromptRecorded", "ConfirmPromptRecorded",
          "DeclinePromptRecorded", "PrimaryAaPromptRecorded", "AlternateAaPromptRecorded"}},
        // a member's name is its mailbox's; the list fields are the list's
        {"members", {"ListNumber", "ListName", "Kind", "MemberMailboxName"}},
    };
    return table;
}

template <size_t N> std::string Text(const zax::Chars<N>& chars) {
    return std::string(chars.data(), strnlen(chars.data(), N));
}

class Reader {
public:
    Reader(zax::VoiceMailServer& server, const zax::SystemInfo& info, const Progress& progress)
        : server_(server), info_(info), progress_(progress) {}

    Json Read() {
        Json s = Json::object();
        s["format"] = SnapshotFormat;
        s["version"] = SnapshotVersion;
        s["system"] = SystemJson();
        // The mailboxes and group lists are listed first, so that the
        // progress shown knows from the start how far there is to go.
        mailboxNumbers_ = EntryNumbers(server_, zax::EntryKind::Mailbox);
        if (info_.GroupListsEnabled)
            listNumbers_ = EntryNumbers(server_, zax::EntryKind::GroupList);
        total_ = kSectionSteps + mailboxNumbers_.size() + listNumbers_.size();
        s["systemParameters"] =
            Record<zax::SystemParameters>("systemParameters", [&](zax::SystemParameters& r) {
                return server_.GetSystemParameters(r);
            });
        s["operator"] = Record<zax::OperatorSettings>(
            "operator", [&](zax::OperatorSettings& r) { return server_.GetOperatorSettings(r); });
        s["fax"] = Record<zax::FaxParameters>(
            "fax", [&](zax::FaxParameters& r) { return server_.GetFaxParameters(r); });
        s["networking"] =
            Record<zax::NetworkParameters>("networking", [&](zax::NetworkParameters& r) {
                return server_.GetGeneralNetworking(r);
            });
        s["blockingPeriods"] =
            Record<zax::BlockingPeriodTable>("blockingPeriods", [&](zax::BlockingPeriodTable& r) {
                return server_.GetBlockingPeriods(r);
            });
        s["dialingParameters"] =
            Record<zax::DialingParameters>("dialingParameters", [&](zax::DialingParameters& r) {
                return server_.GetDialingParameters(r);
            });
        s["voiceDialing"] = Record<zax::VoiceDialingRecord>(
            "voiceDialing", [&](zax::VoiceDialingRecord& r) { return server_.GetVoiceDialing(r); });
        s["attendant"] = Attendant();
        s["lines"] = Lines();
        s["greetingTables"] = GreetingTables();
        s["classesOfService"] = Classes();
        s["sites"] = Sites();
        s["mailboxes"] = Mailboxes();
        if (info_.GroupListsEnabled)
            s["groupLists"] = GroupLists();
        s["clid"] = Clid();
        s["translations"] = Translations();
        if (info_.CentrexAvailable)
            s["centrexRestrictions"] = Centrex();
        done_ = total_ - 1;
        Step();
        return s;
    }

private:
    void Step() {
        ++done_;
        if (progress_)
            progress_(std::min(done_, total_), total_);
    }

    Json SystemJson() const {
        Json j = Json::object();
        j["ExtensionLength"] = info_.ExtensionLength;
        j["MaxLineNumber"] = info_.MaxLineNumber;
        j["MaxPoolNumber"] = info_.MaxPoolNumber;
        j["GroupListsEnabled"] = info_.GroupListsEnabled;
        j["CentrexAvailable"] = info_.CentrexAvailable;
        j["NetworkGroupListEnabled"] = info_.NetworkGroupListEnabled;
        return j;
    }

    template <class R, class Get> Json Record(std::string_view section, Get&& get) {
        R record{};
        Require(get(record), "reading " + std::string(section));
        Json j = ToJson(record);
        OmitDerivedFields(section, j);
        Step();
        return j;
    }

    Json Attendant() {
        uint8_t returnToAa = 0, gateMode = 0, gateGreeting = 0;
        Require(server_.GetAttendantParameters(returnToAa, gateMode, gateGreeting),
                "reading the auto-attendant parameters");
        Step();
        return Json{
            {"ReturnToAa", returnToAa}, {"GateMode", gateMode}, {"GateGreeting", gateGreeting}};
    }

    Json Lines() {
        Json lines = Json::array();
        const int count = std::max<int>(info_.MaxLineNumber, 0);
        if (count > 0) {
            std::vector<zax::LineEntry> entries(static_cast<size_t>(count));
            Require(server_.GetLines(static_cast<int16_t>(count), entries), "reading the lines");
            for (const auto& e : entries)
                lines.push_back(ToJson(e));
        }
        Step();
        return lines;
    }

    Json GreetingTables() {
        Json tables = Json::array();
        for (int16_t n = 1; n <= zax::GreetingTableCount; ++n) {
            zax::GreetingTableRecord r{};
            r.TableNumber = n;
            Require(server_.GetGreetingTable(r), "reading greeting table " + std::to_string(n));
            Json j = ToJson(r);
            OmitDerivedFields("greetingTables", j);
            tables.push_back(std::move(j));
        }
        Step();
        return tables;
    }

    Json Classes() {
        Json classes = Json::array();
        for (int16_t n = 1; n <= zax::ClassOfServiceCount; ++n) {
            zax::CosRecord r{};
            r.ClassNumber = n;
            Require(server_.GetClassOfService(r), "reading class of service " + std::to_string(n));
            classes.push_back(ToJson(r));
        }
        Step();
        return classes;
    }

    Json Sites() {
        std::map<std::string, Json> sites;
        const auto result = zax::Enumerate<zax::NetworkSite>(
            [&](zax::NetworkSite& site) {
                const ServerStatus status = server_.OpenSiteList(site);
                return status != 0 ? status : server_.GetNextSite(site);
            },
            [&](zax::NetworkSite& site) { return server_.GetNextSite(site); },
            [&](const zax::NetworkSite& site) {
                sites[Latin1ToUtf8(GetText(site.SitePrefix))] = ToJson(site);
            });
        Require(result.status, "reading the sites");
        Step();
        return Sorted(sites);
    }

    Json Mailboxes() {
        const std::vector<std::string>& numbers = mailboxNumbers_;
        Json mailboxes = Json::object();
        for (const std::string& number : numbers) {
            const std::optional<zax::MailboxRecord> r = ReadMailbox(server_, number);
            Step();
            if (!r)
                continue;
            Json j = ToJson(*r);
            OmitDerivedFields("mailboxes", j);
            AppendMember(mailboxes, Latin1ToUtf8(number), std::move(j));
        }
        Step();
        return mailboxes;
    }

    Json GroupLists() {
        Json lists = Json::object();
        for (const std::string& number : listNumbers_) {
            zax::GroupListRecord header{};
            zax::SetText(header.ListNumber, number);
            const ServerStatus status = server_.GetGroupList(header);
            if (status == zax::StatusNoEntry) {
                Step();
                continue; // deleted since it was listed
            }
            Require(status, "reading group list " + number);
            std::vector<Json> members;
            Require(zax::Enumerate<zax::GroupListRecord>(
                        [&](zax::GroupListRecord& r) {
                            zax::SetText(r.ListNumber, number);
                            return server_.GetFirstGroupMember(r);
                        },
                        [&](zax::GroupListRecord& r) { return server_.GetNextGroupMember(r); },
                        [&](const zax::GroupListRecord& r) { members.push_back(MemberJson(r)); })
                        .status,
                    "reading the members of group list " + number);
            std::sort(members.begin(), members.end(),
                      [](const Json& a, const Json& b) { return a.dump() < b.dump(); });
            Json j = Json::object();
            j["ListName"] = Latin1ToUtf8(GetText(header.ListName));
            j["Kind"] = header.Kind;
            j["Members"] = Json(members);
            AppendMember(lists, Latin1ToUtf8(number), std::move(j));
            Step();
        }
        Step();
        return lists;
    }

    Json Clid() {
        std::map<std::string, Json> entries;
        Require(zax::Enumerate<zax::ClidEntry>(
                    [&](zax::ClidEntry& e) { return server_.GetClid(e, 1); },
                    [&](zax::ClidEntry& e) { return server_.GetNextClid(e); },
                    [&](const zax::ClidEntry& e) {
                        entries[Latin1ToUtf8(GetText(e.PhoneNumber))] = ToJson(e);
                    },
                    zax::StatusClidNoMore)
                    .status,
                "reading the CLID entries");
        Step();
        return Sorted(entries);
    }

    Json Translations() {
        struct Pair {
            zax::Chars<zax::TranslationInputSize> input;
            zax::Chars<zax::TranslationOutputSize> output;
        };
        std::map<std::string, Json> pairs;
        Require(zax::Enumerate<Pair>(
                    [&](Pair& p) { return server_.GetFirstTranslation(p.input, p.output, 1); },
                    [&](Pair& p) { return server_.GetNextTranslation(p.input, p.output); },
                    [&](const Pair& p) {
                        pairs[Latin1ToUtf8(Text(p.input))] = Latin1ToUtf8(Text(p.output));
                    })
                    .status,
                "reading the dialing translations");
        Step();
        return Sorted(pairs);
    }

    Json Centrex() {
        std::set<std::string> digits;
        Require(zax::Enumerate<zax::Chars<zax::CentrexRestrictionSize>>(
                    [&](auto& d) { return server_.GetFirstCentrexRestriction(d, 1); },
                    [&](auto& d) { return server_.GetNextCentrexRestriction(d); },
                    [&](const auto& d) { digits.insert(Latin1ToUtf8(Text(d))); })
                    .status,
                "reading the Centrex restrictions");
        Step();
        return Json(std::vector<std::string>(digits.begin(), digits.end()));
    }

    static Json Sorted(const std::map<std::string, Json>& map) {
        Json j = Json::object();
        for (const auto& [key, value] : map)
            AppendMember(j, key, value);
        return j;
    }

    zax::VoiceMailServer& server_;
    const zax::SystemInfo& info_;
    const Progress& progress_;
    // One step per section read, the last one the end of the whole.
    static constexpr size_t kSectionSteps = 18;
    std::vector<std::string> mailboxNumbers_;
    std::vector<std::string> listNumbers_;
    size_t done_ = 0;
    size_t total_ = 0;
};

} // namespace

ServerRefused::ServerRefused(const std::string& what, ServerStatus status)
    : std::runtime_error(what + ": status " + std::to_string(status) + " (" + StatusText(status) +
                         ")"),
      status_(status) {}

void Require(ServerStatus status, const std::string& what) {
    if (status != 0)
        throw ServerRefused(what, status);
}

std::string StatusText(ServerStatus status) {
    for (const auto& s : kStatusTexts)
        if (s.status == status)
            return s.text;
    return "Server Error, rc = " + std::to_string(status);
}

std::vector<std::string> EntryNumbers(zax::VoiceMailServer& server, zax::EntryKind kind) {
    std::vector<std::string> numbers;
    Require(zax::EnumerateEntries(
                server, kind, 0,
                [&](const zax::EntrySummary& e) { numbers.push_back(GetText(e.Number)); })
                .status,
            kind == zax::EntryKind::Mailbox ? "listing the mailboxes" : "listing the group lists");
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::optional<zax::MailboxRecord> ReadMailbox(zax::VoiceMailServer& server,
                                              const std::string& number) {
    zax::MailboxRecord r{};
    zax::SetText(r.Number, number);
    const ServerStatus status = server.GetMailbox(r);
    if (status == zax::StatusNoEntry)
        return std::nullopt; // deleted since it was listed
    Require(status, "reading mailbox " + number);
    return r;
}

Json TakeSnapshot(zax::VoiceMailServer& server, const zax::SystemInfo& info,
                  const Progress& progress) {
    return Reader(server, info, progress).Read();
}

void CheckSnapshotFormat(const Json& snapshot) {
    const auto format = snapshot.is_object() ? snapshot.find("format") : snapshot.end();
    if (format == snapshot.end() || !format->is_string() ||
        format->get<std::string>() != SnapshotFormat)
        throw RecordJsonError("not a configuration snapshot (\"format\" is not \"" +
                              std::string(SnapshotFormat) + "\")");
    const Json& version = snapshot.contains("version") ? snapshot["version"] : Json();
    if (!version.is_number_integer() || version.get<int64_t>() != SnapshotVersion)
        throw RecordJsonError("snapshot version " + version.dump() +
                              " is not one this program reads (it reads version " +
                              std::to_string(SnapshotVersion) + ")");
}

Json ParseSnapshot(std::string_view text) {
    // A snapshot nests objects and arrays eight deep at most (greeting
    // table hours); anything far deeper is not one.
    constexpr int kMaxDepth = 32;
    int depth = 0;
    bool inString = false, escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth)
                throw RecordJsonError("nested deeper than a snapshot is");
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    Json snapshot = Json::parse(text, nullptr, false);
    if (snapshot.is_discarded())
        throw RecordJsonError("not JSON");
    CheckSnapshotFormat(snapshot);
    return snapshot;
}

void OmitDerivedFields(std::string_view section, Json& record) {
    for (const auto& entry : Omitted())
        if (entry.section == section)
            for (std::string_view field : entry.fields)
                record.erase(std::string(field));
}

Json MemberJson(const zax::GroupListRecord& member) {
    Json j = ToJson(member);
    OmitDerivedFields("members", j);
    return j;
}

} // namespace ctl
