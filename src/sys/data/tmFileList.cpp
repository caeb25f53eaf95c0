// tmFileList.cpp -- directory listing through the platform file layer.
#include "sys/data/tmFileList.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"
#include "sys/base/tmMemory.h"

namespace {

void CopyCut(char (&dest)[256], const char* src) {
    size_t n = std::strlen(src);
    if (n > sizeof dest - 1) n = sizeof dest - 1;
    std::memcpy(dest, src, n);
    dest[n] = '\0';
}

}  // namespace

tmFileList::~tmFileList() { Release(); }

void tmFileList::Release() {
    for (tmFileEntry* e : entries_) TM_DELETE(e);
    entries_.Clear();
}

void tmFileList::Search(const char* directory, const char* filter, bool includeDirectories) {
    Release();
    includeDirectories_ = includeDirectories;
    // Plain assignment: names may hold '%'.
    directory_ = directory ? directory : "";
    filter_ = filter ? filter : "";

    std::vector<platform::DirEntry> found;
    if (!platform::ListDirectory(directory_.GetString(), &found)) return;
    const char* pattern = filter_.GetString();
    for (const platform::DirEntry& d : found) {
        if (entries_.GetCount() >= kMaxEntries) break;
        if (d.isDirectory ? !includeDirectories_ : std::strstr(d.name.c_str(), pattern) == nullptr) continue;
        tmFileEntry* e = TM_NEW tmFileEntry;
        CopyCut(e->directory, directory_.GetString());
        CopyCut(e->name, d.name.c_str());
        e->isDirectory = d.isDirectory ? 1 : 0;
        entries_.Append(e);
    }
}

const tmFileEntry* tmFileList::GetEntry(int i, bool fromFront) const {
    int n = entries_.GetCount();
    if (i < 0 || i >= n) return nullptr;
    return entries_[fromFront ? i : n - 1 - i];
}
