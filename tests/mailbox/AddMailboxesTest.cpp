// Add Mailbox and Add Many Mailboxes against the in-process simulated
// server: the checks in their order, what is sent, and what each answer
// does to the dialog.

#include "MailboxTestSupport.h"

#include "mailbox/AddMailboxDialog.h"
#include "mailbox/AddManyMailboxesDialog.h"
#include "mailbox/CMbxProps.h"
#include "mailbox/MailboxCommands.h"
#include "mailbox/MailboxIds.h"
#include "mailbox/MailboxPage.h"

#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

#include <QComboBox>

using namespace mailbox;
using namespace mailboxtest;

namespace {

// The server's system parameters as the tests set them; every other
// procedure goes on to the simulated server.
class ParametersServer : public zax::ForwardingServer {
public:
    using ForwardingServer::ForwardingServer;
    zax::ServerStatus GetSystemParameters(zax::SystemParameters& p) override {
        ++reads;
        p = parameters;
        return 0;
    }
    zax::SystemParameters parameters{};
    int reads = 0;
};

class AddMailboxesTest : public MailboxTest {
protected:
    AddMailboxesTest() { Serve(); }

    // Serves the current simulated server with group lists led by `digit`.
    void Serve(uint8_t digit = 9) {
        params = std::make_unique<ParametersServer>(sim->server());
        params->parameters.GroupListLeadingDigit = digit;
        session.server = params.get();
    }
    void SetExtensionLength(int16_t length) {
        session.systemInfo.ExtensionLength = length;
        sim->state().systemInfo.ExtensionLength = length;
    }

    // Types the range and the outdial choice into Add Many Mailboxes, presses
    // OK, and expects `message` alone with the dialog left open as typed.
    void ExpectRefused(const char* from, const char* to, int outdial, const char* number,
                       const char* message);

