// TextureSetsParts.cpp -- texture catalogues of machines, cockpits, the map display, shared effects and tests.
#include <algorithm>
#include <cmath>
#include <map>

#include "kit/TexturePaint.h"
#include "tables/TextureSets.h"

namespace contentgen {

namespace {

using art::Canvas;
using art::Rgb;

// Colours of a machine or cockpit family, and the racing number of its first machine.
struct Family {
    std::uint32_t body, stripe, accent;
    int number;
    int livery;  // livery style
    int emblem;  // emblem shape
};

// By the family code in a prefix ("M_TRV", "F_BLM"): each family its own colours;
// the variants of a family share them with the stripe and body swapped.
Family FamilyOf(const std::string& prefix) {
    static const std::map<std::string, Family> kFamilies = {
        {"TRV", {0xC8202A, 0xF4F4F4, 0x1A1A1A, 1, 0, 0}},  {"BLM", {0x1F4FB5, 0xC8CCD2, 0xF2C230, 2, 1, 1}},
        {"QSJ", {0xF2C230, 0x1A1A1A, 0xC8202A, 3, 2, 2}},  {"QSM", {0x1A1A1A, 0xF2C230, 0xC8202A, 4, 2, 2}},
        {"QSA", {0xF2C230, 0x1A1A1A, 0xC8202A, 3, 2, 2}},  {"DVR", {0x2E9E5B, 0x2A2C30, 0xE8E8E8, 5, 3, 3}},
        {"DVS", {0x2A2C30, 0x2E9E5B, 0xE8E8E8, 6, 3, 3}},  {"DRV", {0x2E9E5B, 0x2A2C30, 0xE8E8E8, 5, 3, 3}},
        {"OLE", {0xF07A1A, 0x1A2A5A, 0xF4F4F4, 7, 1, 4}},  {"OLL", {0x1A2A5A, 0xF07A1A, 0xF4F4F4, 8, 1, 4}},
        {"OLV", {0xF07A1A, 0x1A2A5A, 0xF4F4F4, 7, 1, 4}},  {"PRN", {0x6A3FB5, 0xD8B040, 0xF4F4F4, 9, 0, 5}},
        {"CSK", {0x1FA6A6, 0xF4F4F4, 0x1A1A1A, 10, 3, 0}}, {"CSS", {0xF4F4F4, 0x1FA6A6, 0x1A1A1A, 11, 3, 0}},
        {"FND", {0x3A3C42, 0xA8E030, 0xF4F4F4, 12, 2, 1}},
    };
    const std::string code = prefix.size() >= 5 ? prefix.substr(2, 3) : prefix;
    const auto it = kFamilies.find(code);
    return it != kFamilies.end() ? it->second : Family{0x8A8A8A, 0xF4F4F4, 0x1A1A1A, 0, 0, 0};
}

}  // namespace

std::vector<TextureJob> MachineTextures(const std::string& prefix) {
    using namespace paint;
    TextureCatalogue k(prefix);
    const Family f = FamilyOf(prefix);
    const std::uint32_t s = k.SeedOf("machine");
    k.Add("livery", 128,
          [=](Canvas& c) { Livery(c, Rgb(f.body), Rgb(f.stripe), Rgb(f.accent), f.number, f.livery, s + 1); });
    k.Add("carbon", 64, [=](Canvas& c) { Carbon(c, Rgb(0x50545E)); });
    k.Add("canopy_ALPHA", 64, [=](Canvas& c) { Glass(c, art::Mix(Rgb(0x202838), Rgb(f.body), 0.2f), s + 3); });
    k.Add("tyre_tread", 64, [=](Canvas& c) { TyreTread(c, Rgb(0x2A2A2C), s + 4); });
    k.Add("tyre_side_ALPHA", 64, [=](Canvas& c) { TyreSide(c, Rgb(0x2A2A2C), Rgb(f.stripe)); });
    k.Add("rim_ALPHA", 64, [=](Canvas& c) { Rim(c, Rgb(0xC8CCD2), 5 + (f.number % 3)); });
    k.Add("headlight", 64, [=](Canvas& c) { Lens(c, Rgb(0xF8FAFF), Rgb(0xB8BCC4)); });
    k.Add("taillight", 64, [=](Canvas& c) { Lens(c, Rgb(0xFF2A1A), Rgb(0x8A2A2A)); });
    k.Add("nozzle", 64, [=](Canvas& c) { Nozzle(c, Rgb(0x9AA0A8)); });
    k.Add("intake_grille_ALPHA", 64, [=](Canvas& c) { Mesh(c, Rgb(0x3A3C40), 1, s + 10); });
    k.Add("emblem_ALPHA", 64, [=](Canvas& c) { Emblem(c, Rgb(f.stripe), Rgb(f.body), f.emblem); });
    // Five team colours with the family's stripes and numbers of their own.
    static const std::uint32_t kTeams[4] = {0x1F4FB5, 0xF2C230, 0x2E9E5B, 0xEDEDED};
    for (int t = 0; t < 4; ++t)
        k.Add("livery_team" + std::to_string(t + 2), 128, [=](Canvas& c) {
            Livery(c, Rgb(kTeams[t] == f.body ? 0xC8202A : kTeams[t]), Rgb(f.stripe), Rgb(f.accent),
                   f.number + 20 * (t + 1), f.livery, s + 12 + t);
        });
    k.Add("chrome", 64, [=](Canvas& c) { Metal(c, Rgb(0xD8DCE2), 0, s + 16); });
    k.Add("underbody", 64, [=](Canvas& c) { Metal(c, Rgb(0x3A3C40), 1, s + 17); });
    k.Add("wing_panel", 64, [=](Canvas& c) { Metal(c, Rgb(f.body), 4, s + 18); });
    k.Add("boost_flame_ALPHA", 64, [=](Canvas& c) { Flame(c, Rgb(0xE8F4FF), Rgb(0x3A7AFF), s + 19); });
    k.Add("cockpit_trim", 64, [=](Canvas& c) { Leather(c, Rgb(0x2A2A2E), Rgb(f.body), s + 20); });
    k.Add("stripe_decal", 64, [=](Canvas& c) { Hazard(c, Rgb(f.stripe), Rgb(f.body), 3); });
    return k.Take();
}

std::vector<TextureJob> CockpitTextures(const std::string& prefix) {
    using namespace paint;
    TextureCatalogue k(prefix);
    const Family f = FamilyOf(prefix);
    const std::uint32_t s = k.SeedOf("cockpit");
    k.Add("gauge_speed_ALPHA", 128, [=](Canvas& c) { Gauge(c, Rgb(0x14161A), Rgb(0xF0F0F0), Rgb(f.body), 0); });
    k.Add("needle_ALPHA", 32, 64, [=](Canvas& c) { Needle(c, Rgb(f.body == 0xC8202A ? 0xF2C230 : 0xE8302A)); });
    k.Add("digits", 128, 32,
          [=](Canvas& c) { DigitStrip(c, Rgb(f.stripe == 0x1A1A1A ? 0xF2C230 : f.stripe), Rgb(0x0A0A0C)); });
    k.Add("gauge_rev_ALPHA", 128, [=](Canvas& c) { Gauge(c, Rgb(0x1A1C22), Rgb(0xE8E8E8), Rgb(0xE8302A), 2); });
    k.Add("dash_carbon", 64, [=](Canvas& c) { Carbon(c, art::Mix(Rgb(0x4A4E58), Rgb(f.body), 0.15f)); });
    k.Add("warning_lamps", 64, 32, [=](Canvas& c) { WarningLamps(c, Rgb(0x1A1A1E), s + 6); });
    k.Add("screen", 64, [=](Canvas& c) { Screen(c, Rgb(0x081018), Rgb(f.stripe), Rgb(f.body), s + 7); });
    k.Add("switches", 64, [=](Canvas& c) { Switches(c, Rgb(0x2A2C32), Rgb(f.body), s + 8); });
    k.Add("seat_leather", 64, [=](Canvas& c) { Leather(c, Rgb(0x24242A), Rgb(f.body), s + 9); });
    k.Add("gauge_boost_ALPHA", 128, [=](Canvas& c) { Gauge(c, Rgb(0x101418), Rgb(0x8AE0FF), Rgb(f.body), 1); });
    k.Add("shift_lights", 64, 16, [=](Canvas& c) { LightPanel(c, Rgb(f.body), Rgb(0x101012), 8, 1, 0.7f, s + 11); });
    k.Add("hud_frame", 64, [=](Canvas& c) { PanelLabel(c, Rgb(0x1E2228), Rgb(f.stripe), s + 12); });
    k.Add("wheel_grip", 64, [=](Canvas& c) { Leather(c, Rgb(0x18181C), Rgb(0x5A5A60), s + 13); });
    k.Add("mirror_frame", 64, [=](Canvas& c) { Metal(c, Rgb(0x4A4E56), 0, s + 14); });
    return k.Take();
}

std::vector<TextureJob> MapTextures(const std::string& prefix) {
    using namespace paint;
    TextureCatalogue k(prefix);
    const std::uint32_t s = k.SeedOf("map");
    k.Add("map_grid", 64, [=](Canvas& c) { Screen(c, Rgb(0x0A1420), Rgb(0x2A6A9A), Rgb(0x1A3A5A), s + 1); });
    k.Add("map_line_ALPHA", 32, [=](Canvas& c) { MapLine(c, Rgb(0x2FE6FF)); });
    k.Add("marker_player_ALPHA", 32, [=](Canvas& c) { Marker(c, Rgb(0xF2C230), 0); });
    k.Add("marker_rival_ALPHA", 32, [=](Canvas& c) { Marker(c, Rgb(0xE8302A), 1); });
    k.Add("marker_goal", 32, [=](Canvas& c) { Marker(c, Rgb(0xF4F4F4), 2); });
    k.Add("mirror_mask_ALPHA", 128, 32, [=](Canvas& c) {
        c.Paint([](int x, int y, float, float) {
            const float dx = std::max(0.0f, std::fabs(x + 0.5f - 64) - 48),
                        dy = std::max(0.0f, std::fabs(y + 0.5f - 16) - 0);
            const float d = std::sqrt(dx * dx + dy * dy);
            return art::Colour{0.1f, 0.1f, 0.12f, art::Clamp01(16 - d)};
        });
    });
    k.Add("layout_base", 64, [=](Canvas& c) { PanelLabel(c, Rgb(0x141A22), Rgb(0x2FE6FF), s + 7); });
    k.Add("mirror_frame", 64, [=](Canvas& c) { Metal(c, Rgb(0x3A3E46), 4, s + 8); });
    k.Add("map_start", 64, [=](Canvas& c) { Checker(c, Rgb(0xF4F4F4), Rgb(0x202428), 8); });
    k.Add("panel_glass_ALPHA", 64, [=](Canvas& c) { Glass(c, Rgb(0x1A3A5A), s + 10); });
    return k.Take();
}

std::vector<TextureJob> CommonTextures(const std::string& prefix) {
    using namespace paint;
    TextureCatalogue k(prefix);
    const std::uint32_t s = k.SeedOf("common");
    k.Add("shadow_ALPHA", 64, [=](Canvas& c) { Shadow(c); });
    k.Add("noise", 64, [=](Canvas& c) {
        c.Paint([=](int, int, float u, float v) {
            const float n = art::Fbm(u, v, 4, 5, s + 1);
            return art::Colour{n, n, n, 1};
        });
    });
    k.Add("glow_ALPHA", 64, [=](Canvas& c) { Glow(c, Rgb(0xFFFFFF), 1.2f); });
    k.Add("flare_ALPHA", 64, [=](Canvas& c) {
        Glow(c, Rgb(0xFFF0D0), 3.0f);
        for (int a = 0; a < 4; ++a)
            c.Line(32, 32, 32 + 30 * (a % 2 ? 1.0f : 0.0f) * (a < 2 ? 1 : -1),
                   32 + 30 * (a % 2 ? 0.0f : 1.0f) * (a < 2 ? 1 : -1), 1.5f, Rgb(0xFFFFFF, 0.6f));
    });
    k.Add("road_dirt", 64, [=](Canvas& c) { Dirt(c, Rgb(0x6A5A48), s + 5); });
    k.Add("scratches", 64, [=](Canvas& c) { Metal(c, Rgb(0x9A9EA4), 0, s + 6); });
    k.Add("env_reflect", 64, [=](Canvas& c) {
        c.Paint([](int, int, float, float v) {
            return art::Mix(Rgb(0x5A8AC8), Rgb(0x3A3A3A), art::SmoothStep(0.45f, 0.55f, v));
        });
    });
    return k.Take();
}

std::vector<TextureJob> EffectTextures(const std::string& prefix) {
    TextureCatalogue k(prefix);
    const std::uint32_t s = k.SeedOf("effect");
    k.Add("boost_flame_ALPHA", 64, [=](Canvas& c) { paint::Flame(c, Rgb(0xFFFFFF), Rgb(0xFF7A1A), s); });
    k.Add("boost_ring_ALPHA", 64, [=](Canvas& c) {
        c.Fill(art::WithAlpha(Rgb(0x8AC8FF), 0));
        c.Ring(32, 32, 20, 28, Rgb(0x8AC8FF, 0.8f));
    });
    return k.Take();
}

std::vector<TextureJob> TestTextures(const std::string& prefix) {
    TextureCatalogue k(prefix);
    static const char* const kNames[] = {"uv_grid", "colour_bars", "checker",         "gradient",
                                         "rings",   "stripes",     "alpha_ramp_ALPHA"};
    for (int i = 0; i < 7; ++i) k.Add(kNames[i], 64, [i](Canvas& c) { paint::TestPattern(c, i); });
    k.Add("crate", 64, [](Canvas& c) { paint::Wood(c, Rgb(0xA8804A), 4, 7); });
    return k.Take();
}

}  // namespace contentgen
