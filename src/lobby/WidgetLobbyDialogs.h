// WidgetLobbyDialogs.h -- the lobby's name entry dialog and room creation dialog.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "lobby/WidgetDialog.h"

namespace g2ui {
class WidgetButton;
class WidgetLabel;
class WidgetSelector;
class WidgetText;
}  // namespace g2ui

namespace g2lobby {

class ggSeqLobby;

// Asks for the player's name before the first connection: a prompt, the name
// field (typing goes into it at once) and OK (button 0, usable only for a
// name that is neither empty nor "No Name") and cancel (button 1). The name
// is ready when it is acceptable and no longer being typed.
class WidgetNameEntryDialog : public WidgetDialog {
public:
    static constexpr uint32_t kNameBytes = 16;

    WidgetNameEntryDialog(ggSeqLobby* owner, const std::string& prefix);

    std::string GetName() const;
    bool IsNameReady() const;

    void Update() override;

private:
    bool nameReady_ = false;
};

// Collects a new room's name (at most 20 bytes), course and lap count; OK
// gives result 0, cancel result 1 (-1 until one is released). The arrows
// step the course and lap selectors round. Owns its frame, buttons, name
// field and selectors; swallows every message.
class WidgetCreateDialog : public g2ui::WidgetSprite {
public:
    static constexpr uint32_t kNameBytes = 20;

    explicit WidgetCreateDialog(ggSeqLobby* owner);
    ~WidgetCreateDialog() override;

    int32_t GetResult() const { return result_; }
    std::string GetName() const;
    // Course ids 2 to 13 in the order of the course plates.
    int GetCourse() const;
    // 3, 5, 7, 11 or 15 laps.
    int GetLaps() const;

    g2ui::WidgetText* GetNameEntry() const { return name_.get(); }
    g2ui::WidgetSelector* GetCourseSelector() const { return course_.get(); }
    g2ui::WidgetSelector* GetLapsSelector() const { return laps_.get(); }
    g2ui::WidgetButton* GetYes() const { return yes_.get(); }
    g2ui::WidgetButton* GetNo() const { return no_.get(); }

    void Update() override {}
    void Draw(float, float, int32_t) override {}
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

private:
    std::unique_ptr<WidgetWindowLayout> frame_;
    std::unique_ptr<g2ui::WidgetLabel> nameBg_;
    std::unique_ptr<g2ui::WidgetButton> yes_, no_;
    std::unique_ptr<g2ui::WidgetText> name_;
    std::unique_ptr<g2ui::WidgetSelector> course_, laps_;
    std::unique_ptr<g2ui::WidgetButton> courseL_, courseR_, lapsL_, lapsR_;
    int32_t result_ = -1;
};

}  // namespace g2lobby
