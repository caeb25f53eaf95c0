// ggSeqLobby.cpp -- the lobby screen's life: building, the per-update message loop, connecting and the hand-over.
#include "lobby/ggSeqLobby.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "lobby/LineEdit.h"
#include "lobby/LobbyModes.h"
#include "lobby/LobbyPortProbe.h"
#include "lobby/NetworkConf.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetBottomPain.h"
#include "lobby/WidgetChatPain.h"
#include "lobby/WidgetDialog.h"
#include "lobby/WidgetInfoPain.h"
#include "lobby/WidgetLabel.h"
#include "lobby/WidgetRoomPain.h"
#include "lobby/WidgetRoot.h"
#include "lobby/WidgetText.h"
#include "lobby/WidgetUserPain.h"
#include "lobby/ggSpriteManager.h"
#include "race/tmRaceState.h"
#include "sys/input/tmPeripheral.h"
#include "sys/input/tmTextInput.h"
#include "sys/net/tmNetwork.h"
#include "sys/net/tmProbeSocket.h"
#include "sys/render/tmDraw.h"
#include "sys/sound/tmSound.h"
#include "sys/sound/tmSoundIds.h"

namespace g2lobby {

namespace {

// Process-wide state that outlives the screen (one screen per visit).
std::unique_ptr<lobby::CLobby> g_lobby;
int g_pendingRaceKind = -1;
int g_raceResult = 3;

constexpr unsigned long kProtocol = 14;
const char kOwnPictureFile[] = "MyImage.jpg";
const char kDefaultPictureFile[] = "data/NoImage.jpg";
const char kNetworkConf[] = "network.conf";
const char kDefaultName[] = "No Name";

bool CtrlHeld() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    return in && (in->IsKeyDown(tmKey::kLeftControl) || in->IsKeyDown(tmKey::kRightControl));
}

}  // namespace

lobby::CLobby* GetLobbyClient() { return g_lobby.get(); }

void ReleaseLobbyClient() {
    if (g_lobby && g_lobby->IsLeavable()) g_lobby->Leave();
    g_lobby.reset();
    g_pendingRaceKind = -1;
}

ggSeqLobby::ggSeqLobby() = default;

ggSeqLobby::~ggSeqLobby() { Term(); }

void ggSeqLobby::PlaySe(uint32_t soundId) {
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(soundId);
}

bool ggSeqLobby::RequestMode(const std::string& name) { return modeCtrl_ && modeCtrl_->ChangeMode(name); }

std::string ggSeqLobby::GetModeName() const { return modeCtrl_ ? modeCtrl_->GetCurrentName() : std::string(); }

ggSeqLobby::Layout ggSeqLobby::LayoutFor(int windowWidth, int windowHeight) {
    Layout layout;
    layout.width = windowWidth;
    layout.height = windowHeight;
    if (windowWidth <= 0 || windowHeight <= 0) return layout;
    if (windowWidth >= kLayoutMinWidth && windowHeight >= kLayoutMinHeight) return layout;
    // Grown by the side that falls shorter, in whole numbers so the shape is the window's.
    const int64_t w = windowWidth, h = windowHeight;
    if (kLayoutMinWidth * h >= kLayoutMinHeight * w) {
        layout.width = kLayoutMinWidth;
        layout.height = static_cast<int>(h * kLayoutMinWidth / w);
    } else {
        layout.width = static_cast<int>(w * kLayoutMinHeight / h);
        layout.height = kLayoutMinHeight;
    }
    const float sw = static_cast<float>(windowWidth), sh = static_cast<float>(windowHeight);
    const float scale = std::min(sw / static_cast<float>(layout.width), sh / static_cast<float>(layout.height));
    layout.view.scale = scale;
    layout.view.offsetX = std::floor((sw - static_cast<float>(layout.width) * scale) / 2.0f);
    layout.view.offsetY = std::floor((sh - static_cast<float>(layout.height) * scale) / 2.0f);
    return layout;
}

// ---------------------------------------------------------------- Init and Term

