// WidgetChatPain.h -- the lobby's chat pane: the chat log as stamped, coloured lines and the chat entry line.
#pragma once
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "lobby/TextTextureContainer.h"
#include "lobby/Widget.h"

namespace g2ui {
class WidgetSwitch;
class WidgetSwitchGroup;
class WidgetText;
}  // namespace g2ui

namespace g2lobby {

class ggSeqLobby;
class WidgetScroll;
class WidgetWindowLayout;

// Shows the lobby client's chat log, oldest line at the top and the newest
// next to the entry line, each saying with its sender's name and a short
// time stamp, a long saying wrapped once (never inside a double-byte
// character), the lines of the player selected in the player list
// highlighted. The entry line sends what is typed to everyone, to the
// selected player, or to the lobby screen's command parser ("/..."); two
// switches choose the target. Any text key typed on the lobby screen opens
// the entry. Page Up and Page Down scroll the log by the lines in view; the
// view stays at the newest line unless scrolled away. Owns
// its frame, entry, scroll bar, switches, name and line texts (cached apart)
// and its named sprite.
class WidgetChatPain : public g2ui::WidgetSprite {
public:
    struct ChatLine {
        bool highlight = false;
        float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        std::string name;
        std::string text;
    };

    WidgetChatPain(ggSeqLobby* owner, int screenWidth, int screenHeight);
    ~WidgetChatPain() override;

    // Sends the entry's line (called on its "EDIT_FIXED") and empties the entry.
    void SendInput();
    // Builds the display lines from the lobby client's log (the step of Update).
    void Rebuild();

    const std::vector<ChatLine>& GetLines() const { return lines_; }
    int GetLineLength() const { return lineLength_; }
    int GetEntryLength() const { return entryLength_; }
    int GetTextWidth() const { return textWidth_; }
    g2ui::WidgetText* GetEntry() const { return entry_.get(); }
    g2ui::WidgetSwitchGroup* GetSwitches() const { return group_.get(); }
    WidgetScroll* GetScroll() const { return scroll_.get(); }
    // The clock the stamps are measured against (tests set a fixed one).
    void SetClock(std::time_t (*clock)()) { clock_ = clock; }

    void Update() override;
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

private:
    void UpdateTexts();
    const std::string* NameSprite(const std::string& name);
    const std::string* TextSprite(const std::string& text);

    ggSeqLobby* owner_;
    TextTextureContainer<std::string> names_;
    TextTextureContainer<std::string> texts_;
    std::unique_ptr<WidgetWindowLayout> frame_;
    std::unique_ptr<g2ui::WidgetText> entry_;
    std::unique_ptr<WidgetScroll> scroll_;
    std::unique_ptr<g2ui::WidgetSwitchGroup> group_;
    std::unique_ptr<g2ui::WidgetSwitch> toAll_, toOne_;
    int entryLength_ = 0;
    int lineLength_ = 0;
    int textWidth_ = 512;
    std::vector<ChatLine> lines_;
    std::time_t (*clock_)() = nullptr;
};

}  // namespace g2lobby
