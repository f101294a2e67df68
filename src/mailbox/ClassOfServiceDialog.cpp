#include "mailbox/ClassOfServiceDialog.h"

#include "mailbox/CosFields.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxTypes.h"
#include "ui_ClassOfServiceDialog.h"

#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QComboBox>
#include <QRadioButton>

namespace mailbox {

using namespace CosCtl;

namespace {

constexpr int kMaxNameLength = 16;

// Checks one radio of a pair; the pair shares a group box, so the other clears.
void CheckPair(ui::ControlAccess& host, int yes, int no, bool chooseYes) {
    host.SetChecked(chooseYes ? yes : no, true);
}

} // namespace

ClassOfServiceDialog::ClassOfServiceDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::ClassOfService, parent), session_(session),
      form_(std::make_unique<Ui::ClassOfServiceDialog>()) {
    form_->setupUi(this);
    for (int i = 1; i <= zax::ClassOfServiceCount; ++i)
        form_->classNumber->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    connect(form_->classNumber, &QComboBox::activated, this,
            [this](int index) { OnClassChosen(index); });
    connect(form_->offPremiseYes, &QRadioButton::clicked, this,
            [this] { EnableNotificationFields(true); });
    connect(form_->offPremiseNo, &QRadioButton::clicked, this,
            [this] { EnableNotificationFields(false); });
}

ClassOfServiceDialog::~ClassOfServiceDialog() = default;

bool ClassOfServiceDialog::Load() {
    zax::VoiceMailServer& server = session_.Server();
    bool complete = true;
    for (int i = 0; i < zax::ClassOfServiceCount; ++i) {
        zax::CosRecord& record = classes_[static_cast<size_t>(i)];
        record.ClassNumber = static_cast<int16_t>(i + 1);
        // A class that cannot be read is reported; the others are still read.
        const ui::CallResult r =
            ui::GuardServerCall([&] { return server.GetClassOfService(record); });
        if (r.outcome == ui::CallOutcome::TransportFailure)
            return false;
        complete = complete && r.Succeeded();
    }
    return complete;
}

bool ClassOfServiceDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    form_->classNumber->setCurrentIndex(0);
    ShowClass(0);
    return true;
}

void ClassOfServiceDialog::EnableNotificationFields(bool enable) {
    EnableControl(RetryInterval, enable);
    EnableControl(Attempts, enable);
}

void ClassOfServiceDialog::ShowClass(int index) {
    displayed_ = index;
    const zax::CosRecord& c = classes_[static_cast<size_t>(index)];
    SetControlText(Name, ui::RecordText(c.Name));
    const bool notify = c.OffPremiseMessageNotification != 0;
    for (const CosNumericField& f : kCosNumericFields) {
        const bool shown = notify || !f.onlyWithNotification;
        SetControlText(f.control, shown ? QString::number(f.get(c)) : QString());
    }
    EnableNotificationFields(notify);
    for (const CosChoice& choice : kCosChoices)
        CheckPair(*this, choice.yes, choice.no, c.*choice.flag != 0);
    CheckPair(*this, Alternate, Primary, c.PromptLanguage == 1);
}

bool ClassOfServiceDialog::CheckAndStore() {
    zax::CosRecord& c = classes_[static_cast<size_t>(displayed_)];
    const QString name = ControlText(Name);
    if (name.size() > kMaxNameLength) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::InvalidCosName));
        return false;
    }
    ui::SetRecordText(c.Name, name);
    const bool notify = IsChecked(OffPremiseYes);
    for (const CosNumericField& f : kCosNumericFields) {
        if (f.onlyWithNotification && !notify)
            continue; // neither checked nor stored: the value read goes back
        if (!StoreCosNumber(f, ControlText(f.control), session_.systemInfo, c)) {
            ui::ShowMessage(ui::LanguageModule::String(f.message));
            return false;
        }
    }
    for (const CosChoice& choice : kCosChoices)
        c.*choice.flag = IsChecked(choice.yes) ? 1 : 0;
    c.PromptLanguage = IsChecked(Alternate) ? 1 : 0;
    return true;
}

void ClassOfServiceDialog::OnClassChosen(int index) {
    if (index == displayed_ || index < 0 || index >= zax::ClassOfServiceCount)
        return;
    if (!CheckAndStore()) {
        form_->classNumber->setCurrentIndex(displayed_);
        return;
    }
    ShowClass(index);
}

void ClassOfServiceDialog::OnOK() {
    if (!CheckAndStore())
        return;
    zax::VoiceMailServer& server = session_.Server();
    for (int i = 0; i < zax::ClassOfServiceCount; ++i) {
        zax::CosRecord& record = classes_[static_cast<size_t>(i)];
        record.ClassNumber = static_cast<int16_t>(i + 1);
        // The first class the server refuses stops the writing; the dialog stays.
        if (!CallServer([&] { return server.SetClassOfService(record); }).Succeeded())
            return;
    }
    EndDialog(ui::ControlId::Ok);
}

} // namespace mailbox
