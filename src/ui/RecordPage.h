#pragma once
// Base of every property page that edits one record shared by its sheet.
//
// Protocol: the first time a page becomes active it calls LoadFromRecord, then
// UpdateControlStates, then shows its fields; later activations only show the
// fields again. Every activation ends with OnSetActive. A page that was never
// active is never applied, so its part of the record goes back as it was
// read. A change in a control calls OnControlChanged, which reads the
// controls into the fields, updates the control states and marks the page
// (and so the sheet) modified.
//
// UpdateControlStates runs on every keystroke: it may enable, disable, hide
// and clear controls, but never moves the focus or the selection, which
// would turn the next keystroke into a replacement of what was typed.

#include "ui/ControlAccess.h"
#include "ui/RecordBinding.h"

#include <QWidget>

#include <initializer_list>
#include <memory>

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
    // The administrator changed the control `controlId`.
    virtual void OnControlChanged(int controlId);

    // The apply step (OK or Apply): check the fields in order and store them
    // into the record. Return false to keep the sheet open on this page.
    virtual bool OnApply();
    // Leaving the page for another tab; false keeps it in front.
    virtual bool OnKillActive() { return true; }
    // The page has come to the front (after its first activation loaded it).
    virtual void OnSetActive() {}

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

    // The apply step's two ends: Accept sets the valid flag; Refuse clears
    // it, puts the focus on the control and shows the message.
    bool Accept();
    bool Refuse(int controlId, int messageId);

    // Hides and disables each control (a field with its label).
    void HideControls(std::initializer_list<int> controlIds);

    // Connects every control carrying a control id so that user edits, clicks
    // and selections call OnControlChanged. Call once the form is set up.
    void WatchControls();

private:
    PropertySheet* sheet_ = nullptr;
    bool valid_ = false;
    bool activated_ = false;
    bool modified_ = false;
};

// A page whose fields are a binding table over the sheet's record R: it loads
// the table on its first activation and applies it in table order.
template <class R> class BoundPage : public RecordPage {
public:
    BoundPage(int templateId, R& record) : RecordPage(templateId), record_(record) {}

    void LoadFromRecord() override { LoadBindings<R>(bindings_, record_, *this); }
    bool OnApply() override {
        if (const Binding<R>* refused = StoreBindings<R>(bindings_, record_, *this)) {
            return Refuse(refused->control, refused->message);
        }
        return Accept();
    }

protected:
    R& Record() { return record_; }
    const R& Record() const { return record_; }
    void Bind(BindingTable<R> table) { bindings_ = std::move(table); }

private:
    R& record_;
    BindingTable<R> bindings_;
};

// A page over its generated form: builds the form in the constructor and
// watches its controls, so a page class holds only its own rules.
template <class Form, class Page> class FormPage : public Page {
public:
    template <class... Args>
    explicit FormPage(Args&&... args)
        : Page(std::forward<Args>(args)...), form_(std::make_unique<Form>()) {
        form_->setupUi(this);
        this->WatchControls();
    }

protected:
    Form& Ui() { return *form_; }

private:
    std::unique_ptr<Form> form_;
};

} // namespace ui
