#include "reports/MailboxActivityDialog.h"

#include "reports/ReportsIds.h"
#include "reports/RunReport.h"
#include "ui_MailboxActivityDialog.h"

#include "core/EntryChecks.h"
#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <algorithm>

namespace reports {

using namespace ActivityCtl;

MailboxActivityDialog::MailboxActivityDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::MailboxActivityReport, parent), session_(session),
      form_(std::make_unique<Ui::MailboxActivityDialog>()) {
    form_->setupUi(this);
    connect(form_->allMailboxes, &QAbstractButton::clicked, this, [this] { ChooseAll(); });
    connect(form_->oneMailbox, &QAbstractButton::clicked, this, [this] { ChooseOne(); });
}

MailboxActivityDialog::~MailboxActivityDialog() = default;

bool MailboxActivityDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    ChooseAll();
    return true;
}

void MailboxActivityDialog::ChooseAll() {
    SetChecked(AllMailboxes, true);
    EnableControl(MailboxNumber, false);
}

void MailboxActivityDialog::ChooseOne() {
    SetChecked(OneMailbox, true);
    EnableControl(MailboxNumber, true);
    FocusControl(MailboxNumber);
}

void MailboxActivityDialog::OnOK() {
    // All zero for every mailbox; one mailbox's number, NUL-padded.
    zax::Chars<8> argument = kAllEntries;
    if (IsChecked(OneMailbox)) {
        const std::string number = ui::RecordBytes(ControlText(MailboxNumber));
        if (core::CheckMailboxNumber(number, session_.systemInfo.ExtensionLength) !=
                core::FieldValid ||
            number.size() >= argument.size()) {
            ui::ShowStatusMessage(ui::StringId::InvalidMailboxNumber);
            FocusControl(MailboxNumber);
            return;
        }
        std::copy(number.begin(), number.end(), argument.begin());
    }
    const ReportOutcome outcome = RunReport(session_, ReportNumber::MailboxActivity, argument);
    EndDialog(outcome == ReportOutcome::ProgramEnding ? ui::ControlId::Cancel : ui::ControlId::Ok);
}

} // namespace reports
