// TestScreensTest.cpp -- the engine test screens driven step by step: leave keys, display keys, what each one drives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/tmCameraCtrl.h"
#include "content_tables.h"
#include "menu/MenuReplays.h"
#include "menu/MenuRig.h"
#include "menu/tmMenuFlow.h"
#include "sys/input/tmInputActions.h"
#include "sys/text/tmDxFont.h"
#include "table/yiResourceGroup.h"
#include "test/TestScreenText.h"
#include "test/tmSeqSample.h"
#include "test/tmSeqTest01.h"
#include "test/tmSeqTest02.h"
#include "test/tmSeqTest03.h"
#include "test/tmSeqTestNetwork.h"
#include "test/tmSeqTestSound.h"
#include "test/tySeqTest01.h"
#include "utility/tmMouseCtrlMatrix.h"

using testscreens::DrawnLines;
using testscreens::HasLine;
using testscreens::TextDevice;

namespace {

const int kTestIds[] = {tmSeqSample::kId,    tmSeqTest01::kId,      tmSeqTest02::kId, tmSeqTest03::kId,
                        tmSeqTestSound::kId, tmSeqTestNetwork::kId, tySeqTest01::kId};

// Records the display set-ups the screens ask for.
class DisplayLog : public DrawLog {
public:
    bool ResetDisplay(int width, int height) override {
        resets.push_back({width, height});
        return true;
    }
    std::vector<std::pair<int, int>> resets;
};

}  // namespace

TEST(TestScreens, TheGameMakesEachTestScreenAtItsId) {
    const tmSequenceFactory f = tmMakeScreenFactory();
    std::unique_ptr<tmSequence> s(f.Construct(2));
    EXPECT_NE(dynamic_cast<tmSeqSample*>(s.get()), nullptr);
    s.reset(f.Construct(3));
    EXPECT_NE(dynamic_cast<tmSeqTest01*>(s.get()), nullptr);
    s.reset(f.Construct(4));
    EXPECT_NE(dynamic_cast<tmSeqTest02*>(s.get()), nullptr);
    s.reset(f.Construct(5));
    EXPECT_NE(dynamic_cast<tmSeqTest03*>(s.get()), nullptr);
    s.reset(f.Construct(6));
    EXPECT_NE(dynamic_cast<tmSeqTestSound*>(s.get()), nullptr);
    s.reset(f.Construct(7));
    EXPECT_NE(dynamic_cast<tmSeqTestNetwork*>(s.get()), nullptr);
    s.reset(f.Construct(11));
    EXPECT_NE(dynamic_cast<tySeqTest01*>(s.get()), nullptr);
    for (int id : {8, 9, 10}) {
        s.reset(f.Construct(id));
        EXPECT_EQ(dynamic_cast<tmTestScreen*>(s.get()), nullptr) << id;
    }
}

TEST(TestScreens, EveryOneStaysOnOtherKeysAndLeavesForTheDebugMenuEvenInNormalPlay) {
    const tmSequenceFactory f = tmMakeScreenFactory();
    for (int id : kTestIds) {
        for (int key : {tmKey::kEscape, tmKey::kReturn, tmKey::kNumpadEnter}) {
            SCOPED_TRACE(testing::Message() << "screen " << id << " key " << key);
            MenuRig rig;  // normal play: the menu-flow flag is set
            std::unique_ptr<tmSequence> screen(f.Construct(id));
            rig.Start(*screen);
            EXPECT_EQ(rig.Steps(5), 0);
            EXPECT_EQ(rig.Tap(tmKey::kSpace), 0);
            EXPECT_EQ(rig.Tap(tmKey::kBackspace), 0);
            EXPECT_EQ(rig.Tap(key), kSeqDebugMenu);
            EXPECT_TRUE(tmMenuFlow::IsNormalPlay()) << "leaving does not touch the flag";
            rig.Finish();
        }
    }
}

