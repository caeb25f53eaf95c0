// CentreLine.cpp -- builds and samples a circuit's closed centre line from its plan of straights and bends.
#include "tools/track/CentreLine.h"

#include <algorithm>
#include <cmath>

namespace track {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFineStep = 1.0;  // integration step (units of arc)
constexpr float kMaxSampleSpacing = 100.0f;
constexpr double kMaxSampleTurn = 0.04;         // radians of heading between samples
constexpr double kMaxSampleBankChange = 0.004;  // change of cross slope between samples
constexpr float kMinStraight = 100.0f;          // an adjusted straight keeps at least this length
constexpr float kBayTaper = 200.0f;
constexpr float kKerbCurvature = 1.0f / 4000.0f;

// One point of the finely integrated line.
struct Fine {
    double arc, x, z, y, heading, curvature;
    int piece;
};

double Smoothstep(double t) {
    t = std::min(1.0, std::max(0.0, t));
    return t * t * (3.0 - 2.0 * t);
}

// Ease length of a bend: part of its curvature ramps in and out over this distance.
double Ease(const Piece& p) {
    const double nominal = p.angle * kPi / 180.0 * p.radius;
    return std::min(0.35 * nominal, 400.0);
}

double PieceLength(const Piece& p) {
    if (p.kind == Piece::Straight) return p.length;
    return p.angle * kPi / 180.0 * p.radius + Ease(p);
}

// Signed curvature at distance s into a piece.
double PieceCurvature(const Piece& p, double s) {
    if (p.kind == Piece::Straight) return 0.0;
    const double sign = p.kind == Piece::Left ? 1.0 : -1.0;
    const double e = Ease(p), total = PieceLength(p);
    double ramp = 1.0;
    if (e > 0.0 && s < e) ramp = s / e;
    if (e > 0.0 && s > total - e) ramp = (total - s) / e;
    return sign * std::max(0.0, ramp) / p.radius;
}

// Integrates the plan; the last point lies at the end of the last piece.
std::vector<Fine> Integrate(const Plan& plan) {
    std::vector<Fine> fine;
    double x = 0.0, z = 0.0, heading = -kPi / 2.0, arc = 0.0, height = plan.startHeight;
    fine.push_back({0.0, 0.0, 0.0, height, heading, 0.0, 0});
    for (std::size_t i = 0; i < plan.pieces.size(); ++i) {
        const Piece& p = plan.pieces[i];
        const double len = PieceLength(p);
        const int steps = std::max(1, static_cast<int>(std::ceil(len / kFineStep)));
        const double ds = len / steps;
        const double h0 = height, h1 = p.endHeight;
        for (int k = 0; k < steps; ++k) {
            const double s0 = k * ds, s1 = (k + 1) * ds;
            const double k0 = PieceCurvature(p, s0), k1 = PieceCurvature(p, s1);
            const double mid = heading + 0.25 * (k0 + k1) * ds;
            x += std::sin(mid) * ds;
            z += std::cos(mid) * ds;
            heading += 0.5 * (k0 + k1) * ds;
            arc += ds;
            const double y = h0 + (h1 - h0) * Smoothstep(s1 / len);
            fine.push_back({arc, x, z, y, heading, k1, static_cast<int>(i)});
        }
        height = h1;
    }
    return fine;
}

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace

Piece S(float length, float endHeight, bool adjustable) {
    Piece p;
    p.kind = Piece::Straight;
    p.length = length;
    p.endHeight = endHeight;
    p.adjustable = adjustable;
    return p;
}

Piece L(float angle, float radius, float endHeight) {
    Piece p;
    p.kind = Piece::Left;
    p.angle = angle;
    p.radius = radius;
    p.endHeight = endHeight;
    return p;
}

Piece R(float angle, float radius, float endHeight) {
    Piece p = L(angle, radius, endHeight);
    p.kind = Piece::Right;
    return p;
}

Piece Bay(float length, float endHeight, bool adjustable) {
    Piece p = S(length, endHeight, adjustable);
    p.bay = true;
    return p;
}

yiVec3 Sample::At(float l) const {
    const yiVec3 left = Left();
    return {centre.x + left.x * l, centre.y + l * crossSlope, centre.z + left.z * l};
}

CentreLine CentreLine::Build(const Plan& input) {
    CentreLine line;
    Plan plan = input;
    double turn = 0.0;
    for (const Piece& p : plan.pieces) {
        if (p.kind == Piece::Straight && !(p.length >= 0.0f)) line.error_ = "a straight has a negative length";
        if (p.kind != Piece::Straight && !(p.angle > 0.0f && p.radius > 0.0f)) line.error_ = "a bend is degenerate";
        if (p.kind == Piece::Left) turn += p.angle;
        if (p.kind == Piece::Right) turn -= p.angle;
    }
    if (plan.pieces.empty()) line.error_ = "no pieces";
    if (std::fabs(std::fabs(turn) - 360.0) > 0.001)
        line.error_ = "the pieces turn " + std::to_string(turn) + " degrees, not one full circle";
    if (!line.error_.empty()) return line;

    // Close the loop: the straights' directions do not depend on their lengths, so the gap is
    // linear in the two adjustable lengths.
    std::vector<Fine> fine = Integrate(plan);
    const double gx = fine.back().x, gz = fine.back().z;
    std::vector<std::pair<std::size_t, double>> adjustable;  // piece, heading
    for (const Fine& f : fine)
        if (plan.pieces[f.piece].adjustable &&
            (adjustable.empty() || adjustable.back().first != static_cast<std::size_t>(f.piece)))
            adjustable.push_back({static_cast<std::size_t>(f.piece), f.heading});
    double best = 0.0;
    std::size_t bi = 0, bj = 0;
    for (std::size_t i = 0; i < adjustable.size(); ++i)
        for (std::size_t j = i + 1; j < adjustable.size(); ++j) {
            const double c = std::fabs(std::sin(adjustable[j].second - adjustable[i].second));
            if (c > best) {
                best = c;
                bi = i;
                bj = j;
            }
        }
    if (best < 0.3) {
        line.error_ = "the plan needs two adjustable straights that are not parallel";
        return line;
    }
    {
        const double ax = std::sin(adjustable[bi].second), az = std::cos(adjustable[bi].second);
        const double bx = std::sin(adjustable[bj].second), bz = std::cos(adjustable[bj].second);
        const double det = ax * bz - az * bx;
        const double a = (-gx * bz + gz * bx) / det;
        const double b = (-ax * gz + az * gx) / det;
        plan.pieces[adjustable[bi].first].length += static_cast<float>(a);
        plan.pieces[adjustable[bj].first].length += static_cast<float>(b);
        if (plan.pieces[adjustable[bi].first].length < kMinStraight ||
            plan.pieces[adjustable[bj].first].length < kMinStraight) {
            line.error_ = "closing the loop would shorten a straight below " + std::to_string(kMinStraight);
            return line;
        }
    }
    fine = Integrate(plan);
    if (std::hypot(fine.back().x, fine.back().z) > 0.05 || std::fabs(fine.back().y - plan.startHeight) > 0.001) {
        line.error_ = "the loop does not close";
        return line;
    }
    line.length_ = static_cast<float>(fine.back().arc);

    // Refill bays on the inner verge of their straights, with tapers at both ends.
    const int inner = turn > 0.0 ? 0 : 1;
    struct BayStretch {
        double from, to;
    };
    std::vector<BayStretch> bays;
    std::vector<double> forced;
    {
        double arc = 0.0;
        for (const Piece& p : plan.pieces) {
            const double len = PieceLength(p);
            if (p.bay && len > 4.0 * kBayTaper) {
                bays.push_back({arc, arc + len});
                for (double a : {arc, arc + kBayTaper, arc + len - kBayTaper, arc + len}) forced.push_back(a);
            }
            arc += len;
        }
    }
    auto bayAt = [&](double arc, float& width, bool& refill) {
        width = kVergeWidth;
        refill = false;
        for (const BayStretch& b : bays) {
            if (arc < b.from || arc > b.to) continue;
            const double into = std::min(arc - b.from, b.to - arc);
            const double t = std::min(1.0, into / kBayTaper);
            width = Lerp(kVergeWidth, kBayWidth, static_cast<float>(t));
            refill = into >= kBayTaper - 0.01;
        }
    };

    auto crossSlope = [&](const Fine& f) {
        const double bank =
            std::max(-double(plan.maxBank), std::min(double(plan.maxBank), f.curvature * plan.bankPerCurvature));
        return -std::tan(bank);
    };

    // Samples: where the heading or the banking has changed enough, at the longest spacing, and
    // at the ends of bays, so that flat polygons between samples follow the road closely.
    std::size_t nextForced = 0;
    std::sort(forced.begin(), forced.end());
    const Fine* last = nullptr;
    for (std::size_t i = 0; i + 1 < fine.size(); ++i) {
        const Fine& f = fine[i];
        bool take = last == nullptr || f.arc - last->arc >= kMaxSampleSpacing - 1e-6 ||
                    std::fabs(f.heading - last->heading) >= kMaxSampleTurn ||
                    std::fabs(crossSlope(f) - crossSlope(*last)) >= kMaxSampleBankChange;
        while (nextForced < forced.size() && forced[nextForced] <= f.arc + 1e-6) {
            if (std::fabs(forced[nextForced] - f.arc) < kFineStep) take = true;
            ++nextForced;
        }
        if (!take) continue;
        if (line.length_ - f.arc < 2.0 * kFineStep && last != nullptr) break;  // would repeat sample 0
        Sample s;
        s.arc = static_cast<float>(f.arc);
        s.centre = {static_cast<float>(f.x), static_cast<float>(f.y), static_cast<float>(f.z)};
        s.forward = {static_cast<float>(std::sin(f.heading)), 0.0f, static_cast<float>(std::cos(f.heading))};
        s.curvature = static_cast<float>(f.curvature);
        s.crossSlope = static_cast<float>(crossSlope(f));
        s.kerb = std::fabs(s.curvature) > kKerbCurvature;
        bayAt(f.arc, s.verge[inner], s.refill[inner]);
        line.samples_.push_back(s);
        last = &f;
    }
    return line;
}

CentreLine CentreLine::Reversed() const {
    CentreLine r;
    r.length_ = length_;
    r.error_ = error_;
    const std::size_t n = samples_.size();
    for (std::size_t k = 0; k < n; ++k) {
        const Sample& s = samples_[(n - k) % n];
        Sample t = s;
        t.arc = k == 0 ? 0.0f : length_ - s.arc;
        t.forward = {-s.forward.x, 0.0f, -s.forward.z};
        t.curvature = -s.curvature;
        t.crossSlope = -s.crossSlope;
        t.verge[0] = s.verge[1];
        t.verge[1] = s.verge[0];
        t.refill[0] = s.refill[1];
        t.refill[1] = s.refill[0];
        r.samples_.push_back(t);
    }
    return r;
}

void CentreLine::Translate(float dx, float dy, float dz) {
    for (Sample& s : samples_) {
        s.centre.x += dx;
        s.centre.y += dy;
        s.centre.z += dz;
    }
}

float CentreLine::Wrap(float arc) const {
    if (length_ <= 0.0f) return 0.0f;
    float a = std::fmod(arc, length_);
    if (a < 0.0f) a += length_;
    return a >= length_ ? 0.0f : a;
}

int CentreLine::SampleBefore(float arc) const {
    const float a = Wrap(arc);
    auto it = std::upper_bound(samples_.begin(), samples_.end(), a, [](float v, const Sample& s) { return v < s.arc; });
    const int i = static_cast<int>(it - samples_.begin()) - 1;
    return std::max(0, i);
}

Sample CentreLine::At(float arc) const {
    const float a = Wrap(arc);
    const int i = SampleBefore(a);
    const int n = static_cast<int>(samples_.size());
    const Sample& s0 = samples_[i];
    const Sample& s1 = samples_[(i + 1) % n];
    const float to = i + 1 < n ? s1.arc : length_;
    const float t = to > s0.arc ? (a - s0.arc) / (to - s0.arc) : 0.0f;
    Sample s = s0;
    s.arc = a;
    s.centre = {Lerp(s0.centre.x, s1.centre.x, t), Lerp(s0.centre.y, s1.centre.y, t),
                Lerp(s0.centre.z, s1.centre.z, t)};
    const float fx = Lerp(s0.forward.x, s1.forward.x, t), fz = Lerp(s0.forward.z, s1.forward.z, t);
    const float len = std::sqrt(fx * fx + fz * fz);
    s.forward = len > 0.0f ? yiVec3{fx / len, 0.0f, fz / len} : s0.forward;
    s.curvature = Lerp(s0.curvature, s1.curvature, t);
    s.crossSlope = Lerp(s0.crossSlope, s1.crossSlope, t);
    for (int side = 0; side < 2; ++side) {
        s.verge[side] = Lerp(s0.verge[side], s1.verge[side], t);
        s.refill[side] = s0.refill[side] && s1.refill[side];
    }
    s.kerb = s0.kerb && s1.kerb;
    return s;
}

std::vector<float> CentreLine::CurvatureProfile(float step) const {
    std::vector<float> out;
    for (float a = 0.0f; a < length_; a += step) out.push_back(At(a).curvature);
    return out;
}

}  // namespace track
