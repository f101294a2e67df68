#pragma once
// Dialing Translation Table (dialog 144): the pairs of input and output
// digit strings, and "&Parameters" for the dialing translation parameters.

#include "ui/EntryListDialog.h"

namespace zax {
struct Session;
}

namespace lists {

class TranslationListDialog : public ui::EntryListDialog {
    Q_OBJECT
public:
    explicit TranslationListDialog(zax::Session& session, QWidget* parent = nullptr);

protected:
    ui::CallResult ReadEntries(const RowSink& sink) override;
    std::optional<ui::EntryRow> AddEntry() override;
    std::optional<ui::EntryRow> ChangeEntry(const ui::EntryRow& row) override;
    bool DeleteEntry(const ui::EntryRow& row) override;
    void OnExtra() override;

private:
    zax::Session& session_;
};

} // namespace lists
