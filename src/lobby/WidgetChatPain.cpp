// WidgetChatPain.cpp -- chat lines from the log, their texts and highlights, the entry and its targets.
#include "lobby/WidgetChatPain.h"

#include <algorithm>
#include <cstdio>

#include "content_tables.h"
#include "lobby/LineEdit.h"
#include "lobby/LobbyPaneSupport.h"
#include "lobby/LobbyText.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetScroll.h"
#include "lobby/WidgetText.h"
#include "lobby/ggSeqLobby.h"
#include "lobby/ggSpriteManager.h"
#include "sys/input/tmPeripheral.h"
#include "sys/input/tmTextInput.h"

namespace g2lobby {

namespace {
const ggColor kCyan{0.0f, 1.0f, 1.0f, 1.0f};
const float kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const float kCyanLine[4] = {0.0f, 1.0f, 1.0f, 1.0f};
const float kBlackLine[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr float kRowPitch = 20.0f;
constexpr int kCharPixels = 7;

// Texture name counters of the whole run: a name is never reused while the cache may hold it.
int g_nameCounter = 0;
int g_sayingCounter = 0;

std::time_t SystemClock() { return std::time(nullptr); }
}  // namespace

WidgetChatPain::WidgetChatPain(ggSeqLobby* owner, int screenWidth, int screenHeight)
    : WidgetSprite(owner->GetSprites()),
      owner_(owner),
      names_(owner->GetSprites()),
      texts_(owner->GetSprites()),
      clock_(SystemClock) {
    const int w = screenWidth - 334, h = screenHeight - 220;
    width = static_cast<float>(w);
    height = static_cast<float>(h);
    depth = 16;
    const int32_t ids[WidgetWindowLayout::kPieces] = {
        content::SPR_LB_CHAT_LT, content::SPR_LB_CHAT_MT, content::SPR_LB_CHAT_RT,
        content::SPR_LB_CHAT_LM, content::SPR_LB_CHAT_MM, content::SPR_LB_CHAT_RM,
        content::SPR_LB_CHAT_LB, content::SPR_LB_CHAT_MB, content::SPR_LB_CHAT_RB,
    };
    frame_ = std::make_unique<WidgetWindowLayout>(sprites_, width, height, "ChatPain", ids);
    frame_->SetBorders(135.0f, 2.0f, 13.0f, 49.0f);
    frame_->depth = 0;  // the frame lies under the highlights
    AddChild(frame_.get());
    if (sprites_) {
        const float* c = kSelectionColour;
        sprites_->AddSolidSprite("ChatPainScrollCUR", 1, 1, c[0], c[1], c[2], c[3]);
    }
    textWidth_ = w - 170 <= 512 ? 512 : 1024;
    lineLength_ = std::max(0, std::min((w - 170) / kCharPixels, textWidth_ / kCharPixels));
    entryLength_ = std::min(lineLength_, 88);
    entry_ =
        std::make_unique<g2ui::WidgetText>(sprites_, "ChatPainEdit", owner->GetFont(), static_cast<float>(textWidth_),
                                           16.0f, owner->GetLineEdit(), static_cast<uint32_t>(entryLength_));
    entry_->x = 20.0f;
    entry_->y = static_cast<float>(h - 34);
    frame_->AddChild(entry_.get());
    scroll_ = std::make_unique<WidgetScroll>(sprites_, (h - 106) / 20, static_cast<float>(h - 106), kRowPitch,
                                             "ChatPainScroll");
    scroll_->x = static_cast<float>(w - 15);
    scroll_->y = 24.0f;
    frame_->AddChild(scroll_.get());
    group_ = std::make_unique<g2ui::WidgetSwitchGroup>(frame_.get());
    toAll_ = std::make_unique<g2ui::WidgetSwitch>(sprites_, "SwTargetAll", content::SPR_LB_SW_ALL_ON,
                                                  content::SPR_LB_SW_ALL_OFF);
    toAll_->x = static_cast<float>(w - 226);
    toAll_->y = static_cast<float>(h - 80);
    group_->AddChild(toAll_.get());
    toOne_ = std::make_unique<g2ui::WidgetSwitch>(sprites_, "SwTargetOne", content::SPR_LB_SW_ONE_ON,
                                                  content::SPR_LB_SW_ONE_OFF);
    toOne_->x = static_cast<float>(w - 113);
    toOne_->y = static_cast<float>(h - 80);
    group_->AddChild(toOne_.get());
    group_->Select(0);
}

WidgetChatPain::~WidgetChatPain() {
    if (sprites_) sprites_->Remove("ChatPainScrollCUR");
    toAll_.reset();
    toOne_.reset();
    group_.reset();
    scroll_.reset();
    entry_.reset();
    frame_.reset();
}

void WidgetChatPain::Update() {
    // The entry is open to typing unless a tell has nobody to go to.
    const lobby::CPlayer* selected = owner_->GetSelectedPlayer();
    const bool allowed = !(group_->GetSelected() == 1 && (!selected || selected->id == owner_->OwnPlayer().id));
    if (!entry_->IsEditing()) entry_->SetEditable(allowed, false);
    // Typing opens the entry. The screen listens for text meanwhile, so what the opening key typed is
    // waiting and becomes the first character; a key pressed and let go between two updates still counts.
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (entry_->IsEditable() && owner_->IsChatKeyAllowed() &&
        ((in && in->IsTextKeyTriggered()) || tmTextInput::HasText()))
        entry_->SetEditable(true, true);
    // Page Up and Page Down scroll the log by the lines in view.
    if (in && in->IsKeyTriggered(tmKey::kPageUp))
        scroll_->SetPosition(scroll_->GetPosition() - scroll_->GetVisible());
    else if (in && in->IsKeyTriggered(tmKey::kPageDown))
        scroll_->SetPosition(scroll_->GetPosition() + scroll_->GetVisible());
    const bool atEnd = scroll_->IsAtEnd();
    Rebuild();
    scroll_->SetTotal(static_cast<int32_t>(lines_.size()));
    if (atEnd) scroll_->ScrollToEnd();
}

void WidgetChatPain::Rebuild() {
    lines_.clear();
    lobby::CLobby* client = owner_->GetLobby();
    if (!client) return;
    const lobby::CChat& chat = client->GetChat();
    const lobby::CPlayer* selected = owner_->GetSelectedPlayer();
    const int selectedId = selected ? selected->id : -1;
    const int64_t now = static_cast<int64_t>(clock_ ? clock_() : std::time(nullptr));
    const size_t length = static_cast<size_t>(lineLength_);
    const int count = std::min(std::max(chat.count, 0), lobby::kMaxChatLines);
    // The log is newest first; the pane shows it oldest first, the newest beside the entry.
    for (int i = count - 1; i >= 0; --i) {
        const lobby::CChat::CSaying& s = chat.lines[i];
        ChatLine line;
        const float* colour = s.kind == 0 ? kWhite : (s.id1 != -1 ? kCyanLine : kBlackLine);
        std::copy(colour, colour + 4, line.colour);
        line.highlight = selectedId >= 0 && s.id2 == selectedId;  // nothing selected: nothing highlighted
        line.name = s.name;
        const std::string text = WithStamp(s.text, ChatStamp(s.time, now), length);
        const ChatSplit split = SplitChatText(text, length);
        line.text = split.first;
        lines_.push_back(line);
        if (!split.rest.empty()) {
            line.name.clear();
            line.text = split.rest;
            lines_.push_back(line);
        }
    }
}

const std::string* WidgetChatPain::NameSprite(const std::string& name) {
    auto* e = names_.Find(name);
    if (!e) {
        char sprite[64];
        std::snprintf(sprite, sizeof sprite, "ChatPainName%d", g_nameCounter++);
        const int fontHeight = owner_->GetFont() ? owner_->GetFont()->GetHeight() : 14;
        const int32_t pen = 128 - static_cast<int32_t>(name.size()) * fontHeight / 2;
        e = names_.Insert(
            name, MakeTextSprite(sprites_, owner_->GetFont(), sprite, 128, 16, 1.0f, 1.0f, 1.0f, {{pen, name}}));
    }
    return e->texture ? &e->texture->GetName() : nullptr;
}

const std::string* WidgetChatPain::TextSprite(const std::string& text) {
    auto* e = texts_.Find(text);
    if (!e) {
        char sprite[64];
        std::snprintf(sprite, sizeof sprite, "ChatPainSaying%d", g_sayingCounter++);
        e = texts_.Insert(text, MakeTextSprite(sprites_, owner_->GetFont(), sprite, static_cast<uint32_t>(textWidth_),
                                               16, 1.0f, 1.0f, 1.0f, {{0, text}}));
    }
    return e->texture ? &e->texture->GetName() : nullptr;
}

void WidgetChatPain::UpdateTexts() {
    names_.ClearMarks();
    texts_.ClearMarks();
    const int first = scroll_->GetPosition();
    const int last = std::min(first + scroll_->GetVisible(), static_cast<int>(lines_.size()));
    for (int i = std::max(first, 0); i < last; ++i) {
        NameSprite(lines_[static_cast<size_t>(i)].name);
        TextSprite(lines_[static_cast<size_t>(i)].text);
    }
    names_.Purge();
    texts_.Purge();
}

void WidgetChatPain::Draw(float x, float y, int32_t d) {
    UpdateTexts();
    if (!sprites_) return;
    const int first = scroll_->GetPosition();
    const int last = std::min(first + scroll_->GetVisible(), static_cast<int>(lines_.size()));
    const float depth = static_cast<float>(d);
    for (int i = std::max(first, 0), k = 0; i < last; ++i, ++k) {
        const ChatLine& line = lines_[static_cast<size_t>(i)];
        const float rowY = y + 24.0f + kRowPitch * static_cast<float>(k);
        if (line.highlight) {
            sprites_->Draw("ChatPainScrollCUR", x + 17.0f, rowY - 3.0f, depth + 1, 0.0f, 110.0f, 22.0f, 0.0f, 0,
                           nullptr);
            sprites_->Draw("ChatPainScrollCUR", x + 148.0f, rowY - 3.0f, depth + 1, 0.0f,
                           static_cast<float>(lineLength_ * kCharPixels), 22.0f, 0.0f, 0, nullptr);
        }
        if (const std::string* name = NameSprite(line.name))
            sprites_->Draw(*name, x - 1.0f, rowY, depth + 2, 0.0f, 1.0f, 1.0f, 0.0f, 0, &kCyan);
        const ggColor colour{line.colour[0], line.colour[1], line.colour[2], line.colour[3]};
        if (const std::string* text = TextSprite(line.text))
            sprites_->Draw(*text, x + 148.0f, rowY, depth + 2, 0.0f, 1.0f, 1.0f, 0.0f, 0, &colour);
    }
}

void WidgetChatPain::SendInput() {
    const std::string text = entry_->GetText();
    if (owner_->GetLobby() && !text.empty()) {
        if (text[0] == '/') {
            owner_->ExecuteCommand(text);
        } else if (group_->GetSelected() == 0) {
            owner_->SendChat(text);
        } else if (const lobby::CPlayer* p = owner_->GetSelectedPlayer()) {
            owner_->SendTell(p->id, text);
        }
    }
    entry_->SetText(std::string());
}

bool WidgetChatPain::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type != g2ui::WidgetMsg::kAction) return false;
    const auto& a = static_cast<const g2ui::WDAction&>(msg);
    if (a.action == "EDIT_FIXED" && a.sender == entry_.get()) SendInput();
    return true;
}

}  // namespace g2lobby
