// CourseArtDisplayTest.cpp -- screenshots of every circuit layout's generated scenery from above its start and through
// its replay and waiting-room cameras, and the garage.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

#include "camera/tmCameraFixedPath.h"
#include "content_tables.h"
#include "harness/GlFixture.h"
#include "harness/TestRenderSetting.h"
#include "platform/gfx/Device.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmResource.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"
#include "table/CourseTable.h"
#include "table/ReplayCameraTable.h"
#include "table/yiResourceGroup.h"
#include "tools/track/Layout.h"

namespace {

constexpr int kW = 320;
constexpr int kH = 200;

std::string ShotDir() {
    const std::string dir = std::string(ZARVO_RUN_DIR) + "/../shots";
    mkdir(dir.c_str(), 0755);
    return dir;
}

// ARGB words (top row first) to an RGB PNG.
void WritePng(const std::string& path, const std::vector<uint32_t>& argb, int w, int h) {
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < argb.size() && i * 3 + 2 < rgb.size(); ++i) {
        rgb[i * 3] = static_cast<uint8_t>(argb[i] >> 16);
        rgb[i * 3 + 1] = static_cast<uint8_t>(argb[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(argb[i]);
    }
    EXPECT_NE(stbi_write_png(path.c_str(), w, h, 3, rgb.data(), w * 3), 0) << path;
}

struct Rgb8 {
    int r, g, b;
};
Rgb8 Split(uint32_t c) {
    return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)};
}

// A picture of one course: its pixels and where the road ahead and the sky fell on screen.
struct Shot {
    std::vector<uint32_t> pixels;
    int roadX = -1, roadY = -1;
};

