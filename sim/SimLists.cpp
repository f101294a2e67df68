// The simulated server's numbered and keyed tables: group lists with their
// members, the CLID routing table, the dialing translation pairs with their
// parameters, and the Centrex transfer restrictions. Each walk through a
// table belongs to the connection that started it; every change is stored
// through a StateChange.

#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace zaxsim {

using zax::GetText;
using zax::SetText;

namespace {

constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
// A list name: letters, digits, apostrophe and hyphen. A fax member's name
// may also hold commas and underscores.
const std::string kListNameCharacters = std::string(kLetters) + std::string(kDigits) + "'-";
const std::string kFaxNameCharacters = std::string(kLetters) + std::string(kDigits) + "',-_";
constexpr std::string_view kDialCharacters = "0123456789#*DPdp";

constexpr size_t kMaxListName = 17;
constexpr size_t kMaxFaxName = 16;
constexpr size_t kMaxDialString = 30;
constexpr size_t kMaxClidPhone = 13;
constexpr size_t kMaxTranslationInput = 14;
constexpr size_t kMaxTranslationOutput = 15;
constexpr size_t kMaxRestriction = 14;

bool Text(const std::string& text, size_t min, size_t max, std::string_view allowed) {
    return text.size() >= min && text.size() <= max &&
           text.find_first_not_of(allowed) == std::string::npos;
}

// A string that fills its array has no terminator: it names nothing.
template <size_t N> bool Terminated(const zax::Chars<N>& chars) {
    return std::memchr(chars.data(), 0, N) != nullptr;
}
template <size_t N> std::string TextOf(const zax::Chars<N>& chars) {
    return std::string(chars.data(), strnlen(chars.data(), N));
}
template <size_t N> void Put(zax::Chars<N>& chars, const std::string& text) {
    chars.fill(0);
    std::memcpy(chars.data(), text.data(), std::min(text.size(), N - 1));
}

bool IsExtension(const zax::SystemInfo& si, const std::string& text) {
    const auto length = static_cast<size_t>(si.ExtensionLength);
    return Text(text, length, length, kDigits);
}

// ---- group lists ----------------------------------------------------------------

int16_t KindCode(zax::GroupListKind kind) {
    return static_cast<int16_t>(kind);
}

bool IsListKind(int16_t kind) {
    return kind == KindCode(zax::GroupListKind::Voice) || kind == KindCode(zax::GroupListKind::Fax);
}

// The mailbox types a voice list may hold; network mailboxes only while
// network group lists are on.
bool MayBeMember(const zax::SystemInfo& si, int16_t type) {
    using T = zax::MailboxType;
    constexpr T kLocal[] = {T::Subscriber, T::Information, T::FaxOverflow, T::FaxOnDemand};
    constexpr T kNetwork[] = {T::Amis, T::Network};
    const auto is = [type](T t) { return static_cast<int16_t>(t) == type; };
    return std::any_of(std::begin(kLocal), std::end(kLocal), is) ||
           (si.NetworkGroupListEnabled != 0 &&
            std::any_of(std::begin(kNetwork), std::end(kNetwork), is));
}

// What a fax member's route asks of its line or pool number and its dial
// string, one row per route.
struct FaxRouteRule {
    zax::FaxRoute route;
    bool (*numberOk)(const zax::SystemInfo&, int16_t);
    bool (*dialOk)(const zax::SystemInfo&, const std::string&);
};
constexpr FaxRouteRule kFaxRoutes[] = {
    {zax::FaxRoute::ByExtension, [](const zax::SystemInfo&, int16_t n) { return n == 0; },
     [](const zax::SystemInfo& si, const std::string& d) { return IsExtension(si, d); }},
    {zax::FaxRoute::ByLine,
     [](const zax::SystemInfo& si, int16_t n) { return n >= 1 && n <= si.MaxLineNumber; },
     [](const zax::SystemInfo&, const std::string& d) {
         return Text(d, 1, kMaxDialString, kDialCharacters);
     }},
    {zax::FaxRoute::ByPool,
     [](const zax::SystemInfo& si, int16_t n) { return n >= 1 && n <= si.MaxPoolNumber; },
     [](const zax::SystemInfo&, const std::string& d) {
         return Text(d, 1, kMaxDialString, kDialCharacters);
     }},
};

bool IsStorableFaxMember(const zax::SystemInfo& si, const zax::GroupListRecord& r) {
    if (!Text(GetText(r.FaxMemberName), 1, kMaxFaxName, kFaxNameCharacters))
        return false;
    for (const FaxRouteRule& rule : kFaxRoutes)
        if (static_cast<int16_t>(rule.route) == r.FaxRoute)
            return rule.numberOk(si, r.LineOrPoolNumber) && rule.dialOk(si, GetText(r.DialString));
    return false;
}

// What identifies a member within its list: a mailbox by its number, a fax
// destination by its dial string.
std::string MemberKey(const zax::GroupListRecord& r) {
    return r.Kind == KindCode(zax::GroupListKind::Fax) ? GetText(r.DialString)
                                                       : GetText(r.MemberMailbox);
}

// The member as the server keeps it: the list number, the kind and only the
// fields of that kind.
zax::GroupListRecord StoredMember(const zax::GroupListRecord& r, const std::string& list,
                                  const SimState& s) {
    zax::GroupListRecord m{};
    SetText(m.ListNumber, list);
    m.Kind = r.Kind;
    if (r.Kind == KindCode(zax::GroupListKind::Voice)) {
        const std::string number = GetText(r.MemberMailbox);
        SetText(m.MemberMailbox, number);
        SetText(m.MemberMailboxName, GetText(s.FindMailbox(number)->Name));
        return m;
    }
    SetText(m.FaxMemberName, GetText(r.FaxMemberName));
    m.FaxRoute = r.FaxRoute;
    m.LineOrPoolNumber = r.LineOrPoolNumber;
    SetText(m.DialString, GetText(r.DialString));
    return m;
}

zax::GroupListRecord Header(const std::string& number, const std::string& name, int16_t kind) {
    zax::GroupListRecord h{};
    SetText(h.ListNumber, number);
    SetText(h.ListName, name);
    h.Kind = kind;
    return h;
}

// A group list number: the system's extension length, the group lists'
// leading digit first.
bool IsListNumber(const SimState& s, const std::string& number) {
    return IsExtension(s.systemInfo, number) && s.InGroupListRange(number);
}

// ---- CLID -------------------------------------------------------------------------

bool IsTableOrTree(int16_t n) {
    return n >= 1 && n <= zax::CcrTreeCount;
}

// The entry as the server keeps it: the phone number, the type and only the
// fields of that type; or the status that refuses it.
zax::ServerStatus StoredClid(const SimState& s, const zax::ClidEntry& e, zax::ClidEntry& out) {
    out = {};
    const std::string phone = GetText(e.PhoneNumber);
    if (!Text(phone, 1, kMaxClidPhone, kDigits))
        return StatusInvalidRecord;
    SetText(out.PhoneNumber, phone);
    out.TargetType = e.TargetType;
    switch (static_cast<zax::ClidTarget>(e.TargetType)) {
    case zax::ClidTarget::Table:
        if (!IsTableOrTree(e.GreetingTable))
            return StatusInvalidRecord;
        out.GreetingTable = e.GreetingTable;
        return 0;
    case zax::ClidTarget::Extension:
        if (!IsExtension(s.systemInfo, GetText(e.Extension)))
            return StatusInvalidRecord;
        SetText(out.Extension, GetText(e.Extension));
        return 0;
    case zax::ClidTarget::Mailbox:
        if (s.FindMailbox(GetText(e.Mailbox)) == nullptr)
            return StatusInvalidRecord;
        SetText(out.Mailbox, GetText(e.Mailbox));
        return 0;
    case zax::ClidTarget::CcrTree: {
        const auto tree = s.ccrTrees.find(e.CcrTree);
        if (!IsTableOrTree(e.CcrTree) || tree == s.ccrTrees.end())
            return zax::StatusNoSuchCcrTree;
        const std::string path = GetText(e.CcrTreePath);
        const auto maxPath =
            static_cast<size_t>(std::max<int16_t>(s.systemInfo.MaxCcrPathLength, 0));
        if (!Text(path, 1, std::min(maxPath, sizeof e.CcrTreePath - 1), kDigits) ||
            !tree->second.contains(path))
            return zax::StatusInvalidCcrPath;
        out.CcrTree = e.CcrTree;
        SetText(out.CcrTreePath, path);
        return 0;
    }
    }
    return StatusInvalidRecord;
}

// ---- dialing translation ---------------------------------------------------------------

// Either value may be empty, never both.
bool IsStorablePair(const std::string& input, const std::string& output) {
    return Text(input, 0, kMaxTranslationInput, kDigits) &&
           Text(output, 0, kMaxTranslationOutput, kDigits) && !(input.empty() && output.empty());
}

bool IsStorableDialing(const zax::DialingParameters& p) {
    return Text(GetText(p.LongDistanceAccessCode), 0, 2, kDigits) &&
           Text(GetText(p.AreaCode), 0, 6, kDigits) && Text(GetText(p.AccessCode), 0, 2, kDigits) &&
           p.ReplyTranslate <= 1;
}

} // namespace

