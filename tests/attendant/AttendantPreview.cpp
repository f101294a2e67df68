// Shows one of the parameter dialogs against the in-process demo office for
// a while, for looking at it on a real display:
//   attendant_preview <operator|fax|system|aa|lines|line|range> [module.dll|-] [milliseconds]

#include "PreviewMain.h"

#include "attendant/FaxParametersDialog.h"
#include "attendant/GeneralAaParametersDialog.h"
#include "attendant/LineAdministrationDialog.h"
#include "attendant/LineDialogs.h"
#include "attendant/OperatorSettingsDialog.h"
#include "attendant/SystemParametersDialog.h"

int main(int argc, char** argv) {
    using namespace attendant;
    return preview::Main(argc, argv, "system",
                         {
                             {"operator", preview::Open<OperatorSettingsDialog>},
                             {"fax", preview::Open<FaxParametersDialog>},
                             {"system", preview::Open<SystemParametersDialog>},
                             {"aa", preview::Open<GeneralAaParametersDialog>},
                             {"lines", preview::Open<LineAdministrationDialog>},
                             {"line",
                              [](zax::Session& s) {
                                  return preview::Show(
                                      LineSettingsDialog(s, 5, QStringLiteral("005")));
                              }},
                             {"range", preview::Open<LineRangeDialog>},
                         });
}
