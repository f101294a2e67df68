#include "SimState.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace zaxsim {

using zax::GetText;

zax::CosNameTable SimState::CosNames() const {
    zax::CosNameTable table{};
    for (size_t i = 0; i < classesOfService.size(); ++i)
        std::memcpy(table.Names[i], classesOfService[i].Name, sizeof table.Names[i]);
    return table;
}

bool IsSystemMailboxName(const std::string& name) {
    return name == zax::SystemManagerName || name == zax::GeneralDeliveryName;
}

const zax::MailboxRecord* SimState::FindMailbox(const std::string& number) const {
    auto it = mailboxes.find(number);
    return it == mailboxes.end() ? nullptr : &it->second.record;
}

bool SimState::InGroupListRange(const std::string& number) const {
    const uint8_t digit = systemParameters.GroupListLeadingDigit;
    return systemInfo.GroupListsEnabled != 0 && digit >= 1 && digit <= 9 && !number.empty() &&
           number.front() == static_cast<char>('0' + digit);
}

const zax::MailboxRecord* SimState::FindByExtension(const std::string& extension) const {
    if (extension.empty())
        return nullptr;
    for (const auto& [number, m] : mailboxes) {
        const auto& r = m.record;
        if (GetText(r.Extension) == extension || GetText(r.AlternateExtension1) == extension ||
            GetText(r.AlternateExtension2) == extension)
            return &r;
    }
    return nullptr;
}

namespace {

bool Has(const std::map<PromptKey, Blob>& prompts, int16_t table, int16_t kind) {
    return prompts.contains(PromptKey{table, kind});
}

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("inconsistent simulator state: " + what);
}

// The message is built only on failure: validation runs on every save.
template <class Message> void Require(bool ok, Message&& message) {
    if (ok)
        return;
    if constexpr (std::is_invocable_v<Message>)
        Fail(message());
    else
        Fail(message);
}

bool AllDigits(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A key that must fit a char[N] field with its terminator.
void RequireKey(const std::string& key, size_t fieldSize, const char* what) {
    Require(!key.empty() && key.size() < fieldSize && AllDigits(key), [&] {
        return std::string(what) + " key \"" + key + "\" is not 1 to " +
               std::to_string(fieldSize - 1) + " digits";
    });
}

template <class Map, class KeyOf>
void RequireKeysMatch(const Map& map, KeyOf keyOf, const char* what) {
    for (const auto& [key, value] : map)
        Require(keyOf(value) == key,
                [&key = key, what] {
                    return std::string(what) + " \"" + key + "\" is filed under another key";
                });
}

void ValidateSystem(const SimState& s) {
    const auto& si = s.systemInfo;
    Require(si.ExtensionLength >= 1 && si.ExtensionLength <= 7, "extension length not 1 to 7");
    // Line numbers are shown with three digits.
    Require(si.MaxLineNumber >= 1 && si.MaxLineNumber <= 999, "line count not 1 to 999");
    Require(si.MaxPoolNumber >= 0 && si.MaxPoolNumber <= 999, "pool count not 0 to 999");
    Require(s.lines.size() == static_cast<size_t>(si.MaxLineNumber),
            "line table size differs from the line count");
    for (size_t i = 0; i < s.greetingTables.size(); ++i)
        Require(s.greetingTables[i].TableNumber == static_cast<int16_t>(i + 1),
                [i] { return "greeting table " + std::to_string(i + 1) + " is out of place"; });
    for (size_t i = 0; i < s.classesOfService.size(); ++i)
        Require(s.classesOfService[i].ClassNumber == static_cast<int16_t>(i + 1),
                [i] { return "class of service " + std::to_string(i + 1) + " is out of place"; });
}

void ValidateKeyedTables(const SimState& s) {
    for (const auto& [key, m] : s.mailboxes)
        RequireKey(key, sizeof m.record.Number, "mailbox");
    RequireKeysMatch(
        s.mailboxes, [](const Mailbox& m) { return GetText(m.record.Number); }, "mailbox");
    for (const auto& [key, g] : s.groupLists) {
        RequireKey(key, sizeof g.header.ListNumber, "group list");
        for (const auto& member : g.members)
            Require(GetText(member.ListNumber) == key,
                    [&key = key] { return "member of group list " + key + " names another list"; });
    }
    RequireKeysMatch(
        s.groupLists, [](const GroupList& g) { return GetText(g.header.ListNumber); },
        "group list");
    for (const auto& [key, e] : s.clid)
        RequireKey(key, sizeof e.PhoneNumber, "CLID");
    RequireKeysMatch(
        s.clid, [](const zax::ClidEntry& e) { return GetText(e.PhoneNumber); }, "CLID entry");
    for (const auto& [key, site] : s.sites)
        RequireKey(key, sizeof site.SitePrefix, "site");
    RequireKeysMatch(
        s.sites, [](const zax::NetworkSite& n) { return GetText(n.SitePrefix); }, "site");
}

void ValidateDigitTables(const SimState& s) {
    for (const auto& [in, out] : s.translations) {
        Require(in.size() < zax::TranslationInputSize && AllDigits(in),
                [&in = in] { return "translation input \"" + in + "\" is not up to 14 digits"; });
        Require(out.size() < zax::TranslationOutputSize && AllDigits(out),
                [&out = out] { return "translation output \"" + out + "\" is not up to 15 digits"; });
        Require(!in.empty() || !out.empty(), "translation with both values empty");
    }
    for (const auto& r : s.centrexRestrictions)
        RequireKey(r, zax::CentrexRestrictionSize, "Centrex restriction");
    for (const auto& [tree, paths] : s.ccrTrees) {
        Require(tree >= 1 && tree <= zax::CcrTreeCount, "CCR tree number not 1 to 4");
        for (const auto& p : paths)
            RequireKey(p, sizeof zax::ClidEntry{}.CcrTreePath, "CCR tree path");
    }
}

void ValidateRecordings(const SimState& s) {
    auto prompts = [](const std::map<PromptKey, Blob>& m, int16_t kinds, const char* what) {
        for (const auto& [key, blob] : m)
            Require(key.table >= 1 && key.table <= zax::GreetingTableCount && key.kind >= 0 &&
                        key.kind < kinds,
                    [what] { return std::string(what) + " prompt key out of range"; });
    };
    prompts(s.aaPrompts, 2, "AA");
    prompts(s.srPrompts, 4, "speech-recognition");
    for (const auto& [key, blob] : s.nameRecordings)
        RequireKey(key, zax::NameVoiceKeySize, "recorded name");
}

} // namespace

