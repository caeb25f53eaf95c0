// Reads members of a bank archive.
#include "sys/data/tmArchiver.h"

#include <cstring>

#include "format/BankCodec.h"
#include "platform/fs/FileSystem.h"
#include "sys/base/tmFile.h"

tmArchiver::tmArchiver() = default;

tmArchiver::~tmArchiver() { Close(); }

bool tmArchiver::Open(const char* fileName, std::uint32_t key, const tmArchiveEntry* directory,
                      std::uint32_t entryCount) {
    if (isOpen_ || !fileName) return false;
    std::unique_ptr<platform::File> file = platform::File::Open(fileName, platform::File::Mode::Read);
    if (!file) return false;
    std::int64_t size = file->Size();
    // Directory offsets and sizes are 32-bit: a larger file cannot be a bank.
    if (size < 0 || size > std::int64_t(0xFFFFFFFFu)) return false;
    handle_ = std::move(file);
    fileName_ = fileName;
    fileSize_ = static_cast<std::uint32_t>(size);
    key_ = key;
    directory_ = directory;
    entryCount_ = directory ? entryCount : 1;
    isOpen_ = true;
    return true;
}

bool tmArchiver::OpenWhole(const char* fileName, std::uint32_t key) { return Open(fileName, key, nullptr, 1); }

void tmArchiver::Close() {
    handle_.reset();
    std::string().swap(buffer_);
    isOpen_ = false;
    fileName_ = nullptr;
    fileSize_ = 0;
    key_ = 0;
    directory_ = nullptr;
    entryCount_ = 0;
}

const tmArchiveEntry* tmArchiver::FindEntry(const char* name) const {
    if (!name || !directory_ || entryCount_ == 0) return nullptr;
    std::string key = name;
    if (directory_[0].path) {
        key = zfmt::BankPathKey(key);
        for (std::uint32_t i = 0; i < entryCount_; ++i)
            if (directory_[i].path && key == directory_[i].path) return &directory_[i];
    }
    std::string stem = zfmt::BankStem(key);
    for (std::uint32_t i = 0; i < entryCount_; ++i)
        if (directory_[i].name && stem == directory_[i].name) return &directory_[i];
    return nullptr;
}

bool tmArchiver::ReadEntry(const tmArchiveEntry& entry, std::string* out) {
    out->clear();
    if (!isOpen_) return false;
    // The range is cut at the end of the file; only the bytes actually read
    // are unscrambled.
    if (tmFileReadRange(out, handle_.get(), entry.offset, entry.size) == kReadRangeNothing) {
        out->clear();
        return false;
    }
    if (out->size() > entry.size) out->resize(entry.size);
    Unscramble(key_, &(*out)[0], entry.offset, static_cast<std::uint32_t>(out->size()), fileSize_);
    return true;
}

const char* tmArchiver::Read(const char* name) {
    const tmArchiveEntry* entry = FindEntry(name);
    if (!entry) return nullptr;
    std::string().swap(buffer_);
    if (!ReadEntry(*entry, &buffer_)) return nullptr;
    return buffer_.data();
}

const char* tmArchiver::ReadAt(std::uint32_t index) {
    if (!isOpen_) return nullptr;
    if (directory_) {
        if (index >= entryCount_) return nullptr;
        std::string().swap(buffer_);
        return ReadEntry(directory_[index], &buffer_) ? buffer_.data() : nullptr;
    }
    if (index != 0) return nullptr;
    std::string().swap(buffer_);
    if (!handle_->Seek(0) || !tmFileReadAll(&buffer_, handle_.get())) {
        buffer_.clear();
        return nullptr;
    }
    zfmt::ScrambleWords(key_, reinterpret_cast<std::uint8_t*>(&buffer_[0]), buffer_.size());
    return buffer_.data();
}

bool tmArchiver::ReadInto(const char* name, std::string* out) {
    if (!out) return false;
    const tmArchiveEntry* entry = FindEntry(name);
    if (!entry) {
        out->clear();
        return false;
    }
    return ReadEntry(*entry, out);
}

std::uint32_t tmArchiver::GetSize(const char* name) const {
    const tmArchiveEntry* entry = FindEntry(name);
    return entry ? entry->size : 0;
}

bool tmArchiver::Unscramble(std::uint32_t key, char* bytes, std::uint32_t offset, std::uint32_t size,
                            std::uint32_t fileSize) {
    if (size < 1 || !bytes) return false;
    return zfmt::UnscrambleMember(key, reinterpret_cast<std::uint8_t*>(bytes), size, offset, fileSize);
}
