// zaxsim under load and abuse: many clients listing and changing mailboxes at
// once, while other connections send garbage, stall half way through a PDU,
// or send fragments longer than any binding allows. The server keeps serving
// everyone else, holds one administration session at a time, and loses no
// change it acknowledged, before or after a restart.
//
// The suite runs a short round; ZAX_LOAD_CLIENTS and ZAX_LOAD_SECONDS set a
// longer campaign (e.g. 50 clients for 60 seconds).

#include "ZaxsimProcess.h"
#include "dcerpc/Socket.h"
#include "server/RpcVoiceMailServer.h"
#include "server/ServerBinding.h"
#include "server/ServerStatuses.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

using zaxtest::ZaxsimProcess;
using Clock = std::chrono::steady_clock;

namespace {

int EnvInt(const char* name, int fallback) {
    const char* value = std::getenv(name);
    const int n = value != nullptr ? std::atoi(value) : 0;
    return n > 0 ? n : fallback;
}

struct LoadClient {
    explicit LoadClient(int index) : number(std::to_string(6500 + index)) {
        uint32_t status = 1;
        binding = zax::ServerBinding::FromString("ncacn_ip_tcp:127.0.0.1[]", status);
        server = std::make_unique<zax::RpcVoiceMailServer>(*binding);
    }

    zax::MailboxRecord Record(const std::string& name) const {
        zax::MailboxRecord r{};
        zax::SetText(r.Number, number);
        zax::SetText(r.Name, name);
        r.ClassOfService = 1;
        r.OutdialKind = static_cast<int16_t>(zax::OutdialKind::None);
        r.FaxRetries = 3;
        r.FaxInterval = 10;
        return r;
    }

    // Every mailbox, read the way the mailbox list reads them.
    int ListMailboxes() {
        zax::EntrySummary first{};
        auto status = server->FindFirstEntry(first, static_cast<int16_t>(zax::EntryKind::Mailbox), 0);
        if (status != 0)
            return -1;
        int count = 1;
        std::vector<zax::EntrySummary> batch(25);
        for (;;) {
            int16_t got = 0;
            status = server->FindNextEntries(batch, 25, got);
            if (status == zax::StatusNoEntry)
                return count;
            if (status != 0 || got < 0 || got > 25)
                return -1;
            count += got;
            if (got < 25)
                return count;
        }
    }

    std::string Name() {
        zax::MailboxRecord r = Record("");
        return server->GetMailbox(r) == 0 ? zax::GetText(r.Name) : std::string("?");
    }

    std::string number;
    std::string acknowledged; // the last name the server said it stored
    int changes = 0, lists = 0, sessions = 0, sessionsRefused = 0;
    std::unique_ptr<zax::ServerBinding> binding;
    std::unique_ptr<zax::RpcVoiceMailServer> server;
};

// Connections that misbehave until told to stop.
void SendGarbage(uint16_t port, const std::atomic<bool>& stop, std::atomic<int>& sent) {
    std::mt19937 rng(11);
    while (!stop) {
        dcerpc::TcpSocket s;
        if (!s.Connect("127.0.0.1", port))
            continue;
        std::vector<uint8_t> junk(64 + rng() % 2000);
        for (auto& b : junk)
            b = static_cast<uint8_t>(rng());
        if (rng() % 2 == 0) { // looks like a PDU header at first
            junk[0] = 5;
            junk[1] = 0;
        }
        s.SendAll(junk);
        ++sent;
    }
}

void SendOversizedFragments(uint16_t port, const std::atomic<bool>& stop, std::atomic<int>& sent) {
    while (!stop) {
        dcerpc::TcpSocket s;
        if (!s.Connect("127.0.0.1", port))
            continue;
        // A bind whose header claims the largest fragment there is.
        std::vector<uint8_t> pdu(65535, 0x41);
        const uint8_t header[] = {5, 0, 11, 3, 0x10, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 0, 0, 0};
        std::copy(std::begin(header), std::end(header), pdu.begin());
        s.SendAll(pdu);
        ++sent;
    }
}

} // namespace

