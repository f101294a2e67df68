#include "lists/AddGroupListDialog.h"

#include "lists/GroupListDialog.h"
#include "lists/ListsIds.h"
#include "ui_AddGroupListDialog.h"

#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace lists {

using namespace AddGroupCtl;

AddGroupListDialog::AddGroupListDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::AddGroupList, parent), session_(session),
      form_(std::make_unique<Ui::AddGroupListDialog>()) {
    form_->setupUi(this);
}

AddGroupListDialog::~AddGroupListDialog() = default;

bool AddGroupListDialog::Load() {
    zax::VoiceMailServer& server = session_.Server();
    const ui::StatusMessage full[] = {{zax::StatusNoEntry, ui::StringId::NoGroupLists}};
    const auto kind = static_cast<int16_t>(zax::EntryKind::GroupList);
    if (!ui::GuardServerCall([&] { return server.CheckFreeEntry(kind); }, full).Succeeded())
        return false;
    return ui::GuardServerCall([&] { return server.GetFreeGroupListNumber(number_); }).Succeeded();
}

bool AddGroupListDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    SetChecked(Voice, true);
    SetControlText(Number, QString::number(number_));
    return true;
}

// The list exists only once the member editor's OK has created it; this
// dialog closes either way.
void AddGroupListDialog::OnOK() {
    const auto kind = IsChecked(Fax) ? zax::GroupListKind::Fax : zax::GroupListKind::Voice;
    GroupListDialog editor(session_, std::to_string(number_), kind, this);
    if (editor.Run() == ui::ControlId::Ok)
        row_ = editor.Row();
    EndDialog(ui::ProgramIsEnding() ? ui::ControlId::Cancel : ui::ControlId::Ok);
}

} // namespace lists
