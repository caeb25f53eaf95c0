// tmFrontendFamilies.cpp -- what each cockpit family draws and in which order.
#include "frontend/tmFrontendFamilies.h"

#include <algorithm>

// ---- Torvin ------------------------------------------------------------------------------

tmFrontendTorvin::tmFrontendTorvin() : tmFrontendMachine(CockpitTableList[0]) {}

float tmFrontendTorvin::GaugeFade(int32_t value, int32_t total, int span) {
    const int32_t used = std::max(0, total - value);
    if (used >= span) return 1.0f;
    const float f = static_cast<float>(used) / static_cast<float>(span);
    return f * f;
}

int tmFrontendTorvin::GaugeAStep() const {
    if (record_.gaugeA2 <= 0) return 0;
    const int step =
        static_cast<int>(static_cast<float>(record_.gaugeA1) / static_cast<float>(record_.gaugeA2) * 23.0f);
    return std::max(0, std::min(step, tables_->gaugeA.count - 1));
}

int tmFrontendTorvin::GaugeBStep() const {
    if (record_.gaugeB2 <= 0) return 0;
    const float v = static_cast<float>(record_.gaugeB1) * 1.2f / static_cast<float>(record_.gaugeB2) * 96.0f;
    return std::max(0, std::min(static_cast<int>(v), 95));
}

void tmFrontendTorvin::Draw() {
    const CockpitTables& t = *tables_;
    // 1. Meter, face, lamp model of the stock, the two fixed models.
    DrawMeter();
    DrawAt(t.face, t.face.model);
    if (record_.boostStock > 0 && t.lamps && t.lampCount > 0)
        DrawAt(t.lampPlace, t.lamps[std::min(record_.boostStock, std::min(3, t.lampCount)) - 1]);
    DrawAt(t.fixed[0], t.fixed[0].model);
    DrawAt(t.fixed[1], t.fixed[1].model);
    // 2. Speed.
    DrawSpeed();
    // 3. Body mode, then gear.
    DrawStatePicture(t.state2, record_.state2);
    DrawStatePicture(t.state1, record_.state1);
    // 4. Gauge A.
    if (record_.gaugeA1 > 0) {
        const float fade = GaugeFade(record_.gaugeA1, record_.gaugeA2, kGaugeAFade);
        const int step = GaugeAStep();
        const bool warn = Flashing(record_.gaugeA1, record_.gaugeA2) && t.gaugeAWarning != 0;
        DrawAt(t.gaugeA.place, warn ? t.gaugeAWarning : HudPicture(t.gaugeA, step), fade);
        if (record_.gaugeA2 - record_.gaugeA1 >= kGaugeAFade) DrawNumber(step, t.gaugeANumber);
    }
    // 5. Gauge B.
    if (record_.gaugeB1 > 0) {
        const float fade = GaugeFade(record_.gaugeB1, record_.gaugeB2, kGaugeBFade);
        const int step = GaugeBStep();
        DrawAt(t.gaugeB.place, HudPicture(t.gaugeB, step), fade);
        DrawAt(t.gaugeBFrames[0], t.gaugeBFrames[0].model, fade);
        DrawAt(t.gaugeBFrames[1], t.gaugeBFrames[1].model, fade);
        if (fade >= 1.0f) DrawNumber(step / 24, t.gaugeBNumber);
    }
}

// ---- Belmar ------------------------------------------------------------------------------

tmFrontendBelmar::tmFrontendBelmar() : tmFrontendMachine(CockpitTableList[1]) {}

int tmFrontendBelmar::Step12(int32_t value, int32_t total) {
    if (total <= 0) return 0;
    const int step = static_cast<int>(static_cast<float>(value) / static_cast<float>(total) * 12.0f);
    return std::max(0, std::min(step, 11));
}

void tmFrontendBelmar::Draw() {
    const CockpitTables& t = *tables_;
    DrawMeter();
    DrawAt(t.face, t.face.model);
    const int lamps = std::min(record_.boostStock, 4);
    for (int i = 0; t.lamps && t.lampCount > 0 && i < lamps; ++i)
        DrawAt(t.lampPlace, t.lamps[0], 1.0f, t.lampSpacing * static_cast<float>(i), 0.0f);
    DrawSpeed();
    DrawNumber(record_.state1 + 1, t.state1Number);
    DrawStatePicture(t.state2, record_.state2);
    if (record_.gaugeB1 >= 1) {
        const int step = Step12(record_.gaugeB1, record_.gaugeB2);
        const bool warn = Flashing(record_.gaugeB1, record_.gaugeB2) && t.gaugeBWarning != 0;
        DrawAt(t.gaugeB.place, warn ? t.gaugeBWarning : HudPicture(t.gaugeB, step));
        DrawNumber(step, t.gaugeBNumber);
    } else if (record_.gaugeA1 > 0) {
        const int step = Step12(record_.gaugeA1, record_.gaugeA2);
        const bool warn = Flashing(record_.gaugeA1, record_.gaugeA2) && t.gaugeAWarning != 0;
        DrawAt(t.gaugeA.place, warn ? t.gaugeAWarning : HudPicture(t.gaugeA, step));
        DrawNumber(step, t.gaugeANumber);
    }
}

// ---- the 35-step families ----------------------------------------------------------------

tmFrontendQuessa::tmFrontendQuessa() : tmFrontendMachine(CockpitTableList[2]) {}

void tmFrontendQuessa::Draw() {
    const CockpitTables& t = *tables_;
    DrawMeter();
    DrawStatePicture(t.state2, record_.state2);
    DrawSpeed();
    DrawLampPicture();
    if (record_.gaugeA1 > 0) DrawAt(t.gaugeA.place, HudPicture(t.gaugeA, GaugeAStep24()));
}

tmFrontendDravik::tmFrontendDravik() : tmFrontendMachine(CockpitTableList[3]) {}

void tmFrontendDravik::Draw() {
    const CockpitTables& t = *tables_;
    DrawMeter();
    DrawLampPicture();
    DrawStatePicture(t.state1, record_.state1);
    DrawSpeed();
    if (record_.gaugeA1 > 0) {
        const int step = GaugeAStep24();
        DrawAt(t.gaugeA.place, HudPicture(t.gaugeA, step));
        DrawNumber(step / 2, t.gaugeANumber);
    }
}

tmFrontendOlvane::tmFrontendOlvane() : tmFrontendMachine(CockpitTableList[4]) {}

void tmFrontendOlvane::Draw() {
    const CockpitTables& t = *tables_;
    DrawMeter();
    DrawStatePicture(t.state2, record_.state2);
    DrawLampPicture();
    DrawStatePicture(t.state1, record_.state1);
    DrawSpeed();
    if (record_.gaugeA1 > 0) {
        const int step = GaugeAStep24();
        for (int i = 0; i <= step && i < t.gaugeA.count; ++i) DrawAt(t.gaugeA.place, t.gaugeA.models[i]);
        DrawNumber(step / 2, t.gaugeANumber);
    }
}

tmFrontendPrentis::tmFrontendPrentis() : tmFrontendMachine(CockpitTableList[5]) {}

void tmFrontendPrentis::Draw() {
    const CockpitTables& t = *tables_;
    DrawSpeed();
    DrawMeter();
    DrawStatePicture(t.state1, record_.state1);
    DrawLampPicture();
    if (record_.gaugeA1 > 0) DrawAt(t.gaugeA.place, HudPicture(t.gaugeA, GaugeAStep24()));
}
