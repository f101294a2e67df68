#pragma once
// Blocking TCP over IPv4, with the few operations the RPC runtime needs.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dcerpc {

using Clock = std::chrono::steady_clock;

class TcpSocket {
public:
    TcpSocket() = default;
    explicit TcpSocket(int fd) : fd_(fd) {}
    TcpSocket(TcpSocket&& o) noexcept
        : fd_(o.fd_), in_(std::move(o.in_)), inPos_(o.inPos_), inEnd_(o.inEnd_),
          deadline_(o.deadline_), timedOut_(o.timedOut_) {
        o.fd_ = -1;
        o.inPos_ = o.inEnd_ = 0;
    }
    TcpSocket& operator=(TcpSocket&& o) noexcept;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;
    ~TcpSocket() { Close(); }

    // The moment by which every following Connect, SendAll and RecvExact must
    // be done, however the bytes trickle in; std::nullopt waits for ever.
    // One deadline covers a whole exchange, so a peer that sends a byte now
    // and then cannot stretch it.
    void SetDeadline(std::optional<Clock::time_point> deadline) {
        deadline_ = deadline;
        timedOut_ = false;
    }
    // Whether the last operation that failed ran out of time (rather than
    // finding the connection gone).
    bool TimedOut() const { return timedOut_; }

    // Connects to a dotted IPv4 address; returns false when nobody answers.
    bool Connect(const std::string& address, uint16_t port);
    // Both return false once the connection is gone or the deadline passed.
    bool SendAll(std::span<const uint8_t> data);
    bool RecvExact(uint8_t* out, size_t n);
    void Close();
    void ShutdownBoth(); // wakes a thread blocked in RecvExact on this socket
    bool IsOpen() const { return fd_ >= 0; }

private:
    // Waits until the socket is ready for `events` (poll flags); false when the
    // deadline passes first.
    bool WaitFor(short events);

    // Reads ahead so that a PDU's header and body usually arrive with one
    // system call; larger reads go straight to the caller's buffer.
    static constexpr size_t kReadAhead = 16384;
    int fd_ = -1;
    std::vector<uint8_t> in_;
    size_t inPos_ = 0;
    size_t inEnd_ = 0;
    std::optional<Clock::time_point> deadline_;
    bool timedOut_ = false;
};

class TcpListener {
public:
    TcpListener() = default;
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;
    ~TcpListener() { Close(); }
    // Binds and listens; port 0 lets the system choose. Returns the bound port; throws on failure.
    uint16_t Listen(const std::string& address, uint16_t port);
    // Blocks for the next connection; an invalid socket once the listener is closed.
    TcpSocket Accept();
    void Shutdown(); // wakes a thread blocked in Accept
    void Close();

private:
    int fd_ = -1;
};

// Reads one whole PDU fragment (header first, then the rest of frag_length).
// Returns an empty vector when the connection closed or the socket's deadline
// passed (TimedOut tells which); throws RpcError on a malformed header.
std::vector<uint8_t> ReadFragment(TcpSocket& s);

} // namespace dcerpc
