// TestLobbyServer.cpp -- the test lobby server and the status-page stub.
#include "lobbyclient/TestLobbyServer.h"

#include <chrono>
#include <ctime>

namespace lobbytest {

const Ip4 TestLobbyServer::kLoopback = {127, 0, 0, 1};

TestLobbyServer::TestLobbyServer() {
    listener_ = platform::TcpListener::Listen("127.0.0.1", 0);
    if (listener_) port_ = listener_->Port();
}

TestLobbyServer::~TestLobbyServer() {
    stop_ = true;
    if (lobbyThread_.joinable()) lobbyThread_.join();
}

bool TestLobbyServer::Accept(int timeoutMs) {
    if (!listener_) return false;
    auto sock = listener_->Accept(timeoutMs);
    if (!sock) return false;
    sock->SetNoDelay();
    std::lock_guard<std::mutex> hold(sendLock_);
    client_ = std::move(sock);
    accepted_ = true;
    return true;
}

bool TestLobbyServer::Send(const Bytes& plaintext) { return SendRaw(Frame(plaintext)); }

bool TestLobbyServer::SendRaw(const Bytes& bytes) {
    std::lock_guard<std::mutex> hold(sendLock_);
    return client_ && client_->SendAll(bytes.data(), bytes.size());
}

bool TestLobbyServer::ReadMessage(ClientMsg* out, int timeoutMs) {
    if (!client_) return false;
    auto readExactly = [&](uint8_t* p, size_t n) {
        while (n > 0) {
            if (!client_->WaitReadable(timeoutMs)) return false;
            const auto r = client_->Recv(p, n);
            if (r.status != platform::StreamSocket::Status::kOk) return false;
            p += r.bytes;
            n -= static_cast<size_t>(r.bytes);
        }
        return true;
    };
    uint8_t len[4];
    if (!readExactly(len, 4)) return false;
    const uint32_t n = len[0] | len[1] << 8 | len[2] << 16 | uint32_t(len[3]) << 24;
    if (n == 0 || n > 20480) return false;
    Bytes cipher(n), plain;
    if (!readExactly(cipher.data(), n) || !Unframe(cipher, &plain) || plain.size() < 4) return false;
    out->code.assign(plain.begin(), plain.begin() + 4);
    out->body.assign(plain.begin() + 4, plain.end());
    return true;
}

void TestLobbyServer::CloseClient() {
    std::lock_guard<std::mutex> hold(sendLock_);
    client_.reset();
}

void TestLobbyServer::ResetClient() {
    std::lock_guard<std::mutex> hold(sendLock_);
    if (client_) client_->SetAbortiveClose();
    client_.reset();
}

void TestLobbyServer::StartLobby(const LobbyScript& script) {
    script_ = script;
    lobbyThread_ = std::thread([this] { LobbyLoop(); });
}

void TestLobbyServer::Record(const ClientMsg& m) {
    std::lock_guard<std::mutex> hold(recordLock_);
    received_.push_back(m);
    recorded_.notify_all();
}

bool TestLobbyServer::WaitFor(const std::string& code, ClientMsg* out, int timeoutMs, int nth) {
    std::unique_lock<std::mutex> hold(recordLock_);
    const auto found = [&] {
        int seen = 0;
        for (const ClientMsg& m : received_) {
            if (m.code == code && seen++ == nth) {
                if (out) *out = m;
                return true;
            }
        }
        return false;
    };
    return recorded_.wait_for(hold, std::chrono::milliseconds(timeoutMs), found);
}

int TestLobbyServer::CountOf(const std::string& code) {
    std::lock_guard<std::mutex> hold(recordLock_);
    int n = 0;
    for (const ClientMsg& m : received_) n += m.code == code;
    return n;
}

void TestLobbyServer::LobbyLoop() {
    while (!stop_ && !Accept(100)) {}
    ClientMsg m;
    while (!stop_ && !ReadMessage(&m, 100)) {}
    if (stop_) return;
    Record(m);
    if (script_.closeBeforeLogin) {
        CloseClient();
        return;
    }
    if (m.code != "STUP") return;
    if (script_.neverAnswer) {
        while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return;
    }
    while (script_.holdLogin && !loginReleased_ && !stop_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    own_ = DecodeSTUP(m).player;
    own_.id = script_.ownId;
    if (script_.refuseResult != 0) {
        Send(EncSTUR(0, script_.refuseResult, 0));
        CloseClient();
        return;
    }
    Send(EncSTUR(script_.ownId, 0, script_.pictureStamp));
    for (const PlayerInfo& p : script_.others) Send(EncSTUP(p, 0));
    Send(EncSTUP(own_, 0));
    for (const RoomInfo& r : script_.rooms) Send(EncRMTC(r));
    while (!stop_) {
        if (!client_ || !client_->WaitReadable(50)) continue;
        if (!ReadMessage(&m, 1000)) break;
        Record(m);
        Handle(m);
    }
}

void TestLobbyServer::Handle(const ClientMsg& m) {
    if (m.code == "SAID") {
        const SaidOut s = DecodeSAID(m);
        ChatLine line;
        line.id1 = own_.id;
        line.id2 = s.target;
        line.kind = s.kind;
        line.time = static_cast<uint32_t>(std::time(nullptr));
        line.name = own_.name;
        line.text = s.text;
        Send(EncSAID({line}));
    } else if (m.code == "UPDT") {
        WireReader r(m.body);
        PlayerInfo p = DecodePlayerOut(r);
        p.id = own_.id;
        own_ = p;
        Send(EncUPDT(own_));
    } else if (m.code == "RMCT") {
        const RmctOut c = DecodeRMCT(m);
        RoomInfo room;
        room.id = nextRoom_++;
        room.name = c.name;
        room.course = c.course;
        room.laps = c.laps;
        room.members.push_back({own_.id, kLoopback});
        script_.rooms.push_back(room);
        Send(EncRMTC(room));
    } else if (m.code == "RMET") {
        WireReader r(m.body);
        const uint32_t id = r.U32();
        for (RoomInfo& room : script_.rooms) {
            if (room.id != id) continue;
            room.members.push_back({own_.id, kLoopback});
            Send(EncRMTL(room, 0, own_.id));
        }
    } else if (m.code == "RMCN") {
        for (RoomInfo& room : script_.rooms) {
            for (size_t i = 0; i < room.members.size(); ++i) {
                if (room.members[i].id != own_.id) continue;
                room.members.erase(room.members.begin() + static_cast<long>(i));
                Send(EncRMTL(room, 1, own_.id));
                break;
            }
        }
    } else if (m.code == "RMST") {
        for (const RoomInfo& room : script_.rooms) {
            for (const RoomMember& member : room.members) {
                if (member.id == own_.id) Send(EncRMST(room.id, kLoopback, script_.raceAddressPort));
            }
        }
    } else if (m.code == "PCUP") {
        Send(EncPCUR(0));
    } else if (m.code == "PCRQ") {
        WireReader r(m.body);
        const uint32_t id = r.U32();
        Send(EncPCDT(id, Bytes{0xFF, 0xD8, uint8_t(id), 0xFF, 0xD9}, 1000 + id));
    }
}

HttpStub::HttpStub(int status, std::string body, bool hang, std::string location)
    : listener_(platform::TcpListener::Listen("127.0.0.1", 0)),
      status_(status),
      body_(std::move(body)),
      hang_(hang),
      location_(std::move(location)) {
    thread_ = std::thread([this] { Loop(); });
}

HttpStub::~HttpStub() {
    stop_ = true;
    thread_.join();
}

std::string HttpStub::Url() const {
    return "http://127.0.0.1:" + std::to_string(listener_ ? listener_->Port() : 0) + "/status.html";
}

std::string HttpStub::LastRequest() {
    std::lock_guard<std::mutex> hold(lock_);
    return lastRequest_;
}

void HttpStub::Loop() {
    while (!stop_ && listener_) {
        auto conn = listener_->Accept(50);
        if (!conn) continue;
        std::string request;
        char buf[1024];
        while (request.find("\r\n\r\n") == std::string::npos && conn->WaitReadable(2000)) {
            const auto r = conn->Recv(buf, sizeof buf);
            if (r.status != platform::StreamSocket::Status::kOk) break;
            request.append(buf, static_cast<size_t>(r.bytes));
        }
        {
            std::lock_guard<std::mutex> hold(lock_);
            lastRequest_ = request;
        }
        ++requests_;
        if (hang_) {
            while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        const std::string moved = location_.empty() ? "" : "Location: " + location_ + "\r\n";
        const std::string reply = "HTTP/1.1 " + std::to_string(status_) + " X\r\n" + moved +
                                  "Content-Length: " + std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                                  body_;
        conn->SendAll(reply.data(), reply.size());
    }
}

}  // namespace lobbytest
