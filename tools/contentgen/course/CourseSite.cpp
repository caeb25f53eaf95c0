// CourseSite.cpp -- centre-line index, terrain and water of a circuit, and the room its scenery takes.
#include "course/CourseSite.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

CourseLayouts LayoutsOf(int courseId) {
    CourseLayouts out;
    if (courseId < track::kFirstLayoutCourse || courseId > track::kLastLayoutCourse) {
        out.error = "no layout for course " + std::to_string(courseId);
        return out;
    }
    const auto& layouts = track::AllLayouts();
    const int forwardId =
        courseId >= track::kFirstLayoutCourse + track::kReverseOffset ? courseId - track::kReverseOffset : courseId;
    out.layout = &layouts[static_cast<std::size_t>(courseId)];
    out.forward = &layouts[static_cast<std::size_t>(forwardId)];
    out.error = out.layout->error + out.forward->error;
    return out;
}

namespace {
// Grid cell key: x in the high word, z in the low word (shifted unsigned, so negative cells are defined).
long long CellKey(int cx, int cz) {
    return static_cast<long long>(static_cast<unsigned long long>(static_cast<unsigned>(cx)) << 32 |
                                  static_cast<unsigned>(cz));
}
}  // namespace

namespace {

constexpr float kCell = 500.0f;

float Smooth(float a, float b, float x) {
    const float t = std::min(1.0f, std::max(0.0f, (x - a) / (b - a)));
    return t * t * (3 - 2 * t);
}

// Distance from p to segment ab in x and z, and the fraction along it.
float SegmentDistance(float px, float pz, const yiVec3& a, const yiVec3& b, float* along) {
    const float dx = b.x - a.x, dz = b.z - a.z;
    const float len2 = dx * dx + dz * dz;
    float t = len2 > 0 ? ((px - a.x) * dx + (pz - a.z) * dz) / len2 : 0.0f;
    t = std::min(1.0f, std::max(0.0f, t));
    const float qx = a.x + dx * t - px, qz = a.z + dz * t - pz;
    if (along) *along = t;
    return std::sqrt(qx * qx + qz * qz);
}

}  // namespace

