#include "ctl/Restore.h"

#include "ctl/Snapshot.h"
#include "ctl/SnapshotDiff.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string_view>

namespace ctl {

using zax::ServerStatus;
using zax::VoiceMailServer;

namespace {

// Which networking procedure writes which fields: the server takes only its
// own from each.
struct NetworkingWriter {
    const char* label;
    std::vector<std::string_view> fields;
    ServerStatus (VoiceMailServer::*set)(const zax::NetworkParameters&);
};

const std::vector<NetworkingWriter>& NetworkingWriters() {
    static const std::vector<NetworkingWriter> table = {
        {"general",
         {"NetworkReceive", "NetworkDeliver", "NetworkReply", "NetworkBroadcast",
          "NetworkGroupList", "NetworkRetry", "NetworkDelay"},
         &VoiceMailServer::SetGeneralNetworking},
        {"AMIS",
         {"IncludeSystemName", "IncludeSenderName", "LoopbackEnabled", "OutgoingRouteKind",
          "LineOrPoolNumber", "InternationalAccessCode", "CountryCode", "AreaCode",
          "TelephoneNumber"},
         &VoiceMailServer::SetAmisNetworking},
        {"digital", {"SmtpProxyName", "LocalPrefix"}, &VoiceMailServer::SetDigitalNetworking},
    };
    return table;
}

const Json& Section(const Json& snapshot, const char* name) {
    static const Json none;
    return snapshot.contains(name) ? snapshot[name] : none;
}

// What a keyed table's members are keyed by, for messages.
std::string KeyName(std::string_view section) {
    if (section == "sites")
        return "site prefix";
    if (section == "clid")
        return "calling number";
    if (section == "translations")
        return "input digits";
    return section == "groupLists" ? "list number" : "mailbox number";
}

// The record `wanted` describes, over `base`; throws RecordJsonError naming
// the place in the snapshot.
template <class R> R Overlay(R base, const Json& wanted, const std::string& where) {
    FromJson(wanted, base, where);
    return base;
}

// A table's key into its record's field: refused when it is longer than
// the field, never cut (a cut key would name another object). A key that
// fills the field goes as the server sent it, without a terminator.
template <size_t N> void SetKey(char (&field)[N], const std::string& key) {
    const std::string bytes = Utf8ToLatin1(key);
    if (bytes.size() > N || bytes.find('\0') != std::string::npos)
        throw RecordJsonError("\"" + key + "\": longer than " + std::to_string(N) +
                              " characters, the most this key holds");
    zax::SetText(field, bytes);
    if (bytes.size() == N)
        std::memcpy(field, bytes.data(), N);
}

// One record written back as the snapshot has it: the server's copy is read
// (its key set first), the snapshot's fields are laid over it, the key is put
// back (a snapshot names, it never renames) and the whole is written. The
// fields the snapshot does not hold go back as the server has them.
template <class R, class Keep, class Read, class Write>
ServerStatus Rewrite(const Json& want, const std::string& where, Keep keep, Read read,
                     Write write) {
    R record{};
    keep(record);
    if (const ServerStatus status = read(record); status != 0)
        return status;
    record = Overlay(record, want, where);
    keep(record);
    return write(record);
}
constexpr auto kNoKey = [](auto&) {};

template <size_t N> zax::Chars<N> CharsOf(const std::string& utf8) {
    const std::string bytes = Utf8ToLatin1(utf8);
    if (bytes.size() >= N)
        throw RecordJsonError("\"" + utf8 + "\": longer than " + std::to_string(N - 1) +
                              " characters");
    zax::Chars<N> chars{};
    std::copy(bytes.begin(), bytes.end(), chars.begin());
    return chars;
}

// `wanted` filled in from `have` where it is silent, in `have`'s order: a
// record or entry that leaves fields out keeps the server's values for them,
// so a partial snapshot neither zeroes fields nor reads as a change on every
// run, and a hand-written file whose fields come in another order compares
// equal to the server's.
Json Completed(const Json& wanted, const Json& have) {
    if (wanted.is_object() && have.is_object()) {
        Json out = Json::object();
        for (auto it = have.begin(); it != have.end(); ++it) {
            const auto w = wanted.find(it.key());
            AppendMember(out, it.key(), w == wanted.end() ? it.value() : Completed(*w, it.value()));
        }
        for (auto it = wanted.begin(); it != wanted.end(); ++it)
            if (!have.contains(it.key()))
                AppendMember(out, it.key(), it.value()); // refused later, by name
        return out;
    }
    if (wanted.is_array() && have.is_array() && wanted.size() == have.size()) {
        Json out = Json::array();
        for (size_t i = 0; i < wanted.size(); ++i)
            out.push_back(Completed(wanted[i], have[i]));
        return out;
    }
    return wanted;
}

// Sections of one record each, and sections that are tables of them.
constexpr std::string_view kRecordSections[] = {
    "systemParameters",  "operator",     "fax",       "networking", "blockingPeriods",
    "dialingParameters", "voiceDialing", "attendant", "lines",      "greetingTables",
    "classesOfService"};
constexpr std::string_view kKeyedSections[] = {"sites", "mailboxes", "groupLists", "clid"};

Json Effective(const Json& current, const Json& wanted) {
    Json out = wanted;
    for (auto it = out.begin(); it != out.end(); ++it) {
        const std::string& section = it.key();
        if (!current.contains(section))
            continue;
        const Json& have = current[section];
        if (std::find(std::begin(kRecordSections), std::end(kRecordSections), section) !=
            std::end(kRecordSections)) {
            it.value() = Completed(it.value(), have);
        } else if (std::find(std::begin(kKeyedSections), std::end(kKeyedSections), section) !=
                       std::end(kKeyedSections) &&
                   it.value().is_object() && have.is_object()) {
            const Keyed held(have);
            for (auto entry = it.value().begin(); entry != it.value().end(); ++entry) {
                if (!held.contains(entry.key()))
                    continue;
                if (section != "groupLists") {
                    entry.value() = Completed(entry.value(), held[entry.key()]);
                    continue;
                }
                // Members are a set, never filled in member by member: a
                // list that names none keeps the server's.
                const Json& list = entry.value();
                if (!list.is_object())
                    continue; // refused by name later
                Json completed = held[entry.key()];
                for (auto field = list.begin(); field != list.end(); ++field)
                    completed[field.key()] = field.value();
                entry.value() = std::move(completed);
            }
        }
    }
    return out;
}

class Planner {
public:
    Planner(VoiceMailServer& server, const Json& current, const Json& wanted)
        : server_(server), current_(current), wanted_(Effective(current, wanted)) {}

