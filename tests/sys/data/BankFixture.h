// Builds small scrambled banks in a temporary folder for the reader tests.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "format/BankCodec.h"
#include "format/BankWriter.h"
#include "platform/fs/FileSystem.h"
#include "sys/data/tmArchiveEntry.h"

// A bank file written from members, with a compiled-in style directory
// whose texts this object keeps alive.
class TestBank {
public:
    TestBank(const std::string& fileName, const std::vector<zfmt::BankMember>& members, std::uint32_t key,
             bool withPaths) {
        zfmt::BuiltBank built = zfmt::BuildBank(members, key);
        path_ = dir_.Join(fileName);
        platform::WriteFileAtomic(path_, built.file.data(), built.file.size());
        for (const zfmt::BankEntry& e : built.directory) {
            texts_.push_back(e.name);
            const char* name = texts_.back().c_str();
            const char* p = nullptr;
            if (withPaths) {
                texts_.push_back(e.path);
                p = texts_.back().c_str();
            }
            entries_.push_back({e.offset, e.size, name, p});
        }
        info_ = {path_.c_str(), key, entries_.data(), static_cast<std::uint32_t>(entries_.size())};
    }

    const tmBankInfo& Info() const { return info_; }
    const std::string& Path() const { return path_; }
    std::vector<tmArchiveEntry>& Entries() { return entries_; }

    // Replaces the file's bytes without touching the directory.
    void Rewrite(const zfmt::Bytes& bytes) { platform::WriteFileAtomic(path_, bytes.data(), bytes.size()); }

private:
    platform::TempDirectory dir_;
    std::string path_;
    std::list<std::string> texts_;
    std::vector<tmArchiveEntry> entries_;
    tmBankInfo info_{};
};

inline zfmt::BankMember Member(const std::string& path, const std::string& bytes) {
    zfmt::BankMember m;
    m.path = path;
    m.name = zfmt::BankStem(path);
    m.bytes.assign(bytes.begin(), bytes.end());
    return m;
}
