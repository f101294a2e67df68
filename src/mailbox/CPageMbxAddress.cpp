#include "mailbox/CPageMbxAddress.h"

#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxTypes.h"
#include "ui_CPageMbxAddress.h"

#include "core/EntryChecks.h"
#include "ui/DataExchange.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace mailbox {

using namespace AddressCtl;

namespace {
constexpr auto kNetwork = static_cast<int16_t>(zax::MailboxType::Network);
constexpr size_t kMaxRemoteMailboxDigits = 16;
} // namespace

CPageMbxAddress::CPageMbxAddress(zax::MailboxRecord& record, const zax::SystemInfo& system)
    : MailboxPage(ui::DialogId::PageMbxAddress, record, system),
      form_(std::make_unique<Ui::CPageMbxAddress>()) {
    form_->setupUi(this);
    WatchControls();
}

CPageMbxAddress::~CPageMbxAddress() = default;

void CPageMbxAddress::LoadFromRecord() {
    remoteMailbox_ = ui::RecordText(Record().RemoteMailbox);
    if (Type() == kNetwork)
        sitePrefix_ = ui::RecordText(Record().SitePrefix);
    else
        remotePhone_ = ui::RecordText(Record().RemotePhoneNumber);
}

void CPageMbxAddress::UpdateControlStates() {
    if (Type() == kNetwork)
        HideControls({RemotePhoneLabel, RemotePhone});
    else
        HideControls({SitePrefixLabel, SitePrefix});
}

void CPageMbxAddress::DoDataExchange(ui::DataExchange& dx) {
    ui::ExchangeText(dx, RemotePhone, remotePhone_);
    ui::ExchangeText(dx, SitePrefix, sitePrefix_);
    ui::ExchangeText(dx, RemoteMailbox, remoteMailbox_);
}

bool CPageMbxAddress::OnApply() {
    using namespace ui::StringId;
    UpdateData(true);
    if (Type() == kNetwork) {
        if (core::CheckDigits(ui::RecordBytes(sitePrefix_)) != core::FieldValid)
            return Refuse(SitePrefix, InvalidSitePrefix);
        ui::SetRecordText(Record().SitePrefix, sitePrefix_);
    } else {
        std::string phone;
        if (core::CheckDialString(ui::RecordBytes(remotePhone_), phone) != core::FieldValid)
            return Refuse(RemotePhone, MailboxString::InvalidRemotePhoneNumber);
        zax::SetText(Record().RemotePhoneNumber, phone);
    }
    uint16_t unused = 0;
    if (core::CheckNumberField(ui::RecordBytes(remoteMailbox_), 1, kMaxRemoteMailboxDigits, false, 0, 0,
                               unused) != core::FieldValid)
        return Refuse(RemoteMailbox, MailboxString::InvalidRemoteMailbox);
    ui::SetRecordText(Record().RemoteMailbox, remoteMailbox_);
    return Accept();
}

} // namespace mailbox