// ---- group lists --------------------------------------------------------------------

// The lowest number of the group lists' range that neither a list nor a
// mailbox holds.
zax::ServerStatus SimConnection::GetFreeGroupListNumber(int16_t& number) {
    number = 0;
    const SimState& s = model_.state();
    const auto length = static_cast<size_t>(s.systemInfo.ExtensionLength);
    const uint8_t digit = s.systemParameters.GroupListLeadingDigit;
    if (s.systemInfo.GroupListsEnabled == 0 || digit < 1 || digit > 9 || length < 1 || length > 4)
        return StatusNoEntry;
    if (s.groupLists.size() >= static_cast<size_t>(std::max<int16_t>(s.capacity.GroupLists, 0)))
        return StatusNoEntry;
    int block = 1;
    for (size_t i = 1; i < length; ++i)
        block *= 10;
    for (int n = digit * block; n < (digit + 1) * block; ++n) {
        std::string text = std::to_string(n);
        if (!s.groupLists.contains(text) && !s.mailboxes.contains(text) &&
            s.FindByExtension(text) == nullptr) {
            number = static_cast<int16_t>(n);
            return 0;
        }
    }
    return StatusNoEntry;
}

zax::ServerStatus SimConnection::GetGroupList(zax::GroupListRecord& record) {
    const auto& lists = model_.state().groupLists;
    const auto it = lists.find(GetText(record.ListNumber));
    if (it == lists.end())
        return StatusNoEntry;
    record = it->second.header;
    return 0;
}

