// Crypto.cpp -- SHA-1 and DES-CBC over nettle.
#include "platform/crypto/Crypto.h"

#include <nettle/cbc.h>
#include <nettle/des.h>
#include <nettle/sha1.h>

#include <cstring>

namespace platform {

void Sha1(const void* data, size_t size, uint8_t digest[kSha1Size]) {
    sha1_ctx ctx;
    sha1_init(&ctx);
    sha1_update(&ctx, size, static_cast<const uint8_t*>(data));
    sha1_digest(&ctx, kSha1Size, digest);
}

struct DesCbc::Schedule {
    des_ctx ctx;
};

DesCbc::DesCbc(const uint8_t key[kDesBlock]) : schedule_(new Schedule) {
    // The result only flags weak keys; parity bits are ignored by DES itself.
    des_set_key(&schedule_->ctx, key);
}

DesCbc::~DesCbc() = default;

long DesCbc::Encrypt(const uint8_t iv[kDesBlock], const uint8_t* in, size_t size, uint8_t* out, size_t outRoom) const {
    const size_t pad = kDesBlock - size % kDesBlock;
    const size_t total = size + pad;
    if (total > outRoom) return -1;
    if (out != in) std::memmove(out, in, size);
    std::memset(out + size, static_cast<int>(pad), pad);
    uint8_t chain[kDesBlock];
    std::memcpy(chain, iv, kDesBlock);
    cbc_encrypt(&schedule_->ctx, reinterpret_cast<nettle_cipher_func*>(des_encrypt), kDesBlock, chain, total, out, out);
    return static_cast<long>(total);
}

long DesCbc::Decrypt(const uint8_t iv[kDesBlock], const uint8_t* in, size_t size, uint8_t* out) const {
    if (size == 0 || size % kDesBlock != 0) return -1;
    uint8_t chain[kDesBlock];
    std::memcpy(chain, iv, kDesBlock);
    cbc_decrypt(&schedule_->ctx, reinterpret_cast<nettle_cipher_func*>(des_decrypt), kDesBlock, chain, size, out, in);
    const uint8_t pad = out[size - 1];
    if (pad < 1 || pad > kDesBlock) return -1;
    for (size_t i = size - pad; i < size; ++i) {
        if (out[i] != pad) return -1;
    }
    return static_cast<long>(size - pad);
}

}  // namespace platform
