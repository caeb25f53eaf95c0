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

// Paints one race-display sprite by name: its size and RGBA pixels (row 0 at
// the top). False for a sprite the race display leaves to others.
bool PaintHudSprite(const std::string& name, int* width, int* height, std::vector<std::uint8_t>* rgba);

}  // namespace contentgen
