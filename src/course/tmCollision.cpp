// tmCollision.cpp -- loading and releasing a course's collision set from the collision bank.
#include "course/tmCollision.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "content_tables.h"
#include "sys/data/tmArchiver.h"

namespace {

const tmBankInfo* g_bank = nullptr;

const tmBankInfo& Bank() { return g_bank ? *g_bank : content::bankRC01; }

// Bucket edges of the grids, in course units: about a road's width, so a step's extent meets
// one to four buckets and a bucket holds a handful of entries.
constexpr float kCellBucket = 64.0f;
constexpr float kWallBucket = 64.0f;
constexpr float kSectionBucket = 64.0f;

D3DXVECTOR3 Vec(const zfmt::CollisionVec3& v) { return D3DXVECTOR3(v.x, v.y, v.z); }

void LogRefusal(const char* what, const std::string& why) {
    std::fprintf(stderr, "collision: %s refused (%s); loaded empty\n", what ? what : "(unnamed)", why.c_str());
}

}  // namespace

tmCollision::tmCollision() { ClearHeader(); }

tmCollision::~tmCollision() { Release(); }

void tmCollision::SetBank(const tmBankInfo* bank) { g_bank = bank; }

void tmCollision::ClearHeader() {
    std::memset(header_.name, 0, sizeof header_.name);
    for (zfmt::RouteEntryRecord& e : header_.special) e = zfmt::RouteEntryRecord();
    header_.checkpointCount = 0;
    for (zfmt::RouteEntryRecord& e : header_.checkpoints) e = zfmt::RouteEntryRecord();
    header_.sectionCount = 0;
}

bool tmCollision::Load(const char* floorFile, const char* wallFile, const char* routeFile) {
    const bool floor = LoadFloor(floorFile);
    const bool walls = LoadWalls(wallFile);
    const bool route = LoadRoute(routeFile);
    return floor && walls && route;
}

bool tmCollision::ReadEntry(const char* entryName, std::string* bytes) const {
    bytes->clear();
    tmArchiver archive;
    if (!archive.Open(Bank())) {
        std::fprintf(stderr, "collision: cannot open %s\n", Bank().fileName ? Bank().fileName : "(no bank)");
        return false;
    }
    // A missing entry leaves the bytes empty; the reader then refuses it as too short.
    archive.ReadInto(entryName, bytes);
    archive.Close();
    return true;
}

bool tmCollision::LoadFloor(const char* entryName) {
    Release();
    std::string bytes;
    if (!ReadEntry(entryName, &bytes)) return false;
    return LoadFloorBytes(bytes.data(), bytes.size(), entryName);
}

bool tmCollision::LoadWalls(const char* entryName) {
    ReleaseWalls();
    std::string bytes;
    if (!ReadEntry(entryName, &bytes)) return false;
    return LoadWallBytes(bytes.data(), bytes.size(), entryName);
}

bool tmCollision::LoadRoute(const char* entryName) {
    ReleaseRoute();
    std::string bytes;
    if (!ReadEntry(entryName, &bytes)) return false;
    return LoadRouteBytes(bytes.data(), bytes.size(), entryName);
}

bool tmCollision::LoadFloorBytes(const void* data, std::size_t size, const char* what) {
    ReleaseFloor();
    zfmt::FloorFile file;
    std::string why;
    if (!zfmt::ReadFloorFile(data, size, file, &why)) {
        LogRefusal(what, why);
        return false;
    }
    cells_.reserve(file.cells.size());
    for (const zfmt::FloorCell& c : file.cells)
        cells_.push_back(Cell{c.firstPolygon, c.polygonCount, c.minX, c.minZ, c.maxX, c.maxZ});
    polygons_.reserve(file.polygons.size());
    for (const zfmt::FloorPolygon& p : file.polygons) {
        Polygon q;
        q.vertexCount = p.vertexCount;
        for (int i = 0; i < 4; ++i) {
            q.x[i] = p.x[i];
            q.z[i] = p.z[i];
        }
        q.a = p.plane[0];
        q.b = p.plane[1];
        q.c = p.plane[2];
        q.d = p.plane[3];
        q.normal = Vec(p.normal);
        q.attribute = p.attribute;
        polygons_.push_back(q);
    }
    BuildFloorGrid();
    return true;
}

