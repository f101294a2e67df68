// The general, AMIS and digital networking dialogs against the in-process
// simulated server: their checks in order with their messages, the record
// each sends (its own fields, zeros elsewhere), the route buttons, the
// server's refusals, and the session's network group list flag.

#include "DialogTestSupport.h"

#include "network/AmisNetworkingDialog.h"
#include "network/DigitalNetworkingDialog.h"
#include "network/GeneralNetworkingDialog.h"
#include "network/NetworkIds.h"

#include "ui/ResourceIds.h"

#include <cstring>

using namespace network;
using namespace dialogtest;

namespace {

using zax::NetworkParameters;

class ParametersTest : public DialogTest {
protected:
    template <class Dialog> std::unique_ptr<Dialog> Open() {
        auto dialog = std::make_unique<Dialog>(session);
        EXPECT_TRUE(dialog->Load());
        dialog->show();
        return dialog;
    }
    // Opens, acts, presses OK; the record sent by `opnum`, if any.
    template <class Dialog>
    std::optional<NetworkParameters> Save(uint16_t opnum, const std::function<void(Dialog&)>& act,
                                          bool* closed = nullptr) {
        const size_t before = CallsOf(opnum);
        auto dialog = Open<Dialog>();
        act(*dialog);
        ClickButton(*dialog, ui::ControlId::Ok);
        if (closed)
            *closed = !dialog->isVisible();
        const auto writes = sim->recorder().CallsOf(opnum);
        if (writes.size() == before)
            return std::nullopt;
        return writes.back().Arg<NetworkParameters>(0);
    }
    NetworkParameters& Stored() { return sim->state().network; }
};

// The bytes of `sent` outside [first, last] of the record are all zero.
bool ZeroOutside(const NetworkParameters& sent, size_t first, size_t last, size_t first2 = 1,
                 size_t last2 = 0) {
    unsigned char bytes[sizeof sent];
    std::memcpy(bytes, &sent, sizeof sent);
    for (size_t i = 0; i < sizeof bytes; ++i) {
        const bool own = (i >= first && i <= last) || (i >= first2 && i <= last2);
        if (!own && bytes[i] != 0)
            return false;
    }
    return true;
}

TEST_F(ParametersTest, GeneralChecksRetryThenDelay) {
    using namespace GeneralCtl;
    const struct {
        const char* retry;
        const char* delay;
        const char* message; // null: accepted
    } cases[] = {
        {"0", "10", "Invalid retries value"},
        {"10", "10", "Invalid retries value"},
        {"", "10", "Invalid retries value"},
        {"x", "0", "Invalid retries value"},
        {"9", "0", "Invalid delay value"},
        {"9", "61", "Invalid delay value"},
        {"9", "060", "Invalid delay value"},
        {"1", "", "Invalid delay value"},
        {"1", "60", nullptr},
        {"9", "1", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.retry) + "/" + c.delay);
        messages.clear();
        const auto sent = Save<GeneralNetworkingDialog>(zax::Opnum::SetGeneralNetworking,
                                                        [&](GeneralNetworkingDialog& d) {
                                                            TypeInto(d.Control(Retry), c.retry);
                                                            TypeInto(d.Control(Delay), c.delay);
                                                        });
        if (c.message) {
            EXPECT_FALSE(sent);
            EXPECT_EQ(messages, QStringList{c.message});
        } else {
            ASSERT_TRUE(sent);
            EXPECT_TRUE(messages.isEmpty());
            EXPECT_EQ(QString::number(sent->NetworkRetry), c.retry);
            EXPECT_EQ(QString::number(sent->NetworkDelay), c.delay);
        }
    }
}

TEST_F(ParametersTest, GeneralSendsOnlyItsOwnFieldsAndTheServerKeepsTheRest) {
    using namespace GeneralCtl;
    const NetworkParameters before = Stored();
    const auto sent = Save<GeneralNetworkingDialog>(zax::Opnum::SetGeneralNetworking,
                                                    [](GeneralNetworkingDialog& d) {
                                                        EXPECT_TRUE(d.IsChecked(ReceiveYes));
                                                        EXPECT_TRUE(d.IsChecked(BroadcastNo));
                                                        EXPECT_EQ(d.ControlText(Retry), "3");
                                                        ClickButton(d, ReceiveNo);
                                                        ClickButton(d, BroadcastYes);
                                                    });
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->NetworkReceive, 0);
    EXPECT_EQ(sent->NetworkBroadcast, 1);
    EXPECT_EQ(sent->NetworkDeliver, 1);
    EXPECT_TRUE(ZeroOutside(*sent, 0, 4, 46, 47));
    EXPECT_EQ(Stored().NetworkReceive, 0);
    EXPECT_EQ(zax::GetText(Stored().AreaCode), zax::GetText(before.AreaCode));
    EXPECT_EQ(zax::GetText(Stored().SmtpProxyName), zax::GetText(before.SmtpProxyName));
}

