#include "prompts/VoiceDialog.h"

#include "prompts/PromptsIds.h"
#include "prompts/VoiceItem.h"
#include "ui_VoiceDialog.h"

#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"
#include "ui/WaitCursor.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

namespace prompts {

using namespace VoiceCtl;

namespace {

// The two halves of the dialog differ only in their controls and the
// direction of the file dialog.
struct Side {
    int path;
    int format;
    bool save;
};
constexpr Side kUpload{UploadPath, UploadFormat, false};
constexpr Side kDownload{DownloadPath, DownloadFormat, true};

// What follows a recording's existence.
constexpr int kNeedRecording[] = {DownloadTo,     DownloadPath, DownloadFormat,
                                  DownloadBrowse, Play,         Edit};

} // namespace

VoiceDialog::VoiceDialog(VoiceItem& item, int captionId, QWidget* parent)
    : TemplateDialog(ui::DialogId::Voice, parent), item_(item), captionId_(captionId),
      form_(std::make_unique<Ui::VoiceDialog>()) {
    form_->setupUi(this);
    auto button = [this](int id) { return ControlAs<QPushButton>(id); };
    connect(button(UploadFrom), &QPushButton::clicked, this, &VoiceDialog::OnUpload);
    connect(button(DownloadTo), &QPushButton::clicked, this, &VoiceDialog::OnDownload);
    connect(button(UploadBrowse), &QPushButton::clicked, this, [this] { OnBrowse(false); });
    connect(button(DownloadBrowse), &QPushButton::clicked, this, [this] { OnBrowse(true); });
    connect(button(Play), &QPushButton::clicked, this, [this] { Report(item_.PlayExternally()); });
    connect(button(Edit), &QPushButton::clicked, this, [this] { Report(item_.Edit()); });
    connect(button(Record), &QPushButton::clicked, this, [this] {
        if (Report(item_.Record()))
            UpdateControlStates();
    });
    // Typing a name makes the format chosen for the old one meaningless.
    for (const Side& side : {kUpload, kDownload}) {
        auto* list = ControlAs<QComboBox>(side.format);
        connect(ControlAs<QLineEdit>(side.path), &QLineEdit::textEdited, list,
                [list] { list->setCurrentIndex(-1); });
    }
}

VoiceDialog::~VoiceDialog() = default;

bool VoiceDialog::OnInitDialog() {
    setWindowTitle(ui::LanguageModule::String(captionId_));
    UpdateControlStates();
    VoiceItem::FillFormatList(ControlAs<QComboBox>(UploadFormat));
    VoiceItem::FillFormatList(ControlAs<QComboBox>(DownloadFormat));
    return TemplateDialog::OnInitDialog();
}

void VoiceDialog::UpdateControlStates() {
    const bool recorded = item_.IsRecorded() != 0;
    for (const int id : kNeedRecording)
        EnableControl(id, recorded);
}

bool VoiceDialog::Report(std::uint32_t status) {
    if (status != 0)
        item_.ReportError(status);
    return status == 0;
}

void VoiceDialog::OnUpload() {
    const QString path = ControlText(UploadPath);
    const std::optional<voice::VoiceFileFormat> format =
        VoiceItem::FormatFromList(ControlAs<QComboBox>(UploadFormat));
    if (path.isEmpty()) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::VoiceFileRequired));
        FocusControl(UploadPath);
        ControlAs<QLineEdit>(UploadPath)->selectAll();
        return;
    }
    if (!format) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::VoiceFileTypeRequired));
        FocusControl(UploadFormat);
        return;
    }
    std::uint32_t status = 0;
    {
        const ui::WaitCursor busy;
        status = item_.Upload(path, *format);
    }
    if (Report(status))
        UpdateControlStates();
}

void VoiceDialog::OnDownload() {
    const QString path = ControlText(DownloadPath);
    const std::optional<voice::VoiceFileFormat> format =
        VoiceItem::FormatFromList(ControlAs<QComboBox>(DownloadFormat));
    if (path.isEmpty()) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::VoiceFileRequired));
        FocusControl(DownloadPath);
        ControlAs<QLineEdit>(DownloadPath)->selectAll();
        return;
    }
    if (!format) {
        ui::ShowMessage(ui::LanguageModule::String(ui::StringId::VoiceFileTypeRequired));
        FocusControl(DownloadFormat);
        return;
    }
    std::uint32_t status = 0;
    {
        const ui::WaitCursor busy;
        status = item_.Download(path, *format);
    }
    Report(status);
}

void VoiceDialog::OnBrowse(bool save) {
    const Side& side = save ? kDownload : kUpload;
    const QFileInfo current(ControlText(side.path));
    ui::FileDialogRequest request;
    request.save = save;
    request.directory = ControlText(side.path).isEmpty() ? QString() : current.absolutePath();
    request.fileName = current.fileName();
    request.filter = item_.FileFilter();
    const QString chosen = ui::Hooks().fileDialog(this, request);
    if (chosen.isEmpty())
        return;
    SetControlText(side.path, QFileInfo(chosen).absoluteFilePath());
    VoiceItem::SelectFormatByExtension(ControlAs<QComboBox>(side.format),
                                       QFileInfo(chosen).suffix());
}

} // namespace prompts
