// TexturePaint.h -- painters of generated textures: each draws one kind of surface on a canvas.
//
// Painters are pure: the picture follows from the canvas size, the colours and
// the seed. Ground and road pictures tile; pictures named *_ALPHA by the
// texture sets have transparent surroundings (cut-outs).
#pragma once

#include "kit/TextureArt.h"

namespace contentgen::paint {

using art::Canvas;
using art::Colour;
using Seed = std::uint32_t;

// ---- ground, road and nature (PaintNature.cpp) ----
void Asphalt(Canvas& c, Colour base, float wear, Seed s);
// Road paint over asphalt: 0 edge lines, 1 centre dashes, 2 start line,
// 3 grid box, 4 pit-lane line, 5 direction arrows.
void RoadMarks(Canvas& c, Colour base, Colour paint, int style, Seed s);
// Kerb stones across u, alternating along v: 0 flat blocks, 1 saw-tooth rumble strip.
void Kerb(Canvas& c, Colour a, Colour b, int style, Seed s);
void Grass(Canvas& c, Colour base, bool mown, Seed s);
void Gravel(Canvas& c, Colour base, Seed s);
void Sand(Canvas& c, Colour base, bool ripples, Seed s);
// Snow: 0 fresh, 1 packed with tyre tracks, 2 drifts.
void Snow(Canvas& c, Colour tint, int style, Seed s);
void Ice(Canvas& c, Colour tint, Seed s);
void Dirt(Canvas& c, Colour base, Seed s);
void LeafLitter(Canvas& c, Colour ground, Colour a, Colour b, Colour d, Seed s);
// Rock: 0 boulders, 1 layered cliff, 2 mossy.
void Rock(Canvas& c, Colour base, Colour moss, int style, Seed s);
void Water(Canvas& c, Colour deep, Colour shallow, float sparkle, Seed s);
void Foam(Canvas& c, Colour tint, Seed s);
void Bark(Canvas& c, Colour base, bool birch, Seed s);
void Wood(Canvas& c, Colour base, int planks, Seed s);
enum class Tree { Pine, SnowPine, Broadleaf, Palm, Bush, Cypress, Fern, Birch };
void Foliage(Canvas& c, Tree kind, Colour leaf, Colour shade, Seed s);
void Clouds(Canvas& c, Colour tint, float cover, Seed s);
// Far scenery strips, transparent sky: 0 mountains, 1 forest hills, 2 city skyline, 3 coast hills.
void Horizon(Canvas& c, int style, Colour near, Colour far, Colour accent, Seed s);
void Flowers(Canvas& c, Colour ground, Colour a, Colour b, Seed s);

// The look of a sky: colours from the zenith to below the horizon, clouds, sun.
struct Sky {
    Colour zenith, horizon, ground, cloud, sun;
    float cloudCover;
    float sunHeight;   // elevation of the sun, 0..1
    float sunHeading;  // radians around the vertical
};
// Six square faces stacked top to bottom in cube order (+X, -X, +Y, -Y, +Z, -Z).
Canvas SkyCube(int size, const Sky& sky, Seed s);
// A 256 x 1 light ramp from the shadow colour to the lit colour, brightness rising evenly.
Canvas LightRamp(Colour shadow, Colour lit);

// ---- built things (PaintBuilt.cpp) ----
// Concrete: 0 plain, 1 cast panels, 2 blocks, 3 stained wall.
void Concrete(Canvas& c, Colour base, int style, Seed s);
// Tiles: 0 square grid, 1 checker, 2 broken-tile mosaic, 3 hexagons.
void Tiles(Canvas& c, Colour a, Colour b, Colour grout, int across, int style, Seed s);
void Bricks(Canvas& c, Colour brick, Colour mortar, Seed s);
void Cobbles(Canvas& c, Colour base, Seed s);
// Metal: 0 brushed, 1 tread plate, 2 corrugated, 3 rusted, 4 riveted panels.
void Metal(Canvas& c, Colour base, int style, Seed s);
void Armco(Canvas& c, Colour steel, Seed s);
void TyreWall(Canvas& c, Colour band, Seed s);
void StripedBarrier(Canvas& c, Colour a, Colour b, Seed s);
// See-through mesh: 0 chain link, 1 hexagon grille, 2 railings, 3 lattice truss.
void Mesh(Canvas& c, Colour wire, int style, Seed s);
void Seats(Canvas& c, Colour seat, Colour step, Seed s);
void Crowd(Canvas& c, Colour stand, Seed s);
// Facades: 0 office grid, 1 flats with balconies, 2 glass curtain wall, 3 concrete slab blocks.
void Facade(Canvas& c, Colour wall, Colour glass, Colour lit, float litShare, int style, Seed s);
void Neon(Canvas& c, Colour wall, Colour a, Colour b, Seed s);
void RoofTiles(Canvas& c, Colour base, Seed s);
void SailTiles(Canvas& c, Colour base, Seed s);
void Billboard(Canvas& c, Colour bg, Colour fg, Colour accent, int design, Seed s);
void Checker(Canvas& c, Colour a, Colour b, int across);
void Chevrons(Canvas& c, Colour bg, Colour fg, int count);
void Banner(Canvas& c, Colour a, Colour b, Colour d, Seed s);
void Glow(Canvas& c, Colour colour, float falloff);
void LightPanel(Canvas& c, Colour bulb, Colour housing, int columns, int rows, float litShare, Seed s);
void Glass(Canvas& c, Colour tint, Seed s);
void Hazard(Canvas& c, Colour a, Colour b, int stripes);
void Pegboard(Canvas& c, Colour board, Colour tools, Seed s);
void AcousticFoam(Canvas& c, Colour base);
void RollerDoor(Canvas& c, Colour base, Seed s);
void Screen(Canvas& c, Colour bg, Colour line, Colour accent, Seed s);
void Turntable(Canvas& c, Colour base, Colour ring);
void Poster(Canvas& c, Colour bg, Colour a, Colour b, Seed s);
void Hologram(Canvas& c, Colour tint, Seed s);
void CircuitBoard(Canvas& c, Colour board, Colour trace, Seed s);
void Fabric(Canvas& c, Colour a, Colour b, int stripes, Seed s);
void Lantern(Canvas& c, Colour paper, Colour frame);

// ---- machines, cockpits and test pictures (PaintMachine.cpp) ----
// Livery: 0 racing stripes, 1 chevron, 2 split, 3 band; the number in a roundel.
void Livery(Canvas& c, Colour base, Colour stripe, Colour accent, int number, int style, Seed s);
void Carbon(Canvas& c, Colour tint);
void Leather(Canvas& c, Colour base, Colour stitch, Seed s);
void TyreTread(Canvas& c, Colour rubber, Seed s);
void TyreSide(Canvas& c, Colour rubber, Colour mark);
void Rim(Canvas& c, Colour metal, int spokes);
void Lens(Canvas& c, Colour light, Colour reflector);
void Nozzle(Canvas& c, Colour metal);
void Flame(Canvas& c, Colour core, Colour outer, Seed s);
void Emblem(Canvas& c, Colour field, Colour mark, int shape);
void Gauge(Canvas& c, Colour face, Colour mark, Colour accent, int style);
void Needle(Canvas& c, Colour colour);
void DigitStrip(Canvas& c, Colour on, Colour bg);
void WarningLamps(Canvas& c, Colour housing, Seed s);
void Switches(Canvas& c, Colour panel, Colour accent, Seed s);
void PanelLabel(Canvas& c, Colour panel, Colour accent, Seed s);
void NormalMap(Canvas& c, int style, Seed s);
// Test pictures: 0 UV grid, 1 colour bars, 2 checker, 3 gradient, 4 rings, 5 stripes, 6 alpha ramp.
void TestPattern(Canvas& c, int style);
void Shadow(Canvas& c);
void Marker(Canvas& c, Colour colour, int shape);
void MapLine(Canvas& c, Colour colour);

}  // namespace contentgen::paint
