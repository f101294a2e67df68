#pragma once
// A dialog that edits one record the server holds: read before the dialog
// is shown, its fields a binding table (RecordBinding.h) loaded into the
// controls at the first showing and stored back in table order when the
// administrator confirms. The table order is the checking order; the first
// row that refuses gets the focus and shows its message.

#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordBinding.h"
#include "ui/TemplateDialog.h"

#include <optional>

namespace ui {

template <class R> class BoundDialog : public TemplateDialog {
public:
    using TemplateDialog::TemplateDialog;

protected:
    // The record as read; Load fills it.
    R& Record() { return record_; }
    const R& Record() const { return record_; }
    void Bind(BindingTable<R> table) { bindings_ = std::move(table); }

    bool OnInitDialog() override {
        TemplateDialog::OnInitDialog();
        LoadBindings<R>(bindings_, record_, *this);
        UpdateControlStates();
        return true;
    }

    // Enables and disables controls from what the controls show now.
    virtual void UpdateControlStates() {}

    // The table stored into `start`: the record to send, or nothing when a
    // row refused (its message has been shown).
    std::optional<R> StoreFields(R start) {
        if (const Binding<R>* refused = StoreBindings<R>(bindings_, start, *this)) {
            FocusControl(refused->control);
            if (refused->message != 0) {
                ShowMessage(LanguageModule::String(refused->message), kStyleWarning);
            }
            return std::nullopt;
        }
        return start;
    }

private:
    R record_{};
    BindingTable<R> bindings_;
};

} // namespace ui
