// tmRouteTable.h -- the computer driver's route: per section and driving type the speed, boost and line points.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"

// One section's row for one driving type, as the course's route table gives it.
struct tmRouteEntry {
    int32_t bank = 0;
    float speed = 0.0f;  // km/h the driver brakes down to
    uint8_t boost = 0;   // 1: boost here when ready
    float posShift = 0.0f;
    int32_t nextRoute = 0;  // look-ahead in sections
    float otShift = 0.0f;
    uint8_t useTf = 0;
};
static_assert(sizeof(tmRouteEntry) == 28, "route entries are 28 bytes");

// The two points a driver aims at in a section's gate.
struct tmRoutePoint {
    D3DXVECTOR3 target;    // the normal line
    D3DXVECTOR3 overtake;  // the overtaking line
};
static_assert(sizeof(tmRoutePoint) == 24, "route points are 24 bytes");

// A section's gate, the segment across the road from end A to end B.
struct tmRouteGate {
    D3DXVECTOR3 a;
    D3DXVECTOR3 b;
};

// The route entries and route points of both driving types, one of each per
// route section. Built from the course's external route table (rows
// "Route%03d" of the sheet "ArrayTable") and the section gates when the
// course's collision set loads, and kept until it is released; the table
// itself is unloaded again at once. The collision set owns it; the computer
// driver reads the arrays of its machine's driving type.
class tmRouteTable {
public:
    static constexpr int kDrivingTypes = 2;

    tmRouteTable() = default;
    ~tmRouteTable() = default;
    tmRouteTable(const tmRouteTable&) = delete;
    tmRouteTable& operator=(const tmRouteTable&) = delete;

    // Frees the previous arrays, reads the table named `tableName` for
    // `sectionCount` sections and builds the points from the gates. A missing
    // table or row reads as zeros: points in the gate's middle, speed 0, no flags.
    void Load(const char* tableName, const tmRouteGate* gates, int sectionCount);
    void Release();

    int GetSectionCount() const { return count_; }
    // Null for a driving type other than 0 or 1 or a section outside 0..count-1.
    const tmRouteEntry* GetEntry(int drivingType, int section) const;
    const tmRoutePoint* GetPoint(int drivingType, int section) const;
    // A section number taken round the route (look-ahead past the goal, or
    // behind it); -1 when the route has no sections.
    int WrapSection(int section) const;

    // The point across a gate: shift 1 is end A, -1 end B, 0 the middle; all three coordinates blend.
    static D3DXVECTOR3 GatePoint(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float shift);

private:
    int count_ = 0;
    std::unique_ptr<tmRouteEntry[]> entries_[kDrivingTypes];
    std::unique_ptr<tmRoutePoint[]> points_[kDrivingTypes];
};
