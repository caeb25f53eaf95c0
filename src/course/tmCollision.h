// tmCollision.h -- a course's collision set: floor cells and polygons, walls, route sections.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "course/tmCollisionGrid.h"
#include "format/CollisionFile.h"
#include "sys/base/tmMath.h"
#include "sys/data/tmArchiveEntry.h"

// The four body corners (0, 1 front; 2, 3 rear) and the position of another machine, as the
// body-crossing query needs them.
struct tmCollisionBox {
    D3DXVECTOR3 corners[4];
    D3DXVECTOR3 position;
};

// Everything a race needs of a course's shape besides its models: the drivable floor as convex
// polygons grouped into rectangular cells, the side walls as segments and the route as gates
// across the road, with the goal and checkpoint sections. Owns all of its arrays; created and
// owned by the course, loaded once, read-only afterwards. Every query works in the XZ plane;
// heights come from the floor planes. A set that failed to load (or was never loaded) is empty
// and every query on it finds nothing. Loading also builds bucket grids over the cells, the walls and
// the gates, so a query looks only at the entries near it; its answer is that of the walk over the
// whole list in file order, bit for bit.
class tmCollision {
public:
    // A floor cell: a rectangle holding polygons [firstPolygon, firstPolygon + polygonCount).
    struct Cell {
        std::uint32_t firstPolygon;
        std::uint32_t polygonCount;
        float minX, minZ, maxX, maxZ;
    };
    // A convex floor polygon of 3 or 4 (X, Z) vertices in the plane a*x + b*y + c*z + d = 0.
    struct Polygon {
        std::uint32_t vertexCount;
        float x[4], z[4];
        float a, b, c, d;
        D3DXVECTOR3 normal;
        std::uint32_t attribute;  // stored 0-based; GetFloor reports attribute + 1
    };
    struct Wall {
        D3DXVECTOR3 a, b;
        D3DXVECTOR3 vector;            // handed to the caller with a hit: the normal toward the road
        float minX, maxX, minZ, maxZ;  // the ends' extent, for the crossing test's quick rejection
    };
    // The gate across the road where a section begins.
    struct Section {
        D3DXVECTOR3 a, b;
        std::uint8_t carry[zfmt::kRouteSectionCarryBytes];
    };
    // The route file's fixed header: name, special entries (1 = goal), checkpoints, section count.
    struct RouteHeader {
        char name[zfmt::kCollisionLeadBytes];
        zfmt::RouteEntryRecord special[zfmt::kRouteSpecialEntries];
        std::uint32_t checkpointCount;
        zfmt::RouteEntryRecord checkpoints[zfmt::kRouteCheckpointSlots];
        std::uint32_t sectionCount;
    };
    static constexpr int kDrivingTypes = 2;

    tmCollision();
    ~tmCollision();
    tmCollision(const tmCollision&) = delete;
    tmCollision& operator=(const tmCollision&) = delete;

    // Loads the floor, walls and route from the collision bank in this order; true when all three
    // loaded. The computer route table of the course is read after the route by its own loader.
    bool Load(const char* floorFile, const char* wallFile, const char* routeFile);
    // Each reads one entry of the collision bank whole. LoadFloor first releases everything,
    // LoadWalls the walls and LoadRoute the route. A missing or malformed entry logs one line
    // and leaves that part empty.
    bool LoadFloor(const char* entryName);
    bool LoadWalls(const char* entryName);
    bool LoadRoute(const char* entryName);
    // The same from bytes in memory (an entry already read); `what` names it in the log line.
    bool LoadFloorBytes(const void* data, std::size_t size, const char* what = "floor");
    bool LoadWallBytes(const void* data, std::size_t size, const char* what = "walls");
    bool LoadRouteBytes(const void* data, std::size_t size, const char* what = "route");

    void Release();
    void ReleaseFloor();
    void ReleaseWalls();
    void ReleaseRoute();  // also clears the route header

