// tmMenuMainLayout.cpp -- the main menu's tables: top entries, page titles, info texts, cup rows, frames in place.
#include "menu/tmMenuMainLayout.h"

#include "content_tables.h"
#include "menu/tmSeqMenuMain.h"

namespace tmMenuMainLayout {

const TopEntry kTopEntries[6] = {
    {content::SPR_MM_MAIN_SEL_CIRCUIT_OFF, content::SPR_MM_MAIN_SEL_CIRCUIT_ON, 1},
    {content::SPR_MM_MAIN_SEL_STANDS_OFF, content::SPR_MM_MAIN_SEL_STANDS_ON, 1},
    {content::SPR_MM_MAIN_SEL_NETWORK_OFF, content::SPR_MM_MAIN_SEL_NETWORK_ON, 1},
    {content::SPR_MM_MAIN_SEL_RECORD_OFF, content::SPR_MM_MAIN_SEL_RECORD_ON, 1},
    {content::SPR_MM_MAIN_SEL_OPTION_OFF, content::SPR_MM_MAIN_SEL_OPTION_ON, 1},
    {content::SPR_MM_MAIN_SEL_QUIT_OFF, content::SPR_MM_MAIN_SEL_QUIT_ON, 1},
};

const uint32_t kPageTitles[6] = {content::SPR_MM_SUB_TITLE_SINGLE,  content::SPR_MM_SUB_TITLE_REPLAY,
                                 content::SPR_MM_SUB_TITLE_NETWORK, content::SPR_MM_SUB_TITLE_VIEWER,
                                 content::SPR_MM_SUB_TITLE_OPTION,  0};

const uint32_t kCupOn[3] = {content::SPR_MM_CUP_SEL_1_ON, content::SPR_MM_CUP_SEL_2_ON,
                            content::SPR_MM_CUP_SEL_RETURN_ON};

namespace {
constexpr float kWide = 1023.0f;
const InfoRecord kTopInfo[] = {{content::SPR_MM_INFO_CIRCUIT}, {content::SPR_MM_INFO_STANDS},
                               {content::SPR_MM_INFO_NETWORK}, {content::SPR_MM_INFO_RECORD},
                               {content::SPR_MM_INFO_OPTION},  {content::SPR_MM_INFO_QUIT}};
const InfoRecord kSingleInfo[] = {{content::SPR_MM_INFO_TIMEATTACK},
                                  {content::SPR_MM_INFO_CS},
                                  {content::SPR_MM_INFO_VSGHOST},
                                  {content::SPR_MM_INFO_RETURN}};
const InfoRecord kReplayInfo[] = {
    {content::SPR_MM_INFO_REPLAY}, {content::SPR_MM_INFO_DEMO}, {content::SPR_MM_INFO_RETURN}};
const InfoRecord kNetworkInfo[] = {{content::SPR_MM_INFO_LOBBY},
                                   {content::SPR_MM_INFO_CREATE},
                                   {content::SPR_MM_INFO_JOIN},
                                   {content::SPR_MM_INFO_RETURN}};
const InfoRecord kViewerInfo[] = {{content::SPR_MM_INFO_GARAGE},
                                  {content::SPR_MM_INFO_TROPHY},
                                  {content::SPR_MM_INFO_COURSERECORD},
                                  {content::SPR_MM_INFO_RETURN}};
const InfoRecord kOptionInfo[] = {{content::SPR_MM_INFO_GAME},
                                  {content::SPR_MM_INFO_CONTROLLER},
                                  {content::SPR_MM_INFO_VIDEO},
                                  {content::SPR_MM_INFO_SOUND},
                                  {content::SPR_MM_INFO_RETURN}};
const InfoRecord kCupInfo[] = {
    {content::SPR_MM_INFO_CUP1}, {content::SPR_MM_INFO_CUP2}, {content::SPR_MM_INFO_CUP_RETURN}};
}  // namespace

const InfoRecord* InfoTable(int32_t state, int* count) {
    switch (state) {
        case tmSeqMenuMain::kTop: *count = 6; return kTopInfo;
        case tmSeqMenuMain::kSingle: *count = 4; return kSingleInfo;
        case tmSeqMenuMain::kReplay: *count = 3; return kReplayInfo;
        case tmSeqMenuMain::kNetwork: *count = 4; return kNetworkInfo;
        case tmSeqMenuMain::kViewer: *count = 4; return kViewerInfo;
        case tmSeqMenuMain::kOptions: *count = 5; return kOptionInfo;
        case tmSeqMenuMain::kCup: *count = 3; return kCupInfo;
        default: *count = 0; return nullptr;
    }
}

const SpritePlacement kFramesInPlace[7] = {
    {-171.0f, kHeadY, 1.0f, content::SPR_MM_FRAME_HEAD_A, content::SPR_MM_FRAME_HEAD_B, kWide, 0.0f},
    {-171.0f, kFootY, 1.0f, content::SPR_MM_FRAME_FOOT_A, content::SPR_MM_FRAME_FOOT_B, kWide, 0.0f},
    {-171.0f, kSubRestY, 1.0f, content::SPR_MM_SUB_FRAME_A, content::SPR_MM_SUB_FRAME_B, kWide, 0.0f},
    {-171.0f, kInfoY, 1.0f, content::SPR_MM_FRAME_INFO_A, content::SPR_MM_FRAME_INFO_B, kWide, 0.0f},
    {-171.0f, 0.0f, 1.0f, content::SPR_MM_BG_PLUS, 0, 0.0f, 0.0f},
    {-171.0f, 0.0f, 0.0f, content::SPR_MM_COVER, 0, 0.0f, 0.0f},
    {256.0f, 200.0f, 0.0f, content::SPR_MM_WINDOW_RACESELECT, 0, 0.0f, 0.0f},
};

}  // namespace tmMenuMainLayout
