// tmFrontendMachineTest.cpp -- cockpit mechanics on recorded draw lists: meter sweep, gauges, lamps, digits, clamps.
#include "frontend/tmFrontendMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "app/tmCameraCtrl.h"
#include "frontend/DrawLog.h"
#include "frontend/tmFrontendFamilies.h"
#include "frontend/tmHudPlace.h"

namespace {

// The index of a drawn model in a table of slots, or -1.
int IndexIn(const uint32_t* table, int count, int slot) {
    for (int i = 0; i < count; ++i)
        if (static_cast<int>(table[i]) == slot) return i;
    return -1;
}

// A cockpit of a machine id, set up, with a record.
std::unique_ptr<tmFrontendMachine> Cockpit(int machineId, const tmHudMachineRecord& record, int updates = 1) {
    std::unique_ptr<tmFrontendMachine> c(tmFrontendMachine::Create(machineId));
    c->Init();
    for (int i = 0; i < updates; ++i) c->Update(record);
    return c;
}

// True for a digit model drawn as a number (a gear picture that is a digit model stands at its picture's place).
bool IsNumberDigit(const DrawLog::Model& m, const CockpitTables& t) {
    if (IndexIn(t.digits, 10, m.slot) < 0) return false;
    const D3DXMATRIX gear = tmHudPlace::Element(t.state1.place);
    return std::memcmp(&gear, &m.world, sizeof gear) != 0;
}

// The digits of numbers drawn with the family's digit models, in draw order.
std::vector<int> Digits(const DrawLog& log, const CockpitTables& t) {
    std::vector<int> out;
    for (const DrawLog::Model& m : log.models)
        if (IsNumberDigit(m, t)) out.push_back(IndexIn(t.digits, 10, m.slot));
    return out;
}

TEST(Cockpit, MeterSweepsOneStepPerUpdate) {
    DrawLog log;
    for (int id : {1, 2, 3}) {
        SCOPED_TRACE(id);
        tmHudMachineRecord r;
        r.revolutions = -500.0f;  // below the first threshold
        auto c = Cockpit(id, r);
        EXPECT_EQ(c->GetShownStep(), 0);
        const int n = c->GetTables()->meterSteps;
        r.revolutions = 1e6f;
        for (int i = 1; i < n; ++i) {
            c->Update(r);
            ASSERT_EQ(c->GetShownStep(), i);
        }
        c->Update(r);
        EXPECT_EQ(c->GetShownStep(), n - 1);
        r.revolutions = 0.0f;
        c->Update(r);
        EXPECT_EQ(c->GetShownStep(), n - 2);
        log.Clear();
        c->Draw();
        EXPECT_TRUE(log.HasModel(static_cast<int>(c->GetTables()->meter[n - 2].model)));
        c->Release();
    }
    const HudMeterStep meter[3] = {{1000, 1}, {2000, 2}, {3000, 3}};
    EXPECT_EQ(tmFrontendMachine::TargetStep(meter, 3, 999.0f), 0);
    EXPECT_EQ(tmFrontendMachine::TargetStep(meter, 3, 2000.0f), 1);
    EXPECT_EQ(tmFrontendMachine::TargetStep(meter, 3, 9000.0f), 2);
    EXPECT_EQ(CockpitTableList[0]->meterSteps, 36);
    EXPECT_EQ(CockpitTableList[1]->meterSteps, 15);
    for (int f = 2; f < kCockpitFamilies; ++f) EXPECT_EQ(CockpitTableList[f]->meterSteps, 35);
}

TEST(Cockpit, TorvinGaugeAFadesInFlashesAndShowsItsStep) {
    DrawLog log;
    tmHudMachineRecord r;
    r.gaugeA2 = 100;
    r.gaugeA1 = 94;  // six frames used: a quarter of the alpha
    r.flashThreshold = 50;
    r.gaugeB1 = 0;
    auto c = Cockpit(1, r);
    const CockpitTables& t = *c->GetTables();
    c->Draw();
    const std::vector<DrawLog::Model> a = [&] {
        std::vector<DrawLog::Model> out;
        for (const auto& m : log.models)
            if (IndexIn(t.gaugeA.models, t.gaugeA.count, m.slot) >= 0) out.push_back(m);
        return out;
    }();
    ASSERT_EQ(a.size(), 1u);
    EXPECT_FLOAT_EQ(a[0].alpha, 0.25f);
    EXPECT_EQ(IndexIn(t.gaugeA.models, t.gaugeA.count, a[0].slot), 21);  // 94 / 100 x 23
    EXPECT_EQ(Digits(log, t), (std::vector<int>{1, 0, 0}));              // only the speed: no step yet
    // Twelve frames used: full alpha and the step beside the gauge.
    r.gaugeA1 = 88;
    c->Update(r);
    log.Clear();
    c->Draw();
    EXPECT_EQ(Digits(log, t), (std::vector<int>{1, 0, 0, 2, 0}));
    // More than the threshold used and A1 / 3 odd: the warning model replaces the picture.
    r.gaugeA1 = 45;  // 45 / 3 = 15
    c->Update(r);
    log.Clear();
    c->Draw();
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeAWarning)));
    r.gaugeA1 = 48;  // 16: even
    c->Update(r);
    log.Clear();
    c->Draw();
    EXPECT_FALSE(log.HasModel(static_cast<int>(t.gaugeAWarning)));
    c->Release();
}

