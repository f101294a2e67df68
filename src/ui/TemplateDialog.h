#pragma once
// Base of every dialog: bound to one template id, its controls addressed by
// control id, its texts filled from the active language module when it is
// first shown. A subclass builds its form (Ui:: class) in its constructor and
// sets no visible texts there; OnInitDialog may adjust them afterwards.
// Run() reads from the server (Load) before the dialog is shown.

#include "ui/ControlAccess.h"
#include "ui/ModalBase.h"

namespace ui {

class DataExchange;

class TemplateDialog : public ModalBase, public ControlAccess {
    Q_OBJECT
public:
    explicit TemplateDialog(int templateId, QWidget* parent = nullptr);
    ~TemplateDialog() override;

    // Moves the fields into the controls (save = false) or back (save = true);
    // false when a saved value was refused.
    bool UpdateData(bool save);

    void reject() override;

protected:
    // First showing: texts are in place; the base loads the fields.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& dx);
    virtual void OnOK();     // saves the fields and ends with 1
    virtual void OnCancel(); // ends with 2
    int HelpContext() const override;

    void showEvent(QShowEvent* event) override;

private:
    void ConnectStandardButtons();
    bool initialised_ = false;
};

} // namespace ui
