// WidgetRoomPain.cpp -- the room list: rebuild, selection, details, buttons, row texts and clicks.
#include "lobby/WidgetRoomPain.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "content_tables.h"
#include "lobby/LobbyPaneSupport.h"
#include "lobby/LobbyText.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetLabel.h"
#include "lobby/WidgetScroll.h"
#include "lobby/WidgetText.h"
#include "lobby/ggSeqLobby.h"
#include "lobby/ggSpriteManager.h"
#include "table/CourseTable.h"

namespace g2lobby {

namespace {
const char kPrefix[] = "RoomPain";
const ggColor kBlack{0.0f, 0.0f, 0.0f, 1.0f};
const ggColor kGrey{0.5f, 0.5f, 0.5f, 1.0f};
const char* const kDetailNames[WidgetRoomPain::kDetails] = {"RoomPainTxName", "RoomPainTxOwner", "RoomPainTxCourse",
                                                            "RoomPainTxRound", "RoomPainTxNumber"};
const float kDetailWidths[WidgetRoomPain::kDetails] = {256.0f, 128.0f, 256.0f, 64.0f, 64.0f};

std::string RowName(int id) {
    char name[64];
    std::snprintf(name, sizeof name, "RoomPainRoom%d", id);
    return name;
}

// The course table's display name of a room's course (ids below 2 read 2, above 13 read 13).
std::string CourseName(int course) {
    const CourseRecord* r = GetCourseRecord(std::min(std::max(course, kFirstCircuitId), kLastCourseId));
    return r ? r->name : std::string();
}
}  // namespace

WidgetRoomPain::WidgetRoomPain(ggSeqLobby* owner, int, int selectedId)
    : WidgetSprite(owner->GetSprites()), owner_(owner), texts_(owner->GetSprites()), selection_(selectedId) {
    width = kWidth;
    height = kHeight;
    depth = 16;
    int32_t ids[WidgetWindowLayout::kPieces];
    ListPaneFrameIds(content::SPR_LB_PANE_LT_ROOM, ids);
    frame_ = std::make_unique<WidgetWindowLayout>(sprites_, width, height, kPrefix, ids);
    frame_->SetBorders(84.0f, 2.0f, 23.0f, 7.0f);
    frame_->depth = 0;  // the frame lies under the row highlights
    AddChild(frame_.get());
    AddListSprites(sprites_, kPrefix);
    scroll_ = std::make_unique<WidgetScroll>(sprites_, static_cast<int>((kHeight - 236.0f) / kRowPitch), 88.0f,
                                             kRowPitch, "RoomPainScroll");
    scroll_->x = 296.0f;
    scroll_->y = 34.0f;
    frame_->AddChild(scroll_.get());

    background_ = std::make_unique<g2ui::WidgetLabel>(sprites_, "RoomPainBG", content::SPR_LB_ROOM_DETAIL);
    background_->x = 20.0f;
    background_->y = 133.0f;
    background_->width = 273.0f;
    background_->height = 177.0f;
    background_->u0 = 0.0f;
    background_->u1 = 0.5362035f;
    background_->v0 = 0.0f;
    background_->v1 = 0.69803923f;
    frame_->AddChild(background_.get());
    for (int i = 0; i < kDetails; ++i) {
        details_[i] =
            std::make_unique<g2ui::WidgetText>(sprites_, kDetailNames[i], owner->GetFont(), kDetailWidths[i], 16.0f);
        if (i == kName)
            details_[i]->SetColor(1.0f, 1.0f, 1.0f);
        else
            details_[i]->SetColor(0.0f, 0.0f, 0.0f);
        frame_->AddChild(details_[i].get());
    }
    enter_ = std::make_unique<g2ui::WidgetButton>(sprites_, "BtEnter", content::SPR_LB_BT_ENTER_ON,
                                                  content::SPR_LB_BT_ENTER_OFF, content::SPR_LB_BT_ENTER_DIS);
    enter_->x = 32.0f;
    enter_->y = 253.0f;
    frame_->AddChild(enter_.get());
    escape_ = std::make_unique<g2ui::WidgetButton>(sprites_, "BtEscape", content::SPR_LB_BT_CANCEL_ON,
                                                   content::SPR_LB_BT_CANCEL_OFF, content::SPR_LB_BT_CANCEL_DIS);
    escape_->x = 160.0f;
    escape_->y = 253.0f;
    frame_->AddChild(escape_.get());
    UpdateDetails();
}

WidgetRoomPain::~WidgetRoomPain() {
    RemoveListSprites(sprites_, kPrefix);
    enter_.reset();
    escape_.reset();
    for (auto& d : details_) d.reset();
    background_.reset();
    scroll_.reset();
    frame_.reset();
}

const WidgetRoomPain::RoomEntry* WidgetRoomPain::GetRoom(int index) const {
    return index >= 0 && index < GetCount() ? &rooms_[static_cast<size_t>(index)] : nullptr;
}

int WidgetRoomPain::FindIndex(int id) const {
    for (int i = 0; i < GetCount(); ++i)
        if (rooms_[static_cast<size_t>(i)].room.id == id) return i;
    return -1;
}

bool WidgetRoomPain::Select(int id, bool sound) {
    if (!selection_.Select(id, id >= 0 ? FindIndex(id) : -1, sound)) return false;
    UpdateDetails();
    return true;
}

void WidgetRoomPain::Rebuild() {
    rooms_.clear();
    lobby::CLobby* client = owner_->GetLobby();
    if (!client) return;
    std::map<int, lobby::CPlayer> byId;
    {
        const lobby::CPlayerList& players = client->GetPlayerList();
        const int count = std::min(std::max(players.count, 0), lobby::kMaxListEntries);
        for (int i = 0; i < count; ++i) byId.emplace(players.players[i].id, players.players[i]);
    }
    const lobby::CRoomList& list = client->GetRoomList();
    const int count = std::min(std::max(list.count, 0), lobby::kMaxListEntries);
    rooms_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        RoomEntry entry;
        entry.room = list.rooms[i];
        const int members = std::min(std::max(entry.room.memberCount, 0), lobby::kMaxRoomMembers);
        for (int m = 0; m < members; ++m) {
            auto it = byId.find(entry.room.memberIds[m]);
            if (it == byId.end()) continue;
            entry.members.push_back(it->second);
            byId.erase(it);  // a player belongs to the first room that lists him
        }
        rooms_.push_back(std::move(entry));
    }
}

