// TcpSocket.h -- IPv4 TCP client sockets with cancellable lookup and connect.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/net/StreamSocket.h"

namespace platform {

// Looks `host` up as an IPv4 address (a dotted address needs no lookup).
// Gives up after `timeoutMs` or once `*cancel` turns true (the lookup itself
// then finishes unseen on a helper thread). On success `*address` holds the
// first address in network byte order. `*error` gets the lookup's error code.
bool ResolveIPv4(const std::string& host, uint32_t* address, int timeoutMs, const std::atomic<bool>* cancel,
                 int* error);

// A connected TCP socket. Created by Connect (client side) or by TcpListener.
// Owns the descriptor; Shutdown wakes a blocked Recv, the destructor closes.
class TcpSocket : public StreamSocket {
public:
    // Connects to `address` (network byte order) and `port`; gives up after
    // `timeoutMs` or once `*cancel` turns true (`*error` is then ECANCELED).
    static std::unique_ptr<TcpSocket> Connect(uint32_t address, uint16_t port, int timeoutMs,
                                              const std::atomic<bool>* cancel, int* error);
    explicit TcpSocket(int fd);
    ~TcpSocket() override;
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    Result Send(const void* data, size_t size) override;
    Result Recv(void* data, size_t size) override;
    void Shutdown() override;

    // Kernel buffer sizes; false (with errno in `*error`) when refused.
    bool SetSendBufferSize(int bytes, int* error);
    bool SetRecvBufferSize(int bytes, int* error);
    // Sends every byte or fails (test peers use it).
    bool SendAll(const void* data, size_t size);
    // Waits up to `timeoutMs` for readable data or end of stream.
    bool WaitReadable(int timeoutMs);
    // Sends a reset instead of an orderly close when the socket is closed.
    void SetAbortiveClose();
    // Sends small writes at once (test peers use it to cut frames apart).
    void SetNoDelay();

private:
    int fd_;
};

}  // namespace platform
