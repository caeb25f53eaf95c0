// RouteRows.cpp -- derives a layout's computer route table from the curvature of its centre line.
#include "tools/track/RouteRows.h"

#include <algorithm>
#include <cmath>

namespace track {
namespace {

constexpr float kStep = 10.0f;             // profile spacing along the centre line
constexpr float kBrakeMps2 = 30.0f;        // deceleration the driver plans with
constexpr float kMinSpeed = 120.0f;        // km/h
constexpr float kLookAheadUnits = 400.0f;  // nextRoute reaches this far
constexpr float kBoostReach = 1500.0f;     // a boost section sees this much fast road ahead
constexpr float kLineShiftPerCurvature = 600.0f;
constexpr float kMaxLineShift = 0.55f;
constexpr float kOvertakeShift = 0.6f;
constexpr float kBendCurvature = 1.0f / 3000.0f;
constexpr double kPi = 3.14159265358979323846;

float RoundTo5(float v) { return 5.0f * std::round(v / 5.0f); }

}  // namespace

std::vector<zfmt::RouteEntry> BuildRouteRows(const Layout& layout) {
    const CentreLine& line = layout.line;
    const int n = layout.SectionCount();
    std::vector<zfmt::RouteEntry> rows(static_cast<std::size_t>(n));
    if (n == 0 || line.Length() <= 0.0f) return rows;

    // Speed profile from the goal gate on: the bend limit, then braking back from every limit.
    const float origin = layout.gates[0].arc;
    const int m = std::max(1, static_cast<int>(line.Length() / kStep));
    std::vector<float> curvature(m), speed(m);
    for (int i = 0; i < m; ++i) {
        curvature[i] = line.At(origin + i * kStep).curvature;
        const float k = std::fabs(curvature[i]);
        speed[i] = k > 1e-6f ? std::min(kStraightRouteSpeed, kCornerSpeedPerRadius / k) : kStraightRouteSpeed;
        speed[i] = std::max(speed[i], kMinSpeed);
    }
    const float dsMetres = kStep / 10.0f;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = m - 1; i >= 0; --i) {
            const float next = speed[(i + 1) % m] / 3.6f;
            const float allowed = std::sqrt(next * next + 2.0f * kBrakeMps2 * dsMetres) * 3.6f;
            speed[i] = std::min(speed[i], allowed);
        }
    auto profileIndex = [&](float arc) { return static_cast<int>(line.Wrap(arc - origin) / kStep) % m; };
    auto minSpeed = [&](float from, float length) {
        float v = kStraightRouteSpeed;
        for (float a = 0.0f; a <= length; a += kStep) v = std::min(v, speed[profileIndex(from + a)]);
        return v;
    };
    // Curvature averaged a little behind and further ahead, so the line sets up before a bend.
    auto lineCurvature = [&](float arc) {
        float sum = 0.0f;
        int count = 0;
        for (float a = -200.0f; a <= 400.0f; a += kStep, ++count) sum += curvature[profileIndex(arc + a)];
        return sum / static_cast<float>(count);
    };

    for (int s = 0; s < n; ++s) {
        zfmt::RouteEntry& e = rows[s];
        const float from = layout.gates[s].arc;
        const float length = layout.SectionLength(s);
        const Sample cs = line.At(from + 0.5f * length);
        e.bank = static_cast<int>(std::lround(std::atan(-cs.crossSlope) * 180.0 / kPi));
        const float v = minSpeed(from, length);
        const bool boost = minSpeed(from, length + kBoostReach) >= kBoostRouteSpeed;
        const float shift =
            std::max(-kMaxLineShift, std::min(kMaxLineShift, lineCurvature(from) * kLineShiftPerCurvature));
        int ahead = 0;
        float reach = 0.0f;
        while (ahead < 8 && (ahead < 2 || reach < kLookAheadUnits)) {
            ++ahead;
            reach += layout.SectionLength((s + ahead) % n);
        }
        for (int t = 0; t < 2; ++t) {
            // Driving type 1 slides through bends: a little faster, a tighter line.
            e.speed[t] = RoundTo5(std::min(kStraightRouteSpeed, v * (t == 0 ? 1.0f : 1.05f)));
            e.boost[t] = boost ? 1 : 0;
            e.posShift[t] = shift * (t == 0 ? 1.0f : 0.8f);
            e.otShift[t] = e.posShift[t] > 0.05f ? -kOvertakeShift : kOvertakeShift;
            e.nextRoute[t] = ahead;
            e.useTf[t] = std::fabs(cs.curvature) > kBendCurvature ? 1 : 0;
        }
    }
    return rows;
}

}  // namespace track
