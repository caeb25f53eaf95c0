// MachineCard.h -- machine pictures for the menus: a machine rendered from its generated model in software.
#pragma once
#include <string>

#include "Generators.h"
#include "menu/SpriteArt.h"

namespace contentgen {

// Reads the machine descriptions the menu's machine pictures are rendered from. Called once by
// the sprite generator before its sheets are painted.
void PrepareMachineCards(const Context& ctx, Output& out);

// How a machine is shown: its id, where its picture's centre stands in the canvas and how wide it is,
// the turn of the machine about the vertical (radians; 0 shows its front) and the camera's height.
struct MachineShot {
    int machine = 1;
    float centreX = 0, centreY = 0, width = 600;
    float yaw = 0.7f;
    float elevation = 0.32f;
    bool reflection = true;  // mirrored in a glossy floor
};
// Renders the machine in the normal body mode with its wheels and parts, lit, into the canvas
// (blended over what is there). False when the machine has no description.
bool RenderMachine(const MachineShot& shot, SpriteCanvas& c);
// The machine's livery colours (paint, stripe) as 0xAARRGGBB; false when it has no description.
bool MachineColours(int machine, std::uint32_t* paint, std::uint32_t* stripe);

}  // namespace contentgen
