// LobbyVisit.cpp -- the headless lobby visit: files, services, steps, keys and clicks.
#include "lobby/LobbyVisit.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

#include "app/tmConfig.h"
#include "lobby/WidgetRoot.h"
#include "lobbyclient/Lobby.h"
#include "platform/net/TcpListener.h"
#include "platform/net/UdpSocket.h"
#include "sys/input/tmPeripheral.h"
#include "sys/input/tmTextInput.h"
#include "sys/net/tmNetwork.h"

namespace lobbytest {

uint16_t FreeLoopbackPort() {
    for (int attempt = 0; attempt < 20; ++attempt) {
        auto listener = platform::TcpListener::Listen("127.0.0.1", 0);
        if (!listener) continue;
        const uint16_t port = listener->Port();
        listener.reset();
        auto udp = platform::UdpSocket::Create(platform::UdpSocket::Backend::Loopback);
        uint32_t loopback = 0;
        platform::ParseIPv4("127.0.0.1", loopback);
        if (udp->Open(loopback, port)) return port;
    }
    return 0;
}

PlayerInfo MakePlayer(uint32_t id, const std::string& name, uint32_t level, uint32_t udp) {
    PlayerInfo p;
    p.id = id;
    p.name = name;
    p.team = "TEAM" + std::to_string(id);
    p.comment = "comment of " + name;
    p.record[0] = level;
    p.status1 = 1;
    p.status2 = udp;
    return p;
}

RoomInfo MakeRoom(uint32_t id, const std::string& name, uint32_t course, uint32_t laps,
                  const std::vector<uint32_t>& members, uint32_t started) {
    RoomInfo r;
    r.id = id;
    r.name = name;
    r.course = course;
    r.laps = laps;
    for (uint32_t m : members) r.members.push_back({m, {127, 0, 0, static_cast<uint8_t>(1 + m % 200)}});
    r.started = started;
    return r;
}

bool WritePortraitJpeg(const std::string& path, int side) {
    std::vector<uint8_t> rgb(static_cast<size_t>(side) * side * 3);
    const float c = side / 2.0f;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const float fx = (x - c) / c, fy = (y - c) / c;
            float r = 0.95f - 0.4f * y / side, g = 0.55f - 0.3f * y / side, b = 0.2f + 0.3f * y / side;
            const float head = std::hypot(fx, (fy + 0.1f) * 1.1f);
            if (fy > 0.55f && std::fabs(fx) < 0.8f - (fy - 0.55f) * 0.2f) {
                r = 0.1f, g = 0.12f, b = 0.18f;  // suit
            } else if (head < 0.55f) {
                r = 0.9f, g = 0.92f, b = 0.95f;                                                           // helmet
                if (fy > -0.15f && fy < 0.12f && std::fabs(fx) < 0.42f) r = 0.05f, g = 0.35f, b = 0.55f;  // visor
                if (std::fabs(fy + 0.32f) < 0.05f) r = 0.85f, g = 0.1f, b = 0.1f;                         // stripe
            }
            uint8_t* px = &rgb[(static_cast<size_t>(y) * side + x) * 3];
            px[0] = static_cast<uint8_t>(r * 255);
            px[1] = static_cast<uint8_t>(g * 255);
            px[2] = static_cast<uint8_t>(b * 255);
        }
    }
    return stbi_write_jpg(path.c_str(), side, side, 3, rgb.data(), 90) != 0;
}

LobbyVisit::LobbyVisit() {
    tmPeripheral::Create();
    tmPeripheral::GetInstance()->Init(&input, true);
    tmTextInput::SetDevice(&text);
    tmNetwork::Options options;
    options.backend = platform::UdpSocket::Backend::Loopback;
    tmNetwork::Create(options);
}

LobbyVisit::~LobbyVisit() {
    if (screen) screen->Term();
    screen.reset();
    g2lobby::ReleaseLobbyClient();
    g2ui::WidgetRoot::SetModal(false);
    g2ui::WidgetRoot::SetCursorWidget(nullptr);
    tmNetwork::Destroy();
    tmTextInput::SetDevice(nullptr);
    tmPeripheral::Destroy();
}

