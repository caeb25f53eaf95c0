// tmSprite.h -- a named rectangle on a sprite-sheet texture.
#pragma once
#include "sys/resource/tmResource.h"

namespace sys {

class tmTexture;

// A sprite record of a sprite group: name and rectangle in texture
// coordinates (fractions of the sheet).
struct tmSpriteRecord {
    const char* name;
    float u, v, width, height;
};

// One sprite: its sheet texture (not counted) and its record. Made by the
// resource cache for each sprite of a loaded sprite group, or by screens.
class tmSprite : public tmResource {
public:
    int GetType() const override { return kSprite; }
    int Set(tmTexture* texture, const tmSpriteRecord* record) {
        texture_ = texture;
        record_ = record;
        return 0;
    }
    tmTexture* GetTexture() const { return texture_; }
    const tmSpriteRecord* GetRecord() const { return record_; }

private:
    tmTexture* texture_ = nullptr;
    const tmSpriteRecord* record_ = nullptr;
};

}  // namespace sys
