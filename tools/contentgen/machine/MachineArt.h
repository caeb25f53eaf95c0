// MachineArt.h -- the machines' models and livery sheets, and the effect group's flames, made from their descriptions.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "format/MaterialRecord.h"
#include "kit/MeshBuilder.h"
#include "machine/MachineManifest.h"
#include "tables/ResourceGroups.h"

namespace contentgen {

// Regions of a machine's 256 x 256 livery sheet.
namespace livery {
constexpr int kSize = 256;
constexpr UvRect kPaint{0.0f, 0.0f, 0.5f, 0.5f};  // u around the hull, v along it; stripes run along v
constexpr UvRect kNumber{0.5f, 0.0f, 0.75f, 0.25f};
constexpr UvRect kTeam{0.75f, 0.0f, 1.0f, 0.25f};  // the team's badge
constexpr UvRect kTyre{0.5f, 0.25f, 0.625f, 0.375f};
constexpr UvRect kMetal{0.625f, 0.25f, 0.75f, 0.375f};
constexpr UvRect kGlass{0.75f, 0.25f, 0.875f, 0.375f};
constexpr UvRect kStripe{0.875f, 0.25f, 1.0f, 0.375f};
constexpr UvRect kTrim{0.5f, 0.375f, 0.625f, 0.5f};
constexpr UvRect kLampOff{0.625f, 0.375f, 0.6875f, 0.4375f};
constexpr UvRect kLampOn{0.6875f, 0.375f, 0.75f, 0.4375f};
constexpr UvRect kGlow{0.625f, 0.4375f, 0.6875f, 0.5f};  // brake heat
constexpr UvRect kHot{0.6875f, 0.4375f, 0.75f, 0.5f};    // a nozzle's throat
constexpr UvRect kRim{0.0f, 0.5f, 0.25f, 0.75f};         // wheel face with spokes
constexpr UvRect kVent{0.25f, 0.5f, 0.5f, 0.75f};        // grille
constexpr UvRect kWing{0.5f, 0.5f, 1.0f, 0.75f};         // wing paint with an edge stripe
constexpr UvRect kFlame{0.75f, 0.375f, 1.0f, 0.5f};      // white, the flame's colour is in its vertices
constexpr UvRect kBlade{0.0f, 0.75f, 0.25f, 1.0f};       // fan blades
constexpr UvRect kHalo{0.25f, 0.75f, 0.5f, 1.0f};        // segmented ring
}  // namespace livery

// Material indices of every machine model (one texture, the machine's livery sheet).
enum MachineMaterial : uint32_t {
    kMatPaint = 0,  // glossy paint
    kMatGlass = 1,  // canopy
    kMatGlow = 2,   // lit lamps, hot brakes, nozzle throats
    kMatDark = 3,   // tyres, trim, underbody
    kMatMetal = 4,  // rims, nozzles
    kMatFlame = 5,  // blended, self-lit flames
    kMatCount = 6,
};
std::vector<zfmt::MaterialRecord> MachineMaterials(const std::string& liveryTexture, const std::string& flameTexture);

// Shape of a body pose; a body between poses blends these numbers.
struct BodyParams {
    static constexpr int kKeys = 7;
    float noseZ = -24, tailZ = 22;
    float halfW[kKeys] = {}, top[kKeys] = {}, bottom[kKeys] = {};  // at s = 0, .1, .25, .45, .65, .85, 1
    float exponent = 2.6f;                                         // super-ellipse of the sections
    float canopyZ = -4, canopyLen = 7, canopyW = 2.6f, canopyH = 2.2f;
    float wingY = 8, wingZ = 18, wingSpan = 9, wingChord = 4, wingPitch = 0, wingDihedral = 0, wingSweep = 0;
    float frontWingSpan = 0, frontWingY = 1.6f, frontWingZ = -22, frontWingChord = 3;
    float finH = 0, finZ = 16, finLen = 8, finX = 0, finCant = 0;
    float podY = 0, podLen = 10, podR = 1.5f;  // engine nacelles ending at the flame points
    float open = 0;                            // 0 closed nozzles, 1 open and glowing
    float extend = 0;                          // extra nozzle length
    float armDrop = 0;                         // wheel arm offset (Quessa)
    float spread = 0;                          // family-specific opening (wings, fins, booms)
};

BodyParams FamilyPose(const MachineDescription& d, int pose);
BodyParams BlendBody(const BodyParams& a, const BodyParams& b, float t);
// The body of a pose or morph slot (wheels of wheel tables follow the body).
void BuildBody(const MachineDescription& d, const BodyParams& p, const float wheels[4][3], bool lowDetail,
               MeshBuilder& mb);
// The model of one part role; `lit` draws the alternative (lit lamp, hot brake).
void BuildPart(const MachineDescription& d, const MachinePart& part, bool lit, MeshBuilder& mb);
// The far model: the drive pose body with its wheels, in few polygons.
void BuildFar(const MachineDescription& d, MeshBuilder& mb);

// The livery sheet of a machine as RGBA8 (kSize x kSize), its number set with FreeType.
std::vector<uint8_t> DrawLivery(const MachineDescription& d);

// Models and textures of the machine groups (20..30) and the effect group (33).
class MachineArt {
public:
    MachineArt(const Context& ctx, Output& out);
    // The model of a slot of a machine group or the effect group; false for any other slot.
    // textures: the group's named textures (its "livery" and "flame" sheets are the ones used).
    bool Model(int group, int slot, const std::vector<NamedTextureSpec>& textures, zfmt::Bytes& bytes) const;
    // The RGBA8 pixels (size x size) of a texture of kind "livery" (a machine group's) or
    // "flame"; false for any other kind or group.
    bool Texture(int group, const std::string& kind, int& size, std::vector<uint8_t>& rgba) const;
    // Checks that every slot of the machine groups has a meaning (called with the first slot of each group).
    void CheckSlots(Output& out, const std::vector<int>& firstSlot, const std::vector<int>& counts) const;

    static constexpr int kFirstMachineGroup = 20;
    static constexpr int kEffectGroup = 33;

private:
    std::array<MachineDescription, kMachineCount> machines_;
};

// The flame models of the effect group (slots 1394..1399), by position in the group.
void BuildEffectFlame(int position, MeshBuilder& mb);
std::vector<zfmt::MaterialRecord> EffectMaterials(const std::string& texture);
std::vector<uint8_t> DrawEffectTexture(int size);

}  // namespace contentgen