    std::vector<RestoreStep> Plan() {
        Parameters();
        Classes();
        Sites(false);
        GroupListRemovals();
        ClidRemovals();
        Mailboxes(false);
        GroupListAdditions();
        ClidAdditions();
        Mailboxes(true);
        Sites(true);
        Translations();
        Centrex();
        GreetingTables();
        Lines();
        Attendant();
        return std::move(plan_);
    }

private:
    void Add(std::string text, std::function<ServerStatus()> write, std::string provides = {},
             std::vector<std::string> needs = {}) {
        // Only what this plan writes can fail; a reference to what the
        // server already holds needs nothing.
        std::erase_if(needs, [&](const std::string& n) { return !planned_.contains(n); });
        if (!provides.empty())
            planned_.insert(provides);
        plan_.push_back({std::move(text), std::move(provides), std::move(needs), std::move(write)});
    }

    // A parameter record: read again at write time, so the fields a snapshot
    // does not hold go back as the server has them.
    template <class R, class Get, class Set> void Record(const char* section, Get get, Set set) {
        const Json& want = Section(wanted_, section);
        const Json& have = Section(current_, section);
        if (want.is_null())
            return;
        (void)Overlay(R{}, want, section); // refuses a bad value before anything is written
        const std::string changes = DescribeChanges(have, want);
        if (changes.empty())
            return;
        Add(ObjectLabel(section) + ": " + changes, [&server = server_, get, set, want, section] {
            return Rewrite<R>(
                want, section, kNoKey, [&](R& r) { return (server.*get)(r); },
                [&](R& r) { return (server.*set)(r); });
        });
    }

