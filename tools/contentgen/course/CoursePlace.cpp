// CoursePlace.cpp -- the six places: a warm coast, snow country, a city at dusk, a future city, a harbour, autumn
// woods.
#include "course/CoursePlace.h"

namespace contentgen {

namespace {

// The direction toward a light that shines along `light` (the course record's light vector).
V3 Toward(float x, float y, float z) { return Normalise(V3{-x, -y, -z}); }

PlaceStyle Barcelona() {
    PlaceStyle s{};
    s.place = Place::Barcelona;
    s.code = "SPA";
    s.seed = 11;
    s.sky.zenith = Hex(0x2F6FD0);
    s.sky.horizon = Hex(0xF4DDB4);
    s.sky.below = Hex(0xE9CFA0);
    s.sky.gradientPower = 0.45f;
    s.sky.sun = Toward(-374.0f, -744.0f, 747.95f);
    s.sky.sunColour = Hex(0xFFF2C8);
    s.sky.sunGlow = 0.55f;
    s.sky.cloudCover = 0.22f;
    s.sky.cloudLit = Hex(0xFFFDF6);
    s.sky.cloudShade = Hex(0xC9C2C8);
    s.sky.seed = 101;
    s.rampFloor = 0.48f;
    s.rampBands = 3;
    s.asphalt = Hex(0x55545A);
    s.line = Hex(0xF6F2E8);
    s.kerbA = Hex(0xD8262A);
    s.kerbB = Hex(0xF4F4F0);
    s.verge = Hex(0xC9A86A);
    s.refill = Hex(0x3AA7E0);
    s.wallA = Hex(0xF3EFE6);
    s.wallB = Hex(0xE2632A);
    s.wallTop = Hex(0x2A5DB0);
    s.wallHeight = 36;
    s.startLine = Hex(0xE2632A);
    s.ground = Hex(0xA9A04E);
    s.groundAlt = Hex(0xC8A45C);
    s.shore = Hex(0xEBD6A0);
    s.hills = 260;
    s.hillScale = 5200;
    s.water = true;
    s.waterColour = Hex(0x1479B8);
    s.pillar = Hex(0xD9C9A8);
    s.farLow = Hex(0xB48A4C);
    s.farHigh = Hex(0x8C8A52);
    s.farCap = Hex(0xD7B77A);
    s.farHeight = 2600;
    return s;
}

PlaceStyle Niseko() {
    PlaceStyle s{};
    s.place = Place::Niseko;
    s.code = "NSK";
    s.seed = 23;
    s.sky.zenith = Hex(0x5E8FC8);
    s.sky.horizon = Hex(0xDCE8F2);
    s.sky.below = Hex(0xE8EEF4);
    s.sky.gradientPower = 0.6f;
    s.sky.sun = Toward(515.515f, -722.43f, -2578.74f);
    s.sky.sunColour = Hex(0xFFF8EC);
    s.sky.sunGlow = 0.4f;
    s.sky.cloudCover = 0.5f;
    s.sky.cloudLit = Hex(0xFFFFFF);
    s.sky.cloudShade = Hex(0xA9B4C6);
    s.sky.cloudScale = 2.0f;
    s.sky.seed = 202;
    s.rampFloor = 0.58f;
    s.rampBands = 3;
    s.asphalt = Hex(0x4A4D57);
    s.line = Hex(0xF2F6FA);
    s.kerbA = Hex(0x2A66C8);
    s.kerbB = Hex(0xF2F6FA);
    s.verge = Hex(0xE6EDF4);
    s.refill = Hex(0x45C6E8);
    s.wallA = Hex(0xC8352E);
    s.wallB = Hex(0xF4F6F8);
    s.wallTop = Hex(0xF4F6F8);
    s.wallHeight = 34;
    s.startLine = Hex(0x2A66C8);
    s.ground = Hex(0xF1F5FA);
    s.groundAlt = Hex(0xD3DEEA);
    s.shore = Hex(0xC8D4E2);
    s.hills = 520;
    s.hillScale = 4200;
    s.water = false;
    s.pillar = Hex(0x9AA2AE);
    s.farLow = Hex(0x5E6A80);
    s.farHigh = Hex(0x8C9AB2);
    s.farCap = Hex(0xF7FAFF);
    s.farHeight = 5200;
    return s;
}

PlaceStyle Berlin() {
    PlaceStyle s{};
    s.place = Place::Berlin;
    s.code = "BER";
    s.seed = 37;
    s.sky.zenith = Hex(0x1E1F4A);
    s.sky.horizon = Hex(0xF08A4B);
    s.sky.below = Hex(0x3A2A40);
    s.sky.gradientPower = 0.35f;
    s.sky.sun = Normalise(V3{0.8f, 0.03f, -0.6f});
    s.sky.sunColour = Hex(0xFFB060);
    s.sky.sunGlow = 0.8f;
    s.sky.sunDisc = 0.045f;
    s.sky.glow = Hex(0xFF7A3C);
    s.sky.glowBand = 0.65f;
    s.sky.cloudCover = 0.35f;
    s.sky.cloudLit = Hex(0xF79A6A);
    s.sky.cloudShade = Hex(0x4A3558);
    s.sky.cloudScale = 1.6f;
    s.sky.stars = 0.6f;
    s.sky.seed = 303;
    s.rampFloor = 0.42f;
    s.rampBands = 2;
    s.asphalt = Hex(0x3E3D44);
    s.line = Hex(0xF2E9C8);
    s.kerbA = Hex(0xE8C21C);
    s.kerbB = Hex(0x2A2A2E);
    s.verge = Hex(0x77777C);
    s.refill = Hex(0x38D0C0);
    s.wallA = Hex(0xA7A7AA);
    s.wallB = Hex(0x8E8E93);
    s.wallTop = Hex(0xFFC24A);
    s.wallTopGlows = true;
    s.wallHeight = 40;
    s.startLine = Hex(0xE8C21C);
    s.ground = Hex(0x6C6B70);
    s.groundAlt = Hex(0x5F6B55);
    s.shore = Hex(0x6C6B70);
    s.hills = 0;
    s.hillScale = 4000;
    s.water = false;
    s.pillar = Hex(0x8E8E93);
    s.farLow = Hex(0x2A2638);
    s.farHigh = Hex(0x3C3550);
    s.farCap = Hex(0xFFC86A);
    s.farHeight = 1500;
    return s;
}

PlaceStyle Qir() {
    PlaceStyle s{};
    s.place = Place::Qir;
    s.code = "QIR";
    s.seed = 41;
    s.sky.zenith = Hex(0x090A24);
    s.sky.horizon = Hex(0x6A2A8A);
    s.sky.below = Hex(0x1A0E2A);
    s.sky.gradientPower = 0.4f;
    s.sky.sun = Toward(-376.443f, -174.22f, -941.804f);
    s.sky.sunColour = Hex(0xE8F0FF);
    s.sky.sunGlow = 0.25f;
    s.sky.sunDisc = 0.05f;
    s.sky.glow = Hex(0xFF3FB0);
    s.sky.glowBand = 0.55f;
    s.sky.cloudCover = 0.25f;
    s.sky.cloudLit = Hex(0x8A4AB0);
    s.sky.cloudShade = Hex(0x24183E);
    s.sky.stars = 1.0f;
    s.sky.seed = 404;
    s.rampFloor = 0.40f;
    s.rampBands = 2;
    s.asphalt = Hex(0x2C2E3C);
    s.line = Hex(0x3DF2FF);
    s.kerbA = Hex(0xFF2FA8);
    s.kerbB = Hex(0x2C2E3C);
    s.verge = Hex(0x3A3550);
    s.refill = Hex(0x3DF2FF);
    s.wallA = Hex(0x3A3F58);
    s.wallB = Hex(0x2E3248);
    s.wallTop = Hex(0x3DF2FF);
    s.wallTopGlows = true;
    s.wallHeight = 42;
    s.startLine = Hex(0xFF2FA8);
    s.ground = Hex(0x24243A);
    s.groundAlt = Hex(0x2E2A48);
    s.shore = Hex(0x24243A);
    s.hills = 0;
    s.hillScale = 4000;
    s.water = false;
    s.elevateAbove = 45;
    s.pillar = Hex(0x565C78);
    s.farLow = Hex(0x1A1830);
    s.farHigh = Hex(0x2A2648);
    s.farCap = Hex(0xFF3FB0);
    s.farHeight = 4200;
    return s;
}

PlaceStyle Sydney() {
    PlaceStyle s{};
    s.place = Place::Sydney;
    s.code = "SYD";
    s.seed = 53;
    s.sky.zenith = Hex(0x1C6BD8);
    s.sky.horizon = Hex(0xBFE2F6);
    s.sky.below = Hex(0xCDE6F2);
    s.sky.gradientPower = 0.5f;
    s.sky.sun = Toward(-2447.46f, -2277.27f, 650.144f);
    s.sky.sunColour = Hex(0xFFFBEA);
    s.sky.sunGlow = 0.5f;
    s.sky.cloudCover = 0.32f;
    s.sky.cloudLit = Hex(0xFFFFFF);
    s.sky.cloudShade = Hex(0xB6C4D6);
    s.sky.cloudScale = 3.0f;
    s.sky.seed = 505;
    s.rampFloor = 0.5f;
    s.rampBands = 3;
    s.asphalt = Hex(0x4E5058);
    s.line = Hex(0xFFFFFF);
    s.kerbA = Hex(0x1F5FD0);
    s.kerbB = Hex(0xFFFFFF);
    s.verge = Hex(0x6FAE4A);
    s.refill = Hex(0xF4C430);
    s.wallA = Hex(0xFFFFFF);
    s.wallB = Hex(0x1F5FD0);
    s.wallTop = Hex(0xF4C430);
    s.wallHeight = 36;
    s.startLine = Hex(0x1F5FD0);
    s.ground = Hex(0x5E9E44);
    s.groundAlt = Hex(0x7EB552);
    s.shore = Hex(0xE8DCB0);
    s.hills = 180;
    s.hillScale = 5000;
    s.water = true;
    s.waterColour = Hex(0x1560B0);
    s.elevateAbove = 70;
    s.pillar = Hex(0xA8AEB8);
    s.farLow = Hex(0x4E7A54);
    s.farHigh = Hex(0x6E9468);
    s.farCap = Hex(0x8EA886);
    s.farHeight = 1800;
    return s;
}

PlaceStyle Canada() {
    PlaceStyle s{};
    s.place = Place::Canada;
    s.code = "CND";
    s.seed = 67;
    s.sky.zenith = Hex(0x3C78C8);
    s.sky.horizon = Hex(0xF2DCC0);
    s.sky.below = Hex(0xE0CDB4);
    s.sky.gradientPower = 0.5f;
    s.sky.sun = Toward(562.46f, -135.91f, -117.29f);
    s.sky.sunColour = Hex(0xFFD9A0);
    s.sky.sunGlow = 0.7f;
    s.sky.glow = Hex(0xFFB070);
    s.sky.glowBand = 0.25f;
    s.sky.cloudCover = 0.38f;
    s.sky.cloudLit = Hex(0xFFF1E0);
    s.sky.cloudShade = Hex(0xB0A4A8);
    s.sky.seed = 606;
    s.rampFloor = 0.46f;
    s.rampBands = 3;
    s.asphalt = Hex(0x4F4E52);
    s.line = Hex(0xF8F4EA);
    s.kerbA = Hex(0xC8281E);
    s.kerbB = Hex(0xF8F4EA);
    s.verge = Hex(0x8C7A3C);
    s.refill = Hex(0x30B6E0);
    s.wallA = Hex(0xF8F4EA);
    s.wallB = Hex(0xC8281E);
    s.wallTop = Hex(0x2E6B38);
    s.wallHeight = 36;
    s.startLine = Hex(0xC8281E);
    s.ground = Hex(0x8E8A3A);
    s.groundAlt = Hex(0xA4782E);
    s.shore = Hex(0x8C8676);
    s.hills = 340;
    s.hillScale = 4600;
    s.water = true;
    s.waterColour = Hex(0x1E5C8E);
    s.pillar = Hex(0x8C8676);
    s.farLow = Hex(0x9A8E84);
    s.farHigh = Hex(0x8A4A26);
    s.farCap = Hex(0xB0A8A0);
    s.farHeight = 3400;
    return s;
}

}  // namespace

const PlaceStyle& GetPlaceStyle(int courseId) {
    static const PlaceStyle kStyles[6] = {Barcelona(), Niseko(), Berlin(), Qir(), Sydney(), Canada()};
    int i = courseId >= 8 ? courseId - 8 : courseId - 2;
    if (i < 0 || i >= 6) i = 0;
    return kStyles[i];
}

}  // namespace contentgen
