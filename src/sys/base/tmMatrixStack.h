// tmMatrixStack.h -- a fixed-capacity stack of matrices for hierarchical transforms.
#pragma once
#include <cstdint>
#include <memory>

#include "sys/base/tmMath.h"

// Owns `capacity` matrices; created by whoever draws a hierarchy (race display,
// effects, viewers). Each transform multiplies on the left of the top matrix,
// so with row vectors the newest transform acts on a point first. Push at
// capacity and Pop at depth 0 are ignored.
class tmMatrixStack {
public:
    explicit tmMatrixStack(uint32_t capacity);
    ~tmMatrixStack();
    tmMatrixStack(const tmMatrixStack&) = delete;
    tmMatrixStack& operator=(const tmMatrixStack&) = delete;

    // Copies the top into the next slot and makes it the top.
    void Push();
    void Pop();
    D3DXMATRIX* Top() { return &matrices_[depth_]; }
    int Depth() const { return depth_; }
    uint32_t Capacity() const { return capacity_; }

    void Translate(float x, float y, float z);
    void RotateX(float angle);
    void RotateY(float angle);
    void RotateZ(float angle);
    void Scale(float x, float y, float z);

private:
    void PreMultiply(const D3DXMATRIX& elementary);

    uint32_t capacity_;
    int depth_ = 0;
    std::unique_ptr<D3DXMATRIX[]> matrices_;
};
