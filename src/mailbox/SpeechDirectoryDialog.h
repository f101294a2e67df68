#pragma once
// Speech Recognition Directory (dialog 145): every name callers may say to
// reach a mailbox, sortable by any column; opens a mailbox's speech settings
// in the mailbox property sheet and plays a recorded name.

#include "mailbox/DirectoryVoice.h"
#include "ui/TemplateDialog.h"

#include <array>
#include <memory>
#include <string>

namespace zax {
struct Session;
struct EntrySummary;
} // namespace zax
namespace ui {
class ReportListView;
template <class Row> class RowTableModel;
} // namespace ui
namespace Ui {
class SpeechDirectoryDialog;
}

namespace mailbox {

struct DirectoryRow;

class SpeechDirectoryDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    SpeechDirectoryDialog(zax::Session& session, DirectoryVoice voice, QWidget* parent = nullptr);
    SpeechDirectoryDialog(zax::Session& session, QWidget* parent = nullptr);
    ~SpeechDirectoryDialog() override;

    // Reads every entry; false when the program is ending.
    bool Load() override;

    ui::ReportListView* List() const;
    int RowCount() const;
    // The row at `index` in the list's current order; null when out of range.
    const DirectoryRow* RowAt(int index) const;

    void OnProperties();
    void OnPlayName();

protected:
    bool OnInitDialog() override;

private:
    void CreateColumns();
    void Reload();
    void OnRowSelected();
    const DirectoryRow* SelectedRow() const;

    zax::Session& session_;
    DirectoryVoice voice_;
    std::unique_ptr<Ui::SpeechDirectoryDialog> form_;
    ui::RowTableModel<DirectoryRow>* rows_ = nullptr; // owned by the list
    // The texts the Type column and the flag columns show.
    std::array<std::string, 3> kindTexts_;
    std::string yes_;
};

} // namespace mailbox
