#pragma once
// One client's view of the simulated server: the procedures as the server
// answers them for the association the client is connected on. Procedures
// not yet simulated answer as an unserved operation number.

#include "SimModel.h"
#include "UnservedServer.h"
#include "server/ServerStatuses.h"

#include <map>
#include <optional>
#include <string>

namespace zaxsim {

// Statuses the simulated server answers with.
using zax::StatusAlreadyExists;
using zax::StatusAlternate1Used;
using zax::StatusAlternate2Used;
using zax::StatusExtensionUsed;
using zax::StatusNoEntry;
using zax::StatusNoSuchCcrTree;
using zax::StatusNotInitialized;
using zax::StatusSessionActive;
using zax::StatusStillReferenced;
using zax::StatusSystemMailbox;
// The simulator's answer to a record it cannot store (a malformed number, a
// class of service out of range); the client shows it as a server error.
inline constexpr zax::ServerStatus StatusInvalidRecord = 31033;

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

    // Group lists and their members, CLID entries, dialing translations and
    // their parameters, Centrex restrictions (SimLists.cpp).
    zax::ServerStatus GetFreeGroupListNumber(int16_t& number) override;
    zax::ServerStatus GetGroupList(zax::GroupListRecord& record) override;
    zax::ServerStatus GetFirstGroupMember(zax::GroupListRecord& record) override;
    zax::ServerStatus GetNextGroupMember(zax::GroupListRecord& record) override;
    zax::ServerStatus AddGroupList(const zax::GroupListRecord& record) override;
    zax::ServerStatus ChangeGroupList(const zax::GroupListRecord& record) override;
    zax::ServerStatus AddGroupMember(const zax::GroupListRecord& record) override;
    zax::ServerStatus RemoveGroupMember(const zax::GroupListRecord& record) override;
    zax::ServerStatus DeleteGroupList(const zax::GroupListRecord& record) override;
    zax::ServerStatus CheckClidAdd(uint8_t& unused) override;
    zax::ServerStatus GetClid(zax::ClidEntry& entry, int16_t first) override;
    zax::ServerStatus GetNextClid(zax::ClidEntry& entry) override;
    zax::ServerStatus SetClid(const zax::ClidEntry& entry, uint8_t add) override;
    zax::ServerStatus DeleteClid(const zax::ClidEntry& entry) override;
    zax::ServerStatus GetFirstTranslation(zax::Chars<15>& input, zax::Chars<16>& output,
                                          uint8_t fromFirst) override;
    zax::ServerStatus GetNextTranslation(zax::Chars<15>& input, zax::Chars<16>& output) override;
    zax::ServerStatus AddTranslation(const zax::Chars<15>& input,
                                     const zax::Chars<16>& output) override;
    zax::ServerStatus ChangeTranslation(const zax::Chars<15>& input,
                                        const zax::Chars<16>& output) override;
    zax::ServerStatus DeleteTranslation(const zax::Chars<15>& input,
                                        const zax::Chars<16>& output) override;
    zax::ServerStatus GetDialingParameters(zax::DialingParameters& record) override;
    zax::ServerStatus SetDialingParameters(const zax::DialingParameters& record) override;
    zax::ServerStatus GetFirstCentrexRestriction(zax::Chars<15>& digits,
                                                 uint8_t fromFirst) override;
    zax::ServerStatus GetNextCentrexRestriction(zax::Chars<15>& digits) override;
    zax::ServerStatus AddCentrexRestriction(const zax::Chars<15>& digits) override;
    zax::ServerStatus DeleteCentrexRestriction(const zax::Chars<15>& digits) override;

    // Networking parameters, AMIS blocking periods and network sites
    // (SimNetwork.cpp).
    zax::ServerStatus GetBlockingPeriods(zax::BlockingPeriodTable& table) override;
    zax::ServerStatus SetBlockingPeriods(const zax::BlockingPeriodTable& table) override;
    zax::ServerStatus GetGeneralNetworking(zax::NetworkParameters& record) override;
    zax::ServerStatus SetGeneralNetworking(const zax::NetworkParameters& record) override;
    zax::ServerStatus GetAmisNetworking(zax::NetworkParameters& record) override;
    zax::ServerStatus SetAmisNetworking(const zax::NetworkParameters& record) override;
    zax::ServerStatus GetDigitalNetworking(zax::NetworkParameters& record) override;
    zax::ServerStatus SetDigitalNetworking(const zax::NetworkParameters& record) override;
    zax::ServerStatus OpenSiteList(zax::NetworkSite& site) override;
    zax::ServerStatus GetNextSite(zax::NetworkSite& site) override;
    zax::ServerStatus AddSite(const zax::NetworkSite& site) override;
    zax::ServerStatus GetSite(zax::NetworkSite& site) override;
    zax::ServerStatus ChangeSite(const zax::NetworkSite& site) override;
    zax::ServerStatus DeleteSite(const zax::NetworkSite& site) override;
    zax::ServerStatus IsSiteTableFull(uint8_t& full) override;
    zax::ServerStatus IsVpimAvailable(uint8_t& available) override;

    // General auto-attendant parameters and the line table (SimAttendant.cpp).
    zax::ServerStatus GetAttendantParameters(uint8_t& returnToAa, uint8_t& gateMode,
                                             uint8_t& gateGreeting) override;
    zax::ServerStatus SetAttendantParameters(uint8_t returnToAa, uint8_t gateMode,
                                             uint8_t gateGreeting) override;
    zax::ServerStatus GetLine(int16_t line, uint8_t& answer, int16_t& table,
                              int16_t& rings) override;
    zax::ServerStatus SetLine(int16_t line, uint8_t answer, int16_t table, int16_t rings) override;
    zax::ServerStatus GetLines(int16_t count, std::span<zax::LineEntry> entries) override;

