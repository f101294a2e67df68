#include "reports/SelectEditorDialog.h"

#include "reports/ReportsIds.h"
#include "ui_SelectEditorDialog.h"

#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <algorithm>

namespace reports {

using namespace EditorCtl;

namespace {

// The field keeps its text NUL-terminated, so one byte less than its size.
constexpr size_t kMaxEditorBytes = sizeof(zax::SystemInfo::DefaultEditor) - 1;
static_assert(kMaxEditorBytes < core::kMaxEditorChars + 1);

constexpr std::string_view kNotInFileNames = "*?<>|";

bool IsNameCharacter(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && c != 0x7f &&
           kNotInFileNames.find(c) == std::string_view::npos;
}

} // namespace

bool IsValidEditor(std::string_view editor) {
    if (editor.empty() || editor.size() > kMaxEditorBytes)
        return false;
    if (!std::all_of(editor.begin(), editor.end(), IsNameCharacter))
        return false;
    // The file title, the part after the last separator, must not be empty.
    return editor.back() != '/';
}

SelectEditorDialog::SelectEditorDialog(zax::Session& session, QWidget* parent,
                                       core::ConfigFile config)
    : TemplateDialog(ui::DialogId::SelectDefaultEditor, parent), session_(session),
      config_(std::move(config)), form_(std::make_unique<Ui::SelectEditorDialog>()) {
    form_->setupUi(this);
}

SelectEditorDialog::~SelectEditorDialog() = default;

bool SelectEditorDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    // The editor is kept as the configuration file holds it: UTF-8.
    SetControlText(Editor, QString::fromUtf8(zax::GetText(session_.systemInfo.DefaultEditor)));
    return true;
}

void SelectEditorDialog::OnOK() {
    const std::string editor = ControlText(Editor).toStdString();
    if (!IsValidEditor(editor)) {
        ui::ShowStatusMessage(ui::StringId::InvalidEditor);
        FocusControl(Editor);
        return;
    }
    // In effect at once, even when the file cannot keep it.
    zax::SetText(session_.systemInfo.DefaultEditor, editor);
    if (!config_.WriteDefaultEditor(editor)) {
        ui::ShowStatusMessage(ui::StringId::ErrorWritingIni);
        return;
    }
    EndDialog(ui::ControlId::Ok);
}

} // namespace reports
