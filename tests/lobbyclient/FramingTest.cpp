// Frames over real TCP against the test server: splits, batches, bad lengths,
// bad codes and ciphertext, peer closes, and closing from another thread; and
// over a scripted socket, which of the socket's failures is result 4 and which 5.
#include <gtest/gtest.h>

#include <atomic>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "lobbyclient/LobbyCipherKeys.h"
#include "lobbyclient/LobbyConnection.h"
#include "lobbyclient/LobbyLog.h"
#include "lobbyclient/TestDir.h"
#include "lobbyclient/TestLobbyServer.h"
#include "platform/net/TcpSocket.h"

namespace {

using namespace lobbytest;

class Framing : public ::testing::Test {
protected:
    void SetUp() override {
        uint32_t address = 0;
        int error = 0;
        ASSERT_TRUE(platform::ResolveIPv4("127.0.0.1", &address, 1000, nullptr, &error));
        auto sock = platform::TcpSocket::Connect(address, server.Port(), 2000, nullptr, &error);
        ASSERT_TRUE(sock) << error;
        conn.Attach(std::move(sock));
        ASSERT_TRUE(server.Accept());
    }

    // Calls Receive until a message or a failure; counts the calls.
    int ReceiveOne(std::unique_ptr<lobby::CReceived>* out, int* calls = nullptr) {
        for (int n = 1;; ++n) {
            const int rc = conn.Receive(out);
            if (rc != lobby::kRecvOk || *out) {
                if (calls) *calls = n;
                return rc;
            }
        }
    }

    uint32_t FnshId(const std::unique_ptr<lobby::CReceived>& r) {
        return static_cast<lobby::CReceivableFNSH*>(r->message.get())->id;
    }

    TestLobbyServer server;
    lobby::CCrypt crypt{lobby::kCipherPassword, lobby::kSendIV, lobby::kRecvIV};
    lobby::CLobbyConnection conn{crypt};
};

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

TEST_F(Framing, FrameCutIntoPiecesGivesExactlyOneMessage) {
    const Bytes frame = Frame(EncFNSH(11));
    const Bytes next = Frame(EncFNSH(12));
    std::atomic<bool> whole{false};
    std::thread sender([&] {
        size_t at = 0;
        for (size_t piece : {2u, 2u, 3u, 100u}) {  // the length field arrives in two parts
            const size_t n = std::min(piece, frame.size() - at);
            if (at + n == frame.size()) whole = true;
            server.SendRaw(Bytes(frame.begin() + long(at), frame.begin() + long(at + n)));
            at += n;
            Pause();
        }
        server.SendRaw(next);
    });
    std::unique_ptr<lobby::CReceived> msg;
    ASSERT_EQ(ReceiveOne(&msg), lobby::kRecvOk);
    EXPECT_TRUE(whole) << "a message before the frame's last piece was sent";
    ASSERT_TRUE(msg);
    EXPECT_EQ(msg->kind, lobby::kKindFNSH);
    EXPECT_EQ(FnshId(msg), 11u);
    ASSERT_EQ(ReceiveOne(&msg), lobby::kRecvOk);
    EXPECT_EQ(FnshId(msg), 12u);
    sender.join();
}

TEST_F(Framing, BatchOfFramesInOneSegmentGivesEachInTurn) {
    Bytes batch;
    const Bytes all[] = {EncSTUR(1, 0, 2),
                         EncSTUP(PlayerInfo{}, 0),
                         EncUPDT(PlayerInfo{}),
                         EncFNSH(4),
                         EncSAID({ChatLine{}}),
                         EncBTST(1, {}, 1),
                         EncBTSR(0, {}, 1),
                         EncBTTL(1, 0, false, 0, "", ""),
                         EncRMRP(0),
                         EncRMST(1, {}, 2),
                         EncRMTC(RoomInfo{}),
                         EncRMTD(1),
                         EncRMTL(RoomInfo{}, 1, 2),
                         EncPCUP(1, 2),
                         EncPCUR(0),
                         EncPCDT(1, Bytes(19456, 7), 3)};
    for (const Bytes& m : all) {
        const Bytes f = Frame(m);
        batch.insert(batch.end(), f.begin(), f.end());
    }
    server.SendRaw(batch);
    for (int kind = 0; kind < lobby::kReceivableKinds; ++kind) {
        std::unique_ptr<lobby::CReceived> msg;
        ASSERT_EQ(ReceiveOne(&msg), lobby::kRecvOk) << kind;
        EXPECT_EQ(msg->kind, kind);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(msg->code), 4), lobby::ReceivableCode(kind));
    }
}

