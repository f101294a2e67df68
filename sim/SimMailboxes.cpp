// The simulated server's mailboxes: the enumerations of mailboxes and group
// lists, reading, adding, changing and deleting one mailbox, and the classes
// of service. Every change is stored through a StateChange.

#include "RecordChecks.h"
#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace zaxsim {

using zax::GetText;
using zax::SetText;

namespace {

// Every text field cut at its terminator and padded with zeros, as the
// server keeps and sends its records.
template <class R> R Tidy(R record) {
    VisitFields(record, [](auto& field) {
        using F = std::remove_reference_t<decltype(field)>;
        if constexpr (std::is_array_v<F> && std::is_same_v<std::remove_extent_t<F>, char>)
            SetText(field, GetText(field));
    });
    return record;
}

zax::EntrySummary SummaryOf(const Mailbox& m) {
    const zax::MailboxRecord& r = m.record;
    zax::EntrySummary e{};
    SetText(e.Number, GetText(r.Number));
    SetText(e.Name, GetText(r.Name));
    e.Type = r.Type;
    SetText(e.ExtendedName, GetText(r.ExtendedName));
    SetText(e.Alias, GetText(r.Alias));
    e.SpeechDisabled = r.SpeechDisabled;
    e.Homonym = r.Homonym;
    return e;
}

zax::EntrySummary SummaryOf(const GroupList& g) {
    zax::EntrySummary e{};
    SetText(e.Number, GetText(g.header.ListNumber));
    SetText(e.Name, GetText(g.header.ListName));
    e.GroupKind = g.header.Kind;
    return e;
}

// The extension fields of a mailbox with the status that reports each one
// as taken by another mailbox.
struct ExtensionField {
    char (zax::MailboxRecord::*field)[8];
    zax::ServerStatus usedStatus;
};
constexpr std::array<ExtensionField, 3> kExtensionFields = {{
    {&zax::MailboxRecord::Extension, StatusExtensionUsed},
    {&zax::MailboxRecord::AlternateExtension1, StatusAlternate1Used},
    {&zax::MailboxRecord::AlternateExtension2, StatusAlternate2Used},
}};

// Whether a mailbox other than `number` answers at `extension`.
bool ExtensionUsedByOther(const SimState& s, const std::string& extension,
                          const std::string& number) {
    return std::any_of(s.mailboxes.begin(), s.mailboxes.end(), [&](const auto& entry) {
        return entry.first != number &&
               std::any_of(kExtensionFields.begin(), kExtensionFields.end(),
                           [&](const ExtensionField& f) {
                               return GetText(entry.second.record.*f.field) == extension;
                           });
    });
}

zax::ServerStatus CheckExtensionsFree(const SimState& s, const zax::MailboxRecord& r) {
    const std::string number = GetText(r.Number);
    for (const auto& f : kExtensionFields) {
        const std::string e = GetText(r.*f.field);
        if (!e.empty() && ExtensionUsedByOther(s, e, number))
            return f.usedStatus;
    }
    return 0;
}

// Group lists and CLID entries that still send callers or messages to the mailbox.
bool IsReferenced(const SimState& s, const std::string& number) {
    const auto voice = static_cast<int16_t>(zax::GroupListKind::Voice);
    for (const auto& [key, list] : s.groupLists)
        for (const auto& member : list.members)
            if (member.Kind == voice && GetText(member.MemberMailbox) == number)
                return true;
    const auto toMailbox = static_cast<int16_t>(zax::ClidTarget::Mailbox);
    return std::any_of(s.clid.begin(), s.clid.end(), [&](const auto& entry) {
        return entry.second.TargetType == toMailbox && GetText(entry.second.Mailbox) == number;
    });
}

// Group lists show their members under the mailbox's current name.
void RenameMembers(StateChange& change, const std::string& number, const char (&name)[21]) {
    const std::string text = GetText(name);
    auto stale = [&](const zax::GroupListRecord& member) {
        return GetText(member.MemberMailbox) == number && GetText(member.MemberMailboxName) != text;
    };
    for (const auto& [key, list] : change.state().groupLists) {
        if (std::none_of(list.members.begin(), list.members.end(), stale))
            continue;
        for (auto& member : change.EditGroupList(key).members)
            if (stale(member))
                SetText(member.MemberMailboxName, text);
    }
}

bool IsClassNumber(int16_t n) {
    return n >= 1 && n <= zax::ClassOfServiceCount;
}

} // namespace

// ---- enumerations ------------------------------------------------------------

bool SimConnection::NextEntry(zax::EntrySummary& entry) {
    if (!enumeration_.active)
        return false;
    auto step = [this, &entry](const auto& table) {
        auto it = enumeration_.last ? table.upper_bound(*enumeration_.last) : table.begin();
        if (it == table.end())
            return false;
        enumeration_.last = it->first;
        entry = SummaryOf(it->second);
        return true;
    };
    const auto& s = model_.state();
    if (enumeration_.kind == zax::EntryKind::GroupList)
        return step(s.groupLists);
    return step(s.mailboxes);
}

