#pragma once
// The entry dialog of a keyed table (EntryListDialog.h): it opens to add an
// entry or to change one, checks its fields in table order (RecordBinding.h)
// when OK is pressed, and hands the checked record to Save, which makes the
// server calls. The dialog closes with OK only when Save says so, so a
// refusal keeps what was typed for another try.

#include "ui/BoundDialog.h"
#include "ui/ResourceIds.h"

#include <optional>

namespace ui {

enum class EntryMode { Add, Change };

template <class R> class EntryDialog : public BoundDialog<R> {
public:
    EntryDialog(int templateId, EntryMode mode, QWidget* parent = nullptr)
        : BoundDialog<R>(templateId, parent), mode_(mode) {}

    EntryMode Mode() const { return mode_; }
    bool Adding() const { return mode_ == EntryMode::Add; }
    // The record Save accepted; set when the dialog ended with OK.
    const std::optional<R>& Accepted() const { return accepted_; }

protected:
    // Makes the server calls for the checked record; true closes the dialog
    // with OK (the failure has been reported when it does not).
    virtual bool Save(const R& record) = 0;
    // What the checked fields are stored into; the record as read by default.
    virtual R StartRecord() const { return this->Record(); }

    void OnOK() override {
        const std::optional<R> record = this->StoreFields(StartRecord());
        if (!record || !Save(*record))
            return;
        accepted_ = record;
        this->EndDialog(ControlId::Ok);
    }

private:
    EntryMode mode_;
    std::optional<R> accepted_;
};

} // namespace ui
