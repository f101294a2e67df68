// The simulated server's one-record parameters: the operator settings, the
// fax parameters and the system parameters. Every change is stored through a
// StateChange; a change of the system parameters also changes what
// GetSystemInfo reports, so a client sees it at its next log-in.

#include "RecordChecks.h"
#include "SimConnection.h"
#include "StateChange.h"

#include <algorithm>

namespace zaxsim {

using zax::GetText;
using zax::SetText;

namespace {

// Group list numbers and mailbox numbers share one numbering plan: while
// group lists are enabled, no mailbox number may begin with their digit.
bool MailboxBeginsWith(const SimState& s, uint8_t digit) {
    const char first = static_cast<char>('0' + digit);
    return std::any_of(s.mailboxes.begin(), s.mailboxes.end(),
                       [first](const auto& entry) { return entry.first.front() == first; });
}

} // namespace

// ---- operator settings ----------------------------------------------------------

zax::ServerStatus SimConnection::GetOperatorSettings(zax::OperatorSettings& record) {
    record = model_.state().operatorSettings;
    return 0;
}

// The reset flag asks the server to put the operator password back to its
// default. The simulator holds no operator password, so there is nothing to
// put back: the flag is checked like the others, never kept, and reads as 0.
zax::ServerStatus SimConnection::SetOperatorSettings(const zax::OperatorSettings& record) {
    const SimState& s = model_.state();
    if (!IsStorableOperatorSettings(s.systemInfo, record))
        return StatusInvalidRecord;
    zax::OperatorSettings stored = record;
    stored.ResetOperatorPassword = 0;
    SetText(stored.AttendantExtension, GetText(record.AttendantExtension));
    StateChange change(model_);
    change.PutOperatorSettings(stored);
    return change.Commit();
}

// ---- fax parameters ---------------------------------------------------------------

zax::ServerStatus SimConnection::GetFaxParameters(zax::FaxParameters& record) {
    record = model_.state().fax;
    return 0;
}

// The record is stored as sent, the server's own first three fields too:
// a client that does not send them back as it read them overwrites them.
zax::ServerStatus SimConnection::SetFaxParameters(const zax::FaxParameters& record) {
    if (!IsStorableFaxParameters(model_.state().systemInfo, record))
        return StatusInvalidRecord;
    zax::FaxParameters stored = record;
    SetText(stored.SystemFaxExtension, GetText(record.SystemFaxExtension));
    SetText(stored.SystemFaxName, GetText(record.SystemFaxName));
    StateChange change(model_);
    change.PutFaxParameters(stored);
    return change.Commit();
}

// ---- system parameters ------------------------------------------------------------

zax::ServerStatus SimConnection::GetSystemParameters(zax::SystemParameters& record) {
    record = model_.state().systemParameters;
    return 0;
}

// The version text is the server's own and stays; the reset flag puts the
// administration password back to its default and is never kept.
zax::ServerStatus SimConnection::SetSystemParameters(const zax::SystemParameters& record) {
    const SimState& s = model_.state();
    if (!IsStorableSystemParameters(s.systemInfo, record))
        return StatusInvalidRecord;
    if (record.GroupListsEnabled && MailboxBeginsWith(s, record.GroupListLeadingDigit))
        return StatusAlreadyExists;
    zax::SystemParameters stored = record;
    std::copy(std::begin(s.systemParameters.VoiceMailVersion),
              std::end(s.systemParameters.VoiceMailVersion), stored.VoiceMailVersion);
    stored.ResetAdminPassword = 0;
    zax::SystemInfo info = s.systemInfo;
    MirrorSystemParameters(stored, info);
    if (record.ResetAdminPassword)
        SetText(info.AdminPassword, DefaultAdminPassword);
    StateChange change(model_);
    change.PutSystemParameters(stored);
    change.PutSystemInfo(info);
    return change.Commit();
}

} // namespace zaxsim
