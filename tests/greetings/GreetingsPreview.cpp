// Shows the greeting-table sheet on one of its pages, the speech recognition
// directory or the voice-dialing switch against the in-process demo office
// for a while, for looking at them on a real display:
//   greetings_preview <numbers|hours|answer|speech|directory|dialing> [module.dll|-] [milliseconds]

#include "PreviewMain.h"

#include "greetings/CGtgTable.h"
#include "mailbox/SpeechDirectoryDialog.h"
#include "mailbox/SpeechRecPropertiesDialog.h"

#include <QTabWidget>

namespace {

preview::Window Sheet(int tab) {
    return [tab](zax::Session& session) {
        greetings::CGtgTable sheet(
            session, 1, greetings::CGtgTable::FirstPage,
            [](zax::Session&, QWidget*, const greetings::PromptRef&) { return true; });
        QTimer::singleShot(100, &sheet,
                           [&sheet, tab] { sheet.findChild<QTabWidget*>()->setCurrentIndex(tab); });
        return preview::Show(sheet);
    };
}

} // namespace

int main(int argc, char** argv) {
    return preview::Main(argc, argv, "hours",
                         {
                             {"numbers", Sheet(0)},
                             {"hours", Sheet(1)},
                             {"answer", Sheet(2)},
                             {"speech", Sheet(3)},
                             {"directory", preview::Open<mailbox::SpeechDirectoryDialog>},
                             {"dialing", preview::Open<mailbox::SpeechRecPropertiesDialog>},
                         });
}
