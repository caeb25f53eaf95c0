// WidgetTestScreenTest.cpp -- the widget test screen walked headless through the real main loop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "app/tmCameraCtrl.h"
#include "frontend/ForwardingDraw.h"
#include "harness/Harness.h"
#include "lobby/TextTexture.h"
#include "lobby/ggSpriteManager.h"
#include "sys/input/tmInputActions.h"
#include "sys/resource/tmResource.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/text/tmDxFont.h"
#include "sys/text/tmFontFace.h"
#include "test/ggSeqTest01.h"

namespace {

// The widget test screen the factory made last (the sequence manager owns it).
ggSeqTest01* g_screen = nullptr;
int g_made = 0;

tmSequence* MakeWidgetTest() {
    ++g_made;
    return g_screen = new ggSeqTest01();
}

bool TextureInCache();

// Stands in for the start screen and for the debug menu's row of the widget
// test: goes there at once, noting whether the text texture is still in the cache.
int g_launches = 0;
bool g_textureAtLaunch = false;
class Launcher : public tmSequence {
public:
    void Init() override {
        ++g_launches;
        g_textureAtLaunch = TextureInCache();
    }
    int Update() override { return ggSeqTest01::kId; }
    void Term() override {}
    void Draw() override {}
};

// The game's screens, with the start screen and the debug menu leading straight to the widget test.
tmSequenceFactory Screens() {
    tmSequenceFactory f = tmMakeScreenFactory();
    f.Set(kSeqTitle, []() -> tmSequence* { return new Launcher(); });
    f.Set(kSeqDebugMenu, []() -> tmSequence* { return new Launcher(); });
    f.Set(ggSeqTest01::kId, &MakeWidgetTest);
    return f;
}

// Columns of the text texture holding a lit texel: [first, last], or {-1, -1} when none.
std::pair<int, int> LitColumns(const g2ui::TextTexture& t) {
    int first = -1, last = -1;
    for (uint32_t x = 0; x < t.GetWidth(); ++x)
        for (uint32_t y = 0; y < t.GetHeight(); ++y)
            if (t.GetPixel(x, y) >> 24) {
                if (first < 0) first = int(x);
                last = int(x);
                break;
            }
    return {first, last};
}

bool TextureInCache() {
    tmResourceHolder* cache = tmDraw::GetInstance()->GetResourceHolder();
    return cache && cache->Find(sys::tmResource::kTexture, "test_tt") != nullptr;
}

// Records the sprites handed to the renderer while forwarding them.
class SpriteLog : public ForwardingDraw {
public:
    explicit SpriteLog(tmDraw* target) : ForwardingDraw(target, 60.0f) {}
    int DrawSpritePtrEx(sys::tmSprite* s, float x, float y, float sx, float sy, uint32_t c, int p, float r, float px,
                        float py, float u, float v, float ue, float ve) override {
        drawn.push_back({x, y, sx, sy});
        return ForwardingDraw::DrawSpritePtrEx(s, x, y, sx, sy, c, p, r, px, py, u, v, ue, ve);
    }
    struct Sprite {
        float x, y, sx, sy;
    };
    std::vector<Sprite> drawn;
};

class WidgetTestScreen : public ::testing::Test {
protected:
    void SetUp() override {
        tmFontFace::UseBuiltinGlyphs(true);  // the same glyphs on every machine
        g_screen = nullptr;
        g_made = 0;
        g_launches = 0;
        // The lobby sprite sheet loads from the build's data.
        ASSERT_EQ(symlink(ZARVO_RUN_DIR "/data", (s.Folder() + "/data").c_str()), 0);
        ASSERT_TRUE(s.Start());
        ASSERT_TRUE(s.RunUntil([&] { return s.CurrentId() == ggSeqTest01::kId && g_screen; }, 10));
    }
    void TearDown() override { tmFontFace::UseBuiltinGlyphs(false); }

    const g2ui::TextTexture& Text() { return *g_screen->GetTextTexture(); }
    // Holds the keys for one frame, then releases them for one frame.
    void Tap(std::initializer_list<int> keys) {
        for (int k : keys) s.Input().SetKey(k, true);
        s.Frame();
        for (int k : keys) s.Input().SetKey(k, false);
        s.Frame();
    }

    harness::Session s{Screens()};
};

}  // namespace

TEST(WidgetTestScreenFactory, TheGameMakesTheWidgetTestAtTwelve) {
    tmSequenceFactory f = tmMakeScreenFactory();
    std::unique_ptr<tmSequence> twelve(f.Construct(12));
    EXPECT_NE(dynamic_cast<ggSeqTest01*>(twelve.get()), nullptr);
    for (int id : {11, 13}) {
        std::unique_ptr<tmSequence> other(f.Construct(id));
        EXPECT_EQ(dynamic_cast<ggSeqTest01*>(other.get()), nullptr) << id;
    }
}

TEST(WidgetTestScreenAlone, KeepsADebugFontItFoundAndRemovesTheOneItMade) {
    // No renderer: the text stays on the CPU and the screen still runs.
    tmDxFont::Create(14, false);
    tmDxFont* kept = tmDxFont::GetInstance();
    {
        ggSeqTest01 screen;
        screen.Init();
        EXPECT_EQ(screen.Update(), 0);
        screen.Draw();
        EXPECT_EQ(screen.GetTextTexture()->penX, 42);
        screen.Term();
    }
    EXPECT_EQ(tmDxFont::GetInstance(), kept);
    tmDxFont::Destroy();
    {
        ggSeqTest01 screen;
        screen.Init();
        EXPECT_NE(tmDxFont::GetInstance(), nullptr);
    }  // deleted without Term: still cleans up
    EXPECT_EQ(tmDxFont::GetInstance(), nullptr);
}

