#pragma once
// Select Default Editor (dialog 127): the program a fetched report is opened
// with. The choice takes effect at once and is kept under "Default Editor"
// in the configuration file.

#include "core/ConfigFile.h"
#include "ui/TemplateDialog.h"

#include <memory>
#include <string_view>

namespace zax {
struct Session;
}
namespace Ui {
class SelectEditorDialog;
}

namespace reports {

// Whether `editor` (UTF-8) can name a program: not empty, short enough for
// the editor field of the system information, and a file name that holds no
// character a file name cannot have.
bool IsValidEditor(std::string_view editor);

class SelectEditorDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    explicit SelectEditorDialog(zax::Session& session, QWidget* parent = nullptr,
                                core::ConfigFile config = core::ConfigFile());
    ~SelectEditorDialog() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    zax::Session& session_;
    core::ConfigFile config_;
    std::unique_ptr<Ui::SelectEditorDialog> form_;
};

} // namespace reports
