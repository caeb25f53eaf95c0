// Generator: one circuit layout's course group: road, barriers, ground, scenery, far ring, sky and moving objects.
#include <algorithm>
#include <cmath>

#include "ContentPng.h"
#include "CourseArt.h"
#include "CourseGarage.h"
#include "CourseGround.h"
#include "CoursePlace.h"
#include "CourseProps.h"
#include "CourseRoad.h"
#include "CourseScenery.h"
#include "CourseSky.h"
#include "ResourceGroups.h"
#include "tools/track/Layout.h"

namespace contentgen {

namespace {

constexpr float kPartScale = 10.0f;  // the course table draws scenery parts and objects ten times larger

// Which model of a course group plays which part, by position in the group (from 1), as the
// course table's slot runs use them.
struct GroupPlan {
    int group;
    int course;
    std::vector<int> normal;  // drawn in the normal view
    int far;                  // the far part (sky dome and far ring)
    float farScale;
    std::vector<int> env;     // seen only in the cube map
    std::vector<int> lifted;  // cube-map parts the table lifts by 10 units
    std::vector<int> spare;   // positions no slot draws
    float light[3];           // the course's light vector
};

std::vector<int> Run(int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
}

GroupPlan PlanOf(int group) {
    switch (group) {
        case 0: return {0, 3, Run(2, 7), 8, 9.5f, Run(10, 14), Run(15, 18), {9}, {515.515f, -722.43f, -2578.74f}};
        case 6: return {6, 9, Run(2, 7), 8, 10.0f, Run(10, 14), Run(15, 18), {9}, {2181.16f, -531.73f, -449.23f}};
        case 1: return {1, 2, Run(2, 9), 10, 10.0f, Run(11, 19), {}, {}, {-374.0f, -744.0f, 747.95f}};
        case 7: return {7, 8, Run(2, 9), 10, 10.0f, Run(11, 19), {}, {}, {-1576.26f, -531.73f, -1262.67f}};
        case 2: return {2, 4, Run(2, 6), 7, 10.0f, Run(9, 12), {}, {8, 13, 14, 15, 16}, {0.0f, -1.0f, 0.01f}};
        case 8: return {8, 10, Run(2, 6), 7, 10.0f, Run(9, 12), {}, {8, 13, 14, 15, 16}, {-2100.0f, -500.0f, 1500.0f}};
        case 3: return {3, 5, Run(2, 8), 9, 10.0f, Run(11, 21), {}, {10}, {-376.443f, -174.22f, -941.804f}};
        case 9: return {9, 11, Run(2, 8), 9, 10.0f, Run(11, 21), {}, {10}, {-1576.26f, -531.73f, 1445.81f}};
        case 4:
            return {4, 6, Run(3, 7), 2, 10.0f, Run(9, 12), {}, {8, 13, 14, 15, 16}, {-2447.46f, -2277.27f, 650.144f}};
        case 10:
            return {10, 12, Run(3, 7), 2, 10.0f, Run(9, 12), {}, {8, 13, 14, 15, 16}, {1848.72f, -545.8f, 346.14f}};
        case 5: return {5, 7, Run(2, 9), 1, 9.5f, Run(13, 25), {}, {12}, {562.46f, -135.91f, -117.29f}};
        default: return {11, 13, Run(2, 9), 1, 9.5f, Run(12, 24), {}, {}, {515.515f, -722.43f, -2578.74f}};
    }
}

// The sky of a layout: the place's, with the sun where the layout's light comes from (a light
// from straight above keeps the place's own low sun).
SkyStyle SkyOf(const PlaceStyle& place, const float light[3]) {
    SkyStyle sky = place.sky;
    const V3 toward = Normalise(V3{-light[0], -light[1], -light[2]});
    if (toward.y < 0.95f) sky.sun = toward;
    return sky;
}

// The moving objects of a layout, by position in the group.
void MovingObjects(const CourseSite& site, const PlaceStyle& style, int position, CourseMesh& m) {
    const track::CentreLine& line = site.Line();
    switch (style.place) {
        case Place::Niseko: Jet(m, V3{1700.0f, 0, 0}); break;
        case Place::Berlin: Train(m); break;
        case Place::Qir: Rotor(m); break;
        case Place::Sydney: Airship(m, V3{std::max(6000.0f, site.Radius() * 0.9f), 1600.0f, 0}); break;
        case Place::Barcelona: {
            // The blinking sign at the outside of the tightest bend, facing the drivers coming in.
            const auto& samples = line.Samples();
            std::size_t tight = 0;
            for (std::size_t i = 0; i < samples.size(); ++i)
                if (std::fabs(samples[i].curvature) > std::fabs(samples[tight].curvature)) tight = i;
            const track::Sample apex = samples[tight];
            const track::Sample before = line.At(apex.arc - 450.0f);
            const bool left = apex.curvature > 0;
            const int outside = left ? 1 : 0;
            const float sign = left ? -1.0f : 1.0f;
            const yiVec3 at = before.At(sign * (before.WallOffset(outside) + 140.0f));
            Frame f = Frame::Facing(V3{at.x, site.Ground(at.x, at.z), at.z}, V3{before.forward.x, 0, before.forward.z});
            ArrowSign(m, f, left);
            break;
        }
        case Place::Canada: {
            // Two balloons over the largest lake (or the middle of the circuit).
            V3 over = site.Middle();
            float best = 0;
            for (float x = site.MinX() - 2500; x <= site.MaxX() + 2500; x += 500)
                for (float z = site.MinZ() - 2500; z <= site.MaxZ() + 2500; z += 500)
                    if (site.Wetness(x, z) > 0.9f) {
                        const float d = site.NearestRoad(x, z, 4000).distance;
                        if (d > best) best = d, over = {x, 0, z};
                    }
            const bool high = position == 10;
            const V3 at = over + (high ? V3{-500, 420, 300} : V3{600, 260, -400});
            Balloon(m, at, high ? 300.0f : 240.0f, high ? Hex(0xE8401C) : Hex(0x2A66C8),
                    high ? Hex(0xF4C430) : Hex(0xF4F4F4));
            break;
        }
    }
}

zfmt::Bytes Label(const std::string& name) {
    const std::uint32_t c = ColourOf(name);
    std::vector<std::uint8_t> px(16 * 16 * 4);
    for (std::size_t i = 0; i < 16 * 16; ++i)
        for (int k = 0; k < 4; ++k) px[i * 4 + k] = static_cast<std::uint8_t>(c >> (8 * k));
    return EncodePng(16, 16, px);
}

}  // namespace

bool CourseArtMakesGroup(int groupId) { return (groupId >= 0 && groupId <= 11) || groupId == kGarageGroup; }

void MakeCourseGroup(int groupId, Output& out, const Context& ctx) {
    const std::vector<GroupSpec> groups = ReadGroups(ctx, out);
    if (groupId < 0 || groupId >= static_cast<int>(groups.size())) {
        out.Fail("course art: no group " + std::to_string(groupId));
        return;
    }
    const GroupSpec& spec = groups[static_cast<std::size_t>(groupId)];
    if (groupId == kGarageGroup) {
        MakeGarage(spec, out);
        return;
    }
    const GroupPlan plan = PlanOf(groupId);
    const auto& layouts = track::AllLayouts();
    const int forwardId = plan.course >= 8 ? plan.course - 6 : plan.course;
    const track::Layout& layout = layouts[static_cast<std::size_t>(plan.course)];
    const track::Layout& forward = layouts[static_cast<std::size_t>(forwardId)];
    if (!layout.error.empty() || !forward.error.empty()) {
        out.Fail("course art: layout of course " + std::to_string(plan.course) + ": " + layout.error + forward.error);
        return;
    }
    const PlaceStyle& style = GetPlaceStyle(plan.course);
    CourseSite site(layout, forward, style);
    const Surroundings around = SurroundingsOf(site);
    std::string sky;
    for (const TextureSpec& t : spec.textures)
        if (t.kind == "sky") sky = t.name;
    if (sky.empty()) {
        out.Fail("course art: " + spec.folder + " lists no sky texture");
        return;
    }

    // Near parts: road, barriers with the gantry, ground with water, the start area, then scenery.
    std::vector<CourseMesh> parts(4);
    BuildRoadSurface(site, parts[0]);
    BuildBarriers(site, parts[1]);
    BuildStartGantry(site, parts[1]);
    BuildTerrain(site, around, parts[2]);
    BuildWater(site, around, parts[2]);
    BuildStartArea(site, forward, parts[3]);
    const CourseMesh startArea = parts[3];
    MeshChunks chunks;
    BuildPlaceScenery(site, forward, around, chunks);
    // Scenery chunks fill the remaining normal slots, merged where they fit.
    const std::size_t slots = plan.normal.size();
    std::deque<CourseMesh>& scenery = chunks.All();
    while (parts.size() < slots && !scenery.empty()) {
        parts.push_back(std::move(scenery.front()));
        scenery.pop_front();
    }
    for (CourseMesh& rest : scenery) {
        auto it = std::min_element(parts.begin() + 3, parts.end(), [](const CourseMesh& a, const CourseMesh& b) {
            return a.VertexCount() < b.VertexCount();
        });
        if (it->VertexCount() + rest.VertexCount() > 65000) {
            out.Fail("course art: " + spec.folder + ": scenery does not fit its slots");
            return;
        }
        it->Append(rest);
    }

    // Far part: the sky dome and the far ring.
    CourseMesh far;
    BuildSkyDome(around, sky, far, 10, 32);
    CourseMesh ring;
    BuildFarRing(site, around, ring, false);
    far.Append(ring);

    // Cube-map parts: sky and ring (simplified) in sectors, and the start area, all facing the light.
    const V3 towardLight = Normalise(V3{-plan.light[0], -plan.light[1], -plan.light[2]});
    std::vector<int> envSlots = plan.env;
    envSlots.insert(envSlots.end(), plan.lifted.begin(), plan.lifted.end());
    const int e = static_cast<int>(envSlots.size());
    CourseMesh skyEnv, ringEnv;
    BuildSkyDome(around, sky, skyEnv, 6, 16);
    BuildFarRing(site, around, ringEnv, true);
    const int skyPieces = std::max(1, (e - 1) / 2), ringPieces = std::max(1, e - 1 - skyPieces);
    std::vector<CourseMesh> env = skyEnv.CubeFaceCopy(towardLight).SplitByAzimuth(around.middle, skyPieces);
    for (CourseMesh& m : ringEnv.CubeFaceCopy(towardLight).SplitByAzimuth(around.middle, ringPieces))
        env.push_back(std::move(m));
    env.push_back(startArea.CubeFaceCopy(towardLight));

    // Models by position.
    std::vector<zfmt::Bytes> models(static_cast<std::size_t>(spec.count));
    auto put = [&](int position, const CourseMesh& mesh, float scale, V3 offset, const std::string& what) {
        zfmt::Bytes bytes = mesh.Write(scale, offset);
        if (bytes.empty()) {
            out.Fail("course art: " + spec.folder + " position " + std::to_string(position) + " (" + what +
                     ") is empty or too large");
            return;
        }
        models[static_cast<std::size_t>(position - 1)] = std::move(bytes);
    };
    for (std::size_t k = 0; k < plan.normal.size(); ++k) {
        const CourseMesh& part = k < parts.size() ? parts[k] : parts[1];
        put(plan.normal[k], part, kPartScale, V3{}, "near part");
    }
    put(plan.far, far, plan.farScale, V3{}, "far part");
    for (int k = 0; k < e; ++k) {
        const bool lifted = std::find(plan.lifted.begin(), plan.lifted.end(), envSlots[k]) != plan.lifted.end();
        const CourseMesh& piece = env[static_cast<std::size_t>(std::min<int>(k, static_cast<int>(env.size()) - 1))];
        put(envSlots[k], piece.Empty() ? env.back() : piece, kPartScale, V3{0, lifted ? 10.0f : 0.0f, 0},
            "cube-map part");
    }
    CourseMesh gantry;
    BuildStartGantry(site, gantry);
    for (int p : plan.spare) put(p, gantry, kPartScale, V3{}, "spare");
    for (int p = 1; p <= spec.count; ++p) {
        if (!models[static_cast<std::size_t>(p - 1)].empty()) continue;
        CourseMesh object;
        MovingObjects(site, style, p, object);
        put(p, object, kPartScale, V3{}, "moving object");
    }

    BankOutput& bank = out.AddBank(spec.modelBank, DefaultBankKey(spec.modelBank), BankDirectory::Paths);
    bank.KeepOrder();
    bank.ExpectCount(spec.count);
    for (int p = 0; p < spec.count; ++p)
        bank.Add(spec.folder + "\\model\\" + spec.files[static_cast<std::size_t>(p)],
                 std::move(models[static_cast<std::size_t>(p)]));

    const SkyStyle skyStyle = SkyOf(style, plan.light);
    BankOutput& textures = out.AddBank(spec.textureBank, DefaultBankKey(spec.textureBank), BankDirectory::Stems);
    for (const TextureSpec& t : spec.textures) {
        if (t.kind == "cube")
            textures.Add(t.name, SkyCubePng(skyStyle, 64));
        else if (t.kind == "ramp")
            textures.Add(t.name,
                         GouraudRampPng(style.rampFloor, style.rampBands, 0.9f * std::max(0.1f, towardLight.y)));
        else if (t.kind == "sky")
            textures.Add(t.name, SkyPanoramaPng(skyStyle, 512, 160));
        else
            textures.Add(t.name, Label(t.name));
    }
}

}  // namespace contentgen
