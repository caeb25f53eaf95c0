// tmShaderCache.cpp -- pooled hash map of compiled programs.
#include "sys/render/tmShaderCache.h"

#include "sys/base/tmMemory.h"

struct tmShaderCache::Block {
    Node nodes[kBlockNodes];
    int freeStack[kBlockNodes];
    int freeCount = kBlockNodes;
    Block* next = nullptr;
    Block() {
        for (int i = 0; i < kBlockNodes; ++i) freeStack[i] = kBlockNodes - 1 - i;
    }
};

tmShaderCache::tmShaderCache() = default;

tmShaderCache::~tmShaderCache() { Clear(); }

uint32_t tmShaderCache::Hash(uint32_t key) {
    uint32_t h = 0;
    for (int i = 0; i < 4; ++i) h = h * 137u + ((key >> (8 * i)) & 0xFFu);
    return h;
}

const tmShaderCache::Node* tmShaderCache::Find(uint32_t key) const {
    for (const Node* n = buckets_[Hash(key) % kBuckets]; n; n = n->next)
        if (n->key == key) return n;
    return nullptr;
}

tmShaderCache::Node* tmShaderCache::TakeNode() {
    Block* block = blocks_;
    while (block && block->freeCount == 0) block = block->next;
    if (!block) {
        block = TM_NEW Block;
        block->next = blocks_;
        blocks_ = block;
    }
    return &block->nodes[block->freeStack[--block->freeCount]];
}

void tmShaderCache::Insert(uint32_t key, gfx::Shader shader, bool failed) {
    if (Find(key)) return;
    Node* node = TakeNode();
    const uint32_t bucket = Hash(key) % kBuckets;
    *node = Node{key, shader, failed, buckets_[bucket]};
    buckets_[bucket] = node;
    ++count_;
}

int tmShaderCache::GetBlockCount() const {
    int n = 0;
    for (const Block* b = blocks_; b; b = b->next) ++n;
    return n;
}

void tmShaderCache::Clear() {
    while (blocks_) {
        Block* next = blocks_->next;
        TM_DELETE(blocks_);
        blocks_ = next;
    }
    for (Node*& b : buckets_) b = nullptr;
    count_ = 0;
}
