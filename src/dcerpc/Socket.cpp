#include "dcerpc/Socket.h"

#include "dcerpc/Pdu.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
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
        o.fd_ = -1;
        o.inPos_ = o.inEnd_ = 0;
    }
    return *this;
}

bool TcpSocket::Connect(const std::string& address, uint16_t port) {
    Close();
    sockaddr_in sa;
    try {
        sa = MakeAddress(address, port);
    } catch (const std::invalid_argument&) {
        return false;
    }
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0)
        return false;
    int rc;
    do {
        rc = ::connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) {
        Close();
        return false;
    }
    SetNoDelay(fd_);
    return true;
}

bool TcpSocket::SendAll(std::span<const uint8_t> data) {
    size_t off = 0;
    while (off < data.size()) {
        ssize_t n = ::send(fd_, data.data() + off, data.size() - off, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        off += static_cast<size_t>(n);
    }
    return true;
}

bool TcpSocket::RecvExact(uint8_t* out, size_t n) {
    size_t off = std::min(n, inEnd_ - inPos_);
    if (off > 0) {
        std::memcpy(out, in_.data() + inPos_, off);
        inPos_ += off;
    }
    while (off < n) {
        const size_t want = n - off;
        const bool direct = want >= kReadAhead;
        if (!direct && in_.size() < kReadAhead)
            in_.resize(kReadAhead);
        uint8_t* into = direct ? out + off : in_.data();
        ssize_t got = ::recv(fd_, into, direct ? want : kReadAhead, 0);
        if (got < 0 && errno == EINTR)
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
