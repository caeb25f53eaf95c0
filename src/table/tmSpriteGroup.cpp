// tmSpriteGroup.cpp -- sprite-sheet group loads from their whole-file banks.
#include "table/tmSpriteGroup.h"

#include "content_tables.h"
#include "sys/data/tmArchiver.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmSpriteGroupRecord.h"

const tmSpriteGroupRecord* tmSpriteGroup::Get(int id) {
    if (id < 1 || id > 46) return nullptr;
    return content::kSpriteGroupTable[id];
}

bool tmSpriteGroup::Load(const tmSpriteGroupRecord* group) {
    tmResourceHolder* cache = tmGetResourceHolder();
    if (!group || !cache) return false;
    tmArchiver reader;
    bool open = reader.OpenWhole(group->bank, content::kSpriteSheetKey);
    return cache->LoadSpriteGroup(group, open ? &reader : nullptr) == tmResourceHolder::kOk;
}

void tmSpriteGroup::Unload(const tmSpriteGroupRecord* group) {
    tmResourceHolder* cache = tmGetResourceHolder();
    if (group && cache) cache->ReleaseSpriteGroup(group->texture);
}