TEST(TestScreens, TitleLinesCountTheStepsAndTheDebugFontComesAndGoes) {
    const struct {
        int id;
        const char* title;
    } kTitles[] = {{2, "Press Enter to Return. ( 3 )"},
                   {3, "Test (    3 )"},
                   {4, "Test02 (    3 )"},
                   {5, "Test03 (    3 )"},
                   {6, "TestSound (    3 )"},
                   {7, "TestNetwork (    3 )"},
                   {11, "Test (    3 )"}};
    const tmSequenceFactory f = tmMakeScreenFactory();
    TextDevice text;
    for (const auto& t : kTitles) {
        SCOPED_TRACE(t.id);
        MenuRig rig;
        ASSERT_EQ(tmDxFont::GetInstance(), nullptr);
        std::unique_ptr<tmSequence> screen(f.Construct(t.id));
        rig.Start(*screen);
        ASSERT_NE(tmDxFont::GetInstance(), nullptr);
        rig.Steps(3);
        const std::vector<std::string> lines = DrawnLines(*screen);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], t.title);
        // The title ends near the right edge of the screen.
        tmDxFont* font = tmDxFont::GetInstance();
        font->Flush(nullptr);
        screen->Draw();
        EXPECT_GT(font->GetEntry(0)->rect.right, 1300);
        EXPECT_LE(font->GetEntry(0)->rect.right, 1366);
        rig.Finish();
        EXPECT_EQ(tmDxFont::GetInstance(), nullptr) << "the font the screen made goes with it";
    }
    // A font another screen keeps stays, at the size the 32-pixel screens ask for.
    MenuRig rig;
    tmDxFont::Create(14, false);
    tmSeqTest01 screen;
    rig.Start(screen);
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), 32);
    rig.Finish();
    ASSERT_NE(tmDxFont::GetInstance(), nullptr);
    EXPECT_EQ(tmDxFont::GetInstance()->GetHeight(), 14) << "given back at the size it had";
    tmDxFont::Destroy();
}

TEST(TestScreens, SampleWaitsForEnterThenLeavesAndItsDigitKeysSetTheDisplayUp) {
    MenuRig rig;
    DisplayLog display;
    tmSeqSample screen;
    rig.Start(screen);
    EXPECT_EQ(rig.Tap(tmKey::k1), 0);
    EXPECT_EQ(rig.Tap(tmKey::k2), 0);
    EXPECT_EQ(rig.Tap(tmKey::k9), 0);
    EXPECT_EQ(rig.Tap(tmKey::k3), 0);
    const std::vector<std::pair<int, int>> asked = {{1024, 768}, {640, 480}, {0, 0}};
    EXPECT_EQ(display.resets, asked);
    // Enter moves to the leaving state; the step after it returns the debug menu.
    rig.input.SetKey(tmKey::kReturn, true);
    EXPECT_EQ(rig.Step(), 0);
    EXPECT_EQ(screen.GetState(), tmSeqSample::kLeaving);
    rig.input.SetKey(tmKey::kReturn, false);
    EXPECT_EQ(rig.Step(), kSeqDebugMenu);
    rig.Finish();
}

TEST(TestScreens, ModelScreensAskForTheDisplayModeAndRunOnWithoutARenderer) {
    for (int id : {tmSeqTest01::kId, tySeqTest01::kId}) {
        MenuRig rig;
        std::unique_ptr<tmSequence> screen(tmMakeScreenFactory().Construct(id));
        rig.Start(*screen);
        // The silent drawer sets nothing up: the keys do nothing and the screen runs on.
        EXPECT_EQ(rig.Tap(tmKey::k1), 0);
        EXPECT_EQ(rig.Tap(tmKey::k2), 0);
        {
            DisplayLog display;
            EXPECT_EQ(rig.Tap(tmKey::k9), 0);
            EXPECT_EQ(display.resets, (std::vector<std::pair<int, int>>{{0, 0}})) << id;
        }
        rig.Finish();
    }
}

