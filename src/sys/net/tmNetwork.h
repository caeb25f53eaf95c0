// tmNetwork.h -- the LAN datagram transport of network races and its address record.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/UdpSocket.h"

// The host's and this machine's IPv4 addresses (texts and network-order values).
struct tmNetworkAddress {
    char hostText[16];
    char ownText[16];
    uint32_t host;
    uint32_t own;
    uint8_t hostRead;  // 1 when the host text came from "hostip.txt"
    uint8_t ownRead;   // 1 when the own text came from "ownip.txt"
};

// How a transport is built: socket backend, port, folder of the address files.
struct tmNetworkOptions {
    platform::UdpSocket::Backend backend = platform::UdpSocket::Backend::Posix;
    uint16_t port = 28464;
    std::string folder;  // empty = the working folder
};

// One UDP socket on port 28464 with a receive thread that queues arriving
// datagrams (at most 63 between two drains) for the race network, which
// drains them once per frame under the recursive network lock. The main loop
// creates the process-wide instance; tests may build their own on loopback.
class tmNetwork {
public:
    static constexpr uint16_t kPort = 28464;
    static constexpr int kSlotSize = 1280;
    static constexpr int kSlots = 64;

    using Options = tmNetworkOptions;

    static void Create();
    static void Create(const Options& options);
    static tmNetwork* GetInstance();
    static void Destroy();

    explicit tmNetwork(const Options& options = Options());
    ~tmNetwork();
    tmNetwork(const tmNetwork&) = delete;
    tmNetwork& operator=(const tmNetwork&) = delete;

    // Opens the socket and starts the receive thread; false when already open or on failure.
    bool Init(bool host);
    // Stops the receive thread (waking it) and closes the socket; nothing when closed.
    void Term();
    bool IsOpen() const { return open_; }
    // One datagram to address (network order) on the race port.
    bool SendTo(uint32_t address, const void* data, int length);
    bool IsHost() const { return host_; }

    void Lock() { lock_.lock(); }
    void Unlock() { lock_.unlock(); }
    // The queue, in arrival order; the caller holds the lock.
    int GetPacketCount() const { return static_cast<int>(queue_.size()); }
    // A 1280-byte slot: the datagram's bytes, zeros after them; null outside the queue.
    const uint8_t* GetPacket(int index) const;
    int GetPacketLength(int index) const;
    // The sender's IPv4 address (network order) of a queued datagram; 0 outside the queue.
    uint32_t GetPacketSource(int index) const;
    void ClearPackets();

    void SetHostAddress(int a, int b, int c, int d);
    void SetOwnAddress(int a, int b, int c, int d);
    // Reads "hostip.txt" and "ownip.txt"; returns the own-read flag.
    int LoadAddressFiles();
    const tmNetworkAddress& GetAddresses() const { return addr_; }
    uint32_t GetReceiveErrors() const { return receiveErrors_; }
    // Datagrams dropped because the queue was full, since Init.
    uint32_t GetDroppedCount() const { return dropped_; }

private:
    struct Slot {
        uint8_t data[kSlotSize];
        int length;
        uint32_t source;
    };
    enum class ReadResult { Missing, Unreadable, Rejected, Read };

    void ReceiveLoop();
    ReadResult ReadAddressFile(const char* name, char* text, uint32_t& address);
    void ResetAddresses();

    Options options_;
    std::unique_ptr<platform::UdpSocket> socket_;
    std::thread thread_;
    std::recursive_mutex lock_;
    std::mutex stopLock_;
    std::condition_variable stopWake_;
    bool stop_ = false;
    bool open_ = false;
    bool host_ = false;
    std::atomic<uint32_t> receiveErrors_{0};
    std::atomic<uint32_t> dropped_{0};
    std::vector<Slot> queue_;
    tmNetworkAddress addr_;
};