    void Parameters() {
        Record<zax::SystemParameters>("systemParameters", &VoiceMailServer::GetSystemParameters,
                                      &VoiceMailServer::SetSystemParameters);
        Record<zax::OperatorSettings>("operator", &VoiceMailServer::GetOperatorSettings,
                                      &VoiceMailServer::SetOperatorSettings);
        Record<zax::FaxParameters>("fax", &VoiceMailServer::GetFaxParameters,
                                   &VoiceMailServer::SetFaxParameters);
        Record<zax::BlockingPeriodTable>("blockingPeriods", &VoiceMailServer::GetBlockingPeriods,
                                         &VoiceMailServer::SetBlockingPeriods);
        Record<zax::DialingParameters>("dialingParameters", &VoiceMailServer::GetDialingParameters,
                                       &VoiceMailServer::SetDialingParameters);
        Record<zax::VoiceDialingRecord>("voiceDialing", &VoiceMailServer::GetVoiceDialing,
                                        &VoiceMailServer::SetVoiceDialing);
        Networking();
    }

    void Networking() {
        const Json& want = Section(wanted_, "networking");
        const Json& have = Section(current_, "networking");
        if (want.is_null())
            return;
        (void)Overlay(zax::NetworkParameters{}, want, "networking");
        for (const NetworkingWriter& writer : NetworkingWriters()) {
            Json before = Json::object(), after = Json::object();
            for (std::string_view f : writer.fields) {
                const std::string field(f);
                if (have.contains(field))
                    before[field] = have[field];
                if (want.contains(field))
                    after[field] = want[field];
                else if (have.contains(field))
                    after[field] = have[field];
            }
            const std::string changes = DescribeChanges(before, after);
            if (changes.empty())
                continue;
            const auto set = writer.set;
            Add(std::string("networking (") + writer.label + "): " + changes,
                [&server = server_, set, want] {
                    using R = zax::NetworkParameters;
                    return Rewrite<R>(
                        want, "networking", kNoKey,
                        [&](R& r) { return server.GetGeneralNetworking(r); },
                        [&](R& r) { return (server.*set)(r); });
                });
        }
    }

    void Attendant() {
        const Json& want = Section(wanted_, "attendant");
        if (want.is_null())
            return;
        const Json& have = Section(current_, "attendant");
        if (!want.is_object())
            throw RecordJsonError("attendant: an object is expected");
        const auto byte = [&](const char* name) -> uint8_t {
            const Json& v = want.contains(name) ? want[name] : have.value(name, Json(0));
            if (!v.is_number_integer() || v.get<int64_t>() < 0 || v.get<int64_t>() > 255)
                throw RecordJsonError(std::string("attendant.") + name + ": out of range");
            return static_cast<uint8_t>(v.get<int64_t>());
        };
        const uint8_t returnToAa = byte("ReturnToAa"), gateMode = byte("GateMode"),
                      gateGreeting = byte("GateGreeting");
        if (const std::string changes = DescribeChanges(have, want); !changes.empty())
            Add(ObjectLabel("attendant") + ": " + changes, [=, &server = server_] {
                return server.SetAttendantParameters(returnToAa, gateMode, gateGreeting);
            });
    }

    // A fixed table of numbered records, each read again at write time.
    template <class R, class Write> void Numbered(const char* section, Write write) {
        const Json& want = Section(wanted_, section);
        const Json& have = Section(current_, section);
        if (want.is_null())
            return;
        if (!want.is_array() || want.size() != have.size())
            throw RecordJsonError(std::string(section) + ": a list of " +
                                  std::to_string(have.size()) + " is expected");
        for (size_t i = 0; i < want.size(); ++i) {
            const std::string where = std::string(section) + "[" + std::to_string(i) + "]";
            (void)Overlay(R{}, want[i], where);
            const std::string changes = DescribeChanges(have[i], want[i]);
            if (changes.empty())
                continue;
            const auto number = static_cast<int16_t>(i + 1);
            Add(ObjectLabel(section) + " " + std::to_string(number) + ": " + changes,
                [write, number, want = want[i], where] { return write(number, want, where); });
        }
    }