// The renderer on a hidden OpenGL window, in a folder of its own with the run folder's data (the
// shader and content banks) linked in; each course's group is loaded, its lighting ramp bound and
// its static slots drawn as the course object draws them. The parameter picks the multi-pass frame
// with the shader bank (true) or the fixed-function frame a software rasteriser uses (false).
class CourseArtDisplayTest : public harness::GlFixture, public ::testing::WithParamInterface<bool> {
protected:
    CourseArtDisplayTest() : GlFixture({0, 0, GetParam(), true}) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(StartRenderer());
        if (GetParam() && (!r_->GetShader() || !r_->GetShader()->SupportsShaderModel3()))
            GTEST_SKIP() << "no shader path";
        yiResourceGroup::ResetState();
    }
    bool StartRenderer() {
        tmRenderSetting s = harness::TestRenderSetting(kW, kH, 16);
        s.environmentMap = 0;
        s.shadows = 0;
        tmDraw::SetRaceLayout(true);  // the circuits as a race shows them, over the whole window
        r_ = tmRender::Create();
        return r_->Initialize(dev.get(), s);
    }
    void TearDown() override {
        tmRender::Destroy();
        tmDraw::SetRaceLayout(false);
        yiResourceGroup::ResetState();
        GlFixture::TearDown();
    }
    std::string Suffix() const { return GetParam() ? "_shaded" : ""; }

    // Loads course `id`'s group and binds its lighting ramp and light colour; null when it is not there.
    const CourseRecord* Open(int id) {
        const CourseRecord* rec = GetCourseRecord(id);
        EXPECT_NE(rec, nullptr);
        if (!rec) return nullptr;
        const yiResourceGroup* group = yiResourceGroup::Get(rec->groupId);
        EXPECT_TRUE(group && group->Load());
        ramp_ = nullptr;
        if (rec->gouraudMap[0] != '\0') {
            group->LoadTexture(rec->textureFolder, rec->gouraudMap);
            ramp_ =
                static_cast<sys::tmTexture*>(tmGetResourceHolder()->Find(sys::tmResource::kTexture, rec->gouraudMap));
            EXPECT_NE(ramp_, nullptr) << rec->gouraudMap;
            EXPECT_TRUE(ramp_ && ramp_->GetTexture()) << "no picture for " << rec->gouraudMap;
        }
        r_->SetSampler6Texture(ramp_);
        if (r_->GetShader())
            r_->GetShader()->SetVector(D3DXVECTOR3(rec->lightColour[0], rec->lightColour[1], rec->lightColour[2]));
        return rec;
    }
    void Close(const CourseRecord* rec) {
        r_->SetSampler6Texture(nullptr);
        const yiResourceGroup* group = yiResourceGroup::Get(rec->groupId);
        if (ramp_) group->ReleaseTexture(rec->gouraudMap);
        group->Unload();
    }

    // The course's static slots seen from `eye` looking at `at` (vertical field `fov`); with
    // `roadOnly` just its first slot, the road surface, over the black clear colour.
    std::vector<uint32_t> View(const CourseRecord* rec, const D3DXVECTOR3& eye, const D3DXVECTOR3& at, float fov,
                               D3DXMATRIX* viewProj = nullptr, bool roadOnly = false) {
        const D3DXVECTOR3 up(0, 1, 0);
        D3DXMATRIX view, proj;
        D3DXMatrixLookAtRH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovRH(&proj, fov, float(kW) / kH, 5.0f, 40000.0f);
        if (viewProj) *viewProj = view * proj;
        r_->SetViewMatrix(view);
        r_->SetProjectionMatrix(proj);
        r_->SetNearFar(5.0f, 40000.0f);
        r_->SetLightDirectionDefault(rec->lightDirection);
        for (const CourseModelSlot& slot : rec->parts) {
            if (slot.model == 0 || !slot.draw) continue;
            D3DXMATRIX scale, move, world;
            D3DXMatrixScaling(&scale, slot.scale, slot.scale, slot.scale);
            D3DXMatrixTranslation(&move, slot.position.x, slot.position.y, slot.position.z);
            world = scale * move;
            r_->SetWorldMatrix(world);
            EXPECT_GE(r_->DrawModel(slot.model, static_cast<uint32_t>(slot.shaderType), slot.layer), 0)
                << "course " << rec->id << " model " << slot.model << " did not reach the queue";
            if (roadOnly) break;
        }
        r_->Render();
        std::vector<uint32_t> pixels;
        uint32_t w = 0, h = 0;
        EXPECT_TRUE(dev->readPixels(dev->backBuffer(), 0, &pixels, &w, &h));
        EXPECT_EQ(w, static_cast<uint32_t>(kW));
        pixels.resize(static_cast<size_t>(kW) * kH);
        return pixels;
    }

    // Draws course `id` from above and behind its first grid slot, looking down the road.
    Shot Shoot(int id, D3DXVECTOR3 eyeOffset, float lookAhead) {
        Shot shot;
        const CourseRecord* rec = Open(id);
        if (!rec) return shot;
        // Slots 0 and 1 stand either side of the centre line; slots 0 and 2 in one column, so their
        // difference is the way down the road.
        const yiVec3 g0 = rec->grid[0], g1 = rec->grid[1], g2 = rec->grid[2];
        D3DXVECTOR3 start(0.5f * (g0.x + g1.x), 0.5f * (g0.y + g1.y), 0.5f * (g0.z + g1.z));
        D3DXVECTOR3 dir(g0.x - g2.x, 0.0f, g0.z - g2.z);
        if (id == 1) start = D3DXVECTOR3(0, 0, 0), dir = D3DXVECTOR3(0, 0, 1);
        D3DXVec3Normalize(&dir, &dir);
        const D3DXVECTOR3 side(dir.z, 0.0f, -dir.x), up(0, 1, 0);
        const D3DXVECTOR3 eye = start - dir * eyeOffset.z + up * eyeOffset.y + side * eyeOffset.x;
        D3DXMATRIX vp;
        shot.pixels = View(rec, eye, start + dir * lookAhead, D3DX_PI / 3, &vp);
        // Where the centre of the road 200 units ahead of the front row lands on screen.
        const D3DXVECTOR3 road = start + dir * 200.0f;
        D3DXVECTOR3 ndc;
        D3DXVec3TransformCoord(&ndc, &road, &vp);
        shot.roadX = static_cast<int>((ndc.x + 1.0f) * 0.5f * kW);
        shot.roadY = static_cast<int>((1.0f - ndc.y) * 0.5f * kH);
        Close(rec);
        return shot;
    }

    tmRender* r_ = nullptr;
    sys::tmTexture* ramp_ = nullptr;
};