void WidgetRoomPain::Update() {
    Rebuild();
    scroll_->SetTotal(GetCount());
    if (rooms_.empty()) scroll_->SetPosition(0);
    // The selection follows its room's id; a room that is gone takes it along.
    if (!selection_.Follow(selection_.Id() >= 0 ? FindIndex(selection_.Id()) : -1)) owner_->OnSelectionGone(false);
    UpdateDetails();

    const ggSeqLobby::OwnRoom own = owner_->FindOwnRoom();
    const RoomEntry* selected = GetRoom(selection_.Index());
    if (own.found) {
        enter_->disabled = true;
        escape_->disabled = !(selected && selected->room.id == own.room.id);
    } else {
        escape_->disabled = true;
        enter_->disabled = !(selected && !owner_->GetSelectedPlayer() && selected->room.started == 0 &&
                             selected->room.memberCount < lobby::kMaxRoomMembers);
    }
}

void WidgetRoomPain::SetDetail(Detail d, const std::string& text, float x, float y) {
    g2ui::WidgetText* t = details_[d].get();
    if (t->GetText() != text) t->SetText(text);
    t->x = x;
    t->y = y;
}

void WidgetRoomPain::SetDetailRight(Detail d, const std::string& text, float right, float y) {
    const int fontHeight = owner_->GetFont() ? owner_->GetFont()->GetHeight() : 14;
    SetDetail(d, text, right - std::floor(static_cast<float>(text.size()) * static_cast<float>(fontHeight) * 0.5f), y);
}

