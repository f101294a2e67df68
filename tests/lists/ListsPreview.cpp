// Shows one window of the group lists and the telephony tables against the
// in-process demo office for a while, for looking at it on a real display:
//   lists_preview <window> [module.dll|-] [milliseconds]
// Windows: clid, clid-entry, translations, translation-entry, dialing,
// centrex, centrex-entry, group-lists, add-group, voice-list, fax-list, fax-member.

#include "PreviewMain.h"

#include "lists/AddGroupListDialog.h"
#include "lists/CentrexEntryDialog.h"
#include "lists/CentrexListDialog.h"
#include "lists/ClidEntryDialog.h"
#include "lists/ClidListDialog.h"
#include "lists/DialingParametersDialog.h"
#include "lists/FaxMemberDialog.h"
#include "lists/GroupListDialog.h"
#include "lists/GroupListsDialog.h"
#include "lists/TranslationEntryDialog.h"
#include "lists/TranslationListDialog.h"

#include <cstring>
#include <optional>

namespace {

lists::TranslationPair DemoPair() {
    lists::TranslationPair p{};
    std::strcpy(p.Input, "1800");
    std::strcpy(p.Output, "91800");
    return p;
}

} // namespace

int main(int argc, char** argv) {
    using preview::Show;
    using ui::EntryMode;
    using namespace lists;
    using S = zax::Session;
    return preview::Main(
        argc, argv, "clid",
        {
            {"clid", preview::Open<ClidListDialog>},
            {"clid-entry",
             [](S& s) { return Show(ClidEntryDialog(s, EntryMode::Change, "8005551234")); }},
            {"translations", preview::Open<TranslationListDialog>},
            {"translation-entry",
             [](S& s) { return Show(TranslationEntryDialog(s, EntryMode::Change, DemoPair())); }},
            {"dialing", preview::Open<DialingParametersDialog>},
            {"centrex", preview::Open<CentrexListDialog>},
            {"centrex-entry",
             [](S& s) { return Show(CentrexEntryDialog(s, EntryMode::Change, "976")); }},
            {"group-lists", preview::Open<GroupListsDialog>},
            {"add-group", preview::Open<AddGroupListDialog>},
            {"voice-list", [](S& s) { return Show(GroupListDialog(s, "9001", std::nullopt)); }},
            {"fax-list", [](S& s) { return Show(GroupListDialog(s, "9004", std::nullopt)); }},
            {"fax-member", preview::Open<FaxMemberDialog>},
        });
}
