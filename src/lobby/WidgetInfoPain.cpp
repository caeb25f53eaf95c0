// WidgetInfoPain.cpp -- filling the profile tabs, placing their texts, the picture and the tab clicks.
#include "lobby/WidgetInfoPain.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "content_tables.h"
#include "lobby/LobbyText.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetText.h"
#include "lobby/ggSeqLobby.h"
#include "lobby/ggSpriteManager.h"

namespace g2lobby {

namespace {
const char kPhoto[] = "InfoPainPhoto";
const char kPhotoUser[] = "InfoPainPhotoUsr";
constexpr int kPictureSide = 122;
const char* const kTextNames[WidgetInfoPain::kTexts] = {"InfoPainTxTeam", "InfoPainTxName", "InfoPainTxRank",
                                                        "InfoPainTxLv",   "InfoPainTxExp",  "InfoPainTxComment0",
                                                        "InfoPainTxTCP",  "InfoPainTxUDP"};
const float kTextWidths[WidgetInfoPain::kTexts] = {128, 128, 128, 128, 128, 256, 64, 64};
// Entries: bytes they take; 0 for a display text.
const uint32_t kEntryBytes[WidgetInfoPain::kTexts] = {16, 16, 0, 0, 0, 34, 0, 0};
const char* const kTables[] = {"InfoPainJBGL", "InfoPainJBGM", "InfoPainJBGR", "InfoPainTBGL",
                               "InfoPainTBGM", "InfoPainTBGR", kPhoto};
}  // namespace

WidgetInfoPain::WidgetInfoPain(ggSeqLobby* owner, int screenWidth) : WidgetSprite(owner->GetSprites()), owner_(owner) {
    width = static_cast<float>(screenWidth - 334);
    height = 256.0f;
    depth = 16;
    if (sprites_) {
        const uint32_t ids[] = {content::SPR_LB_INFO_OWN_L,   content::SPR_LB_INFO_M, content::SPR_LB_INFO_R,
                                content::SPR_LB_INFO_OTHER_L, content::SPR_LB_INFO_M, content::SPR_LB_INFO_R,
                                content::SPR_LB_NO_IMAGE};
        for (size_t i = 0; i < sizeof ids / sizeof ids[0]; ++i) sprites_->AddTableSprite(kTables[i], ids[i]);
    }
    for (int i = 0; i < kTexts; ++i) {
        if (kEntryBytes[i])
            texts_[i] = std::make_unique<g2ui::WidgetText>(sprites_, kTextNames[i], owner->GetFont(), kTextWidths[i],
                                                           16.0f, owner->GetLineEdit(), kEntryBytes[i]);
        else
            texts_[i] =
                std::make_unique<g2ui::WidgetText>(sprites_, kTextNames[i], owner->GetFont(), kTextWidths[i], 16.0f);
        texts_[i]->SetColor(1.0f, 1.0f, 1.0f);
        AddChild(texts_[i].get());
    }
    Fill(true, true);
}

WidgetInfoPain::~WidgetInfoPain() {
    for (auto& t : texts_) t.reset();
    if (!sprites_) return;
    for (const char* name : kTables) sprites_->Remove(name);
    sprites_->Remove(kPhotoUser);
}

const void* WidgetInfoPain::ShownPlayer() const {
    if (!owner_->GetLobby()) return nullptr;
    if (ownTab_) return &owner_->OwnPlayer();
    return owner_->GetSelectedPlayer();
}

void WidgetInfoPain::Fill(bool own, bool forced) {
    if (!forced && own == ownTab_) return;
    // A field of the own tab that is being typed in is left alone: a refresh (a player joined, left or
    // changed) neither ends its edit nor overwrites it, so nothing typed is lost.
    const auto typing = [&](Text t) { return own && ownTab_ && texts_[t]->IsEditing(); };
    const auto set = [&](Text t, const std::string& text) {
        if (!typing(t)) texts_[t]->SetText(text);
    };
    for (Text t : {kTeam, kName, kComment})
        if (!typing(t)) texts_[t]->SetEditable(own, false);
    if (owner_->GetLobby()) {
        const lobby::CPlayer* p = own ? &owner_->OwnPlayer() : owner_->GetSelectedPlayer();
        if (p) {
            texts_[kTeam]->SetColor(1.0f, 1.0f, 1.0f);
            texts_[kName]->SetColor(0.0f, 1.0f, 1.0f);
            if (own)
                texts_[kComment]->SetColor(0.24313726f, 0.4f, 0.68235296f);
            else
                texts_[kComment]->SetColor(0.2627451f, 0.59607846f, 0.42745098f);
            set(kTeam, p->team);
            set(kName, p->name);
            set(kRank, "-位");
            set(kLevel, NumberText(ShownLevel(p->record.value[0])));
            set(kExp, NumberText(ShownExperience(p->record.value[1])));
            set(kComment, p->comment);
            set(kTcp, std::string("TCP/") + ReachabilityMark(p->status1));
            set(kUdp, std::string("UDP/") + ReachabilityMark(p->status2));
        } else if (!own) {
            for (auto& t : texts_) t->SetText(std::string());
        }
    }
    ownTab_ = own;
    Place();
}

void WidgetInfoPain::Place() {
    const float w = width;
    const float h = owner_->GetFont() ? static_cast<float>(owner_->GetFont()->GetHeight()) : 14.0f;
    auto bytes = [&](Text t) { return static_cast<float>(texts_[t]->GetText().size()); };
    auto place = [&](Text t, float x, float y) {
        texts_[t]->x = x;
        texts_[t]->y = y;
    };
    place(kTeam, 352.0f - std::floor(bytes(kTeam) * h * 0.25f), 117.0f);
    place(kName, 352.0f - std::floor(bytes(kName) * h * 0.25f), 151.0f);
    place(kRank, w - 17.0f - std::floor(bytes(kRank) * h * 0.5f), 64.0f);
    place(kLevel, w - 17.0f - std::floor(bytes(kLevel) * h * 0.5f), 107.0f);
    place(kExp, w - 99.0f - std::floor(bytes(kExp) * h * 0.5f), 150.0f);
    place(kComment, 162.0f, 70.0f);
    place(kTcp, w - 57.0f, 141.0f);
    place(kUdp, w - 57.0f, 158.0f);
}

void WidgetInfoPain::Refresh() { Fill(ownTab_, true); }

void WidgetInfoPain::SetCommentText(const std::string& text) { texts_[kComment]->SetTextFixed(text); }

void WidgetInfoPain::Draw(float x, float y, int32_t d) {
    drawnPicture_.clear();
    if (!sprites_) return;
    const float depth = static_cast<float>(d);
    const char* left = ownTab_ ? "InfoPainJBGL" : "InfoPainTBGL";
    const char* middle = ownTab_ ? "InfoPainJBGM" : "InfoPainTBGM";
    const char* right = ownTab_ ? "InfoPainJBGR" : "InfoPainTBGR";
    sprites_->DrawPart(left, x, y, depth, 616.0f, 189.0f, 0.0f, 0, nullptr, 0.0f, 0.0f);
    sprites_->DrawPart(right, x + width - 90.0f, y, depth, 90.0f, 189.0f, 0.0f, 0, nullptr, 0.0f, 0.0f);
    const float stretch = (width - 90.0f) - 616.0f;
    if (stretch > 0.0f) sprites_->DrawPart(middle, x + 616.0f, y, depth, 2.0f, 189.0f, 0.0f, 0, nullptr, stretch, 0.0f);

    std::string picture = kPhoto;
    const auto* player = static_cast<const lobby::CPlayer*>(ShownPlayer());
    if (player) {
        const lobby::CPlayerPict& pict = owner_->GetLobby()->GetPlayerPict(player->id);
        if (pict.state == lobby::CPlayerPict::kPresent) {
            if (pictureId_ != player->id) {
                sprites_->Remove(kPhotoUser);
                const size_t size = std::min<size_t>(pict.size, sizeof pict.picture);
                pictureOk_ = sprites_->AddTextureFromMemory(kPhotoUser, kPictureSide, kPictureSide, pict.picture, size);
                pictureId_ = player->id;
            }
            if (pictureOk_) picture = kPhotoUser;  // a picture that cannot be decoded shows the default one
        } else if (pict.state == lobby::CPlayerPict::kStale || pict.state == lobby::CPlayerPict::kRequested) {
            picture.clear();  // being fetched: no picture at all
        }
    }
    if (picture.empty()) return;
    sprites_->Draw(picture, x + 12.0f, y + 51.0f, depth + 1, 0.0f, 1.0f, 1.0f, 0.0f, 0, nullptr);
    drawnPicture_ = picture;
}

bool WidgetInfoPain::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kButtonDown) {
        const auto& m = static_cast<const g2ui::WDButtonDown&>(msg);
        if (m.button == 0 && m.y >= 1.0f && m.y < 40.0f) {
            if (!ownTab_ && m.x >= 0.0f && m.x < 296.0f) {
                Fill(true, false);
                ggSeqLobby::PlaySe(content::SND_CURSOR_02);
            } else if (ownTab_ && m.x >= 296.0f && m.x < 581.0f) {
                // Like any click outside a field, the tab click commits an edit in progress
                // (reaching here first, it would otherwise end it and lose what was typed).
                for (Text t : {kTeam, kName, kComment})
                    if (texts_[t]->IsEditing()) texts_[t]->EndEdit(false);
                Fill(false, false);
                ggSeqLobby::PlaySe(content::SND_CURSOR_02);
            }
        }
    } else if (msg.type == g2ui::WidgetMsg::kAction && ownTab_) {
        const auto& a = static_cast<const g2ui::WDAction&>(msg);
        if (a.action == "EDIT_FIXED") {
            if (a.sender == texts_[kName].get() || a.sender == texts_[kTeam].get())
                owner_->SetNameAndTeam(texts_[kName]->GetText(), texts_[kTeam]->GetText());
            else if (a.sender == texts_[kComment].get())
                owner_->SetComment(texts_[kComment]->GetText());
        }
    }
    return true;
}

}  // namespace g2lobby
