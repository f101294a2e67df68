// System Parameters against the in-process simulated server: what it shows
// and enables, the two checks in order, the bytes of every choice, the
// bilingual swap, the leading digit the server refuses, and the session's
// system information following what was saved.

#include "DialogTestSupport.h"

#include "attendant/AttendantCommands.h"
#include "attendant/AttendantIds.h"
#include "attendant/SystemParametersDialog.h"

#include "ui/CommandTable.h"
#include "ui/ResourceIds.h"

using namespace attendant;
using namespace attendant::SystemCtl;
using namespace dialogtest;

namespace {

using zax::SystemParameters;

// The demo office with mailbox 901 in a three-digit numbering plan, and group
// lists disabled.
zaxsim::SimState OfficeWith901() {
    zaxsim::SimState s = zaxsim::MakeDemoState();
    s.systemInfo.ExtensionLength = 3;
    s.mailboxes.clear();
    s.groupLists.clear();
    for (const char* number : {"100", "200", "901"}) {
        zaxsim::Mailbox m;
        zax::SetText(m.record.Number, number);
        zax::SetText(m.record.Name, std::string("BOX") + number);
        m.record.ClassOfService = 1;
        s.mailboxes.emplace(number, m);
    }
    s.systemParameters.GroupListsEnabled = 0;
    s.systemParameters.GroupListLeadingDigit = 0;
    zaxsim::MirrorSystemParameters(s.systemParameters, s.systemInfo);
    return s;
}

class SystemTest : public DialogTest {
protected:
    std::unique_ptr<SystemParametersDialog> Open() {
        auto dialog = std::make_unique<SystemParametersDialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    // Opens, acts, presses OK; the record sent, if any.
    std::optional<SystemParameters> Save(const std::function<void(SystemParametersDialog&)>& act) {
        const size_t before = CallsOf(zax::Opnum::SetSystemParameters);
        auto dialog = Open();
        act(*dialog);
        ClickButton(*dialog, ui::ControlId::Ok);
        const auto writes = sim->recorder().CallsOf(zax::Opnum::SetSystemParameters);
        if (writes.size() == before)
            return std::nullopt;
        return writes.back().Arg<SystemParameters>(0);
    }
    SystemParameters& Stored() { return sim->state().systemParameters; }
    // Changes what the server holds, keeping its system information in step.
    void Edit(const std::function<void(SystemParameters&)>& edit) {
        edit(Stored());
        zaxsim::MirrorSystemParameters(Stored(), sim->state().systemInfo);
        session.systemInfo = sim->state().systemInfo;
    }
};

TEST_F(SystemTest, ShowsTheParametersAsRead) {
    auto dialog = Open();
    EXPECT_EQ(dialog->ControlText(Version), "ZAX 4.3.0 (simulated)");
    EXPECT_EQ(dialog->ControlText(Channels), "2");
    EXPECT_EQ(dialog->ControlText(LeadingDigit), "9");
    EXPECT_TRUE(dialog->Control(LeadingDigit)->isEnabled());
    for (int id : {VoiceMailEnable, GroupListsEnable, ExternalInitDisable, DirectoryYes,
                   SearchLastName, GeneralDeliveryYes, BilingualYes, RedirectDnYes, FirstLanguage})
        EXPECT_TRUE(dialog->IsChecked(id)) << id;
    EXPECT_FALSE(dialog->IsChecked(ResetPassword));
    EXPECT_EQ(dialog->ControlText(FirstLanguage), "English");
    EXPECT_EQ(dialog->ControlText(SecondLanguage), "Français");
    EXPECT_TRUE(dialog->Control(FirstLanguage)->isEnabled());
    EXPECT_TRUE(dialog->Control(SecondLanguage)->isEnabled());
}

TEST_F(SystemTest, EveryChoiceIsReadAndSentAsItsByte) {
    const struct {
        const char* what;
        int button;
        uint8_t SystemParameters::*flag; // or null for the search code
        int expected;
    } cases[] = {
        {"voice mail disabled", VoiceMailDisable, &SystemParameters::VoiceMailEnabled, 0},
        {"external initialization", ExternalInitEnable, &SystemParameters::ExternalInitialization,
         1},
        {"no directory", DirectoryNo, &SystemParameters::DirectoryAvailable, 0},
        {"no general delivery", GeneralDeliveryNo, &SystemParameters::GeneralDeliveryMailbox, 0},
        {"redirect DN no", RedirectDnNo, &SystemParameters::RedirectDn, 1},
        {"redirect DN yes", RedirectDnYes, &SystemParameters::RedirectDn, 0},
        {"search by first name", SearchFirstName, nullptr, 1},
        {"search by last name", SearchLastName, nullptr, 0},
        {"search by both", SearchBoth, nullptr, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Use(zaxsim::MakeDemoState());
        const auto sent = Save([&](SystemParametersDialog& d) { ClickButton(d, c.button); });
        ASSERT_TRUE(sent);
        EXPECT_EQ(c.flag ? int{(*sent).*c.flag} : int{sent->DirectorySearch}, c.expected);
        EXPECT_EQ(sent->ResetAdminPassword, 0);
        EXPECT_EQ(zax::GetText(sent->VoiceMailVersion), ""); // shown, never sent
        // Reopened, the same button shows the stored byte.
        auto again = Open();
        EXPECT_TRUE(again->IsChecked(c.button));
    }
    // Any nonzero redirect byte is "No"; 1 is the search by first name.
    Edit([](SystemParameters& p) {
        p.RedirectDn = 5;
        p.DirectorySearch = 1;
    });
    auto dialog = Open();
    EXPECT_TRUE(dialog->IsChecked(RedirectDnNo));
    EXPECT_TRUE(dialog->IsChecked(SearchFirstName));
}

TEST_F(SystemTest, ChannelsThenTheLeadingDigitAreCheckedInThatOrder) {
    const struct {
        const char* channels;
        const char* digit;
        const char* message;
    } cases[] = {
        {"0", "x", "Invalid number of outcall channels"},
        {"5", "9", "Invalid number of outcall channels"}, // the system's maximum is 4
        {"", "9", "Invalid number of outcall channels"},
        {"004", "9", "Invalid number of outcall channels"},
        {"4", "0", "Invalid group list leading digit"},
        {"4", "10", "Invalid group list leading digit"},
        {"4", "", "Invalid group list leading digit"},
        {"4", "a", "Invalid group list leading digit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.channels) + "/" + c.digit);
        messages.clear();
        const auto sent = Save([&](SystemParametersDialog& d) {
            TypeInto(d.Control(Channels), c.channels);
            TypeInto(d.Control(LeadingDigit), c.digit);
        });
        EXPECT_FALSE(sent);
        EXPECT_EQ(messages, QStringList{c.message});
    }
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 1);
    const auto sent = Save([](SystemParametersDialog& d) {
        TypeInto(d.Control(Channels), "4");
        TypeInto(d.Control(LeadingDigit), "8");
    });
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->OutcallingChannels, 4);
    EXPECT_EQ(sent->GroupListLeadingDigit, 8);
}

TEST_F(SystemTest, TheDigitBoxFollowsTheGroupListsChoice) {
    Edit([](SystemParameters& p) { p.GroupListsEnabled = 0; });
    auto dialog = Open();
    EXPECT_EQ(dialog->ControlText(LeadingDigit), ""); // the stored 9 is not shown
    EXPECT_FALSE(dialog->Control(LeadingDigit)->isEnabled());
    ClickButton(*dialog, GroupListsEnable);
    EXPECT_TRUE(dialog->Control(LeadingDigit)->isEnabled());
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(LeadingDigit));
    ClickButton(*dialog, GroupListsDisable);
    EXPECT_FALSE(dialog->Control(LeadingDigit)->isEnabled());
}

TEST_F(SystemTest, DisablingGroupListsSendsDigitZeroWithoutCheckingTheBox) {
    const auto sent = Save([](SystemParametersDialog& d) {
        TypeInto(d.Control(LeadingDigit), "x");
        ClickButton(d, GroupListsDisable);
    });
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->GroupListsEnabled, 0);
    EXPECT_EQ(sent->GroupListLeadingDigit, 0);
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 0);
}

