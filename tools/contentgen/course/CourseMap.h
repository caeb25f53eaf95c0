// CourseMap.h -- the mini-map models: each circuit's outline at a tenth of world size and the markers.
#pragma once

#include <string>

#include "format/ByteIO.h"

namespace contentgen {

// The mini-map models of group 12 by file name (the outlines "F_SPA_layout_obj.ybm" and the rest,
// the markers 234 to 236); empty bytes for a file of that group it does not make (the race display
// makes the frames of its two views, 233 and 237).
zfmt::Bytes MiniMapModel(const std::string& file);

}  // namespace contentgen
