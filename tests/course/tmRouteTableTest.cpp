// tmRouteTableTest.cpp -- route table cells of both driving types, line points across the gates, empty routes.
#include <gtest/gtest.h>

#include <vector>

#include "course/tmRouteTable.h"
#include "format/ExtDbText.h"
#include "format/RouteTableKeys.h"
#include "sys/data/tmExtDataBase.h"
#include "tests/sys/data/BankFixture.h"

namespace {

using sys::tmExtDataBase;

// Gates across an east-west road: end A at z = +10, end B at z = -10, rising by 1 per section.
std::vector<tmRouteGate> Gates(int n) {
    std::vector<tmRouteGate> g(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const float x = 100.0f * static_cast<float>(i);
        g[static_cast<size_t>(i)] = {{x, static_cast<float>(i), 10.0f}, {x, static_cast<float>(i) + 2.0f, -10.0f}};
    }
    return g;
}

void ExpectNear(const D3DXVECTOR3& v, const D3DXVECTOR3& want) {
    EXPECT_NEAR(v.x, want.x, 1e-4f);
    EXPECT_NEAR(v.y, want.y, 1e-4f);
    EXPECT_NEAR(v.z, want.z, 1e-4f);
}

class RouteTableTest : public ::testing::Test {
protected:
    // A table "CourseTest" of `rows` sections, row 12 and 3 given special values.
    void MakeBank(int rows, const std::string& extraLines = "") {
        std::vector<zfmt::RouteEntry> entries(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            zfmt::RouteEntry& e = entries[static_cast<size_t>(i)];
            e.bank = i;
            e.speed[0] = 100.0f + static_cast<float>(i);
            e.speed[1] = 200.0f + static_cast<float>(i);
            e.nextRoute[0] = 4;
            e.nextRoute[1] = 6;
        }
        if (rows > 12) {
            zfmt::RouteEntry& e = entries[12];
            e.posShift[0] = 1.0f;
            e.otShift[0] = -2.0f;
            e.posShift[1] = -0.5f;
            e.otShift[1] = 0.25f;
            e.boost[0] = 1;
            e.boost[1] = 0;
            e.useTf[0] = 3;
        }
        if (rows > 3) {
            entries[3].boost[0] = -1;
            entries[3].boost[1] = 2;
            entries[3].useTf[1] = -4;
        }
        zfmt::ExtDbWriter w;
        zfmt::WriteRouteTable(w, entries);
        ASSERT_TRUE(w.Error().empty());
        bank_ = std::make_unique<TestBank>(
            "rd.dat", std::vector<zfmt::BankMember>{Member(zfmt::ExtDbTableFile("CourseTest"), w.Text() + extraLines)},
            0x51C0FFEEu, false);
        tmExtDataBase::SetBank(&bank_->Info());
    }
    void TearDown() override { tmExtDataBase::SetBank(nullptr); }

