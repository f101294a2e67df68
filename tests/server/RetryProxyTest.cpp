#include "server/RetryProxy.h"
#include "UnservedServer.h"
#include "dcerpc/RpcError.h"
#include "server/Session.h"

#include <gtest/gtest.h>

#include <deque>

using namespace zax;

namespace {

// One scripted answer: a server status, a transport failure, or a fault PDU
// with or without the did-not-execute flag.
struct Answer {
    enum Kind { Status, Transport, Fault, FaultNotExecuted } kind;
    uint32_t value;
};
Answer S(uint32_t v) {
    return {Answer::Status, v};
}
Answer T(uint32_t v) {
    return {Answer::Transport, v};
}
Answer F(uint32_t v) {
    return {Answer::Fault, v};
}
Answer Dne(uint32_t v) {
    return {Answer::FaultNotExecuted, v};
}

// Answers GetMailbox and FindFirstEntry from a script; success once it runs out.
class ScriptedServer : public zaxsim::UnservedServer {
public:
    std::deque<Answer> script;
    int calls = 0;
    int16_t lastKind = -1;
    uint8_t lastFlag = 0xff;

    ServerStatus Next() {
        ++calls;
        Answer a = script.empty() ? S(0) : script.front();
        if (!script.empty())
            script.pop_front();
        switch (a.kind) {
        case Answer::Transport:
            throw dcerpc::RpcError(a.value, "scripted");
        case Answer::Fault:
        case Answer::FaultNotExecuted:
            throw dcerpc::RpcError::Fault(a.value, a.kind == Answer::FaultNotExecuted);
        case Answer::Status:
            break;
        }
        return static_cast<ServerStatus>(a.value);
    }
    ServerStatus GetMailbox(MailboxRecord&) override { return Next(); }
    ServerStatus FindFirstEntry(EntrySummary&, int16_t kind, uint8_t flag) override {
        lastKind = kind;
        lastFlag = flag;
        return Next();
    }
};

} // namespace

TEST(RetryProxy, RepeatsOnlyCallsThatDidNotExecuteAndAtMostThreeTimes) {
    struct Case {
        const char* what;
        std::deque<Answer> script;
        uint32_t result;
        int attempts;
    } cases[] = {
        {"success", {S(0)}, 0, 1},
        {"1726 three times", {T(1726), T(1726), T(1726), S(0)}, 1726, 3},
        {"1726 once, then success", {T(1726), S(0)}, 0, 2},
        {"1726 twice, then a status", {T(1726), T(1726), S(31012)}, 31012, 3},
        {"1722 is not retried", {T(1722), S(0)}, 1722, 1},
        {"1727 is not retried", {T(1727), S(0)}, 1727, 1},
        {"a call out of time may have run", {T(1818), S(0)}, 1818, 1},
        {"a server status is not retried", {S(31012), S(0)}, 31012, 1},
        {"a 16-bit status widens without sign", {S(65010)}, 65010, 1},
        {"not-executed fault three times", {Dne(1745), Dne(1745), Dne(1745), S(0)}, 1745, 3},
        {"not-executed fault, then success", {Dne(1728), S(0)}, 0, 2},
        {"not-executed fault, then a plain fault", {Dne(1728), F(1745), S(0)}, 1745, 2},
        {"a fault that may have run is not retried", {F(1745), S(0)}, 1745, 1},
        {"a fault carrying 1726 is still a fault", {F(1726), S(0)}, 1726, 1},
        {"an unknown fault keeps its code", {F(0x1c000012), S(0)}, 0x1c000012, 1},
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
    server.script = {T(1726), S(0)};
    RetryProxy proxy(server);
    EntrySummary e{};
    EXPECT_EQ(proxy.FindFirstEntry(e), 0u);
    EXPECT_EQ(server.lastKind, 1);
    EXPECT_EQ(server.lastFlag, 0);
    EXPECT_EQ(server.calls, 2);
}

TEST(RetryProxy, ProcessWideProxyIsMadeOnceAndCallsTheSessionsServerOfTheMoment) {
    Session& session = CurrentSession();
    VoiceMailServer* saved = session.server;
    RetryProxy& proxy = TheRetryProxy();
    EXPECT_EQ(&proxy, &TheRetryProxy());
    MailboxRecord rec{};

    session.server = nullptr;
    EXPECT_EQ(proxy.GetMailbox(rec), dcerpc::RpcStatus::InvalidBinding) << "no server yet";
    EXPECT_EQ(proxy.lastAttempts(), 1);

    ScriptedServer first;
    first.script = {T(1726), S(0)};
    session.server = &first;
    EXPECT_EQ(proxy.GetMailbox(rec), 0u);
    EXPECT_EQ(first.calls, 2);

    ScriptedServer second; // a new log-in: the same proxy follows the session
    second.script = {S(31012)};
    session.server = &second;
    EXPECT_EQ(proxy.GetMailbox(rec), 31012u);
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(first.calls, 2);
    session.server = saved;
}
