// UdpSocket.h -- one IPv4 UDP socket; addresses are 32-bit values in network byte order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A UDP socket over POSIX sockets. The loopback backend (tests) refuses to
// bind or send outside 127.0.0.0/8. Shutdown wakes a receive blocked in
// another thread, so a receive loop can be joined without hanging.
class UdpSocket {
public:
    enum class Backend { Posix, Loopback };
    enum : int { kTimeout = 0, kError = -1, kClosed = -2 };

    static std::unique_ptr<UdpSocket> Create(Backend backend);
    virtual ~UdpSocket() = default;

    // Binds to address:port (address 0 = every local address; 127.0.0.1 for
    // the loopback backend). False on failure.
    virtual bool Open(uint32_t address, uint16_t port) = 0;
    // Waits at most timeoutMs for one datagram: its length, kTimeout,
    // kError, or kClosed once Shutdown was called. With source given, the
    // sender's address (network order) is stored there.
    virtual int Receive(uint8_t* buffer, size_t capacity, int timeoutMs, uint32_t* source = nullptr) = 0;
    virtual bool SendTo(uint32_t address, uint16_t port, const void* data, size_t length) = 0;
    // Wakes a blocked Receive; later receives return kClosed.
    virtual void Shutdown() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

// Strict dotted IPv4 text ("a.b.c.d", trailing blanks and line ends allowed)
// to a network-order address; false for anything else.
bool ParseIPv4(const char* text, uint32_t& address);
// Network-order address to dotted text.
std::string FormatIPv4(uint32_t address);
// Builds a network-order address from four octets.
uint32_t MakeIPv4(int a, int b, int c, int d);
// True when a socket can be bound to the address on this machine.
bool IsLocalAddress(uint32_t address);

}  // namespace platform
