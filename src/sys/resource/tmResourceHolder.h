// tmResourceHolder.h -- the cache of shared graphics resources and the fixed model and sprite slots.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/mesh/Mesh.h"
#include "sys/base/tmMap.h"
#include "sys/resource/tmResource.h"
#include "sys/resource/tmTexture.h"

class tmArchiver;
class tmBinaryMeshLoader;
class tmObjLoader;
class tmYsmLoader;
struct tmSpriteGroupRecord;

namespace sys {
class tmModel;
class tmSprite;
}  // namespace sys

// The one cache of shared graphics resources: a name map per resource type,
// 1406 model slots and 1173 sprite slots named by the registered name tables.
// Loads models (by extension), textures, sprite sheets and cube textures on
// first request and shares them by reference count afterwards. Every resource
// it makes comes from the tracking allocator and is deleted at its last
// release, or with the cache: destroying the cache deletes what is still
// loaded. The renderer creates it at start-up, publishes it with
// tmSetResourceHolder, and destroys it at shutdown (device still set); it
// survives device resets. Main thread only.
class tmResourceHolder : public sys::tmResourceOwner {
public:
    static constexpr int kModelSlots = 1406;
    static constexpr int kSpriteSlots = 1173;
    static constexpr int32_t kOk = 0;
    static constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

    // Slots named by the name tables registered at start-up (tmEngineTables).
    tmResourceHolder();
    // Slots named by the given tables (tests); entry 0 is "dummy".
    tmResourceHolder(const char* const* modelNames, int modelCount, const char* const* spriteNames, int spriteCount);
    ~tmResourceHolder() override;
    tmResourceHolder(const tmResourceHolder&) = delete;
    tmResourceHolder& operator=(const tmResourceHolder&) = delete;

    // Loads or shares a model (name relative to the data folder) with its
    // mesh, shapes and textures; banks may be null (loose files).
    int32_t LoadModel(const char* name, tmArchiver* modelBank, tmArchiver* textureBank);
    int32_t LoadSpriteGroup(const tmSpriteGroupRecord* group, tmArchiver* bank);
    // The texture of that file name with one reference added; made (possibly
    // without an image) when not cached. Null only for a null name.
    sys::tmTexture* GetOrLoadTexture(const char* folder, const char* fileName, const sys::tmTextureStage* stage,
                                     bool formatMode, tmArchiver* bank);
    int32_t GetOrLoadCubeTexture(const char* name, const void* data, size_t size);

    // Takes a resource made with TM_NEW into its map (one reference added).
    void Register(sys::tmResource* resource);
    void Remove(int type, const char* name, sys::tmResource* resource) override;
    sys::tmResource* Find(int type, const char* name) const;

    // Null for an empty slot or an id outside the table.
    sys::tmModel* GetModelSlot(int id) const;
    sys::tmSprite* GetSpriteSlot(int id) const;
    void SetModelSlot(sys::tmModel* model);
    void ClearModelSlot(sys::tmModel* model);
    void SetSpriteSlot(sys::tmSprite* sprite);
    void ClearSpriteSlot(sys::tmSprite* sprite);

    bool ReleaseModel(const char* name);
    bool ReleaseSpriteGroup(const char* textureName);
    bool ReleaseTexture(const char* name);
    bool ReleaseCubeTexture(const char* name);

    // The "x" reader: merged mesh (attribute sorted, compacted) and records.
    int32_t LoadXFromFile(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials);
    int32_t LoadXFromMemory(const void* data, size_t size, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials);

    int GetCount(int type) const;

private:
    int FindSlot(const char* const* table, int count, const char* name) const;
    sys::tmTexture* LoadTexture(const char* folder, const char* fileName, const sys::tmTextureStage* stage,
                                bool formatMode, tmArchiver* bank);
    int32_t ReadModel(const char* name, tmArchiver* modelBank, platform::mesh::Mesh& mesh,
                      std::vector<uint8_t>& materials, bool* formatMode);

    std::unique_ptr<tmMap> maps_[7];
    sys::tmModel* modelSlots_[kModelSlots] = {};
    sys::tmSprite* spriteSlots_[kSpriteSlots] = {};
    const char* const* modelNames_;
    int modelNameCount_;
    const char* const* spriteNames_;
    int spriteNameCount_;
    std::unique_ptr<tmObjLoader> objReader_;
    std::unique_ptr<tmYsmLoader> ysmReader_;
    std::unique_ptr<tmBinaryMeshLoader> ybmReader_;
};

// The renderer's cache, null until the renderer made it.
tmResourceHolder* tmGetResourceHolder();
void tmSetResourceHolder(tmResourceHolder* holder);
