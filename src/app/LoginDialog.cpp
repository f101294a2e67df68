#include "app/LoginDialog.h"

#include "core/HostHistory.h"
#include "ui/Messages.h"
#include "ui/RecordText.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui_LoginDialog.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

namespace app {

using namespace ui;

LoginDialog::LoginDialog(const core::ConfigFile& config, core::HostLookup lookup, QWidget* parent)
    : TemplateDialog(DialogId::Login, parent), form_(new Ui::LoginDialog), config_(config),
      lookup_(std::move(lookup)) {
    form_->setupUi(this);
    form_->server->setMaxCount(static_cast<int>(core::kMaxHostHistory));
    // The history is ours to order; the combo must not add typed texts itself.
    form_->server->setInsertPolicy(QComboBox::NoInsert);
    // The server is kept exactly as typed. A case-insensitive completer would
    // swap "MyServer" for a history entry "myserver" when editing finishes.
    if (QCompleter* completer = form_->server->completer()) {
        completer->setCaseSensitivity(Qt::CaseSensitive);
    }
}

LoginDialog::~LoginDialog() = default;

bool LoginDialog::OnInitDialog() {
    form_->server->clear();
    for (const std::string& host : core::SplitHostList(config_.ReadHosts())) {
        form_->server->addItem(QString::fromStdString(host));
    }
    if (form_->server->count() > 0) {
        form_->server->setCurrentIndex(0);
    }
    form_->password->clear();
    form_->password->setFocus();
    return true;
}

std::vector<std::string> LoginDialog::HistoryEntries() const {
    std::vector<std::string> hosts;
    for (int i = 0; i < form_->server->count(); ++i) {
        hosts.push_back(form_->server->itemText(i).toStdString());
    }
    return hosts;
}

void LoginDialog::OnOK() {
    const std::string server = form_->server->currentText().toStdString();
    // Compared with the server's field byte for byte, so in the records' encoding.
    const std::string password = RecordBytes(form_->password->text());

    const core::ResolvedServer resolved = core::ResolveServerAddress(server, lookup_);
    if (resolved.code != core::FieldValid) {
        ShowStatusMessage(StringId::InvalidIpAddress);
        return;
    }

    std::vector<std::string> hosts = HistoryEntries();
    core::AddHostToHistory(hosts, server);
    form_->server->clear();
    for (const std::string& host : hosts) {
        form_->server->addItem(QString::fromStdString(host));
    }
    form_->server->setCurrentIndex(0);
    if (!config_.WriteHosts(hosts)) {
        ShowStatusMessage(StringId::ErrorWritingIni);
        return;
    }

    serverText_ = server;
    password_ = password;
    address_ = resolved.address;
    EndDialog(kAnswerOk);
}

} // namespace app
