// Crypto.h -- SHA-1 and single-DES CBC with PKCS#5 padding (over nettle).
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

constexpr size_t kSha1Size = 20;
constexpr size_t kDesBlock = 8;

// SHA-1 digest of `size` bytes.
void Sha1(const void* data, size_t size, uint8_t digest[kSha1Size]);

// A DES key schedule used for CBC chains that each start from a caller's IV.
// The schedule is read-only after construction, so one object may encipher and
// decipher on different threads at once.
class DesCbc {
public:
    explicit DesCbc(const uint8_t key[kDesBlock]);
    ~DesCbc();
    DesCbc(const DesCbc&) = delete;
    DesCbc& operator=(const DesCbc&) = delete;

    // Pads `size` bytes with PKCS#5 (1 to 8 bytes of the pad length) and
    // enciphers them from `in` into `out` (may equal `in`). Returns the
    // ciphertext length, or -1 when it would not fit into `outRoom` bytes.
    long Encrypt(const uint8_t iv[kDesBlock], const uint8_t* in, size_t size, uint8_t* out, size_t outRoom) const;

    // Deciphers `size` bytes from `in` into `out` (may equal `in`) and checks
    // and removes the PKCS#5 padding. Returns the plaintext length, or -1 when
    // the length is not a positive multiple of 8 or the padding is malformed.
    long Decrypt(const uint8_t iv[kDesBlock], const uint8_t* in, size_t size, uint8_t* out) const;

private:
    struct Schedule;
    std::unique_ptr<Schedule> schedule_;
};

}  // namespace platform