// Group lists consult the flag: it follows what the server accepted, and
// stays as it was when the server refuses.
TEST_F(ParametersTest, TheSessionsGroupListFlagFollowsOnlyASavedChoice) {
    using namespace GeneralCtl;
    ASSERT_EQ(session.systemInfo.NetworkGroupListEnabled, 1);
    sim->FailStatus(zax::Opnum::SetGeneralNetworking, 31033, 1);
    bool closed = false;
    auto refused = Save<GeneralNetworkingDialog>(
        zax::Opnum::SetGeneralNetworking,
        [](GeneralNetworkingDialog& d) { ClickButton(d, GroupListNo); }, &closed);
    ASSERT_TRUE(refused);
    EXPECT_FALSE(closed);
    EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    EXPECT_EQ(session.systemInfo.NetworkGroupListEnabled, 1);

    auto saved = Save<GeneralNetworkingDialog>(
        zax::Opnum::SetGeneralNetworking,
        [](GeneralNetworkingDialog& d) { ClickButton(d, GroupListNo); }, &closed);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(closed);
    EXPECT_EQ(session.systemInfo.NetworkGroupListEnabled, 0);
    EXPECT_EQ(sim->state().systemInfo.NetworkGroupListEnabled, 0);
}

TEST_F(ParametersTest, AmisChecksEachNumberInOrder) {
    using namespace AmisCtl;
    const struct {
        const char* access;
        const char* country;
        const char* area;
        const char* phone;
        const char* line;
        const char* message;
    } cases[] = {
        {"", "", "", "", "8", nullptr}, // every number may be left empty
        {"0111", "1234", "123456", "1234567890123456", "1", nullptr},
        {"01111", "", "", "", "1", "Invalid international access code"},
        {"1a", "12345", "", "", "1", "Invalid international access code"},
        {"", "12345", "", "", "1", "Invalid country code"},
        {"", "", "1234567", "", "1", "Invalid area code"},
        {"", "", "", "12345678901234567", "1", "Invalid telephone number"},
        {"", "", "", "555-0100", "1", "Invalid telephone number"},
        {"", "", "", "", "9", "Invalid line number"}, // the office has 8 lines
        {"", "", "", "", "0", "Invalid line number"},
        {"", "", "", "", "", "Invalid line number"},
        {"", "", "", "", "08", "Invalid line number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.access) + "/" + c.country + "/" + c.area + "/" + c.phone + "/" +
                     c.line);
        messages.clear();
        const auto sent =
            Save<AmisNetworkingDialog>(zax::Opnum::SetAmisNetworking, [&](AmisNetworkingDialog& d) {
                ClickButton(d, Line);
                TypeInto(d.Control(AccessCode), c.access);
                TypeInto(d.Control(CountryCode), c.country);
                TypeInto(d.Control(AreaCode), c.area);
                TypeInto(d.Control(Phone), c.phone);
                TypeInto(d.Control(LineNumber), c.line);
            });
        if (c.message) {
            EXPECT_FALSE(sent);
            EXPECT_EQ(messages, QStringList{c.message});
            continue;
        }
        ASSERT_TRUE(sent);
        EXPECT_EQ(zax::GetText(sent->CountryCode), c.country);
        EXPECT_EQ(zax::GetText(sent->TelephoneNumber), c.phone);
        EXPECT_EQ(sent->OutgoingRouteKind, 1);
        EXPECT_EQ(QString::number(sent->LineOrPoolNumber), c.line);
        EXPECT_TRUE(ZeroOutside(*sent, 5, 45));
    }
}

