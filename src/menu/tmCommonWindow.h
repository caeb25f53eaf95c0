// tmCommonWindow.h -- the small modal yes/no question of the menus and the race.
#pragma once
#include <cstdint>

class tmSpriteTween;

// The question box: a frame, a message and a YES/NO cursor pair, four eased
// sprites of the common sprite group (13). Its owner calls Init with the
// window type, Open to ask, Update every logic step and Draw every frame,
// waits for IsClosed, reads `choice` and calls Term. The window never closes
// itself: after the answer its sprites fade out for eleven steps.
class tmCommonWindow {
public:
    // Window types: which question is asked.
    enum Type : uint32_t {
        kTypeNone = 0,
        kTypeConnect = 1,     // connect to the lobby server (main menu)
        kTypeSaveReplay = 2,  // keep the replay (race)
        kTypeDelete = 3,      // delete a replay file (replay select)
        kTypeCount = 4,
    };
    static constexpr int kElements = 4;       // frame, message, yes cursor, no cursor
    static constexpr int kClosingSteps = 10;  // steps after the answer before IsClosed

    tmCommonWindow() = default;
    ~tmCommonWindow() { Term(); }
    tmCommonWindow(const tmCommonWindow&) = delete;
    tmCommonWindow& operator=(const tmCommonWindow&) = delete;

    // Loads the common sprite group and places the four sprites, hidden; a
    // type outside 0..3 asks nothing (type 0).
    void Init(uint32_t type);
    // Asks the question with NO highlighted.
    void Open();
    void Update();
    void Draw() const;
    // True once more than ten steps have passed since the answer.
    bool IsClosed() const { return steps_ > kClosingSteps; }
    bool IsOpen() const { return open_ != 0; }
    bool IsAnswered() const { return answered_ != 0; }
    uint32_t GetType() const { return type_; }
    // Deletes the sprites and releases the sprite group; Init may follow again.
    void Term();

    uint8_t choice = 0;  // 1 yes, 0 no

private:
    void MoveElement(int element, bool shown);

    uint32_t reserved_ = 0;
    uint8_t open_ = 0;
    uint8_t answered_ = 0;
    int32_t steps_ = 0;
    uint32_t type_ = kTypeNone;
    tmSpriteTween* sprites_[kElements] = {};
    bool groupLoaded_ = false;
};
