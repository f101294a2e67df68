#include "network/AmisSiteDialog.h"

#include "network/NetworkIds.h"
#include "network/RouteChoice.h"
#include "network/SiteFields.h"
#include "ui_AmisSiteDialog.h"

#include "core/EntryChecks.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QRadioButton>

namespace network {

using namespace AmisSiteCtl;
using zax::NetworkSite;

namespace {

constexpr RouteControls kRoute{Line, LineNumber, Pool, PoolNumber};

// The telephone number field holds 30 bytes with its terminator: a number
// of 30 characters would fill it completely, so the entry stops at 29.
constexpr size_t kMaxPhone = sizeof NetworkSite{}.TelephoneNumber - 1;

constexpr ui::StatusMessage kAddStatuses[] = {
    {zax::StatusSitePrefixExists, ui::StringId::SitePrefixExists},
    {zax::StatusSitePrefixOverlaps, ui::StringId::SitePrefixOverlaps},
};
constexpr ui::StatusMessage kChangeStatuses[] = {
    {zax::StatusSitePrefixOverlaps, ui::StringId::SitePrefixOverlaps},
};

} // namespace

AmisSiteDialog::AmisSiteDialog(zax::Session& session, NetworkSite& site, bool adding,
                               QWidget* parent)
    : BoundDialog(ui::DialogId::AmisSite, parent), session_(session), site_(site), adding_(adding),
      form_(std::make_unique<Ui::AmisSiteDialog>()) {
    form_->setupUi(this);
    Record() = site;
    ui::BindingTable<NetworkSite> rows = {
        SiteTypeRow(zax::SiteType::Amis),
        ui::bind::Text(Phone, &NetworkSite::TelephoneNumber, ui::StringId::InvalidTelephoneNumber,
                       [](const std::string& text) {
                           std::string dial;
                           return text.size() <= kMaxPhone &&
                                  core::CheckDialString(text, dial) == core::FieldValid;
                       }),
        SitePrefixRow(Prefix, adding_),
        SiteNameRow(Name),
    };
    for (auto& row :
         RouteRows<NetworkSite>(kRoute, session_.systemInfo, &NetworkSite::OutgoingRouteKind,
                                &NetworkSite::LineOrPoolNumber))
        rows.push_back(std::move(row));
    Bind(std::move(rows));
    for (const int radio : {Line, Pool})
        connect(ControlAs<QRadioButton>(radio), &QRadioButton::clicked, this,
                [this, radio] { OnRouteChosen(radio); });
}

AmisSiteDialog::~AmisSiteDialog() = default;

bool AmisSiteDialog::OnInitDialog() {
    BoundDialog::OnInitDialog();
    EnableControl(Prefix, adding_);
    return true;
}

void AmisSiteDialog::UpdateControlStates() {
    EnableRouteNumber(*this, kRoute);
}

void AmisSiteDialog::OnRouteChosen(int radio) {
    ChooseRoute(*this, kRoute, radio);
}

void AmisSiteDialog::OnOK() {
    const std::optional<NetworkSite> site = StoreFields(site_);
    if (!site)
        return;
    const ui::CallResult result =
        adding_ ? CallServer([&] { return session_.Server().AddSite(*site); }, kAddStatuses)
                : CallServer([&] { return session_.Server().ChangeSite(*site); }, kChangeStatuses);
    if (!result.Succeeded())
        return;
    site_ = *site;
    EndDialog(ui::ControlId::Ok);
}

} // namespace network
