#pragma once
// Mailbox Administration (dialog 137): every mailbox of the server with its
// name, number and type; opens one in the property sheet or deletes it.

#include "ui/TemplateDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace ui {
class ReportListView;
template <class Row> class RowTableModel;
} // namespace ui
namespace Ui {
class MailboxListDialog;
}

namespace mailbox {

struct MailboxListRow;

class MailboxListDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit MailboxListDialog(zax::Session& session, QWidget* parent = nullptr);
    ~MailboxListDialog() override;

    // Reads the whole list from the server. False when a transport failure
    // is ending the program.
    bool Load() override;

    ui::ReportListView* List() const;
    int RowCount() const;
    // The row at `index` in the list's current order; null when out of range.
    const MailboxListRow* RowAt(int index) const;

    void OnChange();
    void OnDelete();
    // Sorts every row by the column's text, ascending, byte by byte.
    void SortBy(int column);

protected:
    bool OnInitDialog() override;

private:
    void CreateColumns();
    void EnableRowButtons(bool enable);

    zax::Session& session_;
    std::unique_ptr<Ui::MailboxListDialog> form_;
    ui::RowTableModel<MailboxListRow>* rows_ = nullptr; // owned by the list
};

} // namespace mailbox
