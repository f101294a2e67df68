#pragma once
// Speech Recognition Properties (dialog 147): the system-wide switch for
// voice-activated dialing.

#include "server/Records.h"
#include "ui/BoundDialog.h"

#include <memory>

namespace zax {
struct Session;
}
namespace Ui {
class SpeechRecPropertiesDialog;
}

namespace mailbox {

class SpeechRecPropertiesDialog : public ui::BoundDialog<zax::VoiceDialingRecord> {
    Q_OBJECT
public:
    explicit SpeechRecPropertiesDialog(zax::Session& session, QWidget* parent = nullptr);
    ~SpeechRecPropertiesDialog() override;

    // Reads the switch; false when it could not be read (the failure has
    // been reported), so that a switch nobody has seen is never written.
    bool Load() override;

protected:
    void OnOK() override;

private:
    zax::Session& session_;
    std::unique_ptr<Ui::SpeechRecPropertiesDialog> form_;
};

} // namespace mailbox
