// WidgetUserPain.cpp -- the player list: rebuild, selection, row texts, highlights and clicks.
#include "lobby/WidgetUserPain.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "content_tables.h"
#include "lobby/LobbyPaneSupport.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetScroll.h"
#include "lobby/ggSeqLobby.h"
#include "lobby/ggSpriteManager.h"

namespace g2lobby {

namespace {
const char kPrefix[] = "UserPain";
const ggColor kBlack{0.0f, 0.0f, 0.0f, 1.0f};
}  // namespace

WidgetUserPain::WidgetUserPain(ggSeqLobby* owner, int screenHeight, int selectedId)
    : WidgetSprite(owner->GetSprites()), owner_(owner), texts_(owner->GetSprites()), selection_(selectedId) {
    width = kWidth;
    height = static_cast<float>(screenHeight - 440);
    depth = 16;
    int32_t ids[WidgetWindowLayout::kPieces];
    ListPaneFrameIds(content::SPR_LB_PANE_LT_PLAYER, ids);
    frame_ = std::make_unique<WidgetWindowLayout>(sprites_, width, height, kPrefix, ids);
    frame_->SetBorders(84.0f, 2.0f, 23.0f, 3.0f);
    frame_->depth = 0;  // the frame lies under the row highlights
    AddChild(frame_.get());
    AddListSprites(sprites_, kPrefix);
    const int visible = static_cast<int>((height - 48.0f) / kRowPitch);
    scroll_ = std::make_unique<WidgetScroll>(sprites_, visible, height - 44.0f, kRowPitch, "UserPainScroll");
    scroll_->x = 296.0f;
    scroll_->y = 34.0f;
    frame_->AddChild(scroll_.get());
}

WidgetUserPain::~WidgetUserPain() {
    RemoveListSprites(sprites_, kPrefix);
    scroll_.reset();
    frame_.reset();
}

const lobby::CPlayer* WidgetUserPain::GetPlayer(int index) const {
    return index >= 0 && index < GetCount() ? &players_[static_cast<size_t>(index)] : nullptr;
}

int WidgetUserPain::FindIndex(int id) const {
    for (int i = 0; i < GetCount(); ++i)
        if (players_[static_cast<size_t>(i)].id == id) return i;
    return -1;
}

bool WidgetUserPain::Select(int id, bool sound) { return selection_.Select(id, id >= 0 ? FindIndex(id) : -1, sound); }

int WidgetUserPain::NeighbourId(int step, int skipId) const {
    const int selected = selection_.Index();
    const int dir = selected >= 0 && step < 0 ? -1 : 1;  // from no selection both keys start at the top
    int row = selected >= 0 ? selected + dir : 0;
    while (row >= 0 && row < GetCount() && players_[static_cast<size_t>(row)].id == skipId) row += dir;
    return row >= 0 && row < GetCount() ? players_[static_cast<size_t>(row)].id : -1;
}

void WidgetUserPain::ShowRow(int index) {
    if (index < 0) return;
    if (index < scroll_->GetPosition())
        scroll_->SetPosition(index);
    else if (index >= scroll_->GetPosition() + scroll_->GetVisible())
        scroll_->SetPosition(index - scroll_->GetVisible() + 1);
}

void WidgetUserPain::Rebuild() {
    players_.clear();
    lobby::CLobby* client = owner_->GetLobby();
    if (!client) return;
    const lobby::CPlayerList& list = client->GetPlayerList();
    std::map<int, const lobby::CPlayer*> byId;
    const int count = std::min(std::max(list.count, 0), lobby::kMaxListEntries);
    for (int i = 0; i < count; ++i) byId.emplace(list.players[i].id, &list.players[i]);
    players_.reserve(byId.size());
    for (const auto& kv : byId) players_.push_back(*kv.second);
    // Highest level first; equal levels keep the id order.
    std::stable_sort(players_.begin(), players_.end(), [](const lobby::CPlayer& a, const lobby::CPlayer& b) {
        return a.record.value[0] > b.record.value[0];
    });
}

void WidgetUserPain::Update() {
    Rebuild();
    scroll_->SetTotal(GetCount());
    if (players_.empty()) scroll_->SetPosition(0);
    // The selection follows its player's id; a player that is gone takes it along.
    if (!selection_.Follow(selection_.Id() >= 0 ? FindIndex(selection_.Id()) : -1)) owner_->OnSelectionGone(true);
}

void WidgetUserPain::UpdateTexts() {
    texts_.ClearMarks();
    const int first = scroll_->GetPosition();
    const int last = std::min(first + scroll_->GetVisible(), GetCount());
    for (int i = std::max(first, 0); i < last; ++i) {
        const lobby::CPlayer& p = players_[static_cast<size_t>(i)];
        const std::vector<std::pair<int32_t, std::string>> pieces = {{0, p.name}, {136, p.team}};
        const std::string shown = std::string(p.name) + '\n' + p.team;
        if (auto* entry = texts_.Find(p.id)) {
            // A renamed player keeps the texture; only its pixels change.
            if (shownTexts_[p.id] != shown) RedrawText(entry->texture.get(), owner_->GetFont(), pieces);
            shownTexts_[p.id] = shown;
            continue;
        }
        char name[64];
        std::snprintf(name, sizeof name, "UserPainNameLv%d", p.id);
        texts_.Insert(p.id, MakeTextSprite(sprites_, owner_->GetFont(), name, 256, 16, 0.0f, 0.0f, 0.0f, pieces));
        shownTexts_[p.id] = shown;
    }
    texts_.Purge();
    for (auto it = shownTexts_.begin(); it != shownTexts_.end();)
        it = texts_.Find(it->first) ? std::next(it) : shownTexts_.erase(it);
}

void WidgetUserPain::Draw(float x, float y, int32_t d) {
    UpdateTexts();
    if (!sprites_) return;
    const lobby::CRoom* room = owner_->GetSelectedRoom();
    const int first = scroll_->GetPosition();
    const int last = std::min(first + scroll_->GetVisible(), GetCount());
    const float depth = static_cast<float>(d);
    for (int i = std::max(first, 0), k = 0; i < last; ++i, ++k) {
        const lobby::CPlayer& p = players_[static_cast<size_t>(i)];
        const float rx = x + 30.0f, ry = y + 36.0f + kRowPitch * static_cast<float>(k);
        const char* cursor = nullptr;
        if (selection_.Is(i, p.id))
            cursor = "UserPainScrollCUR";
        else if (room && room->isContain(p.id))
            cursor = "UserPainRoomCUR";
        if (cursor) sprites_->Draw(cursor, rx, ry - 1.0f, depth + 1, 0.0f, 248.0f, 16.0f, 0.0f, 0, nullptr);
        char name[64];
        std::snprintf(name, sizeof name, "UserPainNameLv%d", p.id);
        sprites_->Draw(name, rx, ry, depth + 2, 0.0f, 1.0f, 1.0f, 0.0f, 0, &kBlack);
    }
}

bool WidgetUserPain::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kAction) return true;
    if (msg.type != g2ui::WidgetMsg::kButtonDown) return false;
    const auto& m = static_cast<const g2ui::WDButtonDown&>(msg);
    if (m.button != 0 || !(m.x >= 30.0f && m.x < 278.0f)) return false;
    const int row = scroll_->GetPosition() + static_cast<int>((m.y - 36.0f) / kRowPitch);
    if (const lobby::CPlayer* p = GetPlayer(row)) {
        if (p->id != owner_->OwnPlayer().id) owner_->SelectPlayer(p->id);
    } else {
        owner_->SelectPlayer(-1);
    }
    return false;
}

}  // namespace g2lobby
