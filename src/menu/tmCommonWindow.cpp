// tmCommonWindow.cpp -- the yes/no question: placement, cursor, answer and fade-out.
#include "menu/tmCommonWindow.h"

#include "content_tables.h"
#include "menu/tmSpriteTween.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/sound/tmSound.h"
#include "table/ScreenLayoutTables.h"
#include "table/tmSpriteGroup.h"

namespace {

constexpr int kCommonSpriteGroup = 13;
enum Element { kFrame = 0, kMessage = 1, kYes = 2, kNo = 3 };

// What each window type asks and where its box stands.
struct TypeRecord {
    uint32_t message;  // message sprite; 0 none
    uint32_t yesSound;
    float offsetX, offsetY;
};
const TypeRecord kTypes[tmCommonWindow::kTypeCount] = {
    {0, 0, 0.0f, 0.0f},
    {content::SPR_CM_WINDOW_STR_CONNECT, tmSoundId::kAnswerYes, 256.0f, 182.0f},
    {content::SPR_CM_WINDOW_STR_SAVE_REPLAY, tmSoundId::kAnswerYes, 256.0f, 183.0f},
    {content::SPR_CM_WINDOW_STR_DELETE, tmSoundId::kWarning, 576.0f, 183.0f},
};

// Each element's shown and hidden move, relative to the type's offset.
const SpriteTarget kShown[tmCommonWindow::kElements] = {{0, 0, 1, 0}, {0, 26, 1, 0}, {0, 79, 1, 0}, {0, 160, 1, 0}};
const SpriteTarget kHidden[tmCommonWindow::kElements] = {{0, 0, 0, 0}, {0, 26, 0, 0}, {0, 79, 0, 0}, {0, 160, 0, 0}};

void PlaySound(uint32_t id) {
    if (id == 0) return;
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(id);
}

}  // namespace

void tmCommonWindow::Init(uint32_t type) {
    Term();
    choice = 0;
    reserved_ = 0;
    open_ = 0;
    answered_ = 0;
    steps_ = 0;
    type_ = type < kTypeCount ? type : kTypeNone;
    groupLoaded_ = tmSpriteGroup::Load(kCommonSpriteGroup);
    const TypeRecord& t = kTypes[type_];
    for (int i = 0; i < kElements; ++i) {
        SpritePlacement p = ConfirmWindowPlacements[i];
        if (i == kMessage) p.spriteId = t.message;
        p.x += t.offsetX;
        p.y += t.offsetY;
        sprites_[i] = TM_NEW tmSpriteTween();
        sprites_[i]->SetTarget(p);
    }
}

void tmCommonWindow::MoveElement(int element, bool shown) {
    tmSpriteTween* s = sprites_[element];
    if (!s) return;
    const TypeRecord& t = kTypes[type_];
    SpriteTarget move = shown ? kShown[element] : kHidden[element];
    move.x += t.offsetX;
    move.y += t.offsetY;
    s->MoveTo(move, static_cast<int32_t>(move.delay));
}

void tmCommonWindow::Open() {
    choice = 0;
    reserved_ = 0;
    open_ = 1;
    answered_ = 0;
    steps_ = 0;
    for (int i = 0; i < kElements; ++i) MoveElement(i, true);
    MoveElement(kYes, false);
}

void tmCommonWindow::Update() {
    if (!open_) return;
    for (tmSpriteTween* s : sprites_)
        if (s) s->Update();
    if (answered_) {
        ++steps_;
        return;
    }
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (!in) return;
    if (choice == 1 && in->IsTrigger(tmAction::kDown, tmPlayer::kOne)) {
        PlaySound(tmSoundId::kCursor);
        choice = 0;
        MoveElement(kNo, true);
        MoveElement(kYes, false);
    } else if (choice == 0 && in->IsTrigger(tmAction::kUp, tmPlayer::kOne)) {
        PlaySound(tmSoundId::kCursor);
        choice = 1;
        MoveElement(kYes, true);
        MoveElement(kNo, false);
    }
    if (in->IsDecideTriggered()) {
        PlaySound(choice == 1 ? kTypes[type_].yesSound : tmSoundId::kAnswerNo);
        answered_ = 1;
        for (int i = 0; i < kElements; ++i) MoveElement(i, false);
    }
    if (!answered_ && in->IsCancelTriggered()) {
        PlaySound(tmSoundId::kAnswerNo);
        choice = 0;
        answered_ = 1;
        for (int i = 0; i < kElements; ++i) MoveElement(i, false);
    }
}

void tmCommonWindow::Draw() const {
    if (!open_ || IsClosed()) return;
    for (const tmSpriteTween* s : sprites_)
        if (s) s->Draw();
}

void tmCommonWindow::Term() {
    type_ = kTypeNone;
    for (tmSpriteTween*& s : sprites_) {
        TM_DELETE(s);
        s = nullptr;
    }
    if (groupLoaded_) tmSpriteGroup::Unload(kCommonSpriteGroup);
    groupLoaded_ = false;
}
