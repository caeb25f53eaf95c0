// TextureSets.h -- which textures each texture bank holds: the named ones and a theme's catalogue.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "kit/TextureArt.h"

namespace contentgen {

// One texture to make: its file name in the bank and how to draw it.
struct TextureJob {
    std::string name;  // "S_NSK_road_asphalt.dds"
    std::function<art::Canvas()> make;
};

// Collects the jobs of a catalogue: pictures of w x h drawn by a painter, named
// after the bank's prefix.
class TextureCatalogue {
public:
    explicit TextureCatalogue(const std::string& prefix) : m_prefix(prefix) {}
    void Add(const std::string& suffix, int w, int h, std::function<void(art::Canvas&)> paint) {
        m_jobs.push_back({m_prefix + "_" + suffix + ".dds", [w, h, paint] {
                              art::Canvas c(w, h);
                              paint(c);
                              return c;
                          }});
    }
    void Add(const std::string& suffix, int size, std::function<void(art::Canvas&)> paint) {
        Add(suffix, size, size, std::move(paint));
    }
    // A seed of its own for each picture: the prefix and a name.
    std::uint32_t SeedOf(const std::string& suffix) const { return art::Seed((m_prefix + suffix).c_str()); }
    std::vector<TextureJob> Take() { return std::move(m_jobs); }

private:
    std::string m_prefix;
    std::vector<TextureJob> m_jobs;
};

// A texture the manifest names with a kind: label (the group's plain panel),
// cube (the sky cube), ramp (the light ramp), post (the post-process lookup),
// alpha (a test picture with an alpha gradient), normal (a normal map).
// False when the kind is unknown.
bool NamedTexture(const std::string& name, const std::string& kind, const std::string& theme, TextureJob& out);

// The catalogue of a theme, most needed first; a bank takes as many as it
// needs after its named textures. Names are `prefix` + "_" + a suffix
// (+ "_ALPHA" for cut-outs). An unknown theme gives an empty list.
std::vector<TextureJob> ThemeTextures(const std::string& theme, const std::string& prefix);

// Catalogues by kind of group (TextureSetsParts.cpp).
std::vector<TextureJob> MachineTextures(const std::string& prefix);
std::vector<TextureJob> CockpitTextures(const std::string& prefix);
std::vector<TextureJob> MapTextures(const std::string& prefix);
std::vector<TextureJob> CommonTextures(const std::string& prefix);
std::vector<TextureJob> EffectTextures(const std::string& prefix);
std::vector<TextureJob> TestTextures(const std::string& prefix);

}  // namespace contentgen