    void Classes() {
        Numbered<zax::CosRecord>(
            "classesOfService",
            [&server = server_](int16_t number, const Json& want, const std::string& where) {
                using R = zax::CosRecord;
                return Rewrite<R>(
                    want, where, [number](R& r) { r.ClassNumber = number; },
                    [&](R& r) { return server.GetClassOfService(r); },
                    [&](R& r) { return server.SetClassOfService(r); });
            });
    }

    void GreetingTables() {
        Numbered<zax::GreetingTableRecord>(
            "greetingTables",
            [&server = server_](int16_t number, const Json& want, const std::string& where) {
                using R = zax::GreetingTableRecord;
                return Rewrite<R>(
                    want, where, [number](R& r) { r.TableNumber = number; },
                    [&](R& r) { return server.GetGreetingTable(r); },
                    [&](R& r) { return server.SetGreetingTable(r); });
            });
    }

    void Lines() {
        Numbered<zax::LineEntry>("lines", [&server = server_](int16_t number, const Json& want,
                                                              const std::string& where) {
            const zax::LineEntry line = Overlay(zax::LineEntry{}, want, where);
            return server.SetLine(number, line.AnswerFlag, line.GreetingTable, line.Rings);
        });
    }

    // A keyed table: what to add, change and delete.
    struct KeyedChanges {
        std::vector<std::string> added, changed, removed;
    };
    KeyedChanges Compare(const char* section) const {
        KeyedChanges c;
        const Json& table = Section(wanted_, section);
        if (table.is_null())
            return c;
        if (!table.is_object())
            throw RecordJsonError(std::string(section) + ": an object keyed by " +
                                  KeyName(section) + " is expected");
        const Keyed want(Section(wanted_, section));
        const Keyed have(Section(current_, section));
        for (const std::string& key : want.keys()) {
            if (!have.contains(key))
                c.added.push_back(key);
            else if (have[key] != want[key])
                c.changed.push_back(key);
        }
        for (const std::string& key : have.keys())
            if (!want.contains(key))
                c.removed.push_back(key);
        return c;
    }

    void Sites(bool removals) {
        const KeyedChanges c = Compare("sites");
        const Keyed want(Section(wanted_, "sites"));
        const Keyed have(Section(current_, "sites"));
        if (removals) {
            for (const std::string& key : c.removed) {
                zax::NetworkSite site = Overlay(zax::NetworkSite{}, have[key], "sites." + key);
                Add("site " + key + ": delete",
                    [&server = server_, site] { return server.DeleteSite(site); });
            }
            return;
        }
        for (const std::string& key : c.added) {
            zax::NetworkSite site = Overlay(zax::NetworkSite{}, want[key], "sites." + key);
            SetKey(site.SitePrefix, key);
            Add(
                "site " + key + ": add", [&server = server_, site] { return server.AddSite(site); },
                "site " + key);
        }
        for (const std::string& key : c.changed) {
            const Json w = want[key];
            (void)Overlay(zax::NetworkSite{}, w, "sites." + key);
            Add("site " + key + ": " + DescribeChanges(have[key], w), [&server = server_, w, key] {
                using R = zax::NetworkSite;
                return Rewrite<R>(
                    w, "sites." + key, [&](R& r) { SetKey(r.SitePrefix, key); },
                    [&](R& r) { return server.GetSite(r); },
                    [&](R& r) { return server.ChangeSite(r); });
            });
        }
    }

    // What a mailbox of the snapshot needs written before it: its site.
    std::vector<std::string> MailboxNeeds(const Json& mailbox) const {
        const std::string prefix = mailbox.value("SitePrefix", std::string());
        if (prefix.empty())
            return {};
        return {"site " + prefix};
    }

