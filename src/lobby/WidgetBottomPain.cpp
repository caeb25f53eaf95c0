// WidgetBottomPain.cpp -- which of create and start is shown, and the presses of the three buttons.
#include "lobby/WidgetBottomPain.h"

#include "content_tables.h"
#include "lobby/LobbyPaneSupport.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetRoot.h"
#include "lobby/ggSeqLobby.h"

namespace g2lobby {

WidgetBottomPain::WidgetBottomPain(ggSeqLobby* owner) : WidgetSprite(owner->GetSprites()), owner_(owner) {
    width = kWidth;
    height = kHeight;
    depth = 16;
    int32_t ids[WidgetWindowLayout::kPieces];
    ListPaneFrameIds(content::SPR_LB_PANE_LT_MENU, ids);
    frame_ = std::make_unique<WidgetWindowLayout>(sprites_, width, height, "BottomPain", ids);
    frame_->SetBorders(84.0f, 2.0f, 23.0f, 7.0f);
    frame_->depth = 0;
    AddChild(frame_.get());
    create_ = std::make_unique<g2ui::WidgetButton>(sprites_, "BottomPainCreate", content::SPR_LB_BT_CREATE_ON,
                                                   content::SPR_LB_BT_CREATE_OFF, content::SPR_LB_BT_CREATE_DIS);
    start_ = std::make_unique<g2ui::WidgetButton>(sprites_, "BTStart", content::SPR_LB_BT_START_ON,
                                                  content::SPR_LB_BT_START_OFF, content::SPR_LB_BT_START_DIS);
    exit_ = std::make_unique<g2ui::WidgetButton>(sprites_, "BottomPainExit", content::SPR_LB_BT_EXIT_ON,
                                                 content::SPR_LB_BT_EXIT_OFF, -1);
    for (g2ui::WidgetButton* b : {create_.get(), start_.get()}) {
        b->x = 20.0f;
        b->y = 33.0f;
    }
    exit_->x = 173.0f;
    exit_->y = 33.0f;
    AddChild(create_.get());
    AddChild(exit_.get());
    g2ui::WidgetRoot::GetParkingRoot()->AddChild(start_.get());
}

WidgetBottomPain::~WidgetBottomPain() {
    create_.reset();
    start_.reset();
    exit_.reset();
    frame_.reset();
}

void WidgetBottomPain::Update() {
    const ggSeqLobby::OwnRoom own = owner_->FindOwnRoom();
    const lobby::CRoom* selected = owner_->GetSelectedRoom();
    g2ui::Widget* parking = g2ui::WidgetRoot::GetParkingRoot();
    if (own.found && own.host) {
        parking->AddChild(create_.get());
        frame_->AddChild(start_.get());
        start_->disabled = !(selected && selected->id == own.room.id);
    } else {
        frame_->AddChild(create_.get());
        parking->AddChild(start_.get());
        create_->disabled = own.found;
    }
}

bool WidgetBottomPain::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kAction) {
        const auto& a = static_cast<const g2ui::WDAction&>(msg);
        if (a.action == "BUTTON_UP") {
            if (a.sender == create_.get())
                owner_->CreateRoom();
            else if (a.sender == start_.get())
                owner_->TryStartRoom();
            else
                owner_->ExitLobby();
        }
    }
    return true;
}

}  // namespace g2lobby
