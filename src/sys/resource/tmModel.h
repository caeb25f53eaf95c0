// tmModel.h -- the list of shapes of one loaded model.
#pragma once
#include <vector>

#include "sys/resource/tmResource.h"

namespace sys {

class tmShape;

// The shapes of one model file in subset order (not counted here: the cache
// releases them). Made and filled by the resource cache's model loaders.
class tmModel : public tmResource {
public:
    int GetType() const override { return kModel; }
    int Release() override {
        if (refCount_ == 1) shapes_.clear();
        return tmResource::Release();
    }
    int AddShape(tmShape* shape) {
        shapes_.push_back(shape);
        return static_cast<int>(shapes_.size()) - 1;
    }
    void ClearShapes() { shapes_.clear(); }
    int GetShapeCount() const { return static_cast<int>(shapes_.size()); }
    tmShape* GetShape(int i) const { return i >= 0 && i < GetShapeCount() ? shapes_[i] : nullptr; }

private:
    std::vector<tmShape*> shapes_;
};

}  // namespace sys
