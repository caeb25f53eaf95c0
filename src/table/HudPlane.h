// HudPlane.h -- where a point of the 1366 x 768 virtual screen lies on the race display's world plane.
#pragma once

#include "table/RaceDisplayTables.h"

// The race display draws its models through the HUD camera: eye (0, 10, -50)
// looking at the origin with a quarter-turn lens on a 16:9 screen. World -x
// is screen right. An element stands on the plane z = 0 at the point under
// its virtual-screen pixel, tilted about X to face the camera squarely (so it
// is not foreshortened) and scaled so that one model unit covers one pixel.
// Models turned half about Y read left to right with +x to the right.
namespace hudplane {

constexpr float kPi = 3.14159265f;
constexpr float kScreenWidth = 1366.0f;
constexpr float kScreenHeight = 768.0f;
constexpr float kAspect = kScreenWidth / kScreenHeight;
// The camera's forward direction (0, -10, 50) / |(0, -10, 50)| and its up direction.
constexpr float kForwardY = -0.196116135f;
constexpr float kForwardZ = 0.980580676f;
constexpr float kEyeDistance = 50.9901951f;
// Tilt about X that makes a model's plane square to the camera: for models
// turned half about Y, and for unturned ones (the race time's glyphs).
constexpr float kTiltTurned = -0.197395560f;
constexpr float kTiltPlain = 0.197395560f;

// World y on the plane z = 0 of the virtual-screen row py.
constexpr float PlaneY(float py) {
    const float ny = 1.0f - py / (kScreenHeight / 2.0f);
    return kEyeDistance * ny / (kForwardZ - kForwardY * ny);
}
// Distance along the camera's forward direction of the plane's point at world y.
constexpr float Depth(float worldY) { return kEyeDistance + kForwardY * worldY; }
// World x of the virtual-screen point (px, py).
constexpr float PlaneX(float px, float py) {
    const float nx = px / (kScreenWidth / 2.0f) - 1.0f;
    return -nx * kAspect * Depth(PlaneY(py));
}
// World units per virtual-screen pixel at the row py.
constexpr float UnitAt(float py) { return Depth(PlaneY(py)) * 2.0f / kScreenHeight; }

// A model record whose model, turned half about Y, has +x right and +y up in pixel units.
constexpr HudModelLayout Place(uint32_t model, float px, float py, float scale = 1.0f) {
    return HudModelLayout{model, PlaneX(px, py), PlaneY(py), 0.0f, UnitAt(py) * scale, kPi, kTiltTurned};
}
// A record for glyph rectangles (the sprite sheet): not turned; its glyphs advance toward -x.
constexpr HudModelLayout PlaceGlyphs(float px, float py, float scale = 1.0f) {
    return HudModelLayout{0, PlaneX(px, py), PlaneY(py), 0.0f, UnitAt(py) * scale, 0.0f, kTiltPlain};
}

// The fixed cameras of the second view and the after-post layers: eye (0, 0, -50)
// at the origin with a quarter-turn lens. Square for the second view; the
// after-post layers use the screen's aspect.
constexpr float ScreenViewX(float px) { return -(px / (kScreenWidth / 2.0f) - 1.0f) * 50.0f * kAspect; }
constexpr float ScreenViewY(float py) { return (1.0f - py / (kScreenHeight / 2.0f)) * 50.0f; }
constexpr float kScreenViewUnit = 100.0f / kScreenHeight;

}  // namespace hudplane
