#pragma once
// Digital-Specific Networking Site Parameters (dialog 131): a site reached
// by SMTP: its name, host name, site prefix, mailbox prefix and the voice
// format its messages travel in.
//
// It edits the site administration's working record: in change mode the
// record holds the site as read; on a successful save the record holds what
// was saved, which the list then shows.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class DigitalSiteDialog;
}

namespace network {

class DigitalSiteDialog : public ui::BoundDialog<zax::NetworkSite> {
    Q_OBJECT
public:
    DigitalSiteDialog(zax::Session& session, zax::NetworkSite& site, bool adding,
                      QWidget* parent = nullptr);
    ~DigitalSiteDialog() override;

    // Asks whether the server offers VPIM; false only when a transport
    // failure is ending the program.
    bool Load() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    zax::Session& session_;
    zax::NetworkSite& site_;
    bool adding_;
    uint8_t vpimAvailable_ = 0;
    std::unique_ptr<Ui::DigitalSiteDialog> form_;
};

} // namespace network
