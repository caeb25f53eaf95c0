// tmSeqFrontendViewer.cpp -- the race display viewer: the keys that move the machine record, the update and the draw.
#include "test/tmSeqFrontendViewer.h"

#include <algorithm>

#include "frontend/tmFrontend.h"
#include "frontend/tmGaugeArray.h"
#include "frontend/tmHudRecords.h"
#include "menu/tmMenuFlow.h"
#include "sys/input/tmInputActions.h"
#include "sys/input/tmPeripheral.h"
#include "sys/render/tmDraw.h"
#include "sys/text/tmConsole.h"

namespace {

const float kLight[4] = {-0.577f, -0.577f, 0.577f, 0.0f};

bool Held(const tmPeripheral* in, int key) { return in && in->IsKeyDown(key); }
bool Pressed(const tmPeripheral* in, int key) { return in && in->IsKeyTriggered(key); }

}  // namespace

tmSeqFrontendViewer::tmSeqFrontendViewer() = default;

tmSeqFrontendViewer::~tmSeqFrontendViewer() {
    // A screen deleted without Term still gives the display's groups back.
    if (hud_ || machine_) Term();
}

void tmSeqFrontendViewer::Init() {
    // The display as a race shows it: anchored to the window's corners, its 3D parts over the whole window.
    tmDraw::SetRaceLayout(true);
    hud_ = std::make_unique<tmFrontend>();
    hud_->Init(tmMenuFlow::GetDebugParameter() + 1);
    machine_ = std::make_unique<tmHudMachineRecord>();
    showHud_ = true;
    frameCount_ = 0;
}

void tmSeqFrontendViewer::HandleKeys() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    tmHudMachineRecord& m = *machine_;
    if (Held(in, tmKey::kR)) m.speed = std::min(m.speed + 1.0f, kTopSpeed);
    if (Held(in, tmKey::kE)) m.speed = std::max(m.speed - 1.0f, 0.0f);
    if (Held(in, tmKey::kF)) m.revolutions = std::min(m.revolutions + kRevolutionStep, kTopRevolutions);
    if (Held(in, tmKey::kD)) m.revolutions = std::max(m.revolutions - kRevolutionStep, 0.0f);
    if (Pressed(in, tmKey::kV)) m.state1 = std::min(m.state1 + 1, kTopGear);
    if (Pressed(in, tmKey::kC)) m.state1 = std::max(m.state1 - 1, 0);
    if (Pressed(in, tmKey::kY)) m.state2 = std::min(m.state2 + 1, kTopBodyMode);
    if (Pressed(in, tmKey::kT)) m.state2 = std::max(m.state2 - 1, 0);
    m.gaugeA2 = kGaugeTotal;
    m.gaugeB2 = kGaugeTotal;
    m.flashThreshold = kFlashThreshold;
    if (Held(in, tmKey::kH)) {
        m.gaugeB1 = 0;
        m.gaugeA1 = m.gaugeA2;
    }
    // Draining: the second gauge first while it runs; the first gauge, once
    // empty, refills from its total and starts the second.
    if (Held(in, tmKey::kG)) {
        if (m.gaugeB1 >= 1) {
            if (--m.gaugeB1 < 1) m.gaugeB1 = m.gaugeA1 = 0;
        } else if (m.gaugeA1 > 0) {
            if (--m.gaugeA1 < 1) {
                m.gaugeA1 = m.gaugeA2;
                m.gaugeB1 = m.gaugeB2;
            }
        }
    }
    if (Pressed(in, tmKey::kN)) ++m.boostStock;
    if (Pressed(in, tmKey::kB)) m.boostStock = std::max(m.boostStock - 1, 0);
    if (Pressed(in, tmKey::kSpace)) showHud_ = !showHud_;
    if (Pressed(in, tmKey::kS)) hud_->SetFinished();
}

int tmSeqFrontendViewer::Update() {
    if (!hud_ || !machine_) return 0;
    const tmPeripheral* in = tmPeripheral::GetInstance();
    int next = 0;
    if (Pressed(in, tmKey::kNumpadEnter) || Pressed(in, tmKey::kReturn) || Pressed(in, tmKey::kEscape))
        next = kSeqDebugMenu;
    tmDraw::GetInstance()->SetLightDirectionDefault(kLight);
    if (frameCount_ == 1) hud_->SetFinished();
    HandleKeys();
    tmHudLapRecord lap;
    lap.countdown = kCountdown;
    lap.bannerTime = kBannerTime;
    const tmGaugeArray rows;
    hud_->Update(*machine_, lap, rows);
    ++frameCount_;
    return next;
}

void tmSeqFrontendViewer::Draw() {
    if (!hud_ || !machine_) return;
    const tmHudMachineRecord& m = *machine_;
    int row = 1;
    auto line = [&row]() { tmConsole::SetCursor(1, row++, 0); };
    line();
    tmConsole::Printf("FrontendViewer ( %4d )", frameCount_);
    line();
    tmConsole::Printf("press [S] to restart");
    line();
    tmConsole::Printf("scr (SPACE):%1d", showHud_ ? 1 : 0);
    line();
    tmConsole::Printf("sp  (E<>R):%5.1f", static_cast<double>(m.speed));
    line();
    tmConsole::Printf("rev (D<>F):%7.1f", static_cast<double>(m.revolutions));
    line();
    tmConsole::Printf("gear(C<>V):%1d", m.state1);
    line();
    tmConsole::Printf("mode(T<>Y):%1d", m.state2);
    line();
    if (m.gaugeB1 < 1)
        tmConsole::Printf("bst (G<>H):%1d", m.gaugeA1);
    else
        tmConsole::Printf("bst2(G<>H):%1d", m.gaugeB1);
    line();
    tmConsole::Printf("bNum(B<>N):%1d", m.boostStock);
    if (showHud_) hud_->DrawViewer();
    hud_->Draw();
}

void tmSeqFrontendViewer::Term() {
    machine_.reset();
    hud_.reset();
    tmDraw::SetRaceLayout(false);
}
