// A transport failure at any server call of the lists and their entry
// dialogs ends the window with Cancel and the program with one network
// error message.

#include "ListsTestSupport.h"

#include "lists/AddGroupListDialog.h"
#include "lists/CentrexEntryDialog.h"
#include "lists/CentrexListDialog.h"
#include "lists/ClidEntryDialog.h"
#include "lists/ClidListDialog.h"
#include "lists/DialingParametersDialog.h"
#include "lists/GroupListDialog.h"
#include "lists/GroupListsDialog.h"
#include "lists/ListsIds.h"
#include "lists/TranslationEntryDialog.h"
#include "lists/TranslationListDialog.h"

#include "ui/ResourceIds.h"

#include <cstring>

using namespace dialogtest;
using namespace liststest;
using namespace lists;

namespace {

using NetworkErrorTest = DialogTest;

// Runs a window whose reading fails: it never shows.
template <class Window> int Read(zax::Session& s) {
    return Window(s).Run();
}

// Runs the list and, once it shows, selects `key` (if any) and acts.
template <class List>
std::function<int(zax::Session&)> InList(std::string key, std::function<void(List&)> act) {
    return [key, act](zax::Session& s) {
        List list(s);
        WhenModal<List>([&](List& l) {
            if (!key.empty())
                Select(l, key);
            act(l);
        });
        return list.Run();
    };
}

// Runs an entry dialog, types into its boxes and presses OK.
template <class Dialog>
std::function<int(zax::Session&)>
Confirm(std::function<std::unique_ptr<Dialog>(zax::Session&)> make,
        std::vector<std::pair<int, QString>> typed = {}, int radio = 0) {
    return [=](zax::Session& s) {
        auto dialog = make(s);
        WhenModal<Dialog>([&](Dialog& d) {
            if (radio != 0)
                ClickButton(d, radio);
            for (const auto& [id, text] : typed)
                TypeInto(d.Control(id), text);
            ClickButton(d, ui::ControlId::Ok);
        });
        return dialog->Run();
    };
}

TranslationPair Pair(const char* input, const char* output) {
    TranslationPair p{};
    std::strcpy(p.Input, input);
    std::strcpy(p.Output, output);
    return p;
}

TEST_F(NetworkErrorTest, EveryCallOfTheListsEndsTheProgram) {
    using namespace zax::Opnum;
    using ui::EntryMode;
    const auto newClid = [](zax::Session& s) {
        return std::make_unique<ClidEntryDialog>(s, EntryMode::Add, "");
    };
    const auto clidToMailbox = Confirm<ClidEntryDialog>(
        newClid, {{ClidCtl::Phone, "5551212"}, {ClidCtl::Mailbox, "2001"}}, ClidCtl::MailboxRadio);
    const auto editList = [](const char* number) {
        return Confirm<GroupListDialog>([number](zax::Session& s) {
            return std::make_unique<GroupListDialog>(s, number, std::nullopt);
        });
    };
    const auto readList = [](zax::Session& s) {
        return GroupListDialog(s, "9001", std::nullopt).Run();
    };
    const auto changedTranslation = [](zax::Session& s) {
        return std::make_unique<TranslationEntryDialog>(s, EntryMode::Change,
                                                        Pair("1800", "91800"));
    };
    const auto changedRestriction = [](zax::Session& s) {
        return std::make_unique<CentrexEntryDialog>(s, EntryMode::Change, "976");
    };
    struct Case {
        uint16_t opnum;
        const char* what;
        std::function<int(zax::Session&)> scenario;
    };
    const Case cases[] = {
        {FindFirstEntry, "group lists: read", Read<GroupListsDialog>},
        {FindNextEntry, "group lists: read on", Read<GroupListsDialog>},
        {DeleteGroupList, "group lists: delete",
         InList<GroupListsDialog>("9001", [](GroupListsDialog& l) { l.OnDelete(); })},
        {CheckFreeEntry, "add group list: room",
         [](zax::Session& s) { return AddGroupListDialog(s).Run(); }},
        {GetFreeGroupListNumber, "add group list: number",
         [](zax::Session& s) { return AddGroupListDialog(s).Run(); }},
        {GetGroupList, "members: header", readList},
        {GetFirstGroupMember, "members: first", readList},
        {GetNextGroupMember, "members: next", readList},
        {ChangeGroupList, "members: change", editList("9001")},
        {AddGroupList, "members: new list",
         [](zax::Session& s) {
             GroupListDialog d(s, "9000", zax::GroupListKind::Voice);
             WhenModal<GroupListDialog>([](GroupListDialog& w) {
                 TypeInto(w.Control(MembersCtl::Name), "NEW");
                 ClickButton(w, MembersCtl::AddMailbox);
                 ClickButton(w, ui::ControlId::Ok);
             });
             return d.Run();
         }},
        {CheckClidAdd, "clid: room",
         InList<ClidListDialog>("", [](ClidListDialog& l) { l.OnAdd(); })},
        {GetClid, "clid: read", Read<ClidListDialog>},
        {GetNextClid, "clid: read on", Read<ClidListDialog>},
        {DeleteClid, "clid: delete",
         InList<ClidListDialog>("911", [](ClidListDialog& l) { l.OnDelete(); })},
        {QueryMailboxState, "clid: mailbox", clidToMailbox},
        {SetClid, "clid: save", clidToMailbox},
        {GetFirstTranslation, "translations: read", Read<TranslationListDialog>},
        {GetNextTranslation, "translations: read on", Read<TranslationListDialog>},
        {DeleteTranslation, "translations: delete",
         InList<TranslationListDialog>("1800", [](TranslationListDialog& l) { l.OnDelete(); })},
        {ChangeTranslation, "translation: change output",
         Confirm<TranslationEntryDialog>(changedTranslation, {{TranslationCtl::Output, "8"}})},
        {AddTranslation, "translation: add after delete",
         Confirm<TranslationEntryDialog>(changedTranslation, {{TranslationCtl::Input, "1801"}})},
        {GetDialingParameters, "dialing parameters: read",
         [](zax::Session& s) { return DialingParametersDialog(s).Run(); }},
        {SetDialingParameters, "dialing parameters: write",
         Confirm<DialingParametersDialog>(
             [](zax::Session& s) { return std::make_unique<DialingParametersDialog>(s); })},
        {GetFirstCentrexRestriction, "centrex: read", Read<CentrexListDialog>},
        {GetNextCentrexRestriction, "centrex: read on", Read<CentrexListDialog>},
        {DeleteCentrexRestriction, "centrex: delete",
         InList<CentrexListDialog>("976", [](CentrexListDialog& l) { l.OnDelete(); })},
        {AddCentrexRestriction, "centrex: add after delete",
         Confirm<CentrexEntryDialog>(changedRestriction, {{CentrexCtl::Restriction, "977"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectTransportFailureEndsTheProgram(c.opnum, c.scenario);
    }
}

// A member added in the editor reaches the server only at OK; a transport
// failure then ends the program without a second try.
TEST_F(NetworkErrorTest, MemberChangesEndTheProgram) {
    using namespace zax::Opnum;
    const std::pair<uint16_t, int> cases[] = {{AddGroupMember, MembersCtl::AddMailbox},
                                              {RemoveGroupMember, MembersCtl::RemoveMailbox}};
    for (const auto& [opnum, button] : cases) {
        SCOPED_TRACE(opnum);
        ExpectTransportFailureEndsTheProgram(opnum, [button = button](zax::Session& s) {
            GroupListDialog d(s, "9001", std::nullopt);
            WhenModal<GroupListDialog>([button](GroupListDialog& w) {
                ClickButton(w, button);
                ClickButton(w, ui::ControlId::Ok);
            });
            return d.Run();
        });
    }
}

} // namespace
