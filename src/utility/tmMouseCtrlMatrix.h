// tmMouseCtrlMatrix.h -- a model matrix turned by dragging with the left mouse button and scaled by the wheel.
#pragma once
#include <memory>

#include "sys/base/tmMath.h"

// Owns one 4x4 matrix that viewer screens apply to the model they show.
// Dragging turns it about the screen's X and Y axes whatever its current
// orientation; one wheel notch of 120 scales it by 0.88. Reads the mouse
// from the input service once per logic step; without one it stays put.
class tmMouseCtrlMatrix {
public:
    static constexpr float kTurnPerCount = 0.005f;
    static constexpr float kScalePerWheel = 0.001f;
    static constexpr float kSmallestScale = 0.1f;

    tmMouseCtrlMatrix();
    ~tmMouseCtrlMatrix();
    tmMouseCtrlMatrix(const tmMouseCtrlMatrix&) = delete;
    tmMouseCtrlMatrix& operator=(const tmMouseCtrlMatrix&) = delete;

    void Update();
    // The turns and scale with an explicit mouse state (Update reads the input service).
    void Apply(bool leftButton, int moveX, int moveY, int wheel);
    void Reset();
    const D3DXMATRIX& GetMatrix() const { return *matrix_; }

private:
    std::unique_ptr<D3DXMATRIX> matrix_;
};
