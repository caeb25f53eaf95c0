// yiResourceGroup.h -- numbered model groups (with their two banks) and the group table.
#pragma once
#include <cstdint>

#include "sys/data/tmArchiveEntry.h"

// One resource group: its model list and the banks of its models and their
// textures. The 36 groups are generated with the banks (content tables) and
// never change; the process-wide loaded set and the current id are the only
// state. Loading a loaded group does nothing; every Load is paired with one
// Unload. Main thread only.
struct yiResourceGroup {
    int32_t id;
    const char* const* models;  // paths relative to the data folder
    int32_t modelCount;
    const tmBankInfo* modelArchive;
    const tmBankInfo* textureArchive;

    // The descriptor of group id (0 to 35), recorded as the current group;
    // null for an id outside the table.
    static const yiResourceGroup* Get(int id);
    // The id most recently given to Get, -1 before any.
    static int32_t CurrentGroupId();
    static bool IsLoaded(int id);

    // Loads every model of this group through the renderer's cache; false
    // when this group is already loaded. A model that fails is skipped.
    bool Load() const;
    // Releases every model of this group; false when it is not loaded.
    bool Unload() const;
    bool LoadTexture(const char* folder, const char* name) const;
    bool ReleaseTexture(const char* name) const;
    bool LoadCubeTexture(const char* name) const;
    bool ReleaseCubeTexture(const char* name) const;

    // Forgets every loaded id and the current id (tests).
    static void ResetState();
};

constexpr int kResourceGroupCount = 36;
