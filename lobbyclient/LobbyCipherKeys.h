// LobbyCipherKeys.h -- the connection cipher's password and the two fixed IVs.
// Shared by the library and any server that speaks to it.
#pragma once
#include <cstdint>

namespace lobby {

// Hashed with SHA-1 (the 8 characters, no terminator); the first 8 bytes of
// the digest are the DES key.
constexpr char kCipherPassword[] = "Jd5wKp8R";

// Every client-to-server frame is a CBC chain starting from this IV.
constexpr uint8_t kSendIV[8] = {0x5A, 0x61, 0x72, 0x56, 0x6F, 0x4C, 0x62, 0x79};
// Every server-to-client frame is a CBC chain starting from this IV.
constexpr uint8_t kRecvIV[8] = {0x3C, 0x91, 0x0E, 0xD7, 0x48, 0xA5, 0x26, 0xF3};

}  // namespace lobby
