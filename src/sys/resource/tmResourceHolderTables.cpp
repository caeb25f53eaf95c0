// tmResourceHolderTables.cpp -- the cache's default slot names: the generated name tables.
#include "content_tables.h"
#include "sys/resource/tmResourceHolder.h"

tmResourceHolder::tmResourceHolder()
    : tmResourceHolder(content::kModelNames, kModelSlots, content::kSpriteNames, kSpriteSlots) {}
