// Loading the whole state from the database at start-up.

#include "StateDatabase.h"
#include "StateStatements.h"

namespace zaxsim {

using namespace statements;

SimState StateDatabase::Load() {
    SimState s;
    Database& db = db_;
    try {
        InTable("system_info", [&] {
            LoadSingle(db, "system_info", s.systemInfo);
            auto& q = Select<zax::CosLimit>(db, "cos_limits", "LimitIndex", {}, "");
            while (q.Step())
                ReadColumns(q, 1, s.systemInfo.CosLimits[Index(q, 0, zax::CosLimitCount)]);
        });
        InTable("capacity", [&] {
            auto& q = Select<Capacity>(db, "capacity", {}, "VpimAvailable", "WHERE Id = 1");
            if (!q.Step())
                throw std::runtime_error("its one row is missing");
            columns::ReadField(q, ReadColumns(q, 0, s.capacity), s.vpimAvailable);
            q.Reset();
        });
        InTable("mailboxes", [&] {
            auto& q = Select<zax::MailboxRecord>(db, "mailboxes", {},
                                                 "Initialized, PasswordChanged, SystemMailbox",
                                                 "ORDER BY Number");
            LoadRows(q, s.mailboxes, [](const Statement& r) {
                Mailbox m;
                const int next = ReadColumns(r, 0, m.record);
                m.initialized = r.Int(next) != 0;
                m.passwordChanged = r.Int(next + 1) != 0;
                m.systemMailbox = r.Int(next + 2) != 0;
                return std::pair(zax::GetText(m.record.Number), m);
            });
        });
        InTable("group_lists", [&] {
            auto& q = db.Cached("SELECT ListNumber, ListName, Kind FROM group_lists");
            LoadRows(q, s.groupLists, [](const Statement& r) {
                GroupList g;
                columns::ReadField(r, 0, g.header.ListNumber);
                columns::ReadField(r, 1, g.header.ListName);
                columns::ReadField(r, 2, g.header.Kind);
                return std::pair(zax::GetText(g.header.ListNumber), g);
            });
            auto& m = Select<zax::GroupListRecord>(db, "group_list_members", {}, {},
                                                   "ORDER BY ListNumber, Position");
            while (m.Step()) {
                zax::GroupListRecord member{};
                ReadColumns(m, 0, member);
                auto list = s.groupLists.find(zax::GetText(member.ListNumber));
                if (list == s.groupLists.end())
                    throw std::runtime_error("a member of a list that does not exist");
                list->second.members.push_back(member);
            }
        });
        InTable("clid", [&] {
            auto& q = Select<zax::ClidEntry>(db, "clid", {}, {}, "");
            LoadRows(q, s.clid, [](const Statement& r) {
                zax::ClidEntry e{};
                ReadColumns(r, 0, e);
                return std::pair(zax::GetText(e.PhoneNumber), e);
            });
        });
        InTable("greeting_tables", [&] {
            auto& q = Select<zax::GreetingTableRecord>(db, "greeting_tables", {}, {}, "");
            while (q.Step()) {
                zax::GreetingTableRecord g{};
                ReadColumns(q, 0, g);
                const auto t = static_cast<size_t>(g.TableNumber - 1);
                if (g.TableNumber < 1 || t >= s.greetingTables.size())
                    throw std::runtime_error("table number out of range");
                s.greetingTables[t] = g;
            }
            auto& h =
                Select<zax::HoursEntry>(db, "greeting_hours", "TableNumber, Day, Period", {}, "");
            while (h.Step()) {
                const size_t t = Index(h, 0, zax::GreetingTableCount + 1);
                if (t == 0)
                    throw std::runtime_error("table number out of range");
                auto& table = s.greetingTables[t - 1];
                ReadColumns(
                    h, 3,
                    table.Hours[Index(h, 1, zax::DaysPerWeek)][Index(h, 2, zax::PeriodsPerDay)]);
            }
        });
        InTable("ccr_trees", [&] {
            auto& q = db.Cached("SELECT Tree FROM ccr_trees");
            while (q.Step())
                s.ccrTrees[At<int16_t>(q, 0)];
            auto& p = db.Cached("SELECT Tree, Path FROM ccr_tree_paths");
            while (p.Step()) {
                auto tree = s.ccrTrees.find(At<int16_t>(p, 0));
                if (tree == s.ccrTrees.end())
                    throw std::runtime_error("a path of a tree that does not exist");
                tree->second.insert(p.Text(1));
            }
        });
        InTable("lines", [&] {
            auto& q = Select<zax::LineEntry>(db, "lines", "LineNumber", {}, "ORDER BY LineNumber");
            while (q.Step()) {
                if (q.Int(0) != static_cast<int64_t>(s.lines.size()) + 1)
                    throw std::runtime_error("the lines are not numbered 1, 2, 3 ...");
                ReadColumns(q, 1, s.lines.emplace_back());
            }
        });
        InTable("attendant", [&] { LoadSingle(db, "attendant", s.attendant); });
        InTable("classes_of_service", [&] {
            auto& q = Select<zax::CosRecord>(db, "classes_of_service", {}, {}, "");
            while (q.Step()) {
                zax::CosRecord c{};
                ReadColumns(q, 0, c);
                if (c.ClassNumber < 1 || c.ClassNumber > zax::ClassOfServiceCount)
                    throw std::runtime_error("class number out of range");
                s.classesOfService[static_cast<size_t>(c.ClassNumber - 1)] = c;
            }
        });
        InTable("fax_parameters", [&] { LoadSingle(db, "fax_parameters", s.fax); });
        InTable("system_parameters",
                [&] { LoadSingle(db, "system_parameters", s.systemParameters); });
        InTable("operator_settings",
                [&] { LoadSingle(db, "operator_settings", s.operatorSettings); });
        InTable("dialing_parameters", [&] { LoadSingle(db, "dialing_parameters", s.dialing); });
        InTable("voice_parameters", [&] { LoadSingle(db, "voice_parameters", s.voice); });
        InTable("voice_dialing", [&] { LoadSingle(db, "voice_dialing", s.voiceDialing); });
        InTable("translations", [&] {
            auto& q = db.Cached("SELECT Input, Output FROM translations");
            LoadRows(q, s.translations,
                     [](const Statement& r) { return std::pair(r.Text(0), r.Text(1)); });
        });
        InTable("centrex_restrictions", [&] {
            auto& q = db.Cached("SELECT Digits FROM centrex_restrictions");
            while (q.Step())
                s.centrexRestrictions.insert(q.Text(0));
        });
        InTable("blocking_periods", [&] {
            auto& q = Select<zax::BlockingPeriod>(db, "blocking_periods", "Day, Period", {}, "");
            while (q.Step())
                ReadColumns(q, 2,
                            s.blockingPeriods.Periods[Index(q, 0, zax::DaysPerWeek)]
                                                     [Index(q, 1, zax::PeriodsPerDay)]);
        });
        InTable("network_parameters", [&] { LoadSingle(db, "network_parameters", s.network); });
        InTable("sites", [&] {
            auto& q = Select<zax::NetworkSite>(db, "sites", {}, {}, "");
            LoadRows(q, s.sites, [](const Statement& r) {
                zax::NetworkSite n{};
                ReadColumns(r, 0, n);
                return std::pair(zax::GetText(n.SitePrefix), n);
            });
        });
        InTable("reports", [&] {
            auto& q = db.Cached("SELECT Number, Text FROM reports");
            LoadRows(q, s.reports,
                     [](const Statement& r) { return std::pair(At<int16_t>(r, 0), r.Text(1)); });
        });
        InTable("mailbox_usage", [&] {
            auto& q = Select<UsageCounters>(db, "mailbox_usage", "Number", {}, "");
            LoadRows(q, s.mailboxUsage, [](const Statement& r) {
                UsageCounters u{};
                ReadColumns(r, 1, u);
                return std::pair(r.Text(0), u);
            });
        });
        InTable("port_usage", [&] {
            auto& q = Select<UsageCounters>(db, "port_usage", "LineNumber", {}, "");
            LoadRows(q, s.portUsage, [](const Statement& r) {
                UsageCounters u{};
                ReadColumns(r, 1, u);
                return std::pair(At<int16_t>(r, 0), u);
            });
        });
        for (auto [table, prompts] :
             {std::pair{"aa_prompts", &s.aaPrompts}, std::pair{"sr_prompts", &s.srPrompts}})
            InTable(table, [&, table = table, prompts = prompts] {
                auto& q = db.Cached(std::string("SELECT GreetingTable, Kind, Voice FROM ") + table);
                LoadRows(q, *prompts, [](const Statement& r) {
                    return std::pair(PromptKey{At<int16_t>(r, 0), At<int16_t>(r, 1)}, r.Blob(2));
                });
            });
        InTable("name_recordings", [&] {
            auto& q = db.Cached("SELECT Mailbox, Voice FROM name_recordings");
            LoadRows(q, s.nameRecordings,
                     [](const Statement& r) { return std::pair(r.Text(0), r.Blob(1)); });
        });
        ValidateState(s);
    } catch (const std::exception& e) {
        throw std::runtime_error(name_.string() + ": " + e.what());
    }
    return s;
}

} // namespace zaxsim