zax::ServerStatus SimConnection::GetFirstGroupMember(zax::GroupListRecord& record) {
    memberWalk_ = {GetText(record.ListNumber), 0, true};
    return GetNextGroupMember(record);
}

zax::ServerStatus SimConnection::GetNextGroupMember(zax::GroupListRecord& record) {
    const auto& lists = model_.state().groupLists;
    const auto it = lists.find(memberWalk_.list);
    if (!memberWalk_.active || it == lists.end() || memberWalk_.next >= it->second.members.size()) {
        memberWalk_.active = false;
        return StatusNoEntry;
    }
    record = it->second.members[memberWalk_.next++];
    return 0;
}

zax::ServerStatus SimConnection::AddGroupList(const zax::GroupListRecord& record) {
    const SimState& s = model_.state();
    const std::string number = GetText(record.ListNumber);
    const std::string name = GetText(record.ListName);
    if (s.groupLists.size() >= static_cast<size_t>(std::max<int16_t>(s.capacity.GroupLists, 0)))
        return StatusNoEntry;
    if (!IsListNumber(s, number) || !Text(name, 1, kMaxListName, kListNameCharacters) ||
        !IsListKind(record.Kind))
        return StatusInvalidRecord;
    if (s.groupLists.contains(number) || s.mailboxes.contains(number))
        return StatusAlreadyExists;
    StateChange change(model_);
    change.PutGroupList(GroupList{Header(number, name, record.Kind), {}});
    return change.Commit();
}

// The name may change; the kind is chosen once, when the list is added.
zax::ServerStatus SimConnection::ChangeGroupList(const zax::GroupListRecord& record) {
    const SimState& s = model_.state();
    const std::string number = GetText(record.ListNumber);
    const auto it = s.groupLists.find(number);
    if (it == s.groupLists.end())
        return StatusNoEntry;
    const std::string name = GetText(record.ListName);
    if (!Text(name, 1, kMaxListName, kListNameCharacters) || record.Kind != it->second.header.Kind)
        return StatusInvalidRecord;
    StateChange change(model_);
    change.EditGroupList(number).header = Header(number, name, record.Kind);
    return change.Commit();
}

zax::ServerStatus SimConnection::AddGroupMember(const zax::GroupListRecord& record) {
    const SimState& s = model_.state();
    const std::string number = GetText(record.ListNumber);
    const auto it = s.groupLists.find(number);
    if (it == s.groupLists.end())
        return StatusNoEntry;
    if (record.Kind != it->second.header.Kind)
        return StatusInvalidRecord;
    if (record.Kind == KindCode(zax::GroupListKind::Voice)) {
        const zax::MailboxRecord* mailbox = s.FindMailbox(GetText(record.MemberMailbox));
        if (mailbox == nullptr)
            return StatusNoEntry;
        if (!MayBeMember(s.systemInfo, mailbox->Type))
            return StatusInvalidRecord;
    } else if (!IsStorableFaxMember(s.systemInfo, record)) {
        return StatusInvalidRecord;
    }
    const std::string key = MemberKey(record);
    const auto& members = it->second.members;
    if (std::any_of(members.begin(), members.end(),
                    [&](const zax::GroupListRecord& m) { return MemberKey(m) == key; }))
        return StatusAlreadyExists;
    const zax::GroupListRecord member = StoredMember(record, number, s);
    StateChange change(model_);
    change.EditGroupList(number).members.push_back(member);
    return change.Commit();
}