    std::unique_ptr<TestBank> bank_;
    tmRouteTable route_;
};

TEST_F(RouteTableTest, ShiftsPlaceTheLinesAcrossTheGate) {
    MakeBank(20);
    const std::vector<tmRouteGate> g = Gates(20);
    route_.Load("CourseTest", g.data(), 20);
    ASSERT_EQ(route_.GetSectionCount(), 20);

    // PosShift0 1 and OtShift0 -2: target at end A, overtaking point at end B.
    const tmRoutePoint* p = route_.GetPoint(0, 12);
    ASSERT_NE(p, nullptr);
    ExpectNear(p->target, g[12].a);
    ExpectNear(p->overtake, g[12].b);
    // Driving type 1 at -0.5 (a quarter of the way from B) and -0.25; Y blends too.
    p = route_.GetPoint(1, 12);
    ExpectNear(p->target, {1200.0f, 13.5f, -5.0f});
    ExpectNear(p->overtake, {1200.0f, 13.25f, -2.5f});
    // Shift 0: the gate's middle.
    ExpectNear(route_.GetPoint(0, 4)->target, {400.0f, 5.0f, 0.0f});
    ExpectNear(route_.GetPoint(1, 4)->overtake, {400.0f, 5.0f, 0.0f});
    ExpectNear(tmRouteTable::GatePoint({0, 0, 0}, {4, 8, 12}, 0.5f), {1.0f, 2.0f, 3.0f});
}

TEST_F(RouteTableTest, EachDrivingTypeReadsItsOwnColumnsAndTheSharedBank) {
    MakeBank(20);
    const std::vector<tmRouteGate> g = Gates(20);
    route_.Load("CourseTest", g.data(), 20);
    for (int s = 0; s < 20; ++s) {
        const tmRouteEntry* e0 = route_.GetEntry(0, s);
        const tmRouteEntry* e1 = route_.GetEntry(1, s);
        ASSERT_NE(e0, nullptr);
        ASSERT_NE(e1, nullptr);
        EXPECT_EQ(e0->bank, s);
        EXPECT_EQ(e1->bank, s);
        EXPECT_FLOAT_EQ(e0->speed, 100.0f + static_cast<float>(s));
        EXPECT_FLOAT_EQ(e1->speed, 200.0f + static_cast<float>(s));
        EXPECT_EQ(e0->nextRoute, 4);
        EXPECT_EQ(e1->nextRoute, 6);
    }
    // Flags are set by values above 0 only.
    EXPECT_EQ(route_.GetEntry(0, 12)->boost, 1);
    EXPECT_EQ(route_.GetEntry(1, 12)->boost, 0);
    EXPECT_EQ(route_.GetEntry(0, 3)->boost, 0);  // -1
    EXPECT_EQ(route_.GetEntry(1, 3)->boost, 1);  // 2
    EXPECT_EQ(route_.GetEntry(0, 12)->useTf, 1);
    EXPECT_EQ(route_.GetEntry(1, 3)->useTf, 0);
    EXPECT_FLOAT_EQ(route_.GetEntry(0, 12)->posShift, 1.0f);
    EXPECT_FLOAT_EQ(route_.GetEntry(0, 12)->otShift, -2.0f);
    // The table is not kept loaded.
    EXPECT_EQ(tmExtDataBase::Manager::GetInstance().Find("CourseTest"), nullptr);
}

TEST_F(RouteTableTest, MissingTableOrRowsReadAsZero) {
    MakeBank(10);
    const std::vector<tmRouteGate> g = Gates(14);
    route_.Load("CourseTest", g.data(), 14);  // rows 10..13 are absent
    ASSERT_EQ(route_.GetSectionCount(), 14);
    EXPECT_FLOAT_EQ(route_.GetEntry(0, 9)->speed, 109.0f);
    const tmRouteEntry* e = route_.GetEntry(1, 12);
    EXPECT_EQ(e->bank, 0);
    EXPECT_EQ(e->speed, 0.0f);
    EXPECT_EQ(e->boost, 0);
    EXPECT_EQ(e->nextRoute, 0);
    ExpectNear(route_.GetPoint(0, 12)->target, {1200.0f, 13.0f, 0.0f});
    ExpectNear(route_.GetPoint(1, 12)->overtake, {1200.0f, 13.0f, 0.0f});

    route_.Load("NoSuchTable", g.data(), 14);
    EXPECT_EQ(route_.GetSectionCount(), 14);
    EXPECT_EQ(route_.GetEntry(0, 0)->speed, 0.0f);
    ExpectNear(route_.GetPoint(0, 5)->target, {500.0f, 6.0f, 0.0f});
    route_.Load(nullptr, g.data(), 3);
    EXPECT_EQ(route_.GetSectionCount(), 3);
}

TEST_F(RouteTableTest, EmptyRouteHasNothingToIndex) {
    MakeBank(20);
    const std::vector<tmRouteGate> g = Gates(20);
    route_.Load("CourseTest", g.data(), 20);
    route_.Load("CourseTest", g.data(), 0);
    EXPECT_EQ(route_.GetSectionCount(), 0);
    EXPECT_EQ(route_.GetEntry(0, 0), nullptr);
    EXPECT_EQ(route_.GetPoint(0, 0), nullptr);
    EXPECT_EQ(route_.WrapSection(5), -1);
    route_.Load("CourseTest", nullptr, 20);
    EXPECT_EQ(route_.GetSectionCount(), 0);
    route_.Load("CourseTest", g.data(), -3);
    EXPECT_EQ(route_.GetSectionCount(), 0);
}

TEST_F(RouteTableTest, LookupsStayInsideTheRoute) {
    MakeBank(20);
    const std::vector<tmRouteGate> g = Gates(20);
    route_.Load("CourseTest", g.data(), 20);
    EXPECT_EQ(route_.GetEntry(2, 0), nullptr);
    EXPECT_EQ(route_.GetEntry(-1, 0), nullptr);
    EXPECT_EQ(route_.GetEntry(0, 20), nullptr);
    EXPECT_EQ(route_.GetEntry(0, -1), nullptr);
    EXPECT_EQ(route_.GetPoint(1, 20), nullptr);
    // Look-ahead past the goal and behind section 0 wraps round the route.
    EXPECT_EQ(route_.WrapSection(21), 1);
    EXPECT_EQ(route_.WrapSection(-2), 18);
    EXPECT_EQ(route_.WrapSection(-41), 19);
    EXPECT_EQ(route_.WrapSection(19), 19);
    EXPECT_EQ(route_.WrapSection(400), 0);
    route_.Release();
    EXPECT_EQ(route_.GetSectionCount(), 0);
    EXPECT_EQ(route_.GetEntry(0, 0), nullptr);
}

}  // namespace
