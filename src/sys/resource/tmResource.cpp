// tmResource.cpp -- reference counting of shared resources and the process-wide device pointer.
#include "sys/resource/tmResource.h"

#include "sys/base/tmMemory.h"
#include "sys/gfx/tmDevice.h"

namespace {
gfx::Device* g_device = nullptr;
}

gfx::Device* tmGetDevice() { return g_device; }
void tmSetDevice(gfx::Device* device) { g_device = device; }

namespace sys {

int tmResource::Release() {
    if (--refCount_ > 0) return refCount_;
    if (owner_) owner_->Remove(GetType(), GetName(), this);
    TM_DELETE(this);
    return 0;
}

}  // namespace sys
