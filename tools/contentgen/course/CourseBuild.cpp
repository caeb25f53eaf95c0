// CourseBuild.cpp -- assembles a circuit layout's scene from the road, ground, scenery, sky and object builders.
#include "course/CourseBuild.h"

#include <algorithm>
#include <cmath>

#include "course/CourseProps.h"
#include "course/CourseRoad.h"
#include "course/CourseScenery.h"
#include "tools/track/Layout.h"

namespace contentgen {

CourseBuild::CourseBuild(int courseId, const std::string& skyTexture) : courseId_(courseId), sky_(skyTexture) {
    const CourseLayouts layouts = LayoutsOf(courseId);
    error_ = layouts.error;
    if (!error_.empty()) return;
    const track::Layout& layout = *layouts.layout;
    const track::Layout& forward = *layouts.forward;
    style_ = &GetPlaceStyle(courseId);
    forward_ = &forward;
    site_ = std::make_unique<CourseSite>(layout, forward, *style_);
    around_ = SurroundingsOf(*site_);
}

const std::vector<CourseMesh>& CourseBuild::StandingParts() {
    if (!standing_.empty() || !site_) return standing_;
    CourseSite& site = *site_;
    standing_.resize(5);
    BuildRoadSurface(site, standing_[0]);
    BuildBarriers(site, standing_[1]);
    BuildStartGantry(site, standing_[1]);
    BuildTerrain(site, around_, standing_[2]);
    BuildWater(site, around_, standing_[2]);
    BuildStartArea(site, *forward_, standing_[3]);
    BuildPlaceFixtures(site, *forward_, standing_[4]);
    return standing_;
}

std::vector<CourseMesh> CourseBuild::NearParts(int slots) {
    if (!site_) return {};
    CourseSite& site = *site_;
    const track::Layout& forward = *forward_;
    const std::vector<CourseMesh>& standing = StandingParts();
    std::vector<CourseMesh> parts(standing.begin(), standing.begin() + 4);
    startArea_ = parts[3];
    MeshChunks chunks;
    if (!standing[4].Empty()) chunks.Next().Append(standing[4]);
    // The place's scenery keeps out of every camera's way.
    KeepCamerasClear(site, CameraSightsOf(courseId_));
    BuildPlaceScenery(site, forward, around_, chunks);
    // Scenery chunks fill the remaining slots, the smallest parts taking what is left over.
    std::deque<CourseMesh>& scenery = chunks.All();
    while (static_cast<int>(parts.size()) < slots && !scenery.empty()) {
        parts.push_back(std::move(scenery.front()));
        scenery.pop_front();
    }
    for (CourseMesh& rest : scenery) {
        auto it = std::min_element(parts.begin() + 3, parts.end(), [](const CourseMesh& a, const CourseMesh& b) {
            return a.VertexCount() < b.VertexCount();
        });
        if (it->VertexCount() + rest.VertexCount() > 65000) return {};
        it->Append(rest);
    }
    // Too few chunks for the slots: the largest scenery parts are parted by their materials.
    while (static_cast<int>(parts.size()) < slots) {
        auto largest = std::max_element(parts.begin() + 4, parts.end(), [](const CourseMesh& a, const CourseMesh& b) {
            return a.VertexCount() < b.VertexCount();
        });
        if (largest == parts.end()) return {};
        std::vector<CourseMesh> halves = largest->Halves();
        if (halves[1].Empty()) return {};
        *largest = std::move(halves[0]);
        parts.push_back(std::move(halves[1]));
    }
    // The slots are drawn in order: the ground goes last, so the depth test turns away most of its
    // pixels behind the road and scenery already drawn (fill rate is what a software rasteriser lacks).
    std::rotate(parts.begin() + 2, parts.begin() + 3, parts.end());
    return parts;
}

CourseMesh CourseBuild::FarPart() const {
    CourseMesh far;
    if (!site_) return far;
    BuildSkyDome(around_, sky_, far, 10, 32);
    CourseMesh ring;
    BuildFarRing(*site_, around_, ring, false);
    far.Append(ring);
    return far;
}

std::vector<CourseMesh> CourseBuild::CubeFaceParts(int slots, V3 towardLight) const {
    if (!site_ || slots < 1) return {};
    CourseMesh sky, ring;
    BuildSkyDome(around_, sky_, sky, 6, 16);
    BuildFarRing(*site_, around_, ring, true);
    const int skyPieces = std::max(1, (slots - 1) / 2), ringPieces = std::max(1, slots - 1 - skyPieces);
    std::vector<CourseMesh> parts = sky.CubeFaceCopy(towardLight).SplitByAzimuth(around_.middle, skyPieces);
    for (CourseMesh& m : ring.CubeFaceCopy(towardLight).SplitByAzimuth(around_.middle, ringPieces))
        parts.push_back(std::move(m));
    parts.push_back(startArea_.CubeFaceCopy(towardLight));
    // A sector with nothing in it (the sea side of a ring) takes the start area instead.
    for (CourseMesh& m : parts)
        if (m.Empty()) m = parts.back();
    parts.resize(static_cast<std::size_t>(slots));
    return parts;
}

CourseMesh CourseBuild::Gantry() const {
    CourseMesh m;
    if (site_) BuildStartGantry(*site_, m);
    return m;
}

CourseMesh CourseBuild::MovingObject(int position) const {
    CourseMesh m;
    if (!site_) return m;
    const CourseSite& site = *site_;
    const track::CentreLine& line = site.Line();
    switch (style_->place) {
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
            const bool high = position % 2 == 0;
            const V3 at = over + (high ? V3{-500, 420, 300} : V3{600, 260, -400});
            Balloon(m, at, high ? 300.0f : 240.0f, high ? Hex(0xE8401C) : Hex(0x2A66C8),
                    high ? Hex(0xF4C430) : Hex(0xF4F4F4));
            break;
        }
    }
    return m;
}

SkyStyle CourseBuild::SkyOf(const PlaceStyle& place, const float light[3]) {
    SkyStyle sky = place.sky;
    const V3 toward = Normalise(V3{-light[0], -light[1], -light[2]});
    if (toward.y < 0.95f) sky.sun = toward;
    return sky;
}

}  // namespace contentgen
