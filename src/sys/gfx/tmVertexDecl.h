// tmVertexDecl.h -- the eight built-in vertex layouts: selection, lookup, sizes.
#pragma once
#include <cstdint>

#include "platform/mesh/VertexLayout.h"

namespace gfx {
class Device;
}

// Knows the eight built-in layouts (platform/mesh/VertexLayout.h), sets one
// on the device without repeating the current one, and answers which layout
// an element list is. Owned by the shader manager, which creates it when the
// device exists and releases it when the device goes.
class tmVertexDecl {
public:
    tmVertexDecl();

    // Remembers the device and records each layout's vertex size. Returns 0.
    int32_t Create(gfx::Device* device);
    // Makes `index` current on the device unless it already is.
    void Set(int index);
    // Forgets the device and the current index.
    void Release();
    // Forgets the current index (someone else set a layout on the device), so
    // the next Set sets its layout whatever it is.
    void Forget() { current_ = -1; }

    int GetCurrent() const { return current_; }

    // The lowest layout whose elements the list matches element by element in
    // stream, method, usage and usage index, the list possibly ending early;
    // -1 when none does.
    static int FindIndex(const platform::mesh::VertexElement* list);
    // The layout's flexible-vertex-format code (0 when it has none, as layout 3).
    static uint32_t GetFVF(int index);
    static uint32_t GetVertexSize(int index);

private:
    gfx::Device* device_ = nullptr;
    uint32_t sizes_[platform::mesh::kBuiltinLayoutCount] = {};
    int current_ = -1;
};
