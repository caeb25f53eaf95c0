// CollisionFile.h -- byte layouts of the three course collision files: floor (.clb), walls (.wlb) and route (.rtb).
//
// All three start with 128 bytes the reader skips, then little-endian counts and fixed-size records:
//   floor: NC u32, NP u32, NC cells of 24 bytes, NP polygons of 72 bytes;
//   walls: NW u32, NW walls of 36 bytes;
//   route: 5 special entries (entry 1 is the goal), NK u32 (at most 16), 16 checkpoint entries,
//          NS u32, NS sections of 56 bytes; the fixed header before the sections is 472 bytes.
// The readers check every count, index and vertex count against the entry's length and refuse
// (returning false with a reason) instead of reading past it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace zfmt {

constexpr std::size_t kCollisionLeadBytes = 128;
constexpr std::size_t kFloorCellBytes = 24;
constexpr std::size_t kFloorPolygonBytes = 72;
constexpr std::size_t kFloorHeaderBytes = kCollisionLeadBytes + 8;
constexpr std::size_t kWallBytes = 36;
constexpr std::size_t kWallHeaderBytes = kCollisionLeadBytes + 4;
constexpr std::size_t kRouteEntryBytes = 16;
constexpr std::size_t kRouteSectionBytes = 56;
constexpr int kRouteSpecialEntries = 5;
constexpr int kRouteGoalEntry = 1;  // the special entry naming the goal section
constexpr int kRouteCheckpointSlots = 16;
constexpr std::size_t kRouteCheckpointCountOffset = kCollisionLeadBytes + kRouteSpecialEntries * kRouteEntryBytes;
constexpr std::size_t kRouteSectionCountOffset =
    kRouteCheckpointCountOffset + 4 + kRouteCheckpointSlots * kRouteEntryBytes;
constexpr std::size_t kRouteHeaderBytes = kRouteSectionCountOffset + 4;
constexpr std::size_t kRouteSectionCarryBytes = 32;  // the unread tail of a section record
static_assert(kRouteCheckpointCountOffset == 208, "checkpoint count follows the special entries");
static_assert(kRouteSectionCountOffset == 468, "section count follows the checkpoint entries");
static_assert(kRouteHeaderBytes == 472, "the route header is 472 bytes");

struct CollisionVec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// A rectangle of the XZ plane holding a run of consecutive polygons.
struct FloorCell {
    std::uint32_t firstPolygon = 0;
    std::uint32_t polygonCount = 0;
    float minX = 0.0f, minZ = 0.0f, maxX = 0.0f, maxZ = 0.0f;
};

// A convex floor polygon of 3 or 4 (X, Z) vertices in the plane a*x + b*y + c*z + d = 0.
struct FloorPolygon {
    std::uint16_t vertexCount = 3;
    std::uint16_t spare = 0;
    float x[4] = {0, 0, 0, 0};
    float z[4] = {0, 0, 0, 0};
    float plane[4] = {0, 0, 0, 0};  // a, b, c, d
    CollisionVec3 normal;
    std::uint32_t attribute = 0;  // surface - 1
    std::uint32_t spareTail = 0;
};

struct FloorFile {
    std::vector<FloorCell> cells;
    std::vector<FloorPolygon> polygons;
};

// A wall segment between two ends; `normal` is handed to a machine that hits it.
struct WallRecord {
    CollisionVec3 a, b, normal;
};

// A special or checkpoint entry: a route-section index (-1 none) and three unread floats.
struct RouteEntryRecord {
    std::int32_t section = -1;
    float extra[3] = {0, 0, 0};
};

// A gate across the road where a section begins, ends A and B, and 32 carried bytes.
struct RouteSectionRecord {
    CollisionVec3 a, b;
    std::array<std::uint8_t, kRouteSectionCarryBytes> carry{};
};

struct RouteFile {
    std::string name;  // up to 127 bytes in the 128-byte lead
    RouteEntryRecord special[kRouteSpecialEntries];
    std::uint32_t checkpointCount = 0;
    RouteEntryRecord checkpoints[kRouteCheckpointSlots];
    std::vector<RouteSectionRecord> sections;

    std::int32_t Goal() const { return special[kRouteGoalEntry].section; }
};

Bytes WriteFloorFile(const FloorFile& floor);
Bytes WriteWallFile(const std::vector<WallRecord>& walls);
Bytes WriteRouteFile(const RouteFile& route);

// Readers: true and the records when the entry is well formed; false, `out` emptied and a
// one-line reason in *why otherwise. Floats that are not finite are refused too.
bool ReadFloorFile(const void* data, std::size_t size, FloorFile& out, std::string* why);
bool ReadWallFile(const void* data, std::size_t size, std::vector<WallRecord>& out, std::string* why);
bool ReadRouteFile(const void* data, std::size_t size, RouteFile& out, std::string* why);

}  // namespace zfmt
