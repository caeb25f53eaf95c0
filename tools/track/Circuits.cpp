// Circuits.cpp -- the six circuits: each one's plan of straights and bends, heights and where its grid stands.
#include "tools/track/Circuits.h"

#include "table/CircuitFixedRows.h"

namespace track {
namespace {

// Slot 15 of the forward grid stands this far along the start straight; slot 0 fifteen slots on.
constexpr float kGridRearArc = 700.0f;
constexpr float kGridFrontArc = kGridRearArc + 15.0f * circuit_fixed::kGridStep;

constexpr CourseInfo kCourses[] = {
    {2, "Spain", "CourseBarcelona", 287, false},      {3, "Niseko", "CourseNiseko", 79, false},
    {4, "Berlin", "CourseBerlin", 329, false},        {5, "Qir", "CourseQir", 461, false},
    {6, "Sydney", "CourseSydney", 325, false},        {7, "Canada", "CourseCanada", 268, false},
    {8, "SpainRev", "CourseBarcelonaRev", 287, true}, {9, "NisekoRev", "CourseNisekoRev", 79, true},
    {10, "BerlinRev", "CourseBerlinRev", 329, true},  {11, "QirRev", "CourseQirRev", 461, true},
    {12, "SydneyRev", "CourseSydneyRev", 325, true},  {13, "CanadaRev", "CourseCanadaRev", 268, true},
};

// Barcelona: a long start straight into a fast right, a climb to a long sweeper, a hairpin
// complex, the back straight, a chicane and the pit straight onto the start; gentle hills.
Circuit Barcelona() {
    const float h0 = 0.199347f;
    Circuit c;
    c.plan.name = "Barcelona";
    c.plan.startHeight = h0;
    c.plan.pieces = {S(4000, h0),      R(90, 900, h0),    S(6000, 200, true), L(40, 700, 200), R(100, 1500, 180),
                     S(2500, 120),     L(60, 700, 100),   R(150, 500, 80),    S(1500, 60),     L(90, 700, 60),
                     S(1500, 40),      R(80, 600, 40),    S(4000, 60),        L(70, 900, 60),  R(70, 800, 40),
                     S(1500, 20),      R(60, 1100, 10),   Bay(3000, 10),      S(1500, h0),     L(30, 800, h0),
                     R(100, 1000, h0), S(2000, h0, true), S(1000, h0)};
    c.gridFrontArc = kGridFrontArc;
    c.anchor = {-917.846f, h0, 5600.0f};
    return c;
}

// Niseko: a short mountain lap: a climb past the refill bay, switchbacks over the top and a long
// descent back to the start; strongly banked bends.
Circuit Niseko() {
    Circuit c;
    c.plan.name = "Niseko";
    c.plan.bankPerCurvature = 80.0f;
    c.plan.pieces = {S(3800, 0),        L(90, 700, 20), Bay(1500, 80),    L(90, 600, 100), S(2700, 220, true),
                     R(120, 500, 260),  S(800, 290),    L(150, 500, 300), S(1500, 260),    L(60, 800, 230),
                     S(3000, 80, true), L(90, 700, 30), S(600, 0)};
    c.gridFrontArc = kGridFrontArc;
    c.anchor = {0.0f, 0.0f, 0.0f};
    return c;
}

// Berlin: a flat street circuit of right-angle corners between city straights, stepping up and
// back down through the blocks.
Circuit Berlin() {
    Circuit c;
    c.plan.name = "Berlin";
    c.plan.bankPerCurvature = 0.0f;
    c.plan.pieces = {S(4200, 0),    R(90, 500, 0), S(3000, 0),    R(90, 500, 0),    S(2000, 0),
                     L(90, 500, 0), S(2500, 0),    R(90, 500, 0), S(4000, 0, true), R(90, 600, 0),
                     S(1000, 0),    R(90, 500, 0), S(1500, 0),    L(90, 500, 0),    Bay(3000, 0, true),
                     R(45, 700, 0), L(45, 700, 0), S(800, 0),     R(90, 500, 0),    S(1000, 0)};
    c.gridFrontArc = kGridFrontArc;
    c.anchor = {0.0f, 0.0f, 0.0f};
    return c;
}

// New Tokyo Qir: long sweepers climbing onto the elevated roads between the towers, a high
// back section and a twisting descent to the start.
Circuit Qir() {
    Circuit c;
    c.plan.name = "Qir";
    c.plan.pieces = {S(4200, 0),     R(60, 1600, 0),   R(40, 900, 40),     S(3000, 180),     L(80, 1200, 260),
                     S(2500, 360),   R(120, 700, 400), S(3500, 400, true), R(70, 1800, 360), L(50, 900, 320),
                     S(2500, 220),   R(90, 600, 200),  S(3500, 60, true),  R(60, 1200, 20),  L(100, 800, 0),
                     R(100, 800, 0), S(2000, 40),      R(50, 1500, 0),     Bay(1500, 0)};
    c.gridFrontArc = kGridFrontArc;
    c.anchor = {-4032.77f, 0.0f, 8180.05f};
    return c;
}

// Sydney: flowing bends along the harbour, a long climb over the bridge and back down, and a
// long straight home past the refill bay.
Circuit Sydney() {
    Circuit c;
    c.plan.name = "Sydney";
    c.plan.pieces = {S(4000, 0),        L(70, 1400, 0), R(50, 900, 10),   L(90, 700, 20),
                     S(3500, 180),      S(2500, 180),   S(3000, 40),      L(110, 900, 40),
                     S(3500, 60, true), R(60, 700, 60), L(110, 1100, 40), Bay(6000, 20, true),
                     L(90, 600, 0),     R(40, 800, 0),  L(40, 1000, 0),   S(800, 0)};
    c.gridFrontArc = kGridFrontArc;
    c.anchor = {0.0f, 0.0f, 0.0f};
    return c;
}

// Canada: a long narrow island: the lake straight, a chicane, the far hairpin and the return
// along the other shore past the refill bay.
Circuit Canada() {
    Circuit c;
    c.plan.name = "Canada";
    c.plan.pieces = {S(5500, 0),      L(30, 1500, 0), R(60, 700, 10),  R(60, 700, 20), S(1000, 30, true),
                     R(90, 800, 40),  S(5000, 80),    L(50, 700, 80),  R(50, 700, 60), S(4000, 30, true),
                     R(60, 1200, 20), S(1500, 20),    R(120, 500, 10), Bay(3000, 0),   S(1500, 0)};
    c.gridFrontArc = kGridFrontArc;
    c.anchor = {0.0f, 0.0f, 0.0f};
    return c;
}

}  // namespace

const CourseInfo* GetCourseInfo(int courseId) {
    for (const CourseInfo& c : kCourses)
        if (c.courseId == courseId) return &c;
    return nullptr;
}

std::string FloorFileName(const CourseInfo& info) {
    return std::string("data/collision/course") + info.collisionBase + "Colli.clb";
}
std::string WallFileName(const CourseInfo& info) {
    return std::string("data/collision/course") + info.collisionBase + "Wall.wlb";
}
std::string RouteFileName(const CourseInfo& info) {
    return std::string("data/collision/course") + info.collisionBase + "Route.rtb";
}

const Circuit& GetCircuit(int forwardCourseId) {
    static const Circuit kCircuits[6] = {Barcelona(), Niseko(), Berlin(), Qir(), Sydney(), Canada()};
    int i = forwardCourseId - kFirstLayoutCourse;
    if (i < 0 || i >= 6) i = 0;
    return kCircuits[i];
}

}  // namespace track
