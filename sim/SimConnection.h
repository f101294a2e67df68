#pragma once
// One client's view of the simulated server: the procedures as the server
// answers them for the association the client is connected on. Procedures
// not yet simulated answer as an unserved operation number.

#include "SimModel.h"
#include "UnservedServer.h"
#include "server/ServerStatuses.h"

#include <optional>
#include <string>

namespace zaxsim {

// Statuses the simulated server answers with.
using zax::StatusAlreadyExists;
using zax::StatusAlternate1Used;
using zax::StatusAlternate2Used;
using zax::StatusExtensionUsed;
using zax::StatusNoEntry;
using zax::StatusNotInitialized;
using zax::StatusSessionActive;
using zax::StatusStillReferenced;
using zax::StatusSystemMailbox;
// The simulator's answer to a record it cannot store (a malformed number, a
// class of service out of range); the client shows it as a server error.
inline constexpr zax::ServerStatus StatusInvalidRecord = 31033;
// A greeting table names a CCR tree the server does not have.
inline constexpr zax::ServerStatus StatusNoSuchCcrTree = 31018;

class StateChange;

// Sets the homonym flag of every mailbox whose spoken names, as the change
// leaves them, now sound like (or no longer like) another mailbox's; part of
// the same change (SimGreetings.cpp).
void RefreshHomonyms(StateChange& change);

class SimConnection : public UnservedServer {
public:
    SimConnection(SimModel& model, dcerpc::AssociationId association);
    ~SimConnection() override;
    SimConnection(const SimConnection&) = delete;
    SimConnection& operator=(const SimConnection&) = delete;

    zax::ServerStatus OpenSession(zax::SessionHandle& handle) override;
    zax::ServerStatus CloseSession(zax::SessionHandle& handle) override;
    zax::ServerStatus GetSystemInfo(zax::SystemInfo& info) override;
    void KeepAlive() override;

    // Mailboxes, their enumeration and the classes of service (SimMailboxes.cpp).
    zax::ServerStatus FindFirstEntry(zax::EntrySummary& entry, int16_t kind,
                                     uint8_t selection) override;
    zax::ServerStatus FindNextEntry(zax::EntrySummary& entry) override;
    zax::ServerStatus FindNextEntries(std::span<zax::EntrySummary> entries, int16_t max,
                                      int16_t& count) override;
    zax::ServerStatus AddMailbox(const zax::MailboxRecord& record) override;
    zax::ServerStatus GetMailbox(zax::MailboxRecord& record) override;
    zax::ServerStatus ChangeMailbox(const zax::MailboxRecord& record,
                                    uint8_t resetPassword) override;
    zax::ServerStatus DeleteMailbox(const zax::MailboxRecord& record) override;
    zax::ServerStatus GetCosNames(zax::CosNameTable& names) override;
    zax::ServerStatus GetClassOfService(zax::CosRecord& record) override;
    zax::ServerStatus SetClassOfService(const zax::CosRecord& record) override;

    // Adding mailboxes: one number's state, room in the tables, a range of
    // subscribers (SimAddMailboxes.cpp).
    zax::ServerStatus QueryMailboxState(const zax::Chars<8>& number, uint8_t& exists,
                                        uint8_t& initialized) override;
    zax::ServerStatus CheckFreeEntry(int16_t kind) override;
    zax::ServerStatus AddMailboxRange(const zax::MailboxRecord& from, const zax::MailboxRecord& to,
                                      int16_t& count) override;

    // Operator settings, fax and system parameters (SimParameters.cpp).
    zax::ServerStatus GetFaxParameters(zax::FaxParameters& record) override;
    zax::ServerStatus SetFaxParameters(const zax::FaxParameters& record) override;
    zax::ServerStatus GetSystemParameters(zax::SystemParameters& record) override;
    zax::ServerStatus SetSystemParameters(const zax::SystemParameters& record) override;
    zax::ServerStatus GetOperatorSettings(zax::OperatorSettings& record) override;
    zax::ServerStatus SetOperatorSettings(const zax::OperatorSettings& record) override;

    // Greeting tables and voice-activated dialing (SimGreetings.cpp).
    zax::ServerStatus GetGreetingTable(zax::GreetingTableRecord& record) override;
    zax::ServerStatus SetGreetingTable(const zax::GreetingTableRecord& record) override;
    zax::ServerStatus GetVoiceDialing(zax::VoiceDialingRecord& record) override;
    zax::ServerStatus SetVoiceDialing(const zax::VoiceDialingRecord& record) override;

protected:
    SimModel& model_;
    dcerpc::AssociationId association_;

private:
    // The enumeration FindFirstEntry started on this connection: its kind and
    // the key of the entry it delivered last. Walking on from that key rather
    // than holding an iterator keeps it valid while entries come and go.
    struct Enumeration {
        zax::EntryKind kind = zax::EntryKind::Mailbox;
        std::optional<std::string> last; // none: nothing delivered yet
        bool active = false;
    };
    bool NextEntry(zax::EntrySummary& entry);
    Enumeration enumeration_;
};

} // namespace zaxsim
