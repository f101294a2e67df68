#include "ui/RecordPage.h"

#include "ui/DataExchange.h"
#include "ui/PropertySheet.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace ui {

RecordPage::RecordPage(int templateId, QWidget* parent)
    : QWidget(parent), ControlAccess(this, templateId) {}

RecordPage::~RecordPage() = default;

void RecordPage::OnControlChanged() {
    UpdateData(true);
    UpdateControlStates();
    SetModified(true);
}

bool RecordPage::OnApply() {
    return UpdateData(true);
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
}

void RecordPage::WatchControls() {
    const auto children = findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (!w->property(kCtrlIdProperty).isValid()) {
            continue;
        }
        // Only user actions count: loading the fields must not mark the page modified.
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            connect(edit, &QLineEdit::textEdited, this, [this] { OnControlChanged(); });
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button != nullptr && button->isCheckable()) {
            connect(button, &QAbstractButton::clicked, this, [this] { OnControlChanged(); });
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            connect(combo, &QComboBox::activated, this, [this] { OnControlChanged(); });
            if (combo->isEditable()) {
                connect(combo, &QComboBox::editTextChanged, this, [this, combo] {
                    if (combo->hasFocus()) {
                        OnControlChanged();
                    }
                });
            }
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            connect(list, &QListWidget::itemClicked, this, [this] { OnControlChanged(); });
        }
    }
}

} // namespace ui
