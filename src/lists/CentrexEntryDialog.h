#pragma once
// Centrex Transfer Restriction (dialog 142): one restriction added or
// changed. A restriction is its own key, so a change is a delete and an
// add; the old value goes back when the add is refused.

#include "server/Records.h"
#include "ui/EntryDialog.h"

#include <memory>
#include <string>

namespace zax {
struct Session;
}
namespace Ui {
class CentrexEntryDialog;
}

namespace lists {

struct CentrexRestriction {
    char Digits[zax::CentrexRestrictionSize];
};

class CentrexEntryDialog : public ui::EntryDialog<CentrexRestriction> {
    Q_OBJECT
public:
    // `old`: the restriction to change (change mode); ignored when adding.
    CentrexEntryDialog(zax::Session& session, ui::EntryMode mode, const std::string& old,
                       QWidget* parent = nullptr);
    ~CentrexEntryDialog() override;

protected:
    bool Save(const CentrexRestriction& restriction) override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::CentrexEntryDialog> form_;
    std::string old_;
};

} // namespace lists