zax::ServerStatus SimConnection::RemoveGroupMember(const zax::GroupListRecord& record) {
    const SimState& s = model_.state();
    const std::string number = GetText(record.ListNumber);
    const auto it = s.groupLists.find(number);
    if (it == s.groupLists.end())
        return StatusNoEntry;
    const std::string key = MemberKey(record);
    const auto& members = it->second.members;
    const auto found = std::find_if(members.begin(), members.end(), [&](const auto& m) {
        return m.Kind == record.Kind && MemberKey(m) == key;
    });
    if (found == members.end())
        return StatusNoEntry;
    const auto index = found - members.begin();
    StateChange change(model_);
    auto& edited = change.EditGroupList(number).members;
    edited.erase(edited.begin() + index);
    return change.Commit();
}

zax::ServerStatus SimConnection::DeleteGroupList(const zax::GroupListRecord& record) {
    const std::string number = GetText(record.ListNumber);
    if (!model_.state().groupLists.contains(number))
        return StatusNoEntry;
    StateChange change(model_);
    change.EraseGroupList(number);
    return change.Commit();
}

// ---- CLID -------------------------------------------------------------------------------

zax::ServerStatus SimConnection::CheckClidAdd(uint8_t& unused) {
    unused = 0;
    const SimState& s = model_.state();
    return s.clid.size() < static_cast<size_t>(std::max<int16_t>(s.capacity.ClidEntries, 0))
               ? 0
               : StatusNoEntry;
}

zax::ServerStatus SimConnection::GetClid(zax::ClidEntry& entry, int16_t first) {
    const auto& table = model_.state().clid;
    if (first != 0) {
        clidWalk_ = {std::nullopt, true};
        return GetNextClid(entry);
    }
    const auto it = table.find(GetText(entry.PhoneNumber));
    if (it == table.end())
        return StatusNoEntry;
    entry = it->second;
    return 0;
}

zax::ServerStatus SimConnection::GetNextClid(zax::ClidEntry& entry) {
    entry = {};
    const auto& table = model_.state().clid;
    auto it = clidWalk_.last ? table.upper_bound(*clidWalk_.last) : table.begin();
    if (!clidWalk_.active || it == table.end()) {
        clidWalk_.active = false;
        return zax::StatusClidNoMore;
    }
    clidWalk_.last = it->first;
    entry = it->second;
    return 0;
}

zax::ServerStatus SimConnection::SetClid(const zax::ClidEntry& entry, uint8_t add) {
    const SimState& s = model_.state();
    zax::ClidEntry stored{};
    if (const zax::ServerStatus status = StoredClid(s, entry, stored))
        return status;
    const bool exists = s.clid.contains(GetText(stored.PhoneNumber));
    if (add != 0) {
        if (exists)
            return zax::StatusClidExists;
        if (s.clid.size() >= static_cast<size_t>(std::max<int16_t>(s.capacity.ClidEntries, 0)))
            return StatusNoEntry;
    } else if (!exists) {
        return StatusNoEntry;
    }
    StateChange change(model_);
    change.PutClid(stored);
    return change.Commit();
}

zax::ServerStatus SimConnection::DeleteClid(const zax::ClidEntry& entry) {
    const std::string phone = GetText(entry.PhoneNumber);
    if (!model_.state().clid.contains(phone))
        return StatusNoEntry;
    StateChange change(model_);
    change.EraseClid(phone);
    return change.Commit();
}

// ---- dialing translation ------------------------------------------------------------------

// Flag 1 starts from the first pair; 0 from the given input value on.
zax::ServerStatus SimConnection::GetFirstTranslation(zax::Chars<15>& input, zax::Chars<16>& output,
                                                     uint8_t fromFirst) {
    const auto& table = model_.state().translations;
    translationWalk_ = {std::nullopt, true};
    if (fromFirst == 0 && Terminated(input)) {
        const auto it = table.lower_bound(TextOf(input));
        if (it != table.begin())
            translationWalk_.last = std::prev(it)->first;
    }
    return GetNextTranslation(input, output);
}

