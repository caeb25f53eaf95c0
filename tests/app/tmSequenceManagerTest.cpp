// tmSequenceManagerTest.cpp -- screen creation, switching after a draw, ending ids, counters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tmConfig.h"
#include "app/tmSequenceManager.h"
#include "platform/clock/Clock.h"

namespace {

// Every call of every scripted screen, in order, e.g. "13:Init".
std::vector<std::string> g_log;
// The id each screen returns from its next Update (per id), and the previous id seen by Init.
int g_answer[30];
int g_previousSeenByInit = -1;

template <int Id>
class Scripted : public tmSequence {
public:
    void Init() override {
        g_previousSeenByInit = tmSequenceManager::GetPreviousId();
        g_log.push_back(std::to_string(Id) + ":Init");
    }
    int Update() override {
        g_log.push_back(std::to_string(Id) + ":Update");
        return g_answer[Id];
    }
    void Term() override { g_log.push_back(std::to_string(Id) + ":Term"); }
    void Draw() override { g_log.push_back(std::to_string(Id) + ":Draw"); }
};

template <int Id>
tmSequence* Make() {
    return new Scripted<Id>();
}

class tmSequenceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        for (int& a : g_answer) a = 0;
        factory.Set(13, &Make<13>);
        factory.Set(14, &Make<14>);
        factory.Set(25, &Make<25>);
        platform::SetClock(&clock);
        tmConfig::GetInstance().RestoreDefaults();
    }
    void TearDown() override { platform::SetClock(nullptr); }

    platform::FakeClock clock;
    tmSequenceFactory factory;
};

}  // namespace

TEST_F(tmSequenceManagerTest, FirstStepMakesTheTitleAndSwitchWaitsForADraw) {
    tmSequenceManager m(factory);
    m.Reset();
    EXPECT_EQ(m.GetNextId(), 13);
    int steps = 4;
    EXPECT_FALSE(m.Update(&steps));
    EXPECT_EQ(m.GetCurrentId(), 13);
    EXPECT_EQ(g_previousSeenByInit, 0);

    g_answer[13] = 14;
    EXPECT_FALSE(m.Update(&steps));
    EXPECT_EQ(m.GetNextId(), 14);
    // However often it is asked, the pending switch waits for the draw.
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(m.Update(&steps));
    EXPECT_EQ(m.GetCurrentId(), 13);
    m.Draw();
    const uint64_t before = clock.Slept();
    EXPECT_FALSE(m.Update(&steps));
    EXPECT_EQ(clock.Slept() - before, 100000u);
    EXPECT_EQ(m.GetCurrentId(), 14);
    EXPECT_EQ(tmSequenceManager::GetPreviousId(), 13);
    EXPECT_EQ(g_previousSeenByInit, 13);

    const std::vector<std::string> want = {"13:Init", "13:Update", "13:Update", "13:Draw",
                                           "13:Term", "14:Init",   "14:Update"};
    EXPECT_EQ(g_log, want);
}

TEST_F(tmSequenceManagerTest, NewScreensSecondStepEndsTheFrame) {
    tmSequenceManager m(factory);
    m.Reset();
    int steps = 8;
    m.Update(&steps);
    EXPECT_EQ(steps, 8);
    m.Update(&steps);
    EXPECT_EQ(steps, 1);
}

TEST_F(tmSequenceManagerTest, IdsOutsideTheTableEndAfterOneMoreDraw) {
    for (int bad : {29, 2147483647, -1}) {
        g_log.clear();
        tmSequenceManager m(factory);
        m.Reset();
        int steps = 1;
        m.Update(&steps);
        g_answer[13] = bad;
        EXPECT_FALSE(m.Update(&steps));
        EXPECT_FALSE(m.Update(&steps));  // not drawn yet
        m.Draw();
        EXPECT_TRUE(m.Update(&steps)) << bad;
        EXPECT_EQ(g_log.back(), "13:Term");
        g_answer[13] = 0;
    }
}

TEST_F(tmSequenceManagerTest, ScreenThatCannotBeMadeEndsAndZeroStays) {
    tmSequenceManager m(factory);
    m.Reset();
    int steps = 1;
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(m.Update(&steps));
        m.Draw();
    }
    EXPECT_EQ(m.GetCurrentId(), 13);
    g_answer[13] = 2;  // id 2 has no constructor here
    m.Update(&steps);
    m.Draw();
    EXPECT_TRUE(m.Update(&steps));
}

TEST_F(tmSequenceManagerTest, ScreenMayRecreateItselfAndCountersFollowTheScreen) {
    tmConfig& cfg = tmConfig::GetInstance();
    tmSequenceManager m(factory);
    m.Reset();
    int steps = 1;
    m.Update(&steps);
    g_answer[13] = 25;
    m.Update(&steps);
    m.Draw();
    g_answer[25] = 25;
    m.Update(&steps);  // into the race; it asks for itself
    m.Draw();
    m.Update(&steps);  // re-created from scratch
    EXPECT_EQ(m.GetCurrentId(), 25);
    EXPECT_EQ(tmSequenceManager::GetPreviousId(), 25);
    EXPECT_EQ(cfg.GetFrameCount(), 4u);
    EXPECT_EQ(cfg.GetRaceFrameCount(), 2u);
    EXPECT_EQ(cfg.GetLobbyFrameCount(), 0u);
}

TEST_F(tmSequenceManagerTest, ReleaseEndsTheScreenOrOnlyClearsIds) {
    tmSequenceManager empty(factory);
    empty.Reset();
    empty.Release();
    EXPECT_EQ(empty.GetNextId(), 0);
    EXPECT_EQ(empty.GetCurrentId(), 0);
    EXPECT_TRUE(g_log.empty());

    tmSequenceManager m(factory);
    m.Reset();
    int steps = 1;
    m.Update(&steps);
    m.Release();
    EXPECT_EQ(g_log.back(), "13:Term");
    EXPECT_EQ(m.GetCurrentId(), 0);
}
