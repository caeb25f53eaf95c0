// CourseProps.cpp -- the low-poly scenery pieces the places are furnished with.
#include "course/CourseProps.h"

#include <algorithm>
#include <cmath>

namespace contentgen {

namespace {

// A frame whose up axis is `axis` (unit) at `origin`.
Frame Along(V3 origin, V3 axis) {
    axis = Normalise(axis);
    const V3 helper = std::fabs(axis.y) > 0.9f ? V3{1, 0, 0} : V3{0, 1, 0};
    Frame f;
    f.origin = origin;
    f.up = axis;
    f.right = Normalise(Cross(axis, helper));
    f.ahead = Cross(f.right, f.up);
    return f;
}

// A square beam from p0 to p1.
void Beam(CourseMesh& m, V3 p0, V3 p1, float thickness, Rgb colour) {
    const V3 d = p1 - p0;
    const float len = Length(d);
    if (len < 1e-3f) return;
    Frame b;
    b.ahead = d * (1.0f / len);
    const V3 up0 = std::fabs(b.ahead.y) > 0.95f ? V3{1, 0, 0} : V3{0, 1, 0};
    b.right = Normalise(Cross(up0, b.ahead));
    b.up = Cross(b.ahead, b.right);
    b.origin = p0 + d * 0.5f - b.up * (thickness * 0.5f);
    m.Box(b, thickness, thickness, len, colour, true);
}

// A kite-shaped leaf seen from both sides.
void Leaf(CourseMesh& m, V3 root, V3 mid, V3 tip, V3 side, Rgb colour) {
    const V3 a = mid + side, b = mid - side;
    const V3 n = Cross(tip - root, side);
    m.TriFacing(root, a, tip, colour, n);
    m.TriFacing(root, tip, b, colour, n);
    m.TriFacing(root, a, tip, colour, n * -1.0f);
    m.TriFacing(root, tip, b, colour, n * -1.0f);
}

}  // namespace

// ---- vegetation and rocks ----------------------------------------------------------------

void Palm(CourseMesh& m, V3 base, float h, CourseRandom& rnd) {
    const float yaw = rnd.Range(0, 2 * kPi);
    const V3 lean = Normalise(V3{std::cos(yaw) * 0.25f, 1, std::sin(yaw) * 0.25f});
    const Rgb bark = Mix(Hex(0x8A6A44), Hex(0xA88456), rnd.Unit());
    m.Use(Finish::Lit, bark);
    m.Round(Along(base, lean), 5, h * 0.045f, h * 0.03f, 0, h, bark, false);
    const V3 crown = base + lean * h;
    const Rgb green = Mix(Hex(0x2F8A3A), Hex(0x5AA83C), rnd.Unit());
    m.Use(Finish::Lit, green);
    const int fronds = 7;
    for (int k = 0; k < fronds; ++k) {
        const float a = yaw + 2 * kPi * static_cast<float>(k) / fronds + rnd.Range(-0.2f, 0.2f);
        const V3 out{std::cos(a), 0, std::sin(a)};
        const float len = h * rnd.Range(0.38f, 0.5f);
        const V3 mid = crown + out * (len * 0.5f) + V3{0, len * 0.12f, 0};
        const V3 tip = crown + out * len - V3{0, len * 0.35f, 0};
        Leaf(m, crown, mid, tip, V3{-out.z, 0, out.x} * (len * 0.16f), green);
    }
}

void Pine(CourseMesh& m, V3 base, float h, bool snowy, CourseRandom& rnd, bool simple) {
    const Frame f = Frame::Upright(base, rnd.Range(0, 2 * kPi));
    const Rgb bark = Hex(0x5A4030);
    m.Use(Finish::Lit, bark);
    m.Prism(f, 4, h * 0.05f, h * 0.04f, h * 0.25f, bark, false);
    const Rgb green = Mix(Hex(0x1E4A2E), Hex(0x2E6038), rnd.Unit());
    const Rgb snow = Hex(0xEEF4FA);
    const float tiers[3][3] = {{0.18f, 0.34f, 0.55f}, {0.42f, 0.27f, 0.42f}, {0.62f, 0.19f, 0.38f}};
    const float twoTiers[2][3] = {{0.2f, 0.34f, 0.5f}, {0.5f, 0.25f, 0.5f}};
    const int sides = simple ? 5 : 6;
    for (int k = 0; k < (simple ? 2 : 3); ++k) {
        const float* t = simple ? twoTiers[k] : tiers[k];
        Frame tf = f;
        tf.origin = f.At(0, h * t[0], 0);
        const float r = h * t[1], th = h * t[2];
        m.Use(Finish::Lit, green);
        if (snowy) {
            m.Prism(tf, sides, r, r * 0.45f, th * 0.55f, green, false);
            tf.origin = f.At(0, h * t[0] + th * 0.55f, 0);
            m.Use(Finish::Lit, snow);
            m.Prism(tf, sides, r * 0.45f, 0, th * 0.45f, snow, false);
        } else {
            m.Prism(tf, sides, r, 0, th, green, false);
        }
    }
}

void LeafTree(CourseMesh& m, V3 base, float h, Rgb leaves, CourseRandom& rnd, bool simple) {
    const Frame f = Frame::Upright(base, rnd.Range(0, 2 * kPi));
    const Rgb bark = Hex(0x5E4634);
    m.Use(Finish::Lit, bark);
    m.Prism(f, 4, h * 0.06f, h * 0.045f, h * 0.45f, bark, false);
    const float r = h * rnd.Range(0.3f, 0.4f);
    m.Use(Finish::Lit, leaves);
    if (simple)
        m.Lathe(f, 5, {0.0f, r, r * 0.7f, 0.0f}, {h * 0.3f, h * 0.55f, h * 0.85f, h}, leaves);
    else
        m.Lathe(f, 6, {0.0f, r * 0.85f, r, r * 0.75f, 0.0f}, {h * 0.3f, h * 0.42f, h * 0.62f, h * 0.85f, h}, leaves);
}

void Rock(CourseMesh& m, V3 base, float size, Rgb colour, CourseRandom& rnd) {
    Frame f = Frame::Upright(base, rnd.Range(0, 2 * kPi));
    f.right = f.right * rnd.Range(0.8f, 1.3f);
    f.ahead = f.ahead * rnd.Range(0.7f, 1.1f);
    m.Use(Finish::Lit, colour);
    m.Lathe(f, 5, {size * 0.9f, size, size * 0.75f, size * 0.25f, 0.0f},
            {-size * 0.3f, size * 0.2f, size * rnd.Range(0.55f, 0.8f), size * 0.95f, size}, colour);
}

// ---- buildings ------------------------------------------------------------------------------

void House(CourseMesh& m, const Frame& f, float w, float d, float h, Rgb walls, Rgb roof) {
    m.Use(Finish::Lit, walls);
    m.Box(f, w, h, d, walls);
    const float rh = w * 0.35f, over = w * 0.08f;
    const V3 l0 = f.At(-w / 2 - over, h, -d / 2 - over), l1 = f.At(-w / 2 - over, h, d / 2 + over);
    const V3 r0 = f.At(w / 2 + over, h, -d / 2 - over), r1 = f.At(w / 2 + over, h, d / 2 + over);
    const V3 t0 = f.At(0, h + rh, -d / 2 - over), t1 = f.At(0, h + rh, d / 2 + over);
    m.Use(Finish::Lit, roof);
    m.QuadFacing(l0, l1, t1, t0, roof, f.Dir(-1, 1, 0));
    m.QuadFacing(r0, t0, t1, r1, roof, f.Dir(1, 1, 0));
    m.Use(Finish::Lit, walls);
    m.TriFacing(f.At(-w / 2, h, -d / 2), f.At(w / 2, h, -d / 2), f.At(0, h + rh, -d / 2), walls, f.Dir(0, 0, -1));
    m.TriFacing(f.At(-w / 2, h, d / 2), f.At(w / 2, h, d / 2), f.At(0, h + rh, d / 2), walls, f.Dir(0, 0, 1));
}

void Block(CourseMesh& m, const Frame& f, float w, float d, float h, Rgb body, Rgb windows, bool lit,
           CourseRandom& rnd) {
    m.Use(Finish::Lit, body);
    m.Box(f, w, h, d, body);
    const float floor = 110.0f;
    const int floors = static_cast<int>(h / floor);
    const float gap = 1.5f;
    for (int k = 1; k < floors; ++k) {
        const float y0 = k * floor - 20.0f, y1 = y0 + 48.0f;
        for (int face = 0; face < 4; ++face) {
            const bool on = lit ? rnd.Unit() < 0.65f : true;
            const Rgb c = on ? windows : Scale(body, 0.55f);
            m.Use(lit && on ? Finish::Glow : Finish::Lit, c);
            const float hw = (face < 2 ? w : d) * 0.42f;
            const float out = (face < 2 ? d : w) * 0.5f + gap;
            V3 n;
            V3 a, b, cc, dd;
            switch (face) {
                case 0: n = f.Dir(0, 0, 1), a = f.At(-hw, y0, out), b = f.At(hw, y0, out); break;
                case 1: n = f.Dir(0, 0, -1), a = f.At(-hw, y0, -out), b = f.At(hw, y0, -out); break;
                case 2: n = f.Dir(1, 0, 0), a = f.At(out, y0, -hw), b = f.At(out, y0, hw); break;
                default: n = f.Dir(-1, 0, 0), a = f.At(-out, y0, -hw), b = f.At(-out, y0, hw); break;
            }
            cc = b + f.up * (y1 - y0);
            dd = a + f.up * (y1 - y0);
            m.QuadFacing(a, b, cc, dd, c, n);
        }
    }
}

void NeonTower(CourseMesh& m, const Frame& f, float w, float h, Rgb body, Rgb neonA, Rgb neonB, CourseRandom& rnd) {
    m.Use(Finish::Lit, body);
    m.Box(f, w, h, w, body);
    const float band = rnd.Range(380.0f, 560.0f);
    int k = 0;
    for (float y = band; y < h - 60.0f; y += band, ++k) {
        const Rgb c = k % 2 ? neonA : neonB;
        m.Use(Finish::Glow, c);
        const float o = w * 0.5f + 2.0f, t = 18.0f;
        m.QuadFacing(f.At(-o, y, o), f.At(o, y, o), f.At(o, y + t, o), f.At(-o, y + t, o), c, f.Dir(0, 0, 1));
        m.QuadFacing(f.At(-o, y, -o), f.At(o, y, -o), f.At(o, y + t, -o), f.At(-o, y + t, -o), c, f.Dir(0, 0, -1));
        m.QuadFacing(f.At(o, y, -o), f.At(o, y, o), f.At(o, y + t, o), f.At(o, y + t, -o), c, f.Dir(1, 0, 0));
        m.QuadFacing(f.At(-o, y, -o), f.At(-o, y, o), f.At(-o, y + t, o), f.At(-o, y + t, -o), c, f.Dir(-1, 0, 0));
    }
    // Lit window columns on two faces and a spire with a beacon.
    m.Use(Finish::Glow, Mix(neonA, Rgb{1, 1, 1}, 0.6f));
    for (int c = -1; c <= 1; c += 2) {
        const float x = c * w * 0.22f, o = w * 0.5f + 1.0f;
        m.QuadFacing(f.At(x - 6, 40, o), f.At(x + 6, 40, o), f.At(x + 6, h - 40, o), f.At(x - 6, h - 40, o),
                     Mix(neonA, Rgb{1, 1, 1}, 0.6f), f.Dir(0, 0, 1));
        m.QuadFacing(f.At(o, 40, x - 6), f.At(o, 40, x + 6), f.At(o, h - 40, x + 6), f.At(o, h - 40, x - 6),
                     Mix(neonB, Rgb{1, 1, 1}, 0.6f), f.Dir(1, 0, 0));
    }
    Frame top = f;
    top.origin = f.At(0, h, 0);
    m.Use(Finish::Lit, Scale(body, 0.8f));
    m.Prism(top, 4, w * 0.3f, 0, w * 0.9f, Scale(body, 0.8f), false);
    top.origin = f.At(0, h + w * 0.9f, 0);
    m.Use(Finish::Glow, Hex(0xFF3030));
    m.Box(top, 20, 20, 20, Hex(0xFF3030));
}

void TvTower(CourseMesh& m, V3 base, float h) {
    const Frame f = Frame::Upright(base, 0);
    const Rgb concrete = Hex(0xC8C4C0), ball = Hex(0xB8BCC4);
    m.Use(Finish::Lit, concrete);
    m.Round(f, 8, 70, 28, 0, h * 0.68f, concrete, false);
    m.Use(Finish::Lit, ball);
    const float r = h * 0.07f, c = h * 0.72f;
    m.Lathe(f, 10, {0.0f, r * 0.7f, r, r * 0.7f, 0.0f}, {c - r, c - r * 0.7f, c, c + r * 0.7f, c + r}, ball);
    m.Use(Finish::Glow, Hex(0xFFB848));
    m.Round(f, 10, r * 1.02f, r * 1.02f, c - r * 0.12f, c + r * 0.05f, Hex(0xFFB848), false);
    m.Use(Finish::Lit, Hex(0xD8D8D8));
    Frame top = f;
    top.origin = f.At(0, c + r * 0.9f, 0);
    m.Prism(top, 4, 14, 4, h - (c + r * 0.9f), Hex(0xD8D8D8), false);
    m.Use(Finish::Glow, Hex(0xFF2020));
    top.origin = f.At(0, h, 0);
    m.Box(top, 24, 24, 24, Hex(0xFF2020));
}

void Lamp(CourseMesh& m, V3 base, float h, Rgb light) {
    const Frame f = Frame::Upright(base, 0);
    m.Use(Finish::Lit, Hex(0x404248));
    m.Prism(f, 4, 5, 4, h, Hex(0x404248), true);
    Frame head = f;
    head.origin = f.At(0, h, 0);
    m.Use(Finish::Glow, light);
    m.Box(head, 26, 12, 26, light, true);
}

// ---- track-side buildings -------------------------------------------------------------------

void Grandstand(CourseMesh& m, const Frame& f, float length, Rgb body, Rgb seats, Rgb roof, CourseRandom& rnd) {
    const int tiers = 7;
    const float step = 34.0f, rise = 26.0f, base = 30.0f;
    for (int k = 0; k < tiers; ++k) {
        Frame t = f;
        t.origin = f.At(step * (k + 0.5f), 0, 0);
        const float h = base + rise * k;
        m.Use(Finish::Lit, body);
        m.Box(t, step, h, length, k % 2 ? body : Scale(body, 0.92f));
        // Seat front and the crowd in front of it.
        const float x = step * k - 0.8f;
        m.Use(Finish::Lit, seats);
        m.QuadFacing(f.At(x, h - rise, -length / 2), f.At(x, h - rise, length / 2), f.At(x, h, length / 2),
                     f.At(x, h, -length / 2), seats, f.Dir(-1, 0, 0));
        for (float z = -length / 2 + 12.0f; z < length / 2 - 12.0f; z += rnd.Range(16.0f, 26.0f)) {
            if (rnd.Unit() < 0.18f) continue;
            const Rgb c = Mix(Hex(0xFFFFFF), Hex(0xE83A3A), rnd.Unit());
            const Rgb person = rnd.Unit() < 0.5f ? c : Mix(Hex(0x2A5BD8), Hex(0xF4D21C), rnd.Unit());
            const float px = step * (k + 0.35f);
            m.Use(Finish::Lit, seats);
            m.QuadFacing(f.At(px, h, z - 6), f.At(px, h, z + 6), f.At(px, h + 18, z + 6), f.At(px, h + 18, z - 6),
                         person, f.Dir(-1, 0, 0));
        }
    }
    // Back wall, roof on posts.
    const float top = base + rise * tiers + 90.0f, depth = step * tiers;
    Frame back = f;
    back.origin = f.At(depth + 8, 0, 0);
    m.Use(Finish::Lit, body);
    m.Box(back, 16, top, length, Scale(body, 0.8f));
    Frame r = f;
    r.origin = f.At(depth * 0.45f, top, 0);
    m.Use(Finish::Lit, roof);
    m.Box(r, depth * 1.2f, 12, length + 40, roof, true);
    for (float z = -length / 2; z <= length / 2 + 1; z += length / 4) {
        Frame post = f;
        post.origin = f.At(depth, base + rise * (tiers - 1), z);
        m.Box(post, 10, top - (base + rise * (tiers - 1)), 10, Scale(roof, 0.7f));
    }
}

void PitBuilding(CourseMesh& m, const Frame& f, float length, Rgb body, Rgb trim, CourseRandom& rnd) {
    const float depth = 160.0f, h = 110.0f;
    Frame b = f;
    b.origin = f.At(depth / 2, 0, 0);
    m.Use(Finish::Lit, body);
    m.Box(b, depth, h, length, body);
    m.Use(Finish::Lit, trim);
    Frame t = f;
    t.origin = f.At(depth / 2, h, 0);
    m.Box(t, depth + 10, 14, length + 10, trim);
    // Garage doors on the face toward the road.
    const int doors = std::max(1, static_cast<int>(length / 110.0f));
    for (int k = 0; k < doors; ++k) {
        const float z0 = -length / 2 + length * (k + 0.15f) / doors, z1 = -length / 2 + length * (k + 0.85f) / doors;
        const Rgb door = rnd.Unit() < 0.3f ? Hex(0xE8E8E0) : Hex(0x26282E);
        m.Use(Finish::Lit, door);
        m.QuadFacing(f.At(-1, 0, z0), f.At(-1, 0, z1), f.At(-1, 70, z1), f.At(-1, 70, z0), door, f.Dir(-1, 0, 0));
    }
    // Control tower at one end with a glass band.
    Frame tower = f;
    tower.origin = f.At(depth / 2, h, length / 2 - 60);
    m.Use(Finish::Lit, body);
    m.Box(tower, 100, 160, 100, body);
    m.Use(Finish::Glow, Hex(0x9FE0FF));
    tower.origin = f.At(depth / 2, h + 160, length / 2 - 60);
    m.Box(tower, 120, 50, 120, Hex(0x9FE0FF));
    m.Use(Finish::Lit, trim);
    tower.origin = f.At(depth / 2, h + 210, length / 2 - 60);
    m.Box(tower, 140, 12, 140, trim);
}

void Billboard(CourseMesh& m, const Frame& f, float w, float h, Rgb a, Rgb b) {
    m.Use(Finish::Lit, Hex(0x505058));
    for (float z : {-w * 0.35f, w * 0.35f}) {
        Frame post = f;
        post.origin = f.At(4, 0, z);
        m.Box(post, 8, h, 8, Hex(0x505058));
    }
    const float y0 = h * 0.55f;
    m.Use(Finish::Lit, a);
    m.QuadFacing(f.At(0, y0, -w / 2), f.At(0, y0, w / 2), f.At(0, h, w / 2), f.At(0, h, -w / 2), a, f.Dir(-1, 0, 0));
    m.Use(Finish::Lit, b);
    const float s = (h - y0) / 3;
    m.QuadFacing(f.At(-1, y0 + s, -w / 2), f.At(-1, y0 + s, w / 2), f.At(-1, y0 + 2 * s, w / 2),
                 f.At(-1, y0 + 2 * s, -w / 2), b, f.Dir(-1, 0, 0));
    m.Use(Finish::Lit, Hex(0x6A6A70));
    m.QuadFacing(f.At(1, y0, -w / 2), f.At(1, y0, w / 2), f.At(1, h, w / 2), f.At(1, h, -w / 2), Hex(0x6A6A70),
                 f.Dir(1, 0, 0));
}

// ---- landmarks ------------------------------------------------------------------------------

void SailRoofs(CourseMesh& m, const Frame& f, float size) {
    const Rgb podium = Hex(0xC89A70), white = Hex(0xFAFAF6);
    m.Use(Finish::Lit, podium);
    m.Box(f, size * 1.3f, size * 0.2f, size * 2.2f, podium);
    m.Use(Finish::Lit, white);
    const float base = size * 0.2f;
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 3; ++k) {
            const float s = size * (0.75f - 0.15f * k) * (row ? 0.8f : 1.0f);
            const float x = row ? size * 0.3f : -size * 0.25f;
            const float z = -size * 0.7f + k * size * 0.55f;
            const V3 apex = f.At(x, base + s * 1.05f, z + s * 0.55f);
            const int pts = 6;
            std::vector<V3> arc;
            for (int i = 0; i <= pts; ++i) {
                const float a = kPi * static_cast<float>(i) / pts;
                arc.push_back(f.At(x + std::cos(a) * s * 0.42f, base, z - std::sin(a) * s * 0.25f));
            }
            for (int i = 0; i < pts; ++i) {
                const V3 n = Cross(arc[i + 1] - arc[i], apex - arc[i]);
                m.TriFacing(arc[i], arc[i + 1], apex, white, n);
                m.TriFacing(arc[i], arc[i + 1], apex, Hex(0xE6E2D8), n * -1.0f);
            }
        }
}

