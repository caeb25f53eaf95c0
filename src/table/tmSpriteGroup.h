// tmSpriteGroup.h -- numbered sprite sheets loaded and unloaded as one.
#pragma once

struct tmSpriteGroupRecord;

// Operations on the 46 generated sprite-group records (ids 1 to 46). A sheet
// has no state of its own: its texture's reference count in the renderer's
// cache is its state, so every Load is matched by one Unload.
class tmSpriteGroup {
public:
    // The record of sprite group id, or null outside 1 to 46.
    static const tmSpriteGroupRecord* Get(int id);
    // Loads the sheet from its bank (opened whole) into the renderer's cache;
    // true when the sheet and its sprites are cached.
    static bool Load(const tmSpriteGroupRecord* group);
    static bool Load(int id) { return Load(Get(id)); }
    static void Unload(const tmSpriteGroupRecord* group);
    static void Unload(int id) { Unload(Get(id)); }
};
