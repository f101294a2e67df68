#include "lists/ClidListDialog.h"

#include "lists/ClidEntryDialog.h"
#include "lists/ListText.h"
#include "lists/ListsIds.h"

#include "server/Enumerate.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <array>
#include <string>

namespace lists {

namespace {

// The name and the shown value of each target type, in ClidTarget order.
struct TargetColumns {
    zax::ClidTarget type;
    int nameId;
    std::string (*value)(const zax::ClidEntry&);
};
constexpr std::array<TargetColumns, 4> kTargets = {{
    {zax::ClidTarget::Table, ListsString::TargetTable,
     [](const zax::ClidEntry& e) { return std::to_string(e.GreetingTable); }},
    {zax::ClidTarget::Extension, ListsString::TargetExtension,
     [](const zax::ClidEntry& e) { return zax::GetText(e.Extension); }},
    {zax::ClidTarget::CcrTree, ListsString::TargetCcrTree,
     [](const zax::ClidEntry& e) { return std::to_string(e.CcrTree); }},
    {zax::ClidTarget::Mailbox, ListsString::TargetMailbox,
     [](const zax::ClidEntry& e) { return zax::GetText(e.Mailbox); }},
}};

} // namespace

ui::EntryRow ClidRow(const zax::ClidEntry& entry) {
    for (const TargetColumns& t : kTargets)
        if (static_cast<int16_t>(t.type) == entry.TargetType)
            return {{zax::GetText(entry.PhoneNumber), ModuleBytes(t.nameId), t.value(entry)}};
    // A type this client does not know is listed by its number.
    return {{zax::GetText(entry.PhoneNumber), std::to_string(entry.TargetType), {}}};
}

ClidListDialog::ClidListDialog(zax::Session& session, QWidget* parent)
    : EntryListDialog(
          ui::DialogId::CallingLineId,
          {ListsString::ColumnPhone, ui::StringId::ColumnType, ListsString::ColumnValue}, false,
          parent),
      session_(session) {}

ui::CallResult ClidListDialog::ReadEntries(const RowSink& sink) {
    zax::VoiceMailServer& server = session_.Server();
    return ui::GuardServerCall([&] {
        return zax::Enumerate<zax::ClidEntry>(
                   [&](zax::ClidEntry& e) { return server.GetClid(e, 1); },
                   [&](zax::ClidEntry& e) { return server.GetNextClid(e); },
                   [&](const zax::ClidEntry& e) { sink(ClidRow(e)); }, zax::StatusClidNoMore)
            .status;
    });
}

std::optional<ui::EntryRow> ClidListDialog::ReadBack(const std::string& phone) {
    zax::ClidEntry entry{};
    zax::SetText(entry.PhoneNumber, phone);
    if (!CallServer([&] { return session_.Server().GetClid(entry, 0); }).Succeeded())
        return std::nullopt;
    return ClidRow(entry);
}

std::optional<ui::EntryRow> ClidListDialog::AddEntry() {
    uint8_t unused = 0;
    if (!CallServer([&] { return session_.Server().CheckClidAdd(unused); }).Succeeded())
        return std::nullopt;
    ClidEntryDialog entry(session_, ui::EntryMode::Add, {}, this);
    if (entry.Run() != ui::ControlId::Ok)
        return std::nullopt;
    return ReadBack(entry.PhoneNumber());
}

std::optional<ui::EntryRow> ClidListDialog::ChangeEntry(const ui::EntryRow& row) {
    ClidEntryDialog entry(session_, ui::EntryMode::Change, row.Key(), this);
    if (entry.Run() != ui::ControlId::Ok)
        return std::nullopt;
    return ReadBack(entry.PhoneNumber());
}

bool ClidListDialog::DeleteEntry(const ui::EntryRow& row) {
    zax::ClidEntry entry{};
    zax::SetText(entry.PhoneNumber, row.Key());
    return CallServer([&] { return session_.Server().DeleteClid(entry); }).Succeeded();
}

} // namespace lists