void ArchBridge(CourseMesh& m, const Frame& f, float span, float deck, float width, Rgb steel) {
    const float rise = span * 0.22f;
    const int pieces = 16;
    m.Use(Finish::Lit, steel);
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * width * 0.5f;
        V3 prevTop, prevLow;
        for (int k = 0; k <= pieces; ++k) {
            const float t = static_cast<float>(k) / pieces;
            const float z = -span / 2 + span * t;
            const float arch = 1.0f - (2 * t - 1) * (2 * t - 1);
            const V3 top = f.At(x, deck + rise * arch, z);
            const V3 low = f.At(x, deck + (rise - 90.0f) * arch - 40.0f * (1 - arch), z);
            if (k > 0) {
                Beam(m, prevTop, top, 28.0f, steel);
                Beam(m, prevLow, low, 22.0f, steel);
                Beam(m, prevLow, top, 10.0f, Scale(steel, 0.85f));
            }
            if (k > 0 && k < pieces) Beam(m, low, f.At(x, deck, z), 8.0f, Scale(steel, 0.8f));
            prevTop = top;
            prevLow = low;
        }
    }
    // Cross bracing over the road and stone pylons at both ends.
    for (int k = 4; k <= pieces - 4; k += 2) {
        const float t = static_cast<float>(k) / pieces;
        const float arch = 1.0f - (2 * t - 1) * (2 * t - 1);
        const float z = -span / 2 + span * t;
        Beam(m, f.At(-width / 2, deck + rise * arch, z), f.At(width / 2, deck + rise * arch, z), 14.0f, steel);
    }
    const Rgb stone = Hex(0xC8B890);
    m.Use(Finish::Lit, stone);
    for (float z : {-span / 2, span / 2})
        for (float side : {-1.0f, 1.0f}) {
            Frame p = f;
            p.origin = f.At(side * width * 0.5f, -60.0f, z);
            m.Box(p, 110, deck + 220.0f, 140, stone);
        }
}

