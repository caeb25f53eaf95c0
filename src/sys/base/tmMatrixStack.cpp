// tmMatrixStack.cpp -- matrix stack operations.
#include "sys/base/tmMatrixStack.h"

tmMatrixStack::tmMatrixStack(uint32_t capacity)
    : capacity_(capacity == 0 ? 1 : capacity), matrices_(new D3DXMATRIX[capacity == 0 ? 1 : capacity]) {
    D3DXMatrixIdentity(&matrices_[0]);
}

tmMatrixStack::~tmMatrixStack() = default;

void tmMatrixStack::Push() {
    if (static_cast<uint32_t>(depth_) + 1 >= capacity_) return;
    matrices_[depth_ + 1] = matrices_[depth_];
    ++depth_;
}

void tmMatrixStack::Pop() {
    if (depth_ > 0) --depth_;
}

void tmMatrixStack::PreMultiply(const D3DXMATRIX& elementary) { D3DXMatrixMultiply(Top(), &elementary, Top()); }

void tmMatrixStack::Translate(float x, float y, float z) {
    D3DXMATRIX e;
    PreMultiply(*D3DXMatrixTranslation(&e, x, y, z));
}

void tmMatrixStack::RotateX(float angle) {
    D3DXMATRIX e;
    PreMultiply(*D3DXMatrixRotationX(&e, angle));
}

void tmMatrixStack::RotateY(float angle) {
    D3DXMATRIX e;
    PreMultiply(*D3DXMatrixRotationY(&e, angle));
}

void tmMatrixStack::RotateZ(float angle) {
    D3DXMATRIX e;
    PreMultiply(*D3DXMatrixRotationZ(&e, angle));
}

void tmMatrixStack::Scale(float x, float y, float z) {
    D3DXMATRIX e;
    PreMultiply(*D3DXMatrixScaling(&e, x, y, z));
}
