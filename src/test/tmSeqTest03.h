// tmSeqTest03.h -- screen 5: the reflective test block turned with the mouse, the test cube as its environment.
#pragma once
#include <memory>

#include "test/tmTestScene.h"
#include "test/tmTestScreen.h"

class tmCameraCtrl;
class tmMouseCtrlMatrix;

// The chamfered test block at the origin, turned by dragging and scaled by
// the wheel, reflecting the test cube texture. The camera looks from the
// fixed side view (mode 1); "P" switches between it and free look (mode 5),
// "A" puts the block back upright at its first size. Owns the camera, the
// mouse matrix and the scene's groups (the test models and the effects).
class tmSeqTest03 : public tmTestScreen {
public:
    static constexpr int kId = 5;
    static constexpr int kEffectGroup = 33;
    static constexpr float kModelScale = 36.0f;  // the block's half-size in world units at wheel scale 1

    tmSeqTest03();
    ~tmSeqTest03() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    const tmCameraCtrl* GetCamera() const { return camera_.get(); }
    const tmMouseCtrlMatrix* GetMouse() const { return mouse_.get(); }
    const tmTestScene& GetScene() const { return scene_; }

private:
    tmTestScene scene_;
    std::unique_ptr<tmCameraCtrl> camera_;
    std::unique_ptr<tmMouseCtrlMatrix> mouse_;
};
