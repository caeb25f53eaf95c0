// LobbyConnection.cpp -- length-prefixed DES frames over the lobby socket.
#include "lobbyclient/LobbyConnection.h"

#include "lobbyclient/LobbyLog.h"

namespace lobby {

CLobbyConnection::CLobbyConnection(const CCrypt& crypt) : crypt_(crypt) {}

CLobbyConnection::~CLobbyConnection() = default;

void CLobbyConnection::Attach(std::unique_ptr<platform::StreamSocket> socket) {
    std::lock_guard<std::mutex> hold(socketLock_);
    socket_ = std::move(socket);
    // Closed before the socket arrived (a visit cancelled while connecting).
    if (closed_ && socket_) socket_->Shutdown();
}

bool CLobbyConnection::IsOpen() const {
    std::lock_guard<std::mutex> hold(socketLock_);
    return socket_ && !closed_;
}

void CLobbyConnection::Close() {
    std::lock_guard<std::mutex> hold(socketLock_);
    if (socket_ && !closed_) socket_->Shutdown();
    closed_ = true;
}

bool CLobbyConnection::Send(const CLobbySendable& message) {
    std::lock_guard<std::mutex> hold(sendLock_);
    if (!IsOpen()) return false;
    try {
        sendBuffer_.clear();
        sendBuffer_.putU32(0);
        sendBuffer_.put(message.Code(), 4);
        message.Write(sendBuffer_);
        sendBuffer_.flip();
        sendBuffer_.skip(4);
        sendBuffer_.mark();
        crypt_.Encrypt(sendBuffer_);
        sendBuffer_.flip();
        sendBuffer_.putU32At(0, sendBuffer_.limit() - 4);
    } catch (const CCrypt::CException&) {
        Log("Lobby send error occured by \"Encrypt Exception\".\n");
        Close();
        return false;
    } catch (const ByteBuffer::Exception&) {
        Log("Lobby send error occured by \"ByteBuffer Exception\".\n");
        Close();
        return false;
    }
    while (sendBuffer_.hasRemaining()) {
        const platform::StreamSocket::Result r = socket_->Send(sendBuffer_.current(), sendBuffer_.remaining());
        if (r.status != platform::StreamSocket::Status::kOk || r.bytes < 1) {
            Log("Lobby send error occured. (%d)\n", r.error);
            Close();
            return false;
        }
        sendBuffer_.skip(static_cast<uint32_t>(r.bytes));
    }
    return true;
}

int CLobbyConnection::RecvFailure(const platform::StreamSocket::Result& r, const char* errorLine) {
    if (r.status == platform::StreamSocket::Status::kAborted) {
        Log("Lobby socket closed by server.\n");
        return kRecvAborted;
    }
    // End of stream (error 0), a reset, or any other socket error.
    Log(errorLine, r.error);
    return kRecvError;
}

int CLobbyConnection::Receive(std::unique_ptr<CReceived>* out) {
    out->reset();
    if (!socket_) return kRecvError;
    if (!bodyPhase_) {
        const int rc = ReceiveLength();
        if (rc != kRecvOk || !bodyPhase_) return rc;
    }
    return ReceiveBody(out);
}

int CLobbyConnection::ReceiveLength() {
    const platform::StreamSocket::Result r = socket_->Recv(lengthBuffer_.current(), lengthBuffer_.remaining());
    if (r.status != platform::StreamSocket::Status::kOk || r.bytes < 1) {
        return RecvFailure(r, "Lobby recv size error occured. (%d)\n");
    }
    lengthBuffer_.skip(static_cast<uint32_t>(r.bytes));
    if (lengthBuffer_.hasRemaining()) return kRecvOk;
    lengthBuffer_.flip();
    const int32_t n = static_cast<int32_t>(lengthBuffer_.getU32());
    lengthBuffer_.clear();
    recvBuffer_.clear();
    // A zero length would wait for a body of nothing; refuse it like a bad one.
    if (n <= 0 || n > static_cast<int32_t>(kMaxFrameLength)) {
        Log("Lobby recv size overflow. (%d)\n", n);
        return kRecvError;
    }
    recvBuffer_.limit(n);
    bodyPhase_ = true;
    return kRecvOk;
}

int CLobbyConnection::ReceiveBody(std::unique_ptr<CReceived>* out) {
    const platform::StreamSocket::Result r = socket_->Recv(recvBuffer_.current(), recvBuffer_.remaining());
    if (r.status != platform::StreamSocket::Status::kOk || r.bytes < 1) {
        return RecvFailure(r, "Lobby recv msg error occured. (%d)\n");
    }
    recvBuffer_.skip(static_cast<uint32_t>(r.bytes));
    if (recvBuffer_.hasRemaining()) return kRecvOk;

    recvBuffer_.flip();
    recvBuffer_.mark();
    try {
        crypt_.Decrypt(recvBuffer_);
    } catch (const CCrypt::CException&) {
        Log("Lobby recv decrypt error.\n");
        return kRecvError;
    }
    recvBuffer_.flip();
    std::unique_ptr<CReceived> received;
    uint8_t code[4] = {};
    try {
        recvBuffer_.get(code, 4);
        received = CreateReceivable(code, recvBuffer_);
    } catch (const ByteBuffer::Exception&) {
        Log("Lobby recv msg error occured by \"ByteBuffer Exception\".\n");
        return kRecvError;
    }
    if (!received) {
        Log("Lobby recv unknown msg error.(%s)\n", CodeText(code).c_str());
        return kRecvError;
    }
    bodyPhase_ = false;
    *out = std::move(received);
    return kRecvOk;
}

}  // namespace lobby
