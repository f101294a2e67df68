#include "mailbox/AddManyMailboxesDialog.h"

#include "mailbox/MailboxIds.h"
#include "ui_AddManyMailboxesDialog.h"

#include "core/EntryChecks.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordBinding.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <string>

namespace mailbox {
namespace {

using namespace AddManyCtl;
using zax::OutdialKind;
using Row = ui::Binding<MailboxRange>;

// Each outdial choice with its number box and how the number is checked.
struct OutdialChoice {
    int radio;
    int numberBox; // 0: the choice has no number
    OutdialKind kind;
    int message;
    core::FieldCheckResult (*check)(std::string_view text, int max, int& value);
    int16_t zax::SystemInfo::*max;
};

constexpr std::array<OutdialChoice, 3> kOutdialChoices = {{
    {Line, LineNumber, OutdialKind::Line, ui::StringId::InvalidLineNumber, core::CheckLineNumber,
     &zax::SystemInfo::MaxLineNumber},
    {Pool, PoolNumber, OutdialKind::Pool, ui::StringId::InvalidPoolNumber, core::CheckPoolNumber,
     &zax::SystemInfo::MaxPoolNumber},
    {None, 0, OutdialKind::None, 0, nullptr, nullptr},
}};

// An extension that does not fit its field would be sent cut short, as
// another number: it is refused like any other wrong one.
bool IsExtension(const std::string& text, const zax::SystemInfo& system) {
    return text.size() < sizeof(zax::MailboxRecord::Extension) &&
           core::CheckMailboxNumber(text, system.ExtensionLength) == core::FieldValid;
}

Row OutdialRow(const OutdialChoice& choice, const zax::SystemInfo& system) {
    return ui::bind::Rule<MailboxRange>(
        choice.numberBox != 0 ? choice.numberBox : choice.radio, choice.message,
        [choice, &system](MailboxRange& r, const ui::ControlAccess& host) {
            if (!host.IsChecked(choice.radio))
                return true;
            int number = 0;
            if (choice.check != nullptr &&
                choice.check(ui::RecordBytes(host.ControlText(choice.numberBox)),
                             system.*choice.max, number) != core::FieldValid)
                return false;
            r.from.OutdialKind = static_cast<int16_t>(choice.kind);
            r.from.OutdialNumber = static_cast<int16_t>(number);
            return true;
        });
}

// The dialog's fields in checking order; the first refusal is shown.
ui::BindingTable<MailboxRange> RangeRows(const zax::SystemInfo& system) {
    using ui::bind::Rule;
    using zax::MailboxRecord;
    ui::BindingTable<MailboxRange> rows = {
        Rule<MailboxRange>(From, ui::StringId::InvalidFromExtension,
                           [&system](MailboxRange& r, const ui::ControlAccess& host) {
                               r.fromExtension = ui::RecordBytes(host.ControlText(From));
                               return IsExtension(r.fromExtension, system);
                           }),
        Rule<MailboxRange>(To, ui::StringId::InvalidToExtension,
                           [&system](MailboxRange& r, const ui::ControlAccess& host) {
                               r.toExtension = ui::RecordBytes(host.ControlText(To));
                               return IsExtension(r.toExtension, system);
                           }),
        // Both are digits of one length by now: as texts they compare as
        // their numbers do, whatever the length.
        Rule<MailboxRange>(From, ui::StringId::FromGreaterThanTo,
                           [](MailboxRange& r, const ui::ControlAccess&) {
                               zax::SetText(r.from.Extension, r.fromExtension);
                               return r.fromExtension <= r.toExtension;
                           }),
    };
    for (const OutdialChoice& choice : kOutdialChoices)
        rows.push_back(OutdialRow(choice, system));
    rows.push_back(Rule<MailboxRange>(Cos, 0, [](MailboxRange& r, const ui::ControlAccess& host) {
        r.from.ClassOfService = static_cast<uint8_t>(std::max(host.CurrentIndex(Cos), 0) + 1);
        return true;
    }));
    const struct {
        int control;
        void (*set)(MailboxRecord&, bool);
    } checks[] = {
        {MessageWaiting, [](MailboxRecord& m, bool on) { m.MessageWaiting = on ? 1 : 0; }},
        {Directory, [](MailboxRecord& m, bool on) { m.Directory = on ? 1 : 0; }},
        {CallScreening, [](MailboxRecord& m, bool on) { m.CallScreening = on ? 1 : 0; }},
    };
    for (const auto& check : checks)
        rows.push_back(Rule<MailboxRange>(check.control, 0,
                                          [check](MailboxRange& r, const ui::ControlAccess& host) {
                                              check.set(r.from, host.IsChecked(check.control));
                                              return true;
                                          }));
    return rows;
}

} // namespace

AddManyMailboxesDialog::AddManyMailboxesDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::AddManyMailboxes, parent), session_(session),
      form_(std::make_unique<Ui::AddManyMailboxesDialog>()) {
    form_->setupUi(this);
    for (const OutdialChoice& choice : kOutdialChoices) {
        const int radio = choice.radio;
        connect(ControlAs<QRadioButton>(radio), &QRadioButton::clicked, this,
                [this, radio] { OnOutdialChosen(radio); });
    }
}

AddManyMailboxesDialog::~AddManyMailboxesDialog() = default;

bool AddManyMailboxesDialog::Load() {
    return !CallServer([&] { return session_.Server().GetCosNames(cosNames_); }).Ending();
}

bool AddManyMailboxesDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    for (int i = 0; i < zax::ClassOfServiceCount; ++i)
        form_->cos->addItem(QStringLiteral("%1   ").arg(i + 1, 2, 10, QLatin1Char('0')) +
                            ui::RecordText(cosNames_.Names[i]));
    form_->cos->setCurrentIndex(0);
    SetChecked(Directory, true);
    SetChecked(MessageWaiting, true);
    SetChecked(None, true);
    EnableControl(LineNumber, false);
    EnableControl(PoolNumber, false);
    return true;
}

void AddManyMailboxesDialog::OnOutdialChosen(int radio) {
    for (const OutdialChoice& choice : kOutdialChoices)
        if (choice.numberBox != 0)
            EnableControl(choice.numberBox, choice.radio == radio);
    for (const OutdialChoice& choice : kOutdialChoices)
        if (choice.radio == radio && choice.numberBox != 0)
            FocusControl(choice.numberBox);
}

void AddManyMailboxesDialog::OnOK() {
    MailboxRange range;
    const ui::BindingTable<MailboxRange> rows = RangeRows(session_.systemInfo);
    if (const Row* refused = ui::StoreBindings<MailboxRange>(rows, range, *this)) {
        FocusControl(refused->control);
        ui::ShowMessage(ui::LanguageModule::String(refused->message));
        return;
    }
    zax::MailboxRecord to = range.from;
    zax::SetText(to.Extension, range.toExtension);
    int16_t added = 0;
    ui::CallResult result{};
    {
        ui::WaitCursor wait;
        result =
            CallServer([&] { return session_.Server().AddMailboxRange(range.from, to, added); });
    }
    if (!result.Succeeded())
        return;
    ui::ShowMessage(QStringLiteral("%1 %2").arg(added).arg(
        ui::LanguageModule::String(MailboxString::MailboxesAdded)));
    EndDialog(ui::ControlId::Ok);
}

} // namespace mailbox
