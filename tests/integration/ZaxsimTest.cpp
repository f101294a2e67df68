// The client stubs against the real zaxsim program over loopback: endpoint
// resolution, sessions, byte orders, fragment sizes, faults and retries.

#include "ZaxsimProcess.h"
#include "dcerpc/RpcError.h"
#include "server/RetryProxy.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"

#include "../support/RpcStatusOf.h"

#include <gtest/gtest.h>

using namespace zax;
using zaxtest::ZaxsimProcess;

namespace {

struct Client {
    explicit Client(const ZaxsimProcess& sim, uint16_t maxFrag = 0) {
        setenv("ZAXMGR_EPM_PORT", std::to_string(sim.epmPort()).c_str(), 1);
        uint32_t status = 1;
        binding = ServerBinding::FromString("ncacn_ip_tcp:127.0.0.1[]", status);
        EXPECT_EQ(status, 0u);
        if (maxFrag)
            binding->SetMaxFrag(maxFrag);
        server = std::make_unique<RpcVoiceMailServer>(*binding);
    }
    std::unique_ptr<ServerBinding> binding;
    std::unique_ptr<RpcVoiceMailServer> server;
};

using testsupport::StatusOf;

void LogInAndOut(Client& c, const std::string& password) {
    SystemInfo info{};
    ASSERT_EQ(c.server->GetSystemInfo(info), 0);
    EXPECT_EQ(info.CompatibilityLevel, 16);
    EXPECT_EQ(GetText(info.AdminPassword), password);
    EXPECT_EQ(info.ExtensionLength, 4);
    SessionHandle h;
    ASSERT_EQ(c.server->OpenSession(h), 0);
    EXPECT_FALSE(h.IsNull());
    c.server->KeepAlive();
    ASSERT_EQ(c.server->CloseSession(h), 0);
    EXPECT_TRUE(h.IsNull()) << "the server clears the handle";
}

} // namespace

TEST(Zaxsim, SessionInAndOutInBothByteOrdersAndSmallFragments) {
    struct Case {
        std::vector<std::string> args;
        uint16_t clientFrag;
    } cases[] = {
        {{}, 0},
        {{"--big-endian"}, 0},
        {{"--max-frag", "64"}, 64},
        {{"--big-endian", "--max-frag", "100"}, 72},
    };
    for (auto& c : cases) {
        ZaxsimProcess sim(c.args);
        Client client(sim, c.clientFrag);
        LogInAndOut(client, "1234");
    }
}

TEST(Zaxsim, OneAdministrationSessionAtATime) {
    ZaxsimProcess sim({"--password", "Secret"});
    Client first(sim), second(sim);
    SessionHandle h1, h2;
    ASSERT_EQ(first.server->OpenSession(h1), 0);
    SystemInfo info{};
    EXPECT_EQ(second.server->GetSystemInfo(info), 31020);
    EXPECT_EQ(second.server->OpenSession(h2), 31020);
    EXPECT_EQ(first.server->GetSystemInfo(info), 0) << "the holder still reads";
    EXPECT_EQ(GetText(info.AdminPassword), "Secret");

    // Closing the holder's connection ends its session.
    first.binding->Disconnect();
    uint16_t status = 31020;
    for (int i = 0; i < 100 && status == 31020; ++i) {
        status = second.server->OpenSession(h2);
        if (status == 31020)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(second.server->CloseSession(h2), 0);
}

TEST(Zaxsim, ClosingAForeignOrStaleHandleIsAContextFault) {
    ZaxsimProcess sim;
    Client c(sim);
    SessionHandle h;
    ASSERT_EQ(c.server->OpenSession(h), 0);
    SessionHandle stale = h;
    ASSERT_EQ(c.server->CloseSession(h), 0);
    EXPECT_EQ(StatusOf([&] { c.server->CloseSession(stale); }), dcerpc::RpcStatus::InvalidHandle);
}

TEST(Zaxsim, InjectedStatusAndUnservedProcedures) {
    ZaxsimProcess sim({"--fault", "64:status=31012"});
    Client c(sim);
    SystemInfo info{};
    EXPECT_EQ(c.server->GetSystemInfo(info), 31012);
    EXPECT_EQ(StatusOf([&] { c.server->ResetStatistics(); }), dcerpc::RpcStatus::ProcNumOutOfRange);
}

TEST(Zaxsim, DroppedCallIs1726AndRetryProxyRepeatsIt) {
    ZaxsimProcess sim({"--fault", "81:drop-once", "--fault", "82:drop"});
    Client c(sim);
    RetryProxy proxy(*c.server);
    VoiceParameters vp{};
    // The first attempt loses its connection; the second reconnects and reaches
    // the procedure.
    EXPECT_EQ(proxy.GetVoiceParameters(vp), 0u);
    EXPECT_EQ(vp.ServerVoiceFormat, 1);
    EXPECT_EQ(proxy.lastAttempts(), 2);
    int32_t recorded = 0;
    EXPECT_EQ(proxy.QueryNameVoice(Chars<8>{'1', '0', '0', '0'}, recorded),
              dcerpc::RpcStatus::CallFailed);
    EXPECT_EQ(proxy.lastAttempts(), 3);
}

TEST(Zaxsim, UnreachableServerIs1722) {
    uint16_t epm;
    {
        ZaxsimProcess sim;
        epm = sim.epmPort();
    }
    setenv("ZAXMGR_EPM_PORT", std::to_string(epm).c_str(), 1);
    uint32_t status = 1;
    auto binding = ServerBinding::FromString("ncacn_ip_tcp:127.0.0.1[]", status);
    RpcVoiceMailServer server(*binding);
    SystemInfo info{};
    EXPECT_EQ(StatusOf([&] { server.GetSystemInfo(info); }), dcerpc::RpcStatus::ServerUnavailable);
}

TEST(ServerBinding, AcceptsOnlyTcpBindingsWithADottedAddress) {
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {
        {"ncacn_ip_tcp:10.1.2.3[]", true},       {"ncacn_ip_tcp:10.1.2.3[4000]", true},
        {"ncacn_ip_tcp:KOR[]", false},           {"ncacn_np:10.1.2.3[]", false},
        {"ncacn_ip_tcp:10.1.2.3", false},        {"ncacn_ip_tcp:10.1.2.3[x]", false},
        {"ncacn_ip_tcp:10.1.2.3[70000]", false},
    };
    for (auto& c : cases) {
        uint32_t status = 0;
        auto b = ServerBinding::FromString(c.text, status);
        EXPECT_EQ(b != nullptr, c.ok) << c.text;
        EXPECT_EQ(status == 0, c.ok) << c.text;
    }
}
