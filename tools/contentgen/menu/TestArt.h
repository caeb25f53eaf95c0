// TestArt.h -- the art of the test screens: numbered test cells, the test card and the reflective test block.
#pragma once
#include <string>

#include "kit/TextureArt.h"
#include "menu/SpriteArt.h"

namespace contentgen {

// True for the test screens' sprite styles: "testcell" (a numbered tile:
// caption the number, parameter its colour) and "testcard" (a round test
// card: caption its title, parameter its accent).
bool IsTestStyle(const std::string& style);
bool PaintTestSprite(const SpriteStyle& style, SpriteCanvas& out);

// The test models' picture: a labelled UV grid with coloured corners, so that
// orientation, filtering and wrapping read at a glance.
void PaintTestCard(art::Canvas& c);

// The test block: a cube of half-size 1 with chamfered edges and corners whose
// six faces show `faceTexture` upright. As a plain text mesh (standard
// materials: the picture, pale grey chamfers) and as our text mesh with the
// RGB cube's colours at its corners and reflective materials: the faces
// reflect a little, the chamfers are chrome. Two materials each.
std::string TestBlockX(const std::string& faceTexture);
std::string ReflectiveBlockYsm(const std::string& faceTexture);

}  // namespace contentgen
