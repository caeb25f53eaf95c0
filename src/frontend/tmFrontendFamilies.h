// tmFrontendFamilies.h -- the six cockpit families, each drawing its tables in its own order.
#pragma once

#include "frontend/tmFrontendMachine.h"

// Machine 1: round meter, lamp model by stock, speed, body-mode and gear
// pictures, a fading and flashing first gauge with its step beside it, and a
// ring second gauge whose turn is shown as a digit.
class tmFrontendTorvin : public tmFrontendMachine {
public:
    tmFrontendTorvin();
    void Draw() override;
    // Gauge A's picture step: A1 / A2 x 23, held to the 24 pictures.
    int GaugeAStep() const;
    // Gauge B's picture step: B1 x 1.2 / B2 x 96, at most 95.
    int GaugeBStep() const;
    // Fade-in of a gauge: ((total - value) / span)^2 until the span is used, then 1.
    static float GaugeFade(int32_t value, int32_t total, int span);
};

// Machines 2, 10 and 11: block meter, repeated lamps, speed and gear as
// numbers, and one twelve-picture gauge at a time with its step beside it.
class tmFrontendBelmar : public tmFrontendMachine {
public:
    tmFrontendBelmar();
    void Draw() override;
    // The step of a twelve-picture gauge: value / total x 12, at most 11.
    static int Step12(int32_t value, int32_t total);
};

// Machines 3 and 4: meter, body mode, speed, lamp, gauge.
class tmFrontendQuessa : public tmFrontendMachine {
public:
    tmFrontendQuessa();
    void Draw() override;
};

// Machines 5 and 6: meter, lamp, gear, speed, gauge with half its step.
class tmFrontendDravik : public tmFrontendMachine {
public:
    tmFrontendDravik();
    void Draw() override;
};

// Machines 7 and 8: meter, body mode, lamp, gear, speed, a bar of gauge cells with half its step.
class tmFrontendOlvane : public tmFrontendMachine {
public:
    tmFrontendOlvane();
    void Draw() override;
};

// Machine 9: speed, meter, gear, lamp, gauge.
class tmFrontendPrentis : public tmFrontendMachine {
public:
    tmFrontendPrentis();
    void Draw() override;
};
