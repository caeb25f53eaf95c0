// LobbyThread.cpp -- status page, connect, login, picture upload and the receive loop.
#include "lobbyclient/LobbyThread.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "lobbyclient/LobbyCipherKeys.h"
#include "lobbyclient/LobbyLog.h"
#include "platform/http/HttpClient.h"
#include "platform/net/TcpSocket.h"

namespace lobby {
namespace {

constexpr size_t kStatusBodyCap = 64 * 1024;
// A status page that moved is followed this many hops (plain HTTP only), as a
// browser would; a longer chain or a move to HTTPS is an unreadable page.
constexpr int kStatusRedirects = 5;

// The text after `marker` up to " -->" or the end of the line; false if absent.
bool MarkedText(const std::string& line, const char* marker, std::string* out) {
    const size_t at = line.find(marker);
    if (at == std::string::npos) return false;
    const size_t start = at + std::strlen(marker);
    const size_t end = line.find(" -->", start);
    *out = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
    const size_t n = std::strlen(prefix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        const char a = s[i] >= 'A' && s[i] <= 'Z' ? static_cast<char>(s[i] - 'A' + 'a') : s[i];
        if (a != prefix[i]) return false;
    }
    return true;
}

}  // namespace

void ParseStatusPage(const std::string& body, std::string* maintenance, std::string* info) {
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        std::string line = body.substr(start, end - start);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (!MarkedText(line, "<!-- mainte:", maintenance)) MarkedText(line, "<!-- info:", info);
        start = end + 1;
    }
}

void CLobbyThread::RequestStatus(const std::string& url, const LobbyEndpoint& limits, const std::atomic<bool>* cancel,
                                 std::string* maintenance, std::string* info) {
    maintenance->clear();
    info->clear();
    if (StartsWithNoCase(url, "https://")) {
        Log("Lobby http request not support HTTPS.\n");
        return;
    }
    if (!StartsWithNoCase(url, "http://") || url.size() <= 7 || url[7] == '/' || url[7] == ':') {
        Log("Lobby http request illegal url.\n");
        return;
    }
    platform::HttpRequest request;
    request.url = "http://" + url.substr(7);
    request.userAgent = "DEZI_HTTP";
    request.headers = {"Cache-Control: no-cache", "Pragma: no-cache"};
    request.connectTimeoutMs = limits.httpConnectTimeoutMs;
    request.totalTimeoutMs = limits.httpTotalTimeoutMs;
    request.maxBody = kStatusBodyCap;
    request.maxRedirects = kStatusRedirects;
    request.cancel = cancel;
    const platform::HttpResponse response = platform::HttpGet(request);
    if (!response.ok) {
        Log("Lobby http request error. \"%.1024s\"\n", response.error.c_str());
        return;
    }
    if (response.status < 200 || response.status > 299) {
        Log("Lobby http request status code error. (%ld)\n", response.status);
        return;
    }
    ParseStatusPage(response.body, maintenance, info);
}

CLobbyThread::CLobbyThread(const LobbyEndpoint& endpoint, const CPlayer& player,
                           std::unique_ptr<CPlayerPict> ownPicture)
    : endpoint_(endpoint), player_(player), state_(std::move(ownPicture)) {}

CLobbyThread::~CLobbyThread() {
    CloseSocket();
    Join();
}

void CLobbyThread::Start() {
    thread_ = std::thread([this] { Run(); });
}

void CLobbyThread::Join() {
    if (thread_.joinable()) thread_.join();
}

bool CLobbyThread::IsReady() {
    std::lock_guard<std::mutex> hold(lock_);
    return ready_;
}

bool CLobbyThread::IsConnected() {
    CLobbyConnection* connection;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!ready_) return false;
        connection = connection_.get();
    }
    return connection && connection->IsOpen();
}

int CLobbyThread::GetError() {
    std::lock_guard<std::mutex> hold(lock_);
    return error_;
}

std::string CLobbyThread::GetMaintenanceText() {
    std::lock_guard<std::mutex> hold(lock_);
    return maintenance_;
}

void CLobbyThread::CloseSocket() {
    cancel_.store(true, std::memory_order_release);
    std::lock_guard<std::mutex> hold(lock_);
    if (connection_) connection_->Close();
}