    std::unique_ptr<ParametersServer> params;
};

// ---- Add Mailbox ---------------------------------------------------------------------

TEST_F(AddMailboxesTest, ANumberIsRefusedBeforeTheServerIsAskedAboutIt) {
    const struct {
        const char* what;
        int16_t extensionLength;
        uint8_t groupLists;
        const char* number;
        const char* message;
        int parameterReads;
        size_t stateQueries;
    } cases[] = {
        {"too short", 3, 1, "12", "Invalid mailbox number", 0, 0},
        {"too long", 3, 1, "1234", "Invalid mailbox number", 0, 0},
        {"not digits", 4, 1, "20a1", "Invalid mailbox number", 0, 0},
        {"group list number", 3, 1, "901", "Invalid mailbox number", 1, 0},
        {"exists", 4, 1, "2001", "Mailbox exists", 1, 1},
        // Eight digits would be sent as seven: the number of another mailbox.
        {"longer than the record holds", 8, 1, "20010000", "Invalid mailbox number", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Use(zaxsim::MakeDemoState());
        Serve();
        SetExtensionLength(c.extensionLength);
        session.systemInfo.GroupListsEnabled = c.groupLists;
        messages.clear();
        bool stayedOpen = false;
        AddMailboxDialog dialog(session);
        WhenModal<AddMailboxDialog>([&](AddMailboxDialog& d) {
            TypeInto(d.Control(AddMailboxCtl::Number), c.number);
            ClickButton(d, ui::ControlId::Ok);
            stayedOpen = d.isVisible();
            EXPECT_EQ(d.ControlText(AddMailboxCtl::Number), c.number);
        });
        EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_EQ(params->reads, c.parameterReads);
        EXPECT_EQ(CallsOf(zax::Opnum::QueryMailboxState), c.stateQueries);
    }
}

// Each type button opens the sheet for a new mailbox of its type; Cancel
// there creates nothing, and Add Mailbox closes all the same.
TEST_F(AddMailboxesTest, EachTypeOpensTheSheetInAddModeAndItsCancelCreatesNothing) {
    const struct {
        int button;
        zax::MailboxType type;
    } cases[] = {
        {AddMailboxCtl::Subscriber, zax::MailboxType::Subscriber},
        {AddMailboxCtl::Information, zax::MailboxType::Information},
        {AddMailboxCtl::FaxOnDemand, zax::MailboxType::FaxOnDemand},
        {AddMailboxCtl::FaxOverflow, zax::MailboxType::FaxOverflow},
        {AddMailboxCtl::Amis, zax::MailboxType::Amis},
        {AddMailboxCtl::Network, zax::MailboxType::Network},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        Use(zaxsim::MakeDemoState());
        Serve();
        SetExtensionLength(3);
        session.systemInfo.GroupListsEnabled = 0; // 901 is then an ordinary number
        const size_t before = sim->state().mailboxes.size();
        std::optional<int16_t> sheetType;
        AddMailboxDialog dialog(session);
        WhenModal<AddMailboxDialog>([&](AddMailboxDialog& d) {
            EXPECT_TRUE(d.IsChecked(AddMailboxCtl::Subscriber));
            TypeInto(d.Control(AddMailboxCtl::Number), "901");
            d.SetChecked(c.button, true);
            WhenModal<CMbxProps>([&](CMbxProps& sheet) {
                EXPECT_TRUE(sheet.InAddMode());
                EXPECT_EQ(zax::GetText(sheet.Record().Number), "901");
                sheetType = sheet.Record().Type;
                ClickButton(sheet, ui::ControlId::Cancel);
            });
            ClickButton(d, ui::ControlId::Ok);
        });
        EXPECT_EQ(dialog.Run(), ui::ControlId::Ok);
        EXPECT_EQ(sheetType, static_cast<int16_t>(c.type));
        EXPECT_EQ(CallsOf(zax::Opnum::AddMailbox), 0u);
        EXPECT_EQ(sim->state().mailboxes.size(), before);
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    }
}

TEST_F(AddMailboxesTest, OkInTheSheetCreatesTheMailbox) {
    AddMailboxDialog dialog(session);
    WhenModal<AddMailboxDialog>([&](AddMailboxDialog& d) {
        TypeInto(d.Control(AddMailboxCtl::Number), "2050");
        WhenModal<CMbxProps>([&](CMbxProps& sheet) {
            TypeInto(sheet.PageInSlot(SlotGeneral)->Control(GeneralCtl::LastName), "NEWMAN");
            ClickButton(sheet, ui::ControlId::Ok);
        });
        ClickButton(d, ui::ControlId::Ok);
    });
    EXPECT_EQ(dialog.Run(), ui::ControlId::Ok);
    const zax::MailboxRecord* added = sim->model().state().FindMailbox("2050");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(zax::GetText(added->Name), "NEWMAN");
    EXPECT_EQ(Calls(),
              (std::vector<uint16_t>{zax::Opnum::CheckFreeEntry, zax::Opnum::QueryMailboxState,
                                     zax::Opnum::GetCosNames, zax::Opnum::AddMailbox}));
}

// A refused CheckFreeEntry shows its message as the dialog opens, and the
// dialog does not stay.
TEST_F(AddMailboxesTest, NoRoomForAMailboxEndsTheDialogAsItOpens) {
    const struct {
        bool fullTable;
        uint32_t injected; // a status forced on CheckFreeEntry, 0 for none
        const char* message;
    } cases[] = {
        {true, 0, "No mailbox entries available"},
        {false, 31099, "Server Error, rc = 31099"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Use(zaxsim::MakeDemoState());
        Serve();
        if (c.fullTable)
            sim->state().capacity.Mailboxes = static_cast<int16_t>(sim->state().mailboxes.size());
        if (c.injected != 0)
            sim->FailStatus(zax::Opnum::CheckFreeEntry, c.injected);
        messages.clear();
        AddMailboxDialog dialog(session);
        EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_EQ(Calls(), std::vector<uint16_t>{zax::Opnum::CheckFreeEntry});
    }
}

// ---- Add Many Mailboxes ------------------------------------------------------------------

using AddManyAction = std::function<void(AddManyMailboxesDialog&)>;

TEST_F(AddMailboxesTest, AddManyOpensWithItsDefaultsAndTheOutdialChoiceEnablesItsNumber) {
    AddManyMailboxesDialog dialog(session);
    WhenModal<AddManyMailboxesDialog>([](AddManyMailboxesDialog& d) {
        using namespace AddManyCtl;
        EXPECT_EQ(d.ItemCount(Cos), 16);
        EXPECT_EQ(d.ControlText(Cos), "01   STANDARD");
        EXPECT_TRUE(d.IsChecked(Directory));
        EXPECT_TRUE(d.IsChecked(MessageWaiting));
        EXPECT_FALSE(d.IsChecked(CallScreening));
        EXPECT_TRUE(d.IsChecked(None));
        const struct {
            int radio;
            bool line, pool;
        } steps[] = {{Line, true, false}, {Pool, false, true}, {None, false, false}};
        for (const auto& s : steps) {
            ClickButton(d, s.radio);
            EXPECT_EQ(d.Control(LineNumber)->isEnabled(), s.line);
            EXPECT_EQ(d.Control(PoolNumber)->isEnabled(), s.pool);
            if (s.line || s.pool) {
                EXPECT_EQ(d.focusWidget(), d.Control(s.line ? LineNumber : PoolNumber));
            }
        }
    });
    dialog.Run();
    EXPECT_FALSE(dialog.Control(AddManyCtl::LineNumber)->isEnabled());
}

TEST_F(AddMailboxesTest, AddManyChecksInOrderAndKeepsWhatWasTyped) {
    using namespace AddManyCtl;
    const struct {
        const char* from;
        const char* to;
        int outdial;
        const char* number;
        const char* message;
    } cases[] = {
        {"1234", "1234", None, "", "Invalid From extension"},
        {"12", "", None, "", "Invalid From extension"},
        {"200", "", None, "", "Invalid To extension"},
        {"200", "2001", None, "", "Invalid To extension"},
        {"200", "199", Line, "0", "From extension greater than To extension"},
        {"200", "299", Line, "", "Invalid line number"},
        {"200", "299", Line, "9", "Invalid line number"}, // 8 lines
        {"200", "299", Pool, "5", "Invalid pool number"}, // 4 pools
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        SetExtensionLength(3);
        ExpectRefused(c.from, c.to, c.outdial, c.number, c.message);
    }
    // Eight digits would be sent as seven, another extension.
    SetExtensionLength(8);
    ExpectRefused("20000000", "20000001", None, "", "Invalid From extension");
}

void AddMailboxesTest::ExpectRefused(const char* from, const char* to, int outdial,
                                     const char* number, const char* message) {
    using namespace AddManyCtl;
    messages.clear();
    bool stayedOpen = false;
    AddManyMailboxesDialog dialog(session);
    WhenModal<AddManyMailboxesDialog>([&](AddManyMailboxesDialog& d) {
        TypeInto(d.Control(From), from);
        TypeInto(d.Control(To), to);
        ClickButton(d, outdial);
        if (outdial != None)
            TypeInto(d.Control(outdial == Line ? LineNumber : PoolNumber), number);
        ClickButton(d, ui::ControlId::Ok);
        stayedOpen = d.isVisible();
        EXPECT_EQ(d.ControlText(From), from);
        EXPECT_EQ(d.ControlText(To), to);
    });
    dialog.Run();
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages, QStringList{message});
    EXPECT_EQ(CallsOf(zax::Opnum::AddMailboxRange), 0u);
}

// A range of one is a range; both records carry the settings, and the
// count the server answers with is shown as it came.
TEST_F(AddMailboxesTest, AddManySendsBothRecordsAndShowsTheServersCount) {
    using namespace AddManyCtl;
    const struct {
        const char* from;
        const char* to;
        int madeByServer;
    } cases[] = {
        {"200", "200", 1},
        {"195", "205", 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        Use(zaxsim::MakeDemoState());
        Serve();
        SetExtensionLength(3);
        sim->state().mailboxes.clear(); // the demo's four-digit mailboxes
        messages.clear();
        AddManyMailboxesDialog dialog(session);
        WhenModal<AddManyMailboxesDialog>([&](AddManyMailboxesDialog& d) {
            TypeInto(d.Control(From), c.from);
            TypeInto(d.Control(To), c.to);
            d.SetCurrentIndex(Cos, 2);
            ClickButton(d, Pool);
            TypeInto(d.Control(PoolNumber), "2");
            ClickButton(d, MessageWaiting); // off
            ClickButton(d, CallScreening);  // on
            ClickButton(d, ui::ControlId::Ok);
        });
        EXPECT_EQ(dialog.Run(), ui::ControlId::Ok);
        const auto calls = sim->recorder().CallsOf(zax::Opnum::AddMailboxRange);
        ASSERT_EQ(calls.size(), 1u);
        const auto& from = calls[0].Arg<zax::MailboxRecord>(0);
        const auto& to = calls[0].Arg<zax::MailboxRecord>(1);
        for (const zax::MailboxRecord* r : {&from, &to}) {
            EXPECT_EQ(zax::GetText(r->Number), "");
            EXPECT_EQ(zax::GetText(r->Name), "");
            EXPECT_EQ(r->Type, 0);
            EXPECT_EQ(r->ClassOfService, 3);
            EXPECT_EQ(r->OutdialKind, static_cast<int16_t>(zax::OutdialKind::Pool));
            EXPECT_EQ(r->OutdialNumber, 2);
            EXPECT_EQ(r->MessageWaiting, 0);
            EXPECT_EQ(r->Directory, 1);
            EXPECT_EQ(r->CallScreening, 1);
        }
        EXPECT_EQ(zax::GetText(from.Extension), c.from);
        EXPECT_EQ(zax::GetText(to.Extension), c.to);
        EXPECT_EQ(messages, QStringList{QStringLiteral("%1 mailboxes added").arg(c.madeByServer)});
        EXPECT_EQ(styles.back(), ui::kStyleWarning);
    }
}

TEST_F(AddMailboxesTest, AddManyStaysOpenOnAServerErrorAndOpensWithoutClassNames) {
    using namespace AddManyCtl;
    sim->FailStatus(zax::Opnum::GetCosNames, 31033);
    sim->FailStatus(zax::Opnum::AddMailboxRange, 31033);
    bool stayedOpen = false;
    AddManyMailboxesDialog dialog(session);
    WhenModal<AddManyMailboxesDialog>([&](AddManyMailboxesDialog& d) {
        EXPECT_EQ(d.ItemCount(Cos), 16);
        EXPECT_EQ(d.ControlText(Cos), "01   ");
        TypeInto(d.Control(From), "2100");
        TypeInto(d.Control(To), "2110");
        ClickButton(d, ui::ControlId::Ok);
        stayedOpen = d.isVisible();
    });
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(messages, (QStringList{"Server Error, rc = 31033", "Server Error, rc = 31033"}));
}

// The menu items reach the two dialogs: each opens its own window.
TEST_F(AddMailboxesTest, BothMenuCommandsOpenTheirDialogs) {
    ui::CommandTable commands;
    RegisterCommands(commands);
    const ui::CommandEntry* addOne = commands.Find(ui::CommandId::AddMailbox);
    const ui::CommandEntry* addMany = commands.Find(ui::CommandId::AddManyMailboxes);
    ASSERT_NE(addOne, nullptr);
    ASSERT_NE(addMany, nullptr);
    EXPECT_TRUE(addOne->IsAvailable(session.systemInfo));
    EXPECT_TRUE(addMany->IsAvailable(session.systemInfo));
    bool manyOpened = false;
    WhenModal<AddManyMailboxesDialog>([&](AddManyMailboxesDialog&) { manyOpened = true; });
    addMany->run(session, nullptr);
    EXPECT_TRUE(manyOpened);
    bool oneOpened = false;
    WhenModal<AddMailboxDialog>([&](AddMailboxDialog&) { oneOpened = true; });
    addOne->run(session, nullptr);
    EXPECT_TRUE(oneOpened);
}

} // namespace