// Pictures of the twelve circuit layouts side by side, four to a row.
class Sheet {
public:
    void Put(int cell, const std::vector<uint32_t>& shot) {
        const int ox = (cell % kCols) * kW, oy = (cell / kCols) * kH;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                pixels_[static_cast<size_t>(oy + y) * kW * kCols + ox + x] = shot[static_cast<size_t>(y) * kW + x];
    }
    void Write(const std::string& path) { WritePng(path, pixels_, kW * kCols, kH * kRows); }

private:
    static constexpr int kCols = 4, kRows = 3;
    std::vector<uint32_t> pixels_ = std::vector<uint32_t>(static_cast<size_t>(kW) * kCols * kH * kRows, 0xFF000000u);
};

long DistinctColours(const std::vector<uint32_t>& shot) {
    std::vector<uint32_t> colours(shot.begin(), shot.end());
    for (uint32_t& c : colours) c &= 0xF0F0F0;
    std::sort(colours.begin(), colours.end());
    return std::unique(colours.begin(), colours.end()) - colours.begin();
}

double Difference(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const Rgb8 p = Split(a[i]), q = Split(b[i]);
        sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
    return sum / (3.0 * static_cast<double>(std::max<size_t>(1, a.size())));
}

// Every layout, forward and reversed, from above and behind its first grid slot looking down the
// road: the road lies ahead in asphalt grey, a sky fills the top of the frame, the scenery gives
// the frame many colours, and no two circuits look alike. Each picture and a sheet of all twelve
// side by side are written for a person to compare.
TEST_P(CourseArtDisplayTest, EveryCircuitFromAboveItsStart) {
    const std::string dir = ShotDir();
    Sheet sheet;
    std::vector<std::vector<uint32_t>> shots;
    for (int id = kFirstCircuitId; id <= kLastCourseId; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        const Shot shot = Shoot(id, D3DXVECTOR3(0.0f, 420.0f, 900.0f), 1400.0f);
        ASSERT_EQ(shot.pixels.size(), static_cast<size_t>(kW) * kH);
        WritePng(dir + "/courseart_" + std::to_string(id) + Suffix() + ".png", shot.pixels, kW, kH);

        // The road ahead: a grey of asphalt (channels close together), not black.
        ASSERT_TRUE(shot.roadX > 0 && shot.roadX < kW && shot.roadY > 0 && shot.roadY < kH);
        const Rgb8 road = Split(shot.pixels[static_cast<size_t>(shot.roadY) * kW + shot.roadX]);
        EXPECT_LT(std::max({road.r, road.g, road.b}) - std::min({road.r, road.g, road.b}), 40)
            << "road " << road.r << "," << road.g << "," << road.b;
        EXPECT_GT(road.r + road.g + road.b, 30);
        // The sky: the whole top row is drawn (the clear colour is black), mostly unlike the road.
        int drawn = 0, unlikeRoad = 0;
        for (int x = 0; x < kW; ++x) {
            const Rgb8 p = Split(shot.pixels[static_cast<size_t>(x)]);
            if (p.r + p.g + p.b > 0) ++drawn;
            if (std::abs(p.r - road.r) + std::abs(p.g - road.g) + std::abs(p.b - road.b) > 30) ++unlikeRoad;
        }
        EXPECT_EQ(drawn, kW) << "no sky above the course";
        EXPECT_GT(unlikeRoad, kW / 3) << "the sky looks like the road";
        // Scenery: many distinct colours.
        EXPECT_GT(DistinctColours(shot.pixels), 60) << "a bare frame";
        sheet.Put(id - kFirstCircuitId, shot.pixels);
        shots.push_back(shot.pixels);
    }
    sheet.Write(dir + "/courseart_all" + Suffix() + ".png");
    // Different circuits look different; a circuit and its reverse share the place but not the view.
    for (size_t a = 0; a < shots.size(); ++a)
        for (size_t b = a + 1; b < shots.size(); ++b)
            EXPECT_GT(Difference(shots[a], shots[b]), 4.0) << "courses " << a + 2 << " and " << b + 2 << " look alike";
}

