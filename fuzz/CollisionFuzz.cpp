// CollisionFuzz.cpp -- the three collision readers on arbitrary bytes, then every query on what they accept.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "course/tmCollision.h"
#include "format/CollisionFile.h"

namespace {

float Coordinate(const std::uint8_t* data, std::size_t size, std::size_t at) {
    if (size < 4) return 0.0f;
    std::uint32_t u = 0;
    std::memcpy(&u, data + (at % (size - 3)), 4);
    return static_cast<float>(static_cast<std::int32_t>(u) % 20000);
}

}  // namespace

// The first byte picks the reader (floor, walls or route); the rest is the entry. The readers
// run first without the collision set, which would log every refusal; what they accept is then
// loaded into a set and queried.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t* entry = data + 1;
    const std::size_t length = size - 1;
    tmCollision c;
    std::string why;
    switch (data[0] % 3) {
        case 0: {
            zfmt::FloorFile f;
            if (zfmt::ReadFloorFile(entry, length, f, &why)) c.LoadFloorBytes(entry, length);
            break;
        }
        case 1: {
            std::vector<zfmt::WallRecord> w;
            if (zfmt::ReadWallFile(entry, length, w, &why)) c.LoadWallBytes(entry, length);
            break;
        }
        default: {
            zfmt::RouteFile r;
            if (zfmt::ReadRouteFile(entry, length, r, &why)) c.LoadRouteBytes(entry, length);
            break;
        }
    }
    const D3DXVECTOR3 p1(Coordinate(data, size, 1), 0.0f, Coordinate(data, size, 5));
    const D3DXVECTOR3 p2(Coordinate(data, size, 9), 0.0f, Coordinate(data, size, 13));
    float height = 0.0f;
    D3DXVECTOR3 normal, hit, vec;
    std::uint32_t attribute = 0;
    c.GetFloor(p1, &height, &normal, &attribute);
    c.HitWall(p1, p2, &hit, &vec);
    const int section = c.FindSection(p1, p2);
    c.GetCheckpoint(section);
    c.GetGoalSection();
    for (int s = -1; s <= c.GetSectionCount(); ++s) c.GetSectionDistance(p2, s);
    return 0;
}
