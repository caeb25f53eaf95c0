// tmCollisionGrid.h -- a bucket grid over the XZ plane listing the items of a collision set by their extent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Square buckets over the extent of a list of XZ boxes; each bucket lists, in ascending order,
// the indices of the boxes that meet it. A query looks only at the buckets its own box meets:
// every item whose box meets the query box is listed in one of them, because the bucket of a
// coordinate never decreases as the coordinate grows (coordinates beyond the grid fall into its
// edge buckets). Built by the collision set when it loads and read-only afterwards. A grid over
// boxes that are not all finite, or whose boxes would fill too many buckets, is not built (IsBuilt
// false), and its owner then scans its list.
class tmCollisionGrid {
public:
    struct Box {
        float minX, minZ, maxX, maxZ;
    };
    // Buckets covering a query box, inclusive.
    struct Span {
        int x0, z0, x1, z1;
    };

    // Builds buckets of about `bucketSize` units, fewer when more than kMaxBuckets would be needed.
    void Build(const std::vector<Box>& boxes, float bucketSize);
    void Clear();
    bool IsBuilt() const { return built_; }

    // The buckets the box meets; the box must be finite.
    Span Cover(float minX, float minZ, float maxX, float maxZ) const;
    // The item indices of bucket (x, z), ascending: [Begin, End).
    const std::uint32_t* Begin(int x, int z) const { return items_.data() + starts_[Index(x, z)]; }
    const std::uint32_t* End(int x, int z) const { return items_.data() + starts_[Index(x, z) + 1]; }

    static constexpr int kMaxBucketsPerSide = 256;
    // A grid holds at most kEntriesPerBox entries a box beyond one a bucket, and never more than
    // kMaxEntries (64 MB of indices); a list that would need more is not built (IsBuilt false).
    static constexpr std::size_t kEntriesPerBox = 64;
    static constexpr std::size_t kMaxEntries = std::size_t{1} << 24;

private:
    std::size_t Index(int x, int z) const { return static_cast<std::size_t>(z) * columns_ + x; }
    int Column(float x) const;
    int Row(float z) const;

    bool built_ = false;
    float originX_ = 0.0f, originZ_ = 0.0f;
    float scale_ = 1.0f;  // buckets per unit
    int columns_ = 0, rows_ = 0;
    std::vector<std::uint32_t> starts_;  // columns x rows + 1 offsets into items_
    std::vector<std::uint32_t> items_;
};
