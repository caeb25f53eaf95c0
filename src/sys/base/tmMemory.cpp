// tmMemory.cpp -- allocation-site bookkeeping: live blocks per file and line.
#include "sys/base/tmMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct SiteKey {
    const char* file;
    int line;
    bool operator==(const SiteKey& o) const { return file == o.file && line == o.line; }
};

struct SiteKeyHash {
    std::size_t operator()(const SiteKey& k) const {
        return std::hash<const void*>()(k.file) * 31u + static_cast<std::size_t>(k.line);
    }
};

struct SiteCounters {
    std::size_t liveBlocks = 0;
    std::size_t liveBytes = 0;
    std::size_t totalBlocks = 0;
};

struct Block {
    SiteCounters* site;
    std::size_t size;
};

// The tracker is never destroyed, so blocks freed during static destruction
// still find it (it stays reachable through the static pointer).
struct Tracker {
    std::mutex lock;
    std::unordered_map<SiteKey, SiteCounters, SiteKeyHash> sites;  // node-based: counters stay put
    std::unordered_map<void*, Block> blocks;
};

Tracker& GetTracker() {
    static Tracker* tracker = new Tracker;
    return *tracker;
}

}  // namespace

void tmRecordAllocation(void* p, std::size_t size, const char* file, int line) {
    if (!p) return;
    Tracker& t = GetTracker();
    std::lock_guard<std::mutex> guard(t.lock);
    SiteCounters& s = t.sites[SiteKey{file ? file : "?", line}];
    ++s.liveBlocks;
    s.liveBytes += size;
    ++s.totalBlocks;
    t.blocks[p] = Block{&s, size};
}

void tmForgetAllocation(void* p) {
    if (!p) return;
    Tracker& t = GetTracker();
    std::lock_guard<std::mutex> guard(t.lock);
    auto it = t.blocks.find(p);
    if (it == t.blocks.end()) return;
    it->second.site->liveBlocks -= 1;
    it->second.site->liveBytes -= it->second.size;
    t.blocks.erase(it);
}

void* tmAlloc(std::size_t size, const char* file, int line) {
    void* p = std::malloc(size ? size : 1);
    tmRecordAllocation(p, size, file, line);
    return p;
}

void tmFree(void* p) {
    if (!p) return;
    tmForgetAllocation(p);
    std::free(p);
}

void* operator new(std::size_t size, const tmAllocSite& site) {
    void* p = ::operator new(size);
    tmRecordAllocation(p, size, site.file, site.line);
    return p;
}

void* operator new[](std::size_t size, const tmAllocSite& site) {
    void* p = ::operator new[](size);
    tmRecordAllocation(p, size, site.file, site.line);
    return p;
}

void operator delete(void* p, const tmAllocSite&) noexcept {
    tmForgetAllocation(p);
    ::operator delete(p);
}

void operator delete[](void* p, const tmAllocSite&) noexcept {
    tmForgetAllocation(p);
    ::operator delete[](p);
}

std::vector<tmAllocSiteStats> tmLiveAllocations() {
    Tracker& t = GetTracker();
    std::vector<tmAllocSiteStats> out;
    {
        std::lock_guard<std::mutex> guard(t.lock);
        for (const auto& [key, s] : t.sites)
            if (s.liveBlocks) out.push_back({key.file, key.line, s.liveBlocks, s.liveBytes, s.totalBlocks});
    }
    std::sort(out.begin(), out.end(), [](const tmAllocSiteStats& a, const tmAllocSiteStats& b) {
        if (a.liveBytes != b.liveBytes) return a.liveBytes > b.liveBytes;
        if (a.file != b.file) return a.file < b.file;
        return a.line < b.line;
    });
    return out;
}

std::size_t tmLiveBlocksAt(const char* file, int line) {
    Tracker& t = GetTracker();
    std::lock_guard<std::mutex> guard(t.lock);
    std::size_t n = 0;
    for (const auto& [key, s] : t.sites)
        if (key.line == line && std::strcmp(key.file, file) == 0) n += s.liveBlocks;
    return n;
}

std::size_t tmReportLeaks(std::FILE* out) {
    std::size_t total = 0;
    for (const tmAllocSiteStats& s : tmLiveAllocations()) {
        if (out) std::fprintf(out, "%s:%d: %zu blocks, %zu bytes\n", s.file.c_str(), s.line, s.liveBlocks, s.liveBytes);
        total += s.liveBlocks;
    }
    return total;
}
