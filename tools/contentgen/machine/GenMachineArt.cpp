// GenMachineArt.cpp -- which model each slot of the machine and effect groups holds, their materials and sheets.
#include <algorithm>
#include <set>

#include "machine/MachineArt.h"

namespace contentgen {

namespace {

// Feature bits of a material (the renderer's state flags).
constexpr uint32_t kImageMap = 0x1, kSpecular = 0x40, kVertexColour = 0x400;

zfmt::MaterialRecord Surface(const std::string& texture, uint32_t shaderKind, float specular, float gloss, float glow,
                             int alphaMode) {
    zfmt::MaterialRecord m;
    for (int k = 0; k < 4; ++k) m.diffuse[k] = m.ambient[k] = 1.0f;
    // Self-light of the fixed-function frame (the lit programs use `glow` instead).
    const float self = std::min(0.3f + glow * 0.5f, 1.0f);
    for (int k = 0; k < 3; ++k) m.emissive[k] = self;
    m.emissive[3] = 1.0f;
    m.power = 20.0f;
    m.shaderKind = shaderKind;
    m.featureFlags = kImageMap | kVertexColour | (specular > 0 ? kSpecular : 0u);
    m.custom7 = specular;  // specular strength
    m.custom5[1] = gloss;  // gloss
    m.custom5[0] = glow;   // self-lit share
    m.custom2 = 0.5f;      // half-strength shadows
    m.stages[0].type = 1;
    m.stages[0].fileName = texture;
    m.stages[0].alphaMode = alphaMode;
    return m;
}

constexpr uint32_t kMachineShader = 1;

}  // namespace

std::vector<zfmt::MaterialRecord> MachineMaterials(const std::string& liveryTexture, const std::string& flameTexture) {
    std::vector<zfmt::MaterialRecord> m(kMatCount);
    m[kMatPaint] = Surface(liveryTexture, kMachineShader, 0.55f, 0.55f, 0.0f, 0);
    m[kMatGlass] = Surface(liveryTexture, kMachineShader, 1.2f, 0.9f, 0.0f, 0);
    m[kMatGlow] = Surface(liveryTexture, kMachineShader, 0.0f, 0.0f, 1.6f, 0);
    m[kMatDark] = Surface(liveryTexture, kMachineShader, 0.08f, 0.2f, 0.0f, 0);
    m[kMatMetal] = Surface(liveryTexture, kMachineShader, 0.9f, 0.7f, 0.0f, 0);
    m[kMatFlame] = Surface(flameTexture, kMachineShader, 0.0f, 0.0f, 2.0f, 2);
    return m;
}

std::vector<zfmt::MaterialRecord> EffectMaterials(const std::string& texture) {
    // Shader kind 0: the draw argument chooses the program (vertex colours for the outer plumes).
    return {Surface(texture, 0, 0.0f, 0.0f, 2.0f, 2)};
}

MachineArt::MachineArt(const Context& ctx, Output& out) : machines_(ReadMachineDescriptions(ctx, out)) {}

bool MachineArt::Model(int group, int slot, const std::vector<NamedTextureSpec>& textures, zfmt::Bytes& bytes) const {
    std::string livery, flame;
    for (const NamedTextureSpec& t : textures) {
        if (t.kind == "livery") livery = t.name;
        if (t.kind == "flame") flame = t.name;
    }
    MeshBuilder mb;
    if (group == kEffectGroup) {
        const int position = slot - 1393;  // slots 1394..1399
        if (position < 1 || position > 6) return false;
        BuildEffectFlame(position, mb);
        bytes = mb.Write(EffectMaterials(flame));
        return true;
    }
    const int id = group - kFirstMachineGroup + 1;
    if (id < 1 || id >= kMachineCount || !machines_[id].present) return false;
    const MachineDescription& d = machines_[id];
    const unsigned s = static_cast<unsigned>(slot);

    auto body = [&](const BodyParams& p, int from, int to, float t) {
        float wheels[4][3];
        for (int w = 0; w < 4; ++w)
            for (int k = 0; k < 3; ++k) wheels[w][k] = Lerp(d.wheelPos[w][from][k], d.wheelPos[w][to][k], t);
        BuildBody(d, p, wheels, false, mb);
    };
    bool found = false;
    if (const MachineMorph* m = d.MorphOf(s)) {
        body(BlendBody(FamilyPose(d, m->from), FamilyPose(d, m->to), m->t), m->from, m->to, m->t);
        found = true;
    } else if (d.PoseOf(s) >= 0) {
        const int pose = d.PoseOf(s);
        body(FamilyPose(d, pose), pose, pose, 0);
        found = true;
    } else if (s == d.far) {
        BuildFar(d, mb);
        found = true;
    } else {
        for (const auto& spare : d.spares)
            if (spare.first == s) {
                body(FamilyPose(d, spare.second), spare.second, spare.second, 0);
                found = true;
                break;
            }
        for (const MachinePart& p : d.parts) {
            if (found) break;
            if (p.model == s || p.alt == s) {
                BuildPart(d, p, p.alt == s, mb);
                found = true;
            }
        }
    }
    if (!found) return false;
    bytes = mb.Write(MachineMaterials(livery, flame));
    return true;
}

bool MachineArt::Texture(int group, const std::string& kind, int& size, std::vector<uint8_t>& rgba) const {
    if (kind == "flame") {
        size = 32;
        rgba = DrawEffectTexture(size);
        return true;
    }
    const int id = group - kFirstMachineGroup + 1;
    if (kind != "livery" || id < 1 || id >= kMachineCount || !machines_[id].present) return false;
    size = livery::kSize;
    rgba = DrawLivery(machines_[id]);
    return true;
}

void MachineArt::CheckSlots(Output& out, const std::vector<int>& firstSlot, const std::vector<int>& counts) const {
    for (int id = 1; id < kMachineCount; ++id) {
        const int group = kFirstMachineGroup + id - 1;
        if (group >= static_cast<int>(firstSlot.size())) return;
        const MachineDescription& d = machines_[id];
        std::set<unsigned> known(d.poses, d.poses + kMachinePoses);
        known.insert(d.far);
        for (const MachineMorph& m : d.morphs) known.insert(m.slot);
        for (const auto& sp : d.spares) known.insert(sp.first);
        for (const MachinePart& p : d.parts) {
            known.insert(p.model);
            if (p.alt) known.insert(p.alt);
        }
        const unsigned lo = static_cast<unsigned>(firstSlot[group]);
        const unsigned hi = lo + static_cast<unsigned>(counts[group]);
        for (unsigned s : known)
            out.Check(s >= lo && s < hi, "machine " + std::to_string(id) + ": slot " + std::to_string(s) +
                                             " lies outside the machine's group");
        for (unsigned s = lo; s < hi; ++s)
            out.Check(known.count(s) == 1, "machine " + std::to_string(id) + ": slot " + std::to_string(s) +
                                               " has no meaning in machine_models.txt");
    }
}

}  // namespace contentgen
