// The greeting-table sheet, the speech recognition directory and the
// voice-dialing switch end to end: the real client stubs over loopback to
// the real zaxsim program, in both byte orders, and a restarted server
// reading back what they saved.

#include "DialogTestSupport.h"
#include "LoopbackDialogs.h"
#include "PromptTestSupport.h"
#include "ZaxsimProcess.h"

#include "greetings/CGtgTable.h"
#include "greetings/GreetingIds.h"
#include "gui/VoiceWiring.h"
#include "mailbox/SpeechDirectoryDialog.h"
#include "mailbox/SpeechIds.h"
#include "mailbox/SpeechRecPropertiesDialog.h"
#include "prompts/PromptsIds.h"
#include "prompts/VoiceDialog.h"
#include "ui/RecordPage.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTabWidget>

#include <filesystem>

using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using greetings::CGtgTable;
using zaxtest::ZaxsimProcess;

namespace {

using loopback::Connection;

class GreetingsOverLoopback : public loopback::DialogsOverLoopback {
protected:
    GreetingsOverLoopback() : DialogsOverLoopback("greetings") {}
};

void ShowTab(CGtgTable& sheet, int tab) {
    sheet.findChild<QTabWidget*>()->setCurrentIndex(tab);
}

void ChooseDay(CGtgTable& sheet, int day) {
    auto* days = qobject_cast<QComboBox*>(sheet.Page(1)->Control(greetings::HoursCtl::Day));
    days->setCurrentIndex(day);
    emit days->activated(day);
}

TEST_F(GreetingsOverLoopback, HoursAndVoiceDialingSurviveARestart) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        messages.clear();
        {
            ZaxsimProcess sim(Args(byteOrder));
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);

            // A recorder that always succeeds stands in for the Voice dialog.
            int recordings = 0;
            greetings::EditPrompt recorder = [&recordings](zax::Session&, QWidget*,
                                                           const greetings::PromptRef&) {
                ++recordings;
                return true;
            };
            QString status;
            CGtgTable sheet(session, 2, CGtgTable::FirstPage, recorder);
            WhenModal<CGtgTable>([&status](CGtgTable& s) {
                using namespace greetings;
                ShowTab(s, 1);
                TypeInto(s.Page(1)->Control(HoursCtl::Morning), "6:45 AM");
                ChooseDay(s, 2); // Wednesday
                TypeInto(s.Page(1)->Control(HoursCtl::Evening), "7:30 PM");
                ShowTab(s, 2);
                qobject_cast<QAbstractButton*>(s.Page(2)->Control(AnswerCtl::PrimaryVoice))
                    ->click();
                status = s.Page(2)->ControlText(AnswerCtl::PrimaryStatus);
                ClickButton(s, ui::ControlId::Ok);
            });
            EXPECT_EQ(sheet.Run(), ui::ControlId::Ok);
            EXPECT_EQ(recordings, 1);
            EXPECT_EQ(status, "RECORDED");

            mailbox::SpeechRecPropertiesDialog dialing(session);
            WhenModal<mailbox::SpeechRecPropertiesDialog>(
                [](mailbox::SpeechRecPropertiesDialog& d) {
                    ClickButton(d, mailbox::VoiceDialingCtl::Enabled);
                    ClickButton(d, ui::ControlId::Ok);
                });
            EXPECT_EQ(dialing.Run(), ui::ControlId::Ok);

            // The two Tom Bakers of the demo office, flagged by the server.
            mailbox::SpeechDirectoryDialog directory(session);
            ASSERT_TRUE(directory.Load());
            int homonyms = 0;
            for (int r = 0; r < directory.RowCount(); ++r)
                homonyms += directory.List()->CellText(r, 4) == "Y" ? 1 : 0;
            EXPECT_EQ(homonyms, 4); // both names of each, the flag being the mailbox's
            EXPECT_GT(directory.RowCount(), 30);
            EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        zax::GreetingTableRecord table{};
        table.TableNumber = 2;
        ASSERT_EQ(later.server->GetGreetingTable(table), 0);
        EXPECT_EQ(table.Hours[0][zax::MorningPeriod].Hour, 6);
        EXPECT_EQ(table.Hours[0][zax::MorningPeriod].Minute, 45);
        EXPECT_EQ(table.Hours[2][zax::EveningPeriod].Hour, 19);
        EXPECT_EQ(table.Hours[2][zax::EveningPeriod].Minute, 30);
        EXPECT_EQ(table.Hours[1][zax::MorningPeriod].Hour, 7); // Tuesday untouched
        EXPECT_EQ(table.MorningGreeting, 5);
        zax::VoiceDialingRecord dialing{};
        ASSERT_EQ(later.server->GetVoiceDialing(dialing), 0);
        EXPECT_EQ(dialing.Enabled, 0);
    }
}

// A prompt uploaded through the real Voice dialog from the Answering page
// shows "RECORDED" at once, and the table read after a restart says so too.
TEST_F(GreetingsOverLoopback, APromptRecordedFromThePageIsRecordedOnTheServer) {
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());
    const std::filesystem::path wave =
        std::filesystem::path(files.path().toStdString()) / "welcome.wav";
    prompttest::WriteWave(wave, prompttest::Glide(1.0));
    prompts::Hooks().askUpload = [](const QString&) { return prompts::UploadAnswer::Yes; };
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        {
            ZaxsimProcess sim(Args(byteOrder));
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);
            QString before, after;
            CGtgTable sheet(session, 2, CGtgTable::FirstPage, gui::VoicePromptEditor());
            WhenModal<CGtgTable>([&](CGtgTable& s) {
                using greetings::AnswerCtl::PrimaryStatus;
                ShowTab(s, 2);
                before = s.Page(2)->ControlText(PrimaryStatus);
                WhenModal<prompts::VoiceDialog>([&wave](prompts::VoiceDialog& d) {
                    using namespace prompts::VoiceCtl;
                    TypeInto(d.Control(UploadPath), QString::fromStdString(wave.string()));
                    auto* format = d.ControlAs<QComboBox>(UploadFormat);
                    format->setCurrentIndex(format->findText("Wave Sound File"));
                    ClickButton(d, UploadFrom);
                    ClickButton(d, ui::ControlId::Ok);
                });
                qobject_cast<QAbstractButton*>(
                    s.Page(2)->Control(greetings::AnswerCtl::PrimaryVoice))
                    ->click();
                after = s.Page(2)->ControlText(PrimaryStatus);
                ClickButton(s, ui::ControlId::Cancel);
            });
            sheet.Run();
            EXPECT_EQ(before, "NOT RECORDED");
            EXPECT_EQ(after, "RECORDED");
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        zax::GreetingTableRecord table{};
        table.TableNumber = 2;
        ASSERT_EQ(later.server->GetGreetingTable(table), 0);
        EXPECT_EQ(table.PrimaryAaPromptRecorded, 1);
        EXPECT_EQ(table.AlternateAaPromptRecorded, 0);
    }
    prompts::Hooks() = prompts::DefaultPromptHooks();
}

} // namespace
