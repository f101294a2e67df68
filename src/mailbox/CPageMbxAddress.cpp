#include "CPageMbxAddress.h"

#include "MailboxIds.h"
#include "MailboxTypes.h"
#include "ui_CPageMbxAddress.h"

#include "DataExchange.h"
#include "ResourceIds.h"
#include "StringIds.h"
#include "app/EntryChecks.h"

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
    remoteMailbox_ = FieldText(Record().RemoteMailbox);
    if (Type() == kNetwork)
        sitePrefix_ = FieldText(Record().SitePrefix);
    else
        remotePhone_ = FieldText(Record().RemotePhoneNumber);
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
        if (app::CheckDigits(CheckText(sitePrefix_)) != app::FieldValid)
            return Refuse(SitePrefix, InvalidSitePrefix);
        SetField(Record().SitePrefix, sitePrefix_);
    } else {
        std::string phone;
        if (app::CheckDialString(CheckText(remotePhone_), phone) != app::FieldValid)
            return Refuse(RemotePhone, MailboxString::InvalidRemotePhoneNumber);
        zax::SetText(Record().RemotePhoneNumber, phone);
    }
    uint16_t unused = 0;
    if (app::CheckNumberField(CheckText(remoteMailbox_), 1, kMaxRemoteMailboxDigits, false, 0, 0,
                              unused) != app::FieldValid)
        return Refuse(RemoteMailbox, MailboxString::InvalidRemoteMailbox);
    SetField(Record().RemoteMailbox, remoteMailbox_);
    return Accept();
}

} // namespace mailbox