// Mailbox 901 begins with 9: the server refuses 9 as the leading digit.
// Until a save succeeds, the session keeps offering what it offered.
TEST_F(SystemTest, ALeadingDigitInUseIsRefusedAndTheSessionFollowsOnlyWhatWasSaved) {
    Use(OfficeWith901());
    ASSERT_EQ(session.systemInfo.GroupListsEnabled, 0);
    auto dialog = Open();
    ClickButton(*dialog, GroupListsEnable);
    TypeInto(dialog->Control(LeadingDigit), "9");
    TypeInto(dialog->Control(Channels), "3");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Group list leading digit conflicts with existing mailboxes"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(LeadingDigit));
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 0);
    EXPECT_EQ(Stored().GroupListsEnabled, 0);

    TypeInto(dialog->Control(LeadingDigit), "8");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 1);
    EXPECT_EQ(sim->state().systemInfo.GroupListsEnabled, 1);
    EXPECT_EQ(Stored().GroupListLeadingDigit, 8);

    messages.clear();
    const auto off = Save([](SystemParametersDialog& d) { ClickButton(d, GroupListsDisable); });
    ASSERT_TRUE(off);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 0);
    EXPECT_EQ(sim->state().systemInfo.GroupListsEnabled, 0);
}

TEST_F(SystemTest, AnotherRefusalShowsTheCodeAndKeepsTheDialogAndTheSession) {
    sim->FailStatus(zax::Opnum::SetSystemParameters, 31033);
    const auto sent = Save([](SystemParametersDialog& d) { ClickButton(d, GroupListsDisable); });
    ASSERT_TRUE(sent);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 1);
}

