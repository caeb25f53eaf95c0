// tmSeqMenuMainDraw.cpp -- what the main menu queues each frame: frames, entries, the open page, info, cups.
#include "menu/tmCommonWindow.h"
#include "menu/tmMenuCommon.h"
#include "menu/tmMenuMainLayout.h"
#include "menu/tmSeqMenuMain.h"
#include "sys/text/tmConsole.h"
#include "table/ScreenLayoutTables.h"

namespace L = tmMenuMainLayout;

void tmSeqMenuMain::Draw() {
    tmConsole::SetCursor(1, 1, 0);
    tmConsole::Printf("MenuMain ( %d ) state %d", total_, state_);
    if (!frames_[0]) return;
    // The backdrop and its veil first, the page's band with its title and buttons, then the foot, info
    // strip and head over them: the band slides in from below past the foot, whose key hint stays on top.
    static const int kUnderOrder[] = {kBackground, kCover, kSubFrame};
    static const int kOverOrder[] = {kFoot, kInfoFrame, kHead};
    for (int f : kUnderOrder) frames_[f]->Draw();
    if (top_ != kQuit && L::kPageTitles[top_]) {
        const tmSpriteTween* band = frames_[kSubFrame];
        band->DrawPart({L::kPageTitles[top_], L::kSubTitleX, L::kSubTitleY, 1.0f}, 1.0f, 1.0f);
    }
    DrawSubPage();
    for (int f : kOverOrder) frames_[f]->Draw();
    const bool pulse = state_ == kTop;
    for (int k = 0; k < kEntries; ++k) {
        const tmSpriteTween* e = entries_[k];
        e->Draw();
        float level = GetTopLevel(k);
        if (pulse) level = tmSpriteTween::Pulse(L::kTopPulseSpeed, L::kTopPulseAmplitude, level, e->frame);
        if (level > 0.0f) e->DrawPart({L::kTopEntries[k].on, 0.0f, 0.0f, level}, 1.0f, 1.0f);
    }
    DrawInfo();
    DrawCupChoice();
    if (window_) window_->Draw();
}

void tmSeqMenuMain::DrawSubPage() const {
    if (top_ == kQuit) return;
    const MenuPageLayout& page = MainMenuPageTable[top_];
    const tmSpriteTween* band = frames_[kSubFrame];
    for (uint32_t i = 0; i < page.count && i < static_cast<uint32_t>(kSubEntries); ++i) {
        const MenuPageItem& item = page.items[i];
        const float x = L::kSubX + L::kSubStep * static_cast<float>(i);
        band->DrawPart({item.secondSprite, x, L::kSubRowY, item.selectable ? 1.0f : L::kDisabledAlpha}, 1.0f, 1.0f);
        const float level = tmSpriteTween::Pulse(L::kSubPulseSpeed, L::kSubPulseAmplitude, subLevel_[i], band->frame);
        if (level > 0.0f) band->DrawPart({item.sprite, x, L::kSubRowY, level}, 1.0f, 1.0f);
    }
}

void tmSeqMenuMain::DrawInfo() const {
    int count = 0;
    const L::InfoRecord* table = L::InfoTable(state_, &count);
    if (!table) return;
    int cursor = state_ == kTop ? top_ : state_ == kCup ? cupCursor_ : GetPageCursor(top_);
    if (cursor < 0 || cursor >= count) return;
    frames_[kInfoFrame]->DrawPart({table[cursor].sprite, L::kInfoTextX, L::kInfoTextY, 1.0f}, 1.0f, 1.0f);
}

void tmSeqMenuMain::DrawCupChoice() const {
    const tmSpriteTween* w = frames_[kRaceSelect];
    w->Draw();
    for (int i = 0; i < kCupEntries; ++i) {
        if (cupLevel_[i] <= 0.0f) continue;
        w->DrawPart({L::kCupOn[i], L::kCupRowX, L::kCupRowY + L::kCupRowStep * static_cast<float>(i), cupLevel_[i]},
                    1.0f, 1.0f);
    }
}
