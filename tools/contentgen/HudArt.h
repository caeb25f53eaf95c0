// HudArt.h -- the race display's models, cockpit tables and sprite sheets, as the model and sprite generators take
// them.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace contentgen {

// The race display's model at `position` (0-based) of resource group `group`
// (12 common, 13 to 18 the six cockpit families); false for a model the race
// display does not make.
bool HudModelBytes(int group, int position, zfmt::Bytes* out);

// The cockpit tables of the six families with model slots counted from the
// groups' first slots; appended to the generated header.
void WriteCockpitTables(std::ostream& header, const std::vector<int>& firstSlot);

// A sprite sheet the race display paints: its cell of each sprite (x, y, w,
// h in pixels) and its picture. False for sheets it leaves to others.
struct SheetCell {
    int x, y, w, h;
};
bool PaintHudSheet(int sheetId, int width, int height, const std::vector<std::string>& names,
                   std::vector<SheetCell>* cells, zfmt::Bytes* png);

}  // namespace contentgen