void Boat(CourseMesh& m, const Frame& f, float length, Rgb hull, Rgb sail) {
    const float w = length * 0.3f;
    m.Use(Finish::Lit, hull);
    m.Box(f, w, length * 0.12f, length * 0.7f, hull);
    m.TriFacing(f.At(-w / 2, length * 0.12f, length * 0.35f), f.At(w / 2, length * 0.12f, length * 0.35f),
                f.At(0, length * 0.12f, length * 0.55f), hull, f.Dir(0, 1, 0));
    m.TriFacing(f.At(-w / 2, 0, length * 0.35f), f.At(-w / 2, length * 0.12f, length * 0.35f),
                f.At(0, length * 0.12f, length * 0.55f), hull, f.Dir(-1, 0, 1));
    m.TriFacing(f.At(w / 2, 0, length * 0.35f), f.At(w / 2, length * 0.12f, length * 0.35f),
                f.At(0, length * 0.12f, length * 0.55f), hull, f.Dir(1, 0, 1));
    m.Use(Finish::Lit, sail);
    const V3 foot = f.At(0, length * 0.12f, -length * 0.25f), head = f.At(0, length * 0.9f, length * 0.05f);
    const V3 clew = f.At(0, length * 0.14f, length * 0.3f);
    m.TriFacing(foot, head, clew, sail, f.Dir(1, 0, 0));
    m.TriFacing(foot, head, clew, sail, f.Dir(-1, 0, 0));
}

