#include "lists/GroupListsDialog.h"

#include "lists/AddGroupListDialog.h"
#include "lists/GroupListDialog.h"
#include "lists/ListsIds.h"

#include "server/Enumerate.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace lists {

GroupListsDialog::GroupListsDialog(zax::Session& session, QWidget* parent)
    : EntryListDialog(
          ui::DialogId::GroupLists,
          {ListsString::ColumnGroupList, ui::StringId::ColumnName, ui::StringId::ColumnType}, false,
          parent),
      session_(session) {}

ui::CallResult GroupListsDialog::ReadEntries(const RowSink& sink) {
    zax::VoiceMailServer& server = session_.Server();
    const auto kind = static_cast<int16_t>(zax::EntryKind::GroupList);
    return ui::GuardServerCall([&] {
        return zax::Enumerate<zax::EntrySummary>(
                   [&](zax::EntrySummary& e) { return server.FindFirstEntry(e, kind, 0); },
                   [&](zax::EntrySummary& e) { return server.FindNextEntry(e); },
                   [&](const zax::EntrySummary& e) {
                       sink(GroupListRow(zax::GetText(e.Number), zax::GetText(e.Name),
                                         e.GroupKind == 0 ? zax::GroupListKind::Voice
                                                          : zax::GroupListKind::Fax));
                   })
            .status;
    });
}

std::optional<ui::EntryRow> GroupListsDialog::AddEntry() {
    AddGroupListDialog add(session_, this);
    if (add.Run() != ui::ControlId::Ok)
        return std::nullopt;
    return add.Row();
}

std::optional<ui::EntryRow> GroupListsDialog::ChangeEntry(const ui::EntryRow& row) {
    GroupListDialog editor(session_, row.Key(), std::nullopt, this);
    if (editor.Run() != ui::ControlId::Ok)
        return std::nullopt;
    return editor.Row();
}

bool GroupListsDialog::DeleteEntry(const ui::EntryRow& row) {
    zax::GroupListRecord record{};
    zax::SetText(record.ListNumber, row.Key());
    return CallServer([&] { return session_.Server().DeleteGroupList(record); }).Succeeded();
}

} // namespace lists
