#include "attendant/LineDialogs.h"

#include "attendant/AttendantIds.h"
#include "ui_LineRangeDialog.h"
#include "ui_LineSettingsDialog.h"

#include "core/EntryChecks.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QRadioButton>

namespace attendant {

using namespace LineCtl;
using Row = ui::Binding<LineSettings>;

namespace {

constexpr int kMaxTable = 4;
constexpr int kMaxRings = 12;
// What the range dialog sends for lines that are not answered.
constexpr int16_t kUnansweredTable = 1;
constexpr int16_t kUnansweredRings = 0;

bool ReadNumber(const ui::ControlAccess& host, int control, size_t maxDigits, int low, int high,
                int16_t& value) {
    int v = 0;
    if (!ui::bind::Digits(1, maxDigits, low, high)(ui::RecordBytes(host.ControlText(control)), v))
        return false;
    value = static_cast<int16_t>(v);
    return true;
}

// Table and rings count only while the line is answered. Unanswered, a box
// that does not hold a valid number gives way to `fallback`'s value, and no
// message is shown.
Row TableRow(const LineSettings* fallback) {
    return ui::bind::Rule<LineSettings>(
        Table, ui::StringId::InvalidTableNumber,
        [fallback](LineSettings& r, const ui::ControlAccess& host) {
            if (ReadNumber(host, Table, 1, 1, kMaxTable, r.Table))
                return true;
            r.Table = fallback->Table;
            return !r.Answer;
        },
        [](const LineSettings& r, ui::ControlAccess& host) {
            host.SetControlText(Table, QString::number(r.Table));
        });
}

Row RingsRow(const LineSettings* fallback) {
    return ui::bind::Rule<LineSettings>(
        Rings, ui::StringId::InvalidNumberOfRings,
        [fallback](LineSettings& r, const ui::ControlAccess& host) {
            if (ReadNumber(host, Rings, 2, 0, kMaxRings, r.Rings))
                return true;
            r.Rings = fallback->Rings;
            return !r.Answer;
        },
        [](const LineSettings& r, ui::ControlAccess& host) {
            host.SetControlText(Rings, QString::number(r.Rings));
        });
}

Row AnswerRow() {
    return ui::bind::OnOff(AnswerYes, AnswerNo, &LineSettings::Answer);
}

// A line number as the line-number rule reads it: digits only, no more
// digits than the system's line count has, 1 to that count.
Row LineNumberRow(int control, int message, int16_t LineSettings::*field, int lineCount) {
    return ui::bind::Rule<LineSettings>(
        control, message, [=](LineSettings& r, const ui::ControlAccess& host) {
            int value = 0;
            if (core::CheckLineNumber(ui::RecordBytes(host.ControlText(control)), lineCount,
                                      value) != core::FieldValid)
                return false;
            r.*field = static_cast<int16_t>(value);
            return true;
        });
}

} // namespace

// ---- one line -------------------------------------------------------------------

LineSettingsDialog::LineSettingsDialog(zax::Session& session, int16_t line, const QString& rowText,
                                       QWidget* parent)
    : BoundDialog(ui::DialogId::LineSettings, parent), session_(session), line_(line),
      rowText_(rowText), form_(std::make_unique<Ui::LineSettingsDialog>()) {
    form_->setupUi(this);
    // Unanswered, a box that cannot be read sends what was read at opening.
    Bind({AnswerRow(), TableRow(&Record()), RingsRow(&Record())});
    connect(form_->answerYes, &QRadioButton::clicked, this, [this] {
        UpdateControlStates();
        FocusControl(Rings);
    });
    connect(form_->answerNo, &QRadioButton::clicked, this, [this] { UpdateControlStates(); });
}

LineSettingsDialog::~LineSettingsDialog() = default;

bool LineSettingsDialog::Load() {
    LineSettings& r = Record();
    return ui::GuardServerCall(
               [&] { return session_.Server().GetLine(line_, r.Answer, r.Table, r.Rings); })
        .Succeeded();
}

bool LineSettingsDialog::OnInitDialog() {
    BoundDialog::OnInitDialog();
    setWindowTitle(windowTitle() + rowText_.left(3));
    return true;
}

void LineSettingsDialog::UpdateControlStates() {
    const bool answered = IsChecked(AnswerYes);
    EnableControl(Table, answered);
    EnableControl(Rings, answered);
}

void LineSettingsDialog::OnOK() {
    const std::optional<LineSettings> r = StoreFields(Record());
    if (!r)
        return;
    const ui::CallResult result = CallServer(
        [&] { return session_.Server().SetLine(line_, r->Answer ? 1 : 0, r->Table, r->Rings); });
    if (!result.Ending())
        EndDialog(ui::ControlId::Ok);
}

// ---- a range of lines -------------------------------------------------------------

LineRangeDialog::LineRangeDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::LineRange, parent), session_(session),
      form_(std::make_unique<Ui::LineRangeDialog>()) {
    form_->setupUi(this);
    const int lines = session_.systemInfo.MaxLineNumber;
    static const LineSettings kUnanswered{0, kUnansweredTable, kUnansweredRings};
    Bind({
        LineNumberRow(LineCtl::From, ui::StringId::InvalidLineFromNumber, &LineSettings::From,
                      lines),
        LineNumberRow(LineCtl::To, ui::StringId::InvalidLineToNumber, &LineSettings::To, lines),
        ui::bind::Rule<LineSettings>(
            LineCtl::To, LineString::FromGreaterThanTo,
            [](LineSettings& r, const ui::ControlAccess&) { return r.From <= r.To; }),
        AnswerRow(),
        // Unanswered lines get table 1 and no rings, whatever the boxes hold.
        TableRow(&kUnanswered),
        RingsRow(&kUnanswered),
        ui::bind::Rule<LineSettings>(Table, 0,
                                     [](LineSettings& r, const ui::ControlAccess&) {
                                         if (!r.Answer) {
                                             r.Table = kUnansweredTable;
                                             r.Rings = kUnansweredRings;
                                         }
                                         return true;
                                     }),
    });
    connect(form_->answerYes, &QRadioButton::clicked, this, [this] {
        UpdateControlStates();
        FocusControl(Rings);
    });
    connect(form_->answerNo, &QRadioButton::clicked, this, [this] { UpdateControlStates(); });
}

LineRangeDialog::~LineRangeDialog() = default;

bool LineRangeDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog(); // every box starts empty, "Yes" chosen
    SetChecked(AnswerYes, true);
    UpdateControlStates();
    return true;
}

void LineRangeDialog::UpdateControlStates() {
    const bool answered = IsChecked(AnswerYes);
    EnableControl(Table, answered);
    EnableControl(Rings, answered);
}

void LineRangeDialog::OnOK() {
    const std::optional<LineSettings> r = StoreFields(LineSettings{});
    if (!r)
        return;
    Record() = *r;
    // A line the server refuses shows its status; the next one is still written.
    for (int line = r->From; line <= r->To; ++line) {
        const ui::CallResult result = CallServer([&] {
            return session_.Server().SetLine(static_cast<int16_t>(line), r->Answer ? 1 : 0,
                                             r->Table, r->Rings);
        });
        if (result.Ending())
            return;
    }
    EndDialog(ui::ControlId::Ok);
}

} // namespace attendant