void Cabin(CourseMesh& m, const Frame& f, float size) {
    House(m, f, size, size * 1.4f, size * 0.6f, Hex(0x7A4E2E), Hex(0x3E3A38));
    Frame chimney = f;
    chimney.origin = f.At(size * 0.25f, size * 0.6f, size * 0.3f);
    m.Use(Finish::Lit, Hex(0x8A8078));
    m.Box(chimney, size * 0.15f, size * 0.45f, size * 0.15f, Hex(0x8A8078));
}

void RotorMast(CourseMesh& m, V3 base, float hubHeight) {
    const Frame f = Frame::Upright(base, 0);
    m.Use(Finish::Lit, Hex(0x5C6280));
    m.Round(f, 6, 55, 22, 0, hubHeight - 40.0f, Hex(0x5C6280), false);
    m.Use(Finish::Glow, Hex(0x3DF2FF));
    m.Round(f, 6, 57, 50, hubHeight * 0.3f, hubHeight * 0.3f + 20.0f, Hex(0x3DF2FF), false);
}

// ---- moving objects -------------------------------------------------------------------------

void ArrowSign(CourseMesh& m, const Frame& f, bool pointsLeft) {
    const float w = 260.0f, h0 = 60.0f, h1 = 170.0f;
    m.Use(Finish::Lit, Hex(0x202024));
    for (float x : {-w * 0.4f, w * 0.4f}) {
        Frame post = f;
        post.origin = f.At(x, 0, 4);
        m.Box(post, 10, h1, 10, Hex(0x202024));
    }
    m.Use(Finish::Lit, Hex(0x16161A));
    m.QuadFacing(f.At(-w / 2, h0, 0), f.At(w / 2, h0, 0), f.At(w / 2, h1, 0), f.At(-w / 2, h1, 0), Hex(0x16161A),
                 f.Dir(0, 0, -1));
    // Three chevrons pointing into the turn: the sign faces -z, so a driver coming along +z has
    // +x on the left.
    const float dir = pointsLeft ? 1.0f : -1.0f;
    const Rgb lit = Hex(0xFFD21C);
    m.Use(Finish::Glow, lit);
    for (int k = 0; k < 3; ++k) {
        const float cx = (static_cast<float>(k) - 1.0f) * 70.0f;
        const float mid = 0.5f * (h0 + h1), half = 0.38f * (h1 - h0);
        const V3 tip = f.At(cx + dir * 28.0f, mid, -1.5f), top = f.At(cx - dir * 12.0f, mid + half, -1.5f);
        const V3 bot = f.At(cx - dir * 12.0f, mid - half, -1.5f);
        const V3 topIn = f.At(cx - dir * 34.0f, mid + half, -1.5f), botIn = f.At(cx - dir * 34.0f, mid - half, -1.5f);
        const V3 tipIn = f.At(cx + dir * 6.0f, mid, -1.5f);
        m.QuadFacing(topIn, top, tip, tipIn, lit, f.Dir(0, 0, -1));
        m.QuadFacing(tipIn, tip, bot, botIn, lit, f.Dir(0, 0, -1));
    }
}