    void Mailboxes(bool removals) {
        const KeyedChanges c = Compare("mailboxes");
        const Keyed want(Section(wanted_, "mailboxes"));
        const Keyed have(Section(current_, "mailboxes"));
        if (removals) {
            for (const std::string& key : c.removed) {
                zax::MailboxRecord record{};
                SetKey(record.Number, key);
                Add("mailbox " + key + ": delete",
                    [&server = server_, record] { return server.DeleteMailbox(record); });
            }
            return;
        }
        for (const std::string& key : c.added) {
            zax::MailboxRecord record =
                Overlay(zax::MailboxRecord{}, want[key], "mailboxes." + key);
            SetKey(record.Number, key);
            Add(
                "mailbox " + key + ": add",
                [&server = server_, record] { return server.AddMailbox(record); }, "mailbox " + key,
                MailboxNeeds(want[key]));
        }
        for (const std::string& key : c.changed) {
            const Json w = want[key];
            (void)Overlay(zax::MailboxRecord{}, w, "mailboxes." + key);
            Add(
                "mailbox " + key + ": " + DescribeChanges(have[key], w),
                [&server = server_, w, key] {
                    using R = zax::MailboxRecord;
                    return Rewrite<R>(
                        w, "mailboxes." + key, [&](R& r) { SetKey(r.Number, key); },
                        [&](R& r) { return server.GetMailbox(r); },
                        [&](R& r) { return server.ChangeMailbox(r, 0); });
                },
                {}, MailboxNeeds(w));
        }
    }

    // A group list of the snapshot: its name, kind and members, nothing
    // else, so a misspelt "Members" is refused rather than read as a list
    // without members.
    static void CheckGroupList(const std::string& key, const Json& list) {
        const std::string where = "groupLists." + key;
        if (!list.is_object())
            throw RecordJsonError(where + ": an object is expected");
        for (auto it = list.begin(); it != list.end(); ++it)
            if (it.key() != "ListName" && it.key() != "Kind" && it.key() != "Members")
                throw RecordJsonError(where + "." + it.key() + ": no such field");
        if (list.contains("Members") && !list["Members"].is_array())
            throw RecordJsonError(where + ".Members: a list of members is expected");
        if (list.contains("Kind") && !list["Kind"].is_number_integer())
            throw RecordJsonError(where + ".Kind: a whole number is expected");
    }

    static int KindOf(const Json& list) {
        return list.contains("Kind") ? list["Kind"].get<int>() : 0;
    }

    zax::GroupListRecord Header(const std::string& key, const Json& list) const {
        CheckGroupList(key, list);
        zax::GroupListRecord header{};
        SetKey(header.ListNumber, key);
        Json fields = Json::object();
        for (const char* name : {"ListName", "Kind"})
            if (list.contains(name))
                fields[name] = list[name];
        return Overlay(header, fields, "groupLists." + key);
    }

    zax::GroupListRecord Member(const std::string& key, const Json& list,
                                const Json& member) const {
        zax::GroupListRecord record =
            Overlay(zax::GroupListRecord{}, member, "groupLists." + key + ".Members");
        SetKey(record.ListNumber, key);
        record.Kind = static_cast<int16_t>(KindOf(list));
        return record;
    }

    // A list's members in the form a snapshot of the server holds them, so
    // that a member written by hand with fewer fields still compares equal.
    std::vector<Json> Members(const std::string& key, const Json& list) const {
        std::vector<Json> members;
        if (list.contains("Members") && list["Members"].is_array())
            for (const auto& m : list["Members"])
                members.push_back(MemberJson(Member(key, list, m)));
        return members;
    }

    static std::vector<Json> Without(const std::vector<Json>& from, const std::vector<Json>& less) {
        std::vector<Json> out;
        for (const Json& m : from)
            if (std::find(less.begin(), less.end(), m) == less.end())
                out.push_back(m);
        return out;
    }

    // Lists to delete and members to remove go before the mailboxes they
    // name are deleted.
    void GroupListRemovals() {
        const KeyedChanges c = Compare("groupLists");
        const Keyed want(Section(wanted_, "groupLists"));
        const Keyed have(Section(current_, "groupLists"));
        for (const std::string& key : c.removed) {
            const zax::GroupListRecord header = Header(key, have[key]);
            Add("group list " + key + ": delete",
                [&server = server_, header] { return server.DeleteGroupList(header); });
        }
        for (const std::string& key : c.changed) {
            CheckGroupList(key, want[key]);
            if (KindOf(have[key]) != KindOf(want[key])) {
                // A list cannot change its kind: it goes and comes back.
                const zax::GroupListRecord header = Header(key, have[key]);
                Add("group list " + key + ": delete (its kind changes)",
                    [&server = server_, header] { return server.DeleteGroupList(header); });
                continue;
            }
            for (const Json& m : Without(Members(key, have[key]), Members(key, want[key]))) {
                const zax::GroupListRecord record = Member(key, have[key], m);
                Add("group list " + key + ": remove member " + m.dump(),
                    [&server = server_, record] { return server.RemoveGroupMember(record); });
            }
        }
    }

