// Shows one window of the group lists and the telephony tables against the
// in-process demo office for a while, for looking at it on a real display:
//   lists_preview <window> [module.dll|-] [milliseconds]
// Windows: clid, clid-entry, translations, translation-entry, dialing,
// centrex, centrex-entry, group-lists, add-group, voice-list, fax-list, fax-member.

#include "InProcessServer.h"

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
#include "server/Session.h"
#include "ui/LanguageModule.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstring>
#include <functional>
#include <map>

namespace {

template <class Dialog> int Show(Dialog&& dialog) {
    dialog.move(40, 40);
    return dialog.Run();
}

lists::TranslationPair DemoPair() {
    lists::TranslationPair p{};
    std::strcpy(p.Input, "1800");
    std::strcpy(p.Output, "91800");
    return p;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDir::setCurrent(QStringLiteral(ZAX_BIN_DIR));
    const QStringList args = app.arguments();
    const QString module = args.value(2, "-");
    if (module != "-" && !ui::LanguageModule::Load(module))
        return 2;
    testsupport::InProcessServer server;
    zax::Session s;
    s.server = &server.server();
    s.systemInfo = server.state().systemInfo;
    using ui::EntryMode;
    using namespace lists;
    const std::map<QString, std::function<int()>> windows = {
        {"clid", [&] { return Show(ClidListDialog(s)); }},
        {"clid-entry", [&] { return Show(ClidEntryDialog(s, EntryMode::Change, "8005551234")); }},
        {"translations", [&] { return Show(TranslationListDialog(s)); }},
        {"translation-entry",
         [&] { return Show(TranslationEntryDialog(s, EntryMode::Change, DemoPair())); }},
        {"dialing", [&] { return Show(DialingParametersDialog(s)); }},
        {"centrex", [&] { return Show(CentrexListDialog(s)); }},
        {"centrex-entry", [&] { return Show(CentrexEntryDialog(s, EntryMode::Change, "976")); }},
        {"group-lists", [&] { return Show(GroupListsDialog(s)); }},
        {"add-group", [&] { return Show(AddGroupListDialog(s)); }},
        {"voice-list", [&] { return Show(GroupListDialog(s, "9001", std::nullopt)); }},
        {"fax-list", [&] { return Show(GroupListDialog(s, "9004", std::nullopt)); }},
        {"fax-member", [&] { return Show(FaxMemberDialog(s)); }},
    };
    const auto it = windows.find(args.value(1, "clid"));
    if (it == windows.end())
        return 2;
    QTimer::singleShot(args.value(3, "3000").toInt(), &app, [] { QCoreApplication::exit(0); });
    it->second();
    return 0;
}
