#include "mailbox/SpeechRecPropertiesDialog.h"

#include "mailbox/SpeechIds.h"
#include "ui_SpeechRecPropertiesDialog.h"

#include "server/Session.h"
#include "ui/ResourceIds.h"

namespace mailbox {

SpeechRecPropertiesDialog::SpeechRecPropertiesDialog(zax::Session& session, QWidget* parent)
    : BoundDialog(ui::DialogId::SpeechRecProperties, parent), session_(session),
      form_(std::make_unique<Ui::SpeechRecPropertiesDialog>()) {
    form_->setupUi(this);
    Bind({ui::bind::Check(VoiceDialingCtl::Enabled, &zax::VoiceDialingRecord::Enabled)});
}

SpeechRecPropertiesDialog::~SpeechRecPropertiesDialog() = default;

bool SpeechRecPropertiesDialog::Load() {
    return CallServer([&] { return session_.Server().GetVoiceDialing(Record()); }).Succeeded();
}

// A refused write is said, and the dialog stays for another try.
void SpeechRecPropertiesDialog::OnOK() {
    const std::optional<zax::VoiceDialingRecord> record = StoreFields(zax::VoiceDialingRecord{});
    if (!record)
        return;
    if (CallServer([&] { return session_.Server().SetVoiceDialing(*record); }).Succeeded())
        EndDialog(ui::ControlId::Ok);
}

} // namespace mailbox
