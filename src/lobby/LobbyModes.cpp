// LobbyModes.cpp -- the lobby modes: their dialogs, inputs and switches.
#include "lobby/LobbyModes.h"

#include <cmath>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "lobby/LobbyText.h"
#include "lobby/WidgetDialog.h"
#include "lobby/WidgetLobbyDialogs.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetText.h"
#include "sys/input/tmPeripheral.h"

namespace g2lobby {

namespace {

// A text field has the keyboard: keys and pad buttons are typing, not commands.
bool TextFocus() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return in && in->textEntryLock != 0;
}

bool DecideOrReturn() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return !TextFocus() && in && (in->IsDecideTriggered() || in->IsKeyTriggered(tmKey::kReturn));
}

bool CancelOrEscape() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return !TextFocus() && in && (in->IsCancelTriggered() || in->IsKeyTriggered(tmKey::kEscape));
}

int ClickedOf(const g2ui::Widget* dialog) {
    return dialog ? static_cast<const WidgetDialog*>(dialog)->GetClicked() : -1;
}

constexpr float kRowPitch = 25.0f;

}  // namespace

// ---------------------------------------------------------------- shared dialog handling

void LobbyDialogMode::Leave() { dialog_.reset(); }

void LobbyDialogMode::Show(g2ui::WidgetSprite* dialog) {
    dialog_.reset(dialog);
    dialog->x = std::floor((static_cast<float>(owner_->GetScreenWidth()) - dialog->width) / 2.0f);
    dialog->y = std::floor((static_cast<float>(owner_->GetScreenHeight()) - dialog->height) / 2.0f);
    g2ui::WidgetRoot::GetOverlayRoot()->AddChild(dialog);
    ggSeqLobby::PlaySe(content::SND_DIALOG_01);
}

bool LobbyDialogMode::ConfirmInput(int result) { return result == 0 || DecideOrReturn(); }

bool LobbyDialogMode::CancelInput(int result, int cancelIndex) { return result == cancelIndex || CancelOrEscape(); }

bool LobbyDialogMode::AnyKey() { return DecideOrReturn() || CancelOrEscape(); }

// ---------------------------------------------------------------- CONNECT

void LobbyConnect::Enter() {
    owner_->Connect();
    owner_->SetModal(true);
    auto* dialog = new WidgetDialog(owner_->GetSprites(), owner_->GetFont(), "LobbyConnectDialog", 360.0f, 180.0f);
    dialog->AddButton(0, {180.0f, 116.0f}, content::SPR_LB_BT_CANCEL_ON, content::SPR_LB_BT_CANCEL_OFF, 16.0f, 16.0f);
    count_ = 0;
    Show(dialog);
}

WidgetDialog* LobbyConnect::GetDialog() const { return static_cast<WidgetDialog*>(dialog_.get()); }

bool LobbyConnect::Update(LobbyModeCtrl& ctrl) {
    if (CancelInput(ClickedOf(dialog_.get()), 0)) {
        ctrl.ChangeMode("EXIT");
        ggSeqLobby::PlaySe(content::SND_DIALOG_01);
        return true;
    }
    lobby::CLobby* client = owner_->GetLobby();
    const int id = client ? client->GetID() : -1;
    if (id != -1) {
        owner_->OwnPlayer().id = id;
        ctrl.ChangeMode("NOTACTIVE");
        return false;
    }
    if (WidgetDialog* d = GetDialog()) d->SetText(0, {180.0f, 75.0f}, ConnectingText(count_));
    ++count_;
    return true;
}

// ---------------------------------------------------------------- EXIT

void LobbyExit::Enter() { owner_->SetModal(true); }

bool LobbyExit::Update(LobbyModeCtrl& ctrl) {
    lobby::CLobby* client = owner_->GetLobby();
    if (client && !client->IsLeavable()) return true;
    ctrl.Stop();
    return false;
}

// ---------------------------------------------------------------- ERROR

void LobbyError::Enter() {
    owner_->SetModal(true);
    const std::vector<std::string> rows = ErrorRows(owner_->GetErrorCode(), owner_->GetErrorText());
    rows_ = static_cast<int>(rows.size());
    const float n = static_cast<float>(rows_);
    auto* dialog =
        new WidgetDialog(owner_->GetSprites(), owner_->GetFont(), "LobbyConnectDialog", 360.0f, n * kRowPitch + 155.0f);
    dialog->AddButton(0, {180.0f, n * kRowPitch + 91.0f}, content::SPR_LB_BT_OK_ON, content::SPR_LB_BT_OK_OFF, 16.0f,
                      16.0f);
    for (int i = 0; i < rows_; ++i)
        dialog->SetText(i, {180.0f, 75.0f + kRowPitch * static_cast<float>(i)}, rows[static_cast<size_t>(i)]);
    Show(dialog);
}

WidgetDialog* LobbyError::GetDialog() const { return static_cast<WidgetDialog*>(dialog_.get()); }

