// tmSeqMenuOptSound.cpp -- the sound options: volumes applied at once, the song preview, the menu music after.
#include "menu/tmSeqMenuOptSound.h"

#include "app/tmConfig.h"
#include "content_tables.h"
#include "menu/tmMenuCommon.h"
#include "sys/sound/tmSound.h"

const int tmSeqMenuOptSound::kSongStreams[kSongs] = {13, 1, 2, 3, 4, 5, 6, 7, 9, 11, 12};

namespace {
using C = tmMenuOption::Choice;
#define MO_PAIR(n) \
    C { content::SPR_MO_CHOICE_##n##_ON, content::SPR_MO_CHOICE_##n##_OFF }
const C kSteps[11] = {MO_PAIR(0), MO_PAIR(1), MO_PAIR(2), MO_PAIR(3), MO_PAIR(4), MO_PAIR(5),
                      MO_PAIR(6), MO_PAIR(7), MO_PAIR(8), MO_PAIR(9), MO_PAIR(10)};
const C kSongTitles[tmSeqMenuOptSound::kSongs] = {MO_PAIR(SONG01), MO_PAIR(SONG02), MO_PAIR(SONG03), MO_PAIR(SONG04),
                                                  MO_PAIR(SONG05), MO_PAIR(SONG06), MO_PAIR(SONG07), MO_PAIR(SONG08),
                                                  MO_PAIR(SONG09), MO_PAIR(SONG10), MO_PAIR(SONG11)};
#undef MO_PAIR
constexpr uint32_t kArrowBar = content::SPR_MO_FRAME_BAR_ARROW_BASE;
const tmMenuOption::Row kRowTable[tmSeqMenuOptSound::kRows] = {
    {kArrowBar, content::SPR_MO_ITEM_SOUND_BGMVOL, 11, kSteps},
    {kArrowBar, content::SPR_MO_ITEM_SOUND_SEVOL, 11, kSteps},
    {kArrowBar, content::SPR_MO_ITEM_SOUND_PLAYBGM, tmSeqMenuOptSound::kSongs, kSongTitles},
    {content::SPR_MO_FRAME_RETURN_BASE, 0, 0, nullptr},
};
}  // namespace

const tmMenuOption::Row* tmSeqMenuOptSound::Rows(int* count) const {
    *count = kRows;
    return kRowTable;
}

uint32_t tmSeqMenuOptSound::HeadSprite() const { return content::SPR_MO_FRAME_SOUND_HEAD_A; }

void tmSeqMenuOptSound::ReadValues() {
    const tmConfig& cfg = tmConfig::GetInstance();
    choice_[kMusic] = ChoiceIndex(kMusic, cfg.GetBgmVolume());
    choice_[kEffects] = ChoiceIndex(kEffects, cfg.GetSeVolume());
    choice_[kSong] = 0;
    preview_ = false;
}

void tmSeqMenuOptSound::ApplyVolumes() const {
    tmConfig& cfg = tmConfig::GetInstance();
    cfg.SetBgmVolume(choice_[kMusic]);
    cfg.SetSeVolume(choice_[kEffects]);
    if (tmSound* sound = tmSound::GetInstance()) {
        sound->SetCategoryVolume(tmSoundCategory::kMusic, cfg.GetBgmVolumeScale());
        sound->SetCategoryVolume(tmSoundCategory::kEffects, cfg.GetSeVolumeScale());
        sound->SetCategoryVolume(tmSoundCategory::kLoops, cfg.GetSeVolumeScale());
    }
}

void tmSeqMenuOptSound::OnChoiceChanged(int row) {
    if (row <= kSong) ApplyVolumes();
}

void tmSeqMenuOptSound::HandleInput() {
    tmMenuOption::HandleInput();
    if (cursor_ == kSong && tmMenu::Decide()) {
        tmMenu::StopMusic();
        if (tmSound* sound = tmSound::GetInstance()) sound->PlayStream(kSongStreams[choice_[kSong]], true);
        preview_ = true;
    }
}

void tmSeqMenuOptSound::Apply() {
    ApplyVolumes();
    if (preview_) tmMenu::StopMusic();
    next_ = tmMenu::NextId(kSeqMainMenu);
}

void tmSeqMenuOptSound::Term() {
    if (preview_) tmMenu::PlayMusic(tmMusicStream::kMenu);
    preview_ = false;
    tmMenuOption::Term();
}
