#include "ui/TemplateDialog.h"

#include "ui/DataExchange.h"
#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"

#include <QAbstractButton>

namespace ui {

TemplateDialog::TemplateDialog(int templateId, QWidget* parent)
    : ModalBase(parent), ControlAccess(this, templateId) {}

TemplateDialog::~TemplateDialog() = default;

bool TemplateDialog::UpdateData(bool save) {
    DataExchange dx(*this, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

void TemplateDialog::reject() {
    // Escape and the close box route through Cancel, as the Cancel button does.
    OnCancel();
}

bool TemplateDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void TemplateDialog::DoDataExchange(DataExchange&) {}

void TemplateDialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(ControlId::Ok);
    }
}

void TemplateDialog::OnCancel() {
    EndDialog(ControlId::Cancel);
}

int TemplateDialog::HelpContext() const {
    return DialogHelpContext(TemplateId());
}

void TemplateDialog::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialised_ = true;
        if (LanguageModule::HasDialogText(TemplateId(), ControlId::Caption)) {
            setWindowTitle(LanguageModule::DialogText(TemplateId(), ControlId::Caption));
        }
        ApplyTexts();
        ConnectStandardButtons();
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void TemplateDialog::ConnectStandardButtons() {
    // Not every dialog has all three.
    const auto button = [this](int id) {
        return qobject_cast<QAbstractButton*>(FindControl(this, id));
    };
    if (auto* ok = button(ControlId::Ok)) {
        connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    }
    if (auto* cancel = button(ControlId::Cancel)) {
        connect(cancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });
    }
    if (auto* help = button(ControlId::Help)) {
        connect(help, &QAbstractButton::clicked, this, [this] { OnHelp(); });
    }
}

} // namespace ui
