// Writing the rows of one key, or of the whole state when a database is created.

#include "StateDatabase.h"
#include "StateStatements.h"

namespace zaxsim {

using namespace statements;

void StateDatabase::SaveSystemInfo(const SimState& state) {
    SaveSingle(db_, "system_info", state.systemInfo);
    for (size_t i = 0; i < zax::CosLimitCount; ++i) {
        auto& s = Insert<zax::CosLimit>(db_, "cos_limits", "LimitIndex", 1);
        s.Bind(1, static_cast<int64_t>(i));
        BindColumns(s, 2, state.systemInfo.CosLimits[i]);
        s.Run();
    }
}

void StateDatabase::SaveCapacity(const SimState& state) {
    auto& s = Insert<Capacity>(db_, "capacity", "Id", 1, "VpimAvailable", 1);
    s.Bind(1, int64_t{1});
    s.Bind(BindColumns(s, 2, state.capacity), state.vpimAvailable);
    s.Run();
}

void StateDatabase::SaveMailbox(const SimState& state, const std::string& number) {
    auto it = state.mailboxes.find(number);
    if (it == state.mailboxes.end())
        return RunWith(db_, "DELETE FROM mailboxes WHERE Number = ?", number);
    auto& s = Insert<zax::MailboxRecord>(db_, "mailboxes", {}, 0,
                                         "Initialized, PasswordChanged, SystemMailbox", 3);
    const int next = BindColumns(s, 1, it->second.record);
    s.Bind(next, Flag(it->second.initialized));
    s.Bind(next + 1, Flag(it->second.passwordChanged));
    s.Bind(next + 2, Flag(it->second.systemMailbox));
    s.Run();
}

void StateDatabase::SaveGroupList(const SimState& state, const std::string& number) {
    // The members go with their list (ON DELETE CASCADE) and are written again whole.
    RunWith(db_, "DELETE FROM group_lists WHERE ListNumber = ?", number);
    auto it = state.groupLists.find(number);
    if (it == state.groupLists.end())
        return;
    const auto& h = it->second.header;
    auto& s = db_.Cached("INSERT INTO group_lists (ListNumber, ListName, Kind) VALUES (?, ?, ?)");
    s.Bind(1, number);
    s.Bind(2, zax::GetText(h.ListName));
    s.Bind(3, h.Kind);
    s.Run();
    int64_t position = 0;
    for (const auto& member : it->second.members) {
        auto& m = Insert<zax::GroupListRecord>(db_, "group_list_members", "Position", 1);
        m.Bind(1, ++position);
        BindColumns(m, 2, member);
        m.Run();
    }
}

void StateDatabase::SaveClid(const SimState& state, const std::string& phoneNumber) {
    auto it = state.clid.find(phoneNumber);
    if (it == state.clid.end())
        return RunWith(db_, "DELETE FROM clid WHERE PhoneNumber = ?", phoneNumber);
    SaveRecord(db_, "clid", it->second);
}

void StateDatabase::SaveGreetingTable(const SimState& state, int16_t table) {
    const auto& g = state.greetingTables.at(static_cast<size_t>(table - 1));
    SaveRecord(db_, "greeting_tables", g);
    for (int64_t d = 0; d < zax::DaysPerWeek; ++d)
        for (int64_t p = 0; p < zax::PeriodsPerDay; ++p) {
            auto& s = Insert<zax::HoursEntry>(db_, "greeting_hours", "TableNumber, Day, Period", 3);
            s.Bind(1, table);
            s.Bind(2, d);
            s.Bind(3, p);
            BindColumns(s, 4, g.Hours[d][p]);
            s.Run();
        }
}

void StateDatabase::SaveCcrTree(const SimState& state, int16_t tree) {
    RunWith(db_, "DELETE FROM ccr_trees WHERE Tree = ?", tree);
    auto it = state.ccrTrees.find(tree);
    if (it == state.ccrTrees.end())
        return;
    RunWith(db_, "INSERT INTO ccr_trees (Tree) VALUES (?)", tree);
    for (const auto& path : it->second) {
        auto& s = db_.Cached("INSERT INTO ccr_tree_paths (Tree, Path) VALUES (?, ?)");
        s.Bind(1, tree);
        s.Bind(2, path);
        s.Run();
    }
}

void StateDatabase::SaveLines(const SimState& state) {
    auto& gone = db_.Cached("DELETE FROM lines WHERE LineNumber > ?");
    gone.Bind(1, static_cast<int64_t>(state.lines.size()));
    gone.Run();
    int64_t number = 0;
    for (const auto& line : state.lines) {
        auto& s = Insert<zax::LineEntry>(db_, "lines", "LineNumber", 1);
        s.Bind(1, ++number);
        BindColumns(s, 2, line);
        s.Run();
    }
}

void StateDatabase::SaveAttendant(const SimState& state) {
    SaveSingle(db_, "attendant", state.attendant);
}

void StateDatabase::SaveClassOfService(const SimState& state, int16_t number) {
    SaveRecord(db_, "classes_of_service",
               state.classesOfService.at(static_cast<size_t>(number - 1)));
}

void StateDatabase::SaveParameters(const SimState& state) {
    SaveSingle(db_, "fax_parameters", state.fax);
    SaveSingle(db_, "system_parameters", state.systemParameters);
    SaveSingle(db_, "operator_settings", state.operatorSettings);
    SaveSingle(db_, "dialing_parameters", state.dialing);
    SaveSingle(db_, "voice_parameters", state.voice);
    SaveSingle(db_, "voice_dialing", state.voiceDialing);
}

void StateDatabase::SaveTranslation(const SimState& state, const std::string& input) {
    auto it = state.translations.find(input);
    if (it == state.translations.end())
        return RunWith(db_, "DELETE FROM translations WHERE Input = ?", input);
    auto& s = db_.Cached("INSERT OR REPLACE INTO translations (Input, Output) VALUES (?, ?)");
    s.Bind(1, input);
    s.Bind(2, it->second);
    s.Run();
}

void StateDatabase::SaveCentrexRestriction(const SimState& state, const std::string& digits) {
    RunWith(db_,
            state.centrexRestrictions.contains(digits)
                ? "INSERT OR REPLACE INTO centrex_restrictions (Digits) VALUES (?)"
                : "DELETE FROM centrex_restrictions WHERE Digits = ?",
            digits);
}

void StateDatabase::SaveBlockingPeriods(const SimState& state) {
    for (int64_t d = 0; d < zax::DaysPerWeek; ++d)
        for (int64_t p = 0; p < zax::PeriodsPerDay; ++p) {
            auto& s = Insert<zax::BlockingPeriod>(db_, "blocking_periods", "Day, Period", 2);
            s.Bind(1, d);
            s.Bind(2, p);
            BindColumns(s, 3, state.blockingPeriods.Periods[d][p]);
            s.Run();
        }
}

void StateDatabase::SaveNetwork(const SimState& state) {
    SaveSingle(db_, "network_parameters", state.network);
}

void StateDatabase::SaveSite(const SimState& state, const std::string& prefix) {
    auto it = state.sites.find(prefix);
    if (it == state.sites.end())
        return RunWith(db_, "DELETE FROM sites WHERE SitePrefix = ?", prefix);
    SaveRecord(db_, "sites", it->second);
}

void StateDatabase::SaveReport(const SimState& state, int16_t number) {
    auto it = state.reports.find(number);
    if (it == state.reports.end())
        return RunWith(db_, "DELETE FROM reports WHERE Number = ?", number);
    auto& s = db_.Cached("INSERT OR REPLACE INTO reports (Number, Text) VALUES (?, ?)");
    s.Bind(1, number);
    s.Bind(2, it->second);
    s.Run();
}

void StateDatabase::SaveStatistics(const SimState& state) {
    db_.Exec("DELETE FROM mailbox_usage; DELETE FROM port_usage;");
    for (const auto& [number, usage] : state.mailboxUsage) {
        auto& s = Insert<UsageCounters>(db_, "mailbox_usage", "Number", 1);
        s.Bind(1, number);
        BindColumns(s, 2, usage);
        s.Run();
    }
    for (const auto& [line, usage] : state.portUsage) {
        auto& s = Insert<UsageCounters>(db_, "port_usage", "LineNumber", 1);
        s.Bind(1, static_cast<int64_t>(line));
        BindColumns(s, 2, usage);
        s.Run();
    }
}

namespace {

void SavePrompt(Database& db, const char* table, const std::map<PromptKey, Blob>& prompts,
                PromptKey key) {
    auto it = prompts.find(key);
    auto& s = db.Cached(
        std::string(it == prompts.end() ? "DELETE FROM " : "INSERT OR REPLACE INTO ") + table +
        (it == prompts.end() ? " WHERE GreetingTable = ? AND Kind = ?"
                             : " (GreetingTable, Kind, Voice) VALUES (?, ?, ?)"));
    s.Bind(1, key.table);
    s.Bind(2, key.kind);
    if (it != prompts.end())
        s.BindBlob(3, it->second);
    s.Run();
}

} // namespace

void StateDatabase::SaveAaPrompt(const SimState& state, PromptKey key) {
    SavePrompt(db_, "aa_prompts", state.aaPrompts, key);
}

void StateDatabase::SaveSrPrompt(const SimState& state, PromptKey key) {
    SavePrompt(db_, "sr_prompts", state.srPrompts, key);
}

void StateDatabase::SaveNameRecording(const SimState& state, const std::string& number) {
    auto it = state.nameRecordings.find(number);
    if (it == state.nameRecordings.end())
        return RunWith(db_, "DELETE FROM name_recordings WHERE Mailbox = ?", number);
    auto& s = db_.Cached("INSERT OR REPLACE INTO name_recordings (Mailbox, Voice) VALUES (?, ?)");
    s.Bind(1, number);
    s.BindBlob(2, it->second);
    s.Run();
}

void StateDatabase::SaveAll(const SimState& s) {
    SaveSystemInfo(s);
    SaveCapacity(s);
    for (const auto& [key, value] : s.mailboxes)
        SaveMailbox(s, key);
    for (const auto& [key, value] : s.groupLists)
        SaveGroupList(s, key);
    for (const auto& [key, value] : s.clid)
        SaveClid(s, key);
    for (const auto& g : s.greetingTables)
        SaveGreetingTable(s, g.TableNumber);
    for (const auto& [key, value] : s.ccrTrees)
        SaveCcrTree(s, key);
    SaveLines(s);
    SaveAttendant(s);
    for (const auto& c : s.classesOfService)
        SaveClassOfService(s, c.ClassNumber);
    SaveParameters(s);
    for (const auto& [key, value] : s.translations)
        SaveTranslation(s, key);
    for (const auto& digits : s.centrexRestrictions)
        SaveCentrexRestriction(s, digits);
    SaveBlockingPeriods(s);
    SaveNetwork(s);
    for (const auto& [key, value] : s.sites)
        SaveSite(s, key);
    for (const auto& [key, value] : s.reports)
        SaveReport(s, key);
    SaveStatistics(s);
    for (const auto& [key, value] : s.aaPrompts)
        SaveAaPrompt(s, key);
    for (const auto& [key, value] : s.srPrompts)
        SaveSrPrompt(s, key);
    for (const auto& [key, value] : s.nameRecordings)
        SaveNameRecording(s, key);
}

} // namespace zaxsim