void ggSeqLobby::Init() {
    if (initialized_) return;
    initialized_ = true;
    modeCtrl_ = std::make_unique<LobbyModeCtrl>("SeqLobby");
    modeCtrl_->AddMode(new LobbyConnect(this));
    modeCtrl_->AddMode(new LobbyExit(this));
    modeCtrl_->AddMode(new LobbyError(this));
    modeCtrl_->AddMode(new LobbyUnknown(this));
    modeCtrl_->AddMode(new LobbyNotActive(this));
    modeCtrl_->AddMode(new LobbyRmCrt(this));
    modeCtrl_->AddMode(new LobbyRmStw(this));
    modeCtrl_->AddMode(new LobbyRmStt(this));
    const char* name = tmConfig::GetInstance().GetPlayerName();
    RequestMode(name[0] == '\0' || std::strcmp(name, kDefaultName) == 0 ? "UNKNOWN" : "CONNECT");
    pendingRaceKind_ = -1;
    errorCode_ = 0;
    errorText_.clear();

    tmDraw* drawer = tmDraw::GetInstance();
    const Layout layout = LayoutFor(drawer->GetBackBufferWidth(), drawer->GetBackBufferHeight());
    screenWidth_ = layout.width;
    screenHeight_ = layout.height;
    g2ui::WidgetRoot::SetView(layout.view);
    const float W = static_cast<float>(screenWidth_), H = static_cast<float>(screenHeight_);

    sprites_ = std::make_unique<ggSpriteManager>();
    sprites_->SetView(layout.view);
    if (!sprites_->LoadSpriteSet(content::SPRG_LOBBY))
        std::fprintf(stderr, "lobby: the lobby sprite set %d did not load\n", content::SPRG_LOBBY);
    font_ = std::make_unique<g2ui::TextTextureFont>("ＭＳ ゴシック", 14, 400, 0);
    lineEdit_ = std::make_unique<g2ui::LineEdit>();
    cursor_ = std::make_unique<g2ui::WidgetCursor>(sprites_.get(), "cursor", content::SPR_LB_CURSOR);
    g2ui::WidgetRoot::SetCursorWidget(cursor_.get());
    background_ = std::make_unique<WidgetBackground>(sprites_.get(), W, H);
    background_->x = background_->y = 0.0f;
    g2ui::WidgetRoot::GetBaseRoot()->AddChild(background_.get());

    bottomPain_ = std::make_unique<WidgetBottomPain>(this);
    userPain_ = std::make_unique<WidgetUserPain>(this, screenHeight_, -1);
    roomPain_ = std::make_unique<WidgetRoomPain>(this, screenHeight_, -1);
    chatPain_ = std::make_unique<WidgetChatPain>(this, screenWidth_, screenHeight_);
    infoPain_ = std::make_unique<WidgetInfoPain>(this, screenWidth_);
    const auto place = [this](g2ui::Widget* pane, float x, float y) {
        pane->x = x;
        pane->y = y;
        background_->AddChild(pane);
    };
    place(bottomPain_.get(), 12.0f, H - bottomPain_->height - 6.0f);
    place(userPain_.get(), 12.0f, 12.0f);
    place(roomPain_.get(), 12.0f, H - roomPain_->height - bottomPain_->height - 11.0f);
    place(chatPain_.get(), 334.0f, 209.0f);
    place(infoPain_.get(), 334.0f, 13.0f);

    if (tmSound* sound = tmSound::GetInstance()) sound->PlayStream(tmMusicStream::kLobby, false);
}

void ggSeqLobby::Term() {
    if (!modeCtrl_) return;
    if (tmSound* sound = tmSound::GetInstance()) sound->StopStream();
    // The modes go first: a dialog's fields still use the font and the line edit.
    modeCtrl_->Terminate();
    modeCtrl_.reset();
    bottomPain_.reset();
    infoPain_.reset();
    chatPain_.reset();
    roomPain_.reset();
    userPain_.reset();
    background_.reset();
    g2ui::WidgetRoot::SetCursorWidget(nullptr);
    cursor_.reset();
    lineEdit_.reset();
    font_.reset();
    if (sprites_) sprites_->ReleaseAll();
    sprites_.reset();
    if (tmTextInput::IsActive()) tmTextInput::Stop();
    listening_ = false;
    g2ui::WidgetRoot::SetView({});
    SetModal(false);
    Disconnect();
}

// ---------------------------------------------------------------- per update

