// Switching the language while the program runs.
#include "app/LanguageDialog.h"
#include "GuiTestSupport.h"
#include "ui/HelpViewer.h"
#include "ui/ResourceIds.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

using namespace guitest;
using namespace ui;

constexpr int kRadios[] = {1002, 1003, 1004, 1005, 1006};

// Runs the Language dialog without its modal loop: shown, answered, closed.
struct LanguageFixture : FrameFixture {
    TempDir helpDir;
    ModuleReset moduleReset;
    std::unique_ptr<app::LanguageDialog> dialog;
    QString savedHelpFile = HelpViewer::Instance().HelpFile();

    LanguageFixture() { HelpViewer::Instance().SetHelpFile(Path(helpDir / "gui.hlp")); }
    ~LanguageFixture() { HelpViewer::Instance().SetHelpFile(savedHelpFile); }

    static QString Path(const std::filesystem::path& p) { return QString::fromStdString(p); }

    app::LanguageDialog& Open(const core::ConfigFile& file) {
        if (!frame) {
            Create(file);
        }
        configForDialog_ = std::make_unique<core::ConfigFile>(file);
        dialog = std::make_unique<app::LanguageDialog>(*configForDialog_, languageCode, session,
                                                       *frame, frame.get());
        dialog->show();
        return *dialog;
    }
    app::LanguageDialog& Open() { return Open(config.File()); }
    QRadioButton* Radio(int id) { return dialog->ControlAs<QRadioButton>(id); }
    void Choose(int id) { Radio(id)->click(); }
    void PressOk() { dialog->ControlAs<QAbstractButton>(ControlId::Ok)->click(); }
    int CheckedRadios() {
        int n = 0;
        for (const int id : kRadios) {
            n += Radio(id)->isChecked() ? 1 : 0;
        }
        return n;
    }

private:
    std::unique_ptr<core::ConfigFile> configForDialog_;
};

// Makes a directory holding only the named module files (copies of the
// built ones) the current directory, where the module search looks.
class ModuleDirectory {
public:
    explicit ModuleDirectory(std::initializer_list<const char*> files) {
        for (const char* name : files) {
            QFile::copy(QStringLiteral(ZAX_BIN_DIR "/") + QLatin1String(name),
                        QString::fromStdString(dir_ / name));
        }
        QDir::setCurrent(QString::fromStdString(dir_.Path()));
    }
    ~ModuleDirectory() { QDir::setCurrent(QStringLiteral(ZAX_BIN_DIR)); }
    std::filesystem::path operator/(const char* name) const { return dir_ / name; }

private:
    TempDir dir_;
};

TEST(LanguageDialogTest, SwitchingToFrenchChangesEverythingVisibleAndIsRemembered) {
    LanguageFixture f;
    app::LanguageDialog& dialog = f.Open();
    EXPECT_TRUE(f.Radio(1002)->isChecked());
    f.Choose(1003);
    f.PressOk();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(LanguageModule::LoadedName().toStdString(), "frenchca.dll");
    EXPECT_EQ(f.languageCode, 2);
    EXPECT_EQ(f.session.systemInfo.LanguageCode, 2);
    // The title is the program's alone: the server name returns with the next start.
    EXPECT_EQ(f.frame->windowTitle().toStdString(), "Gestionnaire ZAX");
    EXPECT_EQ(f.frame->menuBar()->actions().at(0)->text().toStdString(), "&Fichier");
    EXPECT_EQ(f.config.File().ReadLanguage(), 2);
    for (const char* suffix : {".hlp", ".cnt"}) {
        QFile copied(LanguageFixture::Path(f.helpDir / (std::string("gui") + suffix)));
        QFile source(QStringLiteral(ZAX_BIN_DIR "/frenchca") + QLatin1String(suffix));
        ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_EQ(copied.readAll(), source.readAll()) << suffix;
    }
    EXPECT_TRUE(f.hooks.messages.empty());
}

