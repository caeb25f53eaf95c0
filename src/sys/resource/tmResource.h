// tmResource.h -- base of the shared, reference-counted graphics resources.
#pragma once
#include <cstdint>

#include "sys/base/tmString.h"

namespace sys {

class tmResource;

// What a resource's owner (the resource cache) offers it: removal of its
// entry when the last reference goes.
class tmResourceOwner {
public:
    virtual ~tmResourceOwner() = default;
    virtual void Remove(int type, const char* name, tmResource* resource) = 0;
};

// A named, counted resource. The cache creates it with the tracking
// allocator (TM_NEW), names and registers it (count 1); AddRef shares it;
// Release at the last reference removes it from its owner and deletes it
// (TM_DELETE). Resources on the stack or in members are never released to 0.
class tmResource {
public:
    enum Type { kShape = 0, kTexture = 1, kMesh = 3, kModel = 4, kSprite = 5, kCubeTexture = 6 };
    tmResource() = default;
    virtual ~tmResource() = default;
    tmResource(const tmResource&) = delete;
    tmResource& operator=(const tmResource&) = delete;

    virtual int Release();
    virtual int GetType() const = 0;

    void SetName(const char* text) { name_.Assign(text); }
    const char* GetName() const { return name_.GetText(); }
    void SetOwner(tmResourceOwner* owner) { owner_ = owner; }
    tmResourceOwner* GetOwner() const { return owner_; }
    int AddRef() { return ++refCount_; }
    int GetRefCount() const { return refCount_; }

protected:
    tmString name_;
    tmResourceOwner* owner_ = nullptr;
    int32_t refCount_ = 0;
};

}  // namespace sys
