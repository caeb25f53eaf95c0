// ProbeSocket.h -- non-blocking IPv4 sockets that a polling caller reads once per frame.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// One non-blocking socket: a TCP listener, a TCP connection it accepted, or
// a bound UDP socket. No call ever waits; "would block" is an answer of its
// own. Addresses are network-order IPv4 values, ports host order. Owns the
// descriptor; the destructor closes it.
class ProbeSocket {
public:
    enum class Status { kOk, kWouldBlock, kEnded, kError };
    struct Result {
        Status status;
        size_t bytes;  // with kOk: bytes moved (at least one)
    };

    // A socket bound to address:port (0: every local address); for TCP also
    // listening with a backlog of `backlog` (it binds a port that an earlier
    // answered connection still holds in TIME_WAIT). Null, with a log line,
    // when the socket cannot be made or bound.
    static std::unique_ptr<ProbeSocket> ListenTcp(uint32_t address, uint16_t port, int backlog);
    static std::unique_ptr<ProbeSocket> BindUdp(uint32_t address, uint16_t port);

    ~ProbeSocket();
    ProbeSocket(const ProbeSocket&) = delete;
    ProbeSocket& operator=(const ProbeSocket&) = delete;

    // Listener: one waiting connection into *out (non-blocking like this one);
    // kWouldBlock when none waits.
    Status Accept(std::unique_ptr<ProbeSocket>* out);
    // Connection: kEnded when the peer closed it.
    Result Recv(void* buffer, size_t capacity);
    // UDP: one datagram and its sender.
    Result RecvFrom(void* buffer, size_t capacity, uint32_t* address, uint16_t* port);
    // False when not every byte could be sent at once.
    bool Send(const void* data, size_t size);
    bool SendTo(const void* data, size_t size, uint32_t address, uint16_t port);
    // The local port (0 when unknown).
    uint16_t LocalPort() const;

private:
    explicit ProbeSocket(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace platform