TEST(LanguageDialogTest, RadioOnOpeningFollowsTheCode) {
    const std::pair<int, int> rows[] = {{1, 1002}, {2, 1003},  {3, 1004},
                                        {8, 1005}, {12, 1006}, {5, 0}};
    for (const auto& [code, radio] : rows) {
        SCOPED_TRACE(code);
        LanguageFixture f;
        f.languageCode = code;
        f.Open();
        if (radio == 0) {
            EXPECT_EQ(f.CheckedRadios(), 0);
        } else {
            EXPECT_TRUE(f.Radio(radio)->isChecked());
            EXPECT_EQ(f.CheckedRadios(), 1);
        }
    }
}

TEST(LanguageDialogTest, UnchangedChoiceNeitherLoadsNorWrites) {
    for (const int code : {1, 5}) { // 5: no radio, and OK without choosing one
        SCOPED_TRACE(code);
        LanguageFixture f;
        f.languageCode = code;
        // Any write to this file would fail and say so.
        app::LanguageDialog& dialog = f.Open(core::ConfigFile("/proc/self/zaxmgr-test/zaxmgr.ini"));
        f.PressOk();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(f.hooks.messages.empty());
        EXPECT_TRUE(LanguageModule::LoadedName().isEmpty());
        EXPECT_EQ(f.languageCode, code);
    }
}

TEST(LanguageDialogTest, AustraliaIsOfferedOnlyWithItsMarkerFile) {
    {
        ModuleDirectory modules({"englishus.dll", "frenchca.dll"});
        LanguageFixture f;
        f.Open();
        EXPECT_TRUE(f.Radio(1002)->isEnabled());
        EXPECT_TRUE(f.Radio(1003)->isEnabled());
        EXPECT_FALSE(f.Radio(1004)->isEnabled());
        EXPECT_FALSE(f.Radio(1005)->isEnabled());
        EXPECT_FALSE(f.Radio(1006)->isEnabled());
    }
    LanguageFixture f; // the build directory holds the marker
    f.Open();
    EXPECT_TRUE(f.Radio(1006)->isEnabled());
    f.Choose(1006);
    f.PressOk();
    EXPECT_EQ(LanguageModule::LoadedName().toStdString(), "englishus.dll");
    EXPECT_EQ(f.languageCode, 12);
    EXPECT_EQ(f.config.File().ReadLanguage(), 12);
}

TEST(LanguageDialogTest, FailuresAreReportedAsTheyHappen) {
    {
        // A module that cannot be loaded: the language stays as it was.
        ModuleDirectory modules({"englishus.dll"});
        std::ofstream(modules / "spanish.dll") << "not a module";
        LanguageFixture f;
        app::LanguageDialog& dialog = f.Open();
        f.Choose(1004);
        f.PressOk();
        EXPECT_EQ(f.hooks.standardBoxes, std::vector<std::string>{"Error loading spanish.dll"});
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(f.languageCode, 1);
        EXPECT_EQ(f.config.File().ReadLanguage(), 1);
    }
    {
        // The help topics are missing: said once, the contents are still copied.
        ModuleDirectory modules({"englishuk.dll", "englishuk.cnt"});
        LanguageFixture f;
        f.Open();
        f.Choose(1005);
        f.PressOk();
        EXPECT_EQ(f.hooks.messages, std::vector<std::string>{"Cannot find englishuk.hlp"});
        EXPECT_TRUE(std::filesystem::exists(f.helpDir / "gui.cnt"));
        EXPECT_EQ(f.config.File().ReadLanguage(), 8);
    }
    {
        // The file cannot be written: the dialog stays, the new module is in use.
        LanguageFixture f;
        app::LanguageDialog& dialog = f.Open(core::ConfigFile("/proc/self/zaxmgr-test/zaxmgr.ini"));
        f.Choose(1003);
        f.PressOk();
        EXPECT_EQ(f.hooks.messages, std::vector<std::string>{"Erreur d'écriture dans ZAXMGR.INI"});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(LanguageModule::LoadedName().toStdString(), "frenchca.dll");
        dialog.close();
    }
}

