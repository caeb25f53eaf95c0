// LobbySessionFixture.h -- the fixture of the headless lobby visit tests: a renderer, the visit, helpers.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lobby/LobbyTestSupport.h"
#include "lobby/LobbyVisit.h"
#include "lobby/WidgetChatPain.h"
#include "lobby/ggSeqLobby.h"
#include "sys/render/tmRender.h"
#include "sys/render/tmRenderQueue.h"
#include "sys/text/tmFontFace.h"

namespace lobbytest {

// A lobby screen at 1366 x 768 on the null device, visiting the test lobby server.
class LobbySessionBase : public ::testing::Test {
protected:
    void SetUp() override {
        if (!renderer.Ok()) GTEST_SKIP() << renderer.Error();
        tmFontFace::UseBuiltinGlyphs(true);
        visit = std::make_unique<LobbyVisit>();
        visit->afterFrame = [this] { renderer.Render()->GetQueue()->Clear(); };
    }
    void TearDown() override {
        visit.reset();
        tmFontFace::UseBuiltinGlyphs(false);
        lobbytest::ResetToolkit();
    }
    // Two other players and one room of theirs.
    static lobbytest::LobbyScript Crowd() {
        lobbytest::LobbyScript s;
        s.others = {MakePlayer(7, "Kaede", 12), MakePlayer(9, "Bruno", 3)};
        s.rooms = {MakeRoom(300, "FastLane", 4, 5, {7})};
        return s;
    }
    g2lobby::ggSeqLobby& Screen() { return visit->Screen(); }
    // The current mode object, as its class.
    template <class M>
    M* ModeAs() {
        return dynamic_cast<M*>(Screen().GetModeCtrl()->GetCurrentMode());
    }
    // Steps until the client has sent the n-th message with that code (0-based).
    bool StepUntilSent(const std::string& code, ClientMsg* out = nullptr, int nth = 0) {
        return visit->StepUntil([&] { return visit->server.CountOf(code) > nth; }) &&
               visit->server.WaitFor(code, out, 1000, nth);
    }
    std::string ChatText(int line) {
        const auto& lines = Screen().GetChatPain()->GetLines();
        return line >= 0 && line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)].text : "";
    }

    lobbytest::TestRenderer renderer{1366, 768};
    std::unique_ptr<LobbyVisit> visit;
};

}  // namespace lobbytest