void LobbyVisit::WriteFiles(const std::string& conf) {
    std::ofstream("ownip.txt") << "127.0.0.1";
    std::ofstream("network.conf") << conf;
    tmNetwork::GetInstance()->LoadAddressFiles();
}

void LobbyVisit::Begin(const LobbyScript& script, const std::string& playerName, const std::string& extraConf) {
    server.StartLobby(script);
    battlePort = FreeLoopbackPort();
    const std::string conf = "LobbyHost=127.0.0.1\nLobbyPort=" + std::to_string(server.Port()) +
                             "\nLobbyURL=\nBattlePort=" + std::to_string(battlePort) + "\n" + extraConf;
    BeginWithoutServer(conf, playerName);
}

void LobbyVisit::BeginWithoutServer(const std::string& conf, const std::string& playerName) {
    WriteFiles(conf);
    tmConfig::GetInstance().SetPlayerName(playerName.c_str());
    screen = std::make_unique<g2lobby::ggSeqLobby>();
    screen->Init();
}

int LobbyVisit::Step() {
    tmPeripheral* in = tmPeripheral::GetInstance();
    in->Update();
    lastResult_ = screen->Update();
    in->StorePrevious();
    g2ui::WidgetRoot::DrawAll();
    drawn_ = screen->GetSprites() ? screen->GetSprites()->GetDrawList() : decltype(drawn_)();
    if (screen->GetSprites()) screen->GetSprites()->Flush();
    if (afterFrame) afterFrame();
    return lastResult_;
}

bool LobbyVisit::StepUntil(const std::function<bool()>& pred, int maxSteps) {
    for (int i = 0; i < maxSteps; ++i) {
        if (pred()) return true;
        Step();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return pred();
}

bool LobbyVisit::Connect(int players, int rooms) {
    return StepUntil([&] {
        lobby::CLobby* client = screen->GetLobby();
        return Mode() == "NOTACTIVE" && client && client->GetPlayerList().count >= players &&
               client->GetRoomList().count >= rooms;
    });
}

void LobbyVisit::Tap(int dik, bool ctrl) {
    if (ctrl) input.SetKey(tmKey::kLeftControl, true);
    input.SetKey(dik, true);
    Step();
    input.SetKey(dik, false);
    if (ctrl) input.SetKey(tmKey::kLeftControl, false);
    Step();
}

void LobbyVisit::TypeKey(int dik, const std::string& utf8) {
    input.SetKey(dik, true);
    text.Type(utf8);
    Step();
    input.SetKey(dik, false);
    Step();
}

void LobbyVisit::Click(float x, float y) {
    input.cursorX = static_cast<int32_t>(x);
    input.cursorY = static_cast<int32_t>(y);
    input.mouse.buttons[0] = 0x80;
    Step();
    input.mouse.buttons[0] = 0;
    Step();
}

void LobbyVisit::QuickClick(float x, float y) {
    input.cursorX = static_cast<int32_t>(x);
    input.cursorY = static_cast<int32_t>(y);
    input.TapButton(0);
    Step();
    Step();
}

void LobbyVisit::TypeAndCommit(const std::string& utf8) {
    text.Type(utf8);
    text.Press(platform::EditKey::Enter);
    input.SetKey(tmKey::kReturn, true);
    Step();
    input.SetKey(tmKey::kReturn, false);
    Step();
}

const g2lobby::ggSpriteManager::DrawRecord* LobbyVisit::FindDrawn(const std::string& name) const {
    for (const auto& d : drawn_)
        if (d.name == name) return &d;
    return nullptr;
}

int LobbyVisit::CountDrawn(const std::string& name) const {
    int n = 0;
    for (const auto& d : drawn_) n += d.name == name;
    return n;
}

}  // namespace lobbytest
