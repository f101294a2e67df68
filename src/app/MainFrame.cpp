#include "app/MainFrame.h"

#include "app/AboutDialog.h"
#include "app/LanguageDialog.h"
#include "app/LockKeys.h"
#include "dcerpc/RpcError.h"
#include "ui/HelpViewer.h"
#include "ui/LanguageModule.h"
#include "ui/MenuBuilder.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"
#include "ui/TemplateDialog.h"
#include "ui/UiHooks.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace app {

using namespace ui;

namespace {

// Menu-bar positions that stay available whatever the server offers.
constexpr int kAlwaysAvailablePositions[] = {4, 5, 6};

// Status-bar indicator texts, in pane order after the message pane.
constexpr int kIndicatorStrings[] = {StringId::IndicatorCaps, StringId::IndicatorNum,
                                     StringId::IndicatorScroll};

// A toolbar button's tip: its menu item's text without the mnemonic and the
// dots; the status-bar prompt for a button without a menu item (Help Topics).
QString ToolTipFor(const QAction* menuItem, int commandId) {
    if (menuItem == nullptr) {
        return LanguageModule::String(commandId);
    }
    QString text = menuItem->text();
    text.remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char('.')) || text.endsWith(QLatin1Char(' '))) {
        text.chop(1);
    }
    return text;
}

} // namespace

CMainFrame::CMainFrame(zax::Session& session, const core::ConfigFile& config,
                       const ui::CommandTable& commands, int& languageCode)
    : session_(session), config_(config), commands_(commands), languageCode_(languageCode) {
    // A caption, a system menu, a sizing border and a minimize box; no maximize box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(LanguageModule::Icon());
    keepAlive_.setInterval(kKeepAliveMs);
    connect(&keepAlive_, &QTimer::timeout, this, &CMainFrame::OnKeepAliveTick);
    DefineFrameCommands();
}

// The commands the frame carries out itself; every other one is looked up
// in the command table.
void CMainFrame::DefineFrameCommands() {
    const auto showContents = [] { Hooks().showHelp(0); };
    const auto toggle = [this](QWidget* bar) {
        bar->setVisible(bar->isHidden());
        UpdateCommandStates();
    };
    frameCommands_ = {
        {CommandId::Exit, [this] { close(); }},
        {CommandId::About, [this] { AboutDialog(this).DoModal(); }},
        // A new language replaces the menus, the one that delivered this
        // command too, and a menu still uses itself after its item's handler
        // returns: the dialog runs once the delivery is over.
        {CommandId::Language,
         [this] {
             QMetaObject::invokeMethod(
                 this,
                 [this] {
                     LanguageDialog(config_, languageCode_, session_, *this, this).DoModal();
                     RefreshMenuAvailability();
                 },
                 Qt::QueuedConnection);
         }},
        {CommandId::HelpIndex, showContents},
        {CommandId::HelpContents, showContents},
        {CommandId::HelpUsing, [] { HelpViewer::Instance().ShowUsingHelp(); }},
        {CommandId::Help, [this] { ShowContextHelp(); }},
        {CommandId::ContextHelp, [this] { EnterClickHelpMode(); }},
        {CommandId::ViewToolbar, [this, toggle] { toggle(toolBar_); }},
        {CommandId::ViewStatusBar, [this, toggle] { toggle(statusBar()); }},
    };
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
}

bool CMainFrame::Create() {
    BuildMenu();
    if (!CreateToolBar()) {
        return false;
    }
    toolbarAllowance_ = toolBar_->sizeHint().height() + 2;
    if (!CreateStatusBar()) {
        return false;
    }
    statusBarAllowance_ = statusBar()->sizeHint().height();

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { OnCommand(CommandId::Help); });
    auto* shiftF1 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(shiftF1, &QShortcut::activated, this, [this] { OnCommand(CommandId::ContextHelp); });
    qApp->installEventFilter(this);

    keepAlive_.start();
    return true;
}

