// tmMouseCtrlMatrix.cpp -- turning a matrix about the screen axes and scaling it from the mouse.
#include "utility/tmMouseCtrlMatrix.h"

#include "sys/base/tmMatrix.h"
#include "sys/base/tmMatrixStack.h"
#include "sys/input/tmPeripheral.h"

namespace {
// Turns the stack's top about a screen axis: the axis is carried into the
// model's own frame through the inverse of the top, and the rotation about
// it acts before the top.
void TurnAbout(tmMatrixStack* stack, D3DXVECTOR3 axis, float angle) {
    stack->Push();
    tmMatrix::Invert(stack->Top());
    D3DXVec3TransformNormal(&axis, &axis, stack->Top());
    stack->Pop();
    if (D3DXVec3LengthSq(&axis) < 1e-12f) return;
    D3DXMATRIX r;
    tmMatrix::RotationAxis(&r, &axis, angle);
    *stack->Top() = r * *stack->Top();
}
}  // namespace

tmMouseCtrlMatrix::tmMouseCtrlMatrix() : matrix_(std::make_unique<D3DXMATRIX>()) { Reset(); }

tmMouseCtrlMatrix::~tmMouseCtrlMatrix() = default;

void tmMouseCtrlMatrix::Reset() { tmMatrix::SetIdentity(matrix_.get()); }

void tmMouseCtrlMatrix::Update() {
    const tmPeripheral* input = tmPeripheral::GetInstance();
    if (!input) return;
    Apply(input->mouseButton[0] != 0, input->mouseMoveX, input->mouseMoveY, input->mouseWheel);
}

void tmMouseCtrlMatrix::Apply(bool leftButton, int moveX, int moveY, int wheel) {
    tmMatrixStack stack(2);
    *stack.Top() = *matrix_;
    if (leftButton) {
        const float a = static_cast<float>(moveY) * kTurnPerCount;
        if (a != 0.0f) TurnAbout(&stack, D3DXVECTOR3(1.0f, 0.0f, 0.0f), a);
        const float b = static_cast<float>(moveX) * kTurnPerCount;
        if (b != 0.0f) TurnAbout(&stack, D3DXVECTOR3(0.0f, 1.0f, 0.0f), b);
    }
    const float s = 1.0f - static_cast<float>(wheel) * kScalePerWheel;
    if (s > kSmallestScale && s != 1.0f) stack.Scale(s, s, s);
    *matrix_ = *stack.Top();
}