TEST_F(SystemTest, ANonBilingualSystemLocksTheLanguagesAndSendsTheCodesAsRead) {
    Edit([](SystemParameters& p) { p.Bilingual = 0; });
    auto dialog = Open();
    EXPECT_FALSE(dialog->Control(FirstLanguage)->isEnabled());
    EXPECT_FALSE(dialog->Control(SecondLanguage)->isEnabled());
    EXPECT_TRUE(dialog->IsChecked(FirstLanguage));
    dialog->SetChecked(SecondLanguage, true); // even if it were checked
    ClickButton(*dialog, ui::ControlId::Ok);
    const auto writes = sim->recorder().CallsOf(zax::Opnum::SetSystemParameters);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].Arg<SystemParameters>(0).PrimaryLanguage, 1);
    EXPECT_EQ(writes[0].Arg<SystemParameters>(0).SecondaryLanguage, 2);
}

TEST_F(SystemTest, BilingualTurnsTheLanguagesOnAndOff) {
    Edit([](SystemParameters& p) { p.Bilingual = 0; });
    auto dialog = Open();
    ClickButton(*dialog, BilingualYes);
    EXPECT_TRUE(dialog->Control(FirstLanguage)->isEnabled());
    EXPECT_TRUE(dialog->Control(SecondLanguage)->isEnabled());
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(FirstLanguage));
    ClickButton(*dialog, SecondLanguage);
    EXPECT_FALSE(dialog->IsChecked(FirstLanguage)); // one radio pair
    ClickButton(*dialog, BilingualNo);
    EXPECT_FALSE(dialog->Control(SecondLanguage)->isEnabled());
    EXPECT_TRUE(dialog->IsChecked(FirstLanguage));
    EXPECT_FALSE(dialog->IsChecked(SecondLanguage));
}

TEST_F(SystemTest, ChoosingTheSecondLanguageSwapsTheCodesAndReopensWithItFirst) {
    const auto sent = Save([](SystemParametersDialog& d) { ClickButton(d, SecondLanguage); });
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->PrimaryLanguage, 2);
    EXPECT_EQ(sent->SecondaryLanguage, 1);
    auto again = Open();
    EXPECT_EQ(again->ControlText(FirstLanguage), "Français");
    EXPECT_EQ(again->ControlText(SecondLanguage), "English");
    EXPECT_TRUE(again->IsChecked(FirstLanguage));
    // Confirming without a choice keeps the new order.
    ClickButton(*again, ui::ControlId::Ok);
    EXPECT_EQ(Stored().PrimaryLanguage, 2);
}

TEST_F(SystemTest, LanguageButtonsAreNamedByCode) {
    const struct {
        int16_t primary, secondary;
        const char* first; // "English" is the template's own caption
        const char* second;
    } cases[] = {
        {3, 1, "Español", "English"},
        {9, 3, "English", "Español"},
        {2, 0, "Français", ""},
        {1, 7, "English", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.primary * 10 + c.secondary);
        Edit([&](SystemParameters& p) {
            p.PrimaryLanguage = c.primary;
            p.SecondaryLanguage = c.secondary;
        });
        auto dialog = Open();
        EXPECT_EQ(dialog->ControlText(FirstLanguage), QString::fromUtf8(c.first));
        EXPECT_EQ(dialog->ControlText(SecondLanguage), QString::fromUtf8(c.second));
    }
}

TEST_F(SystemTest, AResetIsConfirmedAndPutsTheDefaultPasswordBack) {
    zax::SetText(sim->state().systemInfo.AdminPassword, "9876");
    const auto sent = Save([](SystemParametersDialog& d) { ClickButton(d, ResetPassword); });
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->ResetAdminPassword, 1);
    EXPECT_EQ(messages, QStringList{"Admin password successfully reset"});
    EXPECT_EQ(zax::GetText(sim->state().systemInfo.AdminPassword), zaxsim::DefaultAdminPassword);
    EXPECT_EQ(Stored().ResetAdminPassword, 0);
}

TEST_F(SystemTest, AnUnreadableRecordIsReportedAndTheDialogNotShown) {
    sim->FailStatus(zax::Opnum::GetSystemParameters, 31033);
    SystemParametersDialog dialog(session);
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
}

// The frame refreshes the menus after System Parameters only because the
// command says so; the dialog has changed the session by then.
TEST_F(SystemTest, TheCommandRefreshesTheMenusWithTheSessionAlreadyChanged) {
    ui::CommandTable commands;
    RegisterCommands(commands);
    for (int id : {ui::CommandId::Fax, ui::CommandId::OperatorSettings}) {
        ASSERT_NE(commands.Find(id), nullptr) << id;
        EXPECT_FALSE(commands.Find(id)->refreshesMenus) << id;
    }
    const ui::CommandEntry* entry = commands.Find(ui::CommandId::SystemParameters);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->refreshesMenus);
    EXPECT_TRUE(entry->IsAvailable(session.systemInfo));
    WhenModal<SystemParametersDialog>([](SystemParametersDialog& d) {
        ClickButton(d, GroupListsDisable);
        ClickButton(d, ui::ControlId::Ok);
    });
    entry->run(session, nullptr);
    EXPECT_EQ(session.systemInfo.GroupListsEnabled, 0);
}

} // namespace
