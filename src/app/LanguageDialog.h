#pragma once
// The Language dialog: switches the language module while the program runs,
// remembers the choice in the configuration file and puts the help files of
// the new language in place.
#include "core/ConfigFile.h"
#include "server/Session.h"
#include "ui/TemplateDialog.h"

#include <memory>

namespace Ui {
class LanguageDialog;
}

namespace app {

class CMainFrame;

class LanguageDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    LanguageDialog(const core::ConfigFile& config, int& languageCode, zax::Session& session,
                   CMainFrame& frame, QWidget* parent = nullptr);
    ~LanguageDialog() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    // The code of the checked radio, 0 when none is checked.
    int SelectedCode() const;
    void CopyHelpFiles(const QString& baseName);

    std::unique_ptr<Ui::LanguageDialog> form_;
    const core::ConfigFile& config_;
    int& languageCode_;
    zax::Session& session_;
    CMainFrame& frame_;
    int codeOnOpening_ = 0;
    bool moduleSwitched_ = false; // a module was loaded while the dialog was open
};

} // namespace app
