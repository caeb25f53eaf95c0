// tmMemory.h -- heap allocations that remember the source file and line.
//
// Every heap allocation of the game goes through here so a debug report can
// list the blocks still alive per allocation site:
//
//   Foo* f = TM_NEW Foo(1, 2);      // object; release with TM_DELETE(f)
//   int* a = TM_NEW int[64];        // array of a trivially destructible type;
//   TM_DELETE_ARRAY(a);             //   release with TM_DELETE_ARRAY
//   void* b = TM_ALLOC(256);        // raw block; release with tmFree(b)
//
// Blocks are ordinary global new / malloc blocks, so a stray plain `delete`
// frees correctly (the site then just shows a stale live count in the
// report). tmFree / TM_DELETE of null is a no-op. Thread-safe.
#pragma once
#include <cstddef>
#include <cstdio>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

// An allocation site: file and line of the call.
struct tmAllocSite {
    const char* file;
    int line;
};

// Raw blocks (malloc-aligned). tmAlloc returns null on failure.
void* tmAlloc(std::size_t size, const char* file, int line);
void tmFree(void* p);

// Live-block statistics of one site.
struct tmAllocSiteStats {
    std::string file;
    int line;
    std::size_t liveBlocks;
    std::size_t liveBytes;
    std::size_t totalBlocks;  // allocations ever made at this site
};

// Sites with live blocks, largest byte count first.
std::vector<tmAllocSiteStats> tmLiveAllocations();
// Number of live blocks allocated at file:line (file compared by text).
std::size_t tmLiveBlocksAt(const char* file, int line);
// Writes "file:line: N blocks, B bytes" per live site; returns the live block count.
std::size_t tmReportLeaks(std::FILE* out);

// Bookkeeping used by the operators and templates below.
void tmRecordAllocation(void* p, std::size_t size, const char* file, int line);
void tmForgetAllocation(void* p);

void* operator new(std::size_t size, const tmAllocSite& site);
void* operator new[](std::size_t size, const tmAllocSite& site);
// Called only when a constructor run by TM_NEW throws.
void operator delete(void* p, const tmAllocSite& site) noexcept;
void operator delete[](void* p, const tmAllocSite& site) noexcept;

// Destroys and frees an object made with TM_NEW (through a base pointer too,
// when the base has a virtual destructor).
template <class T>
void tmDeleteObject(T* p) {
    if (!p) return;
    if constexpr (std::is_polymorphic_v<T>)
        tmForgetAllocation(dynamic_cast<void*>(p));
    else
        tmForgetAllocation(static_cast<void*>(const_cast<std::remove_cv_t<T>*>(p)));
    delete p;
}

template <class T>
void tmDeleteArray(T* p) {
    static_assert(std::is_trivially_destructible_v<T>, "TM_NEW arrays hold trivially destructible types only");
    if (!p) return;
    tmForgetAllocation(static_cast<void*>(const_cast<std::remove_cv_t<T>*>(p)));
    delete[] p;
}

#define TM_NEW new (tmAllocSite{__FILE__, __LINE__})
#define TM_DELETE(p) tmDeleteObject(p)
#define TM_DELETE_ARRAY(p) tmDeleteArray(p)
#define TM_ALLOC(size) tmAlloc((size), __FILE__, __LINE__)
