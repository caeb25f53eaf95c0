// tmWallRoadTest.cpp -- the clumsy player's road on every layout, headless: full throttle without steering into
// the first wall, held there, then the brake held (the machines have no reverse gear); everything handed to the
// drawing seam stays finite and bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "harness/Harness.h"
#include "harness/RaceRoad.h"
#include "machine/tmMachineCore.h"
#include "menu/tmMenuFlow.h"
#include "race/tmRaceState.h"
#include "race/tmSeqRace.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmDraw.h"
#include "table/CourseTable.h"

namespace {

constexpr int kSecond = 60;  // logic steps
// The race's batches (smoke, sparks, strips, trails) hold a few hundred triangles a frame; a mesh that grew
// without bound would pass this at once.
constexpr int kMaxBatchTriangles = 4096;
// Covered clip-space area of the batches in screens (a screen is 2 x 2): smoke in front of the camera may
// cover it many times over, a primitive blown up by a w near 0 covers it thousands of times.
constexpr double kMaxCoveredScreens = 256.0;

bool Finite(const D3DXMATRIX& m) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!std::isfinite(m.m[r][c])) return false;
    return true;
}

// Keeps what the race hands the seam in one frame: every matrix must be finite; batch triangles are counted
// and their covered clip-space area (the bounding box of the part in front of the camera, cut to the
// screen) summed.
class WallRecorder : public tmSilentDraw {
public:
    WallRecorder() {
        D3DXMatrixIdentity(&viewProjection_);
        D3DXMatrixIdentity(&projection_);
        D3DXMatrixIdentity(&second_);
        tmDraw::SetInstance(this);
    }
    ~WallRecorder() override { tmDraw::SetInstance(nullptr); }

    void NextFrame() {
        maxTriangles = std::max(maxTriangles, triangles_);
        maxScreens = std::max(maxScreens, area_ / 4.0);
        triangles_ = 0;
        area_ = 0.0;
    }
    int nonFinite = 0;
    std::string firstNonFinite;
    int maxTriangles = 0;
    double maxScreens = 0.0;

    void SetWorldMatrix(const D3DXMATRIX& m) override { Check(m, "world"); }
    void SetViewMatrix(const D3DXMATRIX& m) override { Check(m, "view"); }
    void SetProjectionMatrix(const D3DXMATRIX& m) override {
        Check(m, "projection");
        projection_ = m;
    }
    void SetViewProjectionMatrix(const D3DXMATRIX& v, const D3DXMATRIX& p) override {
        Check(v, "view");
        Check(p, "projection");
        viewProjection_ = v * p;
    }
    void SetSecondViewProjection(const D3DXMATRIX& v, const D3DXMATRIX& p) override {
        Check(v, "second view");
        Check(p, "second projection");
        second_ = v * p;
    }
    void SetExtraMatrix1(const D3DXMATRIX& m) override { Check(m, "extra 1"); }
    void SetExtraMatrix2(const D3DXMATRIX& m) override { Check(m, "extra 2"); }
    void SetExtraMatrix3(const D3DXMATRIX& m) override { Check(m, "mirrored view"); }
    int DrawSpriteRect(int, const D3DXMATRIX& m, uint32_t, float, float, float, float, float, float) override {
        Check(m, "sprite");
        return 0;
    }
    int DrawSpriteRectDefault(int, const D3DXMATRIX& m, uint32_t) override {
        Check(m, "sprite");
        return 0;
    }
    int DrawBatch(int, int, uint32_t, uint32_t, int matrixChoice, int triangleCount, const float* positions,
                  const uint32_t*, const float*) override {
        if (triangleCount <= 0 || !positions) return 0;
        triangles_ += triangleCount;
        const D3DXMATRIX& m = matrixChoice == 0 ? viewProjection_ : matrixChoice == 1 ? projection_ : second_;
        for (int t = 0; t < triangleCount; ++t) area_ += CoveredArea(m, positions + t * 9);
        return 0;
    }

private:
    void Check(const D3DXMATRIX& m, const char* what) {
        if (Finite(m)) return;
        if (nonFinite++ == 0) firstNonFinite = what;
    }
    double CoveredArea(const D3DXMATRIX& m, const float* p) {
        double x0 = 1, y0 = 1, x1 = -1, y1 = -1;
        bool behind = false;
        for (int v = 0; v < 3; ++v) {
            const float x = p[v * 3], y = p[v * 3 + 1], z = p[v * 3 + 2];
            if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
                if (nonFinite++ == 0) firstNonFinite = "batch position";
                return 0.0;
            }
            const double cx = x * m._11 + y * m._21 + z * m._31 + m._41;
            const double cy = x * m._12 + y * m._22 + z * m._32 + m._42;
            const double cw = x * m._14 + y * m._24 + z * m._34 + m._44;
            if (cw <= 1e-3) {
                behind = true;  // clipped: its part in front may reach any edge of the screen
                continue;
            }
            x0 = std::min(x0, cx / cw), x1 = std::max(x1, cx / cw);
            y0 = std::min(y0, cy / cw), y1 = std::max(y1, cy / cw);
        }
        if (behind) return 4.0;
        x0 = std::max(x0, -1.0), y0 = std::max(y0, -1.0), x1 = std::min(x1, 1.0), y1 = std::min(y1, 1.0);
        return x1 > x0 && y1 > y0 ? (x1 - x0) * (y1 - y0) : 0.0;
    }
    D3DXMATRIX viewProjection_, projection_, second_;
    int triangles_ = 0;
    double area_ = 0.0;
};

}  // namespace

