// LobbyThread.h -- lobby::CLobbyThread: the worker of one lobby visit.
#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "lobbyclient/Crypt.h"
#include "lobbyclient/LobbyConnection.h"
#include "lobbyclient/LobbyRecords.h"
#include "lobbyclient/LobbyState.h"

namespace lobby {

// Error codes the worker ends with (the facade reports them as type 2).
enum LobbyError {
    kErrorNone = 0,
    kErrorCrypt = 1,
    kErrorConnect = 2,
    kErrorLookup = 3,
    kErrorReceive = 4,
    kErrorAborted = 5,
    kErrorMaintenance = 9,
};

// Where and how long the worker may try.
struct LobbyEndpoint {
    std::string host;
    int port = 0;
    std::string url;
    uint32_t protocol = 0;
    std::string guid;
    int lookupTimeoutMs = 10000;
    int connectTimeoutMs = 10000;
    long httpConnectTimeoutMs = 5000;
    long httpTotalTimeoutMs = 10000;
};

// Reads a status page body: per line (CR stripped) "<!-- mainte:" gives the
// maintenance text, else "<!-- info:" the information text, each up to " -->"
// or the end of the line; a later line wins.
void ParseStatusPage(const std::string& body, std::string* maintenance, std::string* info);

// The worker of one visit, made and started by the facade's Enter and deleted
// by its Leave after the thread has ended. Reads the status page, connects,
// logs in, uploads the own picture when the server's copy is stale, then feeds
// every received message to its state. Every wait it does (status page, host
// lookup, connect, receive) ends promptly once CloseSocket is called. The
// thread lock guards ready, error and the maintenance text and is never held
// across a blocking call or while the state lock is held.
class CLobbyThread {
public:
    CLobbyThread(const LobbyEndpoint& endpoint, const CPlayer& player, std::unique_ptr<CPlayerPict> ownPicture);
    ~CLobbyThread();  // ends and joins the thread
    CLobbyThread(const CLobbyThread&) = delete;
    CLobbyThread& operator=(const CLobbyThread&) = delete;

    void Start();
    void Join();

    bool IsReady();
    bool IsConnected();
    int GetError();
    std::string GetMaintenanceText();
    // Cancels whatever the worker waits for and closes the connection.
    void CloseSocket();
    bool Send(const CLobbySendable& message);
    CLobbyState& State() { return state_; }

    // Reads the status page at `url`; empty texts unless found. Logs problems.
    static void RequestStatus(const std::string& url, const LobbyEndpoint& limits, const std::atomic<bool>* cancel,
                              std::string* maintenance, std::string* info);

private:
    void Run();
    void Finish(int error);
    bool Login();
    void ReceiveLoop();

    LobbyEndpoint endpoint_;
    CPlayer player_;
    CLobbyState state_;
    std::unique_ptr<CCrypt> crypt_;
    std::unique_ptr<CLobbyConnection> connection_;
    std::atomic<bool> cancel_{false};

    std::mutex lock_;  // the thread lock
    bool ready_ = false;
    int error_ = kErrorNone;
    std::string maintenance_;

    std::thread thread_;
};

}  // namespace lobby
