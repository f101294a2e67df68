#include "ui/LanguageModule.h"
#include "ui/HelpViewer.h"
#include "ui/LanguageTables.h"
#include "ui/MenuBuilder.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMenuBar>
#include <QPixmap>
#include <gtest/gtest.h>

using ui::LanguageModule;
using ui::MenuEntry;

namespace {

const char* const kModules[] = {"englishus", "frenchca", "spanish", "englishuk"};

void CollectCommands(const std::vector<MenuEntry>& entries, std::vector<int>& ids) {
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command) {
            ids.push_back(e.id);
        }
        CollectCommands(e.children, ids);
    }
}

// The shape of a menu: kinds and command ids in order, texts left out.
QString MenuShape(const std::vector<MenuEntry>& entries) {
    QString shape;
    for (const MenuEntry& e : entries) {
        shape += QString::number(static_cast<int>(e.kind)) + ':' + QString::number(e.id) + '(' +
                 MenuShape(e.children) + ')';
    }
    return shape;
}

class ModuleTest : public ::testing::Test {
protected:
    void TearDown() override { LanguageModule::Release(); }
};

TEST_F(ModuleTest, EveryModuleIsCompleteAgainstTheBuiltInEnglish) {
    const auto& english = LanguageModule::BuiltIn();
    std::vector<int> commands;
    CollectCommands(english.menu, commands);
    ASSERT_GT(commands.size(), 50u);
    for (const char* base : kModules) {
        SCOPED_TRACE(base);
        ASSERT_TRUE(LanguageModule::Load(QString(base) + ".dll"));
        for (int id : ui::StringId::kAll) {
            EXPECT_TRUE(LanguageModule::HasString(id)) << "string " << id;
        }
        for (const auto& [id, text] : english.strings) {
            EXPECT_TRUE(LanguageModule::HasString(id)) << "string " << id;
        }
        for (int id : commands) {
            EXPECT_FALSE(LanguageModule::String(id).isEmpty()) << "status-bar prompt " << id;
        }
        for (const auto& [key, text] : english.dialogTexts) {
            EXPECT_TRUE(LanguageModule::HasDialogText(key.first, key.second))
                << "dialog " << key.first << " control " << key.second;
        }
        for (int dialog : ui::DialogId::kAll) {
            if (dialog != ui::DialogId::Message) { // its caption is the program title
                EXPECT_TRUE(LanguageModule::HasDialogText(dialog, 0)) << "caption " << dialog;
            }
        }
        EXPECT_EQ(MenuShape(LanguageModule::Menu()), MenuShape(english.menu));
        EXPECT_FALSE(LanguageModule::Icon(2).isNull());
        const std::vector<QIcon> images = LanguageModule::ToolbarImages(2);
        ASSERT_EQ(images.size(), 19u);
        const QSize grid(ui::kToolbarImageWidth, ui::kToolbarImageHeight);
        for (size_t i = 0; i < images.size(); ++i) {
            ASSERT_FALSE(images[i].isNull()) << "image " << i;
            // Drawn on the button's own grid: shown 1:1, never squeezed.
            EXPECT_EQ(images[i].actualSize(grid), grid) << "image " << i;
        }
    }
}

TEST_F(ModuleTest, TranslationsReallyDifferFromEnglish) {
    const int samples[] = {ui::StringId::ErrorCommunicating, ui::StringId::InvalidTime,
                           ui::StringId::ButtonCancel, ui::CommandId::Exit};
    for (const char* base : {"frenchca", "spanish"}) {
        ASSERT_TRUE(LanguageModule::Load(QString(base) + ".dll"));
        for (int id : samples) {
            EXPECT_NE(LanguageModule::String(id), LanguageModule::BuiltIn().strings.at(id))
                << base << " string " << id;
        }
    }
}

TEST_F(ModuleTest, HelpFilesHaveATopicForEveryDialogAndCommand) {
    std::vector<int> commands;
    CollectCommands(LanguageModule::BuiltIn().menu, commands);
    commands.push_back(ui::CommandId::HelpIndex);
    commands.push_back(ui::CommandId::Help);
    commands.push_back(ui::CommandId::ContextHelp);
    auto& viewer = ui::HelpViewer::Instance();
    for (const char* base : kModules) {
        SCOPED_TRACE(base);
        viewer.SetHelpFile(QDir::current().absoluteFilePath(QString(base) + ".hlp"));
        viewer.ShowContents();
        EXPECT_EQ(viewer.CurrentPage(), "contents");
        viewer.ShowUsingHelp();
        EXPECT_EQ(viewer.CurrentPage(), "using");
        for (int dialog : ui::DialogId::kAll) {
            viewer.ShowTopic(ui::DialogHelpContext(dialog));
            EXPECT_EQ(viewer.CurrentPage(), QString::number(ui::DialogHelpContext(dialog)));
        }
        for (int command : commands) {
            viewer.ShowTopic(ui::CommandHelpContext(command));
            EXPECT_EQ(viewer.CurrentPage(), QString::number(ui::CommandHelpContext(command)));
        }
    }
    viewer.ShowTopic(1); // no such topic
    EXPECT_EQ(viewer.CurrentPage(), "missing");
    viewer.hide();
}

