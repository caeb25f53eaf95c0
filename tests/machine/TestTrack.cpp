// TestTrack.cpp -- building the in-memory test roads and loading them as courses.
#include "tests/machine/TestTrack.h"

#include <cmath>

#include "course/tmCollision.h"
#include "format/BankCodec.h"
#include "format/BankWriter.h"
#include "format/CollisionFile.h"
#include "format/ExtDbText.h"
#include "format/RouteTableKeys.h"
#include "sys/data/tmExtDataBase.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr std::uint32_t kTestBankKey = 0x1234ABCDu;

D3DXVECTOR3 Flat(const D3DXVECTOR3& v) { return D3DXVECTOR3(v.x, 0.0f, v.z); }

D3DXVECTOR3 Unit(const D3DXVECTOR3& v) {
    D3DXVECTOR3 out;
    D3DXVec3Normalize(&out, &v);
    return out;
}

zfmt::CollisionVec3 C(const D3DXVECTOR3& v) { return {v.x, v.y, v.z}; }

// A floor triangle in the winding the inside test expects (negative XZ shoelace sum).
zfmt::FloorPolygon Triangle(D3DXVECTOR3 p0, D3DXVECTOR3 p1, D3DXVECTOR3 p2, int surface) {
    float shoelace = (p0.x * p1.z - p1.x * p0.z) + (p1.x * p2.z - p2.x * p1.z) + (p2.x * p0.z - p0.x * p2.z);
    if (shoelace > 0) std::swap(p1, p2);
    zfmt::FloorPolygon poly;
    poly.vertexCount = 3;
    const D3DXVECTOR3 pts[3] = {p0, p1, p2};
    for (int k = 0; k < 3; ++k) {
        poly.x[k] = pts[k].x;
        poly.z[k] = pts[k].z;
    }
    D3DXVECTOR3 e1 = p1 - p0, e2 = p2 - p0, n;
    D3DXVec3Cross(&n, &e1, &e2);
    if (n.y < 0) n = -n;
    n = Unit(n);
    poly.plane[0] = n.x;
    poly.plane[1] = n.y;
    poly.plane[2] = n.z;
    poly.plane[3] = -(n.x * p0.x + n.y * p0.y + n.z * p0.z);
    poly.normal = C(n);
    poly.attribute = static_cast<std::uint32_t>(surface - 1);
    return poly;
}

std::string Text(const zfmt::Bytes& b) { return std::string(b.begin(), b.end()); }

}  // namespace

TrackSpec StraightTrack(float length, float spacing, float rise) {
    TrackSpec spec;
    spec.closed = false;
    for (float z = 0.0f; z <= length + 0.5f; z += spacing) spec.centre.push_back(D3DXVECTOR3(0.0f, z * rise, z));
    spec.goal = static_cast<int>(spec.centre.size()) - 2;
    return spec;
}

TrackSpec FlatFloor() {
    TrackSpec spec;
    spec.closed = false;
    spec.walls = false;
    spec.halfWidth = 50000.0f;
    spec.centre = {D3DXVECTOR3(0.0f, 0.0f, -50000.0f), D3DXVECTOR3(0.0f, 0.0f, 50000.0f)};
    spec.goal = 1;
    return spec;
}

TrackSpec OvalTrack(float straight, float radius, float spacing) {
    TrackSpec spec;
    auto line = [&](D3DXVECTOR3 from, D3DXVECTOR3 to) {
        D3DXVECTOR3 d = to - from;
        int n = static_cast<int>(std::round(D3DXVec3Length(&d) / spacing));
        for (int i = 0; i < n; ++i) spec.centre.push_back(from + d * (static_cast<float>(i) / n));
    };
    auto arc = [&](D3DXVECTOR3 centre, float startAngle) {
        int n = static_cast<int>(std::round(kPi * radius / spacing));
        for (int i = 0; i < n; ++i) {
            float a = startAngle + kPi * static_cast<float>(i) / n;
            spec.centre.push_back(centre + D3DXVECTOR3(-std::cos(a) * radius, 0.0f, std::sin(a) * radius));
        }
    };
    line(D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, straight));
    arc(D3DXVECTOR3(radius, 0, straight), 0.0f);
    line(D3DXVECTOR3(2 * radius, 0, straight), D3DXVECTOR3(2 * radius, 0, 0));
    arc(D3DXVECTOR3(radius, 0, 0), kPi);
    const int count = static_cast<int>(spec.centre.size());
    spec.goal = static_cast<int>(std::round(straight / spacing * 0.75f));
    spec.checkpoints = {spec.goal + count / 4, spec.goal + count / 2, spec.goal + 3 * count / 4};
    for (int& c : spec.checkpoints) c %= count;
    return spec;
}

