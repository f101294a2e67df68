#pragma once
// Puts a snapshot back on a server: only what differs is written, in an
// order that respects references (classes and sites before the mailboxes
// that use them, mailboxes before the group lists and CLID entries that name
// them, and deletions the other way round).

#include "ctl/RecordJson.h"
#include "server/Records.h"
#include "server/VoiceMailServer.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace ctl {

// One write of a restore.
struct RestoreStep {
    std::string text;               // "mailbox 2002: Name "A" → "B""
    std::string provides;           // what later steps may need ("mailbox 2002")
    std::vector<std::string> needs; // steps of this plan it depends on
    std::function<zax::ServerStatus()> write;
};

// The writes that turn the server's configuration (`current`, a snapshot of
// it) into `wanted`. Sections `wanted` does not hold are left alone. Throws
// RecordJsonError when `wanted` holds a value no record can take.
std::vector<RestoreStep> PlanRestore(zax::VoiceMailServer& server, const Json& current,
                                     const Json& wanted);

struct RestoreOutcome {
    size_t applied = 0;
    size_t refused = 0;
    size_t skipped = 0; // depended on a refused write
    bool Complete() const { return refused == 0 && skipped == 0; }
};

// Runs the plan, one line per step on `out`. A refused write is reported
// with the server's status; the steps that need it are skipped, the rest go
// on. A transport failure leaves as dcerpc::RpcError.
RestoreOutcome ApplyRestore(const std::vector<RestoreStep>& plan, std::ostream& out);

} // namespace ctl