void Jet(CourseMesh& m, V3 offset) {
    // Fuselage along -z (the nose), wings and fins.
    Frame body = Along(offset + V3{0, 0, 90}, V3{0, 0, -1});
    const Rgb grey = Hex(0x8C96A4), dark = Hex(0x4A5260);
    m.Use(Finish::Lit, grey);
    m.Lathe(body, 8, {0.0f, 14.0f, 16.0f, 15.0f, 9.0f, 0.0f}, {0.0f, 15.0f, 60.0f, 130.0f, 165.0f, 185.0f}, grey);
    m.Use(Finish::Lit, dark);
    const V3 o = offset;
    for (float s : {-1.0f, 1.0f}) {
        const V3 root0 = o + V3{s * 10, 0, -10}, root1 = o + V3{s * 10, 0, 60}, tip = o + V3{s * 90, 0, 45};
        m.TriFacing(root0, root1, tip, dark, V3{0, 1, 0});
        m.TriFacing(root0, root1, tip, dark, V3{0, -1, 0});
        const V3 t0 = o + V3{s * 8, 0, 70}, t1 = o + V3{s * 8, 0, 95}, tt = o + V3{s * 40, 0, 92};
        m.TriFacing(t0, t1, tt, dark, V3{0, 1, 0});
        m.TriFacing(t0, t1, tt, dark, V3{0, -1, 0});
    }
    const V3 f0 = o + V3{0, 12, 60}, f1 = o + V3{0, 12, 95}, ft = o + V3{0, 55, 92};
    m.TriFacing(f0, f1, ft, dark, V3{1, 0, 0});
    m.TriFacing(f0, f1, ft, dark, V3{-1, 0, 0});
    m.Use(Finish::Glow, Hex(0xFF9A3A));
    m.Box(Frame::Upright(o + V3{0, -6, 96}, 0), 12, 12, 4, Hex(0xFF9A3A));
}

