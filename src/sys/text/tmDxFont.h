// tmDxFont.h -- the process-wide debug font that the main loop draws at the end of every frame.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/text/tmDebugFont.h"

class tmTextSprite;

// One debug text queue with its sprite. Screens that show debug or overlay
// text hold it (Claim) while they need it; while it exists the main loop
// calls Draw once per frame, after the renderer's frame and before the
// present. The renderer calls OnLostDevice/OnResetDevice around a device reset.
class tmDxFont : public tmDebugFont {
public:
    // One user's hold on the font, from Acquire to Release (or destruction). Acquire gives the
    // font the size this user asks for, making it when there is none; Release destroys a font
    // this hold made and gives one it found back the height it had, so a screen never inherits
    // the size of whoever made the font last and never leaves one behind. Holds nest: release
    // them in the reverse order.
    class Claim {
    public:
        Claim() = default;
        ~Claim() { Release(); }
        Claim(const Claim&) = delete;
        Claim& operator=(const Claim&) = delete;

        void Acquire(int size, bool scaleToScreen);
        void Release();
        bool IsHeld() const { return held_; }

    private:
        bool held_ = false;
        bool made_ = false;
        int foundHeight_ = 0;
    };

    static constexpr int kTextCapacity = 6564;
    static constexpr int kEntryCapacity = 100;

    // Height = size, or trunc(size x layout scale) when scaleToScreen is set.
    // Returns 0 or 0x80004005.
    static int32_t Create(int size, bool scaleToScreen);
    static void Destroy();
    // Null when not created.
    static tmDxFont* GetInstance();
    // Draws and empties the queue.
    static void Draw();
    static void OnLostDevice();
    static void OnResetDevice();

    tmTextSprite* GetSprite() { return sprite_.get(); }

private:
    tmDxFont() = default;
    std::unique_ptr<tmTextSprite> sprite_;
};
