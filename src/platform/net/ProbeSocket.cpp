// ProbeSocket.cpp -- non-blocking TCP and UDP sockets over POSIX.
#include "platform/net/ProbeSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

sockaddr_in MakeAddr(uint32_t address, uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = address;
    return a;
}

bool WouldBlock(int e) { return e == EAGAIN || e == EWOULDBLOCK; }

int Open(int type, uint32_t address, uint16_t port) {
    const int fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        std::fprintf(stderr, "probe: no socket (%s)\n", std::strerror(errno));
        return -1;
    }
    if (type == SOCK_STREAM) {
        // An answered probe leaves its connection in TIME_WAIT on this port for a minute; the
        // next visit's listener must still bind it (the connection inherits the option).
        const int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    }
    const sockaddr_in a = MakeAddr(address, port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0) {
        char text[INET_ADDRSTRLEN] = "?";
        inet_ntop(AF_INET, &a.sin_addr, text, sizeof text);
        std::fprintf(stderr, "probe: cannot bind %s:%u (%s)\n", text, static_cast<unsigned>(port),
                     std::strerror(errno));
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

std::unique_ptr<ProbeSocket> ProbeSocket::ListenTcp(uint32_t address, uint16_t port, int backlog) {
    const int fd = Open(SOCK_STREAM, address, port);
    if (fd < 0) return nullptr;
    if (::listen(fd, backlog) != 0) {
        std::fprintf(stderr, "probe: cannot listen on port %u (%s)\n", static_cast<unsigned>(port),
                     std::strerror(errno));
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<ProbeSocket>(new ProbeSocket(fd));
}

std::unique_ptr<ProbeSocket> ProbeSocket::BindUdp(uint32_t address, uint16_t port) {
    const int fd = Open(SOCK_DGRAM, address, port);
    if (fd < 0) return nullptr;
    return std::unique_ptr<ProbeSocket>(new ProbeSocket(fd));
}

ProbeSocket::~ProbeSocket() {
    if (fd_ >= 0) ::close(fd_);
}

ProbeSocket::Status ProbeSocket::Accept(std::unique_ptr<ProbeSocket>* out) {
    const int fd = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
        // A connection that was reset while it waited is gone; the next one may come.
        if (WouldBlock(errno) || errno == EINTR || errno == ECONNABORTED) return Status::kWouldBlock;
        return Status::kError;
    }
    out->reset(new ProbeSocket(fd));
    return Status::kOk;
}

ProbeSocket::Result ProbeSocket::Recv(void* buffer, size_t capacity) {
    const ssize_t n = ::recv(fd_, buffer, capacity, 0);
    if (n > 0) return {Status::kOk, static_cast<size_t>(n)};
    if (n == 0) return {Status::kEnded, 0};
    if (WouldBlock(errno) || errno == EINTR) return {Status::kWouldBlock, 0};
    return {Status::kError, 0};
}

ProbeSocket::Result ProbeSocket::RecvFrom(void* buffer, size_t capacity, uint32_t* address, uint16_t* port) {
    sockaddr_in from{};
    socklen_t len = sizeof from;
    const ssize_t n = ::recvfrom(fd_, buffer, capacity, 0, reinterpret_cast<sockaddr*>(&from), &len);
    if (n >= 0) {
        if (address) *address = from.sin_addr.s_addr;
        if (port) *port = ntohs(from.sin_port);
        return {n > 0 ? Status::kOk : Status::kEnded, static_cast<size_t>(n)};
    }
    if (WouldBlock(errno) || errno == EINTR) return {Status::kWouldBlock, 0};
    return {Status::kError, 0};
}

bool ProbeSocket::Send(const void* data, size_t size) {
    const ssize_t n = ::send(fd_, data, size, MSG_NOSIGNAL);
    return n >= 0 && static_cast<size_t>(n) == size;
}

bool ProbeSocket::SendTo(const void* data, size_t size, uint32_t address, uint16_t port) {
    const sockaddr_in to = MakeAddr(address, port);
    const ssize_t n = ::sendto(fd_, data, size, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return n >= 0 && static_cast<size_t>(n) == size;
}

uint16_t ProbeSocket::LocalPort() const {
    sockaddr_in a{};
    socklen_t len = sizeof a;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0) return 0;
    return ntohs(a.sin_port);
}

}  // namespace platform
