// CentreLine.h -- a circuit's closed centre line: built from straights and eased bends, sampled for the road.
//
// The centre line is the one shape every part of a circuit comes from: the floor, the walls,
// the gates, the computer route, the grid and (later) the visible road and scenery. A circuit is
// written as a list of pieces (straight, left or right bend with a radius), each with the road
// height at its end; bends ease in and out so the curvature never jumps, heights blend smoothly,
// the road banks into bends, and two straights marked adjustable are lengthened or shortened so
// that the loop closes exactly.
#pragma once

#include <string>
#include <vector>

#include "table/TableTypes.h"

namespace track {

// Cross-section across the road, measured from the centre line (left positive).
constexpr float kRoadHalfWidth = 150.0f;  // the asphalt
constexpr float kKerbWidth = 20.0f;       // kerb on bends, asphalt on straights
constexpr float kVergeWidth = 50.0f;      // rough ground between the kerb and the wall
constexpr float kBayWidth = 130.0f;       // a refill bay widens one verge to this

// One piece of a circuit's plan.
struct Piece {
    enum Kind { Straight, Left, Right } kind = Straight;
    float length = 0.0f;  // straights: length in units
    float angle = 0.0f;   // bends: degrees turned
    float radius = 0.0f;  // bends: radius of the tightest part
    float endHeight = 0.0f;
    bool adjustable = false;  // a straight the closing step may resize
    bool bay = false;         // a straight with a refill bay on its inner verge
};

Piece S(float length, float endHeight, bool adjustable = false);
Piece L(float angle, float radius, float endHeight);
Piece R(float angle, float radius, float endHeight);
Piece Bay(float length, float endHeight, bool adjustable = false);

// The plan of one circuit. The first piece starts at the origin heading -x at height
// `startHeight`; the pieces must turn through exactly one full circle in total.
struct Plan {
    std::string name;
    float startHeight = 0.0f;
    float bankPerCurvature = 60.0f;  // bank angle (radians) per unit curvature
    float maxBank = 0.09f;           // radians
    std::vector<Piece> pieces;
};

// One cross-section of the road.
struct Sample {
    float arc = 0.0f;                             // distance along the centre line (XZ) from the start
    yiVec3 centre{};                              // centre point; y is the road height there
    yiVec3 forward{};                             // unit driving direction in XZ (y = 0)
    float curvature = 0.0f;                       // 1 / radius, positive in left bends
    float crossSlope = 0.0f;                      // height gained per unit toward the left (banking)
    float verge[2] = {kVergeWidth, kVergeWidth};  // left, right
    bool refill[2] = {false, false};              // the verge is a refill bay
    bool kerb = false;                            // the kerb band is a kerb (on bends)

    // Left of the driving direction: (forward.z, 0, -forward.x).
    yiVec3 Left() const { return {forward.z, 0.0f, -forward.x}; }
    // Point at lateral offset `l` (left positive) on the road surface.
    yiVec3 At(float l) const;
    float WallOffset(int side) const { return kRoadHalfWidth + kKerbWidth + verge[side]; }
};

// A closed centre line sampled densely enough that straight lines between samples follow it.
class CentreLine {
public:
    // Builds the centre line of a plan; on failure (the loop does not close, a piece is bad)
    // Error() says why and the line is empty.
    static CentreLine Build(const Plan& plan);

    // The same road driven the other way: arc measured from the same start point backward.
    CentreLine Reversed() const;
    // Moves the whole line by (dx, dy, dz).
    void Translate(float dx, float dy, float dz);

    const std::vector<Sample>& Samples() const { return samples_; }
    float Length() const { return length_; }
    const std::string& Error() const { return error_; }
    bool Ok() const { return error_.empty() && samples_.size() >= 3; }

    // Interpolated cross-section at distance `arc` (wrapped into the lap).
    Sample At(float arc) const;
    // Index of the last sample at or before `arc` (wrapped).
    int SampleBefore(float arc) const;
    float Wrap(float arc) const;

    // Fine curvature profile used by the route speeds: curvature every `step` units of arc.
    std::vector<float> CurvatureProfile(float step) const;

private:
    std::vector<Sample> samples_;
    float length_ = 0.0f;
    std::string error_;
};

}  // namespace track
