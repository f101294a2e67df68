// The forms and the four language modules agree on the controls of every
// window of the lists.

#include "ControlIdCheck.h"
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
#include "lists/ListsIds.h"
#include "lists/TranslationEntryDialog.h"
#include "lists/TranslationListDialog.h"
#include "server/Session.h"

using namespace lists;

namespace {

TEST(ListsControlIdsTest, FormsAndEveryModuleAgree) {
    testsupport::InProcessServer sim;
    zax::Session s;
    s.server = &sim.server();
    s.systemInfo = sim.state().systemInfo;
    testsupport::ExpectFormsAndModulesAgree([&] {
        using ui::EntryMode;
        std::vector<testsupport::TemplateWindow> w;
        w.push_back({ui::DialogId::CallingLineId, std::make_unique<ClidListDialog>(s)});
        w.push_back(
            {TemplateId::ClidSetup, std::make_unique<ClidEntryDialog>(s, EntryMode::Add, "")});
        w.push_back({ui::DialogId::DialingTranslation, std::make_unique<TranslationListDialog>(s)});
        w.push_back({TemplateId::TranslationEntry, std::make_unique<TranslationEntryDialog>(
                                                       s, EntryMode::Add, TranslationPair{})});
        w.push_back({TemplateId::DialingParameters, std::make_unique<DialingParametersDialog>(s)});
        w.push_back({ui::DialogId::CentrexRestrictions, std::make_unique<CentrexListDialog>(s)});
        w.push_back({TemplateId::CentrexEntry,
                     std::make_unique<CentrexEntryDialog>(s, EntryMode::Add, "")});
        w.push_back({ui::DialogId::GroupLists, std::make_unique<GroupListsDialog>(s)});
        w.push_back({ui::DialogId::AddGroupList,
                     std::make_unique<AddGroupListDialog>(s),
                     {AddGroupCtl::Number}});
        w.push_back(
            {ui::DialogId::GroupList, std::make_unique<GroupListDialog>(s, "9001", std::nullopt)});
        w.push_back({ui::DialogId::FaxGroupMember, std::make_unique<FaxMemberDialog>(s)});
        return w;
    });
}

} // namespace
