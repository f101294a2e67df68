#include "ui/RecordPage.h"

#include "ui/DataExchange.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/PropertySheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace ui {

RecordPage::RecordPage(int templateId, QWidget* parent)
    : QWidget(parent), ControlAccess(this, templateId) {}

RecordPage::~RecordPage() = default;

void RecordPage::OnControlChanged(int) {
    UpdateData(true);
    UpdateControlStates();
    SetModified(true);
}

bool RecordPage::OnApply() {
    return UpdateData(true);
}

bool RecordPage::Accept() {
    SetValid(true);
    return true;
}

bool RecordPage::Refuse(int controlId, int messageId) {
    SetValid(false);
    FocusControl(controlId);
    if (messageId != 0) {
        ShowMessage(LanguageModule::String(messageId), kStyleWarning);
    }
    return false;
}

void RecordPage::HideControls(std::initializer_list<int> controlIds) {
    for (int id : controlIds) {
        DisableAndHide(*this, id);
    }
}

void RecordPage::SetModified(bool modified) {
    modified_ = modified;
    if (modified && sheet_ != nullptr) {
        sheet_->SetModified(true);
    }
}

bool RecordPage::UpdateData(bool save) {
    DataExchange dx(*this, save);
    DoDataExchange(dx);
    return !dx.Failed();
}

void RecordPage::DoDataExchange(DataExchange&) {}

void RecordPage::Activate() {
    if (!activated_) {
        activated_ = true;
        ApplyTexts();
        LoadFromRecord();
        UpdateControlStates();
    }
    UpdateData(false);
    OnSetActive();
}

void RecordPage::WatchControls() {
    const auto children = findChildren<QWidget*>();
    for (QWidget* w : children) {
        const QVariant id = w->property(kCtrlIdProperty);
        if (!id.isValid()) {
            continue;
        }
        const int controlId = id.toInt();
        const auto changed = [this, controlId] { OnControlChanged(controlId); };
        // Only user actions count: loading the fields must not mark the page modified.
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            connect(edit, &QLineEdit::textEdited, this, changed);
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button != nullptr && button->isCheckable()) {
            connect(button, &QAbstractButton::clicked, this, changed);
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            connect(combo, &QComboBox::activated, this, changed);
            if (combo->isEditable()) {
                connect(combo, &QComboBox::editTextChanged, this, [combo, changed] {
                    if (combo->hasFocus()) {
                        changed();
                    }
                });
            }
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            connect(list, &QListWidget::itemClicked, this, changed);
        }
    }
}

} // namespace ui
