// tmCamera.h -- the base camera of every 3D view: lens, eye and the matrices pushed to the renderer.
#pragma once
#include <cstdint>

#include "sys/base/tmMath.h"

namespace sys {

// Keeps the viewport, the lens (field of view, aspect, near and far), the
// eye, look-at point and up vector, and the matrices made from them: the
// view, the projection, a far projection (100 to 200000) and a reversed view
// that looks backward from the eye. Pushes them to the renderer through the
// drawing seam once per frame. All matrices are right-handed. The race
// camera controller and the lobby's camera derive from it or own one.
//
// Under the menus' fit (tmDraw::GetSceneFit) every matrix whose picture lands
// on the back buffer is scaled into the fitted virtual screen: the projection,
// the view-projection, the far projection (extra matrix 2), the second
// view-projection and extra matrix 1. A matrix that draws into a target of its
// own is not: the mirrored view-projection (extra matrix 3), which fills the
// mirror's target whole; where that picture goes is the race display's.
class tmCamera {
public:
    static constexpr float kDefaultFov = 1.5707964f;
    static constexpr float kDefaultNear = 5.0f;
    static constexpr float kDefaultFar = 40000.0f;
    static constexpr float kFarProjectionNear = 100.0f;
    static constexpr float kFarProjectionFar = 200000.0f;

    tmCamera();
    virtual ~tmCamera();
    tmCamera(const tmCamera&) = delete;
    tmCamera& operator=(const tmCamera&) = delete;

    // Viewport 1366 x 768, fov pi/2, near 5, far 40000, eye (10, 2, 0) at the origin.
    void SetDefaults();
    // Takes the aspect of the 3D view (tmDraw::GetSceneFit), then builds both projections.
    void SetFov(float fov);
    // Stores the vectors and builds the view and the reversed view; a look-at
    // point on the eye keeps the previous matrices.
    void LookAt(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt, const D3DXVECTOR3& up);
    // Projection, view, near and far, view-projection, far projection,
    // frustum and the mirrored view-projection, in that order (fitted as the class comment says),
    // the lens set again when the view's shape has changed.
    void Update();
    // The second view-projection and extra matrix 1 (the race screen's draw), fitted like Update's.
    void Apply();

    // Live cameras of the process.
    static int LiveCount();

    int GetViewportWidth() const { return viewportWidth_; }
    int GetViewportHeight() const { return viewportHeight_; }
    float GetFov() const { return fov_; }
    float GetAspect() const { return aspect_; }
    float GetNear() const { return near_; }
    float GetFar() const { return far_; }
    const D3DXVECTOR3& GetEye() const { return eye_; }
    const D3DXVECTOR3& GetLookAt() const { return lookAt_; }
    const D3DXVECTOR3& GetUp() const { return up_; }
    const D3DXMATRIX& GetView() const { return view_; }
    const D3DXMATRIX& GetProjection() const { return projection_; }
    const D3DXMATRIX& GetFarProjection() const { return farProjection_; }
    const D3DXMATRIX& GetReversedView() const { return reversedView_; }
    // reversed view x projection x the X mirror.
    D3DXMATRIX GetMirroredViewProjection() const;

private:
    int viewportWidth_ = 1366;
    int viewportHeight_ = 768;
    float fov_ = kDefaultFov;
    float aspect_ = 1.0f;
    float near_ = kDefaultNear;
    float far_ = kDefaultFar;
    D3DXMATRIX projection_;
    D3DXMATRIX farProjection_;
    D3DXMATRIX reversedView_;
    D3DXVECTOR3 eye_;
    D3DXVECTOR3 lookAt_;
    D3DXVECTOR3 up_;
    D3DXMATRIX view_;
};

}  // namespace sys