TEST(TestScreens, Test01DrawsTheThreeTestModelsTheDigitsAndTheNineteenCells) {
    MenuRig rig;
    tmSeqTest01 screen;
    rig.Start(screen);
    EXPECT_EQ(screen.GetCamera()->GetMode(), 2);
    rig.Steps(90);
    rig.draw.Clear();
    screen.Draw();
    for (int slot : {content::MDL_CUBE2_WITH_TEX, content::MDL_CUBE_YSM_VERTEXCOLOR, content::MDL_PLANE_YSM_NORMALMAP})
        EXPECT_EQ(rig.draw.ModelsOf(slot).size(), 1u) << slot;
    // Three models side by side, apart from each other.
    const float x0 = rig.draw.ModelsOf(content::MDL_CUBE2_WITH_TEX)[0].world._41;
    const float x1 = rig.draw.ModelsOf(content::MDL_CUBE_YSM_VERTEXCOLOR)[0].world._41;
    const float x2 = rig.draw.ModelsOf(content::MDL_PLANE_YSM_NORMALMAP)[0].world._41;
    EXPECT_GT(x0 - x1, 10.0f);
    EXPECT_GT(x1 - x2, 10.0f);
    for (int i = 0; i < 19; ++i) {
        const std::vector<DrawLog::Sprite> cell = rig.draw.SpritesOf(content::SPR_TS_000 + i);
        ASSERT_EQ(cell.size(), 1u) << i;
        EXPECT_EQ(cell[0].placement, tmSpritePlacement::kVirtualScreen);
        // The virtual screen runs from -171 to 1195.
        EXPECT_GE(cell[0].x, -171.0f);
        EXPECT_LE(cell[0].x + 100.0f * cell[0].scaleX, 1195.0f) << "the row fits the screen";
    }
    // 90 steps: "000090" in the large digits, and 1.5 s on the strip in the world ("0:01.500").
    std::vector<float> digitCodes;
    for (const DrawLog::Sprite& s : rig.draw.SpritesOf(content::SPR_FE_FONT_LARGE)) digitCodes.push_back(s.u);
    ASSERT_GE(digitCodes.size(), 6u);
    const float cell = 32.0f / 512.0f;
    EXPECT_FLOAT_EQ(digitCodes[4], 9 * cell);
    EXPECT_FLOAT_EQ(digitCodes[5], 0.0f);
    const std::vector<DrawLog::Sprite> strip = rig.draw.SpritesOf(content::SPR_FE_FONT_TIME);
    ASSERT_EQ(strip.size(), 8u);
    const float glyph = 21.0f / 512.0f;
    const int expected[8] = {0, 10, 0, 1, 14, 5, 0, 0};
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(strip[i].u, expected[i] * glyph) << i;
    EXPECT_FALSE(rig.draw.SpritesOf(content::SPR_CM_FONT01).empty());
    rig.Finish();
}

TEST(TestScreens, Test02WithAnEmptyReplayFolderShowsNone) {
    TextDevice text;
    MenuRig rig;
    tmSeqTest02 screen;
    rig.Start(screen);
    EXPECT_EQ(screen.GetCamera()->GetMode(), 5);
    EXPECT_EQ(screen.GetReplayCount(), 0);
    rig.Steps(2);
    const std::vector<std::string> lines = DrawnLines(screen);
    EXPECT_TRUE(HasLine(lines, "Replay files: 0"));
    EXPECT_EQ(lines.size(), 2u);
    rig.Finish();
}

TEST(TestScreens, Test02WalksEveryValidHeaderOfAFilledFolder) {
    TextDevice text;
    MenuRig rig;
    ASSERT_TRUE(menutest::WriteReplay("QUVASE_REP0220_20240101120000.dat", menutest::MakeHeader(0, 2, 4, 1704110400)));
    tmReplayHeader timed = menutest::MakeHeader(1, 9, 1, 1704196800);
    timed.totalMs = 754321;
    std::snprintf(timed.playerName, sizeof timed.playerName, "%s", "Ghostly");
    ASSERT_TRUE(menutest::WriteReplay("QUVASE_REP0220_20240102120000.dat", timed));
    tmReplayHeader none = menutest::MakeHeader(2, 5, 8, 1704283200);
    none.totalMs = kNoTimeMs;
    ASSERT_TRUE(menutest::WriteReplay("QUVASE_REP0220_20240103120000.dat", none));
    // A file that is no replay is left out.
    std::FILE* junk = std::fopen("replay/broken.dat", "wb");
    ASSERT_NE(junk, nullptr);
    std::fputs("not a replay at all", junk);
    std::fclose(junk);

    tmSeqTest02 screen;
    rig.Start(screen);
    ASSERT_EQ(screen.GetReplayCount(), 3);
    const std::vector<std::string> lines = DrawnLines(screen);
    EXPECT_TRUE(HasLine(lines, "Replay files: 3"));
    int found = 0;
    for (const std::string& l : screen.GetLines()) {
        EXPECT_NE(l.find("QUVASE_REP0220_2024010"), std::string::npos) << l;
        EXPECT_EQ(l.find("replay/"), std::string::npos) << "the name after the folder: " << l;
        EXPECT_TRUE(HasLine(lines, l)) << l;
        if (l.find("Ghostly") != std::string::npos) {
            ++found;
            EXPECT_NE(l.find("mode 1  cars  1  12:34.321"), std::string::npos) << l;
        }
        if (l.find("20240103") != std::string::npos) {
            ++found;
            EXPECT_NE(l.find("Tester"), std::string::npos) << l;
            EXPECT_NE(l.find("cars  8  -:--.---"), std::string::npos) << l;
        }
    }
    EXPECT_EQ(found, 2);
    rig.Finish();
    EXPECT_TRUE(screen.GetLines().empty());
}

