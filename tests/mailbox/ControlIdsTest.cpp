// Forms and every language module agree on each mailbox window's controls.

#include "ControlIdCheck.h"
#include "MailboxTestSupport.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxListDialog.h"
#include "mailbox/MailboxPage.h"

using namespace mailbox;
using namespace mailboxtest;

namespace {

TEST_F(MailboxTest, FormsAndEveryModuleAgreeOnTheControls) {
    zax::MailboxRecord record{};
    zax::CosNameTable cosNames{};
    testsupport::ExpectFormsAndModulesAgree([&] {
        std::vector<testsupport::TemplateWindow> all;
        all.push_back(
            {ui::DialogId::MailboxAdministration, std::make_unique<MailboxListDialog>(session)});
        all.push_back(
            {ui::DialogId::ClassOfService, std::make_unique<ClassOfServiceDialog>(session)});
        all.push_back({ui::DialogId::AddMailbox, std::make_unique<AddMailboxDialog>(session)});
        all.push_back(
            {ui::DialogId::AddManyMailboxes, std::make_unique<AddManyMailboxesDialog>(session)});
        for (auto make : {MakeGeneralPage, MakeOptionsPage, MakeOutdialPage, MakeFaxPage,
                          MakeDeliveryPage, MakeAddressPage, MakeSpeechRecPage}) {
            std::unique_ptr<MailboxPage> page(make({record, session.systemInfo, cosNames, true}));
            const int templateId = page->TemplateId();
            all.push_back({templateId, std::move(page)});
        }
        return all;
    });
}

} // namespace
