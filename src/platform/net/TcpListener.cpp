// TcpListener.cpp -- a listening IPv4 TCP socket.
#include "platform/net/TcpListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::unique_ptr<TcpListener> TcpListener::Listen(const std::string& ip, uint16_t port) {
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_port = htons(port);
    if (inet_pton(AF_INET, ip.c_str(), &sin.sin_addr) != 1) return nullptr;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return nullptr;
    auto listener = std::make_unique<TcpListener>(fd);
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) != 0) return nullptr;
    if (listen(fd, 16) != 0) return nullptr;
    return listener;
}

TcpListener::TcpListener(int fd) : fd_(fd) {}

TcpListener::~TcpListener() {
    if (fd_ >= 0) close(fd_);
}

uint16_t TcpListener::Port() const {
    sockaddr_in sin{};
    socklen_t len = sizeof sin;
    if (getsockname(fd_, reinterpret_cast<sockaddr*>(&sin), &len) != 0) return 0;
    return ntohs(sin.sin_port);
}

std::unique_ptr<TcpSocket> TcpListener::Accept(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    int n;
    do {
        n = poll(&p, 1, timeoutMs);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) return nullptr;
    const int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<TcpSocket>(fd);
}

}  // namespace platform
