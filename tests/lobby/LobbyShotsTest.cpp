// LobbyShotsTest.cpp -- screenshots of the lobby screen filled by the test lobby server, and of its dialogs.
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/tmConfig.h"
#include "harness/GlFixture.h"
#include "lobby/LobbyModes.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/LobbyVisit.h"
#include "lobby/WidgetBottomPain.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetChatPain.h"
#include "lobby/WidgetInfoPain.h"
#include "lobby/WidgetLobbyDialogs.h"
#include "lobby/WidgetRoomPain.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetSelector.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetUserPain.h"
#include "sys/input/tmInputActions.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmShaderManager.h"
#include "sys/text/tmFontFace.h"

using lobbytest::LobbyVisit;
using lobbytest::MakePlayer;
using lobbytest::MakeRoom;

namespace {

int Luma(uint32_t rgb) { return int((rgb >> 16) & 0xFF) * 3 + int((rgb >> 8) & 0xFF) * 6 + int(rgb & 0xFF); }

// The lobby screen on the shared screenshot fixture's OpenGL device (1366 x
// 768 unless asked), in the test's own folder with the build's data/ linked in.
class LobbyShots : public harness::GlFixture {
protected:
    explicit LobbyShots(int w = 1366, int h = 768)
        : GlFixture(harness::GlSetup(0, 0, false, true)), width(w), height(h) {}
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmFontFace::UseBuiltinGlyphs(false);
        r = tmRender::Create();
        r->SetShaderFactory([](gfx::Device*) { return std::unique_ptr<tmShaderManager>(); });
        ASSERT_TRUE(r->Initialize(dev.get(), lobbytest::SmallRenderSetting(width, height)));
        visit = std::make_unique<LobbyVisit>();
        visit->afterFrame = [this] {
            dev->setRenderTarget(dev->backBuffer());
            dev->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
            r->Render();
        };
    }
    void TearDown() override {
        visit.reset();
        lobbytest::ResetToolkit();
        if (r) tmRender::Destroy();
        GlFixture::TearDown();
    }
    // Players, rooms (one started, one full) and chat in Japanese and ASCII.
    static lobbytest::LobbyScript Crowd() {
        lobbytest::LobbyScript s;
        s.others = {MakePlayer(7, "楓", 31),        MakePlayer(9, "Bruno", 12, 2),        MakePlayer(11, "ヨシダ", 44),
                    MakePlayer(12, "Mika_R", 5, 0), MakePlayer(14, "赤坂レーシング", 20), MakePlayer(15, "Okabe", 8)};
        s.others[0].team = "チーム風";
        s.others[2].team = "YOSHIDA-R";
        s.rooms = {MakeRoom(300, "初心者歓迎", 3, 3, {7, 12}), MakeRoom(301, "Night Berlin", 4, 5, {9}, 1),
                   MakeRoom(302, "ガチ勢のみ", 8, 7, {11, 14, 15})};
        return s;
    }
    void SayAll() {
        const uint32_t now = static_cast<uint32_t>(std::time(nullptr));
        std::vector<lobbytest::ChatLine> lines;
        auto line = [&](uint32_t id, const std::string& name, const std::string& text, uint32_t ago) {
            lobbytest::ChatLine l;
            l.id1 = id;
            l.id2 = 0xFFFFFFFFu;
            l.kind = 1;
            l.time = now - ago;
            l.name = name;
            l.text = text;
            lines.push_back(l);
        };
        // The message's first line becomes the newest.
        line(9, "Bruno", "anyone up for Berlin reverse? 5 laps, no boost spam please", 60);
        line(7, "楓", "こんばんは！初心者歓迎の部屋を作りました。", 240);
        line(11, "ヨシダ", "今日はベルリンの調子がいいです", 3000);
        line(14, "赤坂レーシング", "GG! ありがとうございました", 90000);
        visit->server.Send(lobbytest::EncSAID(lines));
    }
    // The last shot as a picture of its own name in the shots folder.
    void WriteNamedShot(const std::string& name) {
        std::vector<uint32_t> pixels;
        pixels.reserve(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(Pixel(x, y));
        harness::WriteShot(name, pixels, width, height);
    }
    const int width, height;
    tmRender* r = nullptr;
    std::unique_ptr<LobbyVisit> visit;
};

// The lobby in a window smaller than the screen its panes need.
class LobbySmallWindow : public LobbyShots, public ::testing::WithParamInterface<std::pair<int, int>> {
protected:
    LobbySmallWindow() : LobbyShots(GetParam().first, GetParam().second) {}
};

}  // namespace

