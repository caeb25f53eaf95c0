// tmResourceHolderTables.cpp -- the cache's default slot names: the name tables registered at start-up.
#include "sys/data/tmEngineTables.h"
#include "sys/resource/tmResourceHolder.h"

tmResourceHolder::tmResourceHolder()
    : tmResourceHolder(tmEngineTables::Get().modelNames, tmEngineTables::Get().modelNameCount,
                       tmEngineTables::Get().spriteNames, tmEngineTables::Get().spriteNameCount) {}
