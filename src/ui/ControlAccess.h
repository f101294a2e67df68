#pragma once
// Access to the controls of a template by control id. Every widget of a form
// that the code addresses carries its id in the dynamic property "ctrlId".

#include <QString>
#include <QWidget>

namespace ui {

inline constexpr char kCtrlIdProperty[] = "ctrlId";

// The descendant of root whose ctrlId is id, or null.
QWidget* FindControl(const QWidget* root, int id);

// Fills the texts of root's controls from the active module's texts of
// templateId. Controls the module has no text for keep theirs.
void ApplyTemplateTexts(QWidget* root, int templateId);

class ControlAccess {
public:
    ControlAccess(QWidget* root, int templateId) : root_(root), templateId_(templateId) {}

    int TemplateId() const { return templateId_; }
    // The control with that id. Asking for an id the form does not have is
    // a fault in the caller (a typo would send an empty field): it is
    // reported as a warning, which fails every test that meets it.
    QWidget* Control(int id) const;
    template <class T> T* ControlAs(int id) const { return qobject_cast<T*>(Control(id)); }

    // Text of an edit, combo box, button, label or group box; empty if absent.
    QString ControlText(int id) const;
    void SetControlText(int id, const QString& text);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    void EnableControl(int id, bool enable);
    void ShowControl(int id, bool show);
    void FocusControl(int id);
    // The selected entry of a drop-down list (-1 for none) and its size.
    int CurrentIndex(int id) const;
    void SetCurrentIndex(int id, int index);
    int ItemCount(int id) const;

    // Re-reads every text of the template from the active module.
    void ApplyTexts();

protected:
    ~ControlAccess() = default;

private:
    QWidget* root_;
    int templateId_;
};

// Disables the control and hides it.
void DisableAndHide(ControlAccess& host, int controlId);

} // namespace ui