TEST(WallRoad, EveryLayoutFullThrottleIntoTheFirstWallThenBrakeStaysFiniteAndBounded) {
    std::vector<int> courses;
    for (int id = 2; id < 64; ++id)
        if (GetCourseRecord(id)) courses.push_back(id);
    ASSERT_EQ(courses.size(), 12u);
    for (int course : courses) {
        SCOPED_TRACE("course " + std::to_string(course));
        harness::SessionSetup setup;
        setup.runData = true;
        setup.firstScreen = kSeqDebugMenu;
        harness::Session s(setup);
        tmMenuFlow::SetNormalPlay(true);
        tmConfig::GetInstance().SetGameOption2(1);
        ASSERT_TRUE(s.Start());
        s.Frame();
        harness::SetUpDebugMenuRace(s, course);
        ASSERT_EQ(tmRaceState::Get().setup.course, uint32_t(course));
        ASSERT_TRUE(s.RunUntil([&] { return harness::RacePhase(s) == tmSeqRace::kRacing; }, 900));
        WallRecorder rec;
        s.Input().SetKey(tmKey::kZ, true);  // full throttle, no steering, 20 s
        const tmRaceState& rs = tmRaceState::Get();
        const tmMachineCore* core = rs.cores[rs.setup.local % kRaceEntrants];
        ASSERT_NE(core, nullptr);
        float top = 0.0f, pinned = 1e9f;  // top speed, and the slowest of the last 10 s
        for (int i = 0; i < 20 * kSecond; ++i) {
            ASSERT_TRUE(s.Frame());
            rec.NextFrame();
            top = std::max(top, core->kmh);
            if (i >= 10 * kSecond) pinned = std::min(pinned, core->kmh);
        }
        EXPECT_LT(pinned, top * 0.5f);  // the wall stopped it
        s.Input().SetKey(tmKey::kZ, false);
        s.Input().SetKey(tmKey::kA, true);  // the brake, 5 s (no machine reverses)
        for (int i = 0; i < 5 * kSecond; ++i) {
            ASSERT_TRUE(s.Frame());
            rec.NextFrame();
        }
        s.Input().SetKey(tmKey::kA, false);
        EXPECT_EQ(rec.nonFinite, 0) << "first: " << rec.firstNonFinite;
        EXPECT_LE(rec.maxTriangles, kMaxBatchTriangles);
        EXPECT_LE(rec.maxScreens, kMaxCoveredScreens);
        std::printf("course %d: top %.0f km/h, at the wall %.0f km/h, batch triangles <= %d, screens <= %.1f\n", course,
                    top, pinned, rec.maxTriangles, rec.maxScreens);
    }
}
