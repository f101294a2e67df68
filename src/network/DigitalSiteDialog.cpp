#include "network/DigitalSiteDialog.h"

#include "network/NetworkIds.h"
#include "network/SiteFields.h"
#include "ui_DigitalSiteDialog.h"

#include "core/EntryChecks.h"
#include "core/HostName.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace network {

using namespace DigitalSiteCtl;
using zax::NetworkSite;

namespace {

constexpr size_t kMaxHostName = 64;

constexpr ui::StatusMessage kSaveStatuses[] = {
    {zax::StatusSitePrefixExists, ui::StringId::SitePrefixExists},
    {zax::StatusSitePrefixOverlaps, ui::StringId::SitePrefixOverlaps},
    {zax::StatusInvalidHostName, ui::StringId::InvalidHostName},
    {zax::StatusPrefixExists, ui::StringId::MailboxPrefixExists},
    {zax::StatusPrefixOverlaps, ui::StringId::MailboxPrefixOverlaps},
    {zax::StatusDuplicateHostName, ui::StringId::DuplicateHostName},
};

int16_t Format(zax::SiteVoiceFormat format) {
    return static_cast<int16_t>(format);
}

} // namespace

DigitalSiteDialog::DigitalSiteDialog(zax::Session& session, NetworkSite& site, bool adding,
                                     QWidget* parent)
    : BoundDialog(ui::DialogId::DigitalSite, parent), session_(session), site_(site),
      adding_(adding), form_(std::make_unique<Ui::DigitalSiteDialog>()) {
    form_->setupUi(this);
    Record() = site;
    using zax::SiteVoiceFormat;
    Bind({
        SiteTypeRow(zax::SiteType::Digital),
        ui::bind::Text(Host, &NetworkSite::HostName, ui::StringId::InvalidHostName,
                       [](const std::string& text) {
                           return core::CheckHostName(text, kMaxHostName) == core::FieldValid;
                       }),
        SitePrefixRow(Prefix, adding_),
        SiteNameRow(Name),
        ui::bind::Text(MailboxPrefix, &NetworkSite::MailboxPrefix,
                       ui::StringId::InvalidMailboxPrefix,
                       [](const std::string& text) {
                           return core::CheckOptionalDigits(text) == core::FieldValid;
                       }),
        ui::bind::Radio({Adpcm, Sbc, Vpim}, &NetworkSite::VoiceFormat,
                        {Format(SiteVoiceFormat::Adpcm), Format(SiteVoiceFormat::Sbc),
                         Format(SiteVoiceFormat::Vpim)}),
    });
}

DigitalSiteDialog::~DigitalSiteDialog() = default;

// Only the flag counts, never the status: a server that cannot say offers
// no VPIM, and says nothing about it.
bool DigitalSiteDialog::Load() {
    vpimAvailable_ = 0;
    return !ui::GuardServerCall([&] {
                static_cast<void>(session_.Server().IsVpimAvailable(vpimAvailable_));
                return zax::ServerStatus{0};
            }).Ending();
}

bool DigitalSiteDialog::OnInitDialog() {
    BoundDialog::OnInitDialog();
    EnableControl(Prefix, adding_);
    if (vpimAvailable_ == 0)
        ui::DisableAndHide(*this, Vpim);
    return true;
}

void DigitalSiteDialog::OnOK() {
    const std::optional<NetworkSite> site = StoreFields(site_);
    if (!site)
        return;
    const ui::CallResult result =
        adding_ ? CallServer([&] { return session_.Server().AddSite(*site); }, kSaveStatuses)
                : CallServer([&] { return session_.Server().ChangeSite(*site); }, kSaveStatuses);
    if (!result.Succeeded())
        return;
    site_ = *site;
    EndDialog(ui::ControlId::Ok);
}

} // namespace network
