// WidgetLobbyDialogs.cpp -- the name entry and room creation dialogs' layout and state.
#include "lobby/WidgetLobbyDialogs.h"

#include <cmath>
#include <cstring>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetButton.h"
#include "lobby/WidgetLabel.h"
#include "lobby/WidgetSelector.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetWindowLayout.h"
#include "lobby/ggSeqLobby.h"

namespace g2lobby {

namespace {
const char kDefaultName[] = "No Name";
const int kLaps[5] = {3, 5, 7, 11, 15};
}  // namespace

// ---------------------------------------------------------------- name entry

WidgetNameEntryDialog::WidgetNameEntryDialog(ggSeqLobby* owner, const std::string& prefix)
    : WidgetDialog(owner->GetSprites(), owner->GetFont(), prefix, 400.0f, 200.0f) {
    SetText(0, {200.0f, 28.0f}, "名前を入力してください");
    SetTextEx(1, {200.0f, 87.0f}, tmConfig::GetInstance().GetPlayerName(), owner->GetLineEdit(), kNameBytes);
    // The disabled OK shows the OK button's own disabled picture.
    AddButtonEx(0, {128.0f, 135.0f}, content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, content::SPR_LB_BT_OK_DIS,
                16.0f, 16.0f);
    GetButton(0)->disabled = true;
    AddButton(1, {272.0f, 135.0f}, content::SPR_LB_BT_CANCEL_ON, content::SPR_LB_BT_CANCEL_OFF, 16.0f, 16.0f);
    GetRow(1)->SetEditable(true, true);
}

std::string WidgetNameEntryDialog::GetName() const { return GetRow(1) ? GetRow(1)->GetText() : std::string(); }

bool WidgetNameEntryDialog::IsNameReady() const {
    const std::string name = GetName();
    const bool valid = !name.empty() && name != kDefaultName;
    return valid && GetRow(1) && !GetRow(1)->IsEditing();
}

void WidgetNameEntryDialog::Update() {
    const std::string name = GetName();
    const bool valid = !name.empty() && name != kDefaultName;
    if (g2ui::WidgetButton* ok = GetButton(0)) ok->disabled = !valid;
    nameReady_ = IsNameReady();
}

// ---------------------------------------------------------------- room creation

WidgetCreateDialog::WidgetCreateDialog(ggSeqLobby* owner) : WidgetSprite(owner->GetSprites()) {
    width = 616.0f;
    height = 298.0f;
    depth = 16;
    const int32_t ids[WidgetWindowLayout::kPieces] = {
        content::SPR_LB_DIALOG_LT, content::SPR_LB_DIALOG_MT, content::SPR_LB_DIALOG_RT,
        content::SPR_LB_DIALOG_LM, content::SPR_LB_DIALOG_MM, content::SPR_LB_DIALOG_RM,
        content::SPR_LB_DIALOG_LB, content::SPR_LB_DIALOG_MB, content::SPR_LB_DIALOG_RB,
    };
    frame_ = std::make_unique<WidgetWindowLayout>(sprites_, width, height, "CreateDialog", ids);
    frame_->SetBorders(150.0f, 151.0f, 56.0f, 77.0f);
    AddChild(frame_.get());

    yes_ = std::make_unique<g2ui::WidgetButton>(sprites_, "CreateDialogYes", content::SPR_LB_BT_OK_ON,
                                                content::SPR_LB_BT_OK_OFF, -1);
    yes_->x = 80.0f;
    yes_->y = 231.0f;
    AddChild(yes_.get());
    no_ = std::make_unique<g2ui::WidgetButton>(sprites_, "CreateDialogNo", content::SPR_LB_BT_CANCEL_ON,
                                               content::SPR_LB_BT_CANCEL_OFF, -1);
    no_->x = 420.0f;
    no_->y = 231.0f;
    AddChild(no_.get());

    nameBg_ = std::make_unique<g2ui::WidgetLabel>(sprites_, "CreateDialogNameBG", content::SPR_LB_ROOM_NAME_FIELD);
    nameBg_->x = 81.0f;
    nameBg_->y = 173.0f;
    AddChild(nameBg_.get());
    g2ui::TextTextureFont* font = owner->GetFont();
    const int fontHeight = font ? font->GetHeight() : 14;
    name_ = std::make_unique<g2ui::WidgetText>(sprites_, "CreateDialogTxName", font, 256.0f, 16.0f,
                                               owner->GetLineEdit(), kNameBytes);
    name_->SetColor(0.0f, 1.0f, 1.0f);
    name_->x = 306.0f - std::trunc(static_cast<float>(fontHeight) * 20.0f * 0.25f);
    name_->y = 186.0f;
    AddChild(name_.get());

    course_ = std::make_unique<g2ui::WidgetSelector>(
        sprites_, "CreateDialogType",
        std::vector<int32_t>{
            content::SPR_LB_COURSE_BARCELONA, content::SPR_LB_COURSE_NISEKO, content::SPR_LB_COURSE_BERLIN,
            content::SPR_LB_COURSE_QIR, content::SPR_LB_COURSE_SYDNEY, content::SPR_LB_COURSE_CANADA,
            content::SPR_LB_COURSE_BARCELONA_REV, content::SPR_LB_COURSE_NISEKO_REV, content::SPR_LB_COURSE_BERLIN_REV,
            content::SPR_LB_COURSE_QIR_REV, content::SPR_LB_COURSE_SYDNEY_REV, content::SPR_LB_COURSE_CANADA_REV});
    course_->x = 113.0f;
    course_->y = 74.0f;
    AddChild(course_.get());
    courseL_ = std::make_unique<g2ui::WidgetButton>(sprites_, "CreateDialogTypeL", content::SPR_LB_ARROW_L_ON,
                                                    content::SPR_LB_ARROW_L_OFF, -1);
    courseL_->x = -33.0f;
    courseL_->y = -3.0f;
    course_->AddChild(courseL_.get());
    courseR_ = std::make_unique<g2ui::WidgetButton>(sprites_, "CreateDialogTypeR", content::SPR_LB_ARROW_R_ON,
                                                    content::SPR_LB_ARROW_R_OFF, -1);
    courseR_->x = 400.0f;
    courseR_->y = 0.0f;
    course_->AddChild(courseR_.get());

    laps_ = std::make_unique<g2ui::WidgetSelector>(
        sprites_, "CreateDialogNum",
        std::vector<int32_t>{content::SPR_LB_LAPS_3, content::SPR_LB_LAPS_5, content::SPR_LB_LAPS_7,
                             content::SPR_LB_LAPS_11, content::SPR_LB_LAPS_15});
    laps_->x = 113.0f;
    laps_->y = 125.0f;
    AddChild(laps_.get());
    lapsL_ = std::make_unique<g2ui::WidgetButton>(sprites_, "CreateDialogNumL", content::SPR_LB_ARROW_L_ON,
                                                  content::SPR_LB_ARROW_L_OFF, -1);
    lapsL_->x = -33.0f;
    lapsL_->y = -3.0f;
    laps_->AddChild(lapsL_.get());
    lapsR_ = std::make_unique<g2ui::WidgetButton>(sprites_, "CreateDialogNumR", content::SPR_LB_ARROW_R_ON,
                                                  content::SPR_LB_ARROW_R_OFF, -1);
    lapsR_->x = 400.0f;
    lapsR_->y = -3.0f;
    laps_->AddChild(lapsR_.get());

    name_->SetEditable(true, true);
}

WidgetCreateDialog::~WidgetCreateDialog() {
    courseL_.reset();
    courseR_.reset();
    lapsL_.reset();
    lapsR_.reset();
    course_.reset();
    laps_.reset();
    name_.reset();
    nameBg_.reset();
    yes_.reset();
    no_.reset();
    frame_.reset();
}

std::string WidgetCreateDialog::GetName() const { return name_->GetText(); }

int WidgetCreateDialog::GetCourse() const {
    const int i = course_->GetValue();
    return i >= 0 && i <= 10 ? i + 2 : 13;
}

int WidgetCreateDialog::GetLaps() const {
    const int i = laps_->GetValue();
    return i >= 0 && i < 5 ? kLaps[i] : kLaps[0];
}

bool WidgetCreateDialog::OnMessage(const g2ui::WidgetMsg& msg) {
    if (msg.type == g2ui::WidgetMsg::kAction) {
        const auto& a = static_cast<const g2ui::WDAction&>(msg);
        if (a.action == "BUTTON_UP") {
            if (a.sender == yes_.get())
                result_ = 0;
            else if (a.sender == no_.get())
                result_ = 1;
        }
    }
    return true;
}

}  // namespace g2lobby
