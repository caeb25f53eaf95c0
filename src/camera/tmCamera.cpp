// tmCamera.cpp -- lens and view matrices of the base camera and their hand-over to the renderer.
#include "camera/tmCamera.h"

#include <cmath>

#include "sys/render/tmDraw.h"

namespace sys {

namespace {
int g_liveCameras = 0;

// A projection scaled into the fitted virtual screen (unchanged where the view fills the window): its clip
// space shrinks about the window's centre, with the sprites; the renderer cuts what falls outside it.
D3DXMATRIX FitToScreen(const D3DXMATRIX& projection, const tmDraw::SceneFit& fit) {
    D3DXMATRIX toScreen;
    D3DXMatrixScaling(&toScreen, fit.scaleX, fit.scaleY, 1.0f);
    return projection * toScreen;
}
}  // namespace

tmCamera::tmCamera() {
    SetDefaults();
    ++g_liveCameras;
}

tmCamera::~tmCamera() { --g_liveCameras; }

int tmCamera::LiveCount() { return g_liveCameras; }

void tmCamera::SetDefaults() {
    viewportWidth_ = 1366;
    viewportHeight_ = 768;
    fov_ = kDefaultFov;
    aspect_ = 1.0f;
    near_ = kDefaultNear;
    far_ = kDefaultFar;
    D3DXMatrixIdentity(&view_);
    D3DXMatrixIdentity(&reversedView_);
    SetFov(kDefaultFov);
    LookAt(D3DXVECTOR3(10.0f, 2.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 1.0f, 0.0f));
}

void tmCamera::SetFov(float fov) {
    // The view's shape: the window's in a race, the virtual screen's under the menus' fit.
    aspect_ = tmDraw::GetInstance()->GetSceneFit().aspect;
    fov_ = fov;
    D3DXMatrixPerspectiveFovRH(&projection_, fov_, aspect_, near_, far_);
    D3DXMatrixPerspectiveFovRH(&farProjection_, fov_, aspect_, kFarProjectionNear, kFarProjectionFar);
}

void tmCamera::LookAt(const D3DXVECTOR3& eye, const D3DXVECTOR3& lookAt, const D3DXVECTOR3& up) {
    eye_ = eye;
    lookAt_ = lookAt;
    up_ = up;
    const D3DXVECTOR3 dir = lookAt - eye;
    D3DXVECTOR3 side;
    D3DXVec3Cross(&side, &up, &dir);
    if (D3DXVec3LengthSq(&dir) < 1e-12f || D3DXVec3LengthSq(&side) < 1e-12f) return;
    D3DXMatrixLookAtRH(&view_, &eye, &lookAt, &up);
    const D3DXVECTOR3 back = eye - dir;
    D3DXMatrixLookAtRH(&reversedView_, &eye, &back, &up);
}

D3DXMATRIX tmCamera::GetMirroredViewProjection() const {
    D3DXMATRIX mirror;
    D3DXMatrixIdentity(&mirror);
    mirror._11 = -1.0f;
    return reversedView_ * projection_ * mirror;
}

void tmCamera::Update() {
    tmDraw* draw = tmDraw::GetInstance();
    const tmDraw::SceneFit fit = draw->GetSceneFit();
    if (fit.aspect != aspect_) SetFov(fov_);  // the window or the fit changed since the lens was set
    const D3DXMATRIX projection = FitToScreen(projection_, fit);
    draw->SetProjectionMatrix(projection);
    draw->SetViewMatrix(view_);
    draw->SetNearFar(near_, far_);
    draw->SetViewProjectionMatrix(view_, projection);
    draw->SetExtraMatrix2(FitToScreen(farProjection_, fit));
    draw->SetFrustum(view_, fov_, aspect_, near_, far_);
    draw->SetExtraMatrix3(GetMirroredViewProjection());  // the mirror's own target: not fitted
}

void tmCamera::Apply() {
    tmDraw* draw = tmDraw::GetInstance();
    const D3DXMATRIX projection = FitToScreen(projection_, draw->GetSceneFit());
    draw->SetSecondViewProjection(view_, projection);
    draw->SetExtraMatrix1(projection);
}

}  // namespace sys