bool tmCollision::LoadWallBytes(const void* data, std::size_t size, const char* what) {
    ReleaseWalls();
    std::vector<zfmt::WallRecord> file;
    std::string why;
    if (!zfmt::ReadWallFile(data, size, file, &why)) {
        LogRefusal(what, why);
        return false;
    }
    walls_.reserve(file.size());
    for (const zfmt::WallRecord& w : file)
        walls_.push_back(Wall{Vec(w.a), Vec(w.b), Vec(w.normal), std::fmin(w.a.x, w.b.x), std::fmax(w.a.x, w.b.x),
                              std::fmin(w.a.z, w.b.z), std::fmax(w.a.z, w.b.z)});
    BuildWallGrid();
    return true;
}

bool tmCollision::LoadRouteBytes(const void* data, std::size_t size, const char* what) {
    ReleaseRoute();
    zfmt::RouteFile file;
    std::string why;
    if (!zfmt::ReadRouteFile(data, size, file, &why)) {
        LogRefusal(what, why);
        return false;
    }
    std::strncpy(header_.name, file.name.c_str(), sizeof header_.name - 1);
    for (int i = 0; i < zfmt::kRouteSpecialEntries; ++i) header_.special[i] = file.special[i];
    header_.checkpointCount = file.checkpointCount;
    for (int i = 0; i < zfmt::kRouteCheckpointSlots; ++i) header_.checkpoints[i] = file.checkpoints[i];
    header_.sectionCount = static_cast<std::uint32_t>(file.sections.size());
    sections_[0].reserve(file.sections.size());
    for (const zfmt::RouteSectionRecord& s : file.sections) {
        Section q;
        q.a = Vec(s.a);
        q.b = Vec(s.b);
        std::memcpy(q.carry, s.carry.data(), sizeof q.carry);
        sections_[0].push_back(q);
    }
    for (int t = 1; t < kDrivingTypes; ++t) sections_[t] = sections_[0];
    BuildSectionGrid();
    return true;
}

void tmCollision::BuildFloorGrid() {
    edges_.clear();
    edges_.reserve(polygons_.size());
    for (const Polygon& p : polygons_) edges_.push_back(MakeCornerEdges(p));
    std::vector<tmCollisionGrid::Box> boxes;
    boxes.reserve(cells_.size());
    for (const Cell& c : cells_) boxes.push_back({c.minX, c.minZ, c.maxX, c.maxZ});
    cellGrid_.Build(boxes, kCellBucket);
}

void tmCollision::BuildWallGrid() {
    std::vector<tmCollisionGrid::Box> boxes;
    boxes.reserve(walls_.size());
    for (const Wall& w : walls_) boxes.push_back({w.minX, w.minZ, w.maxX, w.maxZ});
    wallGrid_.Build(boxes, kWallBucket);
}

void tmCollision::BuildSectionGrid() {
    std::vector<tmCollisionGrid::Box> boxes;
    boxes.reserve(sections_[0].size());
    for (const Section& s : sections_[0])
        boxes.push_back(
            {std::fmin(s.a.x, s.b.x), std::fmin(s.a.z, s.b.z), std::fmax(s.a.x, s.b.x), std::fmax(s.a.z, s.b.z)});
    sectionGrid_.Build(boxes, kSectionBucket);
}

void tmCollision::Release() {
    ReleaseFloor();
    ReleaseWalls();
    ReleaseRoute();
}

void tmCollision::ReleaseFloor() {
    std::vector<Cell>().swap(cells_);
    std::vector<Polygon>().swap(polygons_);
    std::vector<CornerEdges>().swap(edges_);
    cellGrid_.Clear();
}

void tmCollision::ReleaseWalls() {
    std::vector<Wall>().swap(walls_);
    wallGrid_.Clear();
}

void tmCollision::ReleaseRoute() {
    for (std::vector<Section>& s : sections_) std::vector<Section>().swap(s);
    sectionGrid_.Clear();
    ClearHeader();
}

const std::vector<tmCollision::Section>& tmCollision::GetSections(int drivingType) const {
    return sections_[drivingType == 1 ? 1 : 0];
}

int tmCollision::GetGoalSection() const {
    const int goal = header_.special[zfmt::kRouteGoalEntry].section;
    return goal >= 0 && goal < GetSectionCount() ? goal : -1;
}
