// Reports, the general auto-attendant parameters and the line table end to
// end: the real client stubs over loopback to the real zaxsim program, in
// both byte orders, on a system large enough for reports of many fragments,
// and a restarted server reading back what was changed.

#include "DialogTestSupport.h"
#include "LoopbackDialogs.h"
#include "ZaxsimProcess.h"

#include "StateDatabase.h"
#include "attendant/AttendantIds.h"
#include "attendant/GeneralAaParametersDialog.h"
#include "attendant/LineDialogs.h"
#include "reports/RunReport.h"
#include "ui/ResourceIds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using zaxtest::ZaxsimProcess;

namespace {

using loopback::Connection;

// The demo office with 1,000 more subscribers.
zaxsim::SimState LargeOffice() {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    s.capacity.Mailboxes = 1200;
    for (int i = 0; i < 1000; ++i) {
        zaxsim::Mailbox m;
        const std::string number = std::to_string(50000 + i).substr(1);
        zax::SetText(m.record.Number, number);
        zax::SetText(m.record.Name, "SUBSCRIBER," + number);
        zax::SetText(m.record.Extension, number);
        m.record.ClassOfService = 1;
        m.record.Directory = 1;
        s.mailboxes.emplace(number, m);
    }
    return s;
}

std::string FileText(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
}

// The text the server holds prepared for this connection, read raw.
std::string Prepared(zax::VoiceMailServer& server) {
    int32_t size = 0;
    EXPECT_EQ(server.GetReportSize(size), 0);
    std::string text(static_cast<size_t>(size), '\0');
    int32_t length = 0;
    EXPECT_EQ(server.GetReportText(size, length, std::span<char>(text)), 0);
    text.resize(static_cast<size_t>(length));
    return text;
}

class ReportsOverLoopback : public loopback::DialogsOverLoopback {
protected:
    ReportsOverLoopback() : DialogsOverLoopback("reports"), previous_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
        ui::Hooks().startProcess = [this](const QStringList& command, bool) {
            started << command.join(' ');
            return 0;
        };
    }
    ~ReportsOverLoopback() override { QDir::setCurrent(previous_); }

    QTemporaryDir dir_;
    QString previous_;
    QStringList started;
};

TEST_F(ReportsOverLoopback, EveryReportArrivesWholeAndChangesSurviveARestart) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        zaxsim::StateDatabase::Create(stateFile, LargeOffice());
        messages.clear();
        started.clear();
        {
            ZaxsimProcess sim(Args(byteOrder));
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);
            session.systemInfo.PrintDestination = zax::PrintDisplayLocally;
            zax::SetText(session.systemInfo.DefaultEditor, "viewer");

            for (int n = 1; n <= 15; ++n) {
                SCOPED_TRACE(n);
                const auto number = static_cast<reports::ReportNumber>(n);
                ASSERT_EQ(reports::RunReport(session, number), reports::ReportOutcome::Shown);
                const QString name = QString::fromStdString(reports::ReportFileName(number));
                EXPECT_EQ(FileText(name), Prepared(*admin.server));
            }
            EXPECT_GT(QFile("REPORT.002").size(), 64 * 1024);
            EXPECT_EQ(started.size(), 15);

            const std::string usage = FileText("REPORT.004");
            reports::ResetStatistics(session);
            ASSERT_EQ(reports::RunReport(session, reports::ReportNumber::MessageUsage),
                      reports::ReportOutcome::Shown);
            EXPECT_NE(FileText("REPORT.004"), usage);
            EXPECT_EQ(messages, (QStringList{"Reset Statistics?", "Statistics reset"}));

            attendant::GeneralAaParametersDialog aa(session);
            WhenModal<attendant::GeneralAaParametersDialog>(
                [](attendant::GeneralAaParametersDialog& d) {
                    ClickButton(d, attendant::AaCtl::GateCustom);
                    TypeInto(d.Control(attendant::AaCtl::GateGreeting), "27");
                    ClickButton(d, ui::ControlId::Ok);
                });
            EXPECT_EQ(aa.Run(), ui::ControlId::Ok);
            attendant::LineRangeDialog range(session);
            WhenModal<attendant::LineRangeDialog>([](attendant::LineRangeDialog& d) {
                TypeInto(d.Control(attendant::LineCtl::From), "2");
                TypeInto(d.Control(attendant::LineCtl::To), "4");
                TypeInto(d.Control(attendant::LineCtl::Table), "3");
                TypeInto(d.Control(attendant::LineCtl::Rings), "11");
                ClickButton(d, ui::ControlId::Ok);
            });
            EXPECT_EQ(range.Run(), ui::ControlId::Ok);
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        uint8_t returnToAa = 0, mode = 0, greeting = 0;
        ASSERT_EQ(later.server->GetAttendantParameters(returnToAa, mode, greeting), 0);
        EXPECT_EQ(mode, static_cast<uint8_t>(zax::TouchtoneGate::Custom));
        EXPECT_EQ(greeting, 27);
        std::vector<zax::LineEntry> lines(8);
        ASSERT_EQ(later.server->GetLines(8, lines), 0);
        // Lines 2 to 4 changed, the others as the demo office has them.
        const int rings[] = {2, 11, 11, 11, 0, 0, 0, 0};
        const int tables[] = {1, 3, 3, 3, 4, 4, 1, 1};
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].Rings, rings[i]) << "line " << i + 1;
            EXPECT_EQ(lines[i].GreetingTable, tables[i]) << "line " << i + 1;
        }
        // The reset is kept too: the usage report still counts nothing.
        ASSERT_EQ(later.server->RequestReport(4, zax::PrintDisplayLocally, {}), 0);
        const std::string again = Prepared(*later.server);
        EXPECT_NE(again.find("TOTAL                                   0          0          0"),
                  std::string::npos);
    }
}

} // namespace
