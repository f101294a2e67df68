#pragma once
// Base of every dialog: bound to one template id, its controls addressed by
// control id, its texts filled from the active language module when it is
// first shown. A subclass builds its form (Ui:: class) in its constructor and
// sets no visible texts there; OnInitDialog may adjust them afterwards.
//
// Results follow the platform's convention: 1 for OK, 2 for Cancel.

#include "ui/ControlAccess.h"
#include "ui/ServerCallGuard.h"

#include <QDialog>

namespace ui {

class DataExchange;

class TemplateDialog : public QDialog, public ControlAccess {
    Q_OBJECT
public:
    explicit TemplateDialog(int templateId, QWidget* parent = nullptr);
    ~TemplateDialog() override;

    // Runs the dialog modally and returns the code it ended with.
    int DoModal();
    void EndDialog(int result);

    // Moves the fields into the controls (save = false) or back (save = true);
    // false when a saved value was refused.
    bool UpdateData(bool save);

    // A server call by the program's convention; a transport failure also
    // ends this dialog with Cancel.
    CallResult CallServer(const std::function<std::uint16_t()>& call,
                          std::span<const StatusMessage> recognised = {});

    void reject() override;

protected:
    // First showing: texts are in place; the base loads the fields.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& dx);
    virtual void OnOK();     // saves the fields and ends with 1
    virtual void OnCancel(); // ends with 2
    virtual void OnHelp();   // shows this template's help topic

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ConnectStandardButtons();
    bool initialised_ = false;
};

} // namespace ui
