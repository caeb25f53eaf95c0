// CoursePlace.h -- the look of each circuit's place: sky, lighting ramp, road, ground, water and far scenery colours.
#pragma once

#include <cstdint>

#include "course/CourseMesh.h"
#include "course/CourseSky.h"

namespace contentgen {

enum class Place { Barcelona, Niseko, Berlin, Qir, Sydney, Canada };

// Everything about a place the generic builders need; the place's own scenery is built by its
// own function (CourseScenery.cpp).
struct PlaceStyle {
    Place place;
    const char* code;  // "SPA": texture names such as S_SPA_skyTex.dds
    std::uint32_t seed;
    SkyStyle sky;
    float rampFloor;  // lighting ramp: level of faces turned from the light
    int rampBands;
    // Road.
    Rgb asphalt, line, kerbA, kerbB, verge, refill, wallA, wallB, wallTop;
    bool wallTopGlows;  // the barrier's top rail is a light strip
    float wallHeight;   // world units above the road
    Rgb startLine;      // the colour of the start gantry's frame
    // Ground.
    Rgb ground, groundAlt, shore;
    float hills;      // height of the base terrain's hills (world units)
    float hillScale;  // their size (world units per noise cell)
    bool water;
    Rgb waterColour;
    float elevateAbove;  // the road stands on pillars where it is this high above the ground; 0 = never
    Rgb pillar;
    // Far ring.
    Rgb farLow, farHigh, farCap;
    float farHeight;  // typical height of the far ring (world units)
};

// The style of forward course id 2..7 (a reverse id uses its forward id's place).
const PlaceStyle& GetPlaceStyle(int courseId);

// Water surface and sea-floor heights (world units) shared by every place with water.
constexpr float kWaterLevel = -25.0f;
constexpr float kSeaFloor = -90.0f;

}  // namespace contentgen
