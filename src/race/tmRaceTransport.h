// tmRaceTransport.h -- what the race network needs of a datagram transport, and the UDP one.
#pragma once
#include <cstdint>
#include <functional>

class tmNetwork;

// One received datagram: its bytes, its length and the sender's IPv4 address (network order).
struct tmRaceDatagram {
    const uint8_t* data = nullptr;
    int length = 0;
    uint32_t source = 0;
};

// A datagram transport as the race network session uses it: opened as host
// or guest, one send to an address, and a queue drained once per frame.
// The UDP transport wraps tmNetwork; tests run several sessions in one
// process over an in-process hub of their own.
class tmRaceTransport {
public:
    virtual ~tmRaceTransport() = default;
    virtual bool Open(bool host) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // This player's id (its IPv4 address) and the host's.
    virtual uint32_t OwnAddress() const = 0;
    virtual uint32_t HostAddress() const = 0;
    virtual bool Send(uint32_t address, const void* data, int length) = 0;
    // The lock that guards the queue; the session also holds it while it sends.
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    // Calls visit for every queued datagram in arrival order, then empties the
    // queue; the caller holds the lock.
    virtual void Drain(const std::function<void(const tmRaceDatagram&)>& visit) = 0;
};

// The race transport over the process's UDP transport (not owned).
class tmNetworkTransport : public tmRaceTransport {
public:
    explicit tmNetworkTransport(tmNetwork* network) : network_(network) {}
    bool Open(bool host) override;
    void Close() override;
    bool IsOpen() const override;
    uint32_t OwnAddress() const override;
    uint32_t HostAddress() const override;
    bool Send(uint32_t address, const void* data, int length) override;
    void Lock() override;
    void Unlock() override;
    void Drain(const std::function<void(const tmRaceDatagram&)>& visit) override;

private:
    tmNetwork* network_;
};
