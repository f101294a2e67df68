#pragma once
// Add Network Site (dialog 164): the kind of the new site, AMIS or SMTP.
// It opens only while the server's site table has room; OK sets the type of
// the site administration's working record.

#include "server/Records.h"
#include "ui/TemplateDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class AddNetworkSiteDialog;
}

namespace network {

class AddNetworkSiteDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    AddNetworkSiteDialog(zax::Session& session, zax::NetworkSite& site, QWidget* parent = nullptr);
    ~AddNetworkSiteDialog() override;

    // False when the table is full or the server cannot say (the reason has
    // been shown).
    bool Load() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    zax::Session& session_;
    zax::NetworkSite& site_;
    std::unique_ptr<Ui::AddNetworkSiteDialog> form_;
};

} // namespace network
