// tmMap.h -- a hash map from NUL-terminated text keys to one pointer value.
#pragma once
#include <cstdint>

// The smallest entry of the fixed prime table that is at least n (2 below 2,
// 65521 above the table).
uint16_t tmHashPrime(uint32_t n);

struct tmContainerBlock;

// One entry. The key is the caller's pointer, never copied.
struct tmMapNode {
    const char* key;
    void* value;
    tmMapNode* next;          // next node in the same bucket
    tmContainerBlock* block;  // owning pool block
    uint32_t hash;
};

// Owns its bucket array and node pool (blocks of up to 256 nodes); the key
// texts belong to the caller and must outlive their entries. Created by any
// subsystem that needs a text index (data tables, resource cache).
// Iteration: buckets in ascending order, newest insertion first within one.
class tmMap {
public:
    tmMap(int blockSizeRequest, int bucketRequest);
    ~tmMap();
    tmMap(const tmMap&) = delete;
    tmMap& operator=(const tmMap&) = delete;

    static uint32_t Hash(const char* key);  // h = h * 137 + byte

    // Null when the key is present (nothing changes); else the new node.
    tmMapNode* Insert(const char* key, void* value);
    tmMapNode* Find(const char* key) const;
    void Erase(const char* key);
    // Empties the map; its nodes go back to the pool.
    void Clear();

    tmMapNode* First() const;
    tmMapNode* Next(const tmMapNode* node) const;

    int GetCount() const { return count_; }
    int GetBucketCount() const { return bucketCount_; }
    int GetBlockSize() const { return blockSize_; }
    int GetBlockCount() const;
    const tmContainerBlock* GetNewestBlock() const { return blocks_; }

private:
    tmMapNode* TakeNode();
    void ReleaseNode(tmMapNode* node);
    tmMapNode* FirstFrom(uint32_t bucket) const;

    tmContainerBlock* blocks_ = nullptr;  // newest first
    tmMapNode** buckets_ = nullptr;
    uint16_t blockSize_;
    uint16_t bucketCount_;
    int count_ = 0;
};
