#include "reports/PrintDestinationDialog.h"

#include "reports/ReportsIds.h"
#include "ui_PrintDestinationDialog.h"

#include "server/Session.h"
#include "ui/Messages.h"
#include "ui/ResourceIds.h"
#include "ui/StringIds.h"

namespace reports {

using namespace DestinationCtl;

PrintDestinationDialog::PrintDestinationDialog(zax::Session& session, QWidget* parent,
                                               core::ConfigFile config)
    : TemplateDialog(ui::DialogId::PrintDestination, parent), session_(session),
      config_(std::move(config)), form_(std::make_unique<Ui::PrintDestinationDialog>()) {
    form_->setupUi(this);
}

PrintDestinationDialog::~PrintDestinationDialog() = default;

bool PrintDestinationDialog::OnInitDialog() {
    TemplateDialog::OnInitDialog();
    const bool printer = session_.systemInfo.PrintDestination == zax::PrintOnKorPrinter;
    SetChecked(printer ? Printer : Locally, true);
    return true;
}

void PrintDestinationDialog::OnOK() {
    const int16_t destination =
        IsChecked(Printer) ? zax::PrintOnKorPrinter : zax::PrintDisplayLocally;
    // In effect at once, even when the file cannot keep it.
    session_.systemInfo.PrintDestination = destination;
    if (!config_.WritePrintTo(destination)) {
        ui::ShowStatusMessage(ui::StringId::ErrorWritingIni);
        return;
    }
    EndDialog(ui::ControlId::Ok);
}

} // namespace reports
