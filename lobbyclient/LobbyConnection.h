// LobbyConnection.h -- framing, ciphering, sending and two-phase receiving on one lobby socket.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>

#include "lobbyclient/ByteBuffer.h"
#include "lobbyclient/Crypt.h"
#include "lobbyclient/LobbyReceivables.h"
#include "lobbyclient/LobbySendables.h"
#include "platform/net/StreamSocket.h"

namespace lobby {

constexpr uint32_t kSendBufferSize = 20484;
constexpr uint32_t kRecvBufferSize = 20480;
constexpr uint32_t kMaxFrameLength = 20480;

// Receive results (the worker turns them into its error code). A stream the
// server ended or reset is a receive error; only an aborted connection is 5.
enum ReceiveResult { kRecvOk = 0, kRecvError = 4, kRecvAborted = 5 };

// The frame layer of one lobby visit, owned by the worker. Holds the socket,
// the three buffers and the receive phase. Send may be called from the game's
// thread and the worker at once (one send lock); Receive runs only on the
// worker; Close may come from any thread and wakes a blocked Receive. The
// socket object itself lives until the connection is destroyed, so a receive
// in progress never sees a freed or reused descriptor.
class CLobbyConnection {
public:
    explicit CLobbyConnection(const CCrypt& crypt);
    ~CLobbyConnection();
    CLobbyConnection(const CLobbyConnection&) = delete;
    CLobbyConnection& operator=(const CLobbyConnection&) = delete;

    // Takes the connected socket; called once before the first Send/Receive.
    // A connection closed before that stays closed.
    void Attach(std::unique_ptr<platform::StreamSocket> socket);
    bool IsOpen() const;
    // Shuts the socket down (both directions); later sends fail.
    void Close();

    // Frames, enciphers and writes one message; false (and the connection
    // closed) when any step fails.
    bool Send(const CLobbySendable& message);

    // Reads what is available of one frame. Returns kRecvOk with `*out` set
    // once a frame is complete (or left empty while it is not), else the
    // error result; errors are logged.
    int Receive(std::unique_ptr<CReceived>* out);

private:
    int ReceiveLength();
    int ReceiveBody(std::unique_ptr<CReceived>* out);
    int RecvFailure(const platform::StreamSocket::Result& r, const char* errorLine);

    const CCrypt& crypt_;
    mutable std::mutex socketLock_;  // socket_ attach and the closed flag
    std::mutex sendLock_;            // one whole send at a time
    std::unique_ptr<platform::StreamSocket> socket_;
    bool closed_ = false;

    ByteBuffer lengthBuffer_{4};
    ByteBuffer recvBuffer_{kRecvBufferSize};
    ByteBuffer sendBuffer_{kSendBufferSize};
    bool bodyPhase_ = false;
};

}  // namespace lobby