TEST(Cockpit, TorvinGaugeBCapsAtNinetyFiveAndShowsItsTurn) {
    DrawLog log;
    tmHudMachineRecord r;
    r.gaugeA1 = 0;
    r.gaugeB1 = r.gaugeB2 = 120;  // 1.2 x 96 = 115 without the cap
    auto c = Cockpit(1, r);
    const CockpitTables& t = *c->GetTables();
    auto* torvin = static_cast<tmFrontendTorvin*>(c.get());
    EXPECT_EQ(torvin->GaugeBStep(), 95);
    c->Draw();
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeB.models[95])));
    // Not faded in yet (nothing used): drawn at alpha 0 and without its digit.
    EXPECT_EQ(log.ModelsOf(static_cast<int>(t.gaugeB.models[95]))[0].alpha, 0.0f);
    EXPECT_EQ(Digits(log, t).size(), 3u);
    r.gaugeB1 = 90;  // thirty used: faded in; step 90 x 1.2 / 120 x 96 = 86, turn 3
    c->Update(r);
    log.Clear();
    c->Draw();
    EXPECT_EQ(torvin->GaugeBStep(), 86);
    EXPECT_EQ(Digits(log, t).back(), 3);
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeBFrames[0].model)));
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeBFrames[1].model)));
    EXPECT_FLOAT_EQ(tmFrontendTorvin::GaugeFade(96, 100, 8), 0.25f);
    c->Release();
}

TEST(Cockpit, PictureIndicesAreHeldToTheirTables) {
    DrawLog log;
    tmHudMachineRecord r;
    r.gaugeA1 = 500;  // more left than the gauge's length
    r.gaugeA2 = 100;
    r.gaugeB1 = 0;
    r.state1 = 12;  // a gear beyond the pictures
    r.state2 = 7;   // a body mode beyond them
    auto c = Cockpit(1, r);
    const CockpitTables& t = *c->GetTables();
    c->Draw();
    EXPECT_EQ(static_cast<tmFrontendTorvin*>(c.get())->GaugeAStep(), 23);
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeA.models[23])));
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.state2.models[t.state2.count - 1])));
    r.gaugeA2 = 0;  // a gauge of no length never divides
    r.state2 = -3;
    c->Update(r);
    log.Clear();
    c->Draw();
    EXPECT_EQ(static_cast<tmFrontendTorvin*>(c.get())->GaugeAStep(), 0);
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeA.models[0])));
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.state2.models[0])));
    for (const auto& m : log.models) EXPECT_GT(m.slot, 0);
    EXPECT_EQ(HudPicture(HudPictureSet{nullptr, 0, {}}, 3), 0u);
    EXPECT_EQ(tmFrontendBelmar::Step12(100, 0), 0);
    EXPECT_EQ(tmFrontendBelmar::Step12(100, 100), 11);
    c->Release();
}

