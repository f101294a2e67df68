#include "attendant/FaxParametersDialog.h"

#include "attendant/AttendantIds.h"
#include "ui_FaxParametersDialog.h"

#include "core/EntryChecks.h"
#include "server/Session.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace attendant {

using namespace FaxCtl;
using zax::FaxParameters;

namespace {

constexpr size_t kMaxNameLength = 16;

} // namespace

FaxParametersDialog::FaxParametersDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::FaxParameters, parent), session_(session),
      form_(std::make_unique<Ui::FaxParametersDialog>()) {
    form_->setupUi(this);
    using namespace ui::StringId;
    using ui::bind::Digits;
    using ui::bind::Number;
    using ui::bind::Text;
    const int length = session_.systemInfo.ExtensionLength;
    // An empty extension or name is the server's "none".
    Bind({
        Text(Extension, &FaxParameters::SystemFaxExtension, InvalidExtension,
             [length](const std::string& text) {
                 return text.empty() || core::CheckMailboxNumber(text, length) == core::FieldValid;
             }),
        Text(Name, &FaxParameters::SystemFaxName, InvalidName,
             [](const std::string& text) {
                 return text.empty() ||
                        core::CheckLabel(text, 1, kMaxNameLength) == core::FieldValid;
             }),
        Number(Retries, &FaxParameters::Retries, InvalidRetriesValue, Digits(1, 2, 1, 99)),
        Number(Interval, &FaxParameters::Interval, InvalidIntervalValue, Digits(1, 2, 1, 60)),
    });
}

FaxParametersDialog::~FaxParametersDialog() = default;

bool FaxParametersDialog::Load() {
    return ui::GuardServerCall([&] { return session_.Server().GetFaxParameters(Record()); })
        .Succeeded();
}

void FaxParametersDialog::OnOK() {
    // The server's own fields, which the dialog neither shows nor sets, go
    // back as they were read.
    const std::optional<FaxParameters> parameters = StoreFields(Record());
    if (!parameters)
        return;
    // A refusal keeps the dialog open for another try.
    if (CallServer([&] { return session_.Server().SetFaxParameters(*parameters); }).Succeeded())
        EndDialog(ui::ControlId::Ok);
}

} // namespace attendant