    // Reports and statistics (SimReports.cpp).
    zax::ServerStatus RequestReport(int16_t number, int16_t destination,
                                    const zax::Chars<8>& argument) override;
    zax::ServerStatus GetReportSize(int32_t& size) override;
    zax::ServerStatus GetReportText(int32_t bufferSize, int32_t& length,
                                    std::span<char> text) override;
    zax::ServerStatus ResetStatistics() override;

    // Greeting tables and voice-activated dialing (SimGreetings.cpp).
    zax::ServerStatus GetGreetingTable(zax::GreetingTableRecord& record) override;
    zax::ServerStatus SetGreetingTable(const zax::GreetingTableRecord& record) override;
    zax::ServerStatus GetVoiceDialing(zax::VoiceDialingRecord& record) override;
    zax::ServerStatus SetVoiceDialing(const zax::VoiceDialingRecord& record) override;

    // Recorded prompts and names: the voice parameters and the three families
    // of query, open, read, write and close (SimVoice.cpp).
    uint32_t GetVoiceParameters(zax::VoiceParameters& parameters) override;
    uint32_t QueryNameVoice(const zax::Chars<8>& key, int32_t& recorded) override;
    uint32_t OpenNameVoice(zax::TransferHandle& handle, const zax::Chars<8>& key,
                           int32_t mode) override;
    uint32_t ReadNameVoice(zax::TransferHandle& handle, int32_t max, int32_t& length,
                           std::span<uint8_t> bytes) override;
    uint32_t WriteNameVoice(zax::TransferHandle& handle, int32_t length,
                            std::span<const uint8_t> bytes) override;
    uint32_t CloseNameVoice(zax::TransferHandle& handle, int32_t commit) override;
    uint32_t QueryAaPrompt(uint8_t table, int32_t kind, int32_t& recorded) override;
    uint32_t OpenAaPrompt(zax::TransferHandle& handle, uint8_t table, int32_t kind,
                          int32_t mode) override;
    uint32_t ReadAaPrompt(zax::TransferHandle& handle, int32_t max, int32_t& length,
                          std::span<uint8_t> bytes) override;
    uint32_t WriteAaPrompt(zax::TransferHandle& handle, int32_t length,
                           std::span<const uint8_t> bytes) override;
    uint32_t CloseAaPrompt(zax::TransferHandle& handle, int32_t commit) override;
    uint32_t QuerySrPrompt(uint8_t table, int16_t kind, int32_t reserved,
                           int32_t& recorded) override;
    uint32_t OpenSrPrompt(zax::TransferHandle& handle, uint8_t table, int16_t kind,
                          int32_t reserved, int32_t mode) override;
    uint32_t ReadSrPrompt(zax::TransferHandle& handle, int32_t max, int32_t& length,
                          std::span<uint8_t> bytes) override;
    uint32_t WriteSrPrompt(zax::TransferHandle& handle, int32_t length,
                           std::span<const uint8_t> bytes) override;
    uint32_t CloseSrPrompt(zax::TransferHandle& handle, int32_t commit) override;

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

    // The walks through the tables of SimLists.cpp, one of each kind per
    // connection: by the key delivered last, so entries may come and go
    // between calls. The members of a list walk by position, since two
    // members may look alike until their kind is known.
    struct KeyWalk {
        std::optional<std::string> last;
        bool active = false;
    };
    struct MemberWalk {
        std::string list;
        size_t next = 0;
        bool active = false;
    };
    KeyWalk clidWalk_;
    KeyWalk translationWalk_;
    KeyWalk centrexWalk_;
    MemberWalk memberWalk_;

    // The site enumeration OpenSiteList started: the prefix of the site
    // delivered last (SimNetwork.cpp).
    struct SiteEnumeration {
        std::optional<std::string> last;
        bool active = false;
    };
    zax::ServerStatus CheckSite(const zax::NetworkSite& site, bool adding) const;
    SiteEnumeration siteEnumeration_;

    // The text of the report this connection asked for last with
    // destination 2; none before the first, or after one sent to the printer.
    std::optional<std::string> report_;

    // One open voice transfer (SimVoice.cpp). What an upload sends is held
    // here and reaches the state only when it is closed with commit 1, so
    // an upload that breaks off or is rolled back leaves the old recording.
    enum class RecordingFamily { Name, Aa, Sr };
    struct VoiceTransfer {
        RecordingFamily family = RecordingFamily::Name;
        std::string name; // the directory entry of a name
        PromptKey prompt{}; // the table and kind of a prompt
        bool writing = false;
        Blob data;
        size_t readAt = 0;
    };
    uint32_t OpenTransfer(zax::TransferHandle& handle, VoiceTransfer transfer, int32_t mode);
    VoiceTransfer& LiveTransfer(const zax::TransferHandle& handle, RecordingFamily family);
    uint32_t ReadTransfer(zax::TransferHandle& handle, RecordingFamily family, int32_t max,
                          int32_t& length, std::span<uint8_t> bytes);
    uint32_t WriteTransfer(zax::TransferHandle& handle, RecordingFamily family, int32_t length,
                           std::span<const uint8_t> bytes);
    uint32_t CloseTransfer(zax::TransferHandle& handle, RecordingFamily family, int32_t commit);
    std::map<std::string, VoiceTransfer> transfers_; // by handle
};

} // namespace zaxsim
