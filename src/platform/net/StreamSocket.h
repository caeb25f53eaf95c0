// StreamSocket.h -- the byte-stream interface a lobby connection reads and writes.
#pragma once
#include <cstddef>

namespace platform {

// One connected byte stream. TcpSocket is the real one; tests and fuzzers feed
// scripted bytes through their own implementations.
class StreamSocket {
public:
    enum class Status {
        kOk,       // `bytes` were moved (at least one)
        kClosed,   // the peer ended the stream (error 0) or reset it (ECONNRESET, EPIPE)
        kAborted,  // the connection was aborted (ECONNABORTED)
        kError,    // any other failure; `error` holds the system error number
    };
    struct Result {
        Status status;
        long bytes;
        int error;
    };

    virtual ~StreamSocket() = default;
    // One send call of at most `size` bytes; never raises SIGPIPE.
    virtual Result Send(const void* data, size_t size) = 0;
    // One blocking receive of at most `size` bytes.
    virtual Result Recv(void* data, size_t size) = 0;
    // Ends both directions; a Recv blocked on another thread returns at once.
    // Safe to call from any thread and more than once.
    virtual void Shutdown() = 0;
};

}  // namespace platform
