#pragma once
// Fax Parameters (dialog 116, "Fa&x"): the system's fax extension and name,
// and how often and how far apart fax deliveries are retried.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class FaxParametersDialog;
}

namespace attendant {

class FaxParametersDialog : public ui::BoundDialog<zax::FaxParameters> {
    Q_OBJECT
public:
    explicit FaxParametersDialog(zax::Session& session, QWidget* parent = nullptr);
    ~FaxParametersDialog() override;

    // Reads the parameters; false when they could not be read (the failure
    // has been reported).
    bool Load() override;

protected:
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::FaxParametersDialog> form_;
};

} // namespace attendant
