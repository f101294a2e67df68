#pragma once
// The Voice dialog (dialog 156): uploads a local file into one recording,
// downloads it into a local file, and plays, edits or records it with the
// sound programs. The caller gives the item and the caption.

#include "ui/TemplateDialog.h"

#include <memory>

namespace Ui {
class VoiceDialog;
}

namespace prompts {

class VoiceItem;

class VoiceDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    VoiceDialog(VoiceItem& item, int captionId, QWidget* parent = nullptr);
    ~VoiceDialog() override;

protected:
    bool OnInitDialog() override;

private:
    // Download, play and edit need a recording; upload and record do not.
    void UpdateControlStates();
    void OnUpload();
    void OnDownload();
    void OnBrowse(bool save);
    // Runs an operation with the dialog's fields kept; a failure is reported.
    bool Report(std::uint32_t status);

    VoiceItem& item_;
    int captionId_;
    std::unique_ptr<Ui::VoiceDialog> form_;
};

} // namespace prompts
