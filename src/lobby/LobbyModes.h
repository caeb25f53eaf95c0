// LobbyModes.h -- the eight modes of a lobby visit: connect, exit, error, name entry, idle and the room modes.
#pragma once
#include <memory>
#include <string>

#include "lobby/Widget.h"
#include "lobby/ggSeqLobby.h"

namespace g2lobby {

class WidgetCreateDialog;
class WidgetDialog;
class WidgetNameEntryDialog;

// What the dialog modes share: the dialog is centred on the screen under the
// overlay root with the toolkit modal, and read every update. Keys and pad
// buttons count only while no text field has the keyboard.
class LobbyDialogMode : public LobbyMode {
public:
    using LobbyMode::LobbyMode;
    // Deletes the dialog (taking it off the overlay root).
    void Leave() override;
    g2ui::Widget* GetDialogWidget() const { return dialog_.get(); }

protected:
    // Takes ownership, centres the dialog, shows it and plays the opening sound.
    void Show(g2ui::WidgetSprite* dialog);
    // The dialog's button index for confirm, or (without text focus) decide or Return.
    static bool ConfirmInput(int result);
    // The dialog's cancel index, or (without text focus) cancel or Escape.
    static bool CancelInput(int result, int cancelIndex);
    // Any of confirm or cancel keys (the error dialog closes on all of them).
    static bool AnyKey();

    std::unique_ptr<g2ui::WidgetSprite> dialog_;
};

// "CONNECT": connects and waits for the login, a dialog counting dots.
class LobbyConnect : public LobbyDialogMode {
public:
    explicit LobbyConnect(ggSeqLobby* owner) : LobbyDialogMode("CONNECT", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
    WidgetDialog* GetDialog() const;
    int GetCount() const { return count_; }

private:
    int count_ = 0;
};

// "EXIT": waits until the lobby client can be left, then stops the controller.
class LobbyExit : public LobbyMode {
public:
    explicit LobbyExit(ggSeqLobby* owner) : LobbyMode("EXIT", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
};

// "ERROR": shows the library's error, then leaves the lobby.
class LobbyError : public LobbyDialogMode {
public:
    explicit LobbyError(ggSeqLobby* owner) : LobbyDialogMode("ERROR", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
    WidgetDialog* GetDialog() const;
    int GetRowCount() const { return rows_; }

private:
    int rows_ = 0;
};

// "UNKNOWN": asks for a player name, saves it and goes on to connect.
class LobbyUnknown : public LobbyDialogMode {
public:
    explicit LobbyUnknown(ggSeqLobby* owner) : LobbyDialogMode("UNKNOWN", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
    WidgetNameEntryDialog* GetDialog() const;
};

// "NOTACTIVE": the idle mode in which the panes take input.
class LobbyNotActive : public LobbyMode {
public:
    explicit LobbyNotActive(ggSeqLobby* owner) : LobbyMode("NOTACTIVE", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl&) override { return true; }
};

// "RMCRT": the room creation dialog; sends the creation request.
class LobbyRmCrt : public LobbyDialogMode {
public:
    explicit LobbyRmCrt(ggSeqLobby* owner) : LobbyDialogMode("RMCRT", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
    WidgetCreateDialog* GetDialog() const;

private:
    int count_ = 0;
};

// "RMSTW": warns the host that some members may not receive race datagrams.
class LobbyRmStw : public LobbyDialogMode {
public:
    explicit LobbyRmStw(ggSeqLobby* owner) : LobbyDialogMode("RMSTW", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
    WidgetDialog* GetDialog() const;
};

// "RMSTT": a started room; hands it over to the network race after a wait.
class LobbyRmStt : public LobbyMode {
public:
    explicit LobbyRmStt(ggSeqLobby* owner) : LobbyMode("RMSTT", owner) {}
    void Enter() override;
    bool Update(LobbyModeCtrl& ctrl) override;
    int GetCount() const { return count_; }

private:
    int count_ = 0;
};

}  // namespace g2lobby
