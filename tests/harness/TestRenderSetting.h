// TestRenderSetting.h -- the render settings the screenshot tests start the renderer with.
#pragma once
#include "sys/gfx/tmRenderSetting.h"

namespace harness {

// A frame of w x h drawn at its own size, with small shadow and cube targets
// (quick on a software rasteriser) and no gamma report file.
inline tmRenderSetting TestRenderSetting(int w, int h, int cubeTargetSize = 32) {
    tmRenderSetting s;
    s.width = w;
    s.height = h;
    s.sceneTargetWidth = w;
    s.sceneTargetHeight = h;
    s.shadowMapSize = 64;
    s.cubeTargetSize = cubeTargetSize;
    s.gammaReport = 0;
    return s;
}

}  // namespace harness
