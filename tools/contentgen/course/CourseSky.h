// CourseSky.h -- a place's sky (gradient, sun, procedural clouds, stars) as cube map, dome panorama and lighting ramp.
#pragma once

#include <cstdint>
#include <vector>

#include "course/CourseMesh.h"
#include "format/ByteIO.h"

namespace contentgen {

// The light of one place.
struct SkyStyle {
    Rgb zenith, horizon, below;  // straight up, at the horizon, below it (haze)
    float gradientPower = 0.5f;  // how fast the horizon colour gives way to the zenith
    V3 sun{0.3f, 0.6f, 0.7f};    // toward the sun
    Rgb sunColour{1, 0.95f, 0.8f};
    float sunDisc = 0.03f;  // angular radius (radians)
    float sunGlow = 0.5f;   // strength of the halo
    Rgb glow{1, 0.6f, 0.3f};
    float glowBand = 0.0f;  // a warm band along the horizon (dusk)
    float cloudCover = 0.3f;
    Rgb cloudLit{1, 1, 1}, cloudShade{0.7f, 0.72f, 0.8f};
    float cloudScale = 2.5f;
    float stars = 0.0f;
    std::uint32_t seed = 1;
};

// The sky seen in direction `dir` (unit, world space, y up).
Rgb SkyColour(const SkyStyle& sky, V3 dir);

// A picture: width x height RGBA8 pixels, the top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    zfmt::Bytes Png() const;
};

// The six-face cube strip (each face `size` square, stacked top to bottom in the device's face order):
// face f shows what the renderer's cube lookup finds for world directions.
Picture SkyCube(const SkyStyle& sky, int size);
zfmt::Bytes SkyCubePng(const SkyStyle& sky, int size);

// Panorama for the sky dome: u runs round the horizon (azimuth from +x toward +z), v from the
// zenith (0) to kPanoramaLowest below the horizon (1).
constexpr float kPanoramaLowest = -0.25f;  // elevation (radians) at v = 1
Picture SkyPanorama(const SkyStyle& sky, int width, int height);
// The direction a panorama coordinate shows.
V3 PanoramaDirection(float u, float v);

// The lighting ramp: 256 x 1 grey levels the shader looks the diffuse term up in; `floor` is the
// level of faces turned away from the light, `bands` the number of soft steps up to full light,
// reached at diffuse term `full` (the level ground's, so a low sun still lights the land).
Picture GouraudRamp(float floor, int bands, float full);
// The ramp's level at diffuse term d (0..1).
float GouraudRampLevel(float floor, int bands, float full, float d);

}  // namespace contentgen
