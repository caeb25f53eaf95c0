// RaceDisplayTables.cpp -- the race display's common layout, phase tables, messages and the cockpit list.
#include "table/RaceDisplayTables.h"

#include "content_tables.h"
#include "sys/render/tmRenderLayer.h"
#include "table/HudPlane.h"

namespace {

namespace P = tmSpritePlacement;

// Every sprite of the race display is laid out for 1366 x 768 and scales with the display.
constexpr HudSpriteLayout Sprite(uint32_t sprite, float x, float y, int placement, int32_t fadeStart = 0,
                                 int32_t fadeFrames = 0) {
    return HudSpriteLayout{sprite, x, y, static_cast<uint32_t>(placement | P::kHudScaled), fadeStart, fadeFrames};
}
constexpr HudSpriteLayout Left(uint32_t sprite, float x, float y, int32_t fadeStart = 0, int32_t fadeFrames = 0) {
    return Sprite(sprite, x, y, P::kTopLeft, fadeStart, fadeFrames);
}
constexpr HudSpriteLayout Right(uint32_t sprite, float x, float y, int32_t fadeStart = 0, int32_t fadeFrames = 0) {
    return Sprite(sprite, x, y, P::kTopRight, fadeStart, fadeFrames);
}
constexpr HudSpriteLayout Centre(uint32_t sprite, float x, float y) { return Sprite(sprite, x, y, P::kTopCentre); }

// A sprite rectangle on the HUD plane, centred on the virtual-screen point, one unit a pixel.
constexpr HudModelLayout PlatePlace(uint32_t sprite, float px, float py) {
    HudModelLayout l = hudplane::PlaceGlyphs(px, py, 1.0f);
    l.model = sprite;
    return l;
}

// A model placed in pixels; its record is turned into the fixed camera's units when drawn.
constexpr HudModelLayout Pixels(uint32_t model, float x, float y, float pixelsPerUnit) {
    return HudModelLayout{model, x, y, 0.0f, pixelsPerUnit, 0.0f, 0.0f};
}

}  // namespace

