// tmHudPlace.h -- the world matrices of the race display's layout records.
#pragma once

#include "sys/base/tmMath.h"
#include "table/RaceDisplayTables.h"

namespace tmHudPlace {

// translation(x, y, z) x scaling(scale) x rotation about Y x translation(dx, dy, 0) x rotation about X,
// multiplied as a matrix stack does (the last factor acts on a point first).
D3DXMATRIX Element(const HudModelLayout& place, float dx = 0.0f, float dy = 0.0f);
// A digit model: translation(x, y, -0.1) x scaling(scale) x rotation about Y x rotation about X x
// translation(penX, penY, 0) x scaling(digitScale).
D3DXMATRIX Digit(const HudModelLayout& place, float penX, float penY, float digitScale);

}  // namespace tmHudPlace
