#pragma once
// AMIS Networking Call Blocking Periods (dialog 130): for each day of the
// week, four periods during which no AMIS calls are placed. The whole week
// is held while the dialog is open and the rows show the chosen day; a day
// whose times do not all read cannot be left, neither for another day nor
// for OK.

#include "server/Records.h"
#include "ui/TemplateDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class BlockingPeriodsDialog;
}

namespace network {

class BlockingPeriodsDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    // The clock form follows the active language module: 12-hour where it
    // has AM and PM texts, 24-hour otherwise.
    explicit BlockingPeriodsDialog(zax::Session& session, QWidget* parent = nullptr);
    BlockingPeriodsDialog(zax::Session& session, bool twelveHour, QWidget* parent = nullptr);
    ~BlockingPeriodsDialog() override;

    // Reads the week; false when it could not be read (the failure has been
    // reported).
    bool Load() override;

    int ShownDay() const { return day_; } // 0 Monday .. 6 Sunday
    const zax::BlockingPeriodTable& Table() const { return table_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ShowDay(int day);
    bool StoreDay();
    void OnDayClicked(int day);
    void OnDesignatorClicked(int id, int partner);
    bool ReadTime(int row, bool to, int& seconds) const;
    void ShowTime(int row, bool to, int seconds);
    void ConnectRow(int row);

    zax::Session& session_;
    bool twelveHour_;
    int day_ = 0;
    zax::BlockingPeriodTable table_{};
    std::unique_ptr<Ui::BlockingPeriodsDialog> form_;
};

} // namespace network