TEST_F(WidgetTestScreen, StartsWithTheLatinTextAndItsSprites) {
    const g2lobby::ggSpriteManager& sprites = *g_screen->GetSprites();
    EXPECT_EQ(sprites.GetLoadedSets(), std::vector<int>{22});
    for (const char* name : {"test_spr", "test_spr2", "test_text", "test_plane"})
        EXPECT_TRUE(sprites.Has(name)) << name;
    EXPECT_FLOAT_EQ(sprites.GetWidth("test_text"), 256);
    EXPECT_FLOAT_EQ(sprites.GetHeight("test_text"), 32);
    EXPECT_TRUE(TextureInCache());
    EXPECT_EQ(g_screen->GetCamera()->GetMode(), 3);

    // "aaaBBB": six half-width cells of 7 pixels, white.
    EXPECT_EQ(Text().penX, 42);
    EXPECT_EQ(Text().GetColor(), 0xFFFFFFu);
    const auto [first, last] = LitColumns(Text());
    EXPECT_GE(first, 0);
    EXPECT_LT(last, 42);
    EXPECT_GT(last, 35) << "the last B is drawn";

    // The frame counter counts logic steps.
    const int before = g_screen->GetFrameCount();
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(s.Frame());
    EXPECT_EQ(g_screen->GetFrameCount(), before + 5);
}

TEST_F(WidgetTestScreen, DrawsTheTextCentredOnTheVirtualScreen) {
    SpriteLog log(tmDraw::GetInstance());
    ASSERT_TRUE(s.Frame());
    ASSERT_EQ(log.drawn.size(), 1u);
    // Anchor 4 on a 256 x 32 sprite at (683, 384): its top-left at (555, 368), unscaled,
    // moved half a pixel as every texture sprite is, so texels meet pixels.
    EXPECT_FLOAT_EQ(log.drawn[0].x, 683 - 128 + 0.5f);
    EXPECT_FLOAT_EQ(log.drawn[0].y, 384 - 16 + 0.5f);
    EXPECT_FLOAT_EQ(log.drawn[0].sx, 1);
    EXPECT_FLOAT_EQ(log.drawn[0].sy, 1);
}

TEST_F(WidgetTestScreen, KeypadKeysReRenderAndOnlyTheLastTextStays) {
    Tap({tmKey::kNumpad0});
    EXPECT_EQ(Text().penX, 56);  // "00000000"
    EXPECT_GT(LitColumns(Text()).second, 48);

    Tap({tmKey::kNumpad1});
    EXPECT_EQ(Text().penX, 7);
    EXPECT_EQ(Text().GetPending().size(), 1u);
    EXPECT_LT(LitColumns(Text()).second, 7) << "the zeros are gone";

    // Six full-width characters: double-byte codes, two cells each.
    Tap({tmKey::kNumpad2});
    ASSERT_EQ(Text().GetPending().size(), 6u);
    const uint32_t codes[6] = {0x9153, 0x8A70, 0x8360, 0x8346, 0x8362, 0x834E};  // 全角チェック in Shift-JIS
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Text().GetPending()[i].code, codes[i]) << i;
        EXPECT_EQ(Text().GetPending()[i].penX, 14 * i) << i;
    }
    EXPECT_EQ(Text().penX, 84);
    EXPECT_GT(LitColumns(Text()).second, 70);
    EXPECT_LT(LitColumns(Text()).second, 84);

    // Back to one character, then all three keys in one step: the last (full-width) text alone.
    Tap({tmKey::kNumpad1});
    Tap({tmKey::kNumpad0, tmKey::kNumpad1, tmKey::kNumpad2});
    EXPECT_EQ(Text().GetPending().size(), 6u);
    EXPECT_EQ(Text().penX, 84);
    EXPECT_EQ(s.CurrentId(), ggSeqTest01::kId);
}

TEST_F(WidgetTestScreen, EnterEscapeAndKeypadEnterReturnToTheDebugMenuAndTheScreenComesBackClean) {
    const int keys[3] = {tmKey::kReturn, tmKey::kEscape, tmKey::kNumpadEnter};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(keys[i]);
        ASSERT_EQ(s.CurrentId(), ggSeqTest01::kId);
        ASSERT_EQ(g_made, i + 1);
        Tap({tmKey::kNumpad2});  // leave with the second text shown
        EXPECT_TRUE(TextureInCache());
        Tap({keys[i]});
        ASSERT_TRUE(s.RunUntil([&] { return g_made == i + 2 && s.CurrentId() == ggSeqTest01::kId; }, 10));
        // The screen left for the debug menu, which found the text texture given back,
        // so this visit could make it again.
        EXPECT_EQ(g_launches, i + 2);
        EXPECT_FALSE(g_textureAtLaunch);
        EXPECT_TRUE(TextureInCache());
        EXPECT_EQ(Text().penX, 42) << "a fresh visit starts with the Latin text";
        EXPECT_GT(LitColumns(Text()).second, 35);
    }
    int leaves = 0;
    for (const harness::Switch& sw : s.Switches()) leaves += sw.previous == 12 && sw.next == kSeqDebugMenu;
    EXPECT_EQ(leaves, 3);
}
