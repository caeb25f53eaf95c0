// tmNetwork.cpp -- UDP race transport: open, receive thread, queue, send, address files.
#include "sys/net/tmNetwork.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

tmNetwork* g_instance = nullptr;
const char kDefaultAddress[] = "192.168.0.1";
constexpr int kQueueLimit = tmNetwork::kSlots - 1;  // one slot stays free, as peers expect
constexpr int kPollMs = 200;
constexpr int kBackoffMaxMs = 200;

constexpr size_t kAddressTextSize = sizeof(tmNetworkAddress::hostText);

void SetText(char* text, const char* value) {
    std::memset(text, 0, kAddressTextSize);
    std::strncpy(text, value, kAddressTextSize - 1);
}

}  // namespace

void tmNetwork::Create() { Create(Options()); }

void tmNetwork::Create(const Options& options) {
    if (!g_instance) g_instance = new tmNetwork(options);
}

tmNetwork* tmNetwork::GetInstance() { return g_instance; }

void tmNetwork::Destroy() {
    delete g_instance;
    g_instance = nullptr;
}

tmNetwork::tmNetwork(const Options& options) : options_(options) {
    ResetAddresses();
    queue_.reserve(kSlots);
}

tmNetwork::~tmNetwork() { Term(); }

void tmNetwork::ResetAddresses() {
    SetText(addr_.hostText, kDefaultAddress);
    SetText(addr_.ownText, kDefaultAddress);
    platform::ParseIPv4(kDefaultAddress, addr_.host);
    platform::ParseIPv4(kDefaultAddress, addr_.own);
    addr_.hostRead = 0;
    addr_.ownRead = 0;
}

bool tmNetwork::Init(bool host) {
    if (open_) return false;
    host_ = host;
    // Bind to this machine's own address when it is one of ours (so several
    // players can share one machine on 127.0.0.x), else to every address.
    const uint32_t bindAddress = platform::IsLocalAddress(addr_.own) ? addr_.own : 0;
    socket_ = platform::UdpSocket::Create(options_.backend);
    if (!socket_->Open(bindAddress, options_.port)) {
        std::fprintf(stderr, "network: cannot bind %s:%u\n", platform::FormatIPv4(bindAddress).c_str(),
                     static_cast<unsigned>(options_.port));
        socket_.reset();
        return false;
    }
    receiveErrors_ = 0;
    dropped_ = 0;
    {
        std::lock_guard<std::mutex> g(stopLock_);
        stop_ = false;
    }
    ClearPackets();
    open_ = true;
    thread_ = std::thread(&tmNetwork::ReceiveLoop, this);
    return true;
}

void tmNetwork::Term() {
    if (!open_) return;
    {
        std::lock_guard<std::mutex> g(stopLock_);
        stop_ = true;
    }
    stopWake_.notify_all();
    socket_->Shutdown();  // wakes a receive in progress
    if (thread_.joinable()) thread_.join();
    socket_->Close();
    socket_.reset();
    open_ = false;
}

void tmNetwork::ReceiveLoop() {
    uint8_t buffer[kSlotSize];
    int backoffMs = 0;
    for (;;) {
        {
            std::lock_guard<std::mutex> g(stopLock_);
            if (stop_) break;
        }
        uint32_t source = 0;
        const int n = socket_->Receive(buffer, sizeof buffer, kPollMs, &source);
        if (n == platform::UdpSocket::kClosed) break;
        if (n == platform::UdpSocket::kTimeout) continue;
        if (n < 0) {
            // A socket that keeps failing would spin: wait longer after each error.
            ++receiveErrors_;
            backoffMs = backoffMs ? std::min(backoffMs * 2, kBackoffMaxMs) : 1;
            std::unique_lock<std::mutex> g(stopLock_);
            stopWake_.wait_for(g, std::chrono::milliseconds(backoffMs), [this] { return stop_; });
            continue;
        }
        backoffMs = 0;
        std::lock_guard<std::recursive_mutex> g(lock_);
        if (static_cast<int>(queue_.size()) < kQueueLimit) {
            queue_.emplace_back();
            Slot& s = queue_.back();
            std::memcpy(s.data, buffer, static_cast<size_t>(n));
            std::memset(s.data + n, 0, static_cast<size_t>(kSlotSize - n));
            s.length = n;
            s.source = source;
        } else {
            ++dropped_;
        }
    }
}