bool LobbyError::Update(LobbyModeCtrl& ctrl) {
    if (ClickedOf(dialog_.get()) == 0 || AnyKey()) {
        ctrl.ChangeMode("EXIT");
        ggSeqLobby::PlaySe(content::SND_DIALOG_01);
    }
    return true;
}

// ---------------------------------------------------------------- UNKNOWN

void LobbyUnknown::Enter() {
    owner_->SetModal(true);
    Show(new WidgetNameEntryDialog(owner_, "LobbyNameEntryDialog"));
}

WidgetNameEntryDialog* LobbyUnknown::GetDialog() const { return static_cast<WidgetNameEntryDialog*>(dialog_.get()); }

bool LobbyUnknown::Update(LobbyModeCtrl& ctrl) {
    WidgetNameEntryDialog* dialog = GetDialog();
    const int clicked = ClickedOf(dialog);
    if (dialog && dialog->IsNameReady() && ConfirmInput(clicked)) {
        tmConfig& config = tmConfig::GetInstance();
        config.SetPlayerName(dialog->GetName().c_str());
        config.Save();
        ctrl.ChangeMode("CONNECT");
        ggSeqLobby::PlaySe(content::SND_REFILL_01);
    }
    if (CancelInput(clicked, 1)) {
        ctrl.ChangeMode("EXIT");
        ggSeqLobby::PlaySe(content::SND_DIALOG_01);
    }
    return true;
}

// ---------------------------------------------------------------- NOTACTIVE

void LobbyNotActive::Enter() { owner_->SetModal(false); }

// ---------------------------------------------------------------- RMCRT

void LobbyRmCrt::Enter() {
    owner_->SetModal(true);
    Show(new WidgetCreateDialog(owner_));
    count_ = 0;
}

WidgetCreateDialog* LobbyRmCrt::GetDialog() const { return static_cast<WidgetCreateDialog*>(dialog_.get()); }

bool LobbyRmCrt::Update(LobbyModeCtrl& ctrl) {
    WidgetCreateDialog* dialog = GetDialog();
    const int result = dialog ? dialog->GetResult() : -1;
    if (ConfirmInput(result)) {
        const std::string name = dialog ? dialog->GetName() : std::string();
        if (!name.empty()) {
            if (lobby::CLobby* client = owner_->GetLobby())
                client->RoomCreate(name.c_str(), dialog->GetCourse(), dialog->GetLaps());
            ctrl.ChangeMode("NOTACTIVE");
            ggSeqLobby::PlaySe(content::SND_DECIDE_01);
        }
    } else if (CancelInput(result, 1)) {
        ctrl.ChangeMode("NOTACTIVE");
        ggSeqLobby::PlaySe(content::SND_REFILL_01);
    }
    ++count_;
    return true;
}

// ---------------------------------------------------------------- RMSTW

void LobbyRmStw::Enter() {
    owner_->SetModal(true);
    const std::vector<std::string> rows = StartWarningRows(owner_->StartWarnings());
    const float n = static_cast<float>(rows.size());
    auto* dialog =
        new WidgetDialog(owner_->GetSprites(), owner_->GetFont(), "LobbyConnectDialog", 360.0f, kRowPitch * n + 155.0f);
    dialog->AddButton(0, {108.0f, kRowPitch * n + 91.0f}, content::SPR_LB_BT_START_ON, content::SPR_LB_BT_START_OFF,
                      16.0f, 16.0f);
    dialog->AddButton(1, {252.0f, kRowPitch * n + 91.0f}, content::SPR_LB_BT_CANCEL_ON, content::SPR_LB_BT_CANCEL_OFF,
                      16.0f, 16.0f);
    for (size_t i = 0; i < rows.size(); ++i)
        dialog->SetText(static_cast<int>(i), {180.0f, 75.0f + kRowPitch * static_cast<float>(i)}, rows[i]);
    Show(dialog);
}

WidgetDialog* LobbyRmStw::GetDialog() const { return static_cast<WidgetDialog*>(dialog_.get()); }

bool LobbyRmStw::Update(LobbyModeCtrl& ctrl) {
    const int clicked = ClickedOf(dialog_.get());
    if (ConfirmInput(clicked)) {
        owner_->StartRoom();
        ctrl.ChangeMode("NOTACTIVE");
        ggSeqLobby::PlaySe(content::SND_REFILL_01);
    } else if (CancelInput(clicked, 1)) {
        ctrl.ChangeMode("NOTACTIVE");
        ggSeqLobby::PlaySe(content::SND_DIALOG_01);
    }
    return true;
}

// ---------------------------------------------------------------- RMSTT

void LobbyRmStt::Enter() {
    owner_->SetModal(true);
    count_ = 0;
    ggSeqLobby::PlaySe(content::SND_DIALOG_01);
}

bool LobbyRmStt::Update(LobbyModeCtrl&) {
    if (count_ < ggSeqLobby::kHandOverUpdates) {
        ++count_;
        return true;
    }
    if (count_ == ggSeqLobby::kHandOverUpdates) owner_->HandOverRoom();
    ++count_;
    return true;
}

}  // namespace g2lobby