TEST_F(ModuleTest, SwapChangesTheTitleAndAFailedLoadKeepsTheActiveModule) {
    const QString english = LanguageModule::String(ui::StringId::ProgramTitle);
    ASSERT_TRUE(LanguageModule::Load("frenchca.dll"));
    const QString french = LanguageModule::String(ui::StringId::ProgramTitle);
    EXPECT_NE(french, english);
    EXPECT_EQ(LanguageModule::LoadedName(), "frenchca.dll");

    EXPECT_FALSE(LanguageModule::Load("nosuchmodule.dll"));
    // Named per process: ctest may run the tests of this file in parallel.
    const QString junkName = QString("junk-%1.dll").arg(QCoreApplication::applicationPid());
    QFile junk(QDir::current().absoluteFilePath(junkName));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a resource bundle");
    junk.close();
    EXPECT_FALSE(LanguageModule::Load(junkName));
    junk.remove();
    EXPECT_EQ(LanguageModule::String(ui::StringId::ProgramTitle), french);

    ASSERT_TRUE(LanguageModule::Load("spanish.dll")); // swap without an explicit release
    EXPECT_NE(LanguageModule::String(ui::StringId::ProgramTitle), french);
    LanguageModule::Release();
    EXPECT_EQ(LanguageModule::String(ui::StringId::ProgramTitle), english);
    EXPECT_TRUE(LanguageModule::LoadedName().isEmpty());
}

TEST_F(ModuleTest, MenuBarCarriesCommandIdsAndStatusPrompts) {
    ASSERT_TRUE(LanguageModule::Load("frenchca.dll"));
    QMenuBar bar;
    const auto actions = ui::BuildMenuBar(bar);
    ASSERT_TRUE(actions.count(ui::CommandId::GroupLists));
    const QAction* groupLists = actions.at(ui::CommandId::GroupLists);
    EXPECT_EQ(groupLists->data().toInt(), ui::CommandId::GroupLists);
    EXPECT_EQ(groupLists->statusTip(), LanguageModule::String(ui::CommandId::GroupLists));
    // "&Group Lists" and "Fa&x" are commands on the bar itself, at positions 3 and 4.
    EXPECT_EQ(bar.actions().at(3), groupLists);
    EXPECT_EQ(bar.actions().at(4), actions.at(ui::CommandId::Fax));
    EXPECT_EQ(bar.actions().size(), 11);
    EXPECT_EQ(ui::ToolbarButtonImages().size(), 19u);
}

struct ParseCase {
    const char* source;
    int badLine;
};

TEST(LanguageTables, ParsersReportTheFirstMalformedLine) {
    const ParseCase strings[] = {{"# c\n\n2\tTitle\n", 0},
                                 {"2\tA\nx\tB\n", 2},
                                 {"2 no tab\n", 1},
                                 {"70000\tout of range\n", 1}};
    for (const auto& c : strings) {
        std::map<int, QString> table;
        EXPECT_EQ(ui::ParseStringTable(c.source, table), c.badLine) << c.source;
    }
    const ParseCase menus[] = {{"popup\tA\nitem\t5\tB\nend\n", 0},
                               {"popup\tA\nitem\t5\tB\n", 3}, // popup never closed
                               {"end\n", 1},
                               {"item\t0\tzero id\n", 1},
                               {"popup\tA\nbogus\nend\n", 2}};
    for (const auto& c : menus) {
        std::vector<MenuEntry> menu;
        EXPECT_EQ(ui::ParseMenu(c.source, menu), c.badLine) << c.source;
    }
    std::map<std::pair<int, int>, QString> texts;
    EXPECT_EQ(ui::ParseDialogTexts("110\t0\tLanguage\n110\tx\tBad\n", texts), 2);
}

TEST(LanguageTables, EscapesAndTabsInTexts) {
    std::map<int, QString> table;
    ASSERT_EQ(
        ui::ParseStringTable("118\tA\\n\\nB %1\r\n5\tName\\tSite\tType\n7\tC:\\\\dir\n", table), 0);
    EXPECT_EQ(table[118], "A\n\nB %1");
    EXPECT_EQ(table[5], "Name\tSite\tType"); // a literal tab stays part of the text
    EXPECT_EQ(table[7], "C:\\dir");
    // The built-in English keeps the two spaces the messages are quoted with.
    EXPECT_EQ(LanguageModule::BuiltIn().strings.at(ui::StringId::SiteReferenced),
              "Site is being referenced by a mailbox.  Cannot delete.");
    EXPECT_EQ(LanguageModule::BuiltIn().strings.at(ui::StringId::UnexpectedError),
              "An unexpected server or network error has occurred.\n\nThe errorcode is %1.");
}

} // namespace
