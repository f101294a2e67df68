#pragma once
// The log-in dialog: the server (from the host history) and the
// administration password. OK resolves the server, moves it to the top of
// the history and writes the history back before the dialog ends.
#include "core/ConfigFile.h"
#include "core/HostName.h"
#include "ui/TemplateDialog.h"

#include <memory>
#include <string>

namespace Ui {
class LoginDialog;
}

namespace app {

class LoginDialog : public ui::TemplateDialog {
    Q_OBJECT
public:
    LoginDialog(const core::ConfigFile& config, core::HostLookup lookup, QWidget* parent = nullptr);
    ~LoginDialog() override;

    // Valid after the dialog ended with OK. The password is in the records'
    // encoding (ui/RecordText.h), as the server's field holds it.
    const std::string& serverText() const { return serverText_; }
    const std::string& password() const { return password_; }
    const std::string& address() const { return address_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::vector<std::string> HistoryEntries() const;

    std::unique_ptr<Ui::LoginDialog> form_;
    const core::ConfigFile& config_;
    core::HostLookup lookup_;
    std::string serverText_;
    std::string password_;
    std::string address_;
};

} // namespace app