const HudCommonLayout RaceDisplayLayout = {
    // Rank and lap counter, top left.
    {Left(content::SPR_FE_RANK_BASE_A, 20, 16, 10, 20), Left(content::SPR_FE_RANK_BASE_B, 20, 16, 10, 20)},
    36.0f,
    44.0f,
    2.0f,
    176.0f,
    52.0f,
    1.0f,
    258.0f,
    60.0f,
    0.78125f,
    // Race time, top right: glyph quads of 50 pixels whose first glyph stands at (1126, 47), its tab left of it.
    Right(content::SPR_FE_TIME_BASE, 272, 34, 16, 20),
    hudplane::PlaceGlyphs(1126.0f, 47.0f, 50.0f),
    1.0f,
    // A dark plate under the glyphs, on the same plane, so the time reads over a bright sky.
    PlatePlace(content::SPR_FE_TIME_PLATE, 1224.0f, 47.0f),
    264.0f,
    56.0f,
    // Lap times: the number's and the time's right ends from the screen's right edge.
    Right(content::SPR_FE_LAPS_BASE, 20, 84, 22, 20),
    205.0f,
    34.0f,
    106.0f,
    24.0f,
    1.0f,
    // Course records: columns any machine, this machine; rows race, lap.
    Right(content::SPR_FE_RECORD_BASE, 20, 192, 28, 20),
    {146.5f, 34.0f},
    {216.0f, 240.0f},
    0.7f,
    // Countdown, top centre.
    {Centre(content::SPR_FE_CD_GLOW, 0, 332), Centre(content::SPR_FE_CD_BASE, 0, 190)},
    {Centre(content::SPR_FE_CD_LAMP_3, -145, 210), Centre(content::SPR_FE_CD_LAMP_2, 0, 210),
     Centre(content::SPR_FE_CD_LAMP_1, 145, 210)},
    {Centre(content::SPR_FE_CD_GREEN, -145, 210), Centre(content::SPR_FE_CD_GREEN, 0, 210),
     Centre(content::SPR_FE_CD_GREEN, 145, 210), Centre(content::SPR_FE_CD_GO, 0, 346)},
    // Result banner.
    {Centre(content::SPR_FE_BANNER_LEFT, -440, 300), Centre(content::SPR_FE_BANNER_BAND, 0, 300),
     Centre(content::SPR_FE_BANNER_RIGHT, 440, 300)},
    Centre(content::SPR_FE_BANNER_FINISH, 0, 305),
    Centre(content::SPR_FE_BANNER_COMPLETE, 0, 305),
    Centre(0, -150, 305),
    Centre(content::SPR_FE_BANNER_BEST, 80, 312),
    -5.0f,
    342.0f,
    1.2f,
    {content::SPR_FE_RANK_01, content::SPR_FE_RANK_02, content::SPR_FE_RANK_03, content::SPR_FE_RANK_04,
     content::SPR_FE_RANK_05, content::SPR_FE_RANK_06, content::SPR_FE_RANK_07, content::SPR_FE_RANK_08,
     content::SPR_FE_RANK_09, content::SPR_FE_RANK_10, content::SPR_FE_RANK_11, content::SPR_FE_RANK_12,
     content::SPR_FE_RANK_13, content::SPR_FE_RANK_14, content::SPR_FE_RANK_15, content::SPR_FE_RANK_16},
    // Lap-time popup.
    Centre(content::SPR_FE_POPUP_BASE, 0, 104),
    Centre(content::SPR_FE_POPUP_RECORD, 100, 76),
    -23.0f,
    116.0f,
    1.25f,
    // Mini map, bottom left: the map turned flat toward the second view's camera, its picture in the frame.
    HudModelLayout{0, 0.0f, 0.0f, 0.0f, 0.1f, 0.0f, -hudplane::kPi / 2.0f},
    Pixels(content::MDL_F_CMN_LAYOUT_BASE, 136, 136, 232),
    {Sprite(content::SPR_FE_MAP_FRAME, 20, 20, P::kBottomLeft, 34, 20),
     Sprite(content::SPR_FE_MAP_FRAME_WIDE, 20, 254, P::kBottomLeft, 34, 20)},
    // The mirrored view's frame, top centre (its quad is 0.6 units tall).
    Pixels(content::MDL_F_CMN_MIRROR_MASK, 0, 44, 100),
    Pixels(content::MDL_F_CMN_LAYOUT_BASE, 136, 136, 232),
    // Message panel, centre.
    // The halves overlap by two pixels so that their filtered edges leave no seam.
    {Centre(content::SPR_FE_MSG_FRAME_L, -149, 520), Centre(content::SPR_FE_MSG_FRAME_R, 149, 520)},
    -260.0f,
    530.0f,
    -180.0f,
    548.0f,
    1.3f,
    // Entrant notice, left.
    Left(content::SPR_FE_NOTICE_BASE, 20, 300),
    38.0f,
    320.0f,
    1.2f,
    120.0f,
    306.0f,
    120.0f,
    330.0f,
    1.0f,
};

const HudPhase BannerPhases[kBannerPhases] = {{0.0f, 15}, {1.0f, 100}, {1.0f, 180}, {-1.0f, 15}, {0.0f, 0}};
const HudPhase PopupPhases[kPopupPhases] = {{0.0f, 10}, {1.0f, 110}, {1.0f, 30}, {-1.0f, 12}};

const HudMessage HudMessages[kHudMessages] = {
    {0, 0.0f, 0u, ""},
    {content::SPR_FE_MSG_ICON_INFO, 0.0f, 0xFFFFFFFFu, "STAND BY"},
    {content::SPR_FE_MSG_ICON_BOOST, 0.0f, 0xFF6CFF7Cu, "BOOST REFILLED"},
    {content::SPR_FE_MSG_ICON_LINK, 0.0f, 0xFFFF5040u, "CONNECTION LOST"},
};

const CockpitTables* const CockpitTableList[kCockpitFamilies] = {
    &content::hud::kTorvin, &content::hud::kBelmar, &content::hud::kQuessa,
    &content::hud::kDravik, &content::hud::kOlvane, &content::hud::kPrentis,
};

uint32_t HudPicture(const HudPictureSet& set, int value) {
    if (!set.models || set.count <= 0) return 0;
    if (value < 0) value = 0;
    if (value >= set.count) value = set.count - 1;
    return set.models[value];
}
