#pragma once
// A server's whole configuration as one JSON document, and the rules that
// say which of it is the administrator's to restore.
//
// Layout (version 1): parameter records as objects; fixed tables (lines,
// greeting tables, classes of service) as arrays in number order; keyed
// tables (mailboxes, sites, group lists, CLID entries, translations) as
// objects keyed by the table's key, in key order; Centrex restrictions as a
// sorted array. "system" describes the server and is never written back.

#include "ctl/RecordJson.h"
#include "server/Records.h"
#include "server/VoiceMailServer.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ctl {

inline constexpr std::string_view SnapshotFormat = "zax-configuration-snapshot";
inline constexpr int SnapshotVersion = 1;

// A server refused a read or answered something unusable; what() says which.
class ServerRefused : public std::runtime_error {
public:
    ServerRefused(const std::string& what, zax::ServerStatus status);
    zax::ServerStatus status() const { return status_; }

private:
    zax::ServerStatus status_;
};

// Throws ServerRefused when status is not 0; `what` names the read.
void Require(zax::ServerStatus status, const std::string& what);

// A short English text for a status the server answers with.
std::string StatusText(zax::ServerStatus status);

// How far a long read has come: done of total steps (total may grow).
using Progress = std::function<void(size_t done, size_t total)>;

// The numbers of every mailbox or group list, in number order.
std::vector<std::string> EntryNumbers(zax::VoiceMailServer& server, zax::EntryKind kind);

// One mailbox's record; nothing when it was deleted since it was listed.
std::optional<zax::MailboxRecord> ReadMailbox(zax::VoiceMailServer& server,
                                              const std::string& number);

// Reads everything readable. Server statuses other than the tables' end
// statuses throw ServerRefused; a transport failure is dcerpc::RpcError.
Json TakeSnapshot(zax::VoiceMailServer& server, const zax::SystemInfo& info,
                  const Progress& progress = {});

// Checks that a document is a snapshot this program reads; throws
// RecordJsonError otherwise.
void CheckSnapshotFormat(const Json& snapshot);

// A snapshot file's text as a document: JSON, nested no deeper than a
// snapshot ever is (so that no hostile file can exhaust the stack of the
// code that walks it), and of this format. Throws RecordJsonError saying
// what is wrong.
Json ParseSnapshot(std::string_view text);

// The fields a snapshot leaves out of each kind of record: requests that are
// never stored, and what the server works out for itself. Applied by
// TakeSnapshot; restore leaves them as the server has them.
void OmitDerivedFields(std::string_view section, Json& record);

// The member record of a group list as a snapshot holds it, and its key.
Json MemberJson(const zax::GroupListRecord& member);

} // namespace ctl
