// RunReport and Reset Statistics against the in-process simulated server:
// what each destination fetches and writes, the file holding the server's
// text byte for byte and overwritten by the next fetch, the editor started
// without a shell, and every failure's message.

#include "ReportTestSupport.h"

#include "ui/ServerCallGuard.h"

#include "reports/ReportsIds.h"
#include "reports/RunReport.h"

#include <QDir>

using namespace reports;
using namespace reporttest;
using namespace dialogtest;

namespace {

using zax::Opnum::GetReportSize;
using zax::Opnum::GetReportText;
using zax::Opnum::RequestReport;

// A server whose prepared report is empty.
class EmptyReports : public zax::ForwardingServer {
public:
    using ForwardingServer::ForwardingServer;
    zax::ServerStatus GetReportSize(int32_t& size) override {
        inner_.GetReportSize(size);
        size = 0;
        return 0;
    }
};

using RunReportTest = ReportTest;

TEST_F(RunReportTest, ToTheServersPrinterNothingIsFetchedWrittenOrShown) {
    session.systemInfo.PrintDestination = zax::PrintOnKorPrinter;
    EXPECT_EQ(RunReport(session, ReportNumber::Directory), ReportOutcome::Printed);
    EXPECT_EQ(Calls(), std::vector<uint16_t>{RequestReport});
    EXPECT_EQ(sim->recorder().CallsOf(RequestReport)[0].Arg<int16_t>(1), zax::PrintOnKorPrinter);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(QDir::current().entryList(QDir::Files).isEmpty());
}

TEST_F(RunReportTest, EveryReportIsWrittenAsTheServerSentItAndOpenedInTheEditor) {
    for (int n = 1; n <= 15; ++n) {
        SCOPED_TRACE(n);
        started.clear();
        const auto number = static_cast<ReportNumber>(n);
        EXPECT_EQ(RunReport(session, number), ReportOutcome::Shown);
        const QString name = QString::asprintf("REPORT.%03d", n);
        EXPECT_EQ(ReportFileName(number), name.toStdString());
        EXPECT_EQ(FileText(name), PreparedText());
        EXPECT_EQ(started, QStringList{"my-editor|--new-window|" + name});
    }
    EXPECT_FALSE(waited); // the editor runs on its own
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    const auto request = sim->recorder().CallsOf(RequestReport).front();
    EXPECT_EQ(request.Arg<zax::Chars<8>>(2), kAllEntries);
    EXPECT_EQ(request.Arg<int16_t>(1), zax::PrintDisplayLocally);
}

TEST_F(RunReportTest, TheNextFetchOfAReportOverwritesItsFile) {
    {
        QFile old("REPORT.005");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(200000, 'x')); // longer than the report
    }
    ASSERT_EQ(RunReport(session, ReportNumber::MailboxActivity), ReportOutcome::Shown);
    const std::string first = FileText("REPORT.005");
    EXPECT_EQ(first, PreparedText());
    ASSERT_EQ(sim->server().ResetStatistics(), 0);
    ASSERT_EQ(RunReport(session, ReportNumber::MailboxActivity), ReportOutcome::Shown);
    EXPECT_EQ(FileText("REPORT.005"), PreparedText());
    EXPECT_NE(FileText("REPORT.005"), first);
}

