// Crypt.cpp -- key derivation and per-message DES-CBC over the platform cipher.
#include "lobbyclient/Crypt.h"

#include <cstring>

#include "platform/crypto/Crypto.h"

namespace lobby {
namespace {

// The error code carried by cipher failures (bad data).
constexpr int kBadData = static_cast<int>(0x80090005u);

}  // namespace

CCrypt::CCrypt(const char* password, const uint8_t sendIV[8], const uint8_t recvIV[8]) {
    if (!password) throw CInitException("no password", kBadData);
    uint8_t digest[platform::kSha1Size];
    platform::Sha1(password, std::strlen(password), digest);
    des_ = std::make_unique<platform::DesCbc>(digest);
    std::memcpy(sendIV_, sendIV, 8);
    std::memcpy(recvIV_, recvIV, 8);
}

CCrypt::~CCrypt() = default;

void CCrypt::Encrypt(ByteBuffer& buffer) const {
    buffer.reset();
    const uint32_t start = buffer.position();
    const long k =
        des_->Encrypt(sendIV_, buffer.current(), buffer.remaining(), buffer.current(), buffer.capacity() - start);
    if (k < 0) throw CEncryptException("ciphertext does not fit", kBadData);
    buffer.limit(buffer.capacity());
    buffer.skip(static_cast<uint32_t>(k));
}

void CCrypt::Decrypt(ByteBuffer& buffer) const {
    buffer.reset();
    const long p = des_->Decrypt(recvIV_, buffer.current(), buffer.remaining(), buffer.current());
    if (p < 0) throw CDecryptException("bad ciphertext or padding", kBadData);
    buffer.limit(buffer.capacity());
    buffer.skip(static_cast<uint32_t>(p));
}

}  // namespace lobby
