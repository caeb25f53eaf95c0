// Layout.cpp -- course layouts: the driving direction, the gates of the route sections, the grid and the
// checkpoints of each course id, placed so that the start sections the course table fixes hold
// their grid slots.
#include "tools/track/Layout.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "table/CircuitFixedRows.h"

namespace track {
namespace {

using circuit_fixed::kGridHalfGap;
using circuit_fixed::kGridStep;

int Mod(int a, int n) { return ((a % n) + n) % n; }

// Arcs (in the layout's own driving direction, unwrapped) of every section's gate, given the
// arcs of the sixteen grid slots: gates between slots of different sections are spread evenly
// between them, the rear grid section begins half a slot behind the last slot, and the sections
// ahead of the grid share the rest of the lap evenly, the first beginning half a slot ahead of
// slot 0.
bool PlaceGates(int n, const int32_t start[16], const float slotArc[16], float length, std::vector<float>& arcs,
                std::string& error) {
    std::vector<bool> placed(static_cast<std::size_t>(n), false);
    arcs.assign(static_cast<std::size_t>(n), 0.0f);
    auto place = [&](int section, float arc) {
        if (section < 0 || section >= n || placed[section]) {
            error = "start sections are not in driving order";
            return;
        }
        placed[section] = true;
        arcs[section] = arc;
    };
    for (int k = 0; k < 15; ++k) {
        const int m = Mod(start[k] - start[k + 1], n);
        for (int j = 1; j <= m; ++j)
            place(Mod(start[k + 1] + j, n), slotArc[k + 1] + kGridStep * static_cast<float>(j) / (m + 1));
    }
    place(start[15], slotArc[15] - 0.5f * kGridStep);
    const int free = Mod(start[15] - start[0] - 1, n);
    const float from = slotArc[0] + 0.5f * kGridStep;
    const float to = slotArc[15] - 0.5f * kGridStep + length;
    const float spacing = free > 0 ? (to - from) / static_cast<float>(free) : 0.0f;
    for (int j = 0; j < free; ++j) place(Mod(start[0] + 1 + j, n), from + spacing * static_cast<float>(j));
    if (!error.empty()) return false;
    if (std::find(placed.begin(), placed.end(), false) != placed.end()) {
        error = "a section has no gate";
        return false;
    }
    return true;
}

}  // namespace

float Layout::SectionLength(int s) const {
    const int n = SectionCount();
    if (n <= 1) return line.Length();
    const float d = line.Wrap(gates[(s + 1) % n].arc - gates[s].arc);
    return d;
}

int Layout::SectionAtArc(float arc) const {
    const int n = SectionCount();
    if (n == 0) return -1;
    const float rel = line.Wrap(arc - gates[0].arc);
    int lo = 0, hi = n - 1;
    while (lo < hi) {  // last gate whose relative arc is at or before rel
        const int mid = (lo + hi + 1) / 2;
        if (line.Wrap(gates[mid].arc - gates[0].arc) <= rel)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

tablerows::CircuitLayout Layout::ForTableRows() const {
    tablerows::CircuitLayout out;
    out.length = line.Length();
    for (const Gate& g : gates) {
        const Sample s = line.At(g.arc);
        out.gateMid.push_back(s.centre);
        out.forward.push_back(s.forward);
        out.crossSlope.push_back(s.crossSlope);
        out.gateArc.push_back(line.Wrap(g.arc - gates[0].arc));
    }
    out.grid.assign(grid, grid + 16);
    return out;
}

Layout BuildLayout(int courseId) {
    Layout layout;
    layout.info = GetCourseInfo(courseId);
    if (!layout.info) {
        layout.error = "no layout for course " + std::to_string(courseId);
        return layout;
    }
    const int forwardId = layout.info->reverse ? courseId - kReverseOffset : courseId;
    const Circuit& circuit = GetCircuit(forwardId);
    CentreLine line = CentreLine::Build(circuit.plan);
    if (!line.Ok()) {
        layout.error = circuit.plan.name + ": " + line.Error();
        return layout;
    }
    // The forward grid's slot 0 stands on the anchor.
    const Sample front = line.At(circuit.gridFrontArc);
    line.Translate(circuit.anchor.x - front.centre.x, circuit.anchor.y - front.centre.y,
                   circuit.anchor.z - front.centre.z);

    // Grid slot arcs: forward, slot k stands k slots behind slot 0; reversed, the grid stands
    // mirrored on the same start straight, driven the other way.
    const float straight = circuit.plan.pieces.front().length;
    float slotArc[16];
    if (layout.info->reverse) {
        line = line.Reversed();
        const float frontForward = straight - circuit.gridFrontArc;
        for (int k = 0; k < 16; ++k)
            slotArc[k] = line.Wrap(line.Length() - (frontForward + kGridStep * static_cast<float>(k)));
    } else {
        for (int k = 0; k < 16; ++k) slotArc[k] = circuit.gridFrontArc - kGridStep * static_cast<float>(k);
    }
    // Unwrap so the slot arcs fall backward from slot 0 without jumping.
    for (int k = 1; k < 16; ++k)
        while (slotArc[k] > slotArc[k - 1]) slotArc[k] -= line.Length();

    const int n = layout.info->sectionCount;
    std::vector<float> arcs;
    if (!PlaceGates(n, circuit_fixed::kStartSections[courseId], slotArc, line.Length(), arcs, layout.error)) {
        layout.error = circuit.plan.name + ": " + layout.error;
        return layout;
    }
    for (int s = 0; s < n; ++s) {
        const float arc = line.Wrap(arcs[s]);
        const Sample cs = line.At(arc);
        Gate g;
        g.arc = arc;
        g.a = cs.At(cs.WallOffset(0) + kGateOverhang);
        g.b = cs.At(-(cs.WallOffset(1) + kGateOverhang));
        layout.gates.push_back(g);
    }
    for (int k = 0; k < 16; ++k) {
        layout.gridArc[k] = line.Wrap(slotArc[k]);
        const Sample s = line.At(layout.gridArc[k]);
        layout.grid[k] = s.At(k % 2 == 0 ? kGridHalfGap : -kGridHalfGap);
    }
    for (int i = 0; i < kCheckpointCount; ++i) layout.checkpoints[i] = i * n / kCheckpointCount;
    layout.line = std::move(line);

    for (int s = 0; s < n; ++s)
        if (!(layout.SectionLength(s) > kMaxStepTravel)) {
            layout.error = std::string(layout.info->collisionBase) + ": section " + std::to_string(s) + " is only " +
                           std::to_string(layout.SectionLength(s)) + " units long";
            break;
        }
    return layout;
}

const std::vector<Layout>& AllLayouts() {
    static const std::vector<Layout> kLayouts = [] {
        std::vector<Layout> layouts(kLastLayoutCourse + 1);
        std::vector<std::thread> threads;
        for (int id = kFirstLayoutCourse; id <= kLastLayoutCourse; ++id)
            threads.emplace_back([&layouts, id] { layouts[id] = BuildLayout(id); });
        for (std::thread& t : threads) t.join();
        return layouts;
    }();
    return kLayouts;
}

}  // namespace track
