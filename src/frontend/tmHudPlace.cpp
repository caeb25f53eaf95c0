// tmHudPlace.cpp -- layout records to world matrices on a small matrix stack, fitted to the window.
#include "frontend/tmHudPlace.h"

#include <algorithm>
#include <cmath>

#include "app/tmCameraCtrl.h"
#include "sys/base/tmMatrixStack.h"
#include "sys/render/tmDraw.h"

namespace {

// The screen the layout records were made for, and the HUD camera they are seen through (the race
// camera's mode 2): eye (0, 10, -50) looking at the origin.
constexpr float kLayoutWidth = 1366.0f, kLayoutHeight = 768.0f;
constexpr float kNear = 10.0f, kFar = 1000.0f;  // only depths along the view matter here

D3DXMATRIX HudViewProjection(float fov, float aspect) {
    const D3DXVECTOR3 eye(0.0f, 10.0f, -50.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, fov, aspect, kNear, kFar);
    return view * projection;
}

// Half the width of the band about a centre line in which a point blends from the near corner's anchoring to
// the far one's, in layout units. It is more than the layout ever overlaps itself on a narrow window (it is
// never narrower than the display's 1160 units, so at most (1366 - 1160) / 2 = 103 units each side), so the
// blend keeps the order of points there; every record of the display stands farther out and keeps its corner.
constexpr float kCentreBand = 160.0f;

// A point `p` of a layout `layout` units long on a window `size` pixels long at `scale` pixels per unit:
// anchored to the nearer edge outside the centre band, blended linearly inside it, so the mapping keeps the
// order of points and puts the centre in the window's centre.
float Anchored(float p, float layout, float size, float scale) {
    const float d = p - layout / 2.0f;
    const float gap = (size - layout * scale) / 2.0f;  // between the two anchorings; negative where they overlap
    return size / 2.0f + d * scale + gap * std::clamp(d / kCentreBand, -1.0f, 1.0f);
}

}  // namespace

namespace tmHudPlace {

HudModelLayout Fit(const HudModelLayout& place) {
    const tmDraw* draw = tmDraw::GetInstance();
    const int w = draw->GetBackBufferWidth(), h = draw->GetBackBufferHeight();
    if (w <= 0 || h <= 0 || (w == static_cast<int>(kLayoutWidth) && h == static_cast<int>(kLayoutHeight))) return place;
    const float width = static_cast<float>(w), height = static_cast<float>(h);
    // The lenses change only with the window, so every element of every frame reuses them.
    struct Lenses {
        int w = 0, h = 0;
        bool ok = false;
        float fov = 0.0f;
        D3DXMATRIX layout, window, back;
    };
    static Lenses lenses;
    if (lenses.w != w || lenses.h != h) {
        const float aspect = width / height;
        lenses.w = w;
        lenses.h = h;
        lenses.fov = aspect > tmCameraCtrl::kWideAspect ? D3DX_PI / 2.0f : tmCameraCtrl::kNarrowHudFov;
        lenses.layout = HudViewProjection(D3DX_PI / 2.0f, kLayoutWidth / kLayoutHeight);
        lenses.window = HudViewProjection(lenses.fov, aspect);
        lenses.ok = D3DXMatrixInverse(&lenses.back, nullptr, &lenses.window) != nullptr;
    }
    if (!lenses.ok) return place;
    const float fov = lenses.fov;
    const D3DXMATRIX& layout = lenses.layout;
    const D3DXMATRIX& window = lenses.window;
    const D3DXMATRIX& back = lenses.back;
    // The element's point on the layout's screen, anchored to the nearest corner of the window.
    const D3DXVECTOR3 at(place.x, place.y, place.z);
    D3DXVECTOR3 onLayout, onWindow;
    D3DXVec3TransformCoord(&onLayout, &at, &layout);
    D3DXVec3TransformCoord(&onWindow, &at, &window);
    const float s = draw->GetHudScale();
    const float px = (onLayout.x + 1.0f) * kLayoutWidth / 2.0f, py = (1.0f - onLayout.y) * kLayoutHeight / 2.0f;
    const float x = Anchored(px, kLayoutWidth, width, s), y = Anchored(py, kLayoutHeight, height, s);
    // The same depth from the camera under that point: the element keeps facing the camera squarely,
    // and its size scales with the display (pixels per unit there, against the layout's lens).
    const D3DXVECTOR3 target(x / (width / 2.0f) - 1.0f, 1.0f - y / (height / 2.0f), onWindow.z);
    D3DXVECTOR3 moved;
    D3DXVec3TransformCoord(&moved, &target, &back);
    HudModelLayout out = place;
    out.x = moved.x;
    out.y = moved.y;
    out.z = moved.z;
    out.scale = place.scale * s * kLayoutHeight * std::tan(fov / 2.0f) / height;
    return out;
}

D3DXMATRIX Element(const HudModelLayout& record, float dx, float dy) { return Compose(Fit(record), dx, dy); }

D3DXMATRIX Compose(const HudModelLayout& place, float dx, float dy) {
    tmMatrixStack stack(4);
    stack.Translate(place.x, place.y, place.z);
    stack.Scale(place.scale, place.scale, place.scale);
    stack.RotateY(place.angleY);
    stack.Translate(dx, dy, 0.0f);
    stack.RotateX(place.angleX);
    return *stack.Top();
}

D3DXMATRIX Digit(const HudModelLayout& record, float penX, float penY, float digitScale) {
    const HudModelLayout place = Fit(record);
    tmMatrixStack stack(4);
    stack.Translate(place.x, place.y, place.z - 0.1f);
    stack.Scale(place.scale, place.scale, place.scale);
    stack.RotateY(place.angleY);
    stack.RotateX(place.angleX);
    stack.Translate(penX, penY, 0.0f);
    stack.Scale(digitScale, digitScale, digitScale);
    return *stack.Top();
}

}  // namespace tmHudPlace
