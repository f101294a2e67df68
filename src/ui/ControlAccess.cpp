#include "ui/ControlAccess.h"

#include "ui/LanguageModule.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace ui {

QWidget* FindControl(const QWidget* root, int id) {
    if (root == nullptr) {
        return nullptr;
    }
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* w : children) {
        const QVariant v = w->property(kCtrlIdProperty);
        if (v.isValid() && v.toInt() == id) {
            return w;
        }
    }
    return nullptr;
}

QWidget* ControlAccess::Control(int id) const {
    QWidget* control = FindControl(root_, id);
    if (control == nullptr) {
        qWarning("template %d has no control %d", templateId_, id);
    }
    return control;
}

namespace {

bool SetWidgetText(QWidget* w, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->isEditable()) {
        combo->setEditText(text);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
        plain->setPlainText(text);
    } else {
        return false;
    }
    return true;
}

QString WidgetText(const QWidget* w) {
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        return label->text();
    }
    if (auto* group = qobject_cast<const QGroupBox*>(w)) {
        return group->title();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
        return edit->text();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        return combo->currentText();
    }
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(w)) {
        return plain->toPlainText();
    }
    return {};
}

} // namespace

void ApplyTemplateTexts(QWidget* root, int templateId) {
    if (root == nullptr) {
        return;
    }
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* w : children) {
        const QVariant v = w->property(kCtrlIdProperty);
        if (!v.isValid()) {
            continue;
        }
        const int id = v.toInt();
        if (id != 0 && LanguageModule::HasDialogText(templateId, id)) {
            SetWidgetText(w, LanguageModule::DialogText(templateId, id));
        }
    }
}

QString ControlAccess::ControlText(int id) const {
    const QWidget* w = Control(id);
    return w != nullptr ? WidgetText(w) : QString();
}

void ControlAccess::SetControlText(int id, const QString& text) {
    if (QWidget* w = Control(id)) {
        SetWidgetText(w, text);
    }
}

bool ControlAccess::IsChecked(int id) const {
    const auto* button = ControlAs<QAbstractButton>(id);
    return button != nullptr && button->isChecked();
}

void ControlAccess::SetChecked(int id, bool checked) {
    if (auto* button = ControlAs<QAbstractButton>(id)) {
        button->setChecked(checked);
    }
}

void ControlAccess::EnableControl(int id, bool enable) {
    if (QWidget* w = Control(id)) {
        w->setEnabled(enable);
    }
}

void ControlAccess::ShowControl(int id, bool show) {
    if (QWidget* w = Control(id)) {
        w->setVisible(show);
    }
}

int ControlAccess::CurrentIndex(int id) const {
    const auto* combo = qobject_cast<const QComboBox*>(Control(id));
    return combo != nullptr ? combo->currentIndex() : -1;
}

void ControlAccess::SetCurrentIndex(int id, int index) {
    if (auto* combo = qobject_cast<QComboBox*>(Control(id))) {
        combo->setCurrentIndex(index < combo->count() ? index : -1);
    }
}

int ControlAccess::ItemCount(int id) const {
    const auto* combo = qobject_cast<const QComboBox*>(Control(id));
    return combo != nullptr ? combo->count() : 0;
}

void ControlAccess::FocusControl(int id) {
    if (QWidget* w = Control(id)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->selectAll();
        }
    }
}

void ControlAccess::ApplyTexts() {
    ApplyTemplateTexts(root_, templateId_);
}

void DisableAndHide(ControlAccess& host, int controlId) {
    host.EnableControl(controlId, false);
    host.ShowControl(controlId, false);
}

} // namespace ui
