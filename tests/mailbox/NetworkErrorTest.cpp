// A transport failure in any server call of the mailbox dialogs ends the
// program with the network error message, and leaves no dialog running.

#include "MailboxTestSupport.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/CMbxProps.h"
#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListDialog.h"
#include "mailbox/MailboxPage.h"

#include "ui/ResourceIds.h"

using namespace mailbox;
using namespace mailboxtest;

namespace {

using NetworkErrorTest = MailboxTest;

int RunSheet(CMbxProps& sheet, std::function<void(CMbxProps&)> act) {
    WhenModal<CMbxProps>(std::move(act));
    return sheet.Run();
}

// Add Mailbox with a new number typed and OK pressed.
int AddOne(zax::Session& s) {
    AddMailboxDialog dialog(s);
    WhenModal<AddMailboxDialog>([](AddMailboxDialog& d) {
        TypeInto(d.Control(AddMailboxCtl::Number), "2050");
        ClickButton(d, ui::ControlId::Ok);
    });
    return dialog.Run();
}

// Add Many Mailboxes with a range typed and OK pressed.
int AddRange(zax::Session& s) {
    AddManyMailboxesDialog dialog(s);
    WhenModal<AddManyMailboxesDialog>([](AddManyMailboxesDialog& d) {
        TypeInto(d.Control(AddManyCtl::From), "2100");
        TypeInto(d.Control(AddManyCtl::To), "2110");
        ClickButton(d, ui::ControlId::Ok);
    });
    return dialog.Run();
}

TEST_F(NetworkErrorTest, EveryProcedureOfTheMailboxDialogsEndsTheProgram) {
    struct Case {
        uint16_t opnum;
        const char* what;
        std::function<int(zax::Session&)> scenario; // returns the dialog's result
    };
    const Case cases[] = {
        {zax::Opnum::FindFirstEntry, "list: first entry",
         [](zax::Session& s) { return MailboxListDialog(s).Run(); }},
        {zax::Opnum::FindNextEntries, "list: a batch",
         [](zax::Session& s) { return MailboxListDialog(s).Run(); }},
        {zax::Opnum::DeleteMailbox, "list: delete",
         [](zax::Session& s) {
             MailboxListDialog list(s);
             WhenModal<MailboxListDialog>(
                 [](MailboxListDialog& d) { ClickButton(d, ListCtl::Delete); });
             return list.Run();
         }},
        {zax::Opnum::GetCosNames, "sheet: class-of-service names",
         [](zax::Session& s) {
             CMbxProps sheet(s, "2001", nullptr, nullptr);
             return sheet.Run();
         }},
        {zax::Opnum::GetMailbox, "sheet: read the mailbox",
         [](zax::Session& s) {
             CMbxProps sheet(s, "2001", nullptr, nullptr);
             return sheet.Run();
         }},
        {zax::Opnum::AddMailbox, "sheet: add with Apply",
         [](zax::Session& s) {
             CMbxProps sheet(s, "2050", zax::MailboxType::Information, nullptr);
             return RunSheet(sheet, [](CMbxProps& open) {
                 TypeInto(open.PageInSlot(SlotGeneral)->Control(GeneralCtl::LastName), "NEW");
                 ClickButton(open, ui::ControlId::Apply);
             });
         }},
        {zax::Opnum::ChangeMailbox, "sheet: change with OK",
         [](zax::Session& s) {
             CMbxProps sheet(s, "2001", nullptr, nullptr);
             return RunSheet(sheet, [](CMbxProps& open) {
                 TypeInto(open.PageInSlot(SlotGeneral)->Control(GeneralCtl::FirstName), "MAY");
                 ClickButton(open, ui::ControlId::Ok);
             });
         }},
        {zax::Opnum::CheckFreeEntry, "add: room for a mailbox",
         [](zax::Session& s) { return AddMailboxDialog(s).Run(); }},
        {zax::Opnum::GetSystemParameters, "add: group-list leading digit", AddOne},
        {zax::Opnum::QueryMailboxState, "add: the number's state", AddOne},
        {zax::Opnum::GetCosNames, "add many: class-of-service names",
         [](zax::Session& s) { return AddManyMailboxesDialog(s).Run(); }},
        {zax::Opnum::AddMailboxRange, "add many: the range", AddRange},
        {zax::Opnum::GetClassOfService, "classes of service: read",
         [](zax::Session& s) { return ClassOfServiceDialog(s).Run(); }},
        {zax::Opnum::SetClassOfService, "classes of service: write",
         [](zax::Session& s) {
             ClassOfServiceDialog dialog(s);
             WhenModal<ClassOfServiceDialog>(
                 [](ClassOfServiceDialog& d) { ClickButton(d, ui::ControlId::Ok); });
             return dialog.Run();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The system parameters answer as an empty record, so that the
        // calls after them are reached.
        ExpectTransportFailureEndsTheProgram(
            c.opnum, c.scenario, [this] { sim->FailStatus(zax::Opnum::GetSystemParameters, 0); });
    }
}

} // namespace