    void GroupListAdditions() {
        const KeyedChanges c = Compare("groupLists");
        const Keyed want(Section(wanted_, "groupLists"));
        const Keyed have(Section(current_, "groupLists"));
        std::vector<std::string> added = c.added;
        for (const std::string& key : c.changed) {
            const Json& list = want[key];
            CheckGroupList(key, list);
            if (KindOf(have[key]) != KindOf(list)) {
                added.push_back(key);
                continue;
            }
            if (list.contains("ListName") && have[key]["ListName"] != list["ListName"]) {
                const zax::GroupListRecord header = Header(key, list);
                Add("group list " + key + ": ListName " + have[key]["ListName"].dump() + " → " +
                        list["ListName"].dump(),
                    [&server = server_, header] { return server.ChangeGroupList(header); });
            }
            for (const Json& m : Without(Members(key, list), Members(key, have[key])))
                AddMember(key, list, m);
        }
        std::sort(added.begin(), added.end());
        for (const std::string& key : added) {
            const Json& list = want[key];
            const zax::GroupListRecord header = Header(key, list);
            Add(
                "group list " + key + ": add",
                [&server = server_, header] { return server.AddGroupList(header); },
                "group list " + key);
            for (const Json& m : Members(key, list))
                AddMember(key, list, m);
        }
    }

    void AddMember(const std::string& key, const Json& list, const Json& m) {
        const zax::GroupListRecord record = Member(key, list, m);
        std::vector<std::string> needs = {"group list " + key};
        if (const std::string mailbox = zax::GetText(record.MemberMailbox); !mailbox.empty())
            needs.push_back("mailbox " + Latin1ToUtf8(mailbox));
        Add(
            "group list " + key + ": add member " + m.dump(),
            [&server = server_, record] { return server.AddGroupMember(record); }, {}, needs);
    }

    void ClidRemovals() {
        const KeyedChanges c = Compare("clid");
        const Keyed have(Section(current_, "clid"));
        for (const std::string& key : c.removed) {
            const zax::ClidEntry entry = Overlay(zax::ClidEntry{}, have[key], "clid." + key);
            Add("CLID entry " + key + ": delete",
                [&server = server_, entry] { return server.DeleteClid(entry); });
        }
    }

    void ClidAdditions() {
        const KeyedChanges c = Compare("clid");
        const Keyed want(Section(wanted_, "clid"));
        const Keyed have(Section(current_, "clid"));
        const auto put = [&](const std::string& key, uint8_t add, std::string text) {
            zax::ClidEntry entry = Overlay(zax::ClidEntry{}, want[key], "clid." + key);
            SetKey(entry.PhoneNumber, key);
            std::vector<std::string> needs;
            if (const std::string mailbox = zax::GetText(entry.Mailbox); !mailbox.empty())
                needs.push_back("mailbox " + Latin1ToUtf8(mailbox));
            Add(
                std::move(text),
                [&server = server_, entry, add] { return server.SetClid(entry, add); }, {}, needs);
        };
        for (const std::string& key : c.added)
            put(key, 1, "CLID entry " + key + ": add");
        for (const std::string& key : c.changed)
            put(key, 0, "CLID entry " + key + ": " + DescribeChanges(have[key], want[key]));
    }

    void Translations() {
        const Json& want = Section(wanted_, "translations");
        const Json& have = Section(current_, "translations");
        if (want.is_null())
            return;
        if (!want.is_object())
            throw RecordJsonError("translations: an object keyed by " + KeyName("translations") +
                                  " is expected");
        const auto pair = [](const std::string& input, const Json& output) {
            if (!output.is_string())
                throw RecordJsonError("translations." + input + ": a text is expected");
            return std::pair{CharsOf<zax::TranslationInputSize>(input),
                             CharsOf<zax::TranslationOutputSize>(output.get<std::string>())};
        };
        const Keyed held(have), wanted(want);
        for (const std::string& input : held.keys())
            if (!wanted.contains(input)) {
                const auto p = pair(input, held[input]);
                Add("translation " + input + ": delete",
                    [&server = server_, p] { return server.DeleteTranslation(p.first, p.second); });
            }
        for (const std::string& input : wanted.keys()) {
            const Json& output = wanted[input];
            const auto p = pair(input, output);
            if (!held.contains(input))
                Add("translation " + input + ": add " + output.dump(),
                    [&server = server_, p] { return server.AddTranslation(p.first, p.second); });
            else if (held[input] != output)
                Add("translation " + input + ": " + held[input].dump() + " → " + output.dump(),
                    [&server = server_, p] { return server.ChangeTranslation(p.first, p.second); });
        }
    }

