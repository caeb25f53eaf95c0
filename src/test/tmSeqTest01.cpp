// tmSeqTest01.cpp -- the model, font and sprite test under the race display's camera.
#include "test/tmSeqTest01.h"

#include <cmath>

#include "app/tmCameraCtrl.h"
#include "content_tables.h"
#include "sys/render/tmDraw.h"
#include "sys/render/tmRenderLayer.h"

namespace {

constexpr int kCameraMode = 2;  // the race display's view: eye (0, 10, -50) on the origin
constexpr int kTestCells = 19;  // the sprites of the test sheet
constexpr float kCellScale = 0.62f;
// The virtual screen's x runs from -171 at the left edge (0 is the 4:3 area's left).
constexpr float kCellsLeft = -77.0f, kCellsTop = 668.0f;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kAmber = 0xFFFFC040u;

// scale, then turns about X and Y, then the place.
D3DXMATRIX Place(float scale, float turnX, float turnY, float x, float y, float z) {
    D3DXMATRIX s, rx, ry, t;
    D3DXMatrixScaling(&s, scale, scale, scale);
    D3DXMatrixRotationX(&rx, turnX);
    D3DXMatrixRotationY(&ry, turnY);
    D3DXMatrixTranslation(&t, x, y, z);
    return s * rx * ry * t;
}

}  // namespace

tmSeqTest01::tmSeqTest01() = default;

tmSeqTest01::~tmSeqTest01() {
    if (camera_) Term();
}

void tmSeqTest01::Init() {
    KeepDebugFont(kFontHeight, true);
    scene_.LoadGroup(tmTestScene::kTestGroup);
    scene_.LoadCubeTexture();
    scene_.LoadSprites(content::SPRG_COMMON);
    scene_.LoadSprites(content::SPRG_TEST);
    scene_.LoadSprites(content::SPRG_FRONTEND);
    camera_ = std::make_unique<tmCameraCtrl>();
    camera_->Init();
    camera_->SetMode(kCameraMode);
    camera_->Update();
    camera_->UpdateView();
    largeFont_.Setup(content::SPR_FE_FONT_LARGE, 512.0f, 32.0f, 32.0f, 32.0f, 25.0f);
    gridFont_.Setup(content::SPR_CM_FONT01, 512.0f, 128.0f, 20.0f, 20.0f, 16.0f);
    timeStrip_.SetGrid(content::SPR_FE_FONT_TIME, 512.0f, 32.0f, 21.0f, 21.0f, 0.65f);
    frameCount_ = 0;
}

int tmSeqTest01::Update() {
    if (LeaveTriggered()) return kNextId;
    DisplayModeKeys();
    if (camera_) camera_->Update();
    ++frameCount_;
    return 0;
}

void tmSeqTest01::DrawModels() const {
    const float t = static_cast<float>(frameCount_) * 0.02f;
    // The camera's right is world -x: the block shows on the left, the plate on the right.
    tmTestScene::DrawModel(content::MDL_CUBE2_WITH_TEX, Place(10.0f, 0.45f, t, 25.0f, 2.0f, 0.0f));
    tmTestScene::DrawModel(content::MDL_CUBE_YSM_VERTEXCOLOR, Place(9.0f, 0.6f, -t, 0.0f, 2.0f, 0.0f));
    tmTestScene::DrawModel(content::MDL_PLANE_YSM_NORMALMAP,
                           Place(10.5f, -1.2f, 0.35f * std::sin(t), -25.0f, 2.0f, 0.0f));
}

void tmSeqTest01::DrawDigits() const {
    const int placement = tmSpritePlacement::kVirtualScreen;
    gridFont_.DrawString("FRAME", -100.0f, 560.0f, 1.0f, placement, kWhite);
    largeFont_.DrawNumber(static_cast<uint32_t>(frameCount_), 6, 0.0f, 552.0f, 1.0f, placement, kAmber);
    gridFont_.DrawString("TIME", 850.0f, 560.0f, 1.0f, placement, kWhite);
    largeFont_.DrawTime(static_cast<uint32_t>(frameCount_) * 1000u / 60u, 940.0f, 552.0f, 1.0f, placement, kAmber, 1);
    // The same time on the race display's strip, in the world above the models.
    D3DXMATRIX above;
    D3DXMatrixTranslation(&above, 11.0f, 19.0f, 0.0f);
    timeStrip_.DrawTime(static_cast<uint32_t>(frameCount_) * 1000u / 60u, above, 0.0f, 0.0f, 4.5f, kWhite);
}

void tmSeqTest01::Draw() {
    PrintTitle("Test ( %4d )");
    if (!camera_) return;
    camera_->UpdateView();
    scene_.SetUpFrame();
    DrawModels();
    DrawDigits();
    tmDraw* draw = tmDraw::GetInstance();
    for (int i = 0; i < kTestCells; ++i)
        draw->DrawSpriteScaledAlpha(content::SPR_TS_000 + i, kCellsLeft + static_cast<float>(i) * 100.0f * kCellScale,
                                    kCellsTop, kCellScale, kCellScale, 1.0f, tmSpritePlacement::kVirtualScreen);
}

void tmSeqTest01::Term() {
    camera_.reset();
    scene_.Release();
    DropDebugFont();
}
