// The Mailbox Activity Report, Print Destination and Select Default Editor
// dialogs: the argument each choice sends, the checks and their messages,
// the configuration file written (or not), and the forms' texts.

#include "ControlIdCheck.h"
#include "ReportTestSupport.h"

#include "reports/MailboxActivityDialog.h"
#include "reports/PrintDestinationDialog.h"
#include "reports/ReportsIds.h"
#include "reports/RunReport.h"
#include "reports/SelectEditorDialog.h"

#include "core/ConfigFile.h"

using namespace reports;
using namespace reporttest;
using namespace dialogtest;

namespace {

class ReportDialogsTest : public ReportTest {
protected:
    zax::Chars<8> SentArgument() const {
        const auto calls = sim->recorder().CallsOf(zax::Opnum::RequestReport);
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? zax::Chars<8>{} : calls.back().Arg<zax::Chars<8>>(2);
    }
    core::ConfigFile Config() const {
        return core::ConfigFile(dir_.filePath("zaxmgr.ini").toStdString());
    }
    // A file whose directory is a plain file: it can never be written.
    core::ConfigFile UnwritableConfig() const {
        QFile plain(dir_.filePath("plain"));
        EXPECT_TRUE(plain.open(QIODevice::WriteOnly));
        return core::ConfigFile(dir_.filePath("plain/zaxmgr.ini").toStdString());
    }
};

TEST_F(ReportDialogsTest, AllMailboxesSendsEightZeroBytesWhileTheNumberBoxIsOff) {
    MailboxActivityDialog dialog(session);
    dialog.show();
    EXPECT_TRUE(dialog.IsChecked(ActivityCtl::AllMailboxes));
    EXPECT_FALSE(dialog.Control(ActivityCtl::MailboxNumber)->isEnabled());
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_EQ(SentArgument(), kAllEntries);
    EXPECT_EQ(sim->recorder().CallsOf(zax::Opnum::RequestReport)[0].Arg<int16_t>(0), 5);
    EXPECT_EQ(dialog.result(), ui::ControlId::Ok);
    EXPECT_EQ(FileText("REPORT.005"), PreparedText());
}

TEST_F(ReportDialogsTest, OneMailboxMustBeAMailboxNumberAndTravelsNulPadded) {
    MailboxActivityDialog dialog(session);
    dialog.show();
    ClickButton(dialog, ActivityCtl::OneMailbox);
    EXPECT_TRUE(dialog.Control(ActivityCtl::MailboxNumber)->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(ActivityCtl::MailboxNumber));
    for (const char* bad : {"", "200", "20010", "20a1"}) {
        messages.clear();
        TypeInto(dialog.Control(ActivityCtl::MailboxNumber), bad);
        ClickButton(dialog, ui::ControlId::Ok);
        EXPECT_EQ(messages, QStringList{"Invalid mailbox number"}) << bad;
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(CallsOf(zax::Opnum::RequestReport), 0u);
    messages.clear();
    TypeInto(dialog.Control(ActivityCtl::MailboxNumber), "2001");
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(SentArgument(), (zax::Chars<8>{'2', '0', '0', '1', 0, 0, 0, 0}));
    EXPECT_NE(FileText("REPORT.005").find("\n2001 "), std::string::npos);
    EXPECT_EQ(FileText("REPORT.005").find("\n2002 "), std::string::npos);
}

TEST_F(ReportDialogsTest, ATransportFailureEndsTheActivityDialogAndTheProgram) {
    ExpectTransportFailureEndsTheProgram(zax::Opnum::RequestReport, [](zax::Session& s) {
        MailboxActivityDialog dialog(s);
        dialogtest::WhenModal<MailboxActivityDialog>(
            [](MailboxActivityDialog& d) { dialogtest::ClickButton(d, ui::ControlId::Ok); });
        return dialog.Run();
    });
}

TEST_F(ReportDialogsTest, PrintDestinationShowsTheChoiceAndKeepsTheNewOne) {
    session.systemInfo.PrintDestination = zax::PrintOnKorPrinter;
    PrintDestinationDialog dialog(session, nullptr, Config());
    dialog.show();
    EXPECT_TRUE(dialog.IsChecked(DestinationCtl::Printer));
    ClickButton(dialog, DestinationCtl::Locally);
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_EQ(dialog.result(), ui::ControlId::Ok);
    EXPECT_EQ(session.systemInfo.PrintDestination, zax::PrintDisplayLocally);
    EXPECT_EQ(Config().ReadPrintTo(), zax::PrintDisplayLocally);

    PrintDestinationDialog again(session, nullptr, Config());
    again.show();
    EXPECT_TRUE(again.IsChecked(DestinationCtl::Locally));
    ClickButton(again, DestinationCtl::Printer);
    ClickButton(again, ui::ControlId::Ok);
    EXPECT_EQ(Config().ReadPrintTo(), zax::PrintOnKorPrinter);
}

TEST_F(ReportDialogsTest, AnUnwritableFileKeepsTheDialogOpenWithTheChoiceInEffect) {
    PrintDestinationDialog dialog(session, nullptr, UnwritableConfig());
    dialog.show();
    ClickButton(dialog, DestinationCtl::Printer);
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Error writing to ZAXMGR.INI"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(session.systemInfo.PrintDestination, zax::PrintOnKorPrinter);

    messages.clear();
    SelectEditorDialog editor(session, nullptr, UnwritableConfig());
    editor.show();
    dialogtest::TypeInto(editor.Control(EditorCtl::Editor), "kate");
    ClickButton(editor, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Error writing to ZAXMGR.INI"});
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(zax::GetText(session.systemInfo.DefaultEditor), "kate");
}

TEST_F(ReportDialogsTest, TheEditorMustBeAFileNameThatFitsItsField) {
    const struct {
        std::string editor;
        bool valid;
    } cases[] = {
        {"gedit", true},
        {"/usr/bin/mousepad --disable-server", true},
        {"\"/opt/my tools/view\"", true},
        {std::string(79, 'e'), true},
        {std::string(80, 'e'), false}, // one more than the field holds with its terminator
        {std::string(81, 'e'), false},
        {"", false},
        {"ed*", false},
        {"view|less", false},
        {"/usr/bin/", false},
        {"ed\titor", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.editor);
        EXPECT_EQ(IsValidEditor(c.editor), c.valid);
    }
    SelectEditorDialog dialog(session, nullptr, Config());
    dialog.show();
    EXPECT_EQ(dialog.ControlText(EditorCtl::Editor), "my-editor --new-window");
    dialogtest::TypeInto(dialog.Control(EditorCtl::Editor), QString(81, 'e'));
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Invalid editor"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(zax::GetText(session.systemInfo.DefaultEditor), "my-editor --new-window");

    messages.clear();
    dialogtest::TypeInto(dialog.Control(EditorCtl::Editor), "/usr/bin/mousepad");
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(zax::GetText(session.systemInfo.DefaultEditor), "/usr/bin/mousepad");
    EXPECT_EQ(Config().ReadDefaultEditor(), "/usr/bin/mousepad");
}

TEST_F(ReportDialogsTest, FormsAndEveryModuleAgreeOnTheControls) {
    QDir::setCurrent(previous_); // where the modules are
    testsupport::ExpectFormsAndModulesAgree([&] {
        std::vector<testsupport::TemplateWindow> all;
        all.push_back({ui::DialogId::MailboxActivityReport,
                       std::make_unique<MailboxActivityDialog>(session)});
        all.push_back({ui::DialogId::PrintDestination,
                       std::make_unique<PrintDestinationDialog>(session, nullptr, Config())});
        all.push_back({ui::DialogId::SelectDefaultEditor,
                       std::make_unique<SelectEditorDialog>(session, nullptr, Config())});
        return all;
    });
}

} // namespace
