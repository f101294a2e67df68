#include "reports/ReportCommands.h"

#include "reports/MailboxActivityDialog.h"
#include "reports/PrintDestinationDialog.h"
#include "reports/RunReport.h"
#include "reports/SelectEditorDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace reports {

namespace {

struct ReportCommand {
    int command;
    ReportNumber number;
};

// The reports a menu command runs directly, with no argument.
constexpr ReportCommand kDirectReports[] = {
    {ui::CommandId::ReportDirectory, ReportNumber::Directory},
    {ui::CommandId::ReportMailboxInformation, ReportNumber::MailboxInformation},
    {ui::CommandId::ReportGroupList, ReportNumber::GroupList},
    {ui::CommandId::ReportMessageUsage, ReportNumber::MessageUsage},
    {ui::CommandId::ReportClid, ReportNumber::Clid},
    {ui::CommandId::ReportDnTranslation, ReportNumber::DnTranslation},
    {ui::CommandId::ReportAlarm, ReportNumber::Alarm},
    {ui::CommandId::ReportCcrTree, ReportNumber::CcrTree},
    {ui::CommandId::ReportPortUsage, ReportNumber::PortUsage},
    {ui::CommandId::ReportSystemConfiguration, ReportNumber::SystemConfiguration},
    {ui::CommandId::ReportFaxRequests, ReportNumber::FaxRequests},
    {ui::CommandId::ReportClassOfService, ReportNumber::ClassOfService},
    {ui::CommandId::ReportSystemParameters, ReportNumber::SystemParameters},
    {ui::CommandId::ReportSpeechRecognition, ReportNumber::SpeechRecognition},
};

} // namespace

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    for (const ReportCommand& r : kDirectReports)
        commands.Register(r.command, [number = r.number](zax::Session& session, QWidget*) {
            RunReport(session, number);
        });
    commands.Register(ReportMailboxActivity, ui::OpenWindow<MailboxActivityDialog>);
    commands.Register(PrintTo, ui::OpenWindow<PrintDestinationDialog>);
    commands.Register(DefaultEditor, ui::OpenWindow<SelectEditorDialog>);
    commands.Register(ui::CommandId::ResetStatistics,
                      [](zax::Session& session, QWidget*) { reports::ResetStatistics(session); });
}

} // namespace reports