TEST(ZaxsimLoad, ManyClientsAndHostileConnectionsLoseNothing) {
    const int clientCount = EnvInt("ZAX_LOAD_CLIENTS", 12);
    const int seconds = EnvInt("ZAX_LOAD_SECONDS", 4);
    const std::string db =
        (std::filesystem::temp_directory_path() / ("zaxsim-load-" + std::to_string(::getpid())))
            .string();
    auto sim = std::make_unique<ZaxsimProcess>(std::vector<std::string>{"--state", db});
    setenv("ZAXMGR_EPM_PORT", std::to_string(sim->epmPort()).c_str(), 1);

    std::vector<std::unique_ptr<LoadClient>> clients;
    for (int i = 0; i < clientCount; ++i) {
        clients.push_back(std::make_unique<LoadClient>(i));
        auto& c = *clients.back();
        c.acknowledged = "LOAD,START";
        ASSERT_EQ(c.server->AddMailbox(c.Record(c.acknowledged)), 0) << c.number;
    }
    const int listedBefore = clients[0]->ListMailboxes();
    ASSERT_GT(listedBefore, clientCount);

    // Half-sent PDUs that stall for the whole run: each holds a connection.
    std::vector<dcerpc::TcpSocket> stalled(8);
    for (auto& s : stalled) {
        ASSERT_TRUE(s.Connect("127.0.0.1", sim->port()));
        const uint8_t half[] = {5, 0, 11, 3, 0x10, 0, 0, 0, 72, 0, 0, 0, 1, 0, 0, 0, 0xB8, 0x10};
        s.SendAll(half);
    }
    std::atomic<bool> stop{false};
    std::atomic<int> garbage{0}, oversized{0};
    std::atomic<int> inSession{0}, sessionOverlaps{0};
    std::thread garbageThread(SendGarbage, sim->port(), std::cref(stop), std::ref(garbage));
    std::thread oversizedThread(SendOversizedFragments, sim->port(), std::cref(stop),
                                std::ref(oversized));

    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (auto& client : clients) {
        threads.emplace_back([&, c = client.get()] {
            int serial = 0;
            while (Clock::now() < deadline) {
                zax::SessionHandle session;
                const auto opened = c->server->OpenSession(session);
                if (opened == 0) {
                    ++c->sessions;
                    if (inSession.fetch_add(1) != 0)
                        ++sessionOverlaps;
                } else {
                    EXPECT_EQ(opened, zax::StatusSessionActive);
                    ++c->sessionsRefused;
                }
                const int listed = c->ListMailboxes();
                EXPECT_GE(listed, listedBefore) << c->number;
                ++c->lists;
                const std::string name = "LOAD,N" + std::to_string(++serial);
                zax::MailboxRecord r = c->Record("");
                auto status = c->server->GetMailbox(r);
                if (status == 0) {
                    zax::SetText(r.Name, name);
                    status = c->server->ChangeMailbox(r, 0);
                }
                EXPECT_EQ(status, 0) << c->number;
                if (status == 0) {
                    c->acknowledged = name;
                    ++c->changes;
                }
                if (opened == 0) {
                    inSession.fetch_sub(1); // before the server lets go of it
                    EXPECT_EQ(c->server->CloseSession(session), 0);
                }
            }
        });
    }
    for (auto& t : threads)
        t.join();
    stop = true;
    garbageThread.join();
    oversizedThread.join();

    int changes = 0, lists = 0, sessions = 0, refused = 0;
    for (auto& c : clients) {
        EXPECT_GT(c->changes, 0) << c->number << " made no progress";
        changes += c->changes;
        lists += c->lists;
        sessions += c->sessions;
        refused += c->sessionsRefused;
    }
    EXPECT_EQ(sessionOverlaps.load(), 0) << "two administration sessions at once";
    EXPECT_GT(sessions, 0);
    std::printf("%d clients, %d s: %d changes, %d lists, %d sessions (%d refused while one was "
                "open), %d garbage and %d oversized connections, %zu stalled\n",
                clientCount, seconds, changes, lists, sessions, refused, garbage.load(),
                oversized.load(), stalled.size());

    // Still serving, and every acknowledged change is there, before and after
    // a restart on the same state.
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "while running" : "after a restart");
        LoadClient probe(0);
        zax::SessionHandle session;
        EXPECT_EQ(probe.server->OpenSession(session), 0);
        EXPECT_EQ(probe.ListMailboxes(), listedBefore);
        for (auto& c : clients) {
            probe.number = c->number;
            EXPECT_EQ(probe.Name(), c->acknowledged) << c->number;
        }
        EXPECT_EQ(probe.server->CloseSession(session), 0);
        probe.binding->Disconnect();
        if (pass == 0) {
            for (auto& c : clients)
                c->binding->Disconnect();
            stalled.clear();
            EXPECT_EQ(sim->Stop(), 0);
            sim = std::make_unique<ZaxsimProcess>(std::vector<std::string>{"--state", db});
            setenv("ZAXMGR_EPM_PORT", std::to_string(sim->epmPort()).c_str(), 1);
        }
    }
    sim.reset();
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(db + suffix);
}
