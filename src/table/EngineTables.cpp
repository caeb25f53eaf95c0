// EngineTables.cpp -- the generated tables the engine reads.
#include "table/EngineTables.h"

#include <iterator>

#include "content_tables.h"

tmEngineTables GameEngineTables() {
    tmEngineTables tables;
    tables.dataBank = &content::bankRD01;
    tables.shaderBank = &content::bankRS01;
    tables.modelNames = content::kModelNames;
    tables.modelNameCount = static_cast<int>(std::size(content::kModelNames));
    tables.spriteNames = content::kSpriteNames;
    tables.spriteNameCount = static_cast<int>(std::size(content::kSpriteNames));
    return tables;
}