bool CLobbyThread::Send(const CLobbySendable& message) {
    CLobbyConnection* connection;
    {
        std::lock_guard<std::mutex> hold(lock_);
        connection = connection_.get();
    }
    return connection && connection->Send(message);
}

void CLobbyThread::Finish(int error) {
    if (connection_) connection_->Close();
    std::lock_guard<std::mutex> hold(lock_);
    if (error != kErrorNone) error_ = error;
    ready_ = true;
}

void CLobbyThread::Run() {
    Log("Lobby thread starting...\n");
    try {
        crypt_ = std::make_unique<CCrypt>(kCipherPassword, kSendIV, kRecvIV);
    } catch (const CCrypt::CInitException& e) {
        Log("Lobby thread create crypt failed. (%d)\n", e.code());
        Finish(kErrorCrypt);
        return;
    }
    {
        // Made before anything can block, so CloseSocket always finds it.
        std::lock_guard<std::mutex> hold(lock_);
        connection_ = std::make_unique<CLobbyConnection>(*crypt_);
        if (cancel_.load()) connection_->Close();
    }

    std::string maintenance, info;
    RequestStatus(endpoint_.url, endpoint_, &cancel_, &maintenance, &info);
    if (!maintenance.empty()) {
        {
            std::lock_guard<std::mutex> hold(lock_);
            maintenance_ = maintenance;
        }
        Finish(kErrorMaintenance);
        return;
    }
    if (!info.empty()) state_.SetInfoText(info);

    uint32_t address = 0;
    int error = 0;
    if (!platform::ResolveIPv4(endpoint_.host, &address, endpoint_.lookupTimeoutMs, &cancel_, &error)) {
        Log("Lobby thread gethostbyname failed. (%d)\n", error);
        Finish(kErrorLookup);
        return;
    }
    auto socket = platform::TcpSocket::Connect(address, static_cast<uint16_t>(endpoint_.port),
                                               endpoint_.connectTimeoutMs, &cancel_, &error);
    if (!socket) {
        Log("Lobby thread connect failed. (%d)\n", error);
        Finish(kErrorConnect);
        return;
    }
    if (!socket->SetSendBufferSize(static_cast<int>(2 * kSendBufferSize), &error)) {
        Log("Lobby thread set send buffer size failed. (%d)\n", error);
    }
    if (!socket->SetRecvBufferSize(static_cast<int>(2 * kRecvBufferSize), &error)) {
        Log("Lobby thread set recv buffer size failed. (%d)\n", error);
    }
    {
        std::lock_guard<std::mutex> hold(lock_);
        connection_->Attach(std::move(socket));
    }
    if (!Login()) return;
    ReceiveLoop();
}

bool CLobbyThread::Login() {
    const CSendableSTUP stup(player_, static_cast<uint16_t>(endpoint_.port), endpoint_.protocol, endpoint_.guid);
    if (!connection_->Send(stup)) {
        Log("Lobby thread first send failed.\n");
        Finish(kErrorReceive);
        return false;
    }
    return true;
}

void CLobbyThread::ReceiveLoop() {
    for (;;) {
        std::unique_ptr<CReceived> received;
        const int rc = connection_->Receive(&received);
        if (rc != kRecvOk) {
            Log("Lobby thread finishing...\n");
            Finish(rc);
            return;
        }
        if (!received) continue;
        state_.Dispatch(*received);
        if (received->kind != kKindSTUR) continue;

        const auto& stur = static_cast<const CReceivableSTUR&>(*received->message);
        if (stur.id == 0) {
            // Refused: the refusal is the visit's end, and nothing more is sent.
            Log("Lobby thread finishing...\n");
            Finish(LoginRefusalCode(stur.result));
            return;
        }
        auto own = std::make_unique<CPlayerPict>();
        state_.CopyOwnPicture(*own);
        if (stur.stamp != own->stamp) {
            if (!connection_->Send(CSendablePCUP(*own))) {
                Log("Lobby thread picture send failed.\n");
                Finish(kErrorReceive);
                return;
            }
        } else {
            state_.SetOwnPictureUploaded();
        }
        std::lock_guard<std::mutex> hold(lock_);
        ready_ = true;
    }
}

}  // namespace lobby