void Train(CourseMesh& m) {
    const Rgb body = Hex(0xE8E4DC), stripe = Hex(0xD02828), window = Hex(0xFFE08A), under = Hex(0x2A2A30);
    const int cars = 4;
    const float len = 250.0f, w = 56.0f, h = 66.0f;
    for (int k = 0; k < cars; ++k) {
        const float x = (static_cast<float>(k) - (cars - 1) * 0.5f) * (len + 10.0f);
        // The car's frame runs along x: its z axis is world x.
        Frame f;
        f.origin = {x, 10, 0};
        f.ahead = {1, 0, 0};
        f.up = {0, 1, 0};
        f.right = {0, 0, -1};
        m.Use(Finish::Lit, under);
        m.Box(Frame{{x, 0, 0}, f.right, f.up, f.ahead}, w * 0.8f, 10, len * 0.9f, under);
        m.Use(Finish::Lit, body);
        m.Box(f, w, h, len, body);
        m.Use(Finish::Lit, stripe);
        for (float side : {-1.0f, 1.0f})
            m.QuadFacing(f.At(side * (w / 2 + 0.5f), 8, -len / 2), f.At(side * (w / 2 + 0.5f), 8, len / 2),
                         f.At(side * (w / 2 + 0.5f), 18, len / 2), f.At(side * (w / 2 + 0.5f), 18, -len / 2), stripe,
                         f.Dir(side, 0, 0));
        m.Use(Finish::Glow, window);
        for (float side : {-1.0f, 1.0f})
            m.QuadFacing(f.At(side * (w / 2 + 0.5f), 30, -len * 0.42f), f.At(side * (w / 2 + 0.5f), 30, len * 0.42f),
                         f.At(side * (w / 2 + 0.5f), 52, len * 0.42f), f.At(side * (w / 2 + 0.5f), 52, -len * 0.42f),
                         window, f.Dir(side, 0, 0));
    }
}