    // Floor under the XZ point of `position`: cells in file order, the first containing polygon
    // of a cell decides (a near-vertical one makes the walk go on with the next cell). True with
    // height, normal and attribute (stored attribute + 1); false leaves the outputs untouched.
    bool GetFloor(const D3DXVECTOR3& position, float* height, D3DXVECTOR3* normal, std::uint32_t* attribute) const;
    // The first wall (file order) the step from p1 to p2 crosses: its crossing point and vector.
    bool HitWall(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, D3DXVECTOR3* hitPoint, D3DXVECTOR3* wallVector) const;
    // Whether the step crosses one of the four body edges of another machine; steps of 60 units
    // or longer never do. direction = p1 - the other's position, normalized when longer than 0.1.
    bool HitBox(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, const tmCollisionBox& other, D3DXVECTOR3* hitPoint,
                D3DXVECTOR3* direction) const;
    // The section whose gate the step crosses, the highest-numbered one when several; -1 if none.
    int FindSection(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2) const;
    // Position of the section in the checkpoint list, -1 when it is no checkpoint.
    int GetCheckpoint(int section) const;
    // XZ distance from the position to the line through the section's gate; 0 for a section
    // outside the route or a gate whose ends coincide.
    float GetSectionDistance(const D3DXVECTOR3& position, int section) const;

    // The crossing test of all hit and section queries (XZ; p1-p2 the moving step, q1-q2 the
    // fixed segment; ends included; near-parallel never crosses). The point is on the step, at
    // the step's starting height.
    static bool SegmentsCross(const D3DXVECTOR3& p1, const D3DXVECTOR3& p2, const D3DXVECTOR3& q1,
                              const D3DXVECTOR3& q2, D3DXVECTOR3* point);
    // The polygon inside test: true when the XZ point is inside or on an edge.
    static bool PolygonContains(const Polygon& polygon, float x, float z);

    // ---- contents ----
    const std::vector<Cell>& GetCells() const { return cells_; }
    const std::vector<Polygon>& GetPolygons() const { return polygons_; }
    const std::vector<Wall>& GetWalls() const { return walls_; }
    // The gates of one driving type's section list (both lists are copies of the file's).
    const std::vector<Section>& GetSections(int drivingType = 0) const;
    const RouteHeader& GetRouteHeader() const { return header_; }
    int GetSectionCount() const { return static_cast<int>(sections_[0].size()); }
    int GetGoalSection() const;  // -1 when the route has none
    int GetCheckpointCount() const { return static_cast<int>(header_.checkpointCount); }

    // The bank the entries are read from: the generated collision bank unless a test points it
    // elsewhere (null restores the default).
    static void SetBank(const tmBankInfo* bank);

private:
    // The unit vectors of the two edges at each of the two corners the inside test starts from,
    // made once per polygon with the same arithmetic the test would use; a polygon of other than
    // 3 or 4 vertices has none and contains nothing.
    struct CornerEdges {
        bool valid;
        float e1x[2], e1z[2], e2x[2], e2z[2];
    };
    static CornerEdges MakeCornerEdges(const Polygon& polygon);
    static bool Contains(const Polygon& polygon, const CornerEdges& edges, float x, float z);

    bool ReadEntry(const char* entryName, std::string* bytes) const;
    void ClearHeader();
    void BuildFloorGrid();
    void BuildWallGrid();
    void BuildSectionGrid();
    // The floor of one cell under (x, z), as GetFloor reports it; false when the cell does not decide.
    bool FloorOfCell(const Cell& cell, float x, float z, float* height, D3DXVECTOR3* normal,
                     std::uint32_t* attribute) const;

    std::vector<Cell> cells_;
    std::vector<Polygon> polygons_;
    std::vector<Wall> walls_;
    RouteHeader header_;
    std::vector<Section> sections_[kDrivingTypes];
    std::vector<CornerEdges> edges_;  // one per polygon
    tmCollisionGrid cellGrid_, wallGrid_, sectionGrid_;
};
