// ggSeqLobby.h -- the lobby screen (27): connection, message loop, modes, probe, panes and the hand-over to a race.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/tmSequence.h"
#include "lobby/ModeObj.h"
#include "lobby/WidgetRoot.h"
#include "lobbyclient/Lobby.h"

namespace g2ui {
class LineEdit;
class TextTextureFont;
class WidgetCursor;
class WidgetText;
}  // namespace g2ui

namespace g2lobby {

class CNetworkConf;
class LobbyPortProbe;
class WidgetBackground;
class WidgetBottomPain;
class WidgetChatPain;
class WidgetInfoPain;
class WidgetRoomPain;
class WidgetUserPain;
class ggSpriteManager;

class ggSeqLobby;
using LobbyMode = g2util::ModeObj<ggSeqLobby>;
using LobbyModeCtrl = g2util::ModeObjCtrl<ggSeqLobby>;

// The lobby client of the process: made by the first visit's Connect, kept
// through a lobby race (so the next visit reuses it), deleted when a visit
// ends without a race, and at program exit by ReleaseLobbyClient.
lobby::CLobby* GetLobbyClient();
void ReleaseLobbyClient();

// The lobby screen. It connects to the lobby server through the process-wide
// lobby client, drains the client's messages once per logic update, runs the
// eight lobby modes, answers the server's probe of the race port, turns the
// player's commands into requests (ggSeqLobbyActions.cpp) and, when the
// server starts the player's room, hands it over to the network waiting
// room (26); it returns 14 when the player leaves. Owns its mode controller,
// sprite manager, font, line edit, cursor, background, five panes, probe
// sockets, network settings and the copy of a started room's record. Main
// thread only; the client's worker thread is reached only through CLobby.
class ggSeqLobby : public tmSequence {
public:
    // A started room hands over this many updates after its message arrived.
    static constexpr int kHandOverUpdates = 91;
    // The panes are whole on a screen of at least this size.
    static constexpr int kLayoutMinWidth = 1024;
    static constexpr int kLayoutMinHeight = 600;

    // The screen the lobby lays out on, in layout pixels, and how it shows in the window.
    struct Layout {
        int width = 0, height = 0;
        g2ui::ScreenView view;
    };
    // A window of at least the minimum size is the layout itself. A smaller
    // one gets the layout of a screen of its own shape that is large enough,
    // scaled down to fit the window whole, centred on whole pixels.
    static Layout LayoutFor(int windowWidth, int windowHeight);

    ggSeqLobby();
    ~ggSeqLobby() override;
    ggSeqLobby(const ggSeqLobby&) = delete;
    ggSeqLobby& operator=(const ggSeqLobby&) = delete;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // ---- used by the modes ----
    void Connect();
    void Disconnect();
    void PumpSockets();
    // Takes or gives back the toolkit's modal flag (taking it cancels every edit).
    void SetModal(bool on);
    bool RequestMode(const std::string& name);
    // The hand-over of the started room to the network race; false (the room
    // is left and the lobby goes back to idle) when the own id is not a member.
    bool HandOverRoom();
    static void PlaySe(uint32_t soundId);

    // ---- actions (ggSeqLobbyActions.cpp) ----
    struct OwnRoom {
        bool found = false;
        lobby::CRoom room;
        bool host = false;
    };
    bool IsUsable() const;
    bool CreateRoom();
    void ExitLobby();
    void StartRoom();
    void TryStartRoom();
    void LeaveRoom();
    void JoinSelectedRoom();
    void SendChat(const std::string& text);
    void SendTell(int playerId, const std::string& text);
    void SetNameAndTeam(const std::string& name, const std::string& team);
    void SetComment(const std::string& text);
    void ShowHelp();
    bool IsChatKeyAllowed() const;
    void ExecuteCommand(const std::string& line);
    OwnRoom FindOwnRoom() const;
    const lobby::CPlayer* GetSelectedPlayer() const;
    const lobby::CRoom* GetSelectedRoom() const;
    bool SelectPlayer(int playerId);
    bool SelectRoom(int roomId);
    // Ctrl+Up (-1) and Ctrl+Down (+1): the player selection moves one row.
    void StepPlayerSelection(int step);
    // A pane's selection was cleared because its player or room left.
    void OnSelectionGone(bool player);
    static bool IsRoomOpen(const lobby::CRoom& room);

