// ggSeqTest01.cpp -- the widget test screen: renders a text texture and shows it through the lobby sprite manager.
#include "test/ggSeqTest01.h"

#include "app/tmCameraCtrl.h"
#include "frontend/tmSpriteSheet.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureFont.h"
#include "lobby/ggSpriteManager.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/text/tmConsole.h"
#include "sys/text/tmDxFont.h"

namespace {

constexpr int kLobbySpriteSet = 22;
constexpr int kScreenCentreX = 683, kScreenCentreY = 384;  // of the 1366 x 768 virtual screen
constexpr int kAnchorCentre = 4;

const char* const kTextureName = "test_tt";
const char* const kTextSprite = "test_text";
const char* const kFirstText = "aaaBBB";
const char* const kFullWidthText = "全角チェック";  // six double-byte characters (literals are Shift-JIS)

bool Pressed(const tmPeripheral* in, int key) { return in && in->IsKeyTriggered(key); }

}  // namespace

void ggSeqTest01::TextDeleter::operator()(g2ui::TextTexture* text) const { TM_DELETE(text); }

ggSeqTest01::ggSeqTest01() = default;

ggSeqTest01::~ggSeqTest01() {
    // A screen deleted without Term still gives its resources back.
    if (camera_) Term();
}

void ggSeqTest01::Init() {
    debugFont_.Acquire(32, false);

    camera_ = std::make_unique<tmCameraCtrl>();
    camera_->Init();
    camera_->SetMode(3);
    camera_->Update();
    camera_->UpdateView();  // the view and projection go to the renderer

    sheet_ = std::make_unique<tmSpriteSheet>();
    sheet_->SetGrid(194, 512, 32, 22, 22, 0.5f);

    font_ = std::make_unique<g2ui::TextTextureFont>("ＭＳ ゴシック", 14, 400, 0);
    text_.reset(g2ui::TextTexture::Create(kTextureName, 256, 32));
    text_->SetColor(1.0f, 1.0f, 1.0f);
    Render(kFirstText);

    sprites_ = std::make_unique<g2lobby::ggSpriteManager>();
    sprites_->LoadSpriteSet(kLobbySpriteSet);
    sprites_->AddTableSprite("test_spr", 399);
    sprites_->AddTableSprite("test_spr2", 422);
    sprites_->AddTextureSprite(kTextSprite, kTextureName);
    sprites_->AddSolidSprite("test_plane", 1, 1, 1, 0, 0, 1);

    frameCount_ = 0;
}

void ggSeqTest01::Render(const std::string& text) {
    if (!text_) return;
    text_->Clear();
    text_->penX = 0;
    text_->penY = 0;
    text_->DrawString(font_.get(), text);
    text_->Flush();
}

int ggSeqTest01::Update() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (Pressed(in, tmKey::kNumpadEnter) || Pressed(in, tmKey::kReturn) || Pressed(in, tmKey::kEscape)) return kNextId;
    // Each key re-renders from an empty texture, so of several only the last text stays.
    if (Pressed(in, tmKey::kNumpad0)) Render("00000000");
    if (Pressed(in, tmKey::kNumpad1)) Render("1");
    if (Pressed(in, tmKey::kNumpad2)) Render(kFullWidthText);
    ++frameCount_;
    return 0;
}

void ggSeqTest01::Draw() {
    tmConsole::SetCursor(12, 0, 2);
    tmConsole::Printf("Test ( %4d )", frameCount_);
    if (!sprites_) return;
    sprites_->Draw(kTextSprite, kScreenCentreX, kScreenCentreY, 1, 0, 1, 1, 0, kAnchorCentre, nullptr);
    sprites_->Flush();
}

void ggSeqTest01::Term() {
    text_.reset();
    font_.reset();
    if (sprites_) {
        sprites_->Remove(kTextSprite);  // also gives the text texture back to the cache
        sprites_->Remove("test_spr");
        sprites_->ReleaseAll();
        sprites_.reset();
    }
    sheet_.reset();
    camera_.reset();
    debugFont_.Release();  // a font another screen keeps stays, at its own size
}
