// tmMap.cpp -- text-keyed hash map with pooled nodes.
#include "sys/base/tmMap.h"

#include <cstring>

#include "sys/base/tmMemory.h"

// A pool block: size nodes, then a free-index list of one byte per node.
struct tmContainerBlock {
    tmMapNode* nodes;
    tmContainerBlock* next;
    tmContainerBlock* prev;
    uint8_t* freeList;
    int freeCount;
};

namespace {

const uint16_t kPrimes[] = {
    2,     3,     5,     5,     7,     11,    13,    17,    19,    23,    29,    31,    37,    41,    43,    47,
    53,    59,    61,    67,    73,    83,    89,    101,   107,   127,   131,   149,   157,   173,   191,   211,
    229,   257,   277,   307,   337,   373,   409,   449,   491,   541,   599,   653,   719,   797,   877,   967,
    1061,  1163,  1277,  1409,  1543,  1693,  1867,  2053,  2267,  2503,  2729,  3001,  3299,  3631,  4001,  4391,
    4831,  5323,  5849,  6449,  7079,  7789,  8563,  9413,  10357, 11393, 12539, 13781, 15161, 16691, 18353, 20177,
    22229, 24419, 26861, 29567, 32497, 35747, 39323, 43261, 47581, 52361, 57571, 63331, 65521};
static_assert(sizeof(kPrimes) / sizeof(kPrimes[0]) == 93, "prime table has 93 entries");

constexpr int kMaxBlockSize = 256;

}  // namespace

uint16_t tmHashPrime(uint32_t n) {
    for (uint16_t p : kPrimes)
        if (p >= n) return p;
    return kPrimes[sizeof(kPrimes) / sizeof(kPrimes[0]) - 1];
}

tmMap::tmMap(int blockSizeRequest, int bucketRequest)
    : blockSize_(static_cast<uint16_t>(blockSizeRequest < 1               ? 1
                                       : blockSizeRequest > kMaxBlockSize ? kMaxBlockSize
                                                                          : blockSizeRequest)),
      bucketCount_(tmHashPrime(bucketRequest < 0 ? 0u : static_cast<uint32_t>(bucketRequest))) {
    buckets_ = static_cast<tmMapNode**>(tmAlloc(sizeof(tmMapNode*) * bucketCount_, "tmMapImpl", 0));
    std::memset(buckets_, 0, sizeof(tmMapNode*) * bucketCount_);
}

tmMap::~tmMap() {
    Clear();
    while (blocks_) {
        tmContainerBlock* next = blocks_->next;
        tmFree(blocks_);
        blocks_ = next;
    }
    tmFree(buckets_);
}

uint32_t tmMap::Hash(const char* key) {
    uint32_t h = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(key); *p; ++p) h = h * 137u + *p;
    return h;
}

tmMapNode* tmMap::TakeNode() {
    tmContainerBlock* block = blocks_;
    while (block && block->freeCount == 0) block = block->next;
    if (!block) {
        // One allocation: header, nodes, free-index list.
        size_t bytes = sizeof(tmContainerBlock) + sizeof(tmMapNode) * blockSize_ + blockSize_;
        void* raw = tmAlloc(bytes, "tmContainerBlock", 0);
        if (!raw) return nullptr;
        block = static_cast<tmContainerBlock*>(raw);
        block->nodes = reinterpret_cast<tmMapNode*>(static_cast<char*>(raw) + sizeof(tmContainerBlock));
        block->freeList = reinterpret_cast<uint8_t*>(block->nodes + blockSize_);
        for (int i = 0; i < blockSize_; ++i) block->freeList[i] = static_cast<uint8_t>(i);
        block->freeCount = blockSize_;
        block->prev = nullptr;
        block->next = blocks_;
        if (blocks_) blocks_->prev = block;
        blocks_ = block;
    }
    tmMapNode* node = &block->nodes[block->freeList[--block->freeCount]];
    node->block = block;
    node->next = nullptr;
    ++count_;
    return node;
}

void tmMap::ReleaseNode(tmMapNode* node) {
    tmContainerBlock* block = node->block;
    --count_;
    node->next = nullptr;
    node->block = nullptr;
    block->freeList[block->freeCount++] = static_cast<uint8_t>(node - block->nodes);
}

tmMapNode* tmMap::Insert(const char* key, void* value) {
    if (!key || Find(key)) return nullptr;
    tmMapNode* node = TakeNode();
    if (!node) return nullptr;
    node->key = key;
    node->value = value;
    node->hash = Hash(key);
    tmMapNode*& head = buckets_[node->hash % bucketCount_];
    node->next = head;
    head = node;
    return node;
}

tmMapNode* tmMap::Find(const char* key) const {
    if (!key) return nullptr;
    uint32_t h = Hash(key);
    for (tmMapNode* n = buckets_[h % bucketCount_]; n; n = n->next)
        if (n->hash == h && std::strcmp(n->key, key) == 0) return n;
    return nullptr;
}

void tmMap::Erase(const char* key) {
    if (!key) return;
    uint32_t h = Hash(key);
    for (tmMapNode** link = &buckets_[h % bucketCount_]; *link; link = &(*link)->next) {
        tmMapNode* n = *link;
        if (n->hash == h && std::strcmp(n->key, key) == 0) {
            *link = n->next;
            ReleaseNode(n);
            return;
        }
    }
}

void tmMap::Clear() {
    for (int b = 0; b < bucketCount_; ++b) {
        tmMapNode* n = buckets_[b];
        buckets_[b] = nullptr;
        while (n) {
            tmMapNode* next = n->next;
            ReleaseNode(n);
            n = next;
        }
    }
    count_ = 0;
}

tmMapNode* tmMap::FirstFrom(uint32_t bucket) const {
    for (uint32_t b = bucket; b < bucketCount_; ++b)
        if (buckets_[b]) return buckets_[b];
    return nullptr;
}

tmMapNode* tmMap::First() const { return FirstFrom(0); }

tmMapNode* tmMap::Next(const tmMapNode* node) const {
    if (!node) return nullptr;
    if (node->next) return node->next;
    return FirstFrom(node->hash % bucketCount_ + 1);
}

int tmMap::GetBlockCount() const {
    int n = 0;
    for (const tmContainerBlock* b = blocks_; b; b = b->next) ++n;
    return n;
}
