// tmShaderCache.h -- compiled programs by (shader type, state flags) key.
#pragma once
#include <cstdint>

#include "platform/gfx/GfxTypes.h"

// A hash map from a 32-bit key to one compiled program, owned by the shader
// manager (one for vertex and one for pixel programs). 131 buckets; the key's
// four bytes, least significant first, hash as h = h * 137 + byte. Nodes come
// from blocks of 16 with a stack of free indices; a new block goes to the head
// of the block list. A key whose compilation failed is kept as a failed node,
// so it is reported once and never compiled again.
class tmShaderCache {
public:
    static constexpr uint32_t kBuckets = 131;
    static constexpr int kBlockNodes = 16;

    struct Node {
        uint32_t key = 0;
        gfx::Shader shader;  // none for a failed key
        bool failed = false;
        Node* next = nullptr;
    };

    tmShaderCache();
    ~tmShaderCache();
    tmShaderCache(const tmShaderCache&) = delete;
    tmShaderCache& operator=(const tmShaderCache&) = delete;

    static uint32_t Hash(uint32_t key);

    const Node* Find(uint32_t key) const;
    // Adds the key at the head of its bucket; a key already present changes nothing.
    void Insert(uint32_t key, gfx::Shader shader, bool failed);
    int GetCount() const { return count_; }
    int GetBlockCount() const;

    // Visits buckets in index order, each chain from its head.
    template <class F>
    void ForEach(F&& visit) const {
        for (uint32_t b = 0; b < kBuckets; ++b)
            for (const Node* n = buckets_[b]; n; n = n->next) visit(*n);
    }
    // Forgets every node (the caller has released the programs).
    void Clear();

private:
    struct Block;
    Node* TakeNode();

    Node* buckets_[kBuckets] = {};
    Block* blocks_ = nullptr;  // newest first
    int count_ = 0;
};