void CMainFrame::BuildMenu() {
    menuActions_ = BuildMenuBar(*menuBar()); // deletes the menus it built before
    for (auto& [id, action] : menuActions_) {
        const int commandId = id;
        connect(action, &QAction::triggered, this, [this, commandId] { OnCommand(commandId); });
    }
    for (QAction* item : menuBar()->actions()) {
        if (auto* menu = item->menu<QMenu*>()) {
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
            for (QMenu* submenu : menu->findChildren<QMenu*>()) {
                connect(submenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
            }
        }
    }
    for (const int id : {CommandId::ViewToolbar, CommandId::ViewStatusBar}) {
        if (QAction* action = MenuAction(id)) {
            action->setCheckable(true);
        }
    }
}

bool CMainFrame::CreateToolBar() {
    const std::vector<QIcon> images = ToolbarButtonImages();
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(kToolbarImageWidth, kToolbarImageHeight));
    size_t image = 0;
    for (const int id : kToolbarButtons) {
        if (id == 0) { // a double separator between groups
            toolBar_->addSeparator();
            toolBar_->addSeparator();
            continue;
        }
        if (image >= images.size()) {
            return false; // bitmap 2 lacks images
        }
        QAction* action = toolBar_->addAction(QIcon(images[image++]), QString());
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        toolbarActions_[id] = action;
    }
    RetranslateBars();
    return true;
}

bool CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // The message pane: the idle text, covered by a command's prompt while
    // a menu item or button is pointed at.
    idleLabel_ = new QLabel(bar);
    bar->addWidget(idleLabel_, 1);
    for (int i = 0; i < 3; ++i) {
        lockLabels_[i] = new QLabel(bar);
        lockLabels_[i]->setFrameShape(QFrame::Panel);
        lockLabels_[i]->setFrameShadow(QFrame::Sunken);
        lockLabels_[i]->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(lockLabels_[i]);
    }
    RetranslateBars();
    return true;
}

void CMainFrame::RetranslateBars() {
    for (auto& [id, action] : toolbarActions_) {
        action->setToolTip(ToolTipFor(MenuAction(id), id));
        action->setStatusTip(LanguageModule::String(id));
    }
    for (int i = 0; i < 3; ++i) {
        if (lockLabels_[i] != nullptr) {
            const QString text = LanguageModule::String(kIndicatorStrings[i]);
            lockLabels_[i]->setMinimumWidth(lockLabels_[i]->fontMetrics().horizontalAdvance(text) +
                                            12);
        }
    }
    if (idleLabel_ != nullptr) {
        idleLabel_->setText(LanguageModule::String(StringId::IdleMessage));
    }
    UpdateLockIndicators();
}

// An indicator shows its text while its lock is on and stays blank otherwise.
void CMainFrame::UpdateLockIndicators() {
    const LockKeyState state = ReadLockKeyState();
    const bool on[3] = {state.caps, state.num, state.scroll};
    for (int i = 0; i < 3; ++i) {
        if (lockLabels_[i] != nullptr) {
            lockLabels_[i]->setText(on[i] ? LanguageModule::String(kIndicatorStrings[i])
                                          : QString());
        }
    }
}

int CMainFrame::DefaultHeight() const {
    return menuBar()->sizeHint().height() + toolbarAllowance_ + statusBarAllowance_;
}

void CMainFrame::PlaceAndTitle(const core::WindowPlacement& saved, const QString& serverName) {
    if (!saved.HasSavedSize()) {
        const QScreen* screen = QApplication::primaryScreen();
        const int width = screen ? screen->availableGeometry().width() * 9 / 10 : 640;
        resize(width, DefaultHeight());
    } else {
        pendingFrameSize_ = QSize(saved.right - saved.left, saved.bottom - saved.top);
        resize(pendingFrameSize_);
    }
    move(saved.left, saved.top);
    setWindowTitle(LanguageModule::String(StringId::ProgramTitle) + QStringLiteral(" - ") +
                   serverName);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The saved size is the outer one; the decorations are known only now.
    if (pendingFrameSize_.isValid()) {
        const QSize decoration = frameGeometry().size() - geometry().size();
        resize(pendingFrameSize_ - decoration);
        pendingFrameSize_ = QSize();
    }
}

void CMainFrame::RefreshMenuAvailability() {
    const QList<QAction*> bar = menuBar()->actions();
    for (const int position : kAlwaysAvailablePositions) {
        if (position < bar.size()) {
            bar[position]->setEnabled(true);
        }
    }
    UpdateCommandStates();
    menuBar()->update();
}

bool CMainFrame::IsCommandAvailable(int commandId) const {
    if (frameCommands_.contains(commandId)) {
        return true;
    }
    const ui::CommandEntry* entry = commands_.Find(commandId);
    return entry != nullptr && entry->IsAvailable(session_.systemInfo);
}