void Rotor(CourseMesh& m) {
    const Rgb blade = Hex(0xE8ECF4), tip = Hex(0x3DF2FF);
    m.Use(Finish::Lit, Hex(0x5C6280));
    m.Lathe(Along(V3{0, 0, -30}, V3{0, 0, 1}), 8, {0.0f, 30.0f, 32.0f, 0.0f}, {0.0f, 10.0f, 50.0f, 70.0f},
            Hex(0x5C6280));
    for (int k = 0; k < 3; ++k) {
        const float a = 2 * kPi * static_cast<float>(k) / 3;
        const V3 d{std::cos(a), std::sin(a), 0};
        const V3 side{-d.y * 18.0f, d.x * 18.0f, 0};
        const V3 r0 = d * 30.0f, r1 = d * 330.0f, r2 = d * 380.0f;
        m.Use(Finish::Lit, blade);
        m.QuadFacing(r0 - side, r0 + side, r1 + side * 0.6f, r1 - side * 0.6f, blade, V3{0, 0, -1});
        m.QuadFacing(r0 - side, r0 + side, r1 + side * 0.6f, r1 - side * 0.6f, blade, V3{0, 0, 1});
        m.Use(Finish::Glow, tip);
        m.QuadFacing(r1 - side * 0.6f, r1 + side * 0.6f, r2 + side * 0.4f, r2 - side * 0.4f, tip, V3{0, 0, -1});
        m.QuadFacing(r1 - side * 0.6f, r1 + side * 0.6f, r2 + side * 0.4f, r2 - side * 0.4f, tip, V3{0, 0, 1});
    }
}

