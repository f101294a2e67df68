#include "lists/DialingParametersDialog.h"

#include "lists/ListText.h"
#include "lists/ListsIds.h"
#include "ui_DialingParametersDialog.h"

#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace lists {

using namespace DialingCtl;
using zax::DialingParameters;

DialingParametersDialog::DialingParametersDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(TemplateId::DialingParameters, parent), session_(session),
      form_(std::make_unique<Ui::DialingParametersDialog>()) {
    form_->setupUi(this);
    using namespace ui::StringId;
    using ui::bind::OnOff;
    using ui::bind::Text;
    // Each code may be left empty.
    const auto upTo = [](size_t digits) {
        return [digits](const std::string& t) { return IsDigits(t, 0, digits); };
    };
    Bind({
        Text(LongDistance, &DialingParameters::LongDistanceAccessCode, InvalidLongDistanceCode,
             upTo(2)),
        Text(AreaCode, &DialingParameters::AreaCode, InvalidAreaCode, upTo(6)),
        Text(Access, &DialingParameters::AccessCode, InvalidAccessCode, upTo(2)),
        OnOff(ReplyYes, ReplyNo, &DialingParameters::ReplyTranslate),
    });
}

DialingParametersDialog::~DialingParametersDialog() = default;

bool DialingParametersDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetDialingParameters(Record()); })
        .Succeeded();
}

void DialingParametersDialog::OnOK() {
    const std::optional<DialingParameters> parameters = StoreFields(DialingParameters{});
    if (!parameters)
        return;
    if (CallServer([&] { return session_.Server().SetDialingParameters(*parameters); }).Succeeded())
        EndDialog(ui::ControlId::Ok);
}

} // namespace lists
