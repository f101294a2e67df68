#include "app/ZaxApplication.h"

#include "app/LanguageCodes.h"
#include "core/TimeOfDay.h"
#include "ui/DataExchange.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"

#include <QApplication>
#include <QPalette>

namespace app {

using namespace ui;

namespace {

void ShowIniReadError() {
    Hooks().standardBox(LanguageModule::String(StringId::ProgramTitle),
                        LanguageModule::String(StringId::ErrorReadingIni),
                        StandardBoxIcon::Warning);
}

} // namespace

void ApplyDialogLook() {
    const QColor grey(192, 192, 192);
    QPalette palette = QApplication::palette();
    for (const auto role : {QPalette::Window, QPalette::Button}) {
        palette.setColor(role, grey);
    }
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, Qt::black);
        palette.setColor(QPalette::Inactive, role, Qt::black);
    }
    // Greyed items stay readable on the grey background.
    const QColor greyed(128, 128, 128);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Disabled, role, greyed);
    }
    QApplication::setPalette(palette);
}

ZaxApplication::ZaxApplication(core::ConfigFile config, const ui::CommandTable& commands,
                               zax::Session& session, ServerConnector connector,
                               core::HostLookup lookup)
    : config_(std::move(config)), commands_(commands), session_(session),
      connector_(std::move(connector)), lookup_(std::move(lookup)) {}

ZaxApplication::~ZaxApplication() {
    frame_.reset();
    LanguageModule::Release();
    CloseAdministrationSession(session_);
    session_.server = nullptr;
}

bool ZaxApplication::LoadStartupModule() {
    const std::optional<int> code = config_.ReadLanguage();
    if (!code) {
        ShowIniReadError();
        return false;
    }
    languageCode_ = *code;
    const QString module = ModuleFileForCode(languageCode_);
    if (!LanguageModule::Load(module)) {
        ShowStandardMessage(LanguageModule::String(StringId::ErrorLoadingPrefix) + module);
    }
    return true;
}

bool ZaxApplication::InitInstance() {
    ApplyDialogLook();
    session_.systemInfo = zax::SystemInfo{};
    session_.handle = zax::SessionHandle{};
    if (!LoadStartupModule()) {
        return false;
    }
    // Nothing to start for the network layer here: sockets need no set-up.
    link_ = RunLoginLoop(session_, config_, connector_, lookup_);
    if (!link_) {
        return false;
    }
    session_.systemInfo.LanguageCode = static_cast<int16_t>(languageCode_);

    if (!config_.ReadPrintTo()) {
        // The module is loaded by now: the program's own box, unlike the
        // Language case above, which has no module to take its texts from.
        ShowMessage(LanguageModule::String(StringId::ErrorReadingIni), kStyleWarning);
        return false;
    }
    session_.systemInfo.PrintDestination = zax::PrintDisplayLocally;
    zax::SetText(session_.systemInfo.DefaultEditor, config_.ReadDefaultEditor());

    if (!OpenAdministrationSession(session_)) {
        return false;
    }
    return CreateMainFrame();
}

bool ZaxApplication::CreateMainFrame() {
    const core::WindowPlacement placement = config_.ReadWindowPlacement();
    frame_ = std::make_unique<CMainFrame>(session_, config_, commands_, languageCode_);
    if (!frame_->Create()) {
        frame_.reset();
        return false;
    }
    frame_->PlaceAndTitle(placement, QString::fromStdString(session_.serverName));
    frame_->RefreshMenuAvailability();
    frame_->show();
    frame_->update();
    return true;
}

} // namespace app
