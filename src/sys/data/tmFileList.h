// tmFileList.h -- a listing of one directory's entries, filtered by name.
#pragma once
#include <cstdint>

#include "sys/base/tmArray.h"
#include "sys/base/tmVariant.h"

// One listed entry; texts are terminated and cut to 255 bytes.
struct tmFileEntry {
    char directory[256];
    char name[256];
    uint32_t isDirectory;  // 1 directory, 0 file
};

// Owns the entries of the last Search. Created by whoever browses a folder
// (the replay browser). Entries come in name order.
class tmFileList {
public:
    static constexpr int kMaxEntries = 65534;

    tmFileList() = default;
    ~tmFileList();
    tmFileList(const tmFileList&) = delete;
    tmFileList& operator=(const tmFileList&) = delete;

    // Forgets the previous listing and lists directory: files whose name
    // contains filter (case-sensitive substring; empty or null matches all)
    // and, when includeDirectories is set, every subdirectory. "." and ".."
    // are never listed. A directory that cannot be read lists nothing.
    void Search(const char* directory, const char* filter, bool includeDirectories);
    int GetCount() const { return entries_.GetCount(); }
    // Entry i from the front, or counted from the back; null when out of range.
    const tmFileEntry* GetEntry(int i, bool fromFront) const;
    const char* GetDirectory() const { return directory_.GetString(); }
    const char* GetFilter() const { return filter_.GetString(); }

private:
    void Release();

    sys::tmVariant directory_;
    sys::tmVariant filter_;
    bool includeDirectories_ = false;
    tmArray<tmFileEntry*> entries_;
};