TEST_F(Framing, OversizedLengthEndsTheConnection) {
    server.SendRaw(WireWriter().U32(20481).bytes());
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_FALSE(msg);
    EXPECT_TRUE(LogHas("] Lobby recv size overflow. (20481)\n"));
}

TEST_F(Framing, NegativeLengthEndsTheConnection) {
    server.SendRaw(WireWriter().U32(0xFFFFFFFFu).bytes());
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv size overflow. (-1)\n"));
}

TEST_F(Framing, ZeroLengthEndsTheConnectionAtOnce) {
    // Followed by a good frame that must not be read as this one's body.
    Bytes raw = WireWriter().U32(0).bytes();
    const Bytes good = Frame(EncFNSH(1));
    raw.insert(raw.end(), good.begin(), good.end());
    server.SendRaw(raw);
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_FALSE(msg);
    EXPECT_TRUE(LogHas("Lobby recv size overflow. (0)\n"));
}

TEST_F(Framing, UnknownCodeBadPaddingAndShortMessagesEndTheConnection) {
    server.Send(WireWriter("ABCD").U32(1).bytes());
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv unknown msg error.(ABCD)\n"));

    // A control byte in the code is logged as four printable characters.
    const uint8_t odd[4] = {'A', 0, '\n', 'D'};
    EXPECT_EQ(lobby::CodeText(odd), "A??D");
}

TEST_F(Framing, UndecipherableFrameEndsTheConnection) {
    Bytes frame = Frame(WireWriter("FNSH").U32(1).U32(0).U32(0).bytes());  // 16 bytes of plaintext
    // Flipping a bit of the second ciphertext block flips the same bit of the
    // third plaintext block: its last pad byte becomes 8 ^ 8 = 0.
    frame[4 + 8 + 7] ^= 0x08;
    server.SendRaw(frame);
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv decrypt error.\n"));
}

TEST_F(Framing, MessageShorterThanItsFieldsEndsTheConnection) {
    server.Send(WireWriter("STUR").U32(1).U8(0).bytes());  // the stamp is missing
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv msg error occured by \"ByteBuffer Exception\".\n"));
}

TEST_F(Framing, ServerEndingTheStreamIsAReceiveError) {
    server.CloseClient();
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv size error occured. (0)\n"));
}

TEST_F(Framing, ServerResettingInTheMiddleOfAFrameIsAReceiveError) {
    const Bytes frame = Frame(EncFNSH(1));
    server.SendRaw(Bytes(frame.begin(), frame.begin() + 6));
    Pause();
    server.ResetClient();
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    EXPECT_TRUE(LogHas("error occured. (" + std::to_string(ECONNRESET) + ")\n"));
}

TEST_F(Framing, CloseFromAnotherThreadWakesABlockedReceive) {
    std::thread closer([&] {
        Pause();
        conn.Close();
    });
    std::unique_ptr<lobby::CReceived> msg;
    EXPECT_EQ(ReceiveOne(&msg), lobby::kRecvError);
    closer.join();
    EXPECT_FALSE(conn.IsOpen());
    EXPECT_FALSE(conn.Send(lobby::CSendableRMCN()));
}

TEST_F(Framing, SendsReachTheServerAndFailCleanlyOnAClosedPeer) {
    ASSERT_TRUE(conn.Send(lobby::CSendableRMCN()));
    ASSERT_TRUE(conn.Send(lobby::CSendableSAID(3, 1, "hi")));
    ClientMsg m;
    ASSERT_TRUE(server.ReadMessage(&m));
    EXPECT_EQ(m.code, "RMCN");
    EXPECT_TRUE(m.body.empty());
    ASSERT_TRUE(server.ReadMessage(&m));
    EXPECT_EQ(DecodeSAID(m).text, "hi");

    // A peer that has gone: no SIGPIPE, the send fails and closes the connection.
    server.ResetClient();
    Pause();
    bool sent = true;
    for (int i = 0; i < 50 && sent; ++i) sent = conn.Send(lobby::CSendableRMCN());
    EXPECT_FALSE(sent);
    EXPECT_FALSE(conn.IsOpen());
    EXPECT_TRUE(LogHas("Lobby send error occured. ("));
}

