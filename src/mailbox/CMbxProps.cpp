#include "mailbox/CMbxProps.h"

#include "server/MailboxDefaults.h"

#include "mailbox/CPageMbxGeneral.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListRow.h"

#include "server/MailboxDefaults.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <array>

namespace mailbox {
namespace {

using zax::MailboxType;

const ui::StatusMessage kSaveStatuses[] = {
    {zax::StatusExtensionUsed, ui::StringId::ExtensionInUse},
    {zax::StatusAlternate1Used, ui::StringId::AlternateExtension1InUse},
    {zax::StatusAlternate2Used, ui::StringId::AlternateExtension2InUse},
};

QString Caption(const std::string& number) {
    return ui::LanguageModule::String(ui::StringId::MailboxSheetCaption) +
           QString::fromLatin1(number.data(), static_cast<qsizetype>(number.size()));
}

constexpr int16_t Code(MailboxType type) {
    return static_cast<int16_t>(type);
}

// The page of each slot, in slot order.
constexpr std::array<MailboxPage* (*)(const PageContext&), SlotCount> kPageMakers = {
    MakeGeneralPage,  MakeOptionsPage, MakeOutdialPage,   MakeFaxPage,
    MakeDeliveryPage, MakeAddressPage, MakeSpeechRecPage,
};

} // namespace

CMbxProps::CMbxProps(zax::Session& session, const std::string& number, MailboxListRow* row,
                     QWidget* parent, int initialSlot)
    : PropertySheet(Caption(number), parent), session_(session), number_(number), row_(row),
      initialSlot_(initialSlot) {
    // Every tab stays in sight: the sheet grows to fit them instead of scrolling them.
    KeepAllTabsInSight();
}

CMbxProps::CMbxProps(zax::Session& session, const std::string& number, MailboxType type,
                     QWidget* parent)
    : CMbxProps(session, number, nullptr, parent, SlotGeneral) {
    addMode_ = true;
    FillNewRecord(type);
}

CMbxProps::~CMbxProps() = default;

MailboxPage* CMbxProps::PageInSlot(int slot) const {
    return slot >= 0 && slot < SlotCount ? pages_[static_cast<size_t>(slot)] : nullptr;
}

int CMbxProps::IndexOfSlot(int slot) const {
    MailboxPage* page = PageInSlot(slot);
    for (int i = 0; page != nullptr && i < PageCount(); ++i)
        if (Page(i) == page)
            return i;
    return -1;
}

void CMbxProps::FillNewRecord(MailboxType type) {
    record_ = zax::NewMailboxRecord(number_, type);
}

int CMbxProps::Run() {
    int result = PropertySheet::Run();
    if (result == ui::ControlId::Ok && !Save())
        result = ui::ControlId::Cancel;
    return result;
}

bool CMbxProps::Load() {
    if (!ReadFromServer())
        return false;
    if (PageSlotsOf(record_.Type) == 0) {
        ui::ShowMessage(ui::LanguageModule::String(MailboxString::TypeHasNoProperties));
        return false;
    }
    CreatePages();
    return true;
}

bool CMbxProps::ReadFromServer() {
    zax::VoiceMailServer& server = session_.Server();
    if (!CallServer([&] { return server.GetCosNames(cosNames_); }).Succeeded())
        return false;
    if (addMode_)
        return true;
    record_ = {};
    zax::SetText(record_.Number, number_);
    if (!CallServer([&] { return server.GetMailbox(record_); }).Succeeded())
        return false;
    savedName_ = zax::GetText(record_.Name);
    return true;
}

void CMbxProps::CreatePages() {
    const PageContext context{record_, session_.systemInfo, cosNames_, !addMode_};
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (!HasSlot(record_.Type, static_cast<PageSlot>(slot)))
            continue;
        MailboxPage* page = kPageMakers[static_cast<size_t>(slot)](context);
        pages_[static_cast<size_t>(slot)] = page;
        AddPage(page);
    }
    general_ = qobject_cast<CPageMbxGeneral*>(pages_[SlotGeneral]);
}

void CMbxProps::showEvent(QShowEvent* event) {
    if (!prepared_) {
        prepared_ = true;
        PrepareWindow();
    }
    PropertySheet::showEvent(event);
}

void CMbxProps::PrepareWindow() {
    setWindowTitle(Caption(number_));
    // Every page loads the record now, in slot order, so that OK applies
    // them all; the General page hands on the extension as it is left.
    ActivateAllPages(IndexOfSlot(initialSlot_));
    if (addMode_) {
        if (ui::RecordPage* page = Page(ActiveIndex()))
            page->SetModified(true); // a new mailbox is worth saving as it is
    }
}

void CMbxProps::OnApplied() {
    if (const int invalid = FirstInvalidPage(); invalid >= 0) {
        SetActivePage(invalid);
        return;
    }
    Save();
}

bool CMbxProps::Save() {
    zax::VoiceMailServer& server = session_.Server();
    if (addMode_ || IsModified()) {
        const uint8_t reset = general_ != nullptr && general_->ResetPasswordChecked() ? 1 : 0;
        const ui::CallResult r = CallServer(
            [&] {
                return addMode_ ? server.AddMailbox(record_) : server.ChangeMailbox(record_, reset);
            },
            kSaveStatuses);
        if (r.outcome == ui::CallOutcome::TransportFailure)
            return false;
        if (r.Succeeded()) {
            changed_ = changed_ || !addMode_;
            addMode_ = false;
            savedName_ = zax::GetText(record_.Name);
        }
    }
    // The list shows the name the server holds: a refused one stays off it.
    if (row_ != nullptr)
        row_->name = savedName_;
    SetModified(false);
    for (MailboxPage* page : pages_)
        if (page != nullptr)
            page->SetModified(false);
    return true;
}

} // namespace mailbox
