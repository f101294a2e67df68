#include "network/DigitalNetworkingDialog.h"

#include "network/NetworkIds.h"
#include "ui_DigitalNetworkingDialog.h"

#include "core/EntryChecks.h"
#include "core/HostName.h"
#include "server/ServerStatuses.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace network {

using namespace DigitalCtl;
using zax::NetworkParameters;

namespace {

constexpr size_t kMaxProxyName = sizeof NetworkParameters{}.SmtpProxyName - 1;

constexpr ui::StatusMessage kSaveStatuses[] = {
    {zax::StatusInvalidSmtpProxy, ui::StringId::InvalidSmtpProxy},
    {zax::StatusPrefixExists, ui::StringId::LocalPrefixExists},
    {zax::StatusPrefixOverlaps, ui::StringId::LocalPrefixOverlaps},
};

} // namespace

DigitalNetworkingDialog::DigitalNetworkingDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::DigitalNetworking, parent), session_(session),
      form_(std::make_unique<Ui::DigitalNetworkingDialog>()) {
    form_->setupUi(this);
    using ui::bind::Text;
    // Both may be left empty.
    Bind({
        Text(Proxy, &NetworkParameters::SmtpProxyName, ui::StringId::InvalidSmtpProxy,
             [](const std::string& text) {
                 return text.empty() ||
                        core::CheckHostName(text, kMaxProxyName) == core::FieldValid;
             }),
        Text(LocalPrefix, &NetworkParameters::LocalPrefix, ui::StringId::InvalidLocalPrefix,
             [](const std::string& text) {
                 return core::CheckOptionalDigits(text) == core::FieldValid;
             }),
    });
}

DigitalNetworkingDialog::~DigitalNetworkingDialog() = default;

bool DigitalNetworkingDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetDigitalNetworking(Record()); })
        .Succeeded();
}

void DigitalNetworkingDialog::OnOK() {
    const std::optional<NetworkParameters> parameters = StoreFields(NetworkParameters{});
    if (!parameters)
        return;
    if (CallServer([&] { return session_.Server().SetDigitalNetworking(*parameters); },
                   kSaveStatuses)
            .Succeeded())
        EndDialog(ui::ControlId::Ok);
}

} // namespace network
