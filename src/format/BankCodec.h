// Bank scrambling and member naming, shared by the bank writer and the game's reader.
//
// A bank is its members laid end to end. Every complete 32-bit word of the file,
// counted from offset 0, is XORed with the bank's key (key byte 0 on offsets
// divisible by 4); the last (size mod 4) bytes of the file stay plain.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zfmt {

// XORs every complete little-endian word of `data` with `key`; trailing 1 to 3
// bytes stay as they are. False (nothing changed) when size is 0.
bool ScrambleWords(std::uint32_t key, std::uint8_t* data, std::size_t size);

// The key as seen from a byte at `offset`: rotated right so that its low byte
// is the key byte that falls on that offset.
std::uint32_t KeyAtOffset(std::uint32_t key, std::uint64_t offset);

// Unscrambles (or scrambles: XOR is its own inverse) one member's bytes in place.
// `data` holds `dataSize` bytes that were read from file offset `offset` of a
// bank of `fileSize` bytes. Only bytes inside the file's scrambled part
// (below fileSize rounded down to a multiple of 4) are touched, so a member
// that ends in the plain tail, or a short read clipped at the end of the file,
// is handled without touching anything past the data. False when dataSize is 0.
bool UnscrambleMember(std::uint32_t key, std::uint8_t* data, std::size_t dataSize, std::uint64_t offset,
                      std::uint64_t fileSize);

// The directory name a lookup text resolves to: its last path component
// (split at '/' when the text holds one, else at '\'), cut before the first
// '.', with 'a'..'z' upper-cased. "data/Config/ExtDB_Machine.txt" gives
// "EXTDB_MACHINE".
std::string BankStem(const std::string& name);

// Length of the ".\data\" prefix that path lookups drop from a model name.
constexpr std::size_t kDataPrefixLength = 7;

// The text a path lookup compares: `name` without its first 7 characters, or
// unchanged when it has 7 characters or fewer.
std::string BankPathKey(const std::string& name);

}  // namespace zfmt
