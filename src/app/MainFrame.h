#pragma once
// The main window: menu 2 of the language module, the toolbar, the status
// bar with the lock-key indicators, the keep-alive timer and the routing of
// every menu command. Its client area stays empty; every function is a
// dialog opened from a command.
#include "core/ConfigFile.h"
#include "server/Session.h"
#include "ui/CommandTable.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QToolBar;

namespace app {

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kKeepAliveTimerId = 1;
    static constexpr int kKeepAliveMs = 300000;

    // languageCode is the application's current code, changed by the
    // Language dialog.
    CMainFrame(zax::Session& session, const core::ConfigFile& config,
               const ui::CommandTable& commands, int& languageCode);
    ~CMainFrame() override;

    // Builds the bars and starts the keep-alive timer; false when a bar
    // could not be built.
    bool Create();
    // Sizes and places the frame from the saved placement (or the default
    // size) and sets the title with the server name.
    void PlaceAndTitle(const core::WindowPlacement& saved, const QString& serverName);

    // Greys the Group Lists item by the system information and re-applies
    // the availability of every command.
    void RefreshMenuAvailability();
    bool IsCommandAvailable(int commandId) const;
    void OnCommand(int commandId);

    // After the Language dialog switched modules: icon, title without the
    // server name, menu, toolbar and status-bar texts from the new module.
    void ApplyNewLanguage();

    // The keep-alive step; public so that it can be driven without waiting.
    void OnKeepAliveTick();

    QAction* MenuAction(int commandId) const;
    QAction* ToolbarAction(int commandId) const;
    QToolBar* ToolBar() const { return toolBar_; }
    const QTimer& KeepAliveTimer() const { return keepAlive_; }
    int DefaultHeight() const;

signals:
    // The frame accepted a close request: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DefineFrameCommands();
    bool CreateToolBar();
    bool CreateStatusBar();
    void BuildMenu();
    void RetranslateBars();
    void UpdateCommandStates();
    void UpdateLockIndicators();
    void ShowContextHelp();
    void EnterClickHelpMode();
    bool HandleClickHelp(QObject* watched, QEvent* event);
    bool SavePlacement();

    zax::Session& session_;
    const core::ConfigFile& config_;
    const ui::CommandTable& commands_;
    int& languageCode_;
    std::map<int, std::function<void()>> frameCommands_;
    std::map<int, QAction*> menuActions_;
    std::map<int, QAction*> toolbarActions_;
    QToolBar* toolBar_ = nullptr;
    QLabel* idleLabel_ = nullptr;
    QLabel* lockLabels_[3] = {};
    QTimer keepAlive_;
    bool keepAliveFailureReported_ = false;
    bool clickHelpMode_ = false;
    int toolbarAllowance_ = 0;
    int statusBarAllowance_ = 0;
    QSize pendingFrameSize_; // saved outer size, applied once the decorations are known
};

} // namespace app
