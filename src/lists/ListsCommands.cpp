#include "lists/ListsCommands.h"

#include "lists/CentrexListDialog.h"
#include "lists/ClidListDialog.h"
#include "lists/GroupListsDialog.h"
#include "lists/TranslationListDialog.h"
#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

namespace lists {

void RegisterCommands(ui::CommandTable& commands) {
    using namespace ui::CommandId;
    commands.Register({GroupLists, ui::OpenWindow<GroupListsDialog>,
                       [](const zax::SystemInfo& s) { return s.GroupListsEnabled != 0; }});
    commands.Register({ClidTableAdmin, ui::OpenWindow<ClidListDialog>});
    commands.Register({DialingTranslation, ui::OpenWindow<TranslationListDialog>});
    commands.Register({CentrexRestrictions, ui::OpenWindow<CentrexListDialog>,
                       [](const zax::SystemInfo& s) { return s.CentrexAvailable != 0; }});
}

} // namespace lists
