// tmCollisionGrid.cpp -- building the bucket grid of a collision set's list and finding the buckets of a box.
#include "course/tmCollisionGrid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

bool Finite(const tmCollisionGrid::Box& b) {
    return std::isfinite(b.minX) && std::isfinite(b.minZ) && std::isfinite(b.maxX) && std::isfinite(b.maxZ);
}

}  // namespace

void tmCollisionGrid::Clear() {
    built_ = false;
    columns_ = rows_ = 0;
    std::vector<std::uint32_t>().swap(starts_);
    std::vector<std::uint32_t>().swap(items_);
}

void tmCollisionGrid::Build(const std::vector<Box>& boxes, float bucketSize) {
    Clear();
    if (boxes.size() > kMaxEntries) {
        std::fprintf(stderr, "collision: %zu boxes are more than the %zu entries a grid holds; scanning them instead\n",
                     boxes.size(), kMaxEntries);
        return;
    }
    if (boxes.empty() || !(bucketSize > 0.0f) || !std::all_of(boxes.begin(), boxes.end(), Finite)) return;
    float minX = boxes[0].minX, minZ = boxes[0].minZ, maxX = boxes[0].maxX, maxZ = boxes[0].maxZ;
    for (const Box& b : boxes) {
        minX = std::min(minX, b.minX);
        minZ = std::min(minZ, b.minZ);
        maxX = std::max(maxX, b.maxX);
        maxZ = std::max(maxZ, b.maxZ);
    }
    // Wider buckets when the extent would need more than the most per side.
    const double extent = std::max(static_cast<double>(maxX) - minX, static_cast<double>(maxZ) - minZ);
    const double size = std::max(static_cast<double>(bucketSize), extent / kMaxBucketsPerSide);
    originX_ = minX;
    originZ_ = minZ;
    scale_ = static_cast<float>(1.0 / size);
    // Clamped before the conversion: boxes read from a hostile file may have their minimum above their maximum.
    const auto count = [size](double span) {
        return static_cast<int>(std::clamp(span / size + 1.0, 1.0, static_cast<double>(kMaxBucketsPerSide)));
    };
    columns_ = count(static_cast<double>(maxX) - minX);
    rows_ = count(static_cast<double>(maxZ) - minZ);

    // Bound the entries before counting them: every box is entered into every bucket it meets, and a
    // hostile file of large boxes would need billions. Such a list gets no grid and is scanned.
    std::size_t entries = 0;
    const std::size_t buckets = static_cast<std::size_t>(columns_) * rows_;
    const std::size_t limit = std::min(kEntriesPerBox * boxes.size() + buckets, kMaxEntries);
    for (const Box& b : boxes) {
        const Span s = Cover(b.minX, b.minZ, b.maxX, b.maxZ);
        if (s.x1 < s.x0 || s.z1 < s.z0) continue;
        entries += static_cast<std::size_t>(s.x1 - s.x0 + 1) * static_cast<std::size_t>(s.z1 - s.z0 + 1);
        if (entries > limit) {
            std::fprintf(stderr,
                         "collision: %zu boxes would fill more than %zu bucket entries; scanning them instead\n",
                         boxes.size(), limit);
            Clear();
            return;
        }
    }

    // Count, then place: boxes go in index order, so every bucket's list is ascending. The bound
    // keeps every offset within 32 bits.
    starts_.assign(buckets + 1, 0);
    for (const Box& b : boxes) {
        const Span s = Cover(b.minX, b.minZ, b.maxX, b.maxZ);
        for (int z = s.z0; z <= s.z1; ++z)
            for (int x = s.x0; x <= s.x1; ++x) ++starts_[Index(x, z) + 1];
    }
    for (std::size_t i = 1; i < starts_.size(); ++i) starts_[i] += starts_[i - 1];
    items_.resize(starts_.back());
    std::vector<std::uint32_t> fill(starts_.begin(), starts_.end() - 1);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Span s = Cover(boxes[i].minX, boxes[i].minZ, boxes[i].maxX, boxes[i].maxZ);
        for (int z = s.z0; z <= s.z1; ++z)
            for (int x = s.x0; x <= s.x1; ++x) items_[fill[Index(x, z)]++] = static_cast<std::uint32_t>(i);
    }
    built_ = true;
}

// Rounded subtraction and multiplication by a positive scale never decrease as x grows, nor
// does truncation, so a larger coordinate never falls into an earlier column.
int tmCollisionGrid::Column(float x) const {
    const float t = (x - originX_) * scale_;
    if (!(t > 0.0f)) return 0;
    if (t >= static_cast<float>(columns_)) return columns_ - 1;
    return std::min(static_cast<int>(t), columns_ - 1);
}

int tmCollisionGrid::Row(float z) const {
    const float t = (z - originZ_) * scale_;
    if (!(t > 0.0f)) return 0;
    if (t >= static_cast<float>(rows_)) return rows_ - 1;
    return std::min(static_cast<int>(t), rows_ - 1);
}

tmCollisionGrid::Span tmCollisionGrid::Cover(float minX, float minZ, float maxX, float maxZ) const {
    return Span{Column(minX), Row(minZ), Column(maxX), Row(maxZ)};
}