// An installed program's folder cannot be written: the new language's help
// goes to the user's configuration folder, and the help window reads it there.
TEST(LanguageDialogTest, HelpOfAnUnwritableProgramFolderGoesToTheUsersFolder) {
    TempDir configHome;
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved != nullptr ? saved : "";
    setenv("XDG_CONFIG_HOME", configHome.Path().c_str(), 1);
    {
        LanguageFixture f;
        HelpViewer::Instance().SetHelpFile(QStringLiteral("/proc/self/zax-program/gui.hlp"));
        f.Open();
        f.Choose(1003);
        f.PressOk();
        EXPECT_TRUE(f.hooks.messages.empty());
        const std::filesystem::path own = configHome.Path() / "zaxmgr";
        EXPECT_EQ(HelpViewer::Instance().HelpFile().toStdString(), (own / "gui.hlp").string());
        EXPECT_EQ(HelpViewer::UserHelpFile(QStringLiteral("gui.hlp")).toStdString(),
                  (own / "gui.hlp").string());
        for (const char* suffix : {".hlp", ".cnt"}) {
            QFile copied(LanguageFixture::Path(own / (std::string("gui") + suffix)));
            QFile source(QStringLiteral(ZAX_BIN_DIR "/frenchca") + QLatin1String(suffix));
            ASSERT_TRUE(copied.open(QIODevice::ReadOnly)) << suffix;
            ASSERT_TRUE(source.open(QIODevice::ReadOnly));
            EXPECT_EQ(copied.readAll(), source.readAll()) << suffix;
        }
    }
    if (saved != nullptr) {
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

// After the file could not be written the dialog stays open; OK again goes
// through the whole step once more: the module, the file and the help files.
TEST(LanguageDialogTest, OkAfterAFailedWriteRetriesTheWholeStep) {
    using std::filesystem::perms;
    struct Row {
        const char* what;
        int retryRadio;
        int code;
        const char* module;
        const char* helpSource;
    };
    const Row rows[] = {
        {"the same choice again", 1003, 2, "frenchca.dll", "frenchca"},
        {"back to the language of opening", 1002, 1, "englishus.dll", "englishus"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        LanguageFixture f;
        app::LanguageDialog& dialog = f.Open();
        std::filesystem::permissions(f.config.Path(), perms::owner_read);
        f.Choose(1003);
        f.PressOk();
        ASSERT_TRUE(dialog.isVisible());
        ASSERT_EQ(f.hooks.messages, std::vector<std::string>{"Erreur d'écriture dans ZAXMGR.INI"});
        ASSERT_FALSE(std::filesystem::exists(f.helpDir / "gui.hlp"));

        std::filesystem::permissions(f.config.Path(), perms::owner_read | perms::owner_write);
        f.Choose(row.retryRadio);
        f.PressOk();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(f.hooks.messages.size(), 1u);
        EXPECT_EQ(f.config.File().ReadLanguage(), row.code);
        EXPECT_EQ(f.languageCode, row.code);
        EXPECT_EQ(LanguageModule::LoadedName().toStdString(), row.module);
        QFile copied(LanguageFixture::Path(f.helpDir / "gui.hlp"));
        QFile source(QStringLiteral(ZAX_BIN_DIR "/") + QLatin1String(row.helpSource) +
                     QStringLiteral(".hlp"));
        ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_EQ(copied.readAll(), source.readAll());
        EXPECT_TRUE(std::filesystem::exists(f.helpDir / "gui.cnt"));
    }
}

// Availability asks of the Fax command: one per refresh for its menu item and
// one for its toolbar button.
int g_faxAsked = 0;
bool CountFaxAsked(const zax::SystemInfo&) {
    ++g_faxAsked;
    return true;
}

size_t CountPopups(const std::vector<MenuEntry>& entries) {
    size_t n = 0;
    for (const MenuEntry& e : entries) {
        n += e.kind == MenuEntry::Kind::Popup ? 1 + CountPopups(e.children) : 0;
    }
    return n;
}

// The menus under the bar, without the one Qt keeps for items that overflow it.
QList<QMenu*> BarMenus(QMenuBar* bar) {
    QList<QMenu*> menus = bar->findChildren<QMenu*>();
    if (auto* more = bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"))) {
        menus.removeAll(more->menu());
    }
    return menus;
}

TEST(LanguageDialogTest, SwitchesLeaveOneSetOfMenusEachRefreshedOncePerShowing) {
    LanguageFixture f;
    f.commands.Register({CommandId::Fax, [](zax::Session&, QWidget*) {}, CountFaxAsked});
    f.Create();
    QMenuBar* bar = f.frame->menuBar();
    ASSERT_EQ(size_t(BarMenus(bar).size()), CountPopups(LanguageModule::Menu(2)));
    g_faxAsked = 0;
    emit BarMenus(bar).front()->aboutToShow();
    const int askedPerShowing = g_faxAsked;
    ASSERT_GT(askedPerShowing, 0);

    for (const int radio : {1003, 1004, 1005, 1002, 1003}) {
        f.Open();
        f.Choose(radio);
        f.PressOk();
        ASSERT_FALSE(f.dialog->isVisible());
    }
    ASSERT_EQ(LanguageModule::LoadedName().toStdString(), "frenchca.dll");
    const QList<QMenu*> menus = BarMenus(bar);
    EXPECT_EQ(size_t(menus.size()), CountPopups(LanguageModule::Menu(2)));
    for (QMenu* menu : menus) {
        SCOPED_TRACE(menu->title().toStdString());
        g_faxAsked = 0;
        emit menu->aboutToShow();
        EXPECT_EQ(g_faxAsked, askedPerShowing);
    }
    // Only the new module's commands remain on the bar itself.
    const auto barCommands = bar->findChildren<QAction*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(std::count_if(barCommands.begin(), barCommands.end(),
                            [](QAction* a) { return a->data().toInt() == CommandId::Fax; }),
              1);
}

// Chosen from the Options menu itself: the menu that carries the Language item
// is replaced while the switch runs, and nothing of it may be used afterwards.
TEST(LanguageDialogTest, LanguageChosenFromTheMenuSwitchesTheMenuItCameFrom) {
    LanguageFixture f;
    f.Create();
    QAction* language = f.frame->MenuAction(CommandId::Language);
    auto* options = qobject_cast<QMenu*>(language->parent());
    ASSERT_NE(options, nullptr);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        auto* dialog = qobject_cast<app::LanguageDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            dialog->ControlAs<QRadioButton>(1003)->click();
            dialog->ControlAs<QAbstractButton>(ControlId::Ok)->click();
        }
    });
    answer.start(5);
    // A menu goes on using its own state after its item's handler returned,
    // so it must outlive the delivery of the command.
    bool delivering = true;
    bool deletedWhileDelivering = false;
    QObject::connect(options, &QObject::destroyed, [&] { deletedWhileDelivering = delivering; });
    options->popup(QPoint(0, 0));
    options->setActiveAction(language);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(options, &enter);
    delivering = false;
    for (int i = 0; i < 200 && LanguageModule::LoadedName().isEmpty(); ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_FALSE(deletedWhileDelivering);
    EXPECT_EQ(LanguageModule::LoadedName().toStdString(), "frenchca.dll");
    EXPECT_EQ(f.frame->menuBar()->actions().at(0)->text().toStdString(), "&Fichier");
    EXPECT_EQ(size_t(BarMenus(f.frame->menuBar()).size()), CountPopups(LanguageModule::Menu(2)));
}

TEST(LanguageDialogTest, F1InTheDialogShowsItsTopic) {
    LanguageFixture f;
    app::LanguageDialog& dialog = f.Open();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &f1);
    EXPECT_EQ(f.hooks.helpContexts, std::vector<int>{131072 + 110});
}

} // namespace
