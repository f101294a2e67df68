#include "ui/TemplateDialog.h"

#include "ui/DataExchange.h"
#include "ui/LanguageModule.h"
#include "ui/ResourceIds.h"
#include "ui/UiHooks.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace ui {

TemplateDialog::TemplateDialog(int templateId, QWidget* parent)
    : QDialog(parent), ControlAccess(this, templateId) {}

TemplateDialog::~TemplateDialog() = default;

int TemplateDialog::DoModal() {
    return exec();
}

void TemplateDialog::EndDialog(int result) {
    done(result);
}

bool TemplateDialog::UpdateData(bool save) {
    DataExchange dx(*this, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

CallResult TemplateDialog::CallServer(const std::function<std::uint16_t()>& call,
                                      std::span<const StatusMessage> recognised) {
    const CallResult result = GuardServerCall(call, recognised);
    if (result.outcome == CallOutcome::TransportFailure) {
        EndDialog(ControlId::Cancel);
    }
    return result;
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

void TemplateDialog::OnHelp() {
    Hooks().showHelp(DialogHelpContext(TemplateId()));
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

void TemplateDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OnHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TemplateDialog::ConnectStandardButtons() {
    if (auto* ok = ControlAs<QAbstractButton>(ControlId::Ok)) {
        connect(ok, &QAbstractButton::clicked, this, [this] { OnOK(); });
    }
    if (auto* cancel = ControlAs<QAbstractButton>(ControlId::Cancel)) {
        connect(cancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });
    }
    if (auto* help = ControlAs<QAbstractButton>(ControlId::Help)) {
        connect(help, &QAbstractButton::clicked, this, [this] { OnHelp(); });
    }
}

} // namespace ui