void CMainFrame::UpdateCommandStates() {
    for (auto* actions : {&menuActions_, &toolbarActions_}) {
        for (auto& [id, action] : *actions) {
            action->setEnabled(IsCommandAvailable(id));
        }
    }
    if (QAction* view = MenuAction(CommandId::ViewToolbar)) {
        view->setChecked(toolBar_ != nullptr && !toolBar_->isHidden());
    }
    if (QAction* view = MenuAction(CommandId::ViewStatusBar)) {
        view->setChecked(!statusBar()->isHidden());
    }
}

void CMainFrame::OnCommand(int commandId) {
    if (!IsCommandAvailable(commandId)) {
        return;
    }
    if (const auto own = frameCommands_.find(commandId); own != frameCommands_.end()) {
        own->second();
        return;
    }
    const ui::CommandEntry& entry = *commands_.Find(commandId);
    entry.run(session_, this);
    if (entry.refreshesMenus) {
        RefreshMenuAvailability(); // what the server offers may have changed
    } else {
        UpdateCommandStates();
    }
}

void CMainFrame::ShowContextHelp() {
    QWidget* active = QApplication::activeWindow();
    if (active == nullptr || active == this) {
        Hooks().showHelp(0);
        return;
    }
    if (auto* dialog = qobject_cast<TemplateDialog*>(active)) {
        Hooks().showHelp(DialogHelpContext(dialog->TemplateId()));
        return;
    }
    Hooks().showHelp(0);
}

void CMainFrame::EnterClickHelpMode() {
    clickHelpMode_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

// In click-for-help mode the next click is not delivered: it names the item
// whose topic is shown. Escape leaves the mode without help.
bool CMainFrame::HandleClickHelp(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        clickHelpMode_ = false;
        QApplication::restoreOverrideCursor();
        return true;
    }
    if (event->type() != QEvent::MouseButtonPress) {
        return false;
    }
    clickHelpMode_ = false;
    QApplication::restoreOverrideCursor();
    int context = 0;
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
        const QAction* action =
            menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (action != nullptr && action->data().isValid()) {
            context = CommandHelpContext(action->data().toInt());
        }
    } else if (auto* button = qobject_cast<QToolButton*>(watched)) {
        if (QAction* action = button->defaultAction();
            action != nullptr && action->data().isValid()) {
            context = CommandHelpContext(action->data().toInt());
        }
    }
    Hooks().showHelp(context);
    return true;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (clickHelpMode_ && HandleClickHelp(watched, event)) {
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock) {
            UpdateLockIndicators();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::OnKeepAliveTick() {
    try {
        session_.Server().KeepAlive();
    } catch (const dcerpc::RpcError&) {
        keepAlive_.stop();
        if (!keepAliveFailureReported_) {
            keepAliveFailureReported_ = true;
            ShowStatusMessage(StringId::ErrorCommunicating);
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
    }
}

void CMainFrame::ApplyNewLanguage() {
    setWindowIcon(LanguageModule::Icon());
    setWindowTitle(LanguageModule::String(StringId::ProgramTitle));
    BuildMenu();
    RetranslateBars();
    RefreshMenuAvailability();
    show();
    update();
}

bool CMainFrame::SavePlacement() {
    const QRect frame = frameGeometry();
    core::WindowPlacement placement{frame.left(), frame.top(), frame.left() + frame.width(),
                                    frame.top() + frame.height()};
    if (placement.left == core::kResetPlacementLeft) {
        placement = core::WindowPlacement{};
    }
    return config_.WriteWindowPlacement(placement);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    keepAlive_.stop();
    if (!SavePlacement()) {
        ShowStatusMessage(StringId::ErrorWritingIni);
        event->ignore();
        return;
    }
    event->accept();
    QMainWindow::closeEvent(event);
    emit closed();
}

QAction* CMainFrame::MenuAction(int commandId) const {
    const auto it = menuActions_.find(commandId);
    return it == menuActions_.end() ? nullptr : it->second;
}

QAction* CMainFrame::ToolbarAction(int commandId) const {
    const auto it = toolbarActions_.find(commandId);
    return it == toolbarActions_.end() ? nullptr : it->second;
}

} // namespace app
