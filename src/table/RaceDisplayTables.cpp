// RaceDisplayTables.cpp -- the race display's common layout, phase tables, messages and the cockpit list.
#include "table/RaceDisplayTables.h"

#include "content_tables.h"
#include "table/HudPlane.h"

namespace {

constexpr HudSpriteLayout Sprite(uint32_t sprite, float x, float y, int32_t fadeStart = 0, int32_t fadeFrames = 0) {
    return HudSpriteLayout{sprite, x, y, 7u, fadeStart, fadeFrames};
}

// Models seen through the fixed camera of the after-post layers (screen-aspect quarter-turn lens).
constexpr HudModelLayout ScreenModel(uint32_t model, float px, float py, float pixels) {
    return HudModelLayout{model, hudplane::ScreenViewX(px),          hudplane::ScreenViewY(py),
                          0.0f,  pixels * hudplane::kScreenViewUnit, 0.0f,
                          0.0f};
}

constexpr float kPanelX = 1016.0f;  // left edge of the right-hand panels

}  // namespace

const HudCommonLayout RaceDisplayLayout = {
    // Rank and lap counter.
    {Sprite(content::SPR_FE_RANK_BASE_A, 20, 16, 10, 20), Sprite(content::SPR_FE_RANK_BASE_B, 20, 16, 10, 20)},
    36.0f,
    44.0f,
    2.0f,
    176.0f,
    52.0f,
    1.0f,
    258.0f,
    60.0f,
    0.78125f,
    // Race time: glyph quads of 50 pixels whose first glyph stands at (1115, 51).
    Sprite(content::SPR_FE_TIME_BASE, kPanelX, 16, 16, 20),
    hudplane::PlaceGlyphs(1115.0f, 51.0f, 50.0f),
    1.0f,
    // Lap times.
    Sprite(content::SPR_FE_LAPS_BASE, kPanelX, 92, 22, 20),
    1040.0f,
    112.0f,
    24.0f,
    1.0f,
    44.0f,
    // Course records: columns any machine, this machine; rows race, lap.
    Sprite(content::SPR_FE_RECORD_BASE, kPanelX, 198, 28, 20),
    {1150.0f, 1246.0f},
    {222.0f, 246.0f},
    0.7f,
    // Countdown.
    {Sprite(content::SPR_FE_CD_GLOW, 443, 332), Sprite(content::SPR_FE_CD_BASE, 463, 190)},
    {Sprite(content::SPR_FE_CD_LAMP_3, 483, 210), Sprite(content::SPR_FE_CD_LAMP_2, 628, 210),
     Sprite(content::SPR_FE_CD_LAMP_1, 773, 210)},
    {Sprite(content::SPR_FE_CD_GREEN, 483, 210), Sprite(content::SPR_FE_CD_GREEN, 628, 210),
     Sprite(content::SPR_FE_CD_GREEN, 773, 210), Sprite(content::SPR_FE_CD_GO, 523, 346)},
    // Result banner.
    {Sprite(content::SPR_FE_BANNER_LEFT, 153, 300), Sprite(content::SPR_FE_BANNER_BAND, 333, 300),
     Sprite(content::SPR_FE_BANNER_RIGHT, 1033, 300)},
    Sprite(content::SPR_FE_BANNER_FINISH, 423, 305),
    Sprite(content::SPR_FE_BANNER_COMPLETE, 423, 305),
    Sprite(0, 393, 305),
    Sprite(content::SPR_FE_BANNER_BEST, 633, 312),
    633.0f,
    344.0f,
    1.2f,
    {content::SPR_FE_RANK_01, content::SPR_FE_RANK_02, content::SPR_FE_RANK_03, content::SPR_FE_RANK_04,
     content::SPR_FE_RANK_05, content::SPR_FE_RANK_06, content::SPR_FE_RANK_07, content::SPR_FE_RANK_08,
     content::SPR_FE_RANK_09, content::SPR_FE_RANK_10, content::SPR_FE_RANK_11, content::SPR_FE_RANK_12,
     content::SPR_FE_RANK_13, content::SPR_FE_RANK_14, content::SPR_FE_RANK_15, content::SPR_FE_RANK_16},
    // Lap-time popup.
    Sprite(content::SPR_FE_POPUP_BASE, 493, 104),
    Sprite(content::SPR_FE_POPUP_RECORD, 700, 78),
    600.0f,
    116.0f,
    1.25f,
    // Mini map: the map turned flat toward the second view's camera, its picture in the frame.
    HudModelLayout{0, 0.0f, 0.0f, 0.0f, 0.1f, 0.0f, -hudplane::kPi / 2.0f},
    ScreenModel(content::MDL_F_CMN_LAYOUT_BASE, 136, 632, 232),
    {Sprite(content::SPR_FE_MAP_FRAME, 20, 516, 34, 20), Sprite(content::SPR_FE_MAP_FRAME_WIDE, 20, 486, 34, 20)},
    // The mirrored view's frame, top centre (its quad is 0.6 units tall).
    ScreenModel(content::MDL_F_CMN_MIRROR_MASK, 683, 44, 100),
    ScreenModel(content::MDL_F_CMN_LAYOUT_BASE, 136, 632, 232),
    // Message panel.
    {Sprite(content::SPR_FE_MSG_FRAME_L, 383, 520), Sprite(content::SPR_FE_MSG_FRAME_R, 683, 520)},
    405.0f,
    530.0f,
    487.0f,
    548.0f,
    1.4f,
    // Entrant notice.
    Sprite(content::SPR_FE_NOTICE_BASE, 20, 300),
    38.0f,
    318.0f,
    1.5f,
    120.0f - 171.0f,
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
