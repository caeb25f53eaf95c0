// MenuArt2.cpp -- painters of the menus' pictures: course maps, strip icons, course information and marks.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "menu/MenuArtKit.h"
#include "menu/TestArt.h"
#include "tools/track/Layout.h"

namespace contentgen {

namespace {

using namespace menuart;

constexpr std::uint32_t kEdge = 0xFFD0DCEBu;
constexpr std::uint32_t kDim = 0xFFB4BCC8u;
constexpr std::uint32_t kOutline = 0xE0101018u;

int IntAt(const std::vector<std::string>& p, size_t i, int fallback) {
    return i < p.size() && !p[i].empty() ? std::atoi(p[i].c_str()) : fallback;
}

// The centre line of a course id in the map's plane (x right, world z down), or none.
std::vector<Point> CoursePoints(int courseId, Point* start) {
    std::vector<Point> out;
    const std::vector<track::Layout>& all = track::AllLayouts();
    if (courseId < 2 || courseId >= static_cast<int>(all.size()) || !all[size_t(courseId)].error.empty()) return out;
    const track::Layout& l = all[size_t(courseId)];
    for (const track::Sample& s : l.line.Samples()) out.push_back({s.centre.x, s.centre.z});
    if (start) {
        const float arc = l.gates.empty() ? 0.0f : l.gates[0].arc;
        const track::Sample s = l.line.At(arc);
        *start = {s.centre.x, s.centre.z};
    }
    return out;
}

// Scale and offset that put `start` at `target` and keep every point within the box.
void FitAround(const std::vector<Point>& pts, Point start, Point target, float x0, float y0, float x1, float y1,
               float* scale, Point* offset) {
    float s = 1e9f;
    for (const Point& p : pts) {
        const float dx = p.x - start.x, dy = p.y - start.y;
        if (dx > 0.0f) s = std::min(s, (x1 - target.x) / dx);
        if (dx < 0.0f) s = std::min(s, (x0 - target.x) / dx);
        if (dy > 0.0f) s = std::min(s, (y1 - target.y) / dy);
        if (dy < 0.0f) s = std::min(s, (y0 - target.y) / dy);
    }
    *scale = s;
    *offset = {target.x - start.x * s, target.y - start.y * s};
}

// Scale and offset that centre the points in the box.
void FitCentred(const std::vector<Point>& pts, float x0, float y0, float x1, float y1, float* scale, Point* offset) {
    float minX = 1e30f, minY = 1e30f, maxX = -1e30f, maxY = -1e30f;
    for (const Point& p : pts) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const float s = std::min((x1 - x0) / std::max(1.0f, maxX - minX), (y1 - y0) / std::max(1.0f, maxY - minY));
    *scale = s;
    *offset = {(x0 + x1) / 2 - (minX + maxX) / 2 * s, (y0 + y1) / 2 - (minY + maxY) / 2 * s};
}

std::vector<Point> Transform(const std::vector<Point>& pts, float s, Point o) {
    std::vector<Point> out;
    out.reserve(pts.size());
    for (const Point& p : pts) out.push_back({p.x * s + o.x, p.y * s + o.y});
    return out;
}

// The road: a dark casing, the asphalt and a light centre line.
void DrawRoad(SpriteCanvas& c, const std::vector<Point>& pts, float width, std::uint32_t accent) {
    Polyline(c, pts, true, width + 6.0f, 0xE0080A10u);
    Polyline(c, pts, true, width, 0xFF5A6070u);
    Polyline(c, pts, true, std::max(1.5f, width * 0.22f), Mix(accent, 0xFFFFFFFFu, 0.35f));
}

// A chequered start line across the road at `at`, square to the road there.
void StartLine(SpriteCanvas& c, const std::vector<Point>& pts, Point at, float width) {
    size_t best = 0;
    float bestD = 1e30f;
    for (size_t i = 0; i < pts.size(); ++i) {
        const float d = std::hypot(pts[i].x - at.x, pts[i].y - at.y);
        if (d < bestD) bestD = d, best = i;
    }
    const Point& a = pts[best];
    const Point& b = pts[(best + 1) % pts.size()];
    float fx = b.x - a.x, fy = b.y - a.y;
    const float len = std::max(1e-3f, std::hypot(fx, fy));
    fx /= len, fy /= len;
    const float nx = -fy, ny = fx;
    const int cells = 4;
    const float half = width * 0.75f, cell = 2 * half / cells;
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < cells; ++k) {
            const float o = -half + k * cell, t = (row - 1) * cell;
            const Point q[4] = {{a.x + nx * o + fx * t, a.y + ny * o + fy * t},
                                {a.x + nx * (o + cell) + fx * t, a.y + ny * (o + cell) + fy * t},
                                {a.x + nx * (o + cell) + fx * (t + cell), a.y + ny * (o + cell) + fy * (t + cell)},
                                {a.x + nx * o + fx * (t + cell), a.y + ny * o + fy * (t + cell)}};
            FillPolygon(c, {q[0], q[1], q[2], q[3]}, (k + row) % 2 ? 0xFF101010u : 0xFFFFFFFFu);
        }
}

// The plan as the course select's map draws it: the start line just above or below the
// direction arrow (its tip at ax, ay), the plan either way up (the start straight keeps its
// direction), whichever lets the map be largest in a w x h picture.
void ChoosePlan(const std::vector<Point>& world, Point* start, float ax, float ay, int w, int h,
                std::vector<Point>* plan, float* scale, Point* offset) {
    const float m = 26.0f;
    *scale = -1.0f;
    Point planStart = *start;
    for (int flip = 0; flip < 2; ++flip) {
        std::vector<Point> pts = world;
        Point st = *start;
        if (flip) {
            for (Point& q : pts) q.y = -q.y;
            st.y = -st.y;
        }
        for (const float ty : {ay - 10.0f, ay + 46.0f}) {
            float sc = 0.0f;
            Point of{};
            FitAround(pts, st, {ax, ty}, m, m, w - m, h - m, &sc, &of);
            if (sc > *scale) *scale = sc, *offset = of, *plan = pts, planStart = st;
        }
    }
    float fit = 1.0f;
    Point fitOffset{};
    FitCentred(*plan, m, m, w - m, h - m, &fit, &fitOffset);
    if (*scale > fit) {
        const Point target = {planStart.x * *scale + offset->x, planStart.y * *scale + offset->y};
        *scale = fit;
        *offset = {target.x - planStart.x * fit, target.y - planStart.y * fit};
    }
    *start = planStart;
}

// param "course,arrowX,arrowY[,accent]": the circuit's map, its start line where the course
// select's direction arrow (56 x 36, drawn at arrowX, arrowY) points along the road.
bool PaintCourseMap(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const int course = IntAt(p, 0, 2);
    const std::uint32_t accent = ParseColour(p.size() > 3 ? p[3] : "", 0xFFFFB42Bu);
    Point start{};
    const std::vector<Point> world = CoursePoints(course, &start);
    if (world.empty()) return false;
    Panel(c, 0, 0, c.width, c.height, 0x700A0E16u, WithAlpha(kEdge, 90), 2, 18.0f);
    // Grid lines of the plan.
    for (int x = 40; x < c.width; x += 40) c.FillRect(x, 8, 1, c.height - 16, 0x18FFFFFFu);
    for (int y = 40; y < c.height; y += 40) c.FillRect(8, y, c.width - 16, 1, 0x18FFFFFFu);
    const float ax = static_cast<float>(IntAt(p, 1, c.width / 2) + 28), ay = static_cast<float>(IntAt(p, 2, 0));
    std::vector<Point> plan;
    float scale = 1.0f;
    Point offset{};
    ChoosePlan(world, &start, ax, ay, c.width, c.height, &plan, &scale, &offset);
    const std::vector<Point> pts = Transform(plan, scale, offset);
    DrawRoad(c, pts, 13.0f, accent);
    StartLine(c, pts, {start.x * scale + offset.x, start.y * scale + offset.y}, 13.0f);
    return true;
}

// param "course,skycolour,arrowX,arrowY": the course's strip icon: its map (the way up the
// course select's map of the circuit shows it) on a tile of its place's colour, the reverse
// layouts marked.
bool PaintCourseIcon(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const int course = IntAt(p, 0, 2);
    const std::uint32_t sky = ParseColour(p.size() > 1 ? p[1] : "", 0xFF3060A0u);
    Point start{};
    const std::vector<Point> world = CoursePoints(course, &start);
    if (world.empty()) return false;
    Panel(c, 2, 2, c.width - 4, c.height - 4, Mix(sky, 0xFF000000u, 0.45f), WithAlpha(kEdge, 200), 2, 12.0f);
    VerticalGradient(c, 6, 6, c.width - 12, c.height / 2, WithAlpha(sky, 120), WithAlpha(sky, 0));
    std::vector<Point> plan;
    float scale = 1.0f;
    Point offset{};
    ChoosePlan(world, &start, static_cast<float>(IntAt(p, 2, 310) + 28), static_cast<float>(IntAt(p, 3, 260)), 620, 520,
               &plan, &scale, &offset);
    FitCentred(plan, 14, 12, c.width - 14, c.height - 28, &scale, &offset);
    const std::vector<Point> pts = Transform(plan, scale, offset);
    Polyline(c, pts, true, 6.0f, 0xE0080A10u);
    Polyline(c, pts, true, 3.5f, 0xFFF2F4F8u);
    Disc(c, start.x * scale + offset.x, start.y * scale + offset.y, 4.0f, 0xFFFF4C3Cu);
    const bool reverse = course >= 8;
    return DrawCaption(c, reverse ? "REVERSE" : "FORWARD", c.width / 2, c.height - 14, 13, 1,
                       reverse ? 0xFFFFC86Eu : 0xFFE8ECF2u, kOutline, 1, c.width - 10);
}

// The plan's numbers: length in km and the bends.
void PlanNumbers(int course, float* km, int* bends) {
    const track::CourseInfo* info = track::GetCourseInfo(course);
    *km = 0.0f;
    *bends = 0;
    if (!info) return;
    const int forward = info->reverse ? course - track::kReverseOffset : course;
    const track::Circuit& circuit = track::GetCircuit(forward);
    for (const track::Piece& piece : circuit.plan.pieces) *bends += piece.kind != track::Piece::Straight;
    const std::vector<track::Layout>& all = track::AllLayouts();
    if (course < static_cast<int>(all.size())) *km = all[size_t(course)].line.Length() / 10000.0f;
}

// caption "NAME|place text", param "course,accent": the course's information panel.
bool PaintCourseInfo(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const int course = IntAt(p, 0, 2);
    const std::uint32_t accent = ParseColour(p.size() > 1 ? p[1] : "", 0xFFFFB42Bu);
    const std::vector<std::string> text = Split(s.caption, '|');
    Panel(c, -20, 0, c.width + 20, c.height, 0xD00A0E16u, WithAlpha(kEdge, 180), 2, 16.0f);
    c.FillRect(171, 22, 5, 56, accent);
    TextStyle t;
    t.pixelHeight = 46;
    t.shear = 0.12f;
    t.maxWidth = c.width - 210;
    bool ok = DrawStyledText(c, text.empty() ? "" : text[0], 190, 44, 0, t);
    const bool reverse = course >= 8;
    ok &= DrawCaption(c, reverse ? "2023  REVERSE" : "2022  FORWARD", 192, 86, 20, 0, accent, kOutline, 1);
    c.FillRect(171, 108, c.width - 200, 2, WithAlpha(kEdge, 120));
    float km = 0.0f;
    int bends = 0;
    PlanNumbers(course, &km, &bends);
    char line[64];
    std::snprintf(line, sizeof line, "%.2f km", km);
    ok &= DrawCaption(c, "LENGTH", 192, 134, 18, 0, kDim, kOutline, 1);
    ok &= DrawCaption(c, line, 330, 134, 24, 0, 0xFFFFFFFFu, kOutline, 2);
    std::snprintf(line, sizeof line, "%d", bends);
    ok &= DrawCaption(c, "BENDS", 192, 168, 18, 0, kDim, kOutline, 1);
    ok &= DrawCaption(c, line, 330, 168, 24, 0, 0xFFFFFFFFu, kOutline, 2);
    if (text.size() > 1) {
        const std::vector<std::string> words = Split(text[1], '/');
        for (size_t i = 0; i < words.size() && i < 3; ++i)
            ok &= DrawCaption(c, words[i], 192, 212 + 28 * static_cast<int>(i), 19, 0, 0xFFE8ECF2u, kOutline, 1,
                              c.width - 210);
    }
    return ok;
}

// param "n,accent": DIFFICULTY and five pips, n lit.
bool PaintDifficulty(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const int n = IntAt(p, 0, 1);
    const std::uint32_t accent = ParseColour(p.size() > 1 ? p[1] : "", 0xFFFFB42Bu);
    Panel(c, -20, 4, c.width - 4 + 20, c.height - 8, 0xD00A0E16u, WithAlpha(kEdge, 180), 2, (c.height - 8) / 2.0f);
    bool ok = DrawCaption(c, "DIFFICULTY", 192, c.height / 2, 20, 0, kDim, kOutline, 1);
    for (int k = 0; k < 5; ++k) {
        const float cx = 330.0f + k * 26.0f, cy = c.height / 2.0f;
        const std::uint32_t col = k < n ? accent : 0x50FFFFFFu;
        FillPolygon(c, {{cx, cy - 11}, {cx + 10, cy}, {cx, cy + 11}, {cx - 10, cy}}, col);
    }
    return ok;
}

// The strip's active-course marker: a bright frame round the slot at `param` (its x).
bool PaintMarker(const SpriteStyle& s, SpriteCanvas& c) {
    const std::vector<std::string> p = Split(s.param, ',');
    const int x = IntAt(p, 0, c.width - 112);
    const std::uint32_t accent = ParseColour(p.size() > 1 ? p[1] : "", 0xFFFFB42Bu);
    Panel(c, x, 2, 108, c.height - 4, 0x00000000u, accent, 4, 14.0f);
    Panel(c, x + 4, 6, 100, c.height - 12, 0x00000000u, WithAlpha(0xFFFFFFFFu, 200), 1, 11.0f);
    FillPolygon(c,
                {{x + 54.0f - 10, c.height - 2.0f}, {x + 54.0f + 10, c.height - 2.0f}, {x + 54.0f, c.height - 14.0f}},
                accent);
    return true;
}

// "L" or "R" (caption): a driving-direction arrow in the accent with a dark edge.
bool PaintArrow(const SpriteStyle& s, SpriteCanvas& c) {
    const bool left = s.caption == "L";
    const std::uint32_t accent = ParseColour(s.param, 0xFFFFB42Bu);
    const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
    std::vector<Point> shape = {{4, h / 2},        {h / 2 + 4, 3},        {h / 2 + 4, h * 0.3f}, {w - 4, h * 0.3f},
                                {w - 4, h * 0.7f}, {h / 2 + 4, h * 0.7f}, {h / 2 + 4, h - 3}};
    if (!left)
        for (Point& q : shape) q.x = w - q.x;
    Polyline(c, shape, true, 4.0f, 0xE0080A10u);
    FillPolygon(c, shape, accent);
    return true;
}

}  // namespace

bool IsMenuStyle2(const std::string& style) {
    static const char* const kStyles[] = {"coursemap", "courseicon", "courseinfo", "difficulty", "marker", "arrow"};
    for (const char* k : kStyles)
        if (style == k) return true;
    return IsMachineStyle(style) || IsListStyle(style) || IsEndingStyle(style) || IsTestStyle(style);
}

bool PaintMenuSprite2(const SpriteStyle& s, SpriteCanvas& c) {
    if (s.style == "coursemap") return PaintCourseMap(s, c);
    if (s.style == "courseicon") return PaintCourseIcon(s, c);
    if (s.style == "courseinfo") return PaintCourseInfo(s, c);
    if (s.style == "difficulty") return PaintDifficulty(s, c);
    if (s.style == "marker") return PaintMarker(s, c);
    if (s.style == "arrow") return PaintArrow(s, c);
    if (IsMachineStyle(s.style)) return PaintMachineSprite(s, c);
    if (IsEndingStyle(s.style)) return PaintEndingSprite(s, c);
    if (IsTestStyle(s.style)) return PaintTestSprite(s, c);
    return PaintListSprite(s, c);
}

}  // namespace contentgen