CourseSite::CourseSite(const track::Layout& layout, const track::Layout& forward, const PlaceStyle& style)
    : layout_(layout), style_(style) {
    const auto& samples = layout_.line.Samples();
    const int n = static_cast<int>(samples.size());
    minX_ = minZ_ = 1e30f;
    maxX_ = maxZ_ = -1e30f;
    for (const track::Sample& s : samples) {
        minX_ = std::min(minX_, s.centre.x);
        maxX_ = std::max(maxX_, s.centre.x);
        minZ_ = std::min(minZ_, s.centre.z);
        maxZ_ = std::max(maxZ_, s.centre.z);
    }
    for (int i = 0; i < n; ++i) {
        const yiVec3& a = samples[i].centre;
        const yiVec3& b = samples[(i + 1) % n].centre;
        const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) / kCell));
        const int x1 = static_cast<int>(std::floor(std::max(a.x, b.x) / kCell));
        const int z0 = static_cast<int>(std::floor(std::min(a.z, b.z) / kCell));
        const int z1 = static_cast<int>(std::floor(std::max(a.z, b.z) / kCell));
        for (int cx = x0; cx <= x1; ++cx)
            for (int cz = z0; cz <= z1; ++cz) roadCells_[CellKey(cx, cz)].push_back(i);
    }

    // Water shapes, from the circuit's own geometry so they never drown the road.
    const V3 mid = Middle();
    if ((style_.place == Place::Barcelona || style_.place == Place::Sydney) && !forward.gates.empty()) {
        // The sea lies beyond the side of the circuit the start straight runs along, so the stands
        // look out over it: of sixteen directions, the one in which the start is the furthest out.
        const yiVec3 start = forward.line.At(forward.gates[0].arc).centre;
        float best = -1e30f;
        for (int k = 0; k < 16; ++k) {
            const float t = 2 * kPi * static_cast<float>(k) / 16;
            const V3 d{std::cos(t), 0, std::sin(t)};
            float reach = -1e30f;
            for (const track::Sample& s : forward.line.Samples())
                reach = std::max(reach, (s.centre.x - mid.x) * d.x + (s.centre.z - mid.z) * d.z);
            const float margin = (start.x - mid.x) * d.x + (start.z - mid.z) * d.z - reach;
            if (margin > best + 1.0f) {
                best = margin;
                seaDirection_ = d;
                seaStart_ = reach + (style_.place == Place::Sydney ? 700.0f : 900.0f);
            }
        }
    }
    if (style_.place == Place::Sydney) {
        // The harbour runs under the highest stretch of road (the bridge), across it.
        const auto& f = forward.line.Samples();
        std::size_t top = 0;
        for (std::size_t i = 0; i < f.size(); ++i)
            if (f[i].centre.y > f[top].centre.y) top = i;
        channelPoint_ = {f[top].centre.x, 0, f[top].centre.z};
        channelAcross_ = {f[top].forward.x, 0, f[top].forward.z};
        channelHalfWidth_ = 1300.0f;
    }
    if (style_.place == Place::Canada) {
        // Lakes in the widest open spaces inside and around the circuit.
        std::vector<V3> candidates;
        for (float x = minX_ - 3000; x <= maxX_ + 3000; x += 400)
            for (float z = minZ_ - 3000; z <= maxZ_ + 3000; z += 400) {
                const Near nr = NearestRoad(x, z, 4000.0f);
                if (nr.distance > 1300) candidates.push_back({x, std::min(nr.distance - 500.0f, 2600.0f), z});
            }
        std::stable_sort(candidates.begin(), candidates.end(), [](const V3& a, const V3& b) { return a.y > b.y; });
        for (const V3& c : candidates) {
            bool apart = true;
            for (const V3& l : lakes_)
                if (std::hypot(c.x - l.x, c.z - l.z) < c.y + l.y + 1200) apart = false;
            if (apart) lakes_.push_back(c);
            if (lakes_.size() == 3) break;
        }
    }

    clearance_.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) clearance_[i] = Clearance(samples[i]);
}

float CourseSite::Radius() const { return 0.5f * std::hypot(maxX_ - minX_, maxZ_ - minZ_); }

long long CourseSite::Cell(float x, float z) const {
    const int cx = static_cast<int>(std::floor(x / kCell)), cz = static_cast<int>(std::floor(z / kCell));
    return CellKey(cx, cz);
}

CourseSite::Near CourseSite::NearestRoad(float x, float z, float within) const {
    const auto& samples = layout_.line.Samples();
    const int n = static_cast<int>(samples.size());
    Near best{within, -1};
    const int cx = static_cast<int>(std::floor(x / kCell)), cz = static_cast<int>(std::floor(z / kCell));
    const int rings = static_cast<int>(within / kCell) + 1;
    for (int r = 0; r <= rings; ++r) {
        for (int dx = -r; dx <= r; ++dx)
            for (int dz = -r; dz <= r; ++dz) {
                if (std::max(std::abs(dx), std::abs(dz)) != r) continue;
                auto it = roadCells_.find(CellKey(cx + dx, cz + dz));
                if (it == roadCells_.end()) continue;
                for (int i : it->second) {
                    float t = 0;
                    const float d = SegmentDistance(x, z, samples[i].centre, samples[(i + 1) % n].centre, &t);
                    if (d < best.distance) best = {d, t < 0.5f ? i : (i + 1) % n};
                }
            }
        if (best.sample >= 0 && best.distance < static_cast<float>(r) * kCell) break;
    }
    return best;
}

float CourseSite::Clearance(int sample) const {
    return sample >= 0 && sample < static_cast<int>(clearance_.size()) ? clearance_[sample] : 0.0f;
}

bool CourseSite::Elevated(int sample) const {
    return style_.elevateAbove > 0 && Clearance(sample) > style_.elevateAbove;
}

float CourseSite::Clearance(const track::Sample& s) const {
    const float under = Wetness(s.centre.x, s.centre.z) > 0.5f ? kWaterLevel : 0.0f;
    return s.centre.y - under;
}

