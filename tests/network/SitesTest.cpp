// Site administration against the in-process simulated server: the list,
// adding each kind of site (a full table stops it), changing one with its
// prefix fixed, deleting, the working record cleared between sites, the
// site name that does not pass, the telephone number that must fit its
// field, and VPIM only where the server has it.

#include "DialogTestSupport.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/NetworkIds.h"
#include "network/SiteAdministrationDialog.h"
#include "network/SiteFields.h"

#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

#include <QLineEdit>

using namespace network;
using namespace dialogtest;

namespace {

class SitesTest : public DialogTest {
protected:
    std::unique_ptr<SiteAdministrationDialog> Open() {
        auto dialog = std::make_unique<SiteAdministrationDialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    static std::vector<std::string> Prefixes(const SiteAdministrationDialog& d) {
        std::vector<std::string> out;
        for (int i = 0; i < d.RowCount(); ++i)
            out.push_back(d.RowAt(i)->prefix);
        return out;
    }
    // Adds a site through "Add": the type dialog, then `fill` in the site dialog.
    template <class SiteDialog>
    void Add(SiteAdministrationDialog& list, bool smtp, std::function<void(SiteDialog&)> fill) {
        WhenModal<AddNetworkSiteDialog>([smtp, fill](AddNetworkSiteDialog& d) {
            EXPECT_TRUE(d.IsChecked(AddSiteCtl::Amis)); // AMIS comes first
            if (smtp)
                ClickButton(d, AddSiteCtl::Smtp);
            WhenModal<SiteDialog>(fill);
            ClickButton(d, ui::ControlId::Ok);
        });
        list.OnAdd();
    }
    std::vector<zaxsim::RecordedCall> Writes(uint16_t opnum) const {
        return sim->recorder().CallsOf(opnum);
    }
};

TEST_F(SitesTest, ListsTheSitesInTheServersOrderWithTheirType) {
    auto dialog = Open();
    EXPECT_EQ(Prefixes(*dialog), (std::vector<std::string>{"71", "72", "73", "74"}));
    EXPECT_EQ(dialog->List()->CellText(0, 0), "OTTAWA_BRANCH");
    EXPECT_EQ(dialog->List()->CellText(0, 2), "AMIS");
    EXPECT_EQ(dialog->List()->CellText(1, 2), "Digital");
    EXPECT_EQ(dialog->List()->SelectedRow(), 0);
    EXPECT_EQ(Calls().front(), zax::Opnum::OpenSiteList);
    EXPECT_EQ(CallsOf(zax::Opnum::GetNextSite), 5u); // four sites and the end
}

TEST_F(SitesTest, AFailedListIsReportedAndTheDialogNotShown) {
    sim->FailStatus(zax::Opnum::GetNextSite, 31033, 2);
    SiteAdministrationDialog dialog(session);
    EXPECT_EQ(dialog.Run(), ui::ControlId::Cancel);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
}

// A name that does not pass is saved as "Site" and the prefix, silently.
TEST_F(SitesTest, AnAmisSiteIsAddedAndListedUnderItsNameOrTheFallback) {
    auto dialog = Open();
    for (const auto& [typed, saved] : {std::pair{"NEW SITE", "Site81"}, std::pair{"", "Site82"},
                                       std::pair{"O'HARE,IL-2", "O'HARE,IL-2"}}) {
        SCOPED_TRACE(typed);
        const std::string prefix = saved[0] == 'S' ? saved + 4 : "83";
        Add<AmisSiteDialog>(*dialog, false, [&](AmisSiteDialog& d) {
            EXPECT_TRUE(d.IsChecked(AmisSiteCtl::Line));
            EXPECT_EQ(d.ControlText(AmisSiteCtl::LineNumber), "");
            EXPECT_TRUE(d.Control(AmisSiteCtl::Prefix)->isEnabled());
            TypeInto(d.Control(AmisSiteCtl::Name), typed);
            TypeInto(d.Control(AmisSiteCtl::Phone), "9p5550100#");
            TypeInto(d.Control(AmisSiteCtl::Prefix), QString::fromStdString(prefix));
            TypeInto(d.Control(AmisSiteCtl::LineNumber), "2");
            ClickButton(d, ui::ControlId::Ok);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
        const zax::NetworkSite& stored = sim->state().sites.at(prefix);
        EXPECT_EQ(zax::GetText(stored.SiteName), saved);
        EXPECT_EQ(stored.SiteType, 2);
        EXPECT_EQ(stored.LineOrPoolNumber, 2);
        const SiteListRow* row = dialog->RowAt(dialog->List()->SelectedRow());
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->prefix, prefix);
        EXPECT_EQ(row->name, saved);
    }
}

TEST_F(SitesTest, AmisSiteChecksPhoneThenPrefixThenRoute) {
    using namespace AmisSiteCtl;
    const struct {
        const char* phone;
        const char* prefix;
        const char* pool; // null: the line button, number 1
        const char* message;
    } cases[] = {
        {"", "81", nullptr, "Invalid telephone number"},
        {"555 0100", "", nullptr, "Invalid telephone number"},
        {"5550100", "", nullptr, "Invalid site prefix"},
        {"5550100", "1234567890", nullptr, "Invalid site prefix"},
        {"5550100", "8a", nullptr, "Invalid site prefix"},
        {"5550100", "81", "5", "Invalid pool number"}, // four pools
        {"5550100", "81", "", "Invalid pool number"},
        {"5550100", "71", "4", "Site prefix exists"},
        {"5550100", "7", "4", "Site prefix overlaps"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.phone) + "/" + c.prefix);
        zax::NetworkSite site{};
        AmisSiteDialog dialog(session, site, true);
        dialog.show();
        messages.clear();
        TypeInto(dialog.Control(Phone), c.phone);
        TypeInto(dialog.Control(Prefix), c.prefix);
        TypeInto(dialog.Control(LineNumber), "1");
        if (c.pool) {
            ClickButton(dialog, Pool);
            TypeInto(dialog.Control(PoolNumber), c.pool);
        }
        ClickButton(dialog, ui::ControlId::Ok);
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(zax::GetText(site.SitePrefix), ""); // the working record waits for a save
    }
}

// The field holds 30 bytes with the terminator: the entry stops at 29, and
// a longer number that reaches the box anyway is refused, never cut short.
TEST_F(SitesTest, TheTelephoneNumberAlwaysFitsItsField) {
    using namespace AmisSiteCtl;
    zax::NetworkSite site{};
    AmisSiteDialog dialog(session, site, true);
    dialog.show();
    TypeInto(dialog.Control(Phone), QString(30, '5'));
    EXPECT_EQ(dialog.ControlText(Phone), QString(29, '5'));
    dialog.ControlAs<QLineEdit>(Phone)->setMaxLength(40);
    dialog.SetControlText(Phone, QString(30, '5'));
    TypeInto(dialog.Control(Prefix), "81");
    TypeInto(dialog.Control(LineNumber), "1");
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Invalid telephone number"});
    dialog.SetControlText(Phone, QString(29, '5'));
    messages.clear();
    ClickButton(dialog, ui::ControlId::Ok);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_EQ(zax::GetText(sim->state().sites.at("81").TelephoneNumber), std::string(29, '5'));
}

// The digital site changed last leaves nothing behind in a new AMIS site.
TEST_F(SitesTest, AddStartsFromAnEmptyRecordWhateverTheLastChangeLeft) {
    auto dialog = Open();
    dialog->List()->SelectKey("72");
    WhenModal<DigitalSiteDialog>([](DigitalSiteDialog& d) { ClickButton(d, ui::ControlId::Ok); });
    dialog->OnChange();
    ASSERT_EQ(Writes(zax::Opnum::ChangeSite).size(), 1u);
    Add<AmisSiteDialog>(*dialog, false, [](AmisSiteDialog& d) {
        EXPECT_EQ(d.ControlText(AmisSiteCtl::Name), "");
        EXPECT_EQ(d.ControlText(AmisSiteCtl::Prefix), "");
        TypeInto(d.Control(AmisSiteCtl::Phone), "5550100");
        TypeInto(d.Control(AmisSiteCtl::Prefix), "81");
        TypeInto(d.Control(AmisSiteCtl::LineNumber), "1");
        ClickButton(d, ui::ControlId::Ok);
    });
    const auto adds = Writes(zax::Opnum::AddSite);
    ASSERT_EQ(adds.size(), 1u);
    const auto& sent = adds[0].Arg<zax::NetworkSite>(0);
    EXPECT_EQ(zax::GetText(sent.HostName), "");
    EXPECT_EQ(zax::GetText(sent.MailboxPrefix), "");
    EXPECT_EQ(sent.VoiceFormat, 0);
    EXPECT_EQ(zax::GetText(sent.SitePrefix), "81");
}

TEST_F(SitesTest, ChangingASiteKeepsItsPrefixAndShowsTheSavedName) {
    auto dialog = Open();
    dialog->List()->SelectKey("71");
    WhenModal<AmisSiteDialog>([](AmisSiteDialog& d) {
        using namespace AmisSiteCtl;
        EXPECT_FALSE(d.Control(Prefix)->isEnabled());
        EXPECT_EQ(d.ControlText(Prefix), "71");
        EXPECT_EQ(d.ControlText(Phone), "16135550188");
        EXPECT_TRUE(d.IsChecked(Line));
        EXPECT_EQ(d.ControlText(LineNumber), "8");
        TypeInto(d.Control(Prefix), "99"); // were it typed anyway
        TypeInto(d.Control(Name), "OTTAWA");
        ClickButton(d, ui::ControlId::Ok);
    });
    dialog->OnChange();
    const auto changes = Writes(zax::Opnum::ChangeSite);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(zax::GetText(changes[0].Arg<zax::NetworkSite>(0).SitePrefix), "71");
    EXPECT_EQ(dialog->RowAt(0)->name, "OTTAWA");
    EXPECT_EQ(dialog->List()->SelectedRow(), 0);
    const auto gets = Writes(zax::Opnum::GetSite);
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_EQ(zax::GetText(gets[0].Arg<zax::NetworkSite>(0).SitePrefix), "71");
}

TEST_F(SitesTest, ADigitalSiteChecksItsFieldsAndTheServersConflicts) {
    using namespace DigitalSiteCtl;
    const struct {
        const char* host;
        const char* prefix;
        const char* mailboxPrefix;
        const char* message; // null: saved
    } cases[] = {
        {"", "81", "", "Invalid host name"},
        {"a..example", "81", "", "Invalid host name"},
        {"a.example", "", "", "Invalid site prefix"},
        {"a.example", "81", "1234567890", "Invalid mailbox prefix"},
        {"VM.TORONTO.EXAMPLE.NET", "81", "", "Duplicate host name"},
        {"a.example", "81", "72", "Mailbox prefix exists"},
        {"a.example", "81", "721", "Mailbox prefix overlaps"},
        {"a.example", "711", "", "Site prefix overlaps"},
        {"a.example", "81", "81", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.host) + "/" + c.prefix + "/" + c.mailboxPrefix);
        zax::NetworkSite site{};
        site.SiteType = 1;
        DigitalSiteDialog dialog(session, site, true);
        ASSERT_TRUE(dialog.Load());
        dialog.show();
        messages.clear();
        TypeInto(dialog.Control(Host), c.host);
        TypeInto(dialog.Control(Prefix), c.prefix);
        TypeInto(dialog.Control(MailboxPrefix), c.mailboxPrefix);
        ClickButton(dialog, Sbc);
        ClickButton(dialog, ui::ControlId::Ok);
        EXPECT_EQ(messages, c.message ? QStringList{c.message} : QStringList{});
        EXPECT_EQ(dialog.isVisible(), c.message != nullptr);
    }
    const zax::NetworkSite& stored = sim->state().sites.at("81");
    EXPECT_EQ(stored.VoiceFormat, 1);
    EXPECT_EQ(zax::GetText(stored.SiteName), "Site81");
}

TEST_F(SitesTest, VpimIsOfferedOnlyWhenTheServerHasIt) {
    for (const uint8_t available : {uint8_t{1}, uint8_t{0}}) {
        SCOPED_TRACE(available);
        sim->state().vpimAvailable = available;
        zax::NetworkSite site{};
        DigitalSiteDialog dialog(session, site, true);
        ASSERT_TRUE(dialog.Load());
        dialog.show();
        EXPECT_EQ(dialog.Control(DigitalSiteCtl::Vpim)->isVisible(), available != 0);
        EXPECT_EQ(dialog.Control(DigitalSiteCtl::Vpim)->isEnabled(), available != 0);
        EXPECT_TRUE(dialog.IsChecked(DigitalSiteCtl::Adpcm));
    }
    // A status instead of an answer hides it too, without a message.
    sim->state().vpimAvailable = 1;
    sim->FailStatus(zax::Opnum::IsVpimAvailable, 31033);
    zax::NetworkSite site{};
    DigitalSiteDialog dialog(session, site, true);
    ASSERT_TRUE(dialog.Load());
    dialog.show();
    EXPECT_FALSE(dialog.Control(DigitalSiteCtl::Vpim)->isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SitesTest, AFullTableStopsAddAtItsMessage) {
    sim->state().capacity.Sites = 4;
    auto dialog = Open();
    dialog->OnAdd(); // nothing modal may open: a window left open would fail the test
    EXPECT_EQ(messages, QStringList{"The network site table is full"});
    EXPECT_EQ(CallsOf(zax::Opnum::AddSite), 0u);
    EXPECT_EQ(dialog->RowCount(), 4);
}

// Network mailboxes reach sites 72 and 73; 71 and 74 go, and with them the
// row buttons until a site is added again.
TEST_F(SitesTest, DeletingAsksFirstAndTheLastSiteTakesTheRowButtons) {
    auto dialog = Open();
    dialog->List()->SelectKey("72");
    dialog->OnDelete();
    EXPECT_EQ(messages, (QStringList{"Delete TORONTO_HQ",
                                     "Site is being referenced by a mailbox.  Cannot delete."}));
    EXPECT_EQ(dialog->RowCount(), 4);
    answer = ui::kAnswerCancel;
    dialog->List()->SelectKey("71");
    dialog->OnDelete();
    EXPECT_EQ(dialog->RowCount(), 4);
    EXPECT_EQ(CallsOf(zax::Opnum::DeleteSite), 1u);
    answer = ui::kAnswerOk;
    dialog->OnDelete();
    EXPECT_EQ(Prefixes(*dialog), (std::vector<std::string>{"72", "73", "74"}));
    EXPECT_EQ(dialog->List()->SelectedRow(), 0);

    // Without the mailboxes nothing holds the others.
    sim->state().mailboxes.clear();
    for (int i = 0; i < 3; ++i)
        dialog->OnDelete();
    EXPECT_EQ(dialog->RowCount(), 0);
    EXPECT_FALSE(dialog->Control(SiteListCtl::Change)->isEnabled());
    EXPECT_FALSE(dialog->Control(SiteListCtl::Delete)->isEnabled());
    messages.clear();
    dialog->OnChange();
    dialog->OnDelete();
    EXPECT_EQ(messages, (QStringList{"You must first select an entry to change",
                                     "You must first select an entry to delete"}));

    Add<DigitalSiteDialog>(*dialog, true, [](DigitalSiteDialog& d) {
        TypeInto(d.Control(DigitalSiteCtl::Host), "b.example");
        TypeInto(d.Control(DigitalSiteCtl::Prefix), "5");
        ClickButton(d, ui::ControlId::Ok);
    });
    EXPECT_EQ(Prefixes(*dialog), (std::vector<std::string>{"5"}));
    EXPECT_EQ(dialog->List()->CellText(0, 2), "Digital");
    EXPECT_TRUE(dialog->Control(SiteListCtl::Change)->isEnabled());
    EXPECT_TRUE(dialog->Control(SiteListCtl::Delete)->isEnabled());
}

} // namespace
