// GenLobbySprites.h -- the lobby's sprite sheet: frames, panels, buttons, plates, cursor and the default picture.
#pragma once
#include <string>
#include <vector>

#include "format/ByteIO.h"

namespace contentgen {

struct SpriteBox {
    int x, y, w, h;
};

// The sheet's picture (PNG), the place of each of its sprites in id order,
// and the default player picture (a JPEG of the no-picture sprite).
struct LobbySheet {
    std::vector<SpriteBox> boxes;
    zfmt::Bytes png;
    zfmt::Bytes noImageJpeg;
};

// Draws the lobby sheet of `count` sprites from id `firstId` on a sheet of
// the given size; false with a reason when a caption face is missing or the
// sprites do not fit.
bool DrawLobbySheet(int width, int height, int firstId, int count, LobbySheet* out, std::string* error);

}  // namespace contentgen