bool tmNetwork::SendTo(uint32_t address, const void* data, int length) {
    if (!data || length <= 0 || address == 0 || !open_) return false;
    if (length > kSlotSize) return false;
    return socket_->SendTo(address, options_.port, data, static_cast<size_t>(length));
}

const uint8_t* tmNetwork::GetPacket(int index) const {
    if (index < 0 || index >= static_cast<int>(queue_.size())) return nullptr;
    return queue_[static_cast<size_t>(index)].data;
}

int tmNetwork::GetPacketLength(int index) const {
    if (index < 0 || index >= static_cast<int>(queue_.size())) return 0;
    return queue_[static_cast<size_t>(index)].length;
}

uint32_t tmNetwork::GetPacketSource(int index) const {
    if (index < 0 || index >= static_cast<int>(queue_.size())) return 0;
    return queue_[static_cast<size_t>(index)].source;
}

void tmNetwork::ClearPackets() {
    std::lock_guard<std::recursive_mutex> g(lock_);
    queue_.clear();
    queue_.reserve(kSlots);
}

// ---------------------------------------------------------------- addresses

void tmNetwork::SetHostAddress(int a, int b, int c, int d) {
    std::snprintf(addr_.hostText, sizeof addr_.hostText, "%d.%d.%d.%d", a & 255, b & 255, c & 255, d & 255);
    addr_.host = platform::MakeIPv4(a, b, c, d);
}

void tmNetwork::SetOwnAddress(int a, int b, int c, int d) {
    std::snprintf(addr_.ownText, sizeof addr_.ownText, "%d.%d.%d.%d", a & 255, b & 255, c & 255, d & 255);
    addr_.own = platform::MakeIPv4(a, b, c, d);
}

int tmNetwork::LoadAddressFiles() {
    const ReadResult host = ReadAddressFile("hostip.txt", addr_.hostText, addr_.host);
    if (host == ReadResult::Read) addr_.hostRead = 1;
    const ReadResult own = ReadAddressFile("ownip.txt", addr_.ownText, addr_.own);
    if (own == ReadResult::Read) addr_.ownRead = 1;
    return addr_.ownRead;
}

// The text is the file's first 15 bytes (the longest dotted address), cut at
// the first carriage return or space (a line feed stays; parsing skips it). So
// "192.168.100.200" and a line feed, 16 bytes, still reads. Text that is no
// IPv4 address, or the broadcast address, leaves the record alone.
tmNetwork::ReadResult tmNetwork::ReadAddressFile(const char* name, char* text, uint32_t& address) {
    const std::string path = options_.folder.empty() ? name : options_.folder + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadResult::Missing;
    std::vector<char> bytes;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        std::fprintf(stderr, "network: %s cannot be read; default addresses used\n", name);
        ResetAddresses();
        return ReadResult::Unreadable;
    }
    char candidate[kAddressTextSize] = {};
    const size_t kept = std::min<size_t>(bytes.size(), kAddressTextSize - 1);  // the last byte stays NUL
    if (kept) std::memcpy(candidate, bytes.data(), kept);
    for (size_t i = 0; i < kept; ++i) {
        if (candidate[i] == '\r' || candidate[i] == ' ') {
            std::memset(candidate + i, 0, kAddressTextSize - i);
            break;
        }
    }
    uint32_t parsed = 0;
    if (!platform::ParseIPv4(candidate, parsed) || parsed == 0xFFFFFFFFu) {
        std::fprintf(stderr, "network: %s holds no usable address; kept %s\n", name, text);
        return ReadResult::Rejected;
    }
    std::memcpy(text, candidate, 16);
    address = parsed;
    return ReadResult::Read;
}
