#include "attendant/OperatorSettingsDialog.h"

#include "attendant/AttendantIds.h"
#include "ui_OperatorSettingsDialog.h"

#include "core/EntryChecks.h"
#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

namespace attendant {

using namespace OperatorCtl;
using zax::OperatorSettings;

OperatorSettingsDialog::OperatorSettingsDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::OperatorSettings, parent), session_(session),
      form_(std::make_unique<Ui::OperatorSettingsDialog>()) {
    form_->setupUi(this);
    using ui::bind::OnOff;
    const int length = session_.systemInfo.ExtensionLength;
    Bind({
        OnOff(AvailableYes, AvailableNo, &OperatorSettings::AttendantAvailable),
        OnOff(BusinessOpenYes, BusinessOpenNo, &OperatorSettings::BusinessOpen),
        OnOff(AnswerLinesYes, AnswerLinesNo, &OperatorSettings::AnswerLines),
        // A request: the box starts clear whatever the server sent.
        ui::bind::Rule<OperatorSettings>(
            ResetPassword, 0,
            [](OperatorSettings& r, const ui::ControlAccess& host) {
                r.ResetOperatorPassword = host.IsChecked(ResetPassword) ? 1 : 0;
                return true;
            },
            [](const OperatorSettings&, ui::ControlAccess& host) {
                host.SetChecked(ResetPassword, false);
            }),
        // Empty means no attendant extension.
        ui::bind::Text(Extension, &OperatorSettings::AttendantExtension,
                       ui::StringId::InvalidAttendantExtension,
                       [length](const std::string& text) {
                           return text.empty() ||
                                  core::CheckMailboxNumber(text, length) == core::FieldValid;
                       }),
    });
}

OperatorSettingsDialog::~OperatorSettingsDialog() = default;

bool OperatorSettingsDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetOperatorSettings(Record()); })
        .Succeeded();
}

void OperatorSettingsDialog::OnOK() {
    const std::optional<OperatorSettings> settings = StoreFields(OperatorSettings{});
    if (!settings)
        return;
    const ui::CallResult result = CallServer([&] {
        const ui::WaitCursor busy;
        return session_.Server().SetOperatorSettings(*settings);
    });
    if (result.Ending())
        return;
    if (!result.Succeeded()) {
        EndDialog(ui::ControlId::Cancel); // the server's refusal ends the dialog
        return;
    }
    if (settings->ResetOperatorPassword)
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::OperatorPasswordReset));
    EndDialog(ui::ControlId::Ok);
}

} // namespace attendant
