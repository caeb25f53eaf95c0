// tySeqTest01.h -- screen 11: the test sprite and a cell of the race display's digit strip.
#pragma once
#include <memory>

#include "frontend/tmSpriteSheet.h"
#include "test/tmTestScene.h"
#include "test/tmTestScreen.h"

class tmCameraCtrl;

// Draws the test card sprite at (200, 300) of the virtual screen and one
// cell of the race display's time strip, counting the seconds, placed in the
// world before the race display's camera (mode 2). "1", "2" and "9" set the
// display up again. Owns the camera, the strip and the scene's groups.
class tySeqTest01 : public tmTestScreen {
public:
    static constexpr int kId = 11;
    static constexpr int kFontHeight = 32;
    static constexpr float kSpriteX = 200.0f, kSpriteY = 300.0f;

    tySeqTest01();
    ~tySeqTest01() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    const tmCameraCtrl* GetCamera() const { return camera_.get(); }
    const tmTestScene& GetScene() const { return scene_; }
    // The strip cell shown: the seconds counted so far, modulo ten.
    int GetCell() const { return frameCount_ / 60 % 10; }

private:
    tmTestScene scene_;
    std::unique_ptr<tmCameraCtrl> camera_;
    tmSpriteSheet strip_;
};
