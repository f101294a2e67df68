// Shows one of the report dialogs against the in-process demo office for a
// while, for looking at it on a real display:
//   reports_preview <activity|print|editor> [module.dll|-] [milliseconds]

#include "PreviewMain.h"

#include "reports/MailboxActivityDialog.h"
#include "reports/PrintDestinationDialog.h"
#include "reports/SelectEditorDialog.h"

int main(int argc, char** argv) {
    return preview::Main(
        argc, argv, "activity",
        {
            {"activity", preview::Open<reports::MailboxActivityDialog>},
            {"print", preview::Open<reports::PrintDestinationDialog>},
            {"editor", preview::Open<reports::SelectEditorDialog>},
        },
        [](zax::Session& s) { zax::SetText(s.systemInfo.DefaultEditor, "xdg-open"); });
}