void TestTrack::WriteBank(Bank& bank, const std::string& file,
                          const std::vector<std::pair<std::string, std::string>>& members) {
    std::vector<zfmt::BankMember> list;
    for (const auto& [path, bytes] : members) {
        zfmt::BankMember m;
        m.path = path;
        m.name = zfmt::BankStem(path);
        m.bytes.assign(bytes.begin(), bytes.end());
        list.push_back(m);
    }
    zfmt::BuiltBank built = zfmt::BuildBank(list, kTestBankKey);
    bank.path = dir_.Join(file);
    platform::WriteFileAtomic(bank.path, built.file.data(), built.file.size());
    for (const zfmt::BankEntry& e : built.directory) {
        bank.texts.push_back(e.name);
        bank.entries.push_back({e.offset, e.size, bank.texts.back().c_str(), nullptr});
    }
    bank.info = {bank.path.c_str(), kTestBankKey, bank.entries.data(), static_cast<std::uint32_t>(bank.entries.size())};
}

TestTrack::TestTrack(const TrackSpec& spec) : spec_(spec) {
    const int n = static_cast<int>(spec.centre.size());
    const int segments = spec.closed ? n : n - 1;
    auto at = [&](int i) { return spec.centre[static_cast<size_t>(((i % n) + n) % n)]; };

    // Road edges: left of the driving direction is +x at yaw 0.
    for (int i = 0; i < n; ++i) {
        D3DXVECTOR3 prev = spec.closed || i > 0 ? at(i - 1) : at(i);
        D3DXVECTOR3 next = spec.closed || i < n - 1 ? at(i + 1) : at(i);
        D3DXVECTOR3 d = Unit(Flat(next - prev));
        D3DXVECTOR3 left(d.z, 0.0f, -d.x);
        D3DXVECTOR3 rise(0.0f, spec.bank * spec.halfWidth, 0.0f);
        left_.push_back(at(i) + left * spec.halfWidth + rise);
        right_.push_back(at(i) - left * spec.halfWidth - rise);
    }

    zfmt::FloorFile floor;
    std::vector<zfmt::WallRecord> walls;
    for (int i = 0; i < segments; ++i) {
        const int j = (i + 1) % n;
        const int surface = i < static_cast<int>(spec.surface.size()) ? spec.surface[static_cast<size_t>(i)] : 1;
        const D3DXVECTOR3 l0 = left_[static_cast<size_t>(i)], r0 = right_[static_cast<size_t>(i)];
        const D3DXVECTOR3 l1 = left_[static_cast<size_t>(j)], r1 = right_[static_cast<size_t>(j)];
        zfmt::FloorCell cell;
        cell.firstPolygon = static_cast<std::uint32_t>(floor.polygons.size());
        cell.polygonCount = 2;
        floor.polygons.push_back(Triangle(l0, r0, r1, surface));
        floor.polygons.push_back(Triangle(l0, r1, l1, surface));
        cell.minX = std::fmin(std::fmin(l0.x, r0.x), std::fmin(l1.x, r1.x)) - 0.01f;
        cell.maxX = std::fmax(std::fmax(l0.x, r0.x), std::fmax(l1.x, r1.x)) + 0.01f;
        cell.minZ = std::fmin(std::fmin(l0.z, r0.z), std::fmin(l1.z, r1.z)) - 0.01f;
        cell.maxZ = std::fmax(std::fmax(l0.z, r0.z), std::fmax(l1.z, r1.z)) + 0.01f;
        floor.cells.push_back(cell);
        if (!spec.walls) continue;
        const D3DXVECTOR3 centre = (l0 + r0 + l1 + r1) * 0.25f;
        for (auto [a, b] : {std::make_pair(l0, l1), std::make_pair(r0, r1)}) {
            D3DXVECTOR3 seg = Flat(b - a);
            D3DXVECTOR3 normal = Unit(D3DXVECTOR3(seg.z, 0.0f, -seg.x));
            D3DXVECTOR3 toRoad = Flat(centre - a);
            if (D3DXVec3Dot(&normal, &toRoad) < 0) normal = -normal;
            walls.push_back({C(a), C(b), C(normal)});
        }
    }

    zfmt::RouteFile route;
    route.name = "test";
    route.special[zfmt::kRouteGoalEntry].section = spec.goal;
    route.checkpoints[0].section = spec.goal;
    route.checkpointCount = 1;
    for (int c : spec.checkpoints) route.checkpoints[route.checkpointCount++].section = c;
    for (int i = 0; i < n; ++i) {
        zfmt::RouteSectionRecord s;
        s.a = C(left_[static_cast<size_t>(i)]);
        s.b = C(right_[static_cast<size_t>(i)]);
        route.sections.push_back(s);
    }

    std::vector<zfmt::RouteEntry> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        zfmt::RouteEntry& e = rows[static_cast<size_t>(i)];
        for (int t = 0; t < 2; ++t) {
            e.speed[t] =
                i < static_cast<int>(spec.routeSpeed.size()) ? spec.routeSpeed[static_cast<size_t>(i)] : 2000.0f;
            e.nextRoute[t] = spec.nextRoute;
            e.otShift[t] = spec.overtakeShift;
        }
    }
    for (int b : spec.boostSections)
        rows[static_cast<size_t>(b % n)].boost[0] = rows[static_cast<size_t>(b % n)].boost[1] = 1;
    zfmt::ExtDbWriter table;
    zfmt::WriteRouteTable(table, rows);

    WriteBank(collisionBank_, "collision.dat",
              {{"data/collision/testColli.clb", Text(zfmt::WriteFloorFile(floor))},
               {"data/collision/testWall.wlb", Text(zfmt::WriteWallFile(walls))},
               {"data/collision/testRoute.rtb", Text(zfmt::WriteRouteFile(route))}});
    WriteBank(tableBank_, "tables.dat", {{zfmt::ExtDbTableFile("CourseTest"), table.Text()}});

    record_.id = 2;
    record_.groupId = -1;
    std::snprintf(record_.collisionFile, sizeof record_.collisionFile, "data/collision/testColli.clb");
    std::snprintf(record_.wallFile, sizeof record_.wallFile, "data/collision/testWall.wlb");
    std::snprintf(record_.routeFile, sizeof record_.routeFile, "data/collision/testRoute.rtb");
    std::snprintf(record_.routeTable, sizeof record_.routeTable, "CourseTest");
    for (int slot = 0; slot < kCourseGridSlots; ++slot) {
        const int row = (15 - slot) / 2, side = (15 - slot) % 2;
        const int section = ((spec.goal - 1 - row) % n + n) % n;
        const D3DXVECTOR3 a = left_[static_cast<size_t>(section)], b = right_[static_cast<size_t>(section)];
        const D3DXVECTOR3 p = side == 0 ? a * 0.7f + b * 0.3f : a * 0.3f + b * 0.7f;
        record_.grid[slot] = {p.x, p.y, p.z};
        record_.startSection[slot] = section;
    }

    tmCollision::SetBank(&collisionBank_.info);
    sys::tmExtDataBase::SetBank(&tableBank_.info);
    course_ = std::make_unique<tmCourse>();
    course_->Init(record_.id, &record_);
    tmCollision::SetBank(nullptr);
    sys::tmExtDataBase::SetBank(nullptr);
}

TestTrack::~TestTrack() {
    if (course_) course_->Release();
}
