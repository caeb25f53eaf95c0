// TcpListener.h -- a listening IPv4 TCP socket (test servers and stubs use it).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/net/TcpSocket.h"

namespace platform {

// Owns one listening descriptor bound to an address of the caller's choice.
class TcpListener {
public:
    // Binds `ip` (dotted IPv4) and `port` (0: chosen by the system) and listens.
    static std::unique_ptr<TcpListener> Listen(const std::string& ip, uint16_t port);
    explicit TcpListener(int fd);
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    uint16_t Port() const;
    // Waits up to `timeoutMs` for a connection; nullptr on timeout.
    std::unique_ptr<TcpSocket> Accept(int timeoutMs);

private:
    int fd_;
};

}  // namespace platform
