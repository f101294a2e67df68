#include "network/AddNetworkSiteDialog.h"

#include "network/NetworkIds.h"
#include "ui_AddNetworkSiteDialog.h"

#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace network {

using namespace AddSiteCtl;

AddNetworkSiteDialog::AddNetworkSiteDialog(zax::Session& session, zax::NetworkSite& site,
                                           QWidget* parent)
    : TemplateDialog(ui::DialogId::AddNetworkSite, parent), session_(session), site_(site),
      form_(std::make_unique<Ui::AddNetworkSiteDialog>()) {
    form_->setupUi(this);
}

AddNetworkSiteDialog::~AddNetworkSiteDialog() = default;

bool AddNetworkSiteDialog::Load() {
    uint8_t full = 0;
    if (!ui::GuardServerCall([&] { return session_.Server().IsSiteTableFull(full); }).Succeeded())
        return false;
    if (full != 0) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::SiteTableFull));
        return false;
    }
    return true;
}

bool AddNetworkSiteDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    SetChecked(Amis, true);
    return true;
}

void AddNetworkSiteDialog::OnOK() {
    site_.SiteType =
        static_cast<int16_t>(IsChecked(Smtp) ? zax::SiteType::Digital : zax::SiteType::Amis);
    EndDialog(ui::ControlId::Ok);
}

} // namespace network
