#pragma once
// AMIS-Specific Networking Site Parameters (dialog 163): a site reached by
// dialling it: its name, telephone number, site prefix and the line or pool
// its calls go out on.
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
class AmisSiteDialog;
}

namespace network {

class AmisSiteDialog : public ui::BoundDialog<zax::NetworkSite> {
    Q_OBJECT
public:
    AmisSiteDialog(zax::Session& session, zax::NetworkSite& site, bool adding,
                   QWidget* parent = nullptr);
    ~AmisSiteDialog() override;

protected:
    bool OnInitDialog() override;
    void UpdateControlStates() override;
    void OnOK() override;

private:
    void OnRouteChosen(int radio);

    zax::Session& session_;
    zax::NetworkSite& site_;
    bool adding_;
    std::unique_ptr<Ui::AmisSiteDialog> form_;
};

} // namespace network
