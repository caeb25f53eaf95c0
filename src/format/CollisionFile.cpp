// CollisionFile.cpp -- writers and checked readers of the course collision files.
#include "format/CollisionFile.h"

#include <cmath>

namespace zfmt {
namespace {

void Vec(ByteWriter& w, const CollisionVec3& v) {
    w.F32(v.x);
    w.F32(v.y);
    w.F32(v.z);
}

CollisionVec3 Vec(ByteReader& r) {
    CollisionVec3 v;
    v.x = r.F32();
    v.y = r.F32();
    v.z = r.F32();
    return v;
}

bool Finite(const CollisionVec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

void Entry(ByteWriter& w, const RouteEntryRecord& e) {
    w.I32(e.section);
    for (float f : e.extra) w.F32(f);
}

RouteEntryRecord Entry(ByteReader& r) {
    RouteEntryRecord e;
    e.section = r.I32();
    for (float& f : e.extra) f = r.F32();
    return e;
}

bool Refuse(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    return false;
}

// True when `count` records of `bytes` each, after `header` bytes, fill exactly `size` bytes.
bool Fits(std::size_t size, std::size_t header, std::uint64_t count, std::size_t bytes) {
    return size >= header && std::uint64_t(size - header) == count * std::uint64_t(bytes);
}

std::string Counted(const char* what, std::uint64_t count, std::size_t size) {
    return std::to_string(count) + " " + what + " do not fit an entry of " + std::to_string(size) + " bytes";
}

}  // namespace

Bytes WriteFloorFile(const FloorFile& floor) {
    ByteWriter w;
    w.Zeros(kCollisionLeadBytes);
    w.U32(static_cast<std::uint32_t>(floor.cells.size()));
    w.U32(static_cast<std::uint32_t>(floor.polygons.size()));
    for (const FloorCell& c : floor.cells) {
        w.U32(c.firstPolygon);
        w.U32(c.polygonCount);
        w.F32(c.minX);
        w.F32(c.minZ);
        w.F32(c.maxX);
        w.F32(c.maxZ);
    }
    for (const FloorPolygon& p : floor.polygons) {
        w.U16(p.vertexCount);
        w.U16(p.spare);
        for (int i = 0; i < 4; ++i) {
            w.F32(p.x[i]);
            w.F32(p.z[i]);
        }
        for (float f : p.plane) w.F32(f);
        Vec(w, p.normal);
        w.U32(p.attribute);
        w.U32(p.spareTail);
    }
    return w.Take();
}

Bytes WriteWallFile(const std::vector<WallRecord>& walls) {
    ByteWriter w;
    w.Zeros(kCollisionLeadBytes);
    w.U32(static_cast<std::uint32_t>(walls.size()));
    for (const WallRecord& wall : walls) {
        Vec(w, wall.a);
        Vec(w, wall.b);
        Vec(w, wall.normal);
    }
    return w.Take();
}

Bytes WriteRouteFile(const RouteFile& route) {
    ByteWriter w;
    w.FixedText(route.name.substr(0, kCollisionLeadBytes - 1), kCollisionLeadBytes);
    for (const RouteEntryRecord& e : route.special) Entry(w, e);
    w.U32(route.checkpointCount);
    for (const RouteEntryRecord& e : route.checkpoints) Entry(w, e);
    w.U32(static_cast<std::uint32_t>(route.sections.size()));
    for (const RouteSectionRecord& s : route.sections) {
        Vec(w, s.a);
        Vec(w, s.b);
        w.Raw(s.carry.data(), s.carry.size());
    }
    return w.Take();
}

bool ReadFloorFile(const void* data, std::size_t size, FloorFile& out, std::string* why) {
    out = FloorFile();
    if (!data || size < kFloorHeaderBytes) return Refuse(why, "floor entry shorter than its header");
    ByteReader r(data, size);
    r.Skip(kCollisionLeadBytes);
    const std::uint32_t nc = r.U32();
    const std::uint32_t np = r.U32();
    const std::uint64_t body = std::uint64_t(nc) * kFloorCellBytes + std::uint64_t(np) * kFloorPolygonBytes;
    if (std::uint64_t(size - kFloorHeaderBytes) != body)
        return Refuse(why, std::to_string(nc) + " cells and " + std::to_string(np) +
                               " polygons do not fit an entry of " + std::to_string(size) + " bytes");
    FloorFile f;
    f.cells.resize(nc);
    for (FloorCell& c : f.cells) {
        c.firstPolygon = r.U32();
        c.polygonCount = r.U32();
        c.minX = r.F32();
        c.minZ = r.F32();
        c.maxX = r.F32();
        c.maxZ = r.F32();
        if (std::uint64_t(c.firstPolygon) + c.polygonCount > np)
            return Refuse(why, "a cell names polygons beyond the " + std::to_string(np) + " held");
        if (!std::isfinite(c.minX) || !std::isfinite(c.minZ) || !std::isfinite(c.maxX) || !std::isfinite(c.maxZ))
            return Refuse(why, "a cell's rectangle is not finite");
    }
    f.polygons.resize(np);
    for (FloorPolygon& p : f.polygons) {
        p.vertexCount = r.U16();
        p.spare = r.U16();
        if (p.vertexCount < 3 || p.vertexCount > 4)
            return Refuse(why, "a polygon has " + std::to_string(p.vertexCount) + " vertices");
        bool finite = true;
        for (int i = 0; i < 4; ++i) {
            p.x[i] = r.F32();
            p.z[i] = r.F32();
            if (i < p.vertexCount) finite = finite && std::isfinite(p.x[i]) && std::isfinite(p.z[i]);
        }
        for (float& v : p.plane) {
            v = r.F32();
            finite = finite && std::isfinite(v);
        }
        p.normal = Vec(r);
        p.attribute = r.U32();
        p.spareTail = r.U32();
        if (!finite || !Finite(p.normal)) return Refuse(why, "a polygon holds a value that is not finite");
    }
    if (!r.Ok()) return Refuse(why, "floor entry ends early");
    out = std::move(f);
    return true;
}

bool ReadWallFile(const void* data, std::size_t size, std::vector<WallRecord>& out, std::string* why) {
    out.clear();
    if (!data || size < kWallHeaderBytes) return Refuse(why, "wall entry shorter than its header");
    ByteReader r(data, size);
    r.Skip(kCollisionLeadBytes);
    const std::uint32_t nw = r.U32();
    if (!Fits(size, kWallHeaderBytes, nw, kWallBytes)) return Refuse(why, Counted("walls", nw, size));
    std::vector<WallRecord> walls(nw);
    for (WallRecord& w : walls) {
        w.a = Vec(r);
        w.b = Vec(r);
        w.normal = Vec(r);
        if (!Finite(w.a) || !Finite(w.b) || !Finite(w.normal))
            return Refuse(why, "a wall holds a value that is not finite");
    }
    if (!r.Ok()) return Refuse(why, "wall entry ends early");
    out = std::move(walls);
    return true;
}

bool ReadRouteFile(const void* data, std::size_t size, RouteFile& out, std::string* why) {
    out = RouteFile();
    if (!data || size < kRouteHeaderBytes) return Refuse(why, "route entry shorter than its header");
    ByteReader r(data, size);
    RouteFile route;
    route.name = r.FixedText(kCollisionLeadBytes);
    for (RouteEntryRecord& e : route.special) e = Entry(r);
    route.checkpointCount = r.U32();
    for (RouteEntryRecord& e : route.checkpoints) e = Entry(r);
    const std::uint32_t ns = r.U32();
    if (!Fits(size, kRouteHeaderBytes, ns, kRouteSectionBytes)) return Refuse(why, Counted("sections", ns, size));
    if (route.checkpointCount > std::uint32_t(kRouteCheckpointSlots))
        return Refuse(why, std::to_string(route.checkpointCount) + " checkpoints, at most 16");
    const std::int32_t goal = route.Goal();
    if (goal < -1 || (goal >= 0 && std::uint32_t(goal) >= ns))
        return Refuse(why, "goal section " + std::to_string(goal) + " outside " + std::to_string(ns) + " sections");
    for (std::uint32_t i = 0; i < route.checkpointCount; ++i) {
        const std::int32_t s = route.checkpoints[i].section;
        if (s < 0 || std::uint32_t(s) >= ns)
            return Refuse(why, "checkpoint " + std::to_string(i) + " names section " + std::to_string(s) + " of " +
                                   std::to_string(ns));
    }
    route.sections.resize(ns);
    for (RouteSectionRecord& s : route.sections) {
        s.a = Vec(r);
        s.b = Vec(r);
        r.Raw(s.carry.data(), s.carry.size());
        if (!Finite(s.a) || !Finite(s.b)) return Refuse(why, "a gate holds a value that is not finite");
    }
    if (!r.Ok()) return Refuse(why, "route entry ends early");
    out = std::move(route);
    return true;
}

}  // namespace zfmt
