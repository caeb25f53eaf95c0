// TestLobbyServer.h -- a lobby server on 127.0.0.1 for tests: framing, cipher,
// login, lists, chat, rooms, pictures, and scripted faults.
#pragma once
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "lobbyclient/LobbyWire.h"
#include "platform/net/TcpListener.h"

namespace lobbytest {

// What the scripted lobby does after a client's STUP.
struct LobbyScript {
    uint32_t ownId = 100;
    uint32_t refuseResult = 0;  // not 0: answer STUR with id 0 and this result, then close
    bool closeBeforeLogin = false;
    bool neverAnswer = false;   // read the STUP, then stay silent
    bool holdLogin = false;     // read the STUP, answer it only after ReleaseLogin()
    uint64_t pictureStamp = 0;  // the server's stamp of the client's picture
    std::vector<PlayerInfo> others;
    std::vector<RoomInfo> rooms;
    uint32_t raceAddressPort = 28464;
};

// Listens on 127.0.0.1 (port chosen by the system) and serves one client at a
// time. Tests either drive it by hand (Accept, Send, ReadMessage) or start the
// scripted lobby, which answers the client's requests on its own thread.
class TestLobbyServer {
public:
    TestLobbyServer();
    ~TestLobbyServer();

    uint16_t Port() const { return port_; }

    // By hand.
    bool Accept(int timeoutMs = 5000);
    bool Send(const Bytes& plaintext);  // framed and enciphered
    bool SendRaw(const Bytes& bytes);
    bool ReadMessage(ClientMsg* out, int timeoutMs = 5000);
    void CloseClient();  // orderly close
    void ResetClient();  // connection reset

    // Scripted lobby on its own thread; received messages are recorded.
    void StartLobby(const LobbyScript& script);
    // Waits for the n-th (0-based) client message with `code`.
    bool WaitFor(const std::string& code, ClientMsg* out, int timeoutMs = 5000, int nth = 0);
    int CountOf(const std::string& code);
    // Lets a held login be answered.
    void ReleaseLogin() { loginReleased_ = true; }
    bool ClientConnected() const { return accepted_.load(); }

    static const Ip4 kLoopback;

private:
    void LobbyLoop();
    void Handle(const ClientMsg& m);
    void Record(const ClientMsg& m);

    std::unique_ptr<platform::TcpListener> listener_;
    uint16_t port_ = 0;
    std::unique_ptr<platform::TcpSocket> client_;
    std::mutex sendLock_;
    std::atomic<bool> accepted_{false};
    std::atomic<bool> loginReleased_{false};

    LobbyScript script_;
    std::thread lobbyThread_;
    std::atomic<bool> stop_{false};
    std::mutex recordLock_;
    std::condition_variable recorded_;
    std::vector<ClientMsg> received_;
    PlayerInfo own_;
    uint32_t nextRoom_ = 500;
};

// A minimal HTTP server on 127.0.0.1 serving one status page (or, given a
// location, answering every request with that redirect).
class HttpStub {
public:
    HttpStub(int status, std::string body, bool hang = false, std::string location = "");
    ~HttpStub();
    std::string Url() const;
    int Requests() const { return requests_.load(); }
    std::string LastRequest();

private:
    void Loop();
    std::unique_ptr<platform::TcpListener> listener_;
    int status_;
    std::string body_;
    bool hang_;
    std::string location_;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::mutex lock_;
    std::string lastRequest_;
    std::thread thread_;
};

}  // namespace lobbytest
