// tmHudPlace.cpp -- layout records to world matrices on a small matrix stack.
#include "frontend/tmHudPlace.h"

#include "sys/base/tmMatrixStack.h"

namespace tmHudPlace {

D3DXMATRIX Element(const HudModelLayout& place, float dx, float dy) {
    tmMatrixStack stack(4);
    stack.Translate(place.x, place.y, place.z);
    stack.Scale(place.scale, place.scale, place.scale);
    stack.RotateY(place.angleY);
    stack.Translate(dx, dy, 0.0f);
    stack.RotateX(place.angleX);
    return *stack.Top();
}

D3DXMATRIX Digit(const HudModelLayout& place, float penX, float penY, float digitScale) {
    tmMatrixStack stack(4);
    stack.Translate(place.x, place.y, -0.1f);
    stack.Scale(place.scale, place.scale, place.scale);
    stack.RotateY(place.angleY);
    stack.RotateX(place.angleX);
    stack.Translate(penX, penY, 0.0f);
    stack.Scale(digitScale, digitScale, digitScale);
    return *stack.Top();
}

}  // namespace tmHudPlace
