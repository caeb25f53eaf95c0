// tmSeqTest01.h -- screen 3: the test models under the race display's camera, with the digit fonts and test cells.
#pragma once
#include <memory>

#include "frontend/tmNumberFont.h"
#include "frontend/tmSpriteSheet.h"
#include "test/tmTestScene.h"
#include "test/tmTestScreen.h"

class tmCameraCtrl;

// Shows the three models of the test group turning side by side (the
// chamfered block reflecting the test cube, the vertex-coloured cube and the
// normal-mapped plate) under the race display's camera (mode 2), the frame
// counter in the large digit font and the grid font, the running time on the
// race display's time strip placed in the world, and the nineteen cells of
// the test sheet along the bottom. "1", "2" and "9" set the display up again.
// Owns the camera, the two fonts, the strip and the scene's groups.
class tmSeqTest01 : public tmTestScreen {
public:
    static constexpr int kId = 3;
    static constexpr int kFontHeight = 32;

    tmSeqTest01();
    ~tmSeqTest01() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    const tmCameraCtrl* GetCamera() const { return camera_.get(); }
    const tmTestScene& GetScene() const { return scene_; }

private:
    void DrawModels() const;
    void DrawDigits() const;

    tmTestScene scene_;
    std::unique_ptr<tmCameraCtrl> camera_;
    tmNumberFont largeFont_;
    tmNumberFont gridFont_;
    tmSpriteSheet timeStrip_;
};