TEST_F(LobbyShots, TheLobbyWithPlayersRoomsChatAndAPicture) {
    if (!visit) return;
    ASSERT_TRUE(lobbytest::WritePortraitJpeg("MyImage.jpg", 160));
    tmConfig::GetInstance().SetTeamName("ZARVO R&D");
    tmConfig::GetInstance().SetComment("よろしくお願いします！");
    visit->Begin(Crowd(), "Tester");
    ASSERT_TRUE(visit->Connect(7, 3));
    SayAll();
    ASSERT_TRUE(visit->StepUntil([&] { return visit->Screen().GetLobby()->GetChat().count >= 4; }));
    visit->Screen().ShowHelp();
    visit->Screen().SelectRoom(300);
    for (int i = 0; i < 3; ++i) visit->Step();
    Shoot();
    // The background is dark, the list bodies light, the picture (warm at its top) drawn in the info pane.
    EXPECT_LT(Luma(Pixel(5, 400)), 600);
    EXPECT_GT(Luma(Pixel(150, 60)), 1500);
    const uint32_t picture = Pixel(334 + 12 + 10, 13 + 51 + 10);
    EXPECT_GT((picture >> 16) & 0xFF, 150u) << std::hex << picture;
}

TEST_F(LobbyShots, TheNameEntryDialogOverTheEmptyLobby) {
    if (!visit) return;
    visit->Begin(Crowd(), "No Name");
    visit->Step();
    ASSERT_EQ(visit->Mode(), "UNKNOWN");
    visit->text.Press(platform::EditKey::A, false, true);
    visit->text.Press(platform::EditKey::Backspace);
    visit->text.Type(u8"レーサー01");
    for (int i = 0; i < 3; ++i) visit->Step();
    Shoot();
    // The dialog (400 x 200) is centred over the dark lobby; its OK stays disabled until the name is committed.
    const int left = (1366 - 400) / 2, top = (768 - 200) / 2;
    EXPECT_LT(Luma(Pixel(left - 20, top + 100)), 1200);
    EXPECT_GT(Luma(Pixel(left + 200, top + 87 + 8)), 2000) << "the field being edited is white";
    auto* mode = dynamic_cast<g2lobby::LobbyUnknown*>(visit->Screen().GetModeCtrl()->GetCurrentMode());
    ASSERT_NE(mode, nullptr);
    EXPECT_TRUE(mode->GetDialog()->GetButton(0)->disabled);
}

TEST_F(LobbyShots, TheRoomCreationDialogWithACourseAndLaps) {
    if (!visit) return;
    visit->Begin(Crowd(), "Tester");
    ASSERT_TRUE(visit->Connect(7, 3));
    visit->Tap(tmKey::kR, true);
    ASSERT_EQ(visit->Mode(), "RMCRT");
    auto* mode = dynamic_cast<g2lobby::LobbyRmCrt*>(visit->Screen().GetModeCtrl()->GetCurrentMode());
    ASSERT_NE(mode, nullptr);
    mode->GetDialog()->GetCourseSelector()->SetValue(3, false);
    mode->GetDialog()->GetLapsSelector()->SetValue(2, false);
    visit->text.Type(u8"夜のQIR");
    for (int i = 0; i < 3; ++i) visit->Step();
    Shoot();
    const int left = (1366 - 616) / 2, top = (768 - 298) / 2;
    // The course plate's accent bar and the cyan name being typed on white.
    EXPECT_GT(Luma(Pixel(left + 113 + 7, top + 74 + 15)), 800);
    EXPECT_GT(Luma(Pixel(left + 236 + 120, top + 192)), 2000);
    EXPECT_EQ(mode->GetDialog()->GetCourse(), 5);
    EXPECT_EQ(mode->GetDialog()->GetLaps(), 7);
}