// Every layout from high above behind its start: the lie of the land and the circuit's shape.
TEST_P(CourseArtDisplayTest, EveryCircuitFromHighAbove) {
    Sheet sheet;
    std::vector<std::vector<uint32_t>> shots;
    for (int id = kFirstCircuitId; id <= kLastCourseId; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        const Shot shot = Shoot(id, D3DXVECTOR3(0.0f, 7000.0f, 6000.0f), 3000.0f);
        ASSERT_EQ(shot.pixels.size(), static_cast<size_t>(kW) * kH);
        WritePng(ShotDir() + "/courseart_high_" + std::to_string(id) + Suffix() + ".png", shot.pixels, kW, kH);
        int black = 0;
        for (uint32_t p : shot.pixels) black += (p & 0xFFFFFF) == 0;
        EXPECT_LT(black, kW * kH / 100) << "holes in the ground";
        EXPECT_GT(DistinctColours(shot.pixels), 60) << "a bare frame";
        sheet.Put(id - kFirstCircuitId, shot.pixels);
        shots.push_back(shot.pixels);
    }
    sheet.Write(ShotDir() + "/courseart_high_all" + Suffix() + ".png");
    for (size_t a = 0; a < shots.size(); ++a)
        for (size_t b = a + 1; b < shots.size(); ++b) {
            if (b == a + 6) continue;  // a circuit and its reverse: the same land
            EXPECT_GT(Difference(shots[a], shots[b]), 4.0) << "courses " << a + 2 << ", " << b + 2;
        }
}

// A camera's view of a course judged against the same view of its road surface alone: how many
// road pixels the scene leaves as they are, and how many cells of a coarse grid differ from the
// most common one (none when one surface fills the frame).
struct Sight {
    int road = 0, varied = 0;
};
Sight Judge(const std::vector<uint32_t>& scene, const std::vector<uint32_t>& road) {
    Sight sight;
    for (size_t i = 0; i < scene.size() && i < road.size(); ++i) {
        const Rgb8 p = Split(scene[i]), q = Split(road[i]);
        if (q.r + q.g + q.b > 0 && std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) < 6) ++sight.road;
    }
    constexpr int kCols = 8, kRows = 5, kCellW = kW / kCols, kCellH = kH / kRows;
    std::vector<Rgb8> cells;
    for (int cy = 0; cy < kRows; ++cy)
        for (int cx = 0; cx < kCols; ++cx) {
            Rgb8 sum{0, 0, 0};
            for (int y = cy * kCellH; y < (cy + 1) * kCellH; ++y)
                for (int x = cx * kCellW; x < (cx + 1) * kCellW; ++x) {
                    const Rgb8 p = Split(scene[static_cast<size_t>(y) * kW + x]);
                    sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b};
                }
            cells.push_back({sum.r / (kCellW * kCellH), sum.g / (kCellW * kCellH), sum.b / (kCellW * kCellH)});
        }
    int alikeMost = 0;
    for (const Rgb8& a : cells) {
        int alike = 0;
        for (const Rgb8& b : cells) alike += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 12;
        alikeMost = std::max(alikeMost, alike);
    }
    sight.varied = static_cast<int>(cells.size()) - alikeMost;
    return sight;
}

// The fixed-path shots (the waiting room's view of the chosen course: each pan's start and end)
// and the replay's track cameras (a fixed move's start and end; a chase half way along its move,
// facing the road beside it where the machine passes) stand outside the scenery and see the road:
// a good part of the frame shows its surface, and in the wide views no one surface fills the
// frame, even with the back faces drawn. Where a camera stands is geometry, which the simple frame
// shows as well as the shaded one. The shots of each course are written side by side, and the first dozen of its
// tracks.
class CourseCameraDisplayTest : public CourseArtDisplayTest {};

