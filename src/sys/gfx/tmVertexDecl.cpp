// tmVertexDecl.cpp -- layout selection filter and prefix matching of element lists.
#include "sys/gfx/tmVertexDecl.h"

#include "platform/gfx/Device.h"

using namespace platform::mesh;

tmVertexDecl::tmVertexDecl() = default;

int32_t tmVertexDecl::Create(gfx::Device* device) {
    device_ = device;
    for (int i = 0; i < kBuiltinLayoutCount; ++i) sizes_[i] = LayoutVertexSize(BuiltinLayout(i));
    current_ = -1;
    return 0;
}

void tmVertexDecl::Set(int index) {
    if (index == current_) return;
    current_ = index;
    if (device_) device_->setLayout(index);
}

void tmVertexDecl::Release() {
    device_ = nullptr;
    current_ = -1;
}

int tmVertexDecl::FindIndex(const VertexElement* list) {
    if (!list) return -1;
    for (int layout = 0; layout < kBuiltinLayoutCount; ++layout) {
        const VertexElement* own = BuiltinLayout(layout);
        bool match = true;
        for (int i = 0; i < kMaxElements; ++i) {
            if (list[i].stream == kEndStream) break;
            const VertexElement& e = own[i];
            if (e.stream == kEndStream || e.stream != list[i].stream || e.method != list[i].method ||
                e.usage != list[i].usage || e.usageIndex != list[i].usageIndex) {
                match = false;
                break;
            }
        }
        if (match) return layout;
    }
    return -1;
}

uint32_t tmVertexDecl::GetFVF(int index) { return LayoutFvf(BuiltinLayout(index)); }

uint32_t tmVertexDecl::GetVertexSize(int index) { return LayoutVertexSize(BuiltinLayout(index)); }
