// Generator: one course group's model bank, each model in the slot the course table draws it from, and the
// group's sky and lighting pictures for the texture generator.
#include <algorithm>
#include <cmath>

#include "course/CourseArt.h"
#include "course/CourseBuild.h"
#include "course/CourseGarage.h"
#include "course/CourseSight.h"
#include "course/CourseSky.h"
#include "kit/TextureArt.h"
#include "tables/ResourceGroups.h"

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

art::Canvas ToCanvas(const Picture& p) {
    art::Canvas c(p.width, p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint8_t* q = &p.rgba[(static_cast<std::size_t>(y) * p.width + x) * 4];
            c.At(x, y) = art::Colour{q[0] / 255.0f, q[1] / 255.0f, q[2] / 255.0f, q[3] / 255.0f};
        }
    return c;
}

}  // namespace

bool CourseArtMakesGroup(int groupId) { return (groupId >= 0 && groupId <= 11) || groupId == kGarageGroup; }

bool CourseArtTexture(int groupId, const std::string& name, const std::string& kind, TextureJob& out) {
    if (!CourseArtMakesGroup(groupId) || (kind != "cube" && kind != "ramp" && kind != "sky")) return false;
    out.name = name;
    if (groupId == kGarageGroup) {
        out.make = [kind] {
            return ToCanvas(kind == "cube"   ? SkyCube(StudioSky(), 64)
                            : kind == "ramp" ? GouraudRamp(0.5f, 3, 0.9f)
                                             : SkyPanorama(StudioSky(), 64, 32));
        };
        return true;
    }
    const GroupPlan plan = PlanOf(groupId);
    const PlaceStyle& style = GetPlaceStyle(plan.course);
    const SkyStyle sky = CourseBuild::SkyOf(style, plan.light);
    // The ramp reaches full light at the level ground's diffuse term under the layout's light.
    const V3 toward = Normalise(V3{-plan.light[0], -plan.light[1], -plan.light[2]});
    const float full = 0.9f * std::max(0.1f, toward.y);
    out.make = [kind, sky, full, &style] {
        if (kind == "cube") return ToCanvas(SkyCube(sky, 64));
        if (kind == "ramp") return ToCanvas(GouraudRamp(style.rampFloor, style.rampBands, full));
        return ToCanvas(SkyPanorama(sky, 512, 160));
    };
    return true;
}

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
    std::string sky;
    for (const NamedTextureSpec& t : spec.textures)
        if (t.kind == "sky") sky = t.name;
    if (sky.empty()) {
        out.Fail("course art: " + spec.folder + " lists no sky texture");
        return;
    }
    CourseBuild build(plan.course, sky);
    if (!build.Error().empty()) {
        out.Fail("course art: course " + std::to_string(plan.course) + ": " + build.Error());
        return;
    }
    const std::vector<CourseMesh> parts = build.NearParts(static_cast<int>(plan.normal.size()));
    if (parts.empty()) {
        out.Fail("course art: " + spec.folder + ": the scenery does not fit its slots");
        return;
    }
    // The cameras the rows placed against the standing parts, checked once more with the scenery.
    for (const std::string& why : CameraFaults(plan.course, parts)) out.Fail("course art: " + why);
    const CourseMesh far = build.FarPart();
    const V3 towardLight = Normalise(V3{-plan.light[0], -plan.light[1], -plan.light[2]});
    std::vector<int> envSlots = plan.env;
    envSlots.insert(envSlots.end(), plan.lifted.begin(), plan.lifted.end());
    const std::vector<CourseMesh> env = build.CubeFaceParts(static_cast<int>(envSlots.size()), towardLight);

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
    for (std::size_t k = 0; k < plan.normal.size(); ++k) put(plan.normal[k], parts[k], kPartScale, V3{}, "near part");
    put(plan.far, far, plan.farScale, V3{}, "far part");
    for (std::size_t k = 0; k < envSlots.size() && k < env.size(); ++k) {
        const bool lifted = std::find(plan.lifted.begin(), plan.lifted.end(), envSlots[k]) != plan.lifted.end();
        put(envSlots[k], env[k], kPartScale, V3{0, lifted ? 10.0f : 0.0f, 0}, "cube-map part");
    }
    const CourseMesh gantry = build.Gantry();
    for (int p : plan.spare) put(p, gantry, kPartScale, V3{}, "spare");
    for (int p = 1; p <= spec.count; ++p)
        if (models[static_cast<std::size_t>(p - 1)].empty())
            put(p, build.MovingObject(p), kPartScale, V3{}, "moving object");

    BankOutput& bank = out.AddBank(spec.modelBank, DefaultBankKey(spec.modelBank), BankDirectory::Paths);
    bank.KeepOrder();
    bank.ExpectCount(spec.count);
    for (int p = 0; p < spec.count; ++p)
        bank.Add(spec.folder + "\\model\\" + spec.files[static_cast<std::size_t>(p)],
                 std::move(models[static_cast<std::size_t>(p)]));
}

}  // namespace contentgen
