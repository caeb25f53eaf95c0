// tmSeqCourseViewer.h -- debug screen 9: loose models from the "CourseViewer" table, placed, turned and faded.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/tmSequence.h"
#include "sys/base/tmMath.h"

class tmCameraCtrl;
class tmMouseCtrlMatrix;
namespace sys {
class tmModel;
}

// Shows up to 51 models named by the "CourseViewer" data table, each at its
// place and turn and faded over an animation frame window, lit by a cube map
// and a lighting ramp of their own, before a plain background whose colour B
// cycles. P cycles the camera (ground drive, free look, fixed); outside the
// free look the mouse turns the whole yard and A puts it back. Enter, keypad
// Enter or Escape go back to the debug menu. Owns the camera controller, the
// mouse matrix and one reference to every model and texture it loaded.
class tmSeqCourseViewer : public tmSequence {
public:
    static constexpr int kModels = 51;
    static constexpr int kCameraModes[3] = {6, 5, 4};
    static constexpr uint32_t kBackgrounds[4] = {0xFF000000u, 0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    static constexpr int kNoMouseCamera = 1;  // the free look turns the camera, not the yard
    static constexpr const char* kCubeTexture = ".\\data\\CourseViewer\\texture\\S_VWR_cubeMapBg.dds";
    static constexpr const char* kTextureFolder = ".\\data\\CourseViewer\\texture\\";
    static constexpr const char* kRampTexture = "spr_gouraudMapTex_def.dds";

    // One row of the table: the model (empty name: none), where it stands and
    // turns (degrees), and its animation window (-1: none) with its alphas.
    struct Model {
        std::string name;
        sys::tmModel* handle = nullptr;
        float position[3] = {};
        float rotation[3] = {};
        int32_t animBegin = -1, animEnd = -1;
        float alphaBegin = 0.0f, alphaEnd = 0.0f;
    };

    tmSeqCourseViewer();
    ~tmSeqCourseViewer() override;

    void Init() override;
    int Update() override;
    void Term() override;
    void Draw() override;

    // Whether a model shows at an animation frame, and with which alpha.
    static bool ModelAlpha(const Model& model, int32_t frame, float* alpha);
    // Its world matrix: turn, then place, then the yard's turn.
    static D3DXMATRIX ModelWorld(const Model& model, const D3DXMATRIX& yard);

    const Model& GetModel(int i) const { return models_[i]; }
    int GetCameraIndex() const { return cameraIndex_; }
    int GetBackgroundIndex() const { return backgroundIndex_; }
    int32_t GetAnimationLength() const { return animLength_; }
    int32_t GetAnimationFrame() const { return animFrame_; }
    int32_t GetFrameCount() const { return frameCount_; }
    const tmCameraCtrl* GetCamera() const { return camera_.get(); }
    const tmMouseCtrlMatrix* GetMouseMatrix() const { return mouse_.get(); }

private:
    void LoadModels();
    void DrawModels() const;
    void ReleaseModels();

    std::unique_ptr<tmCameraCtrl> camera_;
    std::unique_ptr<tmMouseCtrlMatrix> mouse_;
    Model models_[kModels];
    int cameraIndex_ = 0;
    int backgroundIndex_ = 0;
    int32_t animLength_ = 0;
    int32_t animFrame_ = 0;
    int32_t frameCount_ = 0;
    bool cubeHeld_ = false, rampHeld_ = false;
};
