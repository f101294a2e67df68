#pragma once
// Digital-specific Networking Parameters (dialog 162): the SMTP proxy the
// server sends through and the local prefix that routes numbers to it.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class DigitalNetworkingDialog;
}

namespace network {

class DigitalNetworkingDialog : public ui::BoundDialog<zax::NetworkParameters> {
    Q_OBJECT
public:
    explicit DigitalNetworkingDialog(zax::Session& session, QWidget* parent = nullptr);
    ~DigitalNetworkingDialog() override;

    // Reads the whole record; false when it could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::DigitalNetworkingDialog> form_;
};

} // namespace network
