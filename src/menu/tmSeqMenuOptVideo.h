// tmSeqMenuOptVideo.h -- screen 19: display mode and picture quality, taken at the next start.
#pragma once
#include "menu/tmMenuOption.h"

// The video options: resolution, window, scene size, reflections, shadows,
// particles, rival detail, frame rate and the frame-rate readout. Written to
// the settings only; the renderer reads them when the program next starts.
class tmSeqMenuOptVideo : public tmMenuOption {
public:
    enum RowId {
        kResolution = 0,
        kWindow = 1,
        kSceneSize = 2,
        kReflect = 3,
        kShadow = 4,
        kParticle = 5,
        kRival = 6,
        kFrameRate = 7,
        kShowFps = 8,
        kReturn = 9,
        kRows = 10,
    };

protected:
    const Row* Rows(int* count) const override;
    uint32_t HeadSprite() const override;
    int LeaveDelay(int row) const override { return (10 - row) * 4; }
    const char* ConsoleText() const override { return "Menu Opt Video. ( %d )"; }
    void ReadValues() override;
    void Apply() override;
};
