#include "network/SiteFields.h"

#include "network/NetworkIds.h"

#include "core/EntryChecks.h"
#include "ui/LanguageModule.h"
#include "ui/StringIds.h"

namespace network {

using zax::NetworkSite;

namespace {
constexpr size_t kMaxSiteName = sizeof NetworkSite{}.SiteName - 1;
} // namespace

ui::Binding<NetworkSite> SitePrefixRow(int control, bool adding) {
    return ui::bind::Rule<NetworkSite>(
        control, ui::StringId::InvalidSitePrefix,
        [control, adding](NetworkSite& r, const ui::ControlAccess& host) {
            if (!adding)
                return true;
            const std::string prefix = ui::RecordBytes(host.ControlText(control));
            if (core::CheckDigits(prefix) != core::FieldValid)
                return false;
            zax::SetText(r.SitePrefix, prefix);
            return true;
        },
        [control](const NetworkSite& r, ui::ControlAccess& host) {
            host.SetControlText(control, ui::RecordText(r.SitePrefix));
        });
}

ui::Binding<NetworkSite> SiteNameRow(int control) {
    return ui::bind::Rule<NetworkSite>(
        control, 0,
        [control](NetworkSite& r, const ui::ControlAccess& host) {
            const std::string name = ui::RecordBytes(host.ControlText(control));
            const bool passes = core::CheckLabel(name, 1, kMaxSiteName) == core::FieldValid;
            zax::SetText(r.SiteName, passes ? name : FallbackSiteName(zax::GetText(r.SitePrefix)));
            return true;
        },
        [control](const NetworkSite& r, ui::ControlAccess& host) {
            host.SetControlText(control, ui::RecordText(r.SiteName));
        });
}

ui::Binding<NetworkSite> SiteTypeRow(zax::SiteType type) {
    return ui::bind::Rule<NetworkSite>(0, 0, [type](NetworkSite& r, const ui::ControlAccess&) {
        r.SiteType = static_cast<int16_t>(type);
        return true;
    });
}

std::string FallbackSiteName(const std::string& prefix) {
    return "Site" + prefix;
}

SiteListRow RowOfSite(const NetworkSite& site) {
    const bool amis = site.SiteType == static_cast<int16_t>(zax::SiteType::Amis);
    return {zax::GetText(site.SiteName), zax::GetText(site.SitePrefix),
            ui::LanguageModule::String(amis ? NetworkString::SiteTypeAmis
                                            : NetworkString::SiteTypeDigital)
                .toStdString()};
}

} // namespace network
