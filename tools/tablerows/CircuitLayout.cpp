// Circuit layouts for the table rows: centre-line gates and the stadium stand-in.
#include "tools/tablerows/CircuitLayout.h"

#include <algorithm>
#include <cmath>

#include "table/CircuitFixedRows.h"

namespace tablerows {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kFreeSectionLength = 150.0f;

float Wrap(float arc, float length) {
    float a = std::fmod(arc, length);
    return a < 0.0f ? a + length : a;
}

yiVec3 Normalised(yiVec3 v) {
    const float n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (n <= 0.0f) return {-1.0f, 0.0f, 0.0f};
    return {v.x / n, v.y / n, v.z / n};
}

// Point and direction at distance u along a stadium lap: a straight toward -x from
// (straight / 2, 0), a half circle, the back straight toward +x, and a half circle back.
void StadiumAt(float u, float straight, float radius, yiVec3& point, yiVec3& dir) {
    const float half = kPi * radius;
    if (u < straight) {
        point = {0.5f * straight - u, 0.0f, 0.0f};
        dir = {-1.0f, 0.0f, 0.0f};
        return;
    }
    u -= straight;
    if (u < half) {
        const float a = u / radius;
        point = {-0.5f * straight - radius * std::sin(a), 0.0f, -radius + radius * std::cos(a)};
        dir = {-std::cos(a), 0.0f, -std::sin(a)};
        return;
    }
    u -= half;
    if (u < straight) {
        point = {-0.5f * straight + u, 0.0f, -2.0f * radius};
        dir = {1.0f, 0.0f, 0.0f};
        return;
    }
    u -= straight;
    const float a = std::min(u, half) / radius;
    point = {0.5f * straight + radius * std::sin(a), 0.0f, -radius - radius * std::cos(a)};
    dir = {std::cos(a), 0.0f, std::sin(a)};
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

CircuitLayout MakeStandInLayout(int n, const int32_t startSections[16], yiVec3 anchor) {
    using circuit_fixed::kGridStep;
    // Distances are measured backward from grid slot 0 (t = 0); slot k stands at -k * step.
    // Gates between two slots of different sections are spread evenly between them.
    std::vector<float> gateT(static_cast<std::size_t>(n), 0.0f);
    const float front = 0.5f * kGridStep;
    const float back = -15.5f * kGridStep;
    for (int k = 1; k < 16; ++k) {
        const int ahead = startSections[k - 1];
        const int behind = startSections[k];
        const int m = ((ahead - behind) % n + n) % n;  // gates behind+1 .. ahead
        for (int j = 1; j <= m; ++j) {
            const int gate = (behind + j) % n;
            gateT[gate] = -static_cast<float>(k) * kGridStep + kGridStep * static_cast<float>(j) / (m + 1);
        }
    }
    // The rear grid section begins behind the last slot; the free sections run from the front
    // of the grid round to it.
    const int rear = startSections[15];
    gateT[rear] = back;
    const int firstFree = (startSections[0] + 1) % n;
    const int freeCount = ((rear - firstFree) % n + n) % n;  // sections firstFree .. rear-1
    for (int j = 0; j < freeCount; ++j) {
        const int gate = (firstFree + j) % n;
        gateT[gate] = front + kFreeSectionLength * static_cast<float>(j);
    }
    const float length = (front - back) + kFreeSectionLength * static_cast<float>(freeCount);

    // Stadium centre line: the start straight (toward -x) holds the grid in its middle.
    const float gridLength = front - back;
    const float straight = std::max(0.3f * length, gridLength + 1000.0f);
    const float radius = (length - 2.0f * straight) / (2.0f * kPi);
    const float shift = 0.5f * straight - 0.5f * (front + back);

    CircuitLayout layout;
    layout.length = length;
    for (int s = 0; s < n; ++s) {
        yiVec3 p, d;
        StadiumAt(Wrap(gateT[s] + shift, length), straight, radius, p, d);
        layout.gateMid.push_back(p);
        layout.forward.push_back(d);
        layout.gateArc.push_back(Wrap(gateT[s] - gateT[0], length));
    }
    layout.gateArc[0] = 0.0f;
    // Move slot 0's column midpoint onto the anchor.
    yiVec3 slot0, dir;
    StadiumAt(Wrap(shift, length), straight, radius, slot0, dir);
    for (yiVec3& p : layout.gateMid) {
        p.x += anchor.x - slot0.x;
        p.y = anchor.y;
        p.z += anchor.z - slot0.z;
    }
    return layout;
}

}  // namespace tablerows