TEST(Cockpit, LampsByStock) {
    DrawLog log;
    tmHudMachineRecord r;
    r.boostStock = 5;
    auto torvin = Cockpit(1, r);
    torvin->Draw();
    const CockpitTables& t = *torvin->GetTables();
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.lamps[2])));  // the three-lamp model
    EXPECT_FALSE(log.HasModel(static_cast<int>(t.lamps[0])));
    torvin->Release();
    // Belmar repeats one lamp model, at most four times, each a spacing further.
    log.Clear();
    auto belmar = Cockpit(2, r);
    belmar->Draw();
    const std::vector<DrawLog::Model> lamps = log.ModelsOf(static_cast<int>(belmar->GetTables()->lamps[0]));
    ASSERT_EQ(lamps.size(), 4u);
    EXPECT_NE(lamps[0].world._41, lamps[1].world._41);
    belmar->Release();
    // The 35-step families: one picture for 1, 2, 3 and more; none for 0.
    for (int stock : {0, 2, 9}) {
        log.Clear();
        r.boostStock = stock;
        auto q = Cockpit(3, r);
        q->Draw();
        const CockpitTables& qt = *q->GetTables();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(log.HasModel(static_cast<int>(qt.lamps[i])), stock > 0 && i == std::min(stock, 3) - 1) << stock;
        q->Release();
    }
}

TEST(Cockpit, DigitModelsReadLeftToRightFromTheRecord) {
    DrawLog log;
    tmHudMachineRecord r;
    r.speed = -287.9f;  // the size of the speed, truncated
    r.gaugeA1 = 0;
    r.gaugeB1 = 0;
    auto c = Cockpit(1, r);
    const CockpitTables& t = *c->GetTables();
    c->Draw();
    EXPECT_EQ(Digits(log, t), (std::vector<int>{2, 8, 7}));
    // Each digit stands the advance x scale to the screen's right of the one before (world -x).
    std::vector<float> xs;
    for (const auto& m : log.models)
        if (IsNumberDigit(m, t)) xs.push_back(m.world._41);
    ASSERT_EQ(xs.size(), 3u);
    const float step = t.speed.advance * t.speed.scale * t.speed.place.scale;
    EXPECT_NEAR(xs[0] - xs[1], step, 1e-3f);
    EXPECT_NEAR(xs[1] - xs[2], step, 1e-3f);
    // Right-aligned: the last digit ends at the layout's x whatever the count.
    r.speed = 7.0f;
    c->Update(r);
    log.Clear();
    c->Draw();
    float x7 = 0.0f;
    for (const auto& m : log.models)
        if (IsNumberDigit(m, t) && IndexIn(t.digits, 10, m.slot) == 7) x7 = m.world._41;
    EXPECT_NEAR(x7, xs[2], 1e-3f);
    // At most five digits: the low ones.
    r.speed = 123456.0f;
    c->Update(r);
    log.Clear();
    c->Draw();
    EXPECT_EQ(Digits(log, t), (std::vector<int>{9, 9, 9, 9, 9}));
    c->Release();
}