    // ---- state ----
    lobby::CLobby* GetLobby() const { return GetLobbyClient(); }
    bool IsActive() const { return active_; }
    bool IsModal() const { return modal_; }
    LobbyModeCtrl* GetModeCtrl() const { return modeCtrl_.get(); }
    std::string GetModeName() const;
    lobby::CPlayer& OwnPlayer() { return ownPlayer_; }
    const lobby::CPlayer& OwnPlayer() const { return ownPlayer_; }
    int GetErrorCode() const { return errorCode_; }
    const std::string& GetErrorText() const { return errorText_; }
    const lobby::CRoomStart* GetRoomStart() const { return roomStart_.get(); }
    std::vector<std::string>& StartWarnings() { return startWarnings_; }
    int GetPendingRaceKind() const { return pendingRaceKind_; }
    const CNetworkConf* GetNetConf() const { return netConf_.get(); }
    const LobbyPortProbe* GetProbe() const { return probe_.get(); }
    int GetScreenWidth() const { return screenWidth_; }
    int GetScreenHeight() const { return screenHeight_; }

    ggSpriteManager* GetSprites() const { return sprites_.get(); }
    g2ui::TextTextureFont* GetFont() const { return font_.get(); }
    g2ui::LineEdit* GetLineEdit() const { return lineEdit_.get(); }
    WidgetUserPain* GetUserPain() const { return userPain_.get(); }
    WidgetRoomPain* GetRoomPain() const { return roomPain_.get(); }
    WidgetChatPain* GetChatPain() const { return chatPain_.get(); }
    WidgetInfoPain* GetInfoPain() const { return infoPain_.get(); }
    WidgetBottomPain* GetBottomPain() const { return bottomPain_.get(); }

private:
    void DrainMessages(bool* refresh);
    void HandleCtrlKeys();
    // Between updates the text input listens while typing can open the chat
    // entry, so the key that opens it arrives as its first character; text
    // that opened nothing is dropped at the next update's end.
    void ListenForTyping();
    void FillOwnPlayer();
    void OpenProbe();

    std::unique_ptr<LobbyModeCtrl> modeCtrl_;
    bool active_ = false;
    bool modal_ = false;
    int errorCode_ = 0;
    std::string errorText_;
    std::unique_ptr<CNetworkConf> netConf_;
    std::unique_ptr<LobbyPortProbe> probe_;
    lobby::CPlayer ownPlayer_;
    std::unique_ptr<lobby::CRoomStart> roomStart_;
    int pendingRaceKind_ = -1;
    std::vector<std::string> startWarnings_;
    int selectedPlayerId_ = -1;
    int screenWidth_ = 0, screenHeight_ = 0;
    bool initialized_ = false;
    bool listening_ = false;
    // The field whose edit was open at the last update's end (compared, never used).
    const g2ui::WidgetText* lastEditor_ = nullptr;

    std::unique_ptr<ggSpriteManager> sprites_;
    std::unique_ptr<g2ui::TextTextureFont> font_;
    std::unique_ptr<g2ui::LineEdit> lineEdit_;
    std::unique_ptr<g2ui::WidgetCursor> cursor_;
    std::unique_ptr<WidgetBackground> background_;
    std::unique_ptr<WidgetUserPain> userPain_;
    std::unique_ptr<WidgetRoomPain> roomPain_;
    std::unique_ptr<WidgetChatPain> chatPain_;
    std::unique_ptr<WidgetInfoPain> infoPain_;
    std::unique_ptr<WidgetBottomPain> bottomPain_;
};

}  // namespace g2lobby
