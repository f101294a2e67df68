#pragma once
// Fax Group List Parameters (dialog 160): one new fax member, reached by a
// line or a pool with a telephone number, or by an extension. Nothing is
// sent from here: the member editor sends its members when its OK is pressed.

#include "server/Records.h"
#include "ui/EntryDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class FaxMemberDialog;
}

namespace lists {

class FaxMemberDialog : public ui::EntryDialog<zax::GroupListRecord> {
    Q_OBJECT
public:
    explicit FaxMemberDialog(zax::Session& session, QWidget* parent = nullptr);
    ~FaxMemberDialog() override;

    // Chooses the route by its radio button, as a click on it does.
    void ChooseRoute(int radio);

protected:
    bool OnInitDialog() override;
    bool Save(const zax::GroupListRecord&) override { return true; }

private:
    zax::Session& session_;
    std::unique_ptr<Ui::FaxMemberDialog> form_;
};

} // namespace lists
