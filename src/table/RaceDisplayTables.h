// RaceDisplayTables.h -- the race display's layout records, cockpit tables, phase tables and messages.
#pragma once

#include "table/TableTypes.h"

// A model of the race display on the HUD camera's plane: placed by
// translation(x, y, z) x scaling(scale) x rotation about Y x (the element's
// own offset) x rotation about X, as the matrix stack multiplies them.
struct HudModelLayout {
    uint32_t model;  // fixed model slot; 0 = none
    float x, y, z;
    float scale;
    float angleY;
    float angleX;
};
static_assert(sizeof(HudModelLayout) == 28, "model layout records are seven words");

// A screen sprite of the race display. The alpha of a panel with a fade is 0
// before fadeStart frames of the display's frame counter, then rises over
// fadeFrames frames (at once when fadeFrames is 0).
struct HudSpriteLayout {
    uint32_t sprite;  // sprite slot; 0 = none
    float x, y;
    uint32_t layer;  // sprite placement (tmSpritePlacement)
    int32_t fadeStart;
    int32_t fadeFrames;
};
static_assert(sizeof(HudSpriteLayout) == 24, "sprite layout records are six words");

// One step of a revolution meter: the model shown from `threshold` revolutions up.
struct HudMeterStep {
    float threshold;
    uint32_t model;
};
static_assert(sizeof(HudMeterStep) == 8, "meter steps are two words");

// Where a number of digit models stands: the record places the number's
// frame, (x, y) is the pen's start in it, and the pen advances by
// advance x scale per digit (toward the screen's right).
struct HudNumberLayout {
    HudModelLayout place;
    float x, y;
    float advance;
    float scale;
    uint32_t rightAlign;  // 1: the number ends at x
};

// A table of pictures chosen by a value, drawn at one place.
struct HudPictureSet {
    const uint32_t* models;
    int32_t count;
    HudModelLayout place;
};

// Everything one cockpit family draws. Unused parts have no models.
struct CockpitTables {
    int32_t kind;   // family number
    int32_t group;  // resource group of the family's models
    const HudMeterStep* meter;
    int32_t meterSteps;
    HudModelLayout meterPlace;  // where the step's model stands
    HudModelLayout face;        // fixed face under the readouts
    HudModelLayout fixed[2];    // two further fixed models
    const uint32_t* lamps;      // boost-stock lamp models (see each family)
    int32_t lampCount;
    HudModelLayout lampPlace;
    float lampSpacing;       // between repeated lamps, in the record's units
    const uint32_t* digits;  // ten digit models, 0 to 9
    HudNumberLayout speed;   // the speed readout
    HudPictureSet state1;    // pictures by the record's third word (gear)
    HudNumberLayout state1Number;
    HudPictureSet state2;    // pictures by the record's fourth word (body mode)
    HudPictureSet gaugeA;    // first boost gauge
    uint32_t gaugeAWarning;  // flashing warning model at gaugeA.place
    HudNumberLayout gaugeANumber;
    HudPictureSet gaugeB;  // second boost gauge
    uint32_t gaugeBWarning;
    HudNumberLayout gaugeBNumber;
    HudModelLayout gaugeBFrames[2];
};

// A phase of the result banner or the lap-time popup.
struct HudPhase {
    float value;     // 0 in, 1 full, -1 out
    int32_t frames;  // duration
};

// One entry of the message panel.
struct HudMessage {
    uint32_t picture;  // sprite slot; 0 = none
    float offsetY;     // vertical offset of the picture
    uint32_t colour;   // ARGB of the text
    char text[40];
};
static_assert(sizeof(HudMessage) == 52, "messages are 52 bytes");

// The elements every race display shows, placed on the 1366 x 768 virtual
// screen (sprites and the screen fonts) or on the HUD camera's plane (the
// race time's glyphs, the mini map's frame).
struct HudCommonLayout {
    HudSpriteLayout rankBase[2];  // background chosen by game flag 1 (0 when clear)
    float rankX, rankY, rankScale;
    float lapX, lapY, lapScale;
    float lapTotalX, lapTotalY, lapTotalScale;
    HudSpriteLayout timeBase;
    HudModelLayout raceTime;  // glyph frame of the race time (world plane)
    float raceTimeScale;
    HudSpriteLayout lapsBase;
    float lapRowX, lapRowY, lapRowStep, lapRowScale;  // lap number and time rows
    float lapTimeOffset;                              // from the lap number to its time
    HudSpriteLayout recordBase;
    float recordX[2], recordY[2], recordScale;  // columns: any machine, this machine; rows: race, lap
    HudSpriteLayout countdownBase[2];
    HudSpriteLayout countdownLamps[3];  // lit by steps 3, 2 and 1
    HudSpriteLayout countdownStart[4];  // the start
    HudSpriteLayout bannerParts[3];     // left wing, band, right wing
    HudSpriteLayout bannerFinish;       // phase 1
    HudSpriteLayout bannerComplete;     // phase 2 in race mode 0
    HudSpriteLayout bannerRank;         // phase 2 in other modes (x, y; the sprite comes from rankPictures)
    HudSpriteLayout bannerBest;         // "best lap" caption of phase 2
    float bannerTimeX, bannerTimeY, bannerTimeScale;
    uint32_t rankPictures[16];
    HudSpriteLayout popupBase;
    HudSpriteLayout popupRecord;
    float popupTimeX, popupTimeY, popupTimeScale;
    HudModelLayout map;            // the course map in the second view
    HudModelLayout mapView;        // the second view's picture on the screen
    HudSpriteLayout mapFrame[2];   // frame, and the wide screens' second frame
    HudModelLayout wideOverlay;    // the mirrored view's frame
    HudModelLayout viewerElement;  // the element the HUD viewer shows
    HudSpriteLayout messageFrames[2];
    float messagePictureX, messagePictureY;
    float messageTextX, messageTextY, messageTextScale;
    HudSpriteLayout noticeBase;
    float noticeWordX, noticeWordY, noticeWordScale;
    float noticeNameX, noticeNameY;  // debug-font layout units (1024 x 768)
    float noticeTimeX, noticeTimeY, noticeTimeScale;
};

constexpr int kCockpitFamilies = 6;
constexpr int kBannerPhases = 5;
constexpr int kPopupPhases = 4;
constexpr int kHudMessages = 4;  // entry 0 and messages 1 to 3

// The six families' tables in the order Torvin, Belmar, Quessa, Dravik, Olvane, Prentis.
extern const CockpitTables* const CockpitTableList[kCockpitFamilies];
extern const HudCommonLayout RaceDisplayLayout;
extern const HudPhase BannerPhases[kBannerPhases];
extern const HudPhase PopupPhases[kPopupPhases];
extern const HudMessage HudMessages[kHudMessages];

// The picture of `value` in a set, clamped to the set (0 when the set is empty).
uint32_t HudPicture(const HudPictureSet& set, int value);
