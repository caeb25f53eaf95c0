// Circuit layouts for the table rows: gates cut from a closed centre line.
#include "tools/tablerows/CircuitLayout.h"

#include <algorithm>
#include <cmath>

namespace tablerows {
namespace {

float Wrap(float arc, float length) {
    float a = std::fmod(arc, length);
    return a < 0.0f ? a + length : a;
}

yiVec3 Normalised(yiVec3 v) {
    const float n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (n <= 0.0f) return {-1.0f, 0.0f, 0.0f};
    return {v.x / n, v.y / n, v.z / n};
}

}  // namespace

void CircuitLayout::PointAt(float arc, yiVec3& point, yiVec3& dir) const {
    const int n = SectionCount();
    const float a = Wrap(arc, length);
    int s = SectionAt(*this, a);
    const int next = (s + 1) % n;
    const float from = gateArc[s];
    const float to = next == 0 ? length : gateArc[next];
    const float t = to > from ? (a - from) / (to - from) : 0.0f;
    const yiVec3& p0 = gateMid[s];
    const yiVec3& p1 = gateMid[next];
    point = {p0.x + (p1.x - p0.x) * t, p0.y + (p1.y - p0.y) * t, p0.z + (p1.z - p0.z) * t};
    dir = forward[s];
}

float CircuitLayout::CrossSlopeAt(float arc) const {
    const int n = SectionCount();
    if (static_cast<int>(crossSlope.size()) != n || n == 0) return 0.0f;
    const float a = Wrap(arc, length);
    const int s = SectionAt(*this, a);
    const int next = (s + 1) % n;
    const float from = gateArc[s];
    const float to = next == 0 ? length : gateArc[next];
    const float t = to > from ? (a - from) / (to - from) : 0.0f;
    return crossSlope[s] + (crossSlope[next] - crossSlope[s]) * t;
}

int SectionAt(const CircuitLayout& layout, float arc) {
    const float a = Wrap(arc, layout.length);
    auto it = std::upper_bound(layout.gateArc.begin(), layout.gateArc.end(), a);
    const int s = static_cast<int>(it - layout.gateArc.begin()) - 1;
    return s < 0 ? 0 : s;
}

CircuitLayout LayoutFromCentreLine(const std::vector<yiVec3>& line, const std::vector<float>& gateArc) {
    CircuitLayout layout;
    const std::size_t n = line.size();
    std::vector<float> cumulative(n + 1, 0.0f);
    for (std::size_t i = 0; i < n; ++i) {
        const yiVec3& a = line[i];
        const yiVec3& b = line[(i + 1) % n];
        cumulative[i + 1] = cumulative[i] + std::hypot(b.x - a.x, b.z - a.z);
    }
    layout.length = cumulative[n];
    layout.gateArc = gateArc;
    for (float arc : gateArc) {
        const float a = Wrap(arc, layout.length);
        std::size_t i =
            static_cast<std::size_t>(std::upper_bound(cumulative.begin(), cumulative.end(), a) - cumulative.begin());
        i = std::min(std::max<std::size_t>(i, 1), n) - 1;
        const yiVec3& p0 = line[i];
        const yiVec3& p1 = line[(i + 1) % n];
        const float seg = cumulative[i + 1] - cumulative[i];
        const float t = seg > 0.0f ? (a - cumulative[i]) / seg : 0.0f;
        layout.gateMid.push_back({p0.x + (p1.x - p0.x) * t, p0.y + (p1.y - p0.y) * t, p0.z + (p1.z - p0.z) * t});
        layout.forward.push_back(Normalised({p1.x - p0.x, 0.0f, p1.z - p0.z}));
    }
    return layout;
}

}  // namespace tablerows