void ggSeqLobby::DrainMessages(bool* refresh) {
    lobby::CLobby* client = GetLobby();
    if (!client) return;
    while (errorCode_ == 0) {
        lobby::CLobbyMsg msg = client->GetMsg();
        if (msg.type == lobby::LOBBY_MSG_NONE) {
            client->ReleaseMsg(msg);
            return;
        }
        switch (msg.type) {
            case lobby::LOBBY_MSG_ERROR: {
                const auto* e = static_cast<const lobby::CLobbyError*>(msg.data);
                errorCode_ = e ? e->code : -1;
                if (errorCode_ == 0) errorCode_ = -1;  // a code of 0 must still stop the draining
                errorText_ = e ? std::string(e->text, strnlen(e->text, sizeof e->text)) : std::string();
                std::fprintf(stderr, "lobby: error %d from the lobby client\n", errorCode_);
                RequestMode("ERROR");
                client->ReleaseMsg(msg);
                return;
            }
            case lobby::LOBBY_MSG_LOGIN: *refresh = true; break;
            case lobby::LOBBY_MSG_PLAYER_LIST: {
                const lobby::CPlayerList& list = client->GetPlayerList();
                for (int i = 0; i < list.count && i < lobby::kMaxListEntries; ++i) {
                    if (list.players[i].id != ownPlayer_.id) continue;
                    ownPlayer_.status1 = list.players[i].status1;
                    ownPlayer_.status2 = list.players[i].status2;
                }
                *refresh = true;
                break;
            }
            case lobby::LOBBY_MSG_ROOM_START:
                if (msg.data) {
                    roomStart_ = std::make_unique<lobby::CRoomStart>(*static_cast<const lobby::CRoomStart*>(msg.data));
                    RequestMode("RMSTT");
                }
                break;
            default: break;
        }
        client->ReleaseMsg(msg);
    }
}

void ggSeqLobby::HandleCtrlKeys() {
    if (modal_ || !CtrlHeld()) return;
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (in->IsKeyTriggered(tmKey::kH)) {
        ShowHelp();
    } else if (in->IsKeyTriggered(tmKey::kR)) {
        if (!CreateRoom()) StartRoom();
    } else if (in->IsKeyTriggered(tmKey::kJ)) {
        JoinSelectedRoom();
    } else if (in->IsKeyTriggered(tmKey::kL)) {
        LeaveRoom();
    } else if (in->IsKeyTriggered(tmKey::kUp)) {
        StepPlayerSelection(-1);
    } else if (in->IsKeyTriggered(tmKey::kDown)) {
        StepPlayerSelection(1);
    }
}

void ggSeqLobby::ListenForTyping() {
    if (lineEdit_ && lineEdit_->IsOpen()) {
        listening_ = false;  // the field being edited has the text input
        lastEditor_ = lineEdit_->GetHolder();
        return;
    }
    const bool chatOpens = !modal_ && IsUsable() && chatPain_ && chatPain_->GetEntry()->IsEditable();
    if (chatOpens) {
        // A chat line that ended in this update may have left text typed after its Enter (a fast typist's next
        // line): kept, it opens the entry again in the next update. What was typed after the Enter of another
        // field (name, team, comment, a dialog's) was meant for that field and never becomes a chat line.
        const bool keepNextLine = !listening_ && lastEditor_ == chatPain_->GetEntry();
        if (!keepNextLine || !tmTextInput::IsActive()) tmTextInput::Listen();
        listening_ = true;
    } else {
        if (tmTextInput::IsActive()) tmTextInput::Stop();
        listening_ = false;
    }
    lastEditor_ = nullptr;
}

int ggSeqLobby::Update() {
    if (!modeCtrl_) return kSeqMainMenu;
    bool refresh = false;
    DrainMessages(&refresh);
    HandleCtrlKeys();
    if (tmPeripheral::GetInstance()) {
        const g2ui::Point mouse = g2ui::WidgetRoot::GetInputMouse();
        g2ui::WidgetRoot::SetCursorPosition(mouse.x - 2.0f, mouse.y - 2.0f);
    }
    g2ui::WidgetRoot::ProcessInput();
    if (refresh && infoPain_) infoPain_->Refresh();
    const bool running = modeCtrl_->Update();
    ListenForTyping();
    if (running) {
        PumpSockets();
        return 0;
    }
    return pendingRaceKind_ == 1 ? kSeqJoinRace : kSeqMainMenu;
}

void ggSeqLobby::Draw() {
    if (!sprites_) return;
    g2ui::WidgetRoot::DrawAll();
    sprites_->Flush();
}

void ggSeqLobby::SetModal(bool on) {
    if (!modal_ && on) {
        g2ui::WidgetRoot::SetModal(true);
        g2ui::WidgetRoot::BroadcastActivate();
        modal_ = true;
    } else if (modal_ && !on) {
        g2ui::WidgetRoot::SetModal(false);
        modal_ = false;
    }
}

// ---------------------------------------------------------------- connecting

