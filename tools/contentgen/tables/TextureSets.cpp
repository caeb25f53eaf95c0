// TextureSets.cpp -- the places of the circuits and the garage, their texture catalogues and the named textures.
#include "tables/TextureSets.h"

#include <cmath>
#include <map>

#include "kit/TexturePaint.h"
#include "menu/TestArt.h"

namespace contentgen {

namespace {

using art::Canvas;
using art::Colour;
using art::Rgb;
using paint::Tree;

// The look of one place: every colour its textures draw with.
struct Place {
    std::uint32_t asphalt, kerbA, kerbB, linePaint, verge, runoff, rock, moss, leaf, leafShade, water, shallow, wall,
        glass, lit, stand, accent, accent2;
    int vergeKind;   // 0 grass, 1 sand, 2 snow
    int farHorizon;  // horizon styles of Horizon()
    int nearHorizon;
    float litShare;  // lit windows at this time of day
    paint::Sky sky;
    std::uint32_t shadow, light;  // the light ramp
};

const std::map<std::string, Place>& Places() {
    static const std::map<std::string, Place> kPlaces = {
        {"niseko",
         {0x4A4E55,
          0xC8202A,
          0xF2F2F2,
          0xF4F4F4,
          0xE6EEF4,
          0x8E8A84,
          0x6E7780,
          0x5E7A5A,
          0x2E6A42,
          0x17382A,
          0x3C6E90,
          0x8FB8CC,
          0x9A7A5A,
          0x6A8AA8,
          0xFFD890,
          0x2F6FB0,
          0x3A7BD5,
          0xC8202A,
          2,
          0,
          1,
          0.2f,
          {Rgb(0x5B8FD0), Rgb(0xDCE8F2), Rgb(0xE8EEF2), Rgb(0xFFFFFF), Rgb(0xFFF6E0), 0.45f, 0.35f, 0.8f},
          0x6070A0,
          0xF4F8FF}},
        {"spain",
         {0x55504A,
          0xC8102E,
          0xFFC400,
          0xF4F0E6,
          0xB9A35A,
          0xD8B26E,
          0xB89A70,
          0x7A8F3A,
          0x4F8A32,
          0x24461A,
          0x1F6FA8,
          0x4FB0C8,
          0xC9853F,
          0x3A6A8A,
          0xFFE0A0,
          0xD69A3A,
          0xE8B22E,
          0xC8102E,
          1,
          3,
          3,
          0.05f,
          {Rgb(0x2F6FC0), Rgb(0xF2D6A8), Rgb(0x2A6A9A), Rgb(0xFFF8EE), Rgb(0xFFE8B0), 0.2f, 0.55f, 2.2f},
          0x806050,
          0xFFF0D0}},
        {"berlin",
         {0x3B3B40,
          0xD01E1E,
          0xF0F0F0,
          0xE8E8E0,
          0x4F6B3A,
          0x8A8478,
          0x7A7670,
          0x4A5A3A,
          0x3F6A30,
          0x1C3416,
          0x3A3A5A,
          0x6A5A7A,
          0x8A8A88,
          0x2A3040,
          0xFFC070,
          0x5A5A66,
          0xFFB347,
          0x7A3FA0,
          0,
          2,
          2,
          0.55f,
          {Rgb(0x2B2450), Rgb(0xF08A4B), Rgb(0x3A3440), Rgb(0xB07090), Rgb(0xFFB060), 0.5f, 0.03f, 3.6f},
          0x503060,
          0xFFB070}},
        {"qir",
         {0x2D3340,
          0xFF2FA0,
          0x2FE6FF,
          0xE0F8FF,
          0x3A4A3A,
          0x5A5A66,
          0x4A4E5A,
          0x3A5A4A,
          0xF2A0C8,
          0x8A3A6A,
          0x10203A,
          0x2A5A8A,
          0x1B2233,
          0x2A3A6A,
          0xFF60C0,
          0x30304A,
          0x2FE6FF,
          0xFF2FA0,
          0,
          2,
          2,
          0.7f,
          {Rgb(0x070A22), Rgb(0x6A1B6E), Rgb(0x101020), Rgb(0x3A2A60), Rgb(0xD0D8FF), 0.35f, 0.4f, 5.0f},
          0x402070,
          0xC0E0FF}},
        {"sydney",
         {0x505560,
          0x00843D,
          0xFFCD00,
          0xF8F8F8,
          0x5F9A3C,
          0xE8D8A8,
          0xC8A070,
          0x6A8A4A,
          0x6A9A6A,
          0x2A4A3A,
          0x1C75BC,
          0x4FB8E0,
          0xF2F2EE,
          0x5A8AB0,
          0xFFF0C0,
          0x2A5AA8,
          0x00843D,
          0xFFCD00,
          0,
          3,
          2,
          0.1f,
          {Rgb(0x1E6FD0), Rgb(0xBFE0F5), Rgb(0x1C75BC), Rgb(0xFFFFFF), Rgb(0xFFFBE8), 0.3f, 0.6f, 1.2f},
          0x607080,
          0xFFFFF0}},
        {"canada",
         {0x4D4A48,
          0xD52B1E,
          0xF4F4F4,
          0xF4F4EC,
          0x6B7F3A,
          0x8A7A62,
          0x8C8078,
          0x4A6A34,
          0xD9641E,
          0x7A2A12,
          0x2F5D7C,
          0x5A8AA0,
          0x8A3A2A,
          0x4A6A7A,
          0xFFD890,
          0x7A4A2A,
          0xE8B030,
          0xD52B1E,
          0,
          0,
          1,
          0.1f,
          {Rgb(0x6F9FD0), Rgb(0xF0D8B0), Rgb(0x3A4A30), Rgb(0xF8F0E8), Rgb(0xFFD890), 0.5f, 0.25f, 0.3f},
          0x604830,
          0xFFE0A0}},
        {"garage",
         {0x3A3C40,
          0xE8E8E8,
          0x202020,
          0xF2C230,
          0x6A6E74,
          0x8A8E94,
          0x7A7A7A,
          0x5A6A5A,
          0x4A7A4A,
          0x1A3A1A,
          0x2A4A6A,
          0x4A7AAA,
          0xB8BCC2,
          0x5A7A9A,
          0xFFFFFF,
          0x2A2C30,
          0xF2C230,
          0xC8202A,
          0,
          2,
          2,
          0.6f,
          {Rgb(0x404448), Rgb(0x8A8E94), Rgb(0x2A2C30), Rgb(0x9A9EA4), Rgb(0xFFFFFF), 0.0f, 0.9f, 0.0f},
          0x505050,
          0xFFFFFF}},
    };
    return kPlaces;
}

// What every circuit has: road, kerbs, verges, barriers, stands, gantry, signs, far scenery.
void TrackTextures(TextureCatalogue& k, const Place& p) {
    using namespace paint;
    const Colour asphalt = Rgb(p.asphalt), line = Rgb(p.linePaint);
    const std::uint32_t s = k.SeedOf("track");
    k.Add("road_asphalt", 128, [=](Canvas& c) { Asphalt(c, asphalt, 0.3f, s + 1); });
    k.Add("road_asphalt_worn", 128, [=](Canvas& c) { Asphalt(c, art::Shade(asphalt, 0.92f), 1.0f, s + 2); });
    k.Add("road_patched", 128, [=](Canvas& c) {
        Asphalt(c, asphalt, 0.6f, s + 3);
        art::Rng r(s + 3);
        for (int i = 0; i < 4; ++i) {
            const int x = r.Int(0, 96), y = r.Int(0, 96), w = r.Int(16, 40), h = r.Int(10, 30);
            c.Rect(x, y, x + w, y + h, art::WithAlpha(art::Shade(asphalt, 0.7f), 0.85f));
        }
    });
    k.Add("road_edge_line", 128, [=](Canvas& c) { RoadMarks(c, asphalt, line, 0, s + 4); });
    k.Add("road_centre_dash", 128, [=](Canvas& c) { RoadMarks(c, asphalt, line, 1, s + 5); });
    k.Add("road_start_line", 128, [=](Canvas& c) { RoadMarks(c, asphalt, line, 2, s + 6); });
    k.Add("road_grid_box", 128, [=](Canvas& c) { RoadMarks(c, asphalt, line, 3, s + 7); });
    k.Add("road_pit_lane", 128, [=](Canvas& c) { RoadMarks(c, asphalt, line, 4, s + 8); });
    k.Add("road_arrows", 128, [=](Canvas& c) { RoadMarks(c, asphalt, Rgb(p.accent), 5, s + 9); });
    k.Add("kerb_blocks", 64, [=](Canvas& c) { Kerb(c, Rgb(p.kerbA), Rgb(p.kerbB), 0, s + 10); });
    k.Add("kerb_rumble", 64, [=](Canvas& c) { Kerb(c, Rgb(p.kerbA), Rgb(p.kerbB), 1, s + 11); });
    k.Add("verge", 128, [=](Canvas& c) {
        if (p.vergeKind == 2)
            Snow(c, Rgb(0xB8CCE0), 0, s + 12);
        else if (p.vergeKind == 1)
            Sand(c, Rgb(p.verge), false, s + 12);
        else
            Grass(c, Rgb(p.verge), false, s + 12);
    });
    k.Add("verge_kept", 128, [=](Canvas& c) {
        if (p.vergeKind == 2)
            Snow(c, Rgb(0xA8C0D8), 2, s + 13);
        else if (p.vergeKind == 1)
            Grass(c, Rgb(0x8A9A4A), true, s + 13);
        else
            Grass(c, Rgb(p.verge), true, s + 13);
    });
    k.Add("runoff_gravel", 128, [=](Canvas& c) { Gravel(c, Rgb(p.runoff), s + 14); });
    k.Add("service_road_dirt", 64, [=](Canvas& c) { Dirt(c, art::Shade(Rgb(p.runoff), 0.7f), s + 15); });
    k.Add("barrier_armco", 64, [=](Canvas& c) { Armco(c, Rgb(0xA8AEB4), s + 16); });
    k.Add("barrier_tyres", 64, [=](Canvas& c) { TyreWall(c, Rgb(p.kerbA), s + 17); });
    k.Add("barrier_concrete", 64, [=](Canvas& c) { StripedBarrier(c, Rgb(p.kerbA), Rgb(p.kerbB), s + 18); });
    k.Add("catch_fence_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0x9AA0A6), 0, s + 19); });
    k.Add("stand_seats", 64, [=](Canvas& c) { Seats(c, Rgb(p.stand), Rgb(0x9A9A98), s + 20); });
    k.Add("stand_crowd", 128, [=](Canvas& c) { Crowd(c, Rgb(p.stand), s + 21); });
    k.Add("stand_roof", 64, [=](Canvas& c) { Metal(c, Rgb(p.accent), 2, s + 22); });
    k.Add("gantry_steel", 64, [=](Canvas& c) { Metal(c, Rgb(0x8A9098), 4, s + 23); });
    k.Add("gantry_truss_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0xB0B4BA), 3, s + 24); });
    k.Add("start_lights", 64, [=](Canvas& c) { LightPanel(c, Rgb(0xFF2A1A), Rgb(0x1A1A1A), 5, 2, 0.6f, s + 25); });
    const std::uint32_t inks[4][3] = {{p.accent, 0xFFFFFF, p.accent2},
                                      {0x1A1A1A, p.accent, 0xFFFFFF},
                                      {p.accent2, 0xFFFFFF, p.accent},
                                      {0xF4F4F4, p.accent2, 0x1A1A1A}};
    for (int i = 0; i < 4; ++i)
        k.Add("billboard_0" + std::to_string(i + 1), 128, 64,
              [=](Canvas& c) { Billboard(c, Rgb(inks[i][0]), Rgb(inks[i][1]), Rgb(inks[i][2]), i, s + 26 + i); });
    k.Add("banner_flags", 64, [=](Canvas& c) { Banner(c, Rgb(p.kerbA), Rgb(0xF4F4F4), Rgb(p.accent), s + 30); });
    k.Add("sign_chevrons", 64, [=](Canvas& c) { Chevrons(c, Rgb(0x1A1A1A), Rgb(p.kerbB), 3); });
    k.Add("marshal_hazard", 64, [=](Canvas& c) { Hazard(c, Rgb(0xF2C230), Rgb(0x1A1A1A), 4); });
    k.Add("pit_wall", 64, [=](Canvas& c) { Concrete(c, Rgb(0xB4B2AC), 1, s + 31); });
    k.Add("pit_building", 128,
          [=](Canvas& c) { Facade(c, Rgb(p.wall), Rgb(p.glass), Rgb(p.lit), p.litShare, 0, s + 32); });
    k.Add("lamp_glow_ALPHA", 64, [=](Canvas& c) { Glow(c, Rgb(p.lit), 1.6f); });
    k.Add("clouds_ALPHA", 128, [=](Canvas& c) { Clouds(c, p.sky.cloud, 0.45f + p.sky.cloudCover * 0.3f, s + 33); });
    k.Add("horizon_far_ALPHA", 128, 64, [=](Canvas& c) {
        Horizon(c, p.farHorizon, art::Shade(Rgb(p.rock), 0.8f), art::Mix(Rgb(p.rock), p.sky.horizon, 0.5f), Rgb(p.lit),
                s + 34);
    });
    k.Add("horizon_near_ALPHA", 128, 64, [=](Canvas& c) {
        Horizon(c, p.nearHorizon, art::Shade(Rgb(p.leafShade), 0.9f), Rgb(p.leafShade), Rgb(p.lit), s + 35);
    });
    k.Add("rock_cliff", 64, [=](Canvas& c) { Rock(c, Rgb(p.rock), Rgb(p.moss), 1, s + 36); });
    k.Add("tree_bark", 64, [=](Canvas& c) { Bark(c, Rgb(0x5A4030), false, s + 37); });
}

void PlaceTextures(TextureCatalogue& k, const std::string& theme, const Place& p) {
    using namespace paint;
    const std::uint32_t s = k.SeedOf(theme);
    if (theme == "niseko") {
        k.Add("snow_fresh", 128, [=](Canvas& c) { Snow(c, Rgb(0xB8CCE0), 0, s + 1); });
        k.Add("snow_tracks", 128, [=](Canvas& c) { Snow(c, Rgb(0xA8BCD4), 1, s + 2); });
        k.Add("snow_drift", 128, [=](Canvas& c) { Snow(c, Rgb(0x9AB4D0), 2, s + 3); });
        k.Add("ice_lake", 128, [=](Canvas& c) { Ice(c, Rgb(0x8FB8CC), s + 4); });
        k.Add("pine_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Pine, Rgb(p.leaf), Rgb(p.leafShade), s + 5); });
        k.Add("pine_snow_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::SnowPine, Rgb(p.leaf), Rgb(p.leafShade), s + 6); });
        k.Add("birch_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Birch, Rgb(0x9AAA6A), Rgb(0x4A5A2A), s + 7); });
        k.Add("birch_bark", 64, [=](Canvas& c) { Bark(c, Rgb(0xE8E2D6), true, s + 8); });
        k.Add("cabin_logs", 64, [=](Canvas& c) { Wood(c, Rgb(0x8A5A34), 6, s + 9); });
        k.Add("cabin_roof", 64, [=](Canvas& c) { Metal(c, Rgb(0x9A2A22), 2, s + 10); });
        k.Add("lift_steel", 64, [=](Canvas& c) { Metal(c, Rgb(0x7A8088), 3, s + 11); });
        k.Add("shrine_lacquer", 64, [=](Canvas& c) { Wood(c, Rgb(0xC8302A), 2, s + 12); });
        k.Add("stone_lantern", 64, [=](Canvas& c) { Rock(c, Rgb(0x9A9890), Rgb(p.moss), 2, s + 13); });
        k.Add("snow_fence_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0xF07A1A), 0, s + 14); });
        k.Add("hot_spring", 64, [=](Canvas& c) { Water(c, Rgb(0x3A7A8A), Rgb(0x9AD0D0), 0.02f, s + 15); });
    } else if (theme == "spain") {
        k.Add("sand_beach", 128, [=](Canvas& c) { Sand(c, Rgb(0xE8CE94), true, s + 1); });
        k.Add("sea_water", 128, [=](Canvas& c) { Water(c, Rgb(p.water), Rgb(p.shallow), 0.04f, s + 2); });
        k.Add("sea_foam_ALPHA", 64, [=](Canvas& c) { Foam(c, Rgb(0xE8F4F8), s + 3); });
        k.Add("palm_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Palm, Rgb(p.leaf), Rgb(p.leafShade), s + 4); });
        k.Add("palm_trunk", 64, [=](Canvas& c) { Bark(c, Rgb(0x8A6A45), false, s + 5); });
        k.Add("cypress_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Cypress, Rgb(0x3A5A2A), Rgb(0x1A2A12), s + 6); });
        k.Add("olive_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Bush, Rgb(0x8A9A6A), Rgb(0x4A5A3A), s + 7); });
        k.Add("terracotta_roof", 64, [=](Canvas& c) { RoofTiles(c, Rgb(0xB5532F), s + 8); });
        k.Add("ochre_wall", 64, [=](Canvas& c) { Concrete(c, Rgb(p.wall), 3, s + 9); });
        k.Add("white_stucco", 64, [=](Canvas& c) { Concrete(c, Rgb(0xF0ECE2), 0, s + 10); });
        k.Add("mosaic_tiles", 64,
              [=](Canvas& c) { Tiles(c, Rgb(0xE8E0D0), Rgb(0xE8E0D0), Rgb(0xD8D0C0), 6, 2, s + 11); });
        k.Add("awning_stripes", 64, [=](Canvas& c) { Fabric(c, Rgb(0xF4F0E6), Rgb(p.kerbA), 6, s + 12); });
        k.Add("old_town_cobbles", 64, [=](Canvas& c) { Cobbles(c, Rgb(0xA89878), s + 13); });
        k.Add("harbour_stone", 64, [=](Canvas& c) { Bricks(c, Rgb(0xC8A878), Rgb(0xE0D0B0), s + 14); });
        k.Add("boat_hull", 64, [=](Canvas& c) { Wood(c, Rgb(0x2A6AA8), 5, s + 15); });
    } else if (theme == "berlin") {
        k.Add("tower_lit", 128,
              [=](Canvas& c) { Facade(c, Rgb(0x6A6A70), Rgb(0x2A3040), Rgb(p.lit), 0.65f, 0, s + 1); });
        k.Add("tower_dim", 128,
              [=](Canvas& c) { Facade(c, Rgb(0x7A7872), Rgb(0x303848), Rgb(p.lit), 0.2f, 1, s + 2); });
        k.Add("office_glass", 128,
              [=](Canvas& c) { Facade(c, Rgb(0x3A3A44), Rgb(0x4A5A8A), Rgb(p.lit), 0.4f, 2, s + 3); });
        k.Add("slab_blocks", 128,
              [=](Canvas& c) { Facade(c, Rgb(0xA8A49A), Rgb(0x303848), Rgb(p.lit), 0.45f, 3, s + 4); });
        k.Add("old_brick", 64, [=](Canvas& c) { Bricks(c, Rgb(0x8A4A32), Rgb(0x6A6660), s + 5); });
        k.Add("street_cobbles", 64, [=](Canvas& c) { Cobbles(c, Rgb(0x7A7A7A), s + 6); });
        k.Add("wall_posters", 64, [=](Canvas& c) { Poster(c, Rgb(0x8A8A88), Rgb(p.accent), Rgb(p.accent2), s + 7); });
        k.Add("tower_dome", 64, [=](Canvas& c) { Metal(c, Rgb(0xB8BCC4), 4, s + 8); });
        k.Add("rail_ballast", 64, [=](Canvas& c) { Gravel(c, Rgb(0x6A645C), s + 9); });
        k.Add("rail_sleepers", 64, [=](Canvas& c) { Wood(c, Rgb(0x4A3A2A), 4, s + 10); });
        k.Add("train_panels", 64, [=](Canvas& c) { Metal(c, Rgb(0xF2C230), 4, s + 11); });
        k.Add("street_lamp_ALPHA", 64, [=](Canvas& c) { Glow(c, Rgb(0xFFB060), 2.2f); });
        k.Add("neon_warm", 128, [=](Canvas& c) { Neon(c, Rgb(0x3A3440), Rgb(p.lit), Rgb(p.accent2), s + 13); });
        k.Add("linden_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::Broadleaf, Rgb(p.leaf), Rgb(p.leafShade), s + 14); });
        k.Add("river_dusk", 128, [=](Canvas& c) { Water(c, Rgb(0x2A2A4A), Rgb(0x8A5A6A), 0.03f, s + 15); });
    } else if (theme == "qir") {
        k.Add("neon_magenta", 128, [=](Canvas& c) { Neon(c, Rgb(0x1B2233), Rgb(0xFF2FA0), Rgb(0xFFE040), s + 1); });
        k.Add("neon_cyan", 128, [=](Canvas& c) { Neon(c, Rgb(0x151A2A), Rgb(0x2FE6FF), Rgb(0x8A4AFF), s + 2); });
        k.Add("glass_tower_blue", 128,
              [=](Canvas& c) { Facade(c, Rgb(0x202838), Rgb(0x2A4A8A), Rgb(0x8AE0FF), 0.5f, 2, s + 3); });
        k.Add("glass_tower_violet", 128,
              [=](Canvas& c) { Facade(c, Rgb(0x281E38), Rgb(0x5A2A8A), Rgb(0xFF80E0), 0.5f, 2, s + 4); });
        k.Add("led_wall", 64, [=](Canvas& c) { LightPanel(c, Rgb(p.accent), Rgb(0x101018), 12, 12, 0.55f, s + 5); });
        k.Add("hologram_ALPHA", 64, [=](Canvas& c) { Hologram(c, Rgb(p.accent), s + 6); });
        k.Add("skyway_concrete", 128, [=](Canvas& c) { Concrete(c, Rgb(0x8A8C94), 1, s + 7); });
        k.Add("skyway_pillar", 64, [=](Canvas& c) { Concrete(c, Rgb(0x7A7C84), 2, s + 8); });
        k.Add("guide_light_ALPHA", 64, [=](Canvas& c) { MapLine(c, Rgb(p.accent)); });
        k.Add("tech_floor", 64,
              [=](Canvas& c) { Tiles(c, Rgb(0x3A4050), Rgb(0x2A3040), Rgb(0x2FE6FF), 6, 3, s + 10); });
        k.Add("circuit_panel", 64, [=](Canvas& c) { CircuitBoard(c, Rgb(0x14202A), Rgb(0x2FE6FF), s + 11); });
        k.Add("canal_water", 128, [=](Canvas& c) { Water(c, Rgb(0x0A1430), Rgb(0x6A2A8A), 0.06f, s + 12); });
        k.Add("blossom_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::Broadleaf, Rgb(0xF8C0D8), Rgb(0xB05A8A), s + 13); });
        k.Add("paper_lantern_ALPHA", 64, [=](Canvas& c) { Lantern(c, Rgb(0xE83A2A), Rgb(0x2A1A1A)); });
        k.Add("wing_alloy", 64, [=](Canvas& c) { Metal(c, Rgb(0xDADDE2), 0, s + 15); });
    } else if (theme == "sydney") {
        k.Add("harbour_water", 128, [=](Canvas& c) { Water(c, Rgb(p.water), Rgb(p.shallow), 0.03f, s + 1); });
        k.Add("harbour_sparkle", 128, [=](Canvas& c) { Water(c, Rgb(0x1A6AB0), Rgb(0x8AD0F0), 0.2f, s + 2); });
        k.Add("sail_tiles", 64, [=](Canvas& c) { SailTiles(c, Rgb(0xF6F4EE), s + 3); });
        k.Add("sail_ribs", 64, [=](Canvas& c) { Concrete(c, Rgb(0xE8E4D8), 1, s + 4); });
        k.Add("bridge_arch_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0x6D7278), 3, s + 5); });
        k.Add("bridge_pylon", 64, [=](Canvas& c) { Bricks(c, Rgb(0xB8A88A), Rgb(0x8A8070), s + 6); });
        k.Add("sandstone", 64, [=](Canvas& c) { Rock(c, Rgb(0xD8B080), Rgb(p.moss), 1, s + 7); });
        k.Add("gum_tree_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::Broadleaf, Rgb(0x8AA88A), Rgb(0x3A5A4A), s + 8); });
        k.Add("gum_bark", 64, [=](Canvas& c) { Bark(c, Rgb(0xC8C0B0), false, s + 9); });
        k.Add("beach_sand", 128, [=](Canvas& c) { Sand(c, Rgb(0xF0E0B8), true, s + 10); });
        k.Add("boardwalk", 64, [=](Canvas& c) { Wood(c, Rgb(0xA8804A), 8, s + 11); });
        k.Add("ferry_hull", 64, [=](Canvas& c) { Metal(c, Rgb(0x1E6A3A), 4, s + 12); });
        k.Add("airship_skin", 64, [=](Canvas& c) { Fabric(c, Rgb(0xD8DCE0), Rgb(0xB8BCC4), 4, s + 13); });
        k.Add("jacaranda_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::Broadleaf, Rgb(0xA880D8), Rgb(0x5A3A8A), s + 14); });
        k.Add("park_lawn", 128, [=](Canvas& c) { Grass(c, Rgb(0x5F9A3C), true, s + 15); });
    } else if (theme == "canada") {
        k.Add("maple_red_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::Broadleaf, Rgb(0xC8301E), Rgb(0x6A1A0E), s + 1); });
        k.Add("maple_orange_ALPHA", 64,
              [=](Canvas& c) { Foliage(c, Tree::Broadleaf, Rgb(0xE87A1E), Rgb(0x8A3A0E), s + 2); });
        k.Add("birch_gold_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Birch, Rgb(0xE8B030), Rgb(0x8A6A10), s + 3); });
        k.Add("pine_dark_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Pine, Rgb(0x2D4A2A), Rgb(0x142414), s + 4); });
        k.Add("leaf_litter", 128,
              [=](Canvas& c) { LeafLitter(c, Rgb(0x6A5030), Rgb(0xC8301E), Rgb(0xE87A1E), Rgb(0xE8B030), s + 5); });
        k.Add("forest_floor", 128, [=](Canvas& c) { Rock(c, Rgb(0x5A4A32), Rgb(0x4A6A2A), 2, s + 6); });
        k.Add("lake_water", 128, [=](Canvas& c) { Water(c, Rgb(p.water), Rgb(p.shallow), 0.02f, s + 7); });
        k.Add("shore_pebbles", 64, [=](Canvas& c) { Gravel(c, Rgb(0x9A9088), s + 8); });
        k.Add("granite_cliff", 128, [=](Canvas& c) { Rock(c, Rgb(0x9A8078), Rgb(p.moss), 1, s + 9); });
        k.Add("granite_moss", 64, [=](Canvas& c) { Rock(c, Rgb(0x8C8078), Rgb(0x4A6A34), 2, s + 10); });
        k.Add("log_ends", 64, [=](Canvas& c) { Bark(c, Rgb(0x6A4A2A), false, s + 11); });
        k.Add("cabin_red", 64, [=](Canvas& c) { Wood(c, Rgb(0x8A2A1E), 7, s + 12); });
        k.Add("balloon_fabric", 64, [=](Canvas& c) { Fabric(c, Rgb(0xE8B030), Rgb(0xD52B1E), 8, s + 13); });
        k.Add("falls_foam_ALPHA", 64, [=](Canvas& c) { Foam(c, Rgb(0xD8E8F0), s + 14); });
        k.Add("fern_ALPHA", 64, [=](Canvas& c) { Foliage(c, Tree::Fern, Rgb(0x6A8A3A), Rgb(0x2A4A1A), s + 15); });
    }
}

void GarageTextures(TextureCatalogue& k, const Place& p) {
    using namespace paint;
    const std::uint32_t s = k.SeedOf("garage");
    k.Add("floor_tiles", 128, [=](Canvas& c) { Tiles(c, Rgb(0x8A8E94), Rgb(0x7A7E84), Rgb(0x4A4C50), 4, 0, s + 1); });
    k.Add("floor_gloss", 128, [=](Canvas& c) { Tiles(c, Rgb(0x2A2C30), Rgb(0x3A3C42), Rgb(0x1A1A1C), 4, 1, s + 2); });
    k.Add("floor_epoxy", 128, [=](Canvas& c) {
        Concrete(c, Rgb(0x5A6068), 0, s + 3);
        c.Rect(8, 0, 14, 128, Rgb(p.accent));
    });
    k.Add("turntable_top", 128, [=](Canvas& c) { Turntable(c, Rgb(0x4A4E54), Rgb(p.accent)); });
    k.Add("turntable_edge", 64, [=](Canvas& c) { Metal(c, Rgb(0x9AA0A8), 0, s + 5); });
    k.Add("wall_panels", 128, [=](Canvas& c) { Metal(c, Rgb(0xB8BCC2), 4, s + 6); });
    k.Add("wall_foam", 64, [=](Canvas& c) { AcousticFoam(c, Rgb(0x3A3C40)); });
    k.Add("ceiling_grid", 64, [=](Canvas& c) { Tiles(c, Rgb(0xE8E8E4), Rgb(0xDADAD6), Rgb(0x9A9A98), 2, 0, s + 8); });
    k.Add("softbox_ALPHA", 64, [=](Canvas& c) { Glow(c, Rgb(0xF8FAFF), 0.6f); });
    k.Add("spot_glow_ALPHA", 64, [=](Canvas& c) { Glow(c, Rgb(0xFFF0D0), 2.5f); });
    k.Add("light_strip_ALPHA", 64, [=](Canvas& c) { MapLine(c, Rgb(0xE8F0FF)); });
    k.Add("tool_wall", 128, [=](Canvas& c) { Pegboard(c, Rgb(0x8A6A4A), Rgb(0xC8202A), s + 12); });
    k.Add("tool_cabinet", 64, [=](Canvas& c) { Metal(c, Rgb(0xC8202A), 4, s + 13); });
    k.Add("tyre_stack", 64, [=](Canvas& c) { TyreWall(c, Rgb(p.accent), s + 14); });
    k.Add("tyre_tread", 64, [=](Canvas& c) { TyreTread(c, Rgb(0x2A2A2A), s + 15); });
    k.Add("rubber_mat", 64, [=](Canvas& c) { Metal(c, Rgb(0x2A2A2C), 1, s + 16); });
    k.Add("hazard_stripes", 64, [=](Canvas& c) { Hazard(c, Rgb(0xF2C230), Rgb(0x1A1A1A), 4); });
    for (int i = 0; i < 4; ++i) {
        static const std::uint32_t kInk[4][3] = {{0x1A2A4A, 0xF2C230, 0xC8202A},
                                                 {0xC8202A, 0xF4F4F4, 0x1A1A1A},
                                                 {0x2A2A2A, 0x2FE6FF, 0xF07A1A},
                                                 {0xF4F0E6, 0x1F4FB5, 0x2E9E5B}};
        k.Add("poster_0" + std::to_string(i + 1), 64,
              [=](Canvas& c) { Poster(c, Rgb(kInk[i][0]), Rgb(kInk[i][1]), Rgb(kInk[i][2]), s + 18 + i); });
    }
    k.Add("roller_door", 128, [=](Canvas& c) { RollerDoor(c, Rgb(0xA8ACB2), s + 22); });
    k.Add("window_frosted_ALPHA", 64, [=](Canvas& c) { Glass(c, Rgb(0xD8E4F0), s + 23); });
    k.Add("concrete_pillar", 64, [=](Canvas& c) { Concrete(c, Rgb(0xA8A6A0), 2, s + 24); });
    k.Add("steel_beam", 64, [=](Canvas& c) { Metal(c, Rgb(0x6A7078), 0, s + 25); });
    k.Add("cable_tray_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0x9AA0A6), 2, s + 26); });
    k.Add("fuel_drum", 64, [=](Canvas& c) { Metal(c, Rgb(0x1F4FB5), 2, s + 27); });
    k.Add("workbench", 64, [=](Canvas& c) { Wood(c, Rgb(0xA8804A), 4, s + 28); });
    k.Add("monitor_telemetry", 64, [=](Canvas& c) { Screen(c, Rgb(0x0A141A), Rgb(0x2FE6FF), Rgb(p.accent), s + 29); });
    k.Add("monitor_timing", 64, [=](Canvas& c) { Screen(c, Rgb(0x141008), Rgb(0xF2C230), Rgb(0xC8202A), s + 30); });
    k.Add("team_banner", 64, [=](Canvas& c) { Banner(c, Rgb(0x1A1A1A), Rgb(p.accent), Rgb(p.accent2), s + 31); });
    k.Add("carbon_panel", 64, [=](Canvas& c) { Carbon(c, Rgb(0x4A4E58)); });
    k.Add("glass_partition_ALPHA", 64, [=](Canvas& c) { Glass(c, Rgb(0x8AB0D0), s + 33); });
    k.Add("fan_grille_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0x5A5E64), 1, s + 34); });
    k.Add("air_duct", 64, [=](Canvas& c) { Metal(c, Rgb(0xC0C4CA), 2, s + 35); });
    k.Add("car_cover", 64, [=](Canvas& c) { Fabric(c, Rgb(0x2A2C34), Rgb(0x34363E), 2, s + 36); });
    k.Add("server_rack", 64, [=](Canvas& c) { LightPanel(c, Rgb(0x40FF80), Rgb(0x18181C), 8, 16, 0.35f, s + 37); });
    k.Add("extinguisher_red", 64, [=](Canvas& c) { Metal(c, Rgb(0xD01E1E), 0, s + 38); });
    k.Add("exit_sign", 64, [=](Canvas& c) { Chevrons(c, Rgb(0x1E9E4A), Rgb(0xF4F4F4), 2); });
    k.Add("drain_grate_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0x4A4A4A), 2, s + 40); });
    k.Add("floor_stains", 128, [=](Canvas& c) { Concrete(c, Rgb(0x7A7A78), 3, s + 41); });
    k.Add("wall_brick_white", 64, [=](Canvas& c) { Bricks(c, Rgb(0xE8E6E0), Rgb(0xC8C6C0), s + 42); });
    k.Add("trophy_shelf", 64, [=](Canvas& c) { Wood(c, Rgb(0x5A3A22), 3, s + 43); });
    k.Add("jack_steel", 64, [=](Canvas& c) { Metal(c, Rgb(0xD02020), 3, s + 44); });
}

}  // namespace

bool NamedTexture(const std::string& name, const std::string& kind, const std::string& theme, TextureJob& out) {
    const auto& places = Places();
    const auto it = places.find(theme);
    const Place& place = it != places.end() ? it->second : places.at("sydney");
    const std::uint32_t s = art::Seed(name.c_str());
    const Colour accent = Rgb((art::Seed(theme.c_str()) & 0x7F7F7Fu) | 0x404040u);
    out.name = name;
    if (kind == "label") {
        out.make = [=] {
            Canvas c(64, 64);
            paint::PanelLabel(c, Rgb(0x2A2E36), it != places.end() ? Rgb(place.accent) : accent, s);
            return c;
        };
    } else if (kind == "testcard") {
        out.make = [] {
            Canvas c(128, 128);
            PaintTestCard(c);
            return c;
        };
    } else if (kind == "cube") {
        out.make = [=] { return paint::SkyCube(64, place.sky, s); };
    } else if (kind == "ramp") {
        out.make = [=] { return paint::LightRamp(Rgb(place.shadow), Rgb(place.light)); };
    } else if (kind == "post") {
        out.make = [] { return paint::LightRamp(Rgb(0x000000), Rgb(0xFFFFFF)); };
    } else if (kind == "alpha") {
        out.make = [] {
            Canvas c(64, 64);
            paint::TestPattern(c, 6);
            return c;
        };
    } else if (kind == "normal") {
        out.make = [=] {
            Canvas c(64, 64);
            paint::NormalMap(c, 1, s);
            return c;
        };
    } else {
        return false;
    }
    return true;
}

std::vector<TextureJob> ThemeTextures(const std::string& theme, const std::string& prefix) {
    const auto& places = Places();
    if (theme == "garage") {
        TextureCatalogue k(prefix);
        GarageTextures(k, places.at("garage"));
        return k.Take();
    }
    if (places.count(theme)) {
        TextureCatalogue k(prefix);
        TrackTextures(k, places.at(theme));
        PlaceTextures(k, theme, places.at(theme));
        return k.Take();
    }
    if (theme == "machine") return MachineTextures(prefix);
    if (theme == "cockpit") return CockpitTextures(prefix);
    if (theme == "map") return MapTextures(prefix);
    if (theme == "common") return CommonTextures(prefix);
    if (theme == "effect") return EffectTextures(prefix);
    if (theme == "test") return TestTextures(prefix);
    return {};
}

}  // namespace contentgen
