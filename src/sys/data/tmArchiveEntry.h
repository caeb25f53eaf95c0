// Compiled-in bank directory entry and bank record, the types the generated content tables use.
#pragma once

#include <cstdint>

// One member of a bank: where its bytes lie and the names it is found by.
struct tmArchiveEntry {
    std::uint32_t offset;  // byte offset of the member in the bank
    std::uint32_t size;    // byte size of the member
    const char* name;      // upper-case stem of the member's file name
    const char* path;      // path relative to the data folder, or null
};

// A bank file with its key and compiled-in directory (null for banks opened whole).
struct tmBankInfo {
    const char* fileName;  // such as "data\\bankRD01.dat"
    std::uint32_t key;
    const tmArchiveEntry* directory;
    std::uint32_t entryCount;
};
