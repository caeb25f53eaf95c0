// Crypt.h -- lobby::CCrypt, the DES connection cipher with one fixed IV per direction.
#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "lobbyclient/ByteBuffer.h"

namespace platform {
class DesCbc;
}

namespace lobby {

// Owns the DES key derived from a password (the first 8 bytes of its SHA-1)
// and the two IVs. Each message is its own CBC chain from its direction's IV,
// padded PKCS#5-style. Made by the worker for one connection.
class CCrypt {
public:
    class CException : public std::runtime_error {
    public:
        CException(const char* what, int code) : std::runtime_error(what), code_(code) {}
        int code() const { return code_; }

    private:
        int code_;
    };
    class CInitException : public CException {
    public:
        using CException::CException;
    };
    class CEncryptException : public CException {
    public:
        using CException::CException;
    };
    class CDecryptException : public CException {
    public:
        using CException::CException;
    };

    CCrypt(const char* password, const uint8_t sendIV[8], const uint8_t recvIV[8]);
    ~CCrypt();
    CCrypt(const CCrypt&) = delete;
    CCrypt& operator=(const CCrypt&) = delete;

    // Enciphers the bytes from the mark to the limit in place; afterwards the
    // limit is the capacity and the position ends the ciphertext.
    void Encrypt(ByteBuffer& buffer) const;
    // Deciphers the bytes from the mark to the limit in place and strips the
    // padding; afterwards the limit is the capacity and the position ends the
    // plaintext.
    void Decrypt(ByteBuffer& buffer) const;

private:
    std::unique_ptr<platform::DesCbc> des_;
    uint8_t sendIV_[8];
    uint8_t recvIV_[8];
};

}  // namespace lobby
