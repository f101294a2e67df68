#include "server/RetryProxy.h"
#include "UnservedServer.h"
#include "dcerpc/RpcError.h"

#include <gtest/gtest.h>

#include <deque>

using namespace zax;

namespace {

// Answers GetMailbox and FindFirstEntry from a script: a number is a status,
// a negative number -N a transport failure with RPC status N.
class ScriptedServer : public zaxsim::UnservedServer {
public:
    std::deque<int64_t> script;
    int calls = 0;
    int16_t lastKind = -1;
    uint8_t lastFlag = 0xff;

    ServerStatus Next() {
        ++calls;
        int64_t v = script.empty() ? 0 : script.front();
        if (!script.empty())
            script.pop_front();
        if (v < 0)
            throw dcerpc::RpcError(static_cast<uint32_t>(-v), "scripted");
        return static_cast<ServerStatus>(v);
    }
    ServerStatus GetMailbox(MailboxRecord&) override { return Next(); }
    ServerStatus FindFirstEntry(EntrySummary&, int16_t kind, uint8_t flag) override {
        lastKind = kind;
        lastFlag = flag;
        return Next();
    }
};

} // namespace

TEST(RetryProxy, RepeatsOnly1726AndAtMostThreeTimes) {
    struct Case {
        const char* what;
        std::deque<int64_t> script;
        uint32_t result;
        int attempts;
    } cases[] = {
        {"success", {0}, 0, 1},
        {"1726 three times", {-1726, -1726, -1726, 0}, 1726, 3},
        {"1726 once, then success", {-1726, 0}, 0, 2},
        {"1726 twice, then a status", {-1726, -1726, 31012}, 31012, 3},
        {"1722 is not retried", {-1722, 0}, 1722, 1},
        {"1727 is not retried", {-1727, 0}, 1727, 1},
        {"a server status is not retried", {31012, 0}, 31012, 1},
        {"a 16-bit status widens without sign", {65010}, 65010, 1},
    };
    for (auto& c : cases) {
        ScriptedServer server;
        server.script = c.script;
        RetryProxy proxy(server);
        MailboxRecord rec{};
        EXPECT_EQ(proxy.GetMailbox(rec), c.result) << c.what;
        EXPECT_EQ(server.calls, c.attempts) << c.what;
        EXPECT_EQ(proxy.lastAttempts(), c.attempts) << c.what;
    }
}

TEST(RetryProxy, FindFirstEntryAsksForMailboxesWithoutSelection) {
    ScriptedServer server;
    server.script = {-1726, 0};
    RetryProxy proxy(server);
    EntrySummary e{};
    EXPECT_EQ(proxy.FindFirstEntry(e), 0u);
    EXPECT_EQ(server.lastKind, 1);
    EXPECT_EQ(server.lastFlag, 0);
    EXPECT_EQ(server.calls, 2);
}
