// tmRenderLayer.h -- names of the render queue's layers, sprite placements, shader types and model flags.
#pragma once
#include <cstdint>

// The 21 layers of the render queue. The layer picks the transform a model
// is queued with and the pass that draws it; the renderer walks them in its
// own order: scene (0..5), glow (6), overlays (7, 8), and the layers of the
// extra targets (9..18) and of the post-processed picture (19, 20).
namespace tmRenderLayer {
enum : int {
    kScene = 0,         // opaque scene, depth tested, sorted by shader and state; a shape queued here
                        // moves to kAlphaTested or kBlended by its alpha mode
    kSceneLate = 1,     // scene drawn after kReversedCull, unsorted
    kAlphaTested = 2,   // alpha-tested scene, sorted like kScene
    kReversedCull = 3,  // scene drawn with counter-clockwise culling (mirrored geometry)
    kBlended = 4,       // alpha-blended scene, drawn farthest first
    kNoDepthWrite = 5,  // scene drawn last, without writing depth
    kGlow = 6,          // glow: seen only through the glow post-process (drawn plainly on the simple path)
    kOverlay = 7,       // without depth test over the scene: world quads, the race display's models
    kScreen = 8,        // screen sprites, drawn last of all
    kCubeFace0 = 9,     // 9..14: the environment cube, face i on layer kCubeFace0 + i
    kCubeFaceCount = 6,
    kNearShadow = 15,       // near shadow casters (their depth)
    kFarShadow = 16,        // far shadow casters
    kSecondView = 17,       // the second view, with the fixed square camera
    kMirrorView = 18,       // the mirrored view, with extra matrix 3 and reversed culling
    kAfterPostSecond = 19,  // after the post-process, over the second view's picture
    kAfterPostMirror = 20,  // after the post-process, over the mirrored view's picture
    kCount = 21,
};

// The layer of cube face 0..5.
constexpr int CubeFace(int face) { return kCubeFace0 + face; }
static_assert(kCubeFace0 + kCubeFaceCount == kNearShadow, "the cube faces run up to the shadow layers");
}  // namespace tmRenderLayer

// Where a screen sprite's x, y place it (the `placement` of the sprite calls);
// W, H are the back buffer's size and w, h the sprite's.
namespace tmSpritePlacement {
enum : int {
    kTopLeft = 0,              // left x, top y
    kBottomLeft = 1,           // left x, y up from the bottom
    kTopRight = 2,             // x in from the right, top y
    kBottomRight = 3,          // x in from the right, y up from the bottom
    kCentre = 4,               // x, y from the centre of the screen
    kTopCentre = 5,            // x from the centre, top y
    kBottomCentre = 6,         // x from the centre, y up from the bottom
    kVirtualScreen = 7,        // x, y on the 1366 x 768 virtual screen, fitted as tmLayoutFit says
    kScreenCount = 8,          // the screen placements are 0..7
    kWorldQuad = 8,            // the queue's mark for a sprite quad placed by a matrix
    kWorldQuadOverScreen = 9,  // the same, drawn after the screen sprites instead of before them
    // Added to a corner or centre placement (0..6): a sprite of the race display, laid out for
    // 1366 x 768. Its offsets from the anchor and its size are multiplied by the display's scale
    // (tmDraw::GetHudScale, 1 at 1366 x 768), so it keeps its size relative to the window and its anchor.
    kHudScaled = 16,
};
}  // namespace tmSpritePlacement

// Shader types: the draw argument of the model and batch calls (the program
// pair a shape without its own type is drawn with) and the renderer's passes.
namespace tmShaderType {
enum : uint32_t {
    kStandard = 0,                 // lit, textured, shadowed scene models
    kMachine = 1,                  // the machines
    kVertexColour = 2,             // vertex-coloured effects (effect batches)
    kGround = 3,                   // course ground
    kObjFormat = 4,                // models read from Wavefront files
    kLod = 5,                      // distant, vertex-lit models
    kPretransformed = 6,           // screen sprites' shared entry
    kFrontend = 7,                 // the race display and world quads' shared entry
    kSprite = 8,                   // sprite and world-quad shapes
    kVertexColourHdr = 9,          // vertex-coloured, added to the HDR picture
    kVertexColourDepthAlpha = 10,  // vertex-coloured, faded near the camera (effect batches)
    kVertexColourDepthAlphaTest = 11,
    kReflectFloor = 12,  // kStandard mirroring the second view on a floor
    kScale4x4 = 13,      // post-process: quarter-size downsample
    kCreateBright = 14,  // post-process: bright pass
    kGauss5x5 = 15,      // post-process: blur
    kCreateBloom = 16,
    kMergeTex = 17,  // post-process: sum of six levels
    kRecordZ = 18,   // depth and shadow-map passes
    kFinish = 19,    // the final composite
    kCreateReflect = 20,
    kDynamicSprite = 21,
    kCount = 22,
};
}  // namespace tmShaderType

// The extra flag of tmDraw::DrawModelEx.
namespace tmModelFlag {
enum : int {
    kPlayer = 0,   // the player's machine: keeps its live reflection
    kOthers = -1,  // everything else
};
}  // namespace tmModelFlag
