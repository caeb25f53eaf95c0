// Reads members of a bank archive: finds them in a compiled-in directory and unscrambles them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "sys/data/tmArchiveEntry.h"

namespace platform {
class File;
}

// One open bank. Made by each user for one operation (a group load, a shader
// load, a table load) and deleted afterwards; knows nothing of what the
// members hold. The file name and directory are the caller's and must
// outlive the open bank. Bytes returned by Read/ReadAt stay valid until the
// next Read, ReadAt or Close of the same reader.
class tmArchiver {
public:
    tmArchiver();
    ~tmArchiver();
    tmArchiver(const tmArchiver&) = delete;
    tmArchiver& operator=(const tmArchiver&) = delete;

    // False when already open, or when the file cannot be opened or sized.
    bool Open(const char* fileName, std::uint32_t key, const tmArchiveEntry* directory, std::uint32_t entryCount);
    bool Open(const tmBankInfo& bank) { return Open(bank.fileName, bank.key, bank.directory, bank.entryCount); }
    // The whole file is the one member (read with ReadAt(0)).
    bool OpenWhole(const char* fileName, std::uint32_t key);
    void Close();
    bool IsOpen() const { return isOpen_; }

    // Looks a name up by path (when the directory has paths; the name's first
    // 7 characters, ".\data\", are dropped) and then by upper-case stem.
    const tmArchiveEntry* FindEntry(const char* name) const;
    // The member's unscrambled bytes, or null. GetReadSize gives their count,
    // which is below the entry's size when the bank file is shorter than the
    // directory says.
    const char* Read(const char* name);
    const char* ReadAt(std::uint32_t index);
    std::uint32_t GetReadSize() const { return static_cast<std::uint32_t>(buffer_.size()); }
    // Reads the member into *out (emptied first); false when absent or unreadable.
    bool ReadInto(const char* name, std::string* out);
    // The entry's size, 0 when there is no such member.
    std::uint32_t GetSize(const char* name) const;
    std::uint32_t GetFileSize() const { return fileSize_; }

    // Unscrambles `size` bytes that were read from `offset` of a bank of
    // `fileSize` bytes; `size` is the count actually held in `bytes`, so
    // nothing past them is touched. False when size is 0.
    static bool Unscramble(std::uint32_t key, char* bytes, std::uint32_t offset, std::uint32_t size,
                           std::uint32_t fileSize);

private:
    bool ReadEntry(const tmArchiveEntry& entry, std::string* out);

    const char* fileName_ = nullptr;
    std::string buffer_;
    bool isOpen_ = false;
    std::unique_ptr<platform::File> handle_;
    std::uint32_t fileSize_ = 0;
    std::uint32_t key_ = 0;
    const tmArchiveEntry* directory_ = nullptr;
    std::uint32_t entryCount_ = 0;
};