TEST_P(CourseCameraDisplayTest, FixedPathShotsAndReplayTracksSeeTheRoad) {
    const auto& layouts = track::AllLayouts();
    for (int id = kFirstCircuitId; id <= kLastCourseId; ++id) {
        SCOPED_TRACE("course " + std::to_string(id));
        const CourseRecord* rec = Open(id);
        ASSERT_NE(rec, nullptr);
        // Both faces drawn: a camera inside a closed mesh sees its inside, not the road through it.
        for (const CourseModelSlot& slot : rec->parts) {
            const sys::tmModel* model = slot.model ? tmGetResourceHolder()->GetModelSlot(slot.model) : nullptr;
            for (int k = 0; model && k < model->GetShapeCount(); ++k) model->GetShape(k)->cullMode = gfx::Cull::None;
        }
        struct Look {
            std::string what;
            CameraState camera;
        };
        std::vector<Look> shots, tracks;
        for (int i = 0; i < ReplayShotCounts[id]; ++i) {
            shots.push_back({"shot " + std::to_string(i) + " start", ReplayShotTable[id][i].start});
            shots.push_back({"shot " + std::to_string(i) + " end", ReplayShotTable[id][i].end});
        }
        for (int i = 0; i < ReplayTrackCounts[id]; ++i) {
            const ReplayTrack& t = ReplayTrackTable[id][i];
            if (t.kind == kReplayTrackFixed) {
                tracks.push_back({"track " + std::to_string(i) + " start", t.start});
                tracks.push_back({"track " + std::to_string(i) + " end", t.end});
                continue;
            }
            CameraState c = tmCameraFixedPath::Blend(t.start, t.end, 2, 1);
            const track::Sample* beside = nullptr;
            for (const track::Sample& s : layouts[static_cast<size_t>(id)].line.Samples())
                if (!beside || std::hypot(s.centre.x - c.eye.x, s.centre.z - c.eye.z) <
                                   std::hypot(beside->centre.x - c.eye.x, beside->centre.z - c.eye.z))
                    beside = &s;
            c.target = beside->centre;
            const bool seen = std::any_of(tracks.begin(), tracks.end(), [&](const Look& l) {
                return l.camera.eye.x == c.eye.x && l.camera.eye.z == c.eye.z;
            });
            if (!seen) tracks.push_back({"track " + std::to_string(i), c});
        }
        for (auto* looks : {&shots, &tracks}) {
            Sheet sheet;
            for (size_t k = 0; k < looks->size(); ++k) {
                const Look& look = (*looks)[k];
                SCOPED_TRACE(look.what);
                const CameraState& c = look.camera;
                const D3DXVECTOR3 eye(c.eye.x, c.eye.y, c.eye.z), at(c.target.x, c.target.y, c.target.z);
                const std::vector<uint32_t> scene = View(rec, eye, at, c.fov);
                const Sight sight = Judge(scene, View(rec, eye, at, c.fov, nullptr, true));
                EXPECT_GT(sight.road, kW * kH / 40) << "the road is hidden";
                if (c.fov > 0.5f) {
                    EXPECT_GE(sight.varied, 4) << "one surface fills the frame";
                }
                if (k < 12) sheet.Put(static_cast<int>(k), scene);
            }
            sheet.Write(ShotDir() + "/courseart_" + (looks == &shots ? "shots_" : "tracks_") + std::to_string(id) +
                        ".png");
        }
        Close(rec);
    }
}

