// LobbyVisit.h -- a lobby screen run headless against the test lobby server on 127.0.0.1.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lobby/ggSeqLobby.h"
#include "lobby/ggSpriteManager.h"
#include "lobbyclient/TestLobbyServer.h"
#include "platform/input/InputDevices.h"
#include "platform/input/TextInput.h"

class tmRender;

namespace lobbytest {

// A free port on 127.0.0.1 for both TCP and UDP (found by binding port 0).
uint16_t FreeLoopbackPort();
// A player the test server announces.
PlayerInfo MakePlayer(uint32_t id, const std::string& name, uint32_t level = 0, uint32_t udp = 1);
// A room the test server announces, with members given by id (all on 127.0.0.1).
RoomInfo MakeRoom(uint32_t id, const std::string& name, uint32_t course, uint32_t laps,
                  const std::vector<uint32_t>& members, uint32_t started = 0);

// Writes a small portrait JPEG (a helmeted driver on a gradient) of side x side pixels.
bool WritePortraitJpeg(const std::string& path, int side);

// One lobby visit in the current working folder (the test's own): the test
// lobby server with a script, a network.conf pointing at it (probe sockets on
// a free loopback port, the own address 127.0.0.1 from ownip.txt), scripted
// input, the process-wide input service and datagram transport, and the
// screen itself. The renderer is the caller's (headless or OpenGL). Steps run
// Update then Draw, as the main loop does.
class LobbyVisit {
public:
    LobbyVisit();
    ~LobbyVisit();

    // Starts the server's script, writes network.conf (with extra lines) and
    // Inits the screen. The saved player name is set first.
    void Begin(const LobbyScript& script, const std::string& playerName = "Tester", const std::string& extraConf = "");
    // Inits the screen without starting a server script (for error paths).
    void BeginWithoutServer(const std::string& conf, const std::string& playerName = "Tester");
    // One logic update and one draw; the screen's Update result.
    int Step();
    // Steps until pred holds (checked before each step), pausing a little
    // between steps so the client's worker can run; false when maxSteps ran out.
    bool StepUntil(const std::function<bool()>& pred, int maxSteps = 3000);
    // Steps until the login is accepted and the lists hold what the script sent.
    bool Connect(int players, int rooms);
    // Keys and mouse for the next step.
    void SetKey(int dik, bool down) { input.SetKey(dik, down); }
    // Holds the key (with Ctrl when asked) for one step, then releases it for one step.
    void Tap(int dik, bool ctrl = false);
    // A key that types: pressed with its text in one step (as SDL reports both
    // in the same pump), released in the next.
    void TypeKey(int dik, const std::string& utf8);
    // A press in one step and a release in the next at window pixel (x, y).
    void Click(float x, float y);
    // A press and release at (x, y) that both fall before one reading (a tap on a touchpad), then a step.
    void QuickClick(float x, float y);
    // Types text into the field being edited and commits it with Return.
    void TypeAndCommit(const std::string& utf8);

    g2lobby::ggSeqLobby& Screen() { return *screen; }
    std::string Mode() const { return screen ? screen->GetModeName() : std::string(); }
    int LastResult() const { return lastResult_; }
    // The sprites the last Step queued (taken before the flush).
    const std::vector<g2lobby::ggSpriteManager::DrawRecord>& Drawn() const { return drawn_; }
    const g2lobby::ggSpriteManager::DrawRecord* FindDrawn(const std::string& name) const;
    int CountDrawn(const std::string& name) const;

    TestLobbyServer server;
    platform::ScriptedInput input;
    platform::ScriptedTextInput text;
    std::unique_ptr<g2lobby::ggSeqLobby> screen;
    uint16_t battlePort = 0;
    // Called at the end of every step, after the sprites went to the renderer
    // (headless tests empty its queue there, display tests render).
    std::function<void()> afterFrame;

private:
    void WriteFiles(const std::string& conf);
    int lastResult_ = 0;
    std::vector<g2lobby::ggSpriteManager::DrawRecord> drawn_;
};

}  // namespace lobbytest
