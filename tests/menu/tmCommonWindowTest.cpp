// tmCommonWindowTest.cpp -- the yes/no window: answers, their sounds, the closing count and the idle window.
#include <gtest/gtest.h>

#include "content_tables.h"
#include "menu/tmCommonWindow.h"
#include "race/PanelRig.h"

namespace {

struct Case {
    uint32_t type;
    std::vector<int> keys;  // pressed in order (press and release steps each)
    uint8_t choice;
    uint32_t sound;  // the answer's sound
};

}  // namespace

TEST(tmCommonWindow, AnswersAndTheirSounds) {
    const Case cases[] = {
        {tmCommonWindow::kTypeSaveReplay, {tmKey::kReturn}, 0, tmSoundId::kAnswerNo},  // opens on NO
        {tmCommonWindow::kTypeSaveReplay, {tmKey::kUp, tmKey::kReturn}, 1, tmSoundId::kAnswerYes},
        {tmCommonWindow::kTypeConnect, {tmKey::kUp, tmKey::kReturn}, 1, tmSoundId::kAnswerYes},
        {tmCommonWindow::kTypeDelete, {tmKey::kUp, tmKey::kReturn}, 1, tmSoundId::kWarning},
        {tmCommonWindow::kTypeDelete, {tmKey::kUp, tmKey::kBackspace}, 0, tmSoundId::kAnswerNo},  // cancel = no
        {tmCommonWindow::kTypeSaveReplay, {tmKey::kUp, tmKey::kDown, tmKey::kReturn}, 0, tmSoundId::kAnswerNo},
    };
    for (const Case& c : cases) {
        PanelRig rig;
        tmCommonWindow window;
        window.Init(c.type);
        window.Open();
        for (int key : c.keys) rig.Press(key, [&] { window.Update(); });
        EXPECT_TRUE(window.IsAnswered()) << c.type;
        EXPECT_EQ(window.choice, c.choice) << c.type;
        ASSERT_FALSE(rig.sounds.empty());
        EXPECT_EQ(rig.sounds.back(), c.sound) << c.type;
        window.Term();
    }
}

TEST(tmCommonWindow, MovingTowardTheChosenSideDoesNothing) {
    PanelRig rig;
    tmCommonWindow window;
    window.Init(tmCommonWindow::kTypeSaveReplay);
    window.Open();
    rig.Press(tmKey::kDown, [&] { window.Update(); });  // NO is already chosen
    EXPECT_TRUE(rig.sounds.empty());
    rig.Press(tmKey::kUp, [&] { window.Update(); });
    rig.Press(tmKey::kUp, [&] { window.Update(); });  // YES is already chosen
    EXPECT_EQ(rig.Count(tmSoundId::kCursor), 1);
    EXPECT_EQ(window.choice, 1);
}

TEST(tmCommonWindow, ClosesElevenStepsAfterTheAnswerAndIdlesBeforeOpen) {
    PanelRig rig;
    tmCommonWindow window;
    window.Init(tmCommonWindow::kTypeSaveReplay);
    rig.Press(tmKey::kReturn, [&] { window.Update(); });  // not open: ignored
    EXPECT_FALSE(window.IsAnswered());
    EXPECT_TRUE(rig.sounds.empty());
    window.Draw();
    EXPECT_TRUE(rig.draw.sprites.empty());

    window.Open();
    rig.input.SetKey(tmKey::kReturn, true);
    rig.Step([&] { window.Update(); });  // answered; count 0
    rig.input.SetKey(tmKey::kReturn, false);
    for (int count = 0; count <= tmCommonWindow::kClosingSteps; ++count) {
        EXPECT_FALSE(window.IsClosed()) << count;
        rig.Step([&] { window.Update(); });
    }
    EXPECT_TRUE(window.IsClosed());
    window.Term();
}

TEST(tmCommonWindow, ShowsTheTypesMessageAtItsOffset) {
    PanelRig rig;
    tmCommonWindow window;
    window.Init(tmCommonWindow::kTypeDelete);
    window.Open();
    for (int i = 0; i < 40; ++i) rig.Step([&] { window.Update(); });
    window.Draw();
    const auto message = rig.draw.SpritesOf(content::SPR_CM_WINDOW_STR_DELETE);
    ASSERT_EQ(message.size(), 1u);
    EXPECT_FLOAT_EQ(message[0].x, 576.0f);
    EXPECT_FLOAT_EQ(message[0].y, 183.0f + 26.0f);
    EXPECT_FLOAT_EQ(message[0].alpha, 1.0f);
    // NO shown, YES hidden (alpha 0 sprites are not drawn).
    EXPECT_EQ(rig.draw.SpritesOf(content::SPR_CM_WINDOW_CURSOR_NO).size(), 1u);
    EXPECT_TRUE(rig.draw.SpritesOf(content::SPR_CM_WINDOW_CURSOR_YES).empty());
}