TEST(TestScreens, Test03SwitchesItsCameraTurnsTheBlockWithTheMouseAndResets) {
    yiResourceGroup::ResetState();
    // The effects group is already in use (the loading screen leaves the race's groups loaded).
    ASSERT_TRUE(yiResourceGroup::Get(tmSeqTest03::kEffectGroup)->Load());
    MenuRig rig;
    tmSeqTest03 screen;
    rig.Start(screen);
    EXPECT_TRUE(yiResourceGroup::IsLoaded(tmTestScene::kTestGroup));
    EXPECT_EQ(screen.GetScene().GetOwnedGroups(), std::vector<int>{tmTestScene::kTestGroup});
    EXPECT_EQ(screen.GetCamera()->GetMode(), 1);
    rig.Tap(tmKey::kP);
    EXPECT_EQ(screen.GetCamera()->GetMode(), 5);
    rig.Tap(tmKey::kP);
    EXPECT_EQ(screen.GetCamera()->GetMode(), 1);

    // A drag with the left button turns the block; the wheel makes it smaller.
    rig.input.mouse.buttons[0] = 0x80;
    rig.input.mouse.dx = 60;
    rig.input.mouse.wheel = 120;
    rig.Step();
    rig.input.mouse = platform::MouseState{};
    rig.draw.Clear();
    screen.Draw();
    ASSERT_EQ(rig.draw.ModelsOf(content::MDL_CUBE_YSM_VERTEXCOLOR).size(), 1u);
    const D3DXMATRIX turned = rig.draw.ModelsOf(content::MDL_CUBE_YSM_VERTEXCOLOR)[0].world;
    EXPECT_GT(std::fabs(turned._13), 1.0f) << "turned about Y";
    EXPECT_LT(std::fabs(turned._11), tmSeqTest03::kModelScale * 0.999f);

    rig.Tap(tmKey::kA);
    rig.draw.Clear();
    screen.Draw();
    const D3DXMATRIX reset = rig.draw.ModelsOf(content::MDL_CUBE_YSM_VERTEXCOLOR)[0].world;
    EXPECT_FLOAT_EQ(reset._11, tmSeqTest03::kModelScale);
    EXPECT_FLOAT_EQ(reset._13, 0.0f);
    EXPECT_FLOAT_EQ(reset._33, tmSeqTest03::kModelScale);

    rig.Finish();
    EXPECT_FALSE(yiResourceGroup::IsLoaded(tmTestScene::kTestGroup)) << "its own group goes";
    EXPECT_TRUE(yiResourceGroup::IsLoaded(tmSeqTest03::kEffectGroup)) << "the other owner's group stays";
    yiResourceGroup::Get(tmSeqTest03::kEffectGroup)->Unload();
}

TEST(TestScreens, TySeqTest01DrawsTheTestSpriteAndCountsSecondsOnAStripCell) {
    MenuRig rig;
    tySeqTest01 screen;
    rig.Start(screen);
    EXPECT_EQ(screen.GetCamera()->GetMode(), 2);
    rig.Steps(150);  // two and a half seconds
    rig.draw.Clear();
    screen.Draw();
    const std::vector<DrawLog::Sprite> card = rig.draw.SpritesOf(content::SPR_TS2);
    ASSERT_EQ(card.size(), 1u);
    EXPECT_FLOAT_EQ(card[0].x, 200.0f);
    EXPECT_FLOAT_EQ(card[0].y, 300.0f);
    const std::vector<DrawLog::Sprite> cell = rig.draw.SpritesOf(content::SPR_FE_FONT_TIME);
    ASSERT_EQ(cell.size(), 1u);
    EXPECT_EQ(cell[0].placement, tmSpritePlacement::kWorldQuad);
    EXPECT_FLOAT_EQ(cell[0].u, 2 * 21.0f / 512.0f);
    rig.Finish();
}
