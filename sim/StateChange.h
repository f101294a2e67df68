#pragma once
// One change of the simulated server's state, made by one procedure and
// stored whole or not at all.
//
// The procedure makes its edits through the change: each edit is applied to
// the in-memory state at once (so the procedure reads its own writes), with
// what it replaced kept aside. Commit then writes exactly the rows the edits
// touched, in one database transaction, before the procedure answers. When
// the transaction fails, or the change is dropped without a commit, every
// edit is undone in memory in reverse order, so the state the server
// answers from never differs from what the database holds.

#include "SimModel.h"
#include "server/ServerStatuses.h"

#include <functional>
#include <string>
#include <vector>

namespace zaxsim {

// The simulator's answer to a change it could not store (the database
// refused the write); the client shows it as a server error.
inline constexpr zax::ServerStatus StatusNotStored = 31035;

class StateChange {
public:
    explicit StateChange(SimModel& model) : model_(model) {}
    ~StateChange();
    StateChange(const StateChange&) = delete;
    StateChange& operator=(const StateChange&) = delete;

    const SimState& state() const { return model_.state(); }

    void PutSystemInfo(const zax::SystemInfo& info);
    void PutMailbox(Mailbox mailbox);
    void EraseMailbox(const std::string& number);
    // The list to edit in place; it must exist.
    GroupList& EditGroupList(const std::string& number);
    void EraseNameRecording(const std::string& number);
    void PutClassOfService(const zax::CosRecord& record);

    // The one-row parameter records.
    void PutFaxParameters(const zax::FaxParameters& record);
    void PutSystemParameters(const zax::SystemParameters& record);
    void PutOperatorSettings(const zax::OperatorSettings& record);
    void PutVoiceParameters(const zax::VoiceParameters& record);

    // Recordings (SimVoice.cpp): an empty value erases the recording. A
    // greeting table's prompt also updates that table's recorded flags.
    void PutAaPrompt(PromptKey key, Blob voice);
    void PutSrPrompt(PromptKey key, Blob voice);
    void PutNameRecording(const std::string& number, Blob voice);

    // Group lists, CLID entries, dialing translations and Centrex
    // restrictions (SimLists.cpp).
    void PutGroupList(GroupList list);
    void EraseGroupList(const std::string& number);
    void PutClid(const zax::ClidEntry& entry);
    void EraseClid(const std::string& phoneNumber);
    void PutTranslation(const std::string& input, const std::string& output);
    void EraseTranslation(const std::string& input);
    void PutCentrexRestriction(const std::string& digits);
    void EraseCentrexRestriction(const std::string& digits);
    void PutDialingParameters(const zax::DialingParameters& record);

    // Networking: the shared parameter record, the blocking periods, the sites.
    void PutNetworkParameters(const zax::NetworkParameters& record);
    void PutBlockingPeriods(const zax::BlockingPeriodTable& table);
    void PutSite(const zax::NetworkSite& site);
    void EraseSite(const std::string& prefix);

    // The auto attendant's parameters, one line of the line table, and the
    // statistics (PutStatistics replaces both usage tables).
    void PutAttendant(const AttendantParameters& parameters);
    void PutLine(int16_t line, const zax::LineEntry& entry);
    void PutStatistics(std::map<std::string, UsageCounters> mailboxes,
                       std::map<int16_t, UsageCounters> ports);

    // A greeting table (by its table number, 1 to 4) and the voice-dialing switch.
    void PutGreetingTable(const zax::GreetingTableRecord& record);
    void PutVoiceDialing(const zax::VoiceDialingRecord& record);

    // 0 when the change is stored (or there is no database); otherwise
    // StatusNotStored, with the change undone in memory.
    zax::ServerStatus Commit();

private:
    using Save = void (StateDatabase::*)(const SimState&, const std::string&);
    template <class Map>
    void Put(Map& map, const std::string& key, typename Map::mapped_type v, Save save);
    template <class Map> void Erase(Map& map, const std::string& key, Save save);
    void Write(Save save, const std::string& key);
    template <class R> void PutParameters(R& slot, const R& record);
    void PutPrompt(std::map<PromptKey, Blob>& prompts, PromptKey key, Blob voice,
                   void (StateDatabase::*save)(const SimState&, PromptKey));
    void Undo();

    SimModel& model_;
    std::vector<std::function<void()>> undo_;
    std::vector<std::function<void(StateDatabase&, const SimState&)>> writes_;
    bool committed_ = false;
};

} // namespace zaxsim