// A socket that replays scripted receive steps, one per call, then ends the stream.
struct RecvStep {
    platform::StreamSocket::Status status;
    Bytes bytes;
    int error;
};
class ScriptedSocket : public platform::StreamSocket {
public:
    explicit ScriptedSocket(std::vector<RecvStep> steps) : steps_(std::move(steps)) {}
    Result Send(const void*, size_t size) override { return {Status::kOk, static_cast<long>(size), 0}; }
    Result Recv(void* data, size_t size) override {
        if (next_ >= steps_.size()) return {Status::kClosed, 0, 0};
        const RecvStep& step = steps_[next_++];
        const size_t n = std::min(size, step.bytes.size());
        if (n) std::memcpy(data, step.bytes.data(), n);
        return {step.status, static_cast<long>(n), step.error};
    }
    void Shutdown() override {}

private:
    std::vector<RecvStep> steps_;
    size_t next_ = 0;
};

// Runs Receive on a connection over the scripted socket until it fails.
int ReceiveScripted(std::vector<RecvStep> steps) {
    const lobby::CCrypt crypt{lobby::kCipherPassword, lobby::kSendIV, lobby::kRecvIV};
    lobby::CLobbyConnection conn(crypt);
    conn.Attach(std::make_unique<ScriptedSocket>(std::move(steps)));
    std::unique_ptr<lobby::CReceived> msg;
    int rc = lobby::kRecvOk;
    for (int i = 0; i < 10 && rc == lobby::kRecvOk; ++i) rc = conn.Receive(&msg);
    return rc;
}

TEST(FramingFaults, OnlyAnAbortedConnectionIsResultFive) {
    using S = platform::StreamSocket::Status;
    const Bytes length16{16, 0, 0, 0};
    // Aborted while a length is awaited, and while a body is.
    EXPECT_EQ(ReceiveScripted({{S::kAborted, {}, ECONNABORTED}}), lobby::kRecvAborted);
    EXPECT_EQ(ReceiveScripted({{S::kOk, length16, 0}, {S::kOk, Bytes(3, 1), 0}, {S::kAborted, {}, ECONNABORTED}}),
              lobby::kRecvAborted);
    EXPECT_TRUE(LogHas("Lobby socket closed by server.\n"));
    // The stream ended or reset in the middle of a body, or any other socket error.
    EXPECT_EQ(ReceiveScripted({{S::kOk, length16, 0}, {S::kClosed, {}, 0}}), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv msg error occured. (0)\n"));
    EXPECT_EQ(ReceiveScripted({{S::kOk, length16, 0}, {S::kClosed, {}, ECONNRESET}}), lobby::kRecvError);
    EXPECT_EQ(ReceiveScripted({{S::kError, {}, EIO}}), lobby::kRecvError);
    EXPECT_TRUE(LogHas("Lobby recv size error occured. (" + std::to_string(EIO) + ")\n"));
}

// A message whose fields do not fit the send buffer.
class HugeSendable : public lobby::CLobbySendable {
public:
    HugeSendable(uint32_t n) : CLobbySendable("HUGE"), n_(n) {}
    void Write(lobby::ByteBuffer& b) const override { b.skip(n_); }

private:
    uint32_t n_;
};

TEST_F(Framing, OversizedOutgoingMessagesAreRefused) {
    // 20476 bytes of plaintext would pad to 20480: it fits exactly.
    ASSERT_TRUE(conn.Send(HugeSendable(20476 - 4)));
    ClientMsg m;
    ASSERT_TRUE(server.ReadMessage(&m));
    EXPECT_EQ(m.body.size(), 20472u);
    // One more byte pads past the 20480 bytes the receiver accepts.
    EXPECT_FALSE(conn.Send(HugeSendable(20480 - 4)));
    EXPECT_TRUE(LogHas("Lobby send error occured by \"Encrypt Exception\".\n"));
    lobby::CLobbyConnection again(crypt);
    EXPECT_FALSE(again.Send(lobby::CSendableRMCN()));  // never attached
}

TEST_F(Framing, OverfullSendBufferIsAByteBufferFailure) {
    EXPECT_FALSE(conn.Send(HugeSendable(20484)));
    EXPECT_TRUE(LogHas("Lobby send error occured by \"ByteBuffer Exception\".\n"));
}

}  // namespace