void ggSeqLobby::FillOwnPlayer() {
    const tmConfig& config = tmConfig::GetInstance();
    ownPlayer_.SetName(config.GetPlayerName());
    ownPlayer_.SetTeam(config.GetTeamName());
    ownPlayer_.SetComment(config.GetComment());
    const int record[6] = {
        config.GetProfileValue1(), config.GetProfileValue2(), config.GetWinCount(), config.GetRaceCount(), 0,
        config.GetWinStreak()};
    std::memcpy(ownPlayer_.record.value, record, sizeof record);
    std::memset(ownPlayer_.tableA, 0, sizeof ownPlayer_.tableA);
    std::memset(ownPlayer_.tableB, 0, sizeof ownPlayer_.tableB);
    for (int c = 0; c < 12; ++c) {
        for (int m = 0; m < 11; ++m) {
            ownPlayer_.tableA[c][m] = config.GetModeCourseRecord(c + 2, m + 1);
            ownPlayer_.tableB[c][m] = config.GetModeRecord(3, c + 2, m + 1);
        }
    }
}

void ggSeqLobby::OpenProbe() {
    // A player who named his own address (several game processes on one
    // machine) answers on it; everyone else on every local address.
    uint32_t address = 0;
    if (const tmNetwork* net = tmNetwork::GetInstance()) {
        const tmNetworkAddress& a = net->GetAddresses();
        if (a.ownRead && tmIsLocalAddress(a.own)) address = a.own;
    }
    probe_ = std::make_unique<LobbyPortProbe>();
    probe_->Open(address, static_cast<uint16_t>(netConf_->BattlePort));
}

void ggSeqLobby::Connect() {
    errorCode_ = 0;
    errorText_.clear();
    if (!netConf_) {
        netConf_ = std::make_unique<CNetworkConf>();
        if (!netConf_->Load(kNetworkConf))
            std::fprintf(stderr, "lobby: %s cannot be read; the built-in settings are used\n", kNetworkConf);
    }
    bool firstEntry = false;
    if (g_lobby) {
        if (g_pendingRaceKind == 1) g_lobby->RoomFinish(static_cast<lobby::BATTLE_RESULT>(g_raceResult));
        g_pendingRaceKind = -1;
    } else {
        OpenProbe();
        g_lobby = std::make_unique<lobby::CLobby>(netConf_->LobbyHost.c_str(), netConf_->LobbyPort,
                                                  netConf_->LobbyURL.c_str(), kProtocol,
                                                  tmConfig::GetInstance().GetGuid(), netConf_->BattlePort);
        firstEntry = true;
    }
    FillOwnPlayer();
    if (firstEntry)
        g_lobby->Enter(ownPlayer_, kOwnPictureFile, kDefaultPictureFile);
    else
        g_lobby->Update(ownPlayer_);
    active_ = true;
}

void ggSeqLobby::Disconnect() {
    active_ = false;
    probe_.reset();
    g_pendingRaceKind = pendingRaceKind_;
    g_raceResult = 3;
    if (pendingRaceKind_ < 0 && g_lobby) {
        if (g_lobby->IsLeavable()) g_lobby->Leave();
        g_lobby.reset();
    }
}

void ggSeqLobby::PumpSockets() {
    if (probe_) probe_->Pump(tmConfig::GetInstance().GetGuid());
}

// ---------------------------------------------------------------- hand-over

bool ggSeqLobby::HandOverRoom() {
    const lobby::CRoomStart* start = roomStart_.get();
    int own = -1;
    const int members = start ? std::min(std::max(start->memberCount, 0), lobby::kMaxRoomMembers) : 0;
    for (int i = 0; i < members && own < 0; ++i)
        if (start->members[i].id == ownPlayer_.id) own = i;
    if (own < 0) {
        std::fprintf(stderr, "lobby: the started room does not list player %d; the room is left\n", ownPlayer_.id);
        if (lobby::CLobby* client = GetLobby(); client && active_) client->RoomLeave();
        RequestMode("NOTACTIVE");
        return false;
    }
    tmRaceState& race = tmRaceState::Get();
    tmNetwork* net = tmNetwork::GetInstance();
    if (own == 0) {
        race.hostFlag = 1;
    } else {
        race.hostFlag = 0;
        if (net) net->SetHostAddress(start->address[0], start->address[1], start->address[2], start->address[3]);
    }
    const unsigned char* mine = start->memberAddr[own];
    if (net) net->SetOwnAddress(mine[0], mine[1], mine[2], mine[3]);
    race.setup.course = static_cast<uint32_t>(start->course);
    race.setup.laps = static_cast<uint32_t>(start->laps);
    pendingRaceKind_ = 1;
    RequestMode("EXIT");
    return true;
}

}  // namespace g2lobby
