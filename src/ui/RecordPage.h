#pragma once
// Base of every property page that edits one record shared by its sheet.
//
// Protocol: the first time a page becomes active it calls LoadFromRecord, then
// UpdateControlStates, then shows its fields; later activations only show the
// fields again. A page that was never active is never applied, so its part of
// the record goes back as it was read. A change in a control calls
// OnControlChanged, which reads the controls into the fields, updates the
// control states and marks the page (and so the sheet) modified.

#include "ui/ControlAccess.h"

#include <QWidget>

namespace ui {

class DataExchange;
class PropertySheet;

class RecordPage : public QWidget, public ControlAccess {
    Q_OBJECT
public:
    explicit RecordPage(int templateId, QWidget* parent = nullptr);
    ~RecordPage() override;

    virtual bool IsPageValid() const { return valid_; }
    virtual void UpdateControlStates() {}
    virtual void LoadFromRecord() {}
    virtual void OnControlChanged();

    // The apply step (OK or Apply): check the fields in order and store them
    // into the record. Return false to keep the sheet open on this page.
    virtual bool OnApply();
    // Leaving the page for another tab; false keeps it in front.
    virtual bool OnKillActive() { return true; }

    bool WasActivated() const { return activated_; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified = true);

    // Moves the fields into the controls (save = false) or back.
    bool UpdateData(bool save);

    // Called by the sheet when the page comes to the front.
    void Activate();
    void SetSheet(PropertySheet* sheet) { sheet_ = sheet; }
    PropertySheet* Sheet() const { return sheet_; }

protected:
    void SetValid(bool valid) { valid_ = valid; }
    virtual void DoDataExchange(DataExchange& dx);

    // Connects every control carrying a control id so that user edits, clicks
    // and selections call OnControlChanged. Call once the form is set up.
    void WatchControls();

private:
    PropertySheet* sheet_ = nullptr;
    bool valid_ = false;
    bool activated_ = false;
    bool modified_ = false;
};

} // namespace ui
