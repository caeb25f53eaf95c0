// tmHudPlace.h -- the world matrices of the race display's layout records, fitted to the window.
#pragma once

#include "sys/base/tmMath.h"
#include "table/RaceDisplayTables.h"

namespace tmHudPlace {

// A record laid out for 1366 x 768 as it stands on the current window: its point on the screen
// anchored to the window's nearest corner (blended across a narrow band about the centre lines, so the
// mapping keeps the order of points and a centred record centred), its offset from that corner and its size multiplied
// by the display's scale (tmDraw::GetHudScale), at the same depth before the HUD camera, whose lens follows the
// window's shape. The record itself on a 1366 x 768 window.
HudModelLayout Fit(const HudModelLayout& place);
// translation(x, y, z) x scaling(scale) x rotation about Y x translation(dx, dy, 0) x rotation about X,
// multiplied as a matrix stack does (the last factor acts on a point first), of the fitted record.
D3DXMATRIX Element(const HudModelLayout& place, float dx = 0.0f, float dy = 0.0f);
// The same matrix of the record as it stands, unfitted: for world-placed elements seen through a camera of
// their own screen's (the ending's staff roll), which the corner fit knows nothing of.
D3DXMATRIX Compose(const HudModelLayout& place, float dx = 0.0f, float dy = 0.0f);
// A digit model: translation(x, y, z - 0.1) x scaling(scale) x rotation about Y x rotation about X x
// translation(penX, penY, 0) x scaling(digitScale), of the fitted record.
D3DXMATRIX Digit(const HudModelLayout& place, float penX, float penY, float digitScale);

}  // namespace tmHudPlace
