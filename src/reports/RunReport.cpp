#include "reports/RunReport.h"

#include "server/Session.h"
#include "ui/LanguageModule.h"
#include "ui/Messages.h"
#include "ui/ServerCallGuard.h"
#include "ui/StringIds.h"
#include "ui/UiHooks.h"
#include "ui/WaitCursor.h"

#include <QDir>
#include <QProcess>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

namespace reports {

namespace {

ReportOutcome Failed(const ui::CallResult& result) {
    return result.Ending() ? ReportOutcome::ProgramEnding : ReportOutcome::Failed;
}

// "Server Error, rc = 0": an empty report, or no room for its text.
ReportOutcome ServerErrorWithoutStatus() {
    ui::ShowStatusMessage(ui::StringId::ServerError, 0);
    return ReportOutcome::Failed;
}

// Writes the text to the file, replacing what an earlier fetch left there.
bool WriteReportFile(const std::string& name, const char* text, size_t length) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file.write(text, static_cast<std::streamsize>(length));
    file.close();
    return !file.fail();
}

// The editor's own words (its path may be quoted), then the file as one
// word of its own: nothing in either reaches a shell.
QStringList EditorCommand(const zax::Session& session, const std::string& fileName) {
    QStringList command =
        QProcess::splitCommand(QString::fromUtf8(zax::GetText(session.systemInfo.DefaultEditor)));
    command << QString::fromStdString(fileName);
    return command;
}

} // namespace

std::string ReportFileName(ReportNumber number) {
    char name[16];
    std::snprintf(name, sizeof name, "REPORT.%03d", static_cast<int>(number));
    return name;
}

ReportOutcome RunReport(zax::Session& session, ReportNumber number, const zax::Chars<8>& argument) {
    const ui::WaitCursor busy;
    zax::VoiceMailServer& server = session.Server();
    const int16_t destination = session.systemInfo.PrintDestination;
    const ui::CallResult requested = ui::GuardServerCall(
        [&] { return server.RequestReport(static_cast<int16_t>(number), destination, argument); });
    if (!requested.Succeeded())
        return Failed(requested);
    if (destination != zax::PrintDisplayLocally)
        return ReportOutcome::Printed;

    int32_t size = 0;
    const ui::CallResult sized = ui::GuardServerCall([&] { return server.GetReportSize(size); });
    if (!sized.Succeeded())
        return Failed(sized);
    if (size <= 0)
        return ServerErrorWithoutStatus();

    std::vector<char> text;
    try {
        text.assign(static_cast<size_t>(size) + 1, '\0');
    } catch (const std::bad_alloc&) {
        return ServerErrorWithoutStatus();
    }
    int32_t length = 0;
    const ui::CallResult read = ui::GuardServerCall([&] {
        return server.GetReportText(size, length, std::span<char>(text.data(), text.size() - 1));
    });
    if (!read.Succeeded())
        return Failed(read);

    // The file goes to the current directory; when it cannot be written the
    // administrator learns which file, rather than a bare status.
    const std::string fileName = ReportFileName(number);
    if (!WriteReportFile(fileName, text.data(), static_cast<size_t>(length))) {
        const QString path = QDir::current().absoluteFilePath(QString::fromStdString(fileName));
        ui::ShowMessage(ui::LanguageModule::String(ReportsString::ReportNotWritten) +
                        QDir::toNativeSeparators(path));
        return ReportOutcome::Failed;
    }
    if (ui::Hooks().startProcess(EditorCommand(session, fileName), false) != 0) {
        ui::ShowStatusMessage(ui::StringId::EditorNotStarted);
        return ReportOutcome::EditorNotStarted;
    }
    return ReportOutcome::Shown;
}

void ResetStatistics(zax::Session& session) {
    using namespace ui::StringId;
    if (ui::ShowMessage(ui::LanguageModule::String(ResetStatisticsQuestion), ui::kStyleQuestion) !=
        ui::kAnswerOk)
        return;
    if (ui::GuardServerCall([&] { return session.Server().ResetStatistics(); }).Succeeded())
        ui::ShowStatusMessage(StatisticsReset);
}

} // namespace reports
