// tmSeqMenuOptGame.cpp -- the game options' rows, reading and applying.
#include "menu/tmSeqMenuOptGame.h"

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmMenuCommon.h"

namespace {
using C = tmMenuOption::Choice;
const C kDifficulty[4] = {{content::SPR_MO_CHOICE_EASY_ON, content::SPR_MO_CHOICE_EASY_OFF},
                          {content::SPR_MO_CHOICE_NORMAL_ON, content::SPR_MO_CHOICE_NORMAL_OFF},
                          {content::SPR_MO_CHOICE_HARD_ON, content::SPR_MO_CHOICE_HARD_OFF},
                          {content::SPR_MO_CHOICE_ZERO_ON, content::SPR_MO_CHOICE_ZERO_OFF}};
const C kLaps[5] = {{content::SPR_MO_CHOICE_3_ON, content::SPR_MO_CHOICE_3_OFF},
                    {content::SPR_MO_CHOICE_5_ON, content::SPR_MO_CHOICE_5_OFF},
                    {content::SPR_MO_CHOICE_7_ON, content::SPR_MO_CHOICE_7_OFF},
                    {content::SPR_MO_CHOICE_11_ON, content::SPR_MO_CHOICE_11_OFF},
                    {content::SPR_MO_CHOICE_15_ON, content::SPR_MO_CHOICE_15_OFF}};
const C kOnOff[2] = {{content::SPR_MO_CHOICE_OFF_ON, content::SPR_MO_CHOICE_OFF_OFF},
                     {content::SPR_MO_CHOICE_ON_ON, content::SPR_MO_CHOICE_ON_OFF}};
constexpr uint32_t kArrowBar = content::SPR_MO_FRAME_BAR_ARROW_BASE;
const tmMenuOption::Row kRowTable[tmSeqMenuOptGame::kRows] = {
    {kArrowBar, content::SPR_MO_ITEM_GAME_DIFFICULTY, 4, kDifficulty},
    {kArrowBar, content::SPR_MO_ITEM_GAME_ROUND, 5, kLaps},
    {kArrowBar, content::SPR_MO_ITEM_GAME_KELPASYSTEM, 2, kOnOff},
    {kArrowBar, content::SPR_MO_ITEM_GAME_BACKMIRROR, 2, kOnOff},
    {kArrowBar, content::SPR_MO_ITEM_GAME_LAYOUT, 2, kOnOff},
    {content::SPR_MO_FRAME_RETURN_BASE, 0, 0, nullptr},
};
}  // namespace

const tmMenuOption::Row* tmSeqMenuOptGame::Rows(int* count) const {
    *count = kRows;
    return kRowTable;
}

uint32_t tmSeqMenuOptGame::HeadSprite() const { return content::SPR_MO_FRAME_GAME_HEAD_A; }

void tmSeqMenuOptGame::ReadValues() {
    const tmConfig& cfg = tmConfig::GetInstance();
    choice_[kDifficulty] = ChoiceIndex(kDifficulty, cfg.GetGameOption1());
    choice_[kLaps] = 0;  // a lap count that is not one of the choices shows the first
    for (int i = 0; i < 5; ++i)
        if (cfg.GetGameOption2() == kLapChoices[i]) choice_[kLaps] = i;
    choice_[kFlag1] = ChoiceIndex(kFlag1, cfg.GetGameFlag1());
    choice_[kFlag2] = ChoiceIndex(kFlag2, cfg.GetGameFlag2());
    choice_[kFlag3] = ChoiceIndex(kFlag3, cfg.GetGameFlag3());
}

void tmSeqMenuOptGame::Apply() {
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetGameOption1(choice_[kDifficulty]);
    cfg.SetGameOption2(kLapChoices[choice_[kLaps]]);
    cfg.SetGameFlag1(choice_[kFlag1] > 0);
    cfg.SetGameFlag2(choice_[kFlag2] > 0);
    cfg.SetGameFlag3(choice_[kFlag3] > 0);
    next_ = tmMenu::NextId(kSeqMainMenu);
}