void WidgetRoomPain::UpdateDetails() {
    const RoomEntry* e = GetRoom(selection_.Index());
    if (!e || e->room.id != selection_.Id()) {
        for (int i = 0; i < kDetails; ++i) {
            if (!details_[i]->GetText().empty()) details_[i]->SetText(std::string());
        }
        return;
    }
    SetDetail(kName, e->room.name, 39.0f, 139.0f);
    if (!e->members.empty())
        SetDetailRight(kOwner, e->members.front().name, 279.0f, 160.0f);
    else if (!details_[kOwner]->GetText().empty())
        details_[kOwner]->SetText(std::string());
    SetDetailRight(kCourse, CourseName(e->room.course), 279.0f, 181.0f);
    SetDetailRight(kRound, NumberText(e->room.laps, "周"), 279.0f, 202.0f);
    SetDetailRight(kNumber, NumberText(e->room.memberCount, "人"), 279.0f, 223.0f);
}

void WidgetRoomPain::UpdateTexts() {
    texts_.ClearMarks();
    const int first = scroll_->GetPosition();
    const int last = std::min(first + scroll_->GetVisible(), GetCount());
    for (int i = std::max(first, 0); i < last; ++i) {
        const lobby::CRoom& r = rooms_[static_cast<size_t>(i)].room;
        const int key = -(r.id + 1);
        const std::vector<std::pair<int32_t, std::string>> pieces = {{10, r.name}};
        if (auto* entry = texts_.Find(key)) {
            if (shownTexts_[key] != r.name) RedrawText(entry->texture.get(), owner_->GetFont(), pieces);
            shownTexts_[key] = r.name;
            continue;
        }
        texts_.Insert(key,
                      MakeTextSprite(sprites_, owner_->GetFont(), RowName(r.id), 256, 16, 1.0f, 1.0f, 1.0f, pieces));
        shownTexts_[key] = r.name;
    }
    texts_.Purge();
    for (auto it = shownTexts_.begin(); it != shownTexts_.end();)
        it = texts_.Find(it->first) ? std::next(it) : shownTexts_.erase(it);
}

void WidgetRoomPain::Draw(float x, float y, int32_t d) {
    UpdateTexts();
    if (!sprites_) return;
    const ggSeqLobby::OwnRoom own = owner_->FindOwnRoom();
    const int first = scroll_->GetPosition();
    const int last = std::min(first + scroll_->GetVisible(), GetCount());
    const float depth = static_cast<float>(d);
    for (int i = std::max(first, 0), k = 0; i < last; ++i, ++k) {
        const lobby::CRoom& r = rooms_[static_cast<size_t>(i)].room;
        const float rx = x + 30.0f, ry = y + 36.0f + kRowPitch * static_cast<float>(k);
        const bool selected = selection_.Is(i, r.id);
        const bool started = !selected && r.started == 1;
        const char* cursor = nullptr;
        if (selected)
            cursor = "RoomPainScrollCUR";
        else if (own.found && r.id == own.room.id)
            cursor = "RoomPainRoomCUR";
        if (cursor) sprites_->Draw(cursor, rx, ry - 1.0f, depth + 1, 0.0f, 248.0f, 16.0f, 0.0f, 0, nullptr);
        sprites_->Draw(RowName(r.id), rx, ry, depth + 2, 0.0f, 1.0f, 1.0f, 0.0f, 0, started ? &kGrey : &kBlack);
        sprites_->Draw(r.started == 1 ? "RoomPainSEB" : "RoomPainSEP", rx, ry + 15.0f, depth + 1, 0.0f, 1.0f, 1.0f,
                       0.0f, 0, nullptr);
    }
}

bool WidgetRoomPain::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kAction) {
        const auto& a = static_cast<const g2ui::WDAction&>(msg);
        if (a.action == "BUTTON_UP") {
            if (a.sender == enter_.get())
                owner_->JoinSelectedRoom();
            else if (a.sender == escape_.get())
                owner_->LeaveRoom();
        }
        return true;
    }
    if (msg.type != g2ui::WidgetMsg::kButtonDown) return false;
    const auto& m = static_cast<const g2ui::WDButtonDown&>(msg);
    if (m.button != 0 || !(m.x >= 30.0f && m.x < 278.0f)) return false;
    const int row = scroll_->GetPosition() + static_cast<int>((m.y - 36.0f) / kRowPitch);
    if (const RoomEntry* e = GetRoom(row))
        owner_->SelectRoom(e->room.id);
    else
        owner_->SelectPlayer(-1);
    return false;
}

}  // namespace g2lobby
