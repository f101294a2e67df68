// The mailbox dialogs end to end: the real client stubs over loopback to the
// real zaxsim program, which keeps its state in a file.

#include "LoopbackDialogs.h"
#include "MailboxTestSupport.h"
#include "ZaxsimProcess.h"

#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/CMbxProps.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxListDialog.h"
#include "mailbox/MailboxPage.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

#include <filesystem>
#include <unistd.h>

using namespace mailbox;
using mailboxtest::ClickButton;
using mailboxtest::TypeInto;
using mailboxtest::WhenModal;
using zaxtest::ZaxsimProcess;

namespace {

struct Connection : loopback::Connection {
    using loopback::Connection::Connection;
    zax::MailboxRecord Read(const char* number, zax::ServerStatus& status) {
        zax::MailboxRecord r{};
        zax::SetText(r.Number, number);
        status = server->GetMailbox(r);
        return r;
    }
};

void SelectNumber(MailboxListDialog& d, const char* number) {
    d.List()->SelectKey(number);
}

class MailboxOverLoopback : public loopback::DialogsOverLoopback {
protected:
    MailboxOverLoopback() : DialogsOverLoopback("mailbox") {}
};

TEST_F(MailboxOverLoopback, ListChangeAndDeleteReachTheServerAndItsStateFile) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        messages.clear();
        const std::vector<std::string> args = Args(byteOrder);
        {
            ZaxsimProcess sim(args);
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);

            int rows = 0, rowsAfterDelete = 0;
            QString changedRow;
            MailboxListDialog list(session);
            WhenModal<MailboxListDialog>([&](MailboxListDialog& d) {
                rows = d.RowCount();
                SelectNumber(d, "2002");
                WhenModal<CMbxProps>([](CMbxProps& sheet) {
                    TypeInto(sheet.PageInSlot(SlotGeneral)->Control(GeneralCtl::FirstName), "TOM");
                    ClickButton(sheet, ui::ControlId::Ok);
                });
                ClickButton(d, ListCtl::Change);
                changedRow = d.List()->CellText(d.List()->SelectedRow(), 0);
                SelectNumber(d, "2024");
                ClickButton(d, ListCtl::Delete);
                rowsAfterDelete = d.RowCount();
                ClickButton(d, ListCtl::Close);
            });
            list.Run();
            EXPECT_EQ(rows, 41);
            EXPECT_EQ(changedRow, "BAKER,TOM");
            EXPECT_EQ(rowsAfterDelete, 40);
            EXPECT_EQ(messages, QStringList{"Delete 2024, YOUNG,DAVID"});
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);

            Connection fresh(sim);
            zax::ServerStatus status = 1;
            EXPECT_EQ(zax::GetText(fresh.Read("2002", status).Name), "BAKER,TOM");
            EXPECT_EQ(status, 0);
            fresh.Read("2024", status);
            EXPECT_EQ(status, 31012);
        }
        // A restarted server serves the changed state from its file.
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        zax::ServerStatus status = 1;
        EXPECT_EQ(zax::GetText(later.Read("2002", status).Name), "BAKER,TOM");
        later.Read("2024", status);
        EXPECT_EQ(status, 31012);
    }
}

// A range of 50 made with Add Many Mailboxes is listed at once and is
// still there after the server restarts.
TEST_F(MailboxOverLoopback, ARangeAddedIsListedAndSurvivesARestart) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        messages.clear();
        const std::vector<std::string> args = Args(byteOrder);
        {
            ZaxsimProcess sim(args);
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);

            AddManyMailboxesDialog add(session);
            WhenModal<AddManyMailboxesDialog>([](AddManyMailboxesDialog& d) {
                TypeInto(d.Control(AddManyCtl::From), "6000");
                TypeInto(d.Control(AddManyCtl::To), "6049");
                d.SetCurrentIndex(AddManyCtl::Cos, 1);
                ClickButton(d, ui::ControlId::Ok);
            });
            EXPECT_EQ(add.Run(), ui::ControlId::Ok);
            EXPECT_EQ(messages, QStringList{"50 mailboxes added"});

            int rows = 0;
            bool first = false, last = false;
            MailboxListDialog list(session);
            WhenModal<MailboxListDialog>([&](MailboxListDialog& d) {
                rows = d.RowCount();
                first = d.List()->SelectKey("6000");
                last = d.List()->SelectKey("6049");
                ClickButton(d, ListCtl::Close);
            });
            list.Run();
            EXPECT_EQ(rows, 41 + 50);
            EXPECT_TRUE(first);
            EXPECT_TRUE(last);
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        zax::ServerStatus status = 1;
        const zax::MailboxRecord r = later.Read("6049", status);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(zax::GetText(r.Extension), "6049");
        EXPECT_EQ(r.ClassOfService, 2);
        EXPECT_EQ(r.Directory, 1);
        EXPECT_EQ(r.MessageWaiting, 1);
    }
}

} // namespace
