#pragma once
// Dialing Translation Parameters (dialog 181): the long distance access
// code, the area code, the access code and whether replies are translated.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class DialingParametersDialog;
}

namespace lists {

class DialingParametersDialog : public ui::BoundDialog<zax::DialingParameters> {
    Q_OBJECT
public:
    explicit DialingParametersDialog(zax::Session& session, QWidget* parent = nullptr);
    ~DialingParametersDialog() override;

    bool Load() override;

protected:
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::DialingParametersDialog> form_;
};

} // namespace lists
