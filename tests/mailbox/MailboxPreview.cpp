// Shows one mailbox window against the in-process demo office for a while,
// for looking at it on a real display:
//   mailbox_preview <list|general|options|address|cos|add|addmany> [module.dll|-] [milliseconds]

#include "PreviewMain.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/CMbxProps.h"
#include "mailbox/ClassOfServiceDialog.h"
#include "mailbox/MailboxListDialog.h"

namespace {

// The sheet on one page of a mailbox: a subscriber, or the AMIS mailbox.
preview::Window Sheet(const char* number, int slot) {
    return [number, slot](zax::Session& session) {
        return preview::Show(mailbox::CMbxProps(session, number, nullptr, nullptr, slot));
    };
}

} // namespace

int main(int argc, char** argv) {
    return preview::Main(argc, argv, "list",
                         {
                             {"list", preview::Open<mailbox::MailboxListDialog>},
                             {"general", Sheet("2001", mailbox::SlotGeneral)},
                             {"options", Sheet("2001", mailbox::SlotOptions)},
                             {"address", Sheet("4000", mailbox::SlotAddress)},
                             {"cos", preview::Open<mailbox::ClassOfServiceDialog>},
                             {"add", preview::Open<mailbox::AddMailboxDialog>},
                             {"addmany", preview::Open<mailbox::AddManyMailboxesDialog>},
                         });
}
