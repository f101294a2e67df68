#pragma once
// A tabbed sheet of RecordPages sharing one record, with OK, Cancel, Apply and
// Help. The sheet keeps a modified flag (set by any page, cleared by the
// owner after saving) that enables Apply.
//
// When pages load: a page loads its part of the record the first time it
// becomes active (RecordPage), and only an activated page is applied, so a
// page the administrator never looked at sends its part back as it was read.
// A sheet whose pages must all be applied activates them all as it opens
// (ActivateAllPages); that is the only other way a page loads.
//
// OK and Apply run the apply step of every page that has been active, in page
// order, stopping at the first page that refuses (it comes to the front).
// OK then ends the sheet with 1; the owner saves the record after DoModal.
// Apply calls OnApplied, where the owner saves without closing.

#include "ui/ModalBase.h"

#include <vector>

class QTabWidget;
class QPushButton;

namespace ui {

class RecordPage;

class PropertySheet : public ModalBase {
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

    void EndSheet(int result) { EndDialog(result); }

    bool IsModified() const { return modified_; }
    void SetModified(bool modified);

    // Apply steps of the activated pages; false when one refused.
    bool ApplyPages();
    // The first page whose valid flag is clear, -1 when all are valid.
    int FirstInvalidPage() const;

    void reject() override;
    void ShowApplyButton(bool show);
    // Tabs that do not fit widen the sheet instead of scrolling.
    void KeepAllTabsInSight();

protected:
    virtual void OnOK();
    virtual void OnApplyNow();
    virtual void OnApplied() {} // after a successful Apply
    // A page came to the front (after its first activation has loaded it).
    virtual void OnPageActivated(int /*index*/) {}
    // Activates every page once, in page order, so that each loads the
    // record and OK applies each; then brings `front` to the front (the last
    // page stays there when `front` is not a page).
    void ActivateAllPages(int front);
    int HelpContext() const override;
    void showEvent(QShowEvent* event) override;

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