// The six mini maps (a tenth of world size, as the race display draws them) seen from above with
// the player's marker on the front row, a team mate's and a rival's beside it.
TEST_P(CourseArtDisplayTest, MiniMapsWithMarkers) {
    const yiResourceGroup* group = yiResourceGroup::Get(12);
    Sheet sheet;
    for (int id = kFirstCircuitId; id < kFirstCircuitId + 6; ++id) {
        SCOPED_TRACE(id);
        if (!yiResourceGroup::IsLoaded(12)) {
            ASSERT_TRUE(group && group->Load());
        }
        tmResourceHolder* cache = tmGetResourceHolder();
        const CourseRecord* rec = GetCourseRecord(id);
        sys::tmModel* map = cache->GetModelSlot(rec->mapModel);
        ASSERT_TRUE(map && map->GetShapeCount() > 0);
        const sys::tmShape* outline = map->GetShape(0);
        const D3DXVECTOR3 centre(outline->centre[0], outline->centre[1], outline->centre[2]);
        const D3DXVECTOR3 eye = centre + D3DXVECTOR3(0, 2.0f * outline->radius, 0), up(0, 0, -1);
        D3DXMATRIX view, proj, world;
        D3DXMatrixLookAtRH(&view, &eye, &centre, &up);
        D3DXMatrixPerspectiveFovRH(&proj, D3DX_PI / 3, float(kW) / kH, 1.0f, 10000.0f);
        r_->SetViewMatrix(view);
        r_->SetProjectionMatrix(proj);
        const float light[4] = {0.2f, -1.0f, 0.1f, -1.0f};
        r_->SetLightDirectionDefault(light);
        D3DXMatrixIdentity(&world);
        r_->SetWorldMatrix(world);
        ASSERT_GE(r_->DrawModel(rec->mapModel, 0, 0), 0);
        const yiVec3 g0 = rec->grid[0], g2 = rec->grid[2];
        const float heading = std::atan2(g0.x - g2.x, g0.z - g2.z);
        const struct {
            int model;
            float scale, side;
            float turn;
        } markers[3] = {{content::MDL_F_CMN_MARKER_GOAL, 180.0f, 0.0f, D3DX_PI},
                        {content::MDL_F_CMN_MARKER_PLAYER, 90.0f, 1.0f, 0.0f},
                        {content::MDL_F_CMN_MARKER_RIVAL, 90.0f, -1.0f, 0.0f}};
        for (const auto& m : markers) {
            D3DXMATRIX scale, turn, move;
            D3DXMatrixScaling(&scale, m.scale, m.scale, m.scale);
            D3DXMatrixRotationY(&turn, heading + m.turn);
            D3DXMatrixTranslation(&move, g0.x * 0.1f + m.side * 60.0f * std::cos(heading), 40.0f,
                                  g0.z * 0.1f - m.side * 60.0f * std::sin(heading));
            world = scale * turn * move;
            r_->SetWorldMatrix(world);
            EXPECT_GE(r_->DrawModel(m.model, 0, 0), 0);
        }
        r_->Render();
        std::vector<uint32_t> shot;
        uint32_t w = 0, h = 0;
        ASSERT_TRUE(dev->readPixels(dev->backBuffer(), 0, &shot, &w, &h));
        int road = 0, start = 0, player = 0;
        for (uint32_t p : shot) {
            const Rgb8 c = Split(p);
            road += c.r > 200 && c.g > 200 && c.b > 200;
            start += c.r > 200 && c.g < 120 && c.b < 100;
            player += c.r > 200 && c.g > 180 && c.b < 120;
        }
        EXPECT_GT(road, kW * kH / 100) << "no outline";
        EXPECT_GT(start, 3) << "no start line";
        EXPECT_GT(player, 10) << "no player marker";
        sheet.Put(id - kFirstCircuitId, shot);
    }
    sheet.Write(ShotDir() + "/courseart_maps" + Suffix() + ".png");
    group->Unload();
}

// The garage: the turntable in the middle of a lit studio.
TEST_P(CourseArtDisplayTest, GarageStudioLightsTheTurntableAndFillsTheFrame) {
    const Shot shot = Shoot(1, D3DXVECTOR3(0.0f, 160.0f, 420.0f), 0.0f);
    ASSERT_EQ(shot.pixels.size(), static_cast<size_t>(kW) * kH);
    WritePng(ShotDir() + "/courseart_garage" + Suffix() + ".png", shot.pixels, kW, kH);
    // The turntable at the middle is lit grey, the top of the frame is the studio.
    const Rgb8 centre = Split(shot.pixels[static_cast<size_t>(kH / 2) * kW + kW / 2]);
    EXPECT_GT(centre.r + centre.g + centre.b, 60);
    EXPECT_GT(DistinctColours(shot.pixels), 20);
}

INSTANTIATE_TEST_SUITE_P(Paths, CourseArtDisplayTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "Shaded" : "Simple"; });
INSTANTIATE_TEST_SUITE_P(Paths, CourseCameraDisplayTest, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool>&) { return "Simple"; });

}  // namespace
