// tySeqTest01.cpp -- the sprite test: a sprite of its own sheet and a digit of the time strip in the world.
#include "test/tySeqTest01.h"

#include "app/tmCameraCtrl.h"
#include "content_tables.h"
#include "sys/render/tmDraw.h"
#include "sys/render/tmRenderLayer.h"

namespace {
constexpr int kCameraMode = 2;
constexpr float kCellScale = 24.0f;  // the strip cell's size in world units
}  // namespace

tySeqTest01::tySeqTest01() = default;

tySeqTest01::~tySeqTest01() {
    if (camera_) Term();
}

void tySeqTest01::Init() {
    KeepDebugFont(kFontHeight, true);
    camera_ = std::make_unique<tmCameraCtrl>();
    camera_->Init();
    camera_->SetMode(kCameraMode);
    camera_->Update();
    camera_->UpdateView();
    strip_.SetGrid(content::SPR_FE_FONT_TIME, 512.0f, 32.0f, 21.0f, 21.0f, 0.65f);
    scene_.LoadGroup(content::RG_TEST02);
    scene_.LoadSprites(content::SPRG_TEST);
    scene_.LoadSprites(content::SPRG_TEST2);
    scene_.LoadSprites(content::SPRG_FRONTEND);
    frameCount_ = 0;
}

int tySeqTest01::Update() {
    if (LeaveTriggered()) return kNextId;
    DisplayModeKeys();
    if (camera_) camera_->Update();
    ++frameCount_;
    return 0;
}

void tySeqTest01::Draw() {
    PrintTitle("Test ( %4d )");
    if (!camera_) return;
    camera_->UpdateView();
    tmDraw::GetInstance()->DrawSprite(content::SPR_TS2, kSpriteX, kSpriteY, tmSpritePlacement::kVirtualScreen);
    // The cell's rectangle is centred on its place: the world's origin, in the middle of the view.
    D3DXMATRIX centre;
    D3DXMatrixIdentity(&centre);
    strip_.DrawGlyph(GetCell(), centre, 0.0f, 0.0f, kCellScale, 0xFFFFFFFFu);
}

void tySeqTest01::Term() {
    camera_.reset();
    scene_.Release();
    DropDebugFont();
}
