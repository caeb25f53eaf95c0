// UdpSocket.cpp -- POSIX UDP sockets, with a loopback-only variant for tests.
#include "platform/net/UdpSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace platform {
namespace {

bool IsLoopback(uint32_t address) { return (ntohl(address) >> 24) == 127; }

sockaddr_in MakeAddr(uint32_t address, uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = address;
    return a;
}

class PosixUdpSocket : public UdpSocket {
public:
    explicit PosixUdpSocket(bool loopbackOnly) : loopbackOnly_(loopbackOnly) {}
    ~PosixUdpSocket() override { Close(); }

    bool Open(uint32_t address, uint16_t port) override {
        if (fd_ >= 0) return false;
        if (loopbackOnly_ && address == 0) address = htonl(INADDR_LOOPBACK);
        if (loopbackOnly_ && !IsLoopback(address)) return false;
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        const sockaddr_in a = MakeAddr(address, port);
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
            ::close(fd);
            return false;
        }
        fd_ = fd;
        shut_ = false;
        return true;
    }

    int Receive(uint8_t* buffer, size_t capacity, int timeoutMs, uint32_t* source) override {
        if (fd_ < 0 || shut_) return kClosed;
        pollfd p{fd_, POLLIN, 0};
        const int r = ::poll(&p, 1, timeoutMs);
        if (shut_) return kClosed;
        if (r == 0) return kTimeout;
        if (r < 0) return errno == EINTR ? kTimeout : kError;
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t n =
            ::recvfrom(fd_, buffer, capacity, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (shut_) return kClosed;
        if (n < 0) return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? kTimeout : kError;
        if (source) *source = from.sin_family == AF_INET ? from.sin_addr.s_addr : 0;
        return static_cast<int>(n);
    }

    bool SendTo(uint32_t address, uint16_t port, const void* data, size_t length) override {
        if (fd_ < 0) return false;
        if (loopbackOnly_ && !IsLoopback(address)) return false;
        const sockaddr_in a = MakeAddr(address, port);
        const ssize_t n = ::sendto(fd_, data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&a), sizeof a);
        return n == static_cast<ssize_t>(length);
    }

    void Shutdown() override {
        shut_ = true;
        if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);  // wakes a blocked poll or recv
    }

    void Close() override {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    bool IsOpen() const override { return fd_ >= 0; }

private:
    bool loopbackOnly_;
    int fd_ = -1;
    std::atomic<bool> shut_{false};
};

}  // namespace

std::unique_ptr<UdpSocket> UdpSocket::Create(Backend backend) {
    return std::make_unique<PosixUdpSocket>(backend == Backend::Loopback);
}

bool ParseIPv4(const char* text, uint32_t& address) {
    if (!text) return false;
    char buf[16];
    size_t n = 0;
    while (text[n] && text[n] != ' ' && text[n] != '\t' && text[n] != '\r' && text[n] != '\n') {
        if (n == sizeof buf - 1) return false;
        buf[n] = text[n];
        ++n;
    }
    buf[n] = 0;
    for (size_t i = n; text[i]; ++i) {
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\r' && text[i] != '\n') return false;
    }
    in_addr a{};
    if (::inet_pton(AF_INET, buf, &a) != 1) return false;
    address = a.s_addr;
    return true;
}

std::string FormatIPv4(uint32_t address) {
    char buf[INET_ADDRSTRLEN] = {};
    in_addr a{};
    a.s_addr = address;
    ::inet_ntop(AF_INET, &a, buf, sizeof buf);
    return buf;
}

uint32_t MakeIPv4(int a, int b, int c, int d) {
    const uint32_t host = (static_cast<uint32_t>(a & 255) << 24) | (static_cast<uint32_t>(b & 255) << 16) |
                          (static_cast<uint32_t>(c & 255) << 8) | static_cast<uint32_t>(d & 255);
    return htonl(host);
}

bool IsLocalAddress(uint32_t address) {
    if (address == 0 || address == INADDR_NONE) return false;
    if (IsLoopback(address)) return true;
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const sockaddr_in a = MakeAddr(address, 0);  // any free port: only the address is tested
    const bool ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

}  // namespace platform