void RefreshDerivedFields(const SimState& state, zax::GreetingTableRecord& g) {
    using zax::AaPromptKind;
    using zax::SrPromptKind;
    const int16_t t = g.TableNumber;
    auto aa = [&](AaPromptKind k) {
        return static_cast<uint8_t>(Has(state.aaPrompts, t, static_cast<int16_t>(k)));
    };
    auto sr = [&](SrPromptKind k) {
        return static_cast<uint8_t>(Has(state.srPrompts, t, static_cast<int16_t>(k)));
    };
    g.MainPromptRecorded = sr(SrPromptKind::Main);
    g.RepeatPromptRecorded = sr(SrPromptKind::Repeat);
    g.ConfirmPromptRecorded = sr(SrPromptKind::Confirm);
    g.DeclinePromptRecorded = sr(SrPromptKind::Decline);
    g.PrimaryAaPromptRecorded = aa(AaPromptKind::Primary);
    g.AlternateAaPromptRecorded = aa(AaPromptKind::Alternate);
    // Byte k is above a space when tree k+1 exists; the bytes past the
    // four trees are the server's own and stay as they are.
    for (int16_t k = 0; k < zax::CcrTreeCount; ++k)
        g.CcrTreesDefined[k] = state.ccrTrees.contains(static_cast<int16_t>(k + 1)) ? 'Y' : ' ';
}

void RefreshDerivedFields(SimState& state) {
    for (auto& g : state.greetingTables)
        RefreshDerivedFields(state, g);
}

void MirrorSystemParameters(const zax::SystemParameters& parameters, zax::SystemInfo& info) {
    info.GroupListsEnabled = parameters.GroupListsEnabled;
    info.Reserved13 = parameters.GroupListLeadingDigit;
    info.Reserved14 = parameters.Bilingual;
}

void ValidateState(const SimState& state) {
    ValidateSystem(state);
    ValidateKeyedTables(state);
    ValidateDigitTables(state);
    ValidateRecordings(state);
}

} // namespace zaxsim