TEST_P(LobbySmallWindow, PanesAndRowsAreWholeAndClicksLandWhereSeen) {
    if (!visit) return;
    lobbytest::LobbyScript script;
    script.others = {MakePlayer(7, "楓", 31), MakePlayer(9, "Bruno", 12)};
    script.rooms = {MakeRoom(300, "初心者歓迎", 3, 3, {7})};
    tmConfig::GetInstance().SetComment("よろしくお願いします！");
    visit->Begin(script, "Tester");
    ASSERT_TRUE(visit->Connect(3, 1));
    for (int i = 0; i < 3; ++i) visit->Step();
    g2lobby::ggSeqLobby& lobby = visit->Screen();
    const g2ui::ScreenView view = lobby.GetSprites()->GetView();
    // Rectangles in layout pixels, a inside b (b null: the window).
    const auto inside = [&](const std::string& what, g2ui::Point a0, g2ui::Point a1, const g2ui::Widget* b) {
        const g2ui::Point p = view.ToWindow(a0), q = view.ToWindow(a1);
        g2ui::Point lo{0.0f, 0.0f}, hi{static_cast<float>(width), static_cast<float>(height)};
        if (b)
            lo = view.ToWindow(b->LocalToGlobal({0.0f, 0.0f})),
            hi = view.ToWindow(b->LocalToGlobal({b->width, b->height}));
        EXPECT_TRUE(p.x >= lo.x - 0.01f && p.y >= lo.y - 0.01f && q.x <= hi.x + 0.01f && q.y <= hi.y + 0.01f)
            << what << " (" << p.x << ", " << p.y << ")-(" << q.x << ", " << q.y << ")";
    };
    const auto whole = [&](const std::string& what, const g2ui::Widget* w) {
        inside(what, w->LocalToGlobal({0.0f, 0.0f}), w->LocalToGlobal({w->width, w->height}), nullptr);
    };
    const auto at = [&](const g2ui::Widget* w, float x, float y) { return view.ToWindow(w->LocalToGlobal({x, y})); };
    whole("player pane", lobby.GetUserPain());
    whole("room pane", lobby.GetRoomPain());
    whole("chat pane", lobby.GetChatPain());
    whole("profile pane", lobby.GetInfoPain());
    whole("button pane", lobby.GetBottomPain());
    // The profile's background pieces carry its tabs and the rank and port labels.
    for (const char* piece : {"InfoPainJBGL", "InfoPainJBGR"}) {
        const auto* d = visit->FindDrawn(piece);
        ASSERT_NE(d, nullptr) << piece;
        inside(piece, {d->x, d->y},
               {d->x + lobby.GetSprites()->GetWidth(piece) * d->scaleX * d->uExtent,
                d->y + lobby.GetSprites()->GetHeight(piece) * d->scaleY * d->vExtent},
               nullptr);
    }
    // Every player's row (16 high) lies inside the player pane.
    int rows = 0;
    for (const auto& d : visit->Drawn()) {
        if (d.name.rfind("UserPainNameLv", 0) != 0) continue;
        ++rows;
        inside(d.name, {d.x, d.y}, {d.x + 256.0f, d.y + 16.0f}, lobby.GetUserPain());
    }
    EXPECT_EQ(rows, 3);

    // A click where the comment field shows (past its text) opens its edit, white under the pointer, with the
    // input method's caret in the field as the window shows it.
    g2ui::WidgetText* comment = lobby.GetInfoPain()->GetText(g2lobby::WidgetInfoPain::kComment);
    const g2ui::Point click = at(comment, comment->width - 20.0f, comment->height / 2.0f);
    visit->Click(click.x, click.y);
    visit->Step();
    EXPECT_TRUE(comment->IsEditing());
    Shoot();
    WriteNamedShot("lobby_" + std::to_string(width) + "x" + std::to_string(height));
    EXPECT_GT(Luma(Pixel(static_cast<int>(click.x) + 4, static_cast<int>(click.y))), 2000);
    const g2ui::Point left = at(comment, 0.0f, 0.0f), right = at(comment, comment->width, 0.0f);
    EXPECT_GE(visit->text.caretRect.x, static_cast<int>(left.x));
    EXPECT_LE(visit->text.caretRect.x, static_cast<int>(right.x));
    EXPECT_NEAR(visit->text.caretRect.y, left.y, 1.0f);

    // A quick click on the second row (levels descending) selects Bruno; a click opens the chat entry.
    const g2ui::Point row = at(lobby.GetUserPain(), 100.0f, 36.0f + 20.0f + 8.0f);
    visit->QuickClick(row.x, row.y);
    ASSERT_NE(lobby.GetSelectedPlayer(), nullptr);
    EXPECT_EQ(lobby.GetSelectedPlayer()->id, 9);
    const g2ui::Widget* entry = lobby.GetChatPain()->GetEntry();
    const g2ui::Point chat = at(entry, entry->width / 2.0f, entry->height / 2.0f);
    visit->Click(chat.x, chat.y);
    EXPECT_TRUE(lobby.GetChatPain()->GetEntry()->IsEditing());
    // The room creation dialog is whole, and its cancel button takes a click where it shows.
    visit->Tap(tmKey::kR, true);
    auto* mode = dynamic_cast<g2lobby::LobbyRmCrt*>(lobby.GetModeCtrl()->GetCurrentMode());
    ASSERT_NE(mode, nullptr);
    whole("room creation dialog", mode->GetDialog());
    visit->Step();
    Shoot();
    const g2ui::Widget* no = mode->GetDialog()->GetNo();
    const g2ui::Point cancel = at(no, no->width / 2.0f, no->height / 2.0f);
    visit->Click(cancel.x, cancel.y);
    visit->Step();
    EXPECT_EQ(visit->Mode(), "NOTACTIVE");
}

INSTANTIATE_TEST_SUITE_P(Lobby, LobbySmallWindow, ::testing::Values(std::make_pair(640, 480), std::make_pair(800, 480)),
                         [](const ::testing::TestParamInfo<std::pair<int, int>>& info) {
                             return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
                         });
