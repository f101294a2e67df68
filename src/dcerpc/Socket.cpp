#include "dcerpc/Socket.h"

#include "dcerpc/Pdu.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace dcerpc {

namespace {
sockaddr_in MakeAddress(const std::string& address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &sa.sin_addr) != 1)
        throw std::invalid_argument("not a dotted IPv4 address: " + address);
    return sa;
}

void SetNoDelay(int fd) {
    // Calls are small request/response exchanges: never let Nagle hold a fragment back.
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}
} // namespace

TcpSocket& TcpSocket::operator=(TcpSocket&& o) noexcept {
    if (this != &o) {
        Close();
        fd_ = o.fd_;
        in_ = std::move(o.in_);
        inPos_ = o.inPos_;
        inEnd_ = o.inEnd_;
        deadline_ = o.deadline_;
        timedOut_ = o.timedOut_;
        o.fd_ = -1;
        o.inPos_ = o.inEnd_ = 0;
    }
    return *this;
}

bool TcpSocket::WaitFor(short events) {
    for (;;) {
        int timeoutMs = -1;
        if (deadline_) {
            const auto left = *deadline_ - Clock::now();
            if (left <= Clock::duration::zero()) {
                timedOut_ = true;
                return false;
            }
            // Rounded up: the last fraction of a millisecond is waited for, not spun on.
            const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
            timeoutMs = static_cast<int>(std::min<decltype(ms)>(ms, INT_MAX));
        }
        pollfd p{fd_, events, 0};
        const int rc = ::poll(&p, 1, timeoutMs);
        if (rc > 0)
            return true; // ready, or an error or hang-up that the next call reports
        if (rc < 0 && errno != EINTR)
            return false;
        // Timed out or interrupted: the deadline check above decides.
    }
}

bool TcpSocket::Connect(const std::string& address, uint16_t port) {
    Close();
    timedOut_ = false;
    sockaddr_in sa;
    try {
        sa = MakeAddress(address, port);
    } catch (const std::invalid_argument&) {
        return false;
    }
    // Connect without blocking so that the deadline bounds the handshake
    // (the system's own limit for an unanswered connection is minutes), then
    // go back to blocking mode for the calls.
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0)
        return false;
    int rc = ::connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    if (rc < 0 && (errno == EINPROGRESS || errno == EINTR)) {
        int err = 0;
        socklen_t len = sizeof err;
        if (WaitFor(POLLOUT) && ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len) == 0 &&
            err == 0)
            rc = 0;
    }
    const int fl = rc == 0 ? ::fcntl(fd_, F_GETFL) : -1;
    if (fl < 0 || ::fcntl(fd_, F_SETFL, fl & ~O_NONBLOCK) < 0) {
        Close();
        return false;
    }
    SetNoDelay(fd_);
    return true;
}

bool TcpSocket::SendAll(std::span<const uint8_t> data) {
    timedOut_ = false;
    // With a deadline, wait for room first and never let send() block.
    const int flags = MSG_NOSIGNAL | (deadline_ ? MSG_DONTWAIT : 0);
    size_t off = 0;
    while (off < data.size()) {
        if (deadline_ && !WaitFor(POLLOUT))
            return false;
        ssize_t n = ::send(fd_, data.data() + off, data.size() - off, flags);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (n <= 0)
            return false;
        off += static_cast<size_t>(n);
    }
    return true;
}

bool TcpSocket::RecvExact(uint8_t* out, size_t n) {
    timedOut_ = false;
    size_t off = std::min(n, inEnd_ - inPos_);
    if (off > 0) {
        std::memcpy(out, in_.data() + inPos_, off);
        inPos_ += off;
    }
    const int flags = deadline_ ? MSG_DONTWAIT : 0;
    while (off < n) {
        const size_t want = n - off;
        const bool direct = want >= kReadAhead;
        if (!direct && in_.size() < kReadAhead)
            in_.resize(kReadAhead);
        if (deadline_ && !WaitFor(POLLIN))
            return false;
        uint8_t* into = direct ? out + off : in_.data();
        ssize_t got = ::recv(fd_, into, direct ? want : kReadAhead, flags);
        if (got < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (got <= 0)
            return false;
        const size_t count = static_cast<size_t>(got);
        if (direct) {
            off += count;
            continue;
        }
        const size_t take = std::min(count, want);
        std::memcpy(out + off, in_.data(), take);
        off += take;
        inPos_ = take;
        inEnd_ = count;
    }
    return true;
}

void TcpSocket::ShutdownBoth() {
    if (fd_ >= 0)
        ::shutdown(fd_, SHUT_RDWR);
}

void TcpSocket::Close() {
    inPos_ = inEnd_ = 0;
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

uint16_t TcpListener::Listen(const std::string& address, uint16_t port) {
    Close();
    sockaddr_in sa = MakeAddress(address, port);
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        throw std::runtime_error("socket() failed");
    int one = 1;
    ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) < 0 || ::listen(fd_, 16) < 0) {
        int err = errno;
        Close();
        throw std::runtime_error("cannot listen on " + address + ":" + std::to_string(port) + ": " +
                                 std::to_string(err));
    }
    socklen_t len = sizeof sa;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len);
    return ntohs(sa.sin_port);
}

TcpSocket TcpListener::Accept() {
    for (;;) {
        int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0) {
            SetNoDelay(fd);
            return TcpSocket(fd);
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        return TcpSocket();
    }
}

void TcpListener::Shutdown() {
    if (fd_ >= 0)
        ::shutdown(fd_, SHUT_RDWR);
}

void TcpListener::Close() {
    if (fd_ >= 0) {
        ::shutdown(fd_, SHUT_RDWR);
        ::close(fd_);
        fd_ = -1;
    }
}

std::vector<uint8_t> ReadFragment(TcpSocket& s) {
    std::vector<uint8_t> buf(HeaderSize);
    if (!s.RecvExact(buf.data(), HeaderSize))
        return {};
    PduHeader h = DecodeHeader(buf);
    buf.resize(h.fragLength);
    if (!s.RecvExact(buf.data() + HeaderSize, h.fragLength - HeaderSize))
        return {};
    return buf;
}

} // namespace dcerpc
