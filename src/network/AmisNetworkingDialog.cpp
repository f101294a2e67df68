#include "network/AmisNetworkingDialog.h"

#include "network/NetworkIds.h"
#include "network/RouteChoice.h"
#include "ui_AmisNetworkingDialog.h"

#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QRadioButton>

#include <algorithm>

namespace network {

using namespace AmisCtl;
using zax::NetworkParameters;

namespace {

constexpr RouteControls kRoute{Line, LineNumber, Pool, PoolNumber};

// Empty, or 1 to `max` digits.
ui::TextCheck OptionalDigits(size_t max) {
    return [max](const std::string& text) {
        return text.size() <= max &&
               std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
}

} // namespace

AmisNetworkingDialog::AmisNetworkingDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::AmisNetworking, parent), session_(session),
      form_(std::make_unique<Ui::AmisNetworkingDialog>()) {
    form_->setupUi(this);
    using ui::bind::OnOff;
    using ui::bind::Text;
    using N = NetworkParameters;
    using namespace ui::StringId;
    ui::BindingTable<N> rows = {
        Text(AccessCode, &N::InternationalAccessCode, InvalidInternationalAccessCode,
             OptionalDigits(4)),
        Text(CountryCode, &N::CountryCode, InvalidCountryCode, OptionalDigits(4)),
        Text(AreaCode, &N::AreaCode, InvalidAreaCode, OptionalDigits(6)),
        Text(Phone, &N::TelephoneNumber, InvalidTelephoneNumber, OptionalDigits(16)),
    };
    for (auto& row :
         RouteRows<N>(kRoute, session_.systemInfo, &N::OutgoingRouteKind, &N::LineOrPoolNumber))
        rows.push_back(std::move(row));
    rows.push_back(OnOff(LoopbackYes, LoopbackNo, &N::LoopbackEnabled));
    rows.push_back(OnOff(SystemNameYes, SystemNameNo, &N::IncludeSystemName));
    rows.push_back(OnOff(SenderNameYes, SenderNameNo, &N::IncludeSenderName));
    Bind(std::move(rows));
    for (const int radio : {Line, Pool})
        connect(ControlAs<QRadioButton>(radio), &QRadioButton::clicked, this,
                [this, radio] { OnRouteChosen(radio); });
}

AmisNetworkingDialog::~AmisNetworkingDialog() = default;

bool AmisNetworkingDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetAmisNetworking(Record()); })
        .Succeeded();
}

void AmisNetworkingDialog::UpdateControlStates() {
    EnableRouteNumber(*this, kRoute);
}

void AmisNetworkingDialog::OnRouteChosen(int radio) {
    ChooseRoute(*this, kRoute, radio);
}

void AmisNetworkingDialog::OnOK() {
    // Only this dialog's fields go out; the rest of the record is zero.
    const std::optional<NetworkParameters> parameters = StoreFields(NetworkParameters{});
    if (!parameters)
        return;
    if (CallServer([&] { return session_.Server().SetAmisNetworking(*parameters); }).Succeeded())
        EndDialog(ui::ControlId::Ok);
}

} // namespace network
