// Connection cipher: key derivation, the known frames, padding checks, room checks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lobbyclient/Crypt.h"
#include "lobbyclient/LobbyCipherKeys.h"
#include "platform/crypto/Crypto.h"

namespace {

using lobby::ByteBuffer;
using lobby::CCrypt;

std::string Hex(const uint8_t* p, size_t n) {
    static const char* d = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += d[p[i] >> 4];
        s += d[p[i] & 15];
    }
    return s;
}

const uint8_t kCountingIV[8] = {0, 1, 2, 3, 4, 5, 6, 7};

// Enciphers `text` the way a send does: plaintext from the mark to the limit.
std::string EncipherHex(const CCrypt& crypt, const char* text) {
    ByteBuffer b(64);
    b.put(text, static_cast<uint32_t>(std::strlen(text)));
    b.flip();
    b.mark();
    crypt.Encrypt(b);
    return Hex(b.data(), b.position());
}

TEST(CCrypt, KeyIsTheStartOfTheSha1OfThePassword) {
    uint8_t digest[20];
    platform::Sha1(lobby::kCipherPassword, 8, digest);
    EXPECT_EQ(Hex(digest, 20), "fdae95608e75a33717b70b64cfae08fd683db2c9");
}

TEST(CCrypt, ProducesTheKnownCiphertexts) {
    const CCrypt crypt(lobby::kCipherPassword, kCountingIV, kCountingIV);
    EXPECT_EQ(EncipherHex(crypt, "RMCN"), "fe9c6a732e1d03b9");
    // A whole block of plaintext gets a whole block of padding.
    EXPECT_EQ(EncipherHex(crypt, "RMSTxxxx"), "911d3a851c23068d5d4057ca054114b4");
    // The IV is reset for every message: the same text, the same ciphertext.
    EXPECT_EQ(EncipherHex(crypt, "RMCN"), "fe9c6a732e1d03b9");
}

TEST(CCrypt, RoundTripsEveryLengthAndChecksPadding) {
    const CCrypt crypt(lobby::kCipherPassword, lobby::kSendIV, lobby::kSendIV);
    for (uint32_t len = 0; len <= 17; ++len) {
        ByteBuffer b(64);
        for (uint32_t i = 0; i < len; ++i) b.putU8(static_cast<uint8_t>(i * 7));
        b.flip();
        b.mark();
        crypt.Encrypt(b);
        EXPECT_EQ(b.position(), 8 * (len / 8 + 1)) << len;
        b.flip();
        b.mark();
        crypt.Decrypt(b);
        ASSERT_EQ(b.position(), len);
        for (uint32_t i = 0; i < len; ++i) EXPECT_EQ(b.data()[i], static_cast<uint8_t>(i * 7));
    }

    // In CBC, flipping a bit of the first ciphertext block flips the same bit
    // of the second plaintext block: make the pad byte 0, 9, or 3 (whose
    // other pad bytes are then wrong). Each is refused.
    for (const uint8_t flip : {0x01, 0x08, 0x02}) {
        ByteBuffer b(32);
        b.put("ABCDEFGHIJKLMNO", 15);  // one pad byte of 1
        b.flip();
        b.mark();
        crypt.Encrypt(b);
        ASSERT_EQ(b.position(), 16u);
        b.data()[7] ^= flip;
        b.flip();
        b.mark();
        EXPECT_THROW(crypt.Decrypt(b), CCrypt::CDecryptException) << int(flip);
    }
    ByteBuffer odd(16);
    odd.put("1234567890", 10);
    odd.flip();
    odd.mark();
    EXPECT_THROW(crypt.Decrypt(odd), CCrypt::CDecryptException);
    ByteBuffer empty(16);
    empty.flip();
    empty.mark();
    EXPECT_THROW(crypt.Decrypt(empty), CCrypt::CDecryptException);
}

TEST(CCrypt, RefusesCiphertextThatDoesNotFit) {
    const CCrypt crypt(lobby::kCipherPassword, lobby::kSendIV, lobby::kRecvIV);
    ByteBuffer b(16);
    b.put("0123456789abcdef", 16);  // needs 24 bytes of room
    b.flip();
    b.mark();
    EXPECT_THROW(crypt.Encrypt(b), CCrypt::CEncryptException);
}

}  // namespace
