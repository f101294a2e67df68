#pragma once
// Site Administration (dialog 155): the network sites in the server's
// order with their name, prefix and type; adds, changes and deletes them.
// The dialog keeps one working record that the site dialogs edit: it is
// cleared before every add, change and delete, so nothing one site left in
// it reaches another.

#include "server/Records.h"
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
class SiteAdministrationDialog;
}

namespace network {

struct SiteListRow;

class SiteAdministrationDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit SiteAdministrationDialog(zax::Session& session, QWidget* parent = nullptr);
    ~SiteAdministrationDialog() override;

    // Reads every site; false when the list could not be read (the failure
    // has been reported).
    bool Load() override;

    ui::ReportListView* List() const;
    int RowCount() const;
    const SiteListRow* RowAt(int index) const;

    void OnAdd();
    void OnChange();
    void OnDelete();

protected:
    bool OnInitDialog() override;

private:
    // Runs the site dialog of the working record's type; true on OK.
    bool RunSiteDialog(bool adding);
    void EnableRowButtons(bool enable);
    const SiteListRow* Selected() const;

    zax::Session& session_;
    zax::NetworkSite site_{}; // the working record
    std::unique_ptr<Ui::SiteAdministrationDialog> form_;
    ui::RowTableModel<SiteListRow>* rows_ = nullptr; // owned by the list
};

} // namespace network
