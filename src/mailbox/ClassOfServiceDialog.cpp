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

ClassOfServiceDialog::ClassOfServiceDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::ClassOfService, parent), session_(session),
      form_(std::make_unique<Ui::ClassOfServiceDialog>()),
      bindings_(CosBindings(session.systemInfo)) {
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
    ui::LoadBindings<zax::CosRecord>(bindings_, c, *this);
    EnableNotificationFields(c.OffPremiseMessageNotification != 0);
}

bool ClassOfServiceDialog::CheckAndStore() {
    zax::CosRecord& c = classes_[static_cast<size_t>(displayed_)];
    if (const auto* refused = ui::StoreBindings<zax::CosRecord>(bindings_, c, *this)) {
        FocusControl(refused->control);
        ui::ShowMessage(ui::LanguageModule::String(refused->message));
        return false;
    }
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