zax::ServerStatus SimConnection::GetNextTranslation(zax::Chars<15>& input, zax::Chars<16>& output) {
    input.fill(0);
    output.fill(0);
    const auto& table = model_.state().translations;
    auto it = translationWalk_.last ? table.upper_bound(*translationWalk_.last) : table.begin();
    if (!translationWalk_.active || it == table.end()) {
        translationWalk_.active = false;
        return StatusNoEntry;
    }
    translationWalk_.last = it->first;
    Put(input, it->first);
    Put(output, it->second);
    return 0;
}

zax::ServerStatus SimConnection::AddTranslation(const zax::Chars<15>& input,
                                                const zax::Chars<16>& output) {
    if (!Terminated(input) || !Terminated(output) || !IsStorablePair(TextOf(input), TextOf(output)))
        return StatusInvalidRecord;
    if (model_.state().translations.contains(TextOf(input)))
        return StatusAlreadyExists;
    StateChange change(model_);
    change.PutTranslation(TextOf(input), TextOf(output));
    return change.Commit();
}

// Replaces the output of an input value the table holds.
zax::ServerStatus SimConnection::ChangeTranslation(const zax::Chars<15>& input,
                                                   const zax::Chars<16>& output) {
    if (!Terminated(input) || !Terminated(output) || !IsStorablePair(TextOf(input), TextOf(output)))
        return StatusInvalidRecord;
    if (!model_.state().translations.contains(TextOf(input)))
        return StatusNoEntry;
    StateChange change(model_);
    change.PutTranslation(TextOf(input), TextOf(output));
    return change.Commit();
}

// The pair is found by its input value; the output the client sends along
// is not compared.
zax::ServerStatus SimConnection::DeleteTranslation(const zax::Chars<15>& input,
                                                   const zax::Chars<16>& /*output*/) {
    if (!Terminated(input) || !model_.state().translations.contains(TextOf(input)))
        return StatusNoEntry;
    StateChange change(model_);
    change.EraseTranslation(TextOf(input));
    return change.Commit();
}

zax::ServerStatus SimConnection::GetDialingParameters(zax::DialingParameters& record) {
    record = model_.state().dialing;
    return 0;
}

zax::ServerStatus SimConnection::SetDialingParameters(const zax::DialingParameters& record) {
    if (!IsStorableDialing(record))
        return StatusInvalidRecord;
    zax::DialingParameters stored{};
    SetText(stored.LongDistanceAccessCode, GetText(record.LongDistanceAccessCode));
    SetText(stored.AreaCode, GetText(record.AreaCode));
    SetText(stored.AccessCode, GetText(record.AccessCode));
    stored.ReplyTranslate = record.ReplyTranslate;
    StateChange change(model_);
    change.PutDialingParameters(stored);
    return change.Commit();
}

// ---- Centrex restrictions ----------------------------------------------------------------------

zax::ServerStatus SimConnection::GetFirstCentrexRestriction(zax::Chars<15>& digits,
                                                            uint8_t fromFirst) {
    const auto& table = model_.state().centrexRestrictions;
    centrexWalk_ = {std::nullopt, true};
    if (fromFirst == 0 && Terminated(digits)) {
        const auto it = table.lower_bound(TextOf(digits));
        if (it != table.begin())
            centrexWalk_.last = *std::prev(it);
    }
    return GetNextCentrexRestriction(digits);
}

zax::ServerStatus SimConnection::GetNextCentrexRestriction(zax::Chars<15>& digits) {
    digits.fill(0);
    const auto& table = model_.state().centrexRestrictions;
    auto it = centrexWalk_.last ? table.upper_bound(*centrexWalk_.last) : table.begin();
    if (!centrexWalk_.active || it == table.end()) {
        centrexWalk_.active = false;
        return StatusNoEntry;
    }
    centrexWalk_.last = *it;
    Put(digits, *it);
    return 0;
}

zax::ServerStatus SimConnection::AddCentrexRestriction(const zax::Chars<15>& digits) {
    if (!Terminated(digits) || !Text(TextOf(digits), 1, kMaxRestriction, kDigits))
        return StatusInvalidRecord;
    if (model_.state().centrexRestrictions.contains(TextOf(digits)))
        return StatusAlreadyExists;
    StateChange change(model_);
    change.PutCentrexRestriction(TextOf(digits));
    return change.Commit();
}

zax::ServerStatus SimConnection::DeleteCentrexRestriction(const zax::Chars<15>& digits) {
    if (!Terminated(digits) || !model_.state().centrexRestrictions.contains(TextOf(digits)))
        return StatusNoEntry;
    StateChange change(model_);
    change.EraseCentrexRestriction(TextOf(digits));
    return change.Commit();
}

} // namespace zaxsim
