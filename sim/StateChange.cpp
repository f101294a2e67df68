#include "StateChange.h"

#include "StateDatabase.h"

#include <iostream>

namespace zaxsim {

StateChange::~StateChange() {
    if (!committed_)
        Undo();
}

void StateChange::Undo() {
    for (auto it = undo_.rbegin(); it != undo_.rend(); ++it)
        (*it)();
    undo_.clear();
    writes_.clear();
}

void StateChange::Write(Save save, const std::string& key) {
    writes_.push_back(
        [save, key](StateDatabase& db, const SimState& state) { (db.*save)(state, key); });
}

// The value a key held is moved aside rather than copied: a recording can be
// a few hundred kilobytes.
template <class Map>
void StateChange::Put(Map& map, const std::string& key, typename Map::mapped_type value,
                      Save save) {
    auto it = map.find(key);
    if (it == map.end()) {
        undo_.push_back([&map, key] { map.erase(key); });
        map.emplace(key, std::move(value));
    } else {
        undo_.push_back([&map, key, old = std::move(it->second)]() mutable {
            map.insert_or_assign(key, std::move(old));
        });
        it->second = std::move(value);
    }
    Write(save, key);
}

template <class Map> void StateChange::Erase(Map& map, const std::string& key, Save save) {
    auto it = map.find(key);
    if (it == map.end())
        return;
    undo_.push_back(
        [&map, key, old = std::move(it->second)]() mutable { map.emplace(key, std::move(old)); });
    map.erase(it);
    Write(save, key);
}

void StateChange::PutSystemInfo(const zax::SystemInfo& info) {
    auto& slot = model_.mutableState().systemInfo;
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = info;
    writes_.push_back([](StateDatabase& db, const SimState& state) { db.SaveSystemInfo(state); });
}

void StateChange::PutMailbox(Mailbox mailbox) {
    const std::string number = zax::GetText(mailbox.record.Number);
    Put(model_.mutableState().mailboxes, number, std::move(mailbox), &StateDatabase::SaveMailbox);
}

void StateChange::EraseMailbox(const std::string& number) {
    Erase(model_.mutableState().mailboxes, number, &StateDatabase::SaveMailbox);
}

GroupList& StateChange::EditGroupList(const std::string& number) {
    GroupList& list = model_.mutableState().groupLists.at(number);
    undo_.push_back([&list, old = list]() mutable { list = std::move(old); });
    Write(&StateDatabase::SaveGroupList, number);
    return list;
}

void StateChange::EraseNameRecording(const std::string& number) {
    Erase(model_.mutableState().nameRecordings, number, &StateDatabase::SaveNameRecording);
}

void StateChange::PutClassOfService(const zax::CosRecord& record) {
    const int16_t number = record.ClassNumber;
    auto& slot = model_.mutableState().classesOfService.at(static_cast<size_t>(number - 1));
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = record;
    writes_.push_back([number](StateDatabase& db, const SimState& state) {
        db.SaveClassOfService(state, number);
    });
}

// The parameter records share one save, which writes all of them.
template <class R> void StateChange::PutParameters(R& slot, const R& record) {
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = record;
    writes_.push_back([](StateDatabase& db, const SimState& state) { db.SaveParameters(state); });
}

void StateChange::PutFaxParameters(const zax::FaxParameters& record) {
    PutParameters(model_.mutableState().fax, record);
}

void StateChange::PutSystemParameters(const zax::SystemParameters& record) {
    PutParameters(model_.mutableState().systemParameters, record);
}

void StateChange::PutOperatorSettings(const zax::OperatorSettings& record) {
    PutParameters(model_.mutableState().operatorSettings, record);
}

void StateChange::PutGroupList(GroupList list) {
    const std::string number = zax::GetText(list.header.ListNumber);
    Put(model_.mutableState().groupLists, number, std::move(list), &StateDatabase::SaveGroupList);
}

void StateChange::EraseGroupList(const std::string& number) {
    Erase(model_.mutableState().groupLists, number, &StateDatabase::SaveGroupList);
}

void StateChange::PutClid(const zax::ClidEntry& entry) {
    Put(model_.mutableState().clid, zax::GetText(entry.PhoneNumber), entry,
        &StateDatabase::SaveClid);
}

void StateChange::EraseClid(const std::string& phoneNumber) {
    Erase(model_.mutableState().clid, phoneNumber, &StateDatabase::SaveClid);
}

void StateChange::PutTranslation(const std::string& input, const std::string& output) {
    Put(model_.mutableState().translations, input, output, &StateDatabase::SaveTranslation);
}

void StateChange::EraseTranslation(const std::string& input) {
    Erase(model_.mutableState().translations, input, &StateDatabase::SaveTranslation);
}

// A restriction is its own key: a set, not a map, holds them.
void StateChange::PutCentrexRestriction(const std::string& digits) {
    auto& set = model_.mutableState().centrexRestrictions;
    if (!set.insert(digits).second)
        return;
    undo_.push_back([&set, digits] { set.erase(digits); });
    Write(&StateDatabase::SaveCentrexRestriction, digits);
}

void StateChange::EraseCentrexRestriction(const std::string& digits) {
    auto& set = model_.mutableState().centrexRestrictions;
    if (set.erase(digits) == 0)
        return;
    undo_.push_back([&set, digits] { set.insert(digits); });
    Write(&StateDatabase::SaveCentrexRestriction, digits);
}

void StateChange::PutDialingParameters(const zax::DialingParameters& record) {
    PutParameters(model_.mutableState().dialing, record);
}

void StateChange::PutNetworkParameters(const zax::NetworkParameters& record) {
    auto& slot = model_.mutableState().network;
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = record;
    writes_.push_back([](StateDatabase& db, const SimState& state) { db.SaveNetwork(state); });
}

void StateChange::PutBlockingPeriods(const zax::BlockingPeriodTable& table) {
    auto& slot = model_.mutableState().blockingPeriods;
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = table;
    writes_.push_back(
        [](StateDatabase& db, const SimState& state) { db.SaveBlockingPeriods(state); });
}

void StateChange::PutSite(const zax::NetworkSite& site) {
    Put(model_.mutableState().sites, zax::GetText(site.SitePrefix), site, &StateDatabase::SaveSite);
}

void StateChange::EraseSite(const std::string& prefix) {
    Erase(model_.mutableState().sites, prefix, &StateDatabase::SaveSite);
}

void StateChange::PutAttendant(const AttendantParameters& parameters) {
    auto& slot = model_.mutableState().attendant;
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = parameters;
    writes_.push_back([](StateDatabase& db, const SimState& state) { db.SaveAttendant(state); });
}

void StateChange::PutLine(int16_t line, const zax::LineEntry& entry) {
    auto& slot = model_.mutableState().lines.at(static_cast<size_t>(line - 1));
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = entry;
    writes_.push_back([](StateDatabase& db, const SimState& state) { db.SaveLines(state); });
}

void StateChange::PutStatistics(std::map<std::string, UsageCounters> mailboxes,
                                std::map<int16_t, UsageCounters> ports) {
    SimState& s = model_.mutableState();
    undo_.push_back([&s, oldMailboxes = s.mailboxUsage, oldPorts = s.portUsage]() mutable {
        s.mailboxUsage = std::move(oldMailboxes);
        s.portUsage = std::move(oldPorts);
    });
    s.mailboxUsage = std::move(mailboxes);
    s.portUsage = std::move(ports);
    writes_.push_back([](StateDatabase& db, const SimState& state) { db.SaveStatistics(state); });
}

void StateChange::PutVoiceParameters(const zax::VoiceParameters& record) {
    PutParameters(model_.mutableState().voice, record);
}

void StateChange::PutPrompt(std::map<PromptKey, Blob>& prompts, PromptKey key, Blob voice,
                            void (StateDatabase::*save)(const SimState&, PromptKey)) {
    auto it = prompts.find(key);
    if (it == prompts.end())
        undo_.push_back([&prompts, key] { prompts.erase(key); });
    else
        undo_.push_back([&prompts, key, old = std::move(it->second)]() mutable {
            prompts.insert_or_assign(key, std::move(old));
        });
    if (voice.empty())
        prompts.erase(key);
    else
        prompts.insert_or_assign(key, std::move(voice));
    writes_.push_back([save, key](StateDatabase& db, const SimState& s) { (db.*save)(s, key); });

    // The table's recorded flags follow the prompts it holds.
    SimState& state = model_.mutableState();
    undo_.push_back([&state, old = state.greetingTables] { state.greetingTables = old; });
    RefreshDerivedFields(state);
    writes_.push_back([table = key.table](StateDatabase& db, const SimState& s) {
        db.SaveGreetingTable(s, table);
    });
}

void StateChange::PutAaPrompt(PromptKey key, Blob voice) {
    PutPrompt(model_.mutableState().aaPrompts, key, std::move(voice), &StateDatabase::SaveAaPrompt);
}

void StateChange::PutSrPrompt(PromptKey key, Blob voice) {
    PutPrompt(model_.mutableState().srPrompts, key, std::move(voice), &StateDatabase::SaveSrPrompt);
}

void StateChange::PutNameRecording(const std::string& number, Blob voice) {
    auto& names = model_.mutableState().nameRecordings;
    if (voice.empty())
        Erase(names, number, &StateDatabase::SaveNameRecording);
    else
        Put(names, number, std::move(voice), &StateDatabase::SaveNameRecording);
}

void StateChange::PutGreetingTable(const zax::GreetingTableRecord& record) {
    const int16_t table = record.TableNumber;
    auto& slot = model_.mutableState().greetingTables.at(static_cast<size_t>(table - 1));
    undo_.push_back([&slot, old = slot] { slot = old; });
    slot = record;
    writes_.push_back(
        [table](StateDatabase& db, const SimState& state) { db.SaveGreetingTable(state, table); });
}

void StateChange::PutVoiceDialing(const zax::VoiceDialingRecord& record) {
    PutParameters(model_.mutableState().voiceDialing, record);
}

zax::ServerStatus StateChange::Commit() {
    StateDatabase* store = model_.store();
    if (store && !writes_.empty()) {
        try {
            InTransaction(store->db(), [&] {
                for (const auto& write : writes_)
                    write(*store, model_.state());
            });
        } catch (const std::exception& e) {
            std::cerr << "zaxsim: change not stored in " << store->path().string() << ": "
                      << e.what() << "\n";
            Undo();
            committed_ = true;
            return StatusNotStored;
        }
    }
    undo_.clear();
    writes_.clear();
    committed_ = true;
    return 0;
}

} // namespace zaxsim
