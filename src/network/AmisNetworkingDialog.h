#pragma once
// AMIS-Specific Networking Parameters (dialog 128): this system's own
// number as AMIS peers dial it, the line or pool its AMIS calls go out on,
// and what each message carries.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class AmisNetworkingDialog;
}

namespace network {

class AmisNetworkingDialog : public ui::BoundDialog<zax::NetworkParameters> {
    Q_OBJECT
public:
    explicit AmisNetworkingDialog(zax::Session& session, QWidget* parent = nullptr);
    ~AmisNetworkingDialog() override;

    // Reads the whole record; false when it could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void UpdateControlStates() override;
    void OnOK() override;

private:
    void OnRouteChosen(int radio);

    zax::Session& session_;
    std::unique_ptr<Ui::AmisNetworkingDialog> form_;
};

} // namespace network