TEST_F(ParametersTest, AmisRouteButtonsPickTheirNumberBox) {
    using namespace AmisCtl;
    // The demo office goes out on pool 2.
    auto dialog = Open<AmisNetworkingDialog>();
    EXPECT_TRUE(dialog->IsChecked(Pool));
    EXPECT_EQ(dialog->ControlText(PoolNumber), "2");
    EXPECT_EQ(dialog->ControlText(LineNumber), "");
    EXPECT_TRUE(dialog->Control(PoolNumber)->isEnabled());
    EXPECT_FALSE(dialog->Control(LineNumber)->isEnabled());
    ClickButton(*dialog, Line);
    EXPECT_TRUE(dialog->Control(LineNumber)->isEnabled());
    EXPECT_FALSE(dialog->Control(PoolNumber)->isEnabled());
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(LineNumber));
    ClickButton(*dialog, Pool);
    EXPECT_EQ(dialog->focusWidget(), dialog->Control(PoolNumber));
    TypeInto(dialog->Control(PoolNumber), "5"); // of 4 pools
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_EQ(messages, QStringList{"Invalid pool number"});
    TypeInto(dialog->Control(PoolNumber), "4");
    ClickButton(*dialog, ui::ControlId::Ok);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Stored().OutgoingRouteKind, 2);
    EXPECT_EQ(Stored().LineOrPoolNumber, 4);

    // Any kind but the pool's shows as a line.
    for (const int16_t kind : {int16_t{0}, int16_t{1}, int16_t{7}}) {
        SCOPED_TRACE(kind);
        Stored().OutgoingRouteKind = kind;
        Stored().LineOrPoolNumber = 6;
        auto again = Open<AmisNetworkingDialog>();
        EXPECT_TRUE(again->IsChecked(Line));
        EXPECT_FALSE(again->IsChecked(Pool));
        EXPECT_EQ(again->ControlText(LineNumber), "6");
        EXPECT_TRUE(again->Control(LineNumber)->isEnabled());
    }
}

TEST_F(ParametersTest, DigitalChecksAndTheServersPrefixStatuses) {
    using namespace DigitalCtl;
    const struct {
        const char* proxy;
        const char* prefix;
        const char* message;
        bool sent;
    } cases[] = {
        {"", "", nullptr, true},
        {"mail.example.com", "123456789", nullptr, true},
        {"mail..example.com", "5", "Invalid SMTP proxy name", false},
        {"mail example", "5", "Invalid SMTP proxy name", false},
        {"a.example", "1234567890", "Invalid local prefix", false},
        {"a.example", "5x", "Invalid local prefix", false},
        // Site 72 takes mailbox prefix 72.
        {"a.example", "72", "Local prefix exists", true},
        {"a.example", "7", "Local Prefix overlaps", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.proxy) + "/" + c.prefix);
        messages.clear();
        bool closed = false;
        const auto sent = Save<DigitalNetworkingDialog>(
            zax::Opnum::SetDigitalNetworking,
            [&](DigitalNetworkingDialog& d) {
                TypeInto(d.Control(Proxy), c.proxy);
                TypeInto(d.Control(LocalPrefix), c.prefix);
            },
            &closed);
        EXPECT_EQ(sent.has_value(), c.sent);
        EXPECT_EQ(closed, c.message == nullptr);
        EXPECT_EQ(messages, c.message ? QStringList{c.message} : QStringList{});
        if (sent) {
            EXPECT_TRUE(ZeroOutside(*sent, 48, 186));
        }
    }
    EXPECT_EQ(zax::GetText(Stored().LocalPrefix), "123456789");
    // A proxy name the server refuses has its own message.
    sim->FailStatus(zax::Opnum::SetDigitalNetworking, zax::StatusInvalidSmtpProxy);
    messages.clear();
    Save<DigitalNetworkingDialog>(zax::Opnum::SetDigitalNetworking,
                                  [](DigitalNetworkingDialog&) {});
    EXPECT_EQ(messages, QStringList{"Invalid SMTP proxy name"});
}

TEST_F(ParametersTest, AnUnreadableRecordIsReportedAndNoDialogShown) {
    const struct {
        uint16_t opnum;
        std::function<int(zax::Session&)> run;
    } cases[] = {
        {zax::Opnum::GetGeneralNetworking,
         [](zax::Session& s) { return GeneralNetworkingDialog(s).Run(); }},
        {zax::Opnum::GetAmisNetworking,
         [](zax::Session& s) { return AmisNetworkingDialog(s).Run(); }},
        {zax::Opnum::GetDigitalNetworking,
         [](zax::Session& s) { return DigitalNetworkingDialog(s).Run(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.opnum);
        Use(zaxsim::MakeDemoState());
        sim->FailStatus(c.opnum, 31033);
        messages.clear();
        EXPECT_EQ(c.run(session), ui::ControlId::Cancel);
        EXPECT_EQ(messages, QStringList{"Server Error, rc = 31033"});
    }
}

} // namespace
