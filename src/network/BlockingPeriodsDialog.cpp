#include "network/BlockingPeriodsDialog.h"

#include "network/BlockingTime.h"
#include "network/NetworkIds.h"
#include "ui_BlockingPeriodsDialog.h"

#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/TimeSpinButton.h"
#include "ui/TimeText.h"

#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace network {

using namespace BlockingCtl;

namespace {

constexpr int kRows = zax::PeriodsPerDay;
constexpr int kDays = zax::DaysPerWeek;
constexpr int kSecondsPerMinute = 60;

// The from and the to time of a row, in the order a day is stored: every
// from time of the day first, then every to time.
struct TimeField {
    int edit, am, pm; // offsets within a row
    uint8_t zax::BlockingPeriod::*hour;
    uint8_t zax::BlockingPeriod::*minute;
    int message;
    const char* spinName;
};
constexpr std::array<TimeField, 2> kFields = {{
    {From, FromAm, FromPm, &zax::BlockingPeriod::FromHour, &zax::BlockingPeriod::FromMinute,
     ui::StringId::InvalidFromTime, "fromSpin%1"},
    {To, ToAm, ToPm, &zax::BlockingPeriod::ToHour, &zax::BlockingPeriod::ToMinute,
     ui::StringId::InvalidToTime, "toSpin%1"},
}};

const TimeField& FieldOf(bool to) {
    return kFields[to ? 1 : 0];
}

} // namespace

BlockingPeriodsDialog::BlockingPeriodsDialog(zax::Session& session, QWidget* parent)
    : BlockingPeriodsDialog(session, ui::UsesTwelveHourClock(), parent) {}

BlockingPeriodsDialog::BlockingPeriodsDialog(zax::Session& session, bool twelveHour,
                                             QWidget* parent)
    : TemplateDialog(ui::DialogId::AmisBlockingPeriods, parent), session_(session),
      twelveHour_(twelveHour), form_(std::make_unique<Ui::BlockingPeriodsDialog>()) {
    form_->setupUi(this);
    for (int day = 0; day < kDays; ++day)
        connect(ControlAs<QRadioButton>(Day(day)), &QRadioButton::clicked, this,
                [this, day] { OnDayClicked(day); });
    for (int row = 0; row < kRows; ++row)
        ConnectRow(row);
}

BlockingPeriodsDialog::~BlockingPeriodsDialog() = default;

// Each am/pm pair is a pair of its own, not one group with every button of
// the dialog; the arrows step the time in the dialog's own form.
void BlockingPeriodsDialog::ConnectRow(int row) {
    for (const bool to : {false, true}) {
        const TimeField& f = FieldOf(to);
        const int am = InRow(row, f.am);
        const int pm = InRow(row, f.pm);
        for (const auto& [id, partner] : {std::pair{am, pm}, std::pair{pm, am}}) {
            auto* button = ControlAs<QRadioButton>(id);
            button->setAutoExclusive(false);
            connect(button, &QRadioButton::clicked, this,
                    [this, id, partner] { OnDesignatorClicked(id, partner); });
        }
        auto* spin = findChild<ui::TimeSpinButton*>(QString::fromLatin1(f.spinName).arg(row));
        spin->SetBuddy(ControlAs<QLineEdit>(InRow(row, f.edit)));
        spin->SetTimeForm({[this, row, to](int& seconds) { return ReadTime(row, to, seconds); },
                           [this, row, to](int seconds) { ShowTime(row, to, seconds); }});
    }
}

bool BlockingPeriodsDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetBlockingPeriods(table_); })
        .Succeeded();
}

bool BlockingPeriodsDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    if (!twelveHour_) {
        for (int row = 0; row < kRows; ++row)
            for (const TimeField& f : kFields)
                for (const int offset : {f.am, f.pm})
                    EnableControl(InRow(row, offset), false);
    }
    // Monday, as read: nothing is checked until the day is left.
    SetChecked(Day(0), true);
    ShowDay(0);
    return true;
}

bool BlockingPeriodsDialog::ReadTime(int row, bool to, int& seconds) const {
    const TimeField& f = FieldOf(to);
    BlockingTime time{};
    if (!ParseBlockingTime(ui::RecordBytes(ControlText(InRow(row, f.edit))), twelveHour_,
                           twelveHour_ && IsChecked(InRow(row, f.pm)), time))
        return false;
    seconds = (time.hour * 60 + time.minute) * kSecondsPerMinute;
    return true;
}

void BlockingPeriodsDialog::ShowTime(int row, bool to, int seconds) {
    const TimeField& f = FieldOf(to);
    const int minutes = seconds / kSecondsPerMinute;
    const BlockingTime time{static_cast<uint8_t>(minutes / 60 % 24),
                            static_cast<uint8_t>(minutes % 60)};
    SetControlText(InRow(row, f.edit),
                   QString::fromStdString(FormatBlockingTime(time, twelveHour_)));
    if (twelveHour_) {
        SetChecked(InRow(row, f.am), !IsPm(time));
        SetChecked(InRow(row, f.pm), IsPm(time));
    }
}

void BlockingPeriodsDialog::ShowDay(int day) {
    day_ = day;
    for (int row = 0; row < kRows; ++row) {
        const zax::BlockingPeriod& p = table_.Periods[day][row];
        for (const bool to : {false, true}) {
            const TimeField& f = FieldOf(to);
            ShowTime(row, to, (p.*f.hour * 60 + p.*f.minute) * kSecondsPerMinute);
        }
    }
}

// The shown day back into the week: every from time in row order, then
// every to time. The first that does not read is refused, and the day's
// button is checked again.
bool BlockingPeriodsDialog::StoreDay() {
    std::array<zax::BlockingPeriod, kRows> day{};
    for (const bool to : {false, true}) {
        const TimeField& f = FieldOf(to);
        for (int row = 0; row < kRows; ++row) {
            int seconds = 0;
            if (!ReadTime(row, to, seconds)) {
                SetChecked(Day(day_), true);
                FocusControl(InRow(row, f.edit));
                ui::ShowMessage(ui::LanguageModule::String(f.message), ui::kStyleWarning);
                return false;
            }
            day[static_cast<size_t>(row)].*f.hour = static_cast<uint8_t>(seconds / 3600);
            day[static_cast<size_t>(row)].*f.minute = static_cast<uint8_t>(seconds / 60 % 60);
        }
    }
    std::copy(day.begin(), day.end(), std::begin(table_.Periods[day_]));
    return true;
}

void BlockingPeriodsDialog::OnDayClicked(int day) {
    if (day == day_ || !StoreDay())
        return;
    ShowDay(day);
}

void BlockingPeriodsDialog::OnDesignatorClicked(int id, int partner) {
    SetChecked(id, true);
    SetChecked(partner, false);
}

void BlockingPeriodsDialog::OnOK() {
    if (!StoreDay())
        return;
    if (CallServer([&] { return session_.Server().SetBlockingPeriods(table_); }).Succeeded())
        EndDialog(ui::ControlId::Ok);
}

} // namespace network
