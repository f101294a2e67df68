#include "network/GeneralNetworkingDialog.h"

#include "network/NetworkIds.h"
#include "ui_GeneralNetworkingDialog.h"

#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace network {

using namespace GeneralCtl;
using zax::NetworkParameters;

GeneralNetworkingDialog::GeneralNetworkingDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::GeneralNetworking, parent), session_(session),
      form_(std::make_unique<Ui::GeneralNetworkingDialog>()) {
    form_->setupUi(this);
    using ui::bind::Digits;
    using ui::bind::Number;
    using ui::bind::OnOff;
    using N = NetworkParameters;
    Bind({
        Number(Retry, &N::NetworkRetry, ui::StringId::InvalidRetriesValue, Digits(1, 1, 1, 9)),
        Number(Delay, &N::NetworkDelay, ui::StringId::InvalidDelayValue, Digits(1, 2, 1, 60)),
        OnOff(ReceiveYes, ReceiveNo, &N::NetworkReceive),
        OnOff(DeliverYes, DeliverNo, &N::NetworkDeliver),
        OnOff(ReplyYes, ReplyNo, &N::NetworkReply),
        OnOff(BroadcastYes, BroadcastNo, &N::NetworkBroadcast),
        OnOff(GroupListYes, GroupListNo, &N::NetworkGroupList),
    });
}

GeneralNetworkingDialog::~GeneralNetworkingDialog() = default;

bool GeneralNetworkingDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetGeneralNetworking(Record()); })
        .Succeeded();
}

void GeneralNetworkingDialog::OnOK() {
    // Only this dialog's fields go out; the rest of the record is zero.
    const std::optional<NetworkParameters> parameters = StoreFields(NetworkParameters{});
    if (!parameters)
        return;
    if (!CallServer([&] {
             return session_.Server().SetGeneralNetworking(*parameters);
         }).Succeeded())
        return;
    // Group lists consult the flag from now on; it follows only what the
    // server has accepted.
    session_.systemInfo.NetworkGroupListEnabled = parameters->NetworkGroupList;
    EndDialog(ui::ControlId::Ok);
}

} // namespace network
