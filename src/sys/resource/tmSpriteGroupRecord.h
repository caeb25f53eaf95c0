// tmSpriteGroupRecord.h -- the compiled-in record of one sprite sheet and its sprites.
#pragma once
#include <cstdint>

#include "sys/resource/tmSprite.h"

// One sprite sheet: its texture name (also its name in the resource cache),
// pixel size, sprite records and the bank that holds it. The 46 records are
// generated with the sheets; sprite ids of a sheet are consecutive.
struct tmSpriteGroupRecord {
    const char* texture;
    float width;
    float height;
    uint32_t spriteCount;
    uint32_t reserved0;  // 0 in every record
    uint32_t reserved1;  // 8 in every record
    const sys::tmSpriteRecord* sprites;
    const char* bank;  // "data\\bankPSnn.dat", opened whole
};
