// Which mailboxes a caller could not tell apart by name: the server compares
// the names callers may say to speech recognition after folding case and
// dropping everything but letters and digits, so "O'Brien" and "obrien",
// or "Tom Baker" and "TOM-BAKER", sound alike.

#include "SimState.h"

#include <cctype>
#include <map>

namespace zaxsim {

using zax::GetText;

namespace {

// The mailbox types callers reach by a spoken name.
bool HasSpokenNames(int16_t type) {
    using zax::MailboxType;
    for (MailboxType t : {MailboxType::Subscriber, MailboxType::ServerSubscriber1,
                          MailboxType::Information, MailboxType::FaxOnDemand,
                          MailboxType::ServerSubscriber11})
        if (type == static_cast<int16_t>(t))
            return true;
    return false;
}

std::string Folded(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte))
            out.push_back(static_cast<char>(std::tolower(byte)));
    }
    return out;
}

} // namespace

std::vector<std::string> SpokenNames(const zax::MailboxRecord& r) {
    if (!HasSpokenNames(r.Type) || r.SpeechDisabled != 0)
        return {};
    std::vector<std::string> names;
    const std::string extended = GetText(r.ExtendedName);
    names.push_back(extended.empty() ? GetText(r.Name) : extended);
    if (const std::string alias = GetText(r.Alias); !alias.empty())
        names.push_back(alias);
    return names;
}

std::set<std::string> HomonymNumbers(const SimState& state) {
    // Each folded name with the first mailbox that has it; a second mailbox
    // with the same name makes both homonyms.
    std::map<std::string, std::string> owner;
    std::set<std::string> homonyms;
    for (const auto& [number, m] : state.mailboxes)
        for (const std::string& name : SpokenNames(m.record)) {
            const std::string folded = Folded(name);
            if (folded.empty())
                continue;
            const auto [it, fresh] = owner.emplace(folded, number);
            if (!fresh && it->second != number) {
                homonyms.insert(it->second);
                homonyms.insert(number);
            }
        }
    return homonyms;
}

void MarkHomonyms(SimState& state) {
    const std::set<std::string> homonyms = HomonymNumbers(state);
    for (auto& [number, m] : state.mailboxes)
        m.record.Homonym = homonyms.contains(number) ? 1 : 0;
}

} // namespace zaxsim
