// TcpSocket.cpp -- POSIX TCP client sockets, host lookup and connect with timeouts.
#include "platform/net/TcpSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace platform {
namespace {

constexpr int kSliceMs = 20;  // how often waits look at the cancel flag

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_acquire); }

// The outcome of one getaddrinfo call, shared with the thread that runs it so
// that an abandoned lookup can finish on its own.
struct Lookup {
    std::mutex lock;
    std::condition_variable done;
    bool finished = false;
    int error = 0;
    uint32_t address = 0;
};

void RunLookup(std::shared_ptr<Lookup> lookup, std::string host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    int rc = getaddrinfo(host.c_str(), nullptr, &hints, &list);
    uint32_t address = 0;
    if (rc == 0) {
        if (list && list->ai_addr && list->ai_addrlen >= static_cast<socklen_t>(sizeof(sockaddr_in))) {
            sockaddr_in sin;
            std::memcpy(&sin, list->ai_addr, sizeof sin);
            address = sin.sin_addr.s_addr;
        } else {
            rc = EAI_NONAME;
        }
    }
    if (list) freeaddrinfo(list);
    std::lock_guard<std::mutex> hold(lookup->lock);
    lookup->error = rc;
    lookup->address = address;
    lookup->finished = true;
    lookup->done.notify_all();
}

}  // namespace

bool ResolveIPv4(const std::string& host, uint32_t* address, int timeoutMs, const std::atomic<bool>* cancel,
                 int* error) {
    *error = 0;
    in_addr numeric{};
    if (inet_pton(AF_INET, host.c_str(), &numeric) == 1) {
        *address = numeric.s_addr;
        return true;
    }
    if (host.empty()) {
        *error = EAI_NONAME;
        return false;
    }
    auto lookup = std::make_shared<Lookup>();
    std::thread(RunLookup, lookup, host).detach();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock<std::mutex> hold(lookup->lock);
    while (!lookup->finished) {
        if (Cancelled(cancel)) {
            *error = ECANCELED;
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            *error = ETIMEDOUT;
            return false;
        }
        lookup->done.wait_for(hold, std::chrono::milliseconds(kSliceMs));
    }
    if (lookup->error != 0) {
        *error = lookup->error;
        return false;
    }
    *address = lookup->address;
    return true;
}

std::unique_ptr<TcpSocket> TcpSocket::Connect(uint32_t address, uint16_t port, int timeoutMs,
                                              const std::atomic<bool>* cancel, int* error) {
    *error = 0;
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        *error = errno;
        return nullptr;
    }
    auto sock = std::make_unique<TcpSocket>(fd);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_port = htons(port);
    sin.sin_addr.s_addr = address;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&sin), sizeof sin) != 0) {
        if (errno != EINPROGRESS) {
            *error = errno;
            return nullptr;
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (Cancelled(cancel)) {
                *error = ECANCELED;
                return nullptr;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                *error = ETIMEDOUT;
                return nullptr;
            }
            pollfd p{fd, POLLOUT, 0};
            const int n = poll(&p, 1, kSliceMs);
            if (n < 0 && errno != EINTR) {
                *error = errno;
                return nullptr;
            }
            if (n > 0) break;
        }
        int soError = 0;
        socklen_t len = sizeof soError;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) != 0) soError = errno;
        if (soError != 0) {
            *error = soError;
            return nullptr;
        }
    }
    // A connection to a closed local port in the ephemeral range can be given
    // that same port as its own and connect to itself: that is a refusal.
    sockaddr_in self{}, peer{};
    socklen_t selfLen = sizeof self, peerLen = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&self), &selfLen) == 0 &&
        getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLen) == 0 && self.sin_port == peer.sin_port &&
        self.sin_addr.s_addr == peer.sin_addr.s_addr) {
        *error = ECONNREFUSED;
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return sock;
}

TcpSocket::TcpSocket(int fd) : fd_(fd) {}

TcpSocket::~TcpSocket() {
    if (fd_ >= 0) close(fd_);
}

StreamSocket::Result TcpSocket::Send(const void* data, size_t size) {
    for (;;) {
        const ssize_t n = send(fd_, data, size, MSG_NOSIGNAL);
        if (n > 0) return {Status::kOk, static_cast<long>(n), 0};
        if (n < 0 && errno == EINTR) continue;
        const int e = n < 0 ? errno : 0;
        if (e == EPIPE || e == ECONNRESET) return {Status::kClosed, 0, e};
        if (e == ECONNABORTED) return {Status::kAborted, 0, e};
        return {Status::kError, 0, e};
    }
}

StreamSocket::Result TcpSocket::Recv(void* data, size_t size) {
    for (;;) {
        const ssize_t n = recv(fd_, data, size, 0);
        if (n > 0) return {Status::kOk, static_cast<long>(n), 0};
        if (n == 0) return {Status::kClosed, 0, 0};
        if (errno == EINTR) continue;
        const int e = errno;
        if (e == ECONNRESET || e == EPIPE) return {Status::kClosed, 0, e};
        if (e == ECONNABORTED) return {Status::kAborted, 0, e};
        return {Status::kError, 0, e};
    }
}

void TcpSocket::Shutdown() { shutdown(fd_, SHUT_RDWR); }

bool TcpSocket::SetSendBufferSize(int bytes, int* error) {
    if (setsockopt(fd_, SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes) == 0) return true;
    *error = errno;
    return false;
}

bool TcpSocket::SetRecvBufferSize(int bytes, int* error) {
    if (setsockopt(fd_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) == 0) return true;
    *error = errno;
    return false;
}

bool TcpSocket::SendAll(const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const Result r = Send(p, size);
        if (r.status != Status::kOk) return false;
        p += r.bytes;
        size -= static_cast<size_t>(r.bytes);
    }
    return true;
}

bool TcpSocket::WaitReadable(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const int n = poll(&p, 1, timeoutMs);
        if (n < 0 && errno == EINTR) continue;
        return n > 0;
    }
}

void TcpSocket::SetAbortiveClose() {
    linger l{1, 0};
    setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

void TcpSocket::SetNoDelay() {
    const int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

}  // namespace platform
