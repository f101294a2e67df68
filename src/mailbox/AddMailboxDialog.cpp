#include "mailbox/AddMailboxDialog.h"

#include "mailbox/CMbxProps.h"
#include "mailbox/MailboxIds.h"
#include "ui_AddMailboxDialog.h"

#include "core/EntryChecks.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mailbox {
namespace {

using namespace AddMailboxCtl;
using zax::MailboxType;

// The type each button creates.
struct TypeButton {
    int control;
    MailboxType type;
};
constexpr std::array<TypeButton, 6> kTypeButtons = {{
    {Subscriber, MailboxType::Subscriber},
    {Information, MailboxType::Information},
    {FaxOnDemand, MailboxType::FaxOnDemand},
    {FaxOverflow, MailboxType::FaxOverflow},
    {Amis, MailboxType::Amis},
    {Network, MailboxType::Network},
}};

const ui::StatusMessage kFreeEntryStatuses[] = {
    {zax::StatusNoEntry, ui::StringId::NoMailboxEntries},
};

void Refuse(ui::ControlAccess& host, int messageId) {
    host.FocusControl(Number);
    ui::ShowMessage(ui::LanguageModule::String(messageId));
}

} // namespace

AddMailboxDialog::AddMailboxDialog(zax::Session& session, QWidget* parent)
    : TemplateDialog(ui::DialogId::AddMailbox, parent), session_(session),
      form_(std::make_unique<Ui::AddMailboxDialog>()) {
    form_->setupUi(this);
}

AddMailboxDialog::~AddMailboxDialog() = default;

bool AddMailboxDialog::Load() {
    const auto kind = static_cast<int16_t>(zax::EntryKind::Mailbox);
    return CallServer([&] { return session_.Server().CheckFreeEntry(kind); }, kFreeEntryStatuses)
        .Succeeded();
}

MailboxType AddMailboxDialog::ChosenType() const {
    const auto* chosen = std::find_if(kTypeButtons.begin(), kTypeButtons.end(),
                                      [this](const TypeButton& b) { return IsChecked(b.control); });
    return chosen != kTypeButtons.end() ? chosen->type : MailboxType::Subscriber;
}

// The number travels NUL-terminated in 8 bytes: a longer one would reach
// the server cut short, as another mailbox's number.
bool AddMailboxDialog::CheckNumber(const std::string& number) {
    if (number.size() < sizeof(zax::MailboxRecord::Number) &&
        core::CheckMailboxNumber(number, session_.systemInfo.ExtensionLength) == core::FieldValid)
        return true;
    Refuse(*this, ui::StringId::InvalidMailboxNumber);
    return false;
}

// Numbers that begin with the leading digit of group lists are theirs while
// group lists are enabled; the digit is read fresh, as it may have changed.
bool AddMailboxDialog::CheckNotGroupListNumber(const std::string& number) {
    zax::SystemParameters parameters{};
    if (!CallServer([&] { return session_.Server().GetSystemParameters(parameters); }).Succeeded())
        return false;
    const int digit = parameters.GroupListLeadingDigit;
    if (session_.systemInfo.GroupListsEnabled == 0 || number.empty() ||
        number.front() - '0' != digit)
        return true;
    Refuse(*this, ui::StringId::InvalidMailboxNumber);
    return false;
}

bool AddMailboxDialog::CheckNotExisting(const std::string& number) {
    zax::Chars<8> text{};
    std::memcpy(text.data(), number.data(), std::min(number.size(), text.size() - 1));
    uint8_t exists = 0;
    uint8_t initialized = 0;
    if (!CallServer([&] {
             return session_.Server().QueryMailboxState(text, exists, initialized);
         }).Succeeded())
        return false;
    if (exists == 0)
        return true;
    Refuse(*this, ui::StringId::MailboxExists);
    return false;
}

void AddMailboxDialog::OnOK() {
    const std::string number = ui::RecordBytes(ControlText(Number));
    if (!CheckNumber(number) || !CheckNotGroupListNumber(number) || !CheckNotExisting(number))
        return;
    CMbxProps sheet(session_, number, ChosenType(), this);
    sheet.Run();
    // Whatever became of the sheet, the number has been dealt with here; a
    // transport failure in it ends this dialog as well.
    EndDialog(ui::ProgramIsEnding() ? ui::ControlId::Cancel : ui::ControlId::Ok);
}

} // namespace mailbox
