// The networking dialogs end to end: the real client stubs over loopback to
// the real zaxsim program, in both byte orders. Each parameter set is saved
// in turn and the other two read back unchanged; sites are added, changed
// and deleted through the site list, and a restarted server reads it all back.

#include "DialogTestSupport.h"
#include "LoopbackDialogs.h"
#include "ZaxsimProcess.h"

#include "network/AddNetworkSiteDialog.h"
#include "network/AmisNetworkingDialog.h"
#include "network/AmisSiteDialog.h"
#include "network/BlockingPeriodsDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/DigitalSiteDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/NetworkIds.h"
#include "network/SiteAdministrationDialog.h"
#include "server/RpcVoiceMailServer.h"
#include "ui/ReportListView.h"
#include "ui/ResourceIds.h"

#include <filesystem>
#include <functional>
#include <string>

using namespace network;
using dialogtest::ClickButton;
using dialogtest::TypeInto;
using dialogtest::WhenModal;
using zaxtest::ZaxsimProcess;

namespace {

using loopback::Connection;

class NetworkOverLoopback : public loopback::DialogsOverLoopback {
protected:
    NetworkOverLoopback() : DialogsOverLoopback("network") {}
};

// The three sets of the shared record as one comparable text each.
struct Sets {
    std::string general, amis, digital;
};
Sets ReadSets(zax::VoiceMailServer& server) {
    zax::NetworkParameters g{}, a{}, d{};
    EXPECT_EQ(server.GetGeneralNetworking(g), 0);
    EXPECT_EQ(server.GetAmisNetworking(a), 0);
    EXPECT_EQ(server.GetDigitalNetworking(d), 0);
    return {std::to_string(g.NetworkReceive) + std::to_string(g.NetworkBroadcast) + "/" +
                std::to_string(g.NetworkRetry) + "/" + std::to_string(g.NetworkDelay),
            zax::GetText(a.CountryCode) + "/" + zax::GetText(a.TelephoneNumber) + "/" +
                std::to_string(a.OutgoingRouteKind) + ":" + std::to_string(a.LineOrPoolNumber) +
                "/" + std::to_string(a.LoopbackEnabled),
            zax::GetText(d.SmtpProxyName) + "/" + zax::GetText(d.LocalPrefix)};
}

template <class Dialog> int RunWith(zax::Session& session, std::function<void(Dialog&)> fill) {
    Dialog dialog(session);
    WhenModal<Dialog>([fill](Dialog& d) {
        fill(d);
        ClickButton(d, ui::ControlId::Ok);
    });
    return dialog.Run();
}

// Adds, changes and deletes sites through the list, as an administrator would.
void EditSites(zax::Session& session) {
    SiteAdministrationDialog sites(session);
    WhenModal<SiteAdministrationDialog>([](SiteAdministrationDialog& list) {
        WhenModal<AddNetworkSiteDialog>([](AddNetworkSiteDialog& d) {
            WhenModal<AmisSiteDialog>([](AmisSiteDialog& s) {
                TypeInto(s.Control(AmisSiteCtl::Name), "CALGARY OFFICE"); // becomes Site81
                TypeInto(s.Control(AmisSiteCtl::Phone), "14035550111");
                TypeInto(s.Control(AmisSiteCtl::Prefix), "81");
                ClickButton(s, AmisSiteCtl::Pool);
                TypeInto(s.Control(AmisSiteCtl::PoolNumber), "3");
                ClickButton(s, ui::ControlId::Ok);
            });
            ClickButton(d, ui::ControlId::Ok);
        });
        list.OnAdd();
        list.List()->SelectKey("73");
        WhenModal<DigitalSiteDialog>([](DigitalSiteDialog& s) {
            TypeInto(s.Control(DigitalSiteCtl::MailboxPrefix), "73");
            ClickButton(s, DigitalSiteCtl::Sbc);
            ClickButton(s, ui::ControlId::Ok);
        });
        list.OnChange();
        list.List()->SelectKey("74");
        list.OnDelete();
        EXPECT_EQ(list.RowCount(), 4);
        list.EndDialog(ui::ControlId::Cancel);
    });
    sites.Run();
}

TEST_F(NetworkOverLoopback, EachSetIsSavedAloneAndSitesSurviveARestart) {
    for (const char* byteOrder : {"", "--big-endian"}) {
        SCOPED_TRACE(*byteOrder ? byteOrder : "little-endian");
        std::filesystem::remove(stateFile);
        messages.clear();
        {
            ZaxsimProcess sim(Args(byteOrder));
            Connection admin(sim);
            zax::Session session;
            session.server = admin.server.get();
            ASSERT_EQ(admin.server->GetSystemInfo(session.systemInfo), 0);
            ASSERT_EQ(admin.server->OpenSession(session.handle), 0);
            Sets expected = ReadSets(*admin.server);

            EXPECT_EQ(RunWith<GeneralNetworkingDialog>(session,
                                                       [](GeneralNetworkingDialog& d) {
                                                           ClickButton(d, GeneralCtl::BroadcastYes);
                                                           TypeInto(d.Control(GeneralCtl::Delay),
                                                                    "60");
                                                       }),
                      ui::ControlId::Ok);
            expected.general = "11/3/60";
            EXPECT_EQ(ReadSets(*admin.server).general, expected.general);
            EXPECT_EQ(ReadSets(*admin.server).amis, expected.amis);
            EXPECT_EQ(ReadSets(*admin.server).digital, expected.digital);

            EXPECT_EQ(
                RunWith<AmisNetworkingDialog>(session,
                                              [](AmisNetworkingDialog& d) {
                                                  TypeInto(d.Control(AmisCtl::CountryCode), "");
                                                  ClickButton(d, AmisCtl::Line);
                                                  TypeInto(d.Control(AmisCtl::LineNumber), "7");
                                              }),
                ui::ControlId::Ok);
            expected.amis = "/5550100/1:7/0";
            EXPECT_EQ(ReadSets(*admin.server).general, expected.general);
            EXPECT_EQ(ReadSets(*admin.server).amis, expected.amis);
            EXPECT_EQ(ReadSets(*admin.server).digital, expected.digital);

            EXPECT_EQ(RunWith<DigitalNetworkingDialog>(
                          session,
                          [](DigitalNetworkingDialog& d) {
                              TypeInto(d.Control(DigitalCtl::Proxy), "smtp-gw.office.example");
                              TypeInto(d.Control(DigitalCtl::LocalPrefix), "");
                          }),
                      ui::ControlId::Ok);
            expected.digital = "smtp-gw.office.example/";
            EXPECT_EQ(ReadSets(*admin.server).general, expected.general);
            EXPECT_EQ(ReadSets(*admin.server).amis, expected.amis);
            EXPECT_EQ(ReadSets(*admin.server).digital, expected.digital);

            EXPECT_EQ(RunWith<BlockingPeriodsDialog>(
                          session,
                          [](BlockingPeriodsDialog& d) {
                              ClickButton(d, BlockingCtl::Day(5));
                              TypeInto(d.Control(BlockingCtl::InRow(0, BlockingCtl::To)), "09:30");
                          }),
                      ui::ControlId::Ok);

            EditSites(session);
            EXPECT_TRUE(messages.contains("Delete HALIFAX"));
            EXPECT_EQ(admin.server->CloseSession(session.handle), 0);
        }
        // What the restarted server serves from its file.
        ZaxsimProcess restarted({"--state", stateFile});
        Connection later(restarted);
        const Sets sets = ReadSets(*later.server);
        EXPECT_EQ(sets.general, "11/3/60");
        EXPECT_EQ(sets.amis, "/5550100/1:7/0");
        EXPECT_EQ(sets.digital, "smtp-gw.office.example/");
        zax::BlockingPeriodTable table{};
        ASSERT_EQ(later.server->GetBlockingPeriods(table), 0);
        EXPECT_EQ(table.Periods[5][0].ToHour, 9);
        EXPECT_EQ(table.Periods[5][0].ToMinute, 30);
        EXPECT_EQ(table.Periods[0][1].ToHour, 17);

        zax::NetworkSite site{};
        zax::SetText(site.SitePrefix, "81");
        ASSERT_EQ(later.server->GetSite(site), 0);
        EXPECT_EQ(zax::GetText(site.SiteName), "Site81");
        EXPECT_EQ(zax::GetText(site.TelephoneNumber), "14035550111");
        EXPECT_EQ(site.OutgoingRouteKind, 2);
        EXPECT_EQ(site.LineOrPoolNumber, 3);
        site = {};
        zax::SetText(site.SitePrefix, "73");
        ASSERT_EQ(later.server->GetSite(site), 0);
        EXPECT_EQ(zax::GetText(site.MailboxPrefix), "73");
        EXPECT_EQ(site.VoiceFormat, 1);
        EXPECT_EQ(zax::GetText(site.HostName), "vmail.montreal.example.org");
        site = {};
        zax::SetText(site.SitePrefix, "74");
        EXPECT_EQ(later.server->GetSite(site), zax::StatusNoEntry);
    }
}

} // namespace
