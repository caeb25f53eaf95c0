// Slot and id ranges of the content the tables refer to, for range checks in table tests.
#pragma once

#include <cstdint>
#include <cstring>

#include "content_tables.h"

namespace content_ranges {

constexpr int kModelSlots = 1406;   // slot 0 "dummy", 1..1405 the models of groups 0..35
constexpr int kSpriteSlots = 1173;  // slot 0 "dummy"
constexpr int kGroups = 36;
// The sound banks as generated; their counts are fixed.
constexpr int kOneShotSounds = static_cast<int>(content::bankSN01_count);
constexpr int kLoopSounds = static_cast<int>(content::bankSL01_count);
static_assert(kOneShotSounds == 147 && kLoopSounds == 153, "sound bank sizes are fixed");

// Models per resource group, in group-id order; the slots of a group are consecutive.
constexpr int kGroupModelCounts[kGroups] = {18, 19, 16, 21, 16, 25, 18, 19, 16, 21, 16, 24, 11, 112, 66, 86, 80, 83,
                                            83, 60, 68, 76, 34, 34, 56, 56, 26, 26, 54, 62, 62, 21,  8,  6,  3,  3};

constexpr int FirstSlot(int group) {
    int slot = 1;
    for (int g = 0; g < group; ++g) slot += kGroupModelCounts[g];
    return slot;
}
constexpr int LastSlot(int group) { return FirstSlot(group) + kGroupModelCounts[group] - 1; }

constexpr bool InGroup(int slot, int group) { return slot >= FirstSlot(group) && slot <= LastSlot(group); }

// True when a sound id names an entry of the generated one-shot (bank 1) or loop (bank 2) bank.
constexpr bool IsSoundId(int64_t id) {
    const int64_t bank = id >> 16, index = id & 0xFFFF;
    return (bank == 1 && index < kOneShotSounds) || (bank == 2 && index < kLoopSounds);
}

// True when a model slot or sprite id names a real entry of the generated name tables (not the "dummy" slot 0).
inline bool NamesContent(const char* const* names, int count, int64_t id) {
    if (id <= 0 || id >= count) return false;
    const char* name = names[id];
    return name != nullptr && name[0] != '\0' && std::strcmp(name, "dummy") != 0;
}
inline bool IsModel(int64_t slot) { return NamesContent(content::kModelNames, content::kModelNameCount, slot); }
inline bool IsSprite(int64_t id) { return NamesContent(content::kSpriteNames, content::kSpriteNameCount, id); }

}  // namespace content_ranges
