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

// The elements every race display shows. Sprites and the screen fonts stand
// by their placement (tmSpritePlacement: a corner, the top centre); a font run
// on a right-anchored placement is measured from the screen's right edge to
// its right end, and on a centred one its first glyph's centre is x from the
// screen's centre. The race time's glyphs stand on the HUD camera's plane. The
// two view frames (the mini map's and the mirrored view's) are placed in
// pixels: x from the left (mini map) or from the centre (mirror), y from the
// bottom (mini map) or from the top (mirror), scale in pixels per model unit.
struct HudCommonLayout {
    HudSpriteLayout rankBase[2];  // background chosen by game flag 1 (0 when clear)
    float rankX, rankY, rankScale;
    float lapX, lapY, lapScale;
    float lapTotalX, lapTotalY, lapTotalScale;
    HudSpriteLayout timeBase;
    HudModelLayout raceTime;  // glyph frame of the race time (world plane)
    float raceTimeScale;
    HudModelLayout raceTimePlate;                   // a sprite (its slot in `model`) under the race time's glyphs
    float raceTimePlateWidth, raceTimePlateHeight;  // in the record's units (pixels)
    HudSpriteLayout lapsBase;
    float lapNumberX, lapTimeX, lapRowY, lapRowStep, lapRowScale;  // rows of lap number and time
    HudSpriteLayout recordBase;
    float recordX[2], recordY[2], recordScale;  // columns: any machine, this machine; rows: race, lap
    HudSpriteLayout countdownBase[2];
    HudSpriteLayout countdownLamps[3];  // lit by steps 3, 2 and 1
    HudSpriteLayout countdownStart[4];  // the start
    HudSpriteLayout bannerParts[3];     // left wing, band, right wing
    HudSpriteLayout bannerFinish;       // phase 1
    HudSpriteLayout bannerComplete;     // phase 2 in race mode 0
    HudSpriteLayout bannerRank;         // phase 2 in other modes (the sprite comes from rankPictures)
    HudSpriteLayout bannerBest;         // "best lap" caption of phase 2
    float bannerTimeX, bannerTimeY, bannerTimeScale;
    uint32_t rankPictures[16];
    HudSpriteLayout popupBase;
    HudSpriteLayout popupRecord;
    float popupTimeX, popupTimeY, popupTimeScale;
    HudModelLayout map;            // the course map in the second view
    HudModelLayout mapView;        // the second view's picture on the screen (pixels)
    HudSpriteLayout mapFrame[2];   // frame, and the wide screens' second frame
    HudModelLayout wideOverlay;    // the mirrored view's frame (pixels)
    HudModelLayout viewerElement;  // the element the HUD viewer shows (pixels, as mapView)
    HudSpriteLayout messageFrames[2];
    float messagePictureX, messagePictureY;
    float messageTextX, messageTextY, messageTextScale;
    HudSpriteLayout noticeBase;
    float noticeWordX, noticeWordY, noticeWordScale;
    float noticeNameX, noticeNameY;  // back-buffer pixels of the debug font
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
