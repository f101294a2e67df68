#pragma once
// General Networking Parameters (dialog 161): whether this system receives,
// delivers, replies to and broadcasts network messages and offers network
// group lists, and how often and how far apart deliveries are retried.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class GeneralNetworkingDialog;
}

namespace network {

class GeneralNetworkingDialog : public ui::BoundDialog<zax::NetworkParameters> {
    Q_OBJECT
public:
    explicit GeneralNetworkingDialog(zax::Session& session, QWidget* parent = nullptr);
    ~GeneralNetworkingDialog() override;

    // Reads the whole record; false when it could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::GeneralNetworkingDialog> form_;
};

} // namespace network