bool CourseSite::Elevated(const track::Sample& s) const {
    return style_.elevateAbove > 0 && Clearance(s) > style_.elevateAbove;
}

float CourseSite::LakeMask(float x, float z) const {
    float m = 0;
    const float wobble = (FractalNoise(x / 1500.0f, z / 1500.0f, 3, style_.seed + 9u) - 0.5f) * 900.0f;
    if (seaStart_ < 1e29f) {
        const V3 mid = Middle();
        const float along = (x - mid.x) * seaDirection_.x + (z - mid.z) * seaDirection_.z;
        m = std::max(m, Smooth(seaStart_ - 300.0f, seaStart_ + 300.0f, along + wobble));
    }
    if (channelHalfWidth_ > 0) {
        const float off =
            std::fabs((x - channelPoint_.x) * channelAcross_.x + (z - channelPoint_.z) * channelAcross_.z);
        m = std::max(m, 1.0f - Smooth(channelHalfWidth_ - 250.0f, channelHalfWidth_ + 250.0f, off + wobble * 0.6f));
    }
    for (const V3& l : lakes_) {
        const float d = std::hypot(x - l.x, z - l.z) + wobble * 0.5f;
        m = std::max(m, 1.0f - Smooth(l.y - 250.0f, l.y + 250.0f, d));
    }
    return m;
}

float CourseSite::Wetness(float x, float z) const { return style_.water ? LakeMask(x, z) : 0.0f; }

float CourseSite::BaseHeight(float x, float z) const {
    const Near nr = NearestRoad(x, z, 5000.0f);
    float h = 0;
    if (style_.hills > 0) {
        const float n = FractalNoise(x / style_.hillScale, z / style_.hillScale, 4, style_.seed);
        h = style_.hills * std::max(0.0f, n - 0.28f) / 0.72f;
        h *= Smooth(500.0f, 4500.0f, nr.distance);
    }
    const float wet = Wetness(x, z);
    return h + (kSeaFloor - h) * wet;
}

float CourseSite::Ground(float x, float z) const {
    float h = BaseHeight(x, z);
    const Near nr = NearestRoad(x, z, 2600.0f);
    if (nr.sample < 0) return h;
    const track::Sample& s = layout_.line.Samples()[nr.sample];
    const float wall = std::max(s.WallOffset(0), s.WallOffset(1));  // the same either way round
    float follow = 1.0f - Smooth(wall + 450.0f, 2400.0f, nr.distance);
    if (style_.elevateAbove > 0)
        follow *= 1.0f - Smooth(style_.elevateAbove * 0.5f, style_.elevateAbove, Clearance(nr.sample));
    // The ground meets the road a little below its surface and never rises over it nearby.
    const float road = s.centre.y - 8.0f - std::fabs(s.crossSlope) * 300.0f;
    h = h + (road - h) * follow;
    if (follow > 0.999f) h = std::min(h, road);
    return h;
}

bool CourseSite::Free(float x, float z, float radius, bool wet) const {
    const Near nr = NearestRoad(x, z, 1200.0f + radius);
    if (nr.sample >= 0) {
        const track::Sample& s = layout_.line.Samples()[nr.sample];
        const float wall = std::max(s.WallOffset(0), s.WallOffset(1));
        if (nr.distance < wall + radius + 60.0f) return false;
    }
    if (!wet && Wetness(x, z) > 0.05f) return false;
    return !Taken(x, z, radius);
}

bool CourseSite::Taken(float x, float z, float radius) const {
    const int cx = static_cast<int>(std::floor(x / kCell)), cz = static_cast<int>(std::floor(z / kCell));
    const int reach = static_cast<int>(radius / kCell) + 2;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dz = -reach; dz <= reach; ++dz) {
            auto it = things_.find(CellKey(cx + dx, cz + dz));
            if (it == things_.end()) continue;
            for (const Thing& t : it->second)
                if (std::hypot(t.x - x, t.z - z) < t.r + radius) return true;
        }
    return false;
}

void CourseSite::Occupy(float x, float z, float radius) { things_[Cell(x, z)].push_back({x, z, radius}); }

}  // namespace contentgen
