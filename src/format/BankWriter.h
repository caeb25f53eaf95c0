// Lays out and scrambles a bank file and its directory from member files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace zfmt {

// One member file of a bank. `path` is relative to the data folder with '\'
// separators, or empty for banks whose directory holds stems only.
struct BankMember {
    std::string path;
    std::string name;  // upper-case stem; derived from path when left empty
    Bytes bytes;
};

// One directory entry as the game's compiled-in table holds it.
struct BankEntry {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::string name;
    std::string path;
};

struct BuiltBank {
    Bytes file;                        // scrambled bank bytes
    std::vector<BankEntry> directory;  // in member order, contiguous from offset 0
    std::string error;                 // non-empty when the bank could not be built
};

// Lays the members end to end from offset 0 in the given order and scrambles
// the whole file with `key`. Fails on a bank of 4 GiB or more.
BuiltBank BuildBank(const std::vector<BankMember>& members, std::uint32_t key);

// Orders members by directory name (byte order), the order shipped banks use
// unless a table fixes another.
void SortMembersByName(std::vector<BankMember>& members);

// Checks a directory's invariants: contiguous from 0 and ending at fileSize,
// names non-empty, unique and equal to the stem of their path, and either
// every entry or none carrying a path. Returns the first problem, or "".
std::string CheckDirectory(const std::vector<BankEntry>& directory, std::uint64_t fileSize);

}  // namespace zfmt