zax::ServerStatus SimConnection::FindFirstEntry(zax::EntrySummary& entry, int16_t kind,
                                                uint8_t /*selection*/) {
    // The selection flag says which screen of the client asks; the simulated
    // server lists the same entries for all of them.
    entry = {};
    const auto k = static_cast<zax::EntryKind>(kind);
    if (k != zax::EntryKind::Mailbox && k != zax::EntryKind::GroupList) {
        enumeration_ = {};
        return StatusNoEntry;
    }
    enumeration_ = {k, std::nullopt, true};
    return NextEntry(entry) ? 0 : StatusNoEntry;
}

zax::ServerStatus SimConnection::FindNextEntry(zax::EntrySummary& entry) {
    entry = {};
    return NextEntry(entry) ? 0 : StatusNoEntry;
}

zax::ServerStatus SimConnection::FindNextEntries(std::span<zax::EntrySummary> entries, int16_t max,
                                                 int16_t& count) {
    count = 0;
    const size_t room = std::min(entries.size(), static_cast<size_t>(std::max<int16_t>(max, 0)));
    while (static_cast<size_t>(count) < room && NextEntry(entries[static_cast<size_t>(count)]))
        ++count;
    return count > 0 || room == 0 ? 0 : StatusNoEntry;
}

// ---- one mailbox ---------------------------------------------------------------

zax::ServerStatus SimConnection::GetMailbox(zax::MailboxRecord& record) {
    const auto* found = model_.state().FindMailbox(GetText(record.Number));
    if (!found)
        return StatusNoEntry;
    record = *found;
    return 0;
}

zax::ServerStatus SimConnection::AddMailbox(const zax::MailboxRecord& record) {
    auto& s = model_.state();
    if (s.mailboxes.size() >= static_cast<size_t>(std::max<int16_t>(s.capacity.Mailboxes, 0)))
        return StatusNoEntry;
    if (!IsStorableMailbox(s.systemInfo, record))
        return StatusInvalidRecord;
    const std::string number = GetText(record.Number);
    // The numbers of the group lists' range are not the mailboxes' to take.
    if (s.InGroupListRange(number))
        return StatusInvalidRecord;
    if (s.mailboxes.contains(number))
        return StatusAlreadyExists;
    if (auto status = CheckExtensionsFree(s, record))
        return status;
    Mailbox added{Tidy(record), false, false};
    added.record.Homonym = 0; // the server's own judgement, made when names are compared
    StateChange change(model_);
    change.PutMailbox(added);
    RefreshHomonyms(change);
    return change.Commit();
}

zax::ServerStatus SimConnection::ChangeMailbox(const zax::MailboxRecord& record,
                                               uint8_t resetPassword) {
    auto& s = model_.state();
    const std::string number = GetText(record.Number);
    auto it = s.mailboxes.find(number);
    if (it == s.mailboxes.end())
        return StatusNoEntry;
    if (!IsStorableMailbox(s.systemInfo, record))
        return StatusInvalidRecord;
    if (record.Type != it->second.record.Type) // the type is chosen once, when adding
        return StatusInvalidRecord;
    if (auto status = CheckExtensionsFree(s, record))
        return status;
    Mailbox changed = it->second;
    changed.record = Tidy(record);
    changed.record.Homonym = it->second.record.Homonym;
    if (resetPassword)
        changed.passwordChanged = false;
    StateChange change(model_);
    change.PutMailbox(changed);
    RenameMembers(change, number, changed.record.Name);
    RefreshHomonyms(change);
    return change.Commit();
}

zax::ServerStatus SimConnection::DeleteMailbox(const zax::MailboxRecord& record) {
    auto& s = model_.state();
    const std::string number = GetText(record.Number);
    auto it = s.mailboxes.find(number);
    if (it == s.mailboxes.end())
        return StatusNoEntry;
    if (it->second.systemMailbox)
        return StatusSystemMailbox;
    if (IsReferenced(s, number))
        return StatusStillReferenced;
    StateChange change(model_);
    change.EraseMailbox(number);
    change.EraseNameRecording(number);
    RefreshHomonyms(change);
    return change.Commit();
}

// ---- classes of service ---------------------------------------------------------

zax::ServerStatus SimConnection::GetCosNames(zax::CosNameTable& names) {
    names = model_.state().CosNames();
    return 0;
}

zax::ServerStatus SimConnection::GetClassOfService(zax::CosRecord& record) {
    if (!IsClassNumber(record.ClassNumber))
        return StatusNoEntry;
    record = model_.state().classesOfService[static_cast<size_t>(record.ClassNumber - 1)];
    return 0;
}

zax::ServerStatus SimConnection::SetClassOfService(const zax::CosRecord& record) {
    auto& s = model_.state();
    if (!IsClassNumber(record.ClassNumber))
        return StatusNoEntry;
    if (!IsStorableClassOfService(s.systemInfo, record))
        return StatusInvalidRecord;
    StateChange change(model_);
    change.PutClassOfService(Tidy(record));
    return change.Commit();
}

} // namespace zaxsim
