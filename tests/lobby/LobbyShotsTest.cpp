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

TEST_P(LobbySmallWindow, PanesAndRowsAreWholeAndAClickOnTheCommentIsTaken) {
    if (!visit) return;
    lobbytest::LobbyScript script;
    script.others = {MakePlayer(7, "楓", 31), MakePlayer(9, "Bruno", 12)};
    script.rooms = {MakeRoom(300, "初心者歓迎", 3, 3, {7})};
    tmConfig::GetInstance().SetTeamName("ZARVO R&D");
    tmConfig::GetInstance().SetComment("よろしくお願いします！");
    visit->Begin(script, "Tester");
    ASSERT_TRUE(visit->Connect(3, 1));
    for (int i = 0; i < 3; ++i) visit->Step();
    g2lobby::ggSeqLobby& lobby = visit->Screen();
    const g2ui::ScreenView view = lobby.GetSprites()->GetView();
    const auto inside = [&](const std::string& what, g2ui::Point a, g2ui::Point b, g2ui::Point lo, g2ui::Point hi) {
        EXPECT_TRUE(a.x >= lo.x - 0.01f && a.y >= lo.y - 0.01f && b.x <= hi.x + 0.01f && b.y <= hi.y + 0.01f)
            << what << " (" << a.x << ", " << a.y << ")-(" << b.x << ", " << b.y << ") outside (" << lo.x << ", "
            << lo.y << ")-(" << hi.x << ", " << hi.y << ")";
    };
    const g2ui::Point window{static_cast<float>(width), static_cast<float>(height)};
    const auto inWindow = [&](const std::string& what, g2ui::Point a, g2ui::Point b) {
        inside(what, view.ToWindow(a), view.ToWindow(b), {0.0f, 0.0f}, window);
    };
    const std::pair<const char*, g2ui::Widget*> panes[] = {{"player pane", lobby.GetUserPain()},
                                                           {"room pane", lobby.GetRoomPain()},
                                                           {"chat pane", lobby.GetChatPain()},
                                                           {"profile pane", lobby.GetInfoPain()},
                                                           {"button pane", lobby.GetBottomPain()}};
    for (const auto& [name, pane] : panes) {
        const g2ui::Point at = pane->LocalToGlobal({0.0f, 0.0f});
        inWindow(name, at, {at.x + pane->width, at.y + pane->height});
    }
    // The profile's background pieces carry its tabs and the rank and port labels.
    for (const char* piece : {"InfoPainJBGL", "InfoPainJBGR"}) {
        const auto* d = visit->FindDrawn(piece);
        ASSERT_NE(d, nullptr) << piece;
        const float w = lobby.GetSprites()->GetWidth(piece) * d->scaleX * d->uExtent;
        const float h = lobby.GetSprites()->GetHeight(piece) * d->scaleY * d->vExtent;
        inWindow(piece, {d->x, d->y}, {d->x + w, d->y + h});
    }
    // Every player's row (16 high) lies inside the player pane.
    const g2ui::Widget* users = lobby.GetUserPain();
    const g2ui::Point top = users->LocalToGlobal({0.0f, 0.0f});
    int rows = 0;
    for (const auto& d : visit->Drawn()) {
        if (d.name.rfind("UserPainNameLv", 0) != 0) continue;
        ++rows;
        inside(d.name, {d.x, d.y}, {d.x + 256.0f, d.y + 16.0f}, top, {top.x + users->width, top.y + users->height});
    }
    EXPECT_EQ(rows, 3);

    // A click where the comment field shows (past its text) opens its edit, white under the pointer, with the
    // input method's caret in the field as the window shows it.
    g2ui::WidgetText* comment = lobby.GetInfoPain()->GetText(g2lobby::WidgetInfoPain::kComment);
    const g2ui::Point field = comment->LocalToGlobal({0.0f, 0.0f});
    const g2ui::Point click = view.ToWindow({field.x + comment->width - 20.0f, field.y + comment->height / 2.0f});
    visit->Click(click.x, click.y);
    visit->Step();
    EXPECT_TRUE(comment->IsEditing());
    Shoot();
    WriteNamedShot("lobby_" + std::to_string(width) + "x" + std::to_string(height));
    EXPECT_GT(Luma(Pixel(static_cast<int>(click.x) + 4, static_cast<int>(click.y))), 2000);
    const g2ui::Point left = view.ToWindow(field), right = view.ToWindow({field.x + comment->width, field.y});
    const auto& caret = visit->text.caretRect;
    EXPECT_GE(caret.x, static_cast<int>(left.x));
    EXPECT_LE(caret.x, static_cast<int>(right.x));
    EXPECT_NEAR(caret.y, left.y, 1.0f);
}

TEST_P(LobbySmallWindow, QuickClicksTheChatEntryAndTheRoomDialogLandWhereSeen) {
    if (!visit) return;
    lobbytest::LobbyScript script;
    script.others = {MakePlayer(7, "楓", 31), MakePlayer(9, "Bruno", 12)};
    script.rooms = {MakeRoom(300, "初心者歓迎", 3, 3, {7})};
    visit->Begin(script, "Tester");
    ASSERT_TRUE(visit->Connect(3, 1));
    for (int i = 0; i < 3; ++i) visit->Step();
    g2lobby::ggSeqLobby& lobby = visit->Screen();
    const g2ui::ScreenView view = lobby.GetSprites()->GetView();
    const auto at = [&](const g2ui::Widget* w, float x, float y) { return view.ToWindow(w->LocalToGlobal({x, y})); };
    // The second row (levels descending) is Bruno's.
    const g2ui::Point row = at(lobby.GetUserPain(), 100.0f, 36.0f + 20.0f + 8.0f);
    visit->QuickClick(row.x, row.y);
    ASSERT_NE(lobby.GetSelectedPlayer(), nullptr);
    EXPECT_EQ(lobby.GetSelectedPlayer()->id, 9);
    const g2ui::Widget* entry = lobby.GetChatPain()->GetEntry();
    const g2ui::Point chat = at(entry, entry->width / 2.0f, entry->height / 2.0f);
    visit->Click(chat.x, chat.y);
    EXPECT_TRUE(lobby.GetChatPain()->GetEntry()->IsEditing());
    visit->Tap(tmKey::kR, true);
    auto* mode = dynamic_cast<g2lobby::LobbyRmCrt*>(lobby.GetModeCtrl()->GetCurrentMode());
    ASSERT_NE(mode, nullptr);
    const g2ui::Widget* dialog = mode->GetDialog();
    const g2ui::Point a = at(dialog, 0.0f, 0.0f), b = at(dialog, dialog->width, dialog->height);
    EXPECT_TRUE(a.x >= 0.0f && a.y >= 0.0f && b.x <= width && b.y <= height)
        << "(" << a.x << ", " << a.y << ")-(" << b.x << ", " << b.y << ")";
    visit->Step();
    Shoot();
    // Its cancel button takes a click where it shows.
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
