// tmRaceChoiceMenu.h -- the pop-up choice menus over the race: pause (3 items) and post-race (2 items).
#pragma once
#include <cstdint>

struct MenuItemLayout;

// One small menu that unfolds over the race, lets the player pick an item
// and folds away. The race opens it by setting `state` to kOpening and reads
// `choice` once the state is back to kClosed. Its items come from the race
// display's layout table; the sprites are slots of the race display's sprite
// group (19), which the menu holds loaded from construction to Term.
class tmRaceChoiceMenuBase {
public:
    enum State : uint32_t { kClosed = 0, kOpening = 1, kChoosing = 2, kClosing = 3 };
    static constexpr int kMaxItems = 3;
    static constexpr int kFoldSteps = 10;

    virtual ~tmRaceChoiceMenuBase();
    tmRaceChoiceMenuBase(const tmRaceChoiceMenuBase&) = delete;
    tmRaceChoiceMenuBase& operator=(const tmRaceChoiceMenuBase&) = delete;

    // Loads the sprite group (once), choice 0, everything folded, state closed.
    void Reset();
    // Releases the sprite group.
    void Term();
    void Update();
    void Draw() const;
    bool IsActive() const { return state != kClosed; }
    int GetItemCount() const { return count_; }
    float GetOpenness() const { return openness_; }
    float GetHighlight(int item) const { return item >= 0 && item < count_ ? highlight_[item] : 0.0f; }

    uint32_t state = kClosed;
    int32_t choice = 0;

protected:
    tmRaceChoiceMenuBase(const MenuItemLayout* items, int count, int cancelChoice);

private:
    const MenuItemLayout* items_;
    int count_;
    int cancelChoice_;  // the choice the cancel action takes
    float openness_ = 0.0f;
    float highlight_[kMaxItems] = {};
    uint32_t previous_ = 0xFFFFFFFFu;
    int32_t counter_ = 0;
    bool groupLoaded_ = false;
};

// The pause menu of race phase 8: 0 resume, 1 retry, 2 quit; cancel resumes.
class tmRaceChoiceMenu : public tmRaceChoiceMenuBase {
public:
    enum Choice : int32_t { kResume = 0, kRetry = 1, kQuit = 2 };
    tmRaceChoiceMenu();
};

// The post-race menu of race phase 9: 0 retry, 1 leave; cancel chooses retry.
class tmRaceChoiceMenu2 : public tmRaceChoiceMenuBase {
public:
    enum Choice : int32_t { kRetry = 0, kLeave = 1 };
    tmRaceChoiceMenu2();
};