void Airship(CourseMesh& m, V3 offset) {
    const Frame body = Along(offset + V3{0, 0, 450}, V3{0, 0, -1});
    const Rgb skin = Hex(0xE4E6EA), band = Hex(0x1F5FD0);
    m.Use(Finish::Lit, skin);
    m.Lathe(body, 12, {0.0f, 90.0f, 140.0f, 150.0f, 140.0f, 95.0f, 0.0f},
            {0.0f, 60.0f, 200.0f, 450.0f, 700.0f, 840.0f, 900.0f}, skin);
    m.Use(Finish::Lit, band);
    m.Round(body, 12, 151, 151, 380.0f, 520.0f, band, false);
    m.Use(Finish::Lit, Hex(0x40444C));
    m.Box(Frame::Upright(offset + V3{0, -175, 0}, 0), 60, 40, 160, Hex(0x40444C));
    for (int k = 0; k < 4; ++k) {
        const float a = kPi * 0.5f * k;
        const V3 d{std::cos(a), std::sin(a), 0};
        const V3 r0 = offset + V3{0, 0, 330} + d * 80.0f, r1 = offset + V3{0, 0, 450} + d * 40.0f;
        const V3 t = offset + V3{0, 0, 440} + d * 200.0f;
        const V3 n = Cross(r1 - r0, t - r0);
        m.TriFacing(r0, r1, t, band, n);
        m.TriFacing(r0, r1, t, band, n * -1.0f);
    }
}

void Balloon(CourseMesh& m, V3 at, float size, Rgb a, Rgb b) {
    const std::vector<float> radius = {0.18f, 0.42f, 0.62f, 0.72f, 0.7f, 0.55f, 0.3f, 0.0f};
    const std::vector<float> height = {0.0f, 0.18f, 0.38f, 0.58f, 0.78f, 0.92f, 1.0f, 1.03f};
    const int gores = 10;
    for (int g = 0; g < gores; ++g) {
        const Rgb c = g % 2 ? a : b;
        m.Use(Finish::Lit, c);
        const float t0 = 2 * kPi * g / gores, t1 = 2 * kPi * (g + 1) / gores;
        for (std::size_t k = 0; k + 1 < radius.size(); ++k) {
            auto p = [&](float t, std::size_t i) {
                return at + V3{std::cos(t) * radius[i] * size, height[i] * size, std::sin(t) * radius[i] * size};
            };
            const V3 out = V3{std::cos(0.5f * (t0 + t1)), 0.2f, std::sin(0.5f * (t0 + t1))};
            m.QuadFacing(p(t0, k), p(t1, k), p(t1, k + 1), p(t0, k + 1), c, out);
        }
    }
    m.Use(Finish::Lit, Hex(0x7A5A36));
    m.Box(Frame::Upright(at - V3{0, size * 0.22f, 0}, 0), size * 0.16f, size * 0.12f, size * 0.16f, Hex(0x7A5A36),
          true);
    m.Use(Finish::Glow, Hex(0xFFB040));
    m.Box(Frame::Upright(at - V3{0, size * 0.06f, 0}, 0), size * 0.08f, size * 0.05f, size * 0.08f, Hex(0xFFB040));
}

}  // namespace contentgen