TEST_F(RunReportTest, AnEmptyReportOrARefusalShowsTheServerErrorAndWritesNothing) {
    EmptyReports empty(sim->server());
    session.server = &empty;
    EXPECT_EQ(RunReport(session, ReportNumber::Alarm), ReportOutcome::Failed);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 0"});
    EXPECT_EQ(CallsOf(GetReportText), 0u);

    session.server = &sim->server();
    messages.clear();
    sim->FailStatus(GetReportText, 31033, 1);
    EXPECT_EQ(RunReport(session, ReportNumber::Alarm), ReportOutcome::Failed);
    sim->FailStatus(RequestReport, 31035, 3);
    EXPECT_EQ(RunReport(session, ReportNumber::Alarm), ReportOutcome::Failed);
    EXPECT_EQ(messages, (QStringList{"Server Error, rc = 31033", "Server Error, rc = 31035"}));
    EXPECT_TRUE(QDir::current().entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(RunReportTest, AFileThatCannotBeWrittenIsNamedWithItsPath) {
    ASSERT_TRUE(QDir::current().mkdir("REPORT.002")); // a directory where the file would go
    EXPECT_EQ(RunReport(session, ReportNumber::MailboxInformation), ReportOutcome::Failed);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "The report could not be written to the file " +
                               QDir::current().absoluteFilePath("REPORT.002"));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(RunReportTest, AnEditorThatCannotStartIsReportedAndTheFileStays) {
    startResult = -1;
    EXPECT_EQ(RunReport(session, ReportNumber::CcrTree), ReportOutcome::EditorNotStarted);
    EXPECT_EQ(messages, QStringList{"Could not load the editor you specified.  Check to ensure "
                                    "that the path and filename are correct."});
    EXPECT_EQ(FileText("REPORT.009"), PreparedText());
}

TEST_F(RunReportTest, AQuotedEditorPathStaysOneWordAndTheFileNameIsNeverSplit) {
    zax::SetText(session.systemInfo.DefaultEditor, "\"/opt/my tools/view\" -r");
    ASSERT_EQ(RunReport(session, ReportNumber::PortUsage), ReportOutcome::Shown);
    EXPECT_EQ(started, QStringList{"/opt/my tools/view|-r|REPORT.010"});
}

TEST_F(RunReportTest, ResetStatisticsAsksFirstAndThenTheUsageReportChanges) {
    answer = ui::kAnswerCancel;
    ResetStatistics(session);
    EXPECT_EQ(messages, QStringList{"Reset Statistics?"});
    EXPECT_EQ(styles, std::vector<int>{ui::kStyleQuestion});
    EXPECT_EQ(CallsOf(zax::Opnum::ResetStatistics), 0u);

    ASSERT_EQ(RunReport(session, ReportNumber::MessageUsage), ReportOutcome::Shown);
    const std::string before = FileText("REPORT.004");
    messages.clear();
    answer = ui::kAnswerOk;
    ResetStatistics(session);
    EXPECT_EQ(messages, (QStringList{"Reset Statistics?", "Statistics reset"}));
    ASSERT_EQ(RunReport(session, ReportNumber::MessageUsage), ReportOutcome::Shown);
    EXPECT_NE(FileText("REPORT.004"), before);
    EXPECT_TRUE(sim->state().mailboxUsage.empty());

    messages.clear();
    sim->FailStatus(zax::Opnum::ResetStatistics, 31035);
    ResetStatistics(session);
    EXPECT_EQ(messages, (QStringList{"Reset Statistics?", "Server Error, rc = 31035"}));
}

TEST_F(RunReportTest, ATransportFailureAtEveryCallEndsTheProgram) {
    const auto run = [](zax::Session& s) {
        s.systemInfo.PrintDestination = zax::PrintDisplayLocally;
        return RunReport(s, ReportNumber::Directory) == ReportOutcome::ProgramEnding
                   ? ui::ControlId::Cancel
                   : ui::ControlId::Ok;
    };
    for (uint16_t opnum : {RequestReport, GetReportSize, GetReportText}) {
        SCOPED_TRACE(opnum);
        ExpectTransportFailureEndsTheProgram(opnum, run);
        EXPECT_TRUE(QDir::current().entryList(QDir::Files).isEmpty());
    }
    ExpectTransportFailureEndsTheProgram(zax::Opnum::ResetStatistics, [](zax::Session& s) {
        ResetStatistics(s);
        return ui::ProgramIsEnding() ? int{ui::ControlId::Cancel} : int{ui::ControlId::Ok};
    });
}

} // namespace