    void Centrex() {
        const Json& want = Section(wanted_, "centrexRestrictions");
        const Json& have = Section(current_, "centrexRestrictions");
        if (want.is_null())
            return;
        if (!want.is_array())
            throw RecordJsonError("centrexRestrictions: a list of digit strings is expected");
        std::set<std::string> wanted, held;
        for (const auto& v : want) {
            if (!v.is_string())
                throw RecordJsonError("centrexRestrictions: texts are expected");
            wanted.insert(v.get<std::string>());
        }
        if (have.is_array())
            for (const auto& v : have)
                held.insert(v.get<std::string>());
        for (const std::string& d : held)
            if (!wanted.contains(d)) {
                const auto digits = CharsOf<zax::CentrexRestrictionSize>(d);
                Add("Centrex restriction " + d + ": delete", [&server = server_, digits] {
                    return server.DeleteCentrexRestriction(digits);
                });
            }
        for (const std::string& d : wanted)
            if (!held.contains(d)) {
                const auto digits = CharsOf<zax::CentrexRestrictionSize>(d);
                Add("Centrex restriction " + d + ": add",
                    [&server = server_, digits] { return server.AddCentrexRestriction(digits); });
            }
    }

    VoiceMailServer& server_;
    const Json& current_;
    const Json wanted_;
    std::vector<RestoreStep> plan_;
    std::set<std::string> planned_;
};

} // namespace

std::vector<RestoreStep> PlanRestore(VoiceMailServer& server, const Json& current,
                                     const Json& wanted) {
    CheckSnapshotFormat(wanted);
    try {
        return Planner(server, current, wanted).Plan();
    } catch (const Json::exception& e) {
        // A value of the wrong kind where the checks above did not look.
        throw RecordJsonError(e.what());
    }
}

RestoreOutcome ApplyRestore(const std::vector<RestoreStep>& plan, std::ostream& out) {
    RestoreOutcome outcome;
    // One pass over the steps given; returns those refused or skipped.
    const auto pass = [&](const std::vector<size_t>& steps) {
        std::vector<size_t> notDone;
        std::set<std::string> failed;
        outcome.refused = outcome.skipped = 0;
        for (const size_t i : steps) {
            const RestoreStep& step = plan[i];
            const auto missing =
                std::find_if(step.needs.begin(), step.needs.end(),
                             [&](const std::string& n) { return failed.contains(n); });
            if (missing != step.needs.end()) {
                out << step.text << "\n  skipped: " << *missing << " was not written\n";
                ++outcome.skipped;
            } else {
                out << step.text << '\n';
                const ServerStatus status = step.write();
                if (status == 0) {
                    ++outcome.applied;
                    continue;
                }
                out << "  refused: status " << status << " (" << StatusText(status) << ")\n";
                ++outcome.refused;
            }
            notDone.push_back(i);
            if (!step.provides.empty())
                failed.insert(step.provides);
        }
        return notDone;
    };
    std::vector<size_t> all(plan.size());
    for (size_t i = 0; i < plan.size(); ++i)
        all[i] = i;
    const std::vector<size_t> notDone = pass(all);
    // An add may have been refused for what a later step removed (an
    // extension a deleted mailbox held, a site prefix it overlapped, a full
    // table): what was refused or skipped is tried once more, in order.
    if (!notDone.empty() && notDone.size() < plan.size()) {
        out << "Trying again what was refused or skipped, now that the rest is written:\n";
        pass(notDone);
    }
    return outcome;
}

} // namespace ctl
