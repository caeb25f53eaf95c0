// tmEndingFrontend.cpp -- the staff roll lines, their camera and their world placement.
#include "menu/tmEndingFrontend.h"

#include "app/tmCameraCtrl.h"
#include "content_tables.h"
#include "frontend/tmHudPlace.h"
#include "sys/base/tmMemory.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"
#include "table/tmSpriteGroup.h"

namespace {
constexpr int kEndingGroup = 17;
constexpr int kFrontCamera = 3;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

constexpr tmStaffLine Line(uint32_t sprite, float y) {
    return tmStaffLine{sprite, -13.0f, y, -30.0f, 10.0f, -0.16f, 0.0f, 0.0f};
}
}  // namespace

const tmStaffLine tmEndingFrontend::kStaffLines[kLines] = {
    Line(content::SPR_END_STAFF_TITLE, 0.0f),          Line(content::SPR_END_STAFF_ALLSTAFFS, -10.0f),
    Line(content::SPR_END_STAFF_DIRECTION, -20.0f),    Line(content::SPR_END_STAFF_MACHINE, -30.0f),
    Line(content::SPR_END_STAFF_COURSE, -50.0f),       Line(content::SPR_END_STAFF_FRONTEND, -65.0f),
    Line(content::SPR_END_STAFF_GAME, -75.0f),         Line(content::SPR_END_STAFF_TOOL, -85.0f),
    Line(content::SPR_END_STAFF_SERVER, -95.0f),       Line(content::SPR_END_STAFF_PLAN, -105.0f),
    Line(content::SPR_END_STAFF_SOUND, -115.0f),       Line(content::SPR_END_STAFF_THEME, -135.0f),
    Line(content::SPR_END_STAFF_MASCOT, -155.0f),      Line(content::SPR_END_STAFF_SPECIALTHANKS, -175.0f),
    Line(content::SPR_END_STAFF_RIGHTS_LOGO, -190.0f), Line(content::SPR_END_STAFF_WEM_LOGO, -205.0f),
};

tmEndingFrontend::tmEndingFrontend() {
    tmSpriteGroup::Load(kEndingGroup);
    rollOffset_ = -10.0f;
    tmDraw* draw = tmDraw::GetInstance();
    const float light[4] = {-0.577f, -0.577f, 0.577f, 0.0f};
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    draw->SetLightDirection(light, identity);
    camera_ = TM_NEW tmCameraCtrl();
    camera_->Init();
    camera_->SetMode(kFrontCamera);
    camera_->Update();
    camera_->UpdateView();
}

tmEndingFrontend::~tmEndingFrontend() {
    tmSpriteGroup::Unload(kEndingGroup);
    TM_DELETE(camera_);
    camera_ = nullptr;
}

void tmEndingFrontend::Update() { camera_->Update(); }

void tmEndingFrontend::Draw() const {
    tmConsole::SetCursor(1, 2, 0);
    tmConsole::Printf("StaffRoll: %f", rollOffset_);
    camera_->UpdateView();
    tmDraw* draw = tmDraw::GetInstance();
    for (const tmStaffLine& l : kStaffLines) {
        // Placed as the race display places its world sprites, moved up by the roll in the line's
        // own (sized) units, but not fitted to the window's corners: the ending's own camera sees them,
        // and the menus' fit scales its view with the rest of the screen. Drawn over the screen
        // sprites, as the backdrop fills the screen.
        const HudModelLayout place{l.spriteId, l.x, l.y, l.z, l.size, l.angleY, l.angleX};
        draw->DrawSpriteRectOverScreen(static_cast<int>(l.spriteId), tmHudPlace::Compose(place, 0.0f, rollOffset_),
                                       kWhite);
    }
}
