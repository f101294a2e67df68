#pragma once
// A tabbed sheet of RecordPages sharing one record, with OK, Cancel, Apply and
// Help. The sheet keeps a modified flag (set by any page, cleared by the
// owner after saving) that enables Apply.
//
// OK and Apply run the apply step of every page that has been active, in page
// order, stopping at the first page that refuses (it comes to the front).
// OK then ends the sheet with 1; the owner saves the record after DoModal.
// Apply calls OnApplied, where the owner saves without closing.

#include "ui/ServerCallGuard.h"

#include <QDialog>

#include <vector>

class QTabWidget;
class QPushButton;

namespace ui {

class RecordPage;

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit PropertySheet(const QString& caption, QWidget* parent = nullptr);
    ~PropertySheet() override;

    // Adds a page (the sheet takes it over); its tab label is its template's caption.
    void AddPage(RecordPage* page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    RecordPage* Page(int index) const;
    int ActiveIndex() const;
    // Brings a page to the front, activating it (first activation loads it).
    void SetActivePage(int index);

    int DoModal();
    void EndSheet(int result);

    bool IsModified() const { return modified_; }
    void SetModified(bool modified);

    // Apply steps of the activated pages; false when one refused.
    bool ApplyPages();
    // The first page whose valid flag is clear, -1 when all are valid.
    int FirstInvalidPage() const;

    // A server call by the program's convention; a transport failure also
    // ends the sheet with Cancel.
    CallResult CallServer(const std::function<std::uint16_t()>& call,
                          std::span<const StatusMessage> recognised = {});

    void reject() override;
    void ShowApplyButton(bool show);

protected:
    virtual void OnOK();
    virtual void OnApplyNow();
    virtual void OnApplied() {} // after a successful Apply
    virtual void OnHelp();
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTabChanged(int index);
    void Retranslate();

    QTabWidget* tabs_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* apply_;
    QPushButton* help_;
    std::vector<RecordPage*> pages_;
    int shownIndex_ = -1;
    bool modified_ = false;
};

} // namespace ui
