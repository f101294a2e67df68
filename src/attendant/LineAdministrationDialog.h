#pragma once
// Line Administration (dialog 139): every line of the system with whether
// the server answers it, after how many rings and with which greeting
// table; one line or a range of lines is changed from here.

#include "ui/TemplateDialog.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zax {
struct Session;
struct LineEntry;
} // namespace zax
namespace ui {
class ReportListView;
template <class Row> class RowTableModel;
} // namespace ui
namespace Ui {
class LineAdministrationDialog;
}

namespace attendant {

// One row: the line number in three digits (the row's key) and its values
// as shown.
struct LineRow {
    std::string line;
    std::string answer; // the module's "Yes" or "No" (UTF-8)
    std::string rings;
    std::string table;
};

class LineAdministrationDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit LineAdministrationDialog(zax::Session& session, QWidget* parent = nullptr);
    ~LineAdministrationDialog() override;

    // Reads every line in one call. False when the list cannot open (the
    // failure has been reported).
    bool Load() override;

    ui::ReportListView* List() const;
    int RowCount() const;
    const LineRow* RowAt(int index) const;

    void OnChange();
    void OnChangeMany();

protected:
    bool OnInitDialog() override;

private:
    LineRow RowOf(int line, const zax::LineEntry& entry) const;
    // Reads the line again and shows it in its row, selected; false when it
    // could not be read (the list is then closing).
    bool RefreshLine(int line);

    zax::Session& session_;
    std::unique_ptr<Ui::LineAdministrationDialog> form_;
    ui::RowTableModel<LineRow>* rows_ = nullptr; // owned by the list
};

} // namespace attendant
