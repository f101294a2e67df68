// The Hours page (176): when each period of the day begins, day by day. The
// page edits one day at a time; a day's times reach the record when the
// administrator moves to another day, leaves the page or applies it, and
// only when all four can be read.
#include "greetings/GreetingIds.h"
#include "greetings/GreetingPage.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/TimeSpinButton.h"
#include "ui/TimeText.h"
#include "ui_CPageGtgHours.h"

#include <QComboBox>

#include <array>

namespace greetings {
namespace {

using namespace HoursCtl;

// The time boxes in period order (morning, afternoon, evening, non-business).
constexpr std::array<int, zax::PeriodsPerDay> kTimeBoxes = {Morning, Afternoon, Evening,
                                                            NonBusiness};

int SecondsOf(const zax::HoursEntry& e) {
    return (e.Hour * 60 + e.Minute) * 60;
}

class CPageGtgHours : public ui::FormPage<Ui::CPageGtgHours, GreetingPage> {
public:
    explicit CPageGtgHours(const PageContext& c) : FormPage(ui::DialogId::PageGtgHours, c) {
        Ui().morningSpin->SetBuddy(Ui().morning);
        Ui().afternoonSpin->SetBuddy(Ui().afternoon);
        Ui().eveningSpin->SetBuddy(Ui().evening);
        Ui().nonBusinessSpin->SetBuddy(Ui().nonBusiness);
    }

    void LoadFromRecord() override {
        QComboBox* days = Ui().day;
        days->clear();
        for (int d = 0; d < zax::DaysPerWeek; ++d)
            days->addItem(ui::LanguageModule::String(GreetingString::Monday + d));
        ShowDay(0);
    }

    void OnControlChanged(int controlId) override {
        if (controlId == Day) {
            ChangeDay(CurrentIndex(Day));
            return;
        }
        GreetingPage::OnControlChanged(controlId);
    }

    bool OnKillActive() override { return StoreDay(); }
    bool OnApply() override { return StoreDay(); }

private:
    void ShowDay(int day) {
        day_ = day;
        for (size_t p = 0; p < kTimeBoxes.size(); ++p) {
            times_[p] = SecondsOf(Record().Hours[day][p]);
            SetControlText(kTimeBoxes[p], ui::FormatTimeForDisplay(times_[p]));
        }
        SetCurrentIndex(Day, day);
    }

    // Moves to `day` only when the day being edited could be stored; the
    // list shows the day being edited either way.
    void ChangeDay(int day) {
        if (day >= 0 && day < zax::DaysPerWeek && StoreDay())
            ShowDay(day);
        SetCurrentIndex(Day, day_);
    }

    // Reads the four boxes in order; the first that is no time of day is
    // marked unreadable, gets the focus and its message.
    bool ReadTimes() {
        for (size_t p = 0; p < kTimeBoxes.size(); ++p) {
            int seconds = 0;
            if (!ui::ParseTimeFromDisplay(ControlText(kTimeBoxes[p]), seconds)) {
                times_[p] = -1;
                FocusControl(kTimeBoxes[p]);
                ui::ShowMessage(ui::LanguageModule::String(ui::StringId::InvalidTime),
                                ui::kStyleWarning);
                return false;
            }
            times_[p] = seconds;
        }
        return true;
    }

    // The current day's four times into the record, all or none.
    bool StoreDay() {
        if (!ReadTimes())
            return false;
        for (size_t p = 0; p < kTimeBoxes.size(); ++p) {
            zax::HoursEntry& e = Record().Hours[day_][p];
            e.Hour = static_cast<int16_t>((times_[p] / 3600) % 24);
            e.Minute = static_cast<int16_t>((times_[p] % 3600) / 60);
        }
        return true;
    }

    int day_ = 0;
    std::array<int, zax::PeriodsPerDay> times_{};
};

} // namespace

GreetingPage* MakeHoursPage(const PageContext& context) {
    return new CPageGtgHours(context);
}

} // namespace greetings
