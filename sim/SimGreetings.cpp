// The simulated server's greeting tables and voice-activated dialing. A
// table's recorded flags and CCR-trees-defined bytes are the server's own:
// they follow the prompts and trees it holds, whatever a client sends back.

#include "RecordChecks.h"
#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace zaxsim {

using zax::GetText;
using zax::SetText;

namespace {

bool IsTableNumber(int16_t n) {
    return n >= 1 && n <= zax::GreetingTableCount;
}

// What the server keeps of a table a client sends: the fields a client
// edits, the reserved bytes as sent, and its own fields as it holds them.
zax::GreetingTableRecord Stored(const zax::GreetingTableRecord& sent,
                                const zax::GreetingTableRecord& held) {
    zax::GreetingTableRecord r = sent;
    r.StandardPrompts = sent.StandardPrompts != 0 ? 1 : 0;
    r.LanguagePreference = sent.LanguagePreference != 0 ? 1 : 0;
    SetText(r.AttendantExtension, GetText(sent.AttendantExtension));
    std::copy(std::begin(held.CcrTreesDefined), std::end(held.CcrTreesDefined),
              r.CcrTreesDefined);
    r.MainPromptRecorded = held.MainPromptRecorded;
    r.RepeatPromptRecorded = held.RepeatPromptRecorded;
    r.ConfirmPromptRecorded = held.ConfirmPromptRecorded;
    r.DeclinePromptRecorded = held.DeclinePromptRecorded;
    r.PrimaryAaPromptRecorded = held.PrimaryAaPromptRecorded;
    r.AlternateAaPromptRecorded = held.AlternateAaPromptRecorded;
    return r;
}

} // namespace

zax::ServerStatus SimConnection::GetGreetingTable(zax::GreetingTableRecord& record) {
    const int16_t table = record.TableNumber;
    if (!IsTableNumber(table))
        return StatusInvalidRecord;
    // The flags are worked out from the prompts and trees held at the time
    // of the read, so they follow every transfer, however it ended.
    record = model_.state().greetingTables[static_cast<size_t>(table - 1)];
    RefreshDerivedFields(model_.state(), record);
    return 0;
}

zax::ServerStatus SimConnection::SetGreetingTable(const zax::GreetingTableRecord& record) {
    const SimState& s = model_.state();
    if (!IsTableNumber(record.TableNumber))
        return StatusInvalidRecord;
    if (record.CcrTree != 0 && !s.ccrTrees.contains(record.CcrTree))
        return StatusNoSuchCcrTree;
    if (!IsStorableGreetingTable(s.systemInfo, record))
        return StatusInvalidRecord;
    zax::GreetingTableRecord held = s.greetingTables[static_cast<size_t>(record.TableNumber - 1)];
    RefreshDerivedFields(s, held);
    StateChange change(model_);
    change.PutGreetingTable(Stored(record, held));
    return change.Commit();
}

zax::ServerStatus SimConnection::GetVoiceDialing(zax::VoiceDialingRecord& record) {
    record = model_.state().voiceDialing;
    return 0;
}

zax::ServerStatus SimConnection::SetVoiceDialing(const zax::VoiceDialingRecord& record) {
    if (record.Enabled > 1)
        return StatusInvalidRecord;
    StateChange change(model_);
    change.PutVoiceDialing(record);
    return change.Commit();
}

// ---- homonyms ---------------------------------------------------------------------

void RefreshHomonyms(StateChange& change) {
    const std::set<std::string> homonyms = HomonymNumbers(change.state());
    std::vector<Mailbox> changed;
    for (const auto& [number, m] : change.state().mailboxes) {
        const uint8_t flag = homonyms.contains(number) ? 1 : 0;
        if (m.record.Homonym != flag) {
            changed.push_back(m);
            changed.back().record.Homonym = flag;
        }
    }
    for (Mailbox& m : changed)
        change.PutMailbox(std::move(m));
}

} // namespace zaxsim