TEST(Cockpit, FamiliesDrawTheirOwnParts) {
    DrawLog log;
    tmHudMachineRecord r;
    r.gaugeA1 = 60;
    r.gaugeA2 = 120;
    r.gaugeB1 = 0;
    for (int id : {3, 5, 7, 9}) {
        SCOPED_TRACE(id);
        log.Clear();
        auto c = Cockpit(id, r);
        const CockpitTables& t = *c->GetTables();
        c->Draw();
        // Gauge A: step 60 / 120 x 24 = 12.
        EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeA.models[12])));
        if (id == 7) {  // a bar of cells 0 to 12
            int cells = 0;
            for (const auto& m : log.models) cells += IndexIn(t.gaugeA.models, t.gaugeA.count, m.slot) >= 0;
            EXPECT_EQ(cells, 13);
        }
        if (id == 5 || id == 7) {
            EXPECT_EQ(Digits(log, t).back(), 6);  // half the step beside the gauge
        }
        c->Release();
    }
    // Belmar shows the second gauge while it runs, else the first; the gear as a number.
    log.Clear();
    r.gaugeB1 = 60;
    r.gaugeB2 = 120;
    r.state1 = 2;
    auto b = Cockpit(2, r);
    const CockpitTables& t = *b->GetTables();
    b->Draw();
    EXPECT_TRUE(log.HasModel(static_cast<int>(t.gaugeB.models[6])));
    EXPECT_FALSE(log.HasModel(static_cast<int>(t.gaugeA.models[6])));
    const std::vector<int> d = Digits(log, t);
    EXPECT_NE(std::find(d.begin(), d.end(), 3), d.end());  // gear 2 shown as 3
    b->Release();
}

// The corner fit of the display's HUD-plane records keeps the order of points across the window's centre
// lines and puts a centred record in the window's centre, on windows narrower and taller than the layout.
TEST(HudPlace, CornerFitKeepsTheOrderOfPointsAndACentredRecordCentred) {
    const int sizes[4][2] = {{1024, 768}, {1280, 1024}, {640, 480}, {1920, 1200}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        SCOPED_TRACE(w);
        DrawLog log(w, h);
        // The HUD camera on that window: eye (0, 10, -50) at the origin, its lens by the window's shape.
        const float aspect = float(w) / float(h);
        const float fov = aspect > tmCameraCtrl::kWideAspect ? D3DX_PI / 2.0f : tmCameraCtrl::kNarrowHudFov;
        const D3DXVECTOR3 eye(0, 10, -50), at(0, 0, 0), up(0, 1, 0);
        D3DXMATRIX view, lens;
        D3DXMatrixLookAtRH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovRH(&lens, fov, aspect, 10.0f, 1000.0f);
        const D3DXMATRIX vp = view * lens;
        const auto onWindow = [&](float x, float y) {
            const HudModelLayout p = tmHudPlace::Fit(HudModelLayout{0, x, y, 0.0f, 1.0f, 0.0f, 0.0f});
            D3DXVECTOR3 c;
            const D3DXVECTOR3 q(p.x, p.y, p.z);
            D3DXVec3TransformCoord(&c, &q, &vp);
            return D3DXVECTOR2((c.x + 1.0f) * float(w) / 2.0f, (1.0f - c.y) * float(h) / 2.0f);
        };
        const D3DXVECTOR2 centre = onWindow(0.0f, 0.0f);
        EXPECT_NEAR(centre.x, w / 2.0f, 0.5f);
        EXPECT_NEAR(centre.y, h / 2.0f, 0.5f);
        D3DXVECTOR2 last = onWindow(-90.0f, 0.0f);
        for (float x = -89.5f; x <= 90.0f; x += 0.5f) {  // left to right across the layout
            const D3DXVECTOR2 p = onWindow(x, 0.0f);
            // The world's +x runs to the left of this camera, so the window x falls.
            ASSERT_LE(p.x, last.x + 0.01f) << "at x " << x;
            last = p;
        }
        last = onWindow(0.0f, -50.0f);
        for (float y = -49.5f; y <= 50.0f; y += 0.5f) {
            const D3DXVECTOR2 p = onWindow(0.0f, y);
            ASSERT_LE(p.y, last.y + 0.01f) << "at y " << y;
            ASSERT_LT(std::abs(p.y - last.y), 40.0f) << "a gap at y " << y;
            last = p;
        }
    }
}

}  // namespace
