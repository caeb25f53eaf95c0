// Generator: the texture banks of the 36 resource groups, each with the entry count its group gives.
#include <memory>
#include <set>

#include "course/CourseArt.h"
#include "machine/MachineArt.h"
#include "tables/ResourceGroups.h"
#include "tables/TextureSets.h"

namespace contentgen {

namespace {

// Pictures whose luminance varies less than this are blank fills, not textures.
constexpr float kMinSpread = 0.015f;

std::uint64_t Fingerprint(const zfmt::Bytes& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

struct Drawn {
    zfmt::Bytes png;
    float spread = 0;
};

}  // namespace

void GenTextures(Output& out, const Context& ctx) {
    const std::vector<GroupSpec> groups = ReadGroups(ctx, out);
    const auto machineArt = std::make_shared<MachineArt>(ctx, out);
    // Every group's textures: the named ones first, then its theme's catalogue.
    std::vector<std::vector<TextureJob>> plans(groups.size());
    for (size_t gi = 0; gi < groups.size(); ++gi) {
        const GroupSpec& g = groups[gi];
        const std::string where = "texture bank " + g.textureBank + ": ";
        if (g.textureCount < 0) {
            out.Fail(where + "no textures line");
            continue;
        }
        std::vector<TextureJob>& plan = plans[gi];
        for (const NamedTextureSpec& t : g.textures) {
            TextureJob job;
            int size = 0;
            std::vector<uint8_t> rgba;
            // The machines' livery and flame sheets come from their descriptions.
            if (machineArt->Texture(g.id, t.kind, size, rgba)) {
                job.name = t.name;
                job.make = [size, rgba] {
                    art::Canvas c(size, size);
                    for (int y = 0; y < size; ++y)
                        for (int x = 0; x < size; ++x) {
                            const uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
                            c.At(x, y) = art::Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
                        }
                    return c;
                };
                plan.push_back(std::move(job));
            } else if (CourseArtTexture(g.id, t.name, t.kind, job) || NamedTexture(t.name, t.kind, g.theme, job))
                plan.push_back(std::move(job));
            else
                out.Fail(where + t.name + " has the unknown kind " + t.kind);
        }
        const std::vector<TextureJob> catalogue = ThemeTextures(g.theme, g.texturePrefix);
        for (size_t i = 0; plan.size() < static_cast<size_t>(g.textureCount) && i < catalogue.size(); ++i)
            plan.push_back(catalogue[i]);
        out.Check(plan.size() == static_cast<size_t>(g.textureCount), where + "theme " + g.theme + " gives " +
                                                                          std::to_string(plan.size()) + " textures, " +
                                                                          std::to_string(g.textureCount) + " needed");
    }

    std::vector<const TextureJob*> jobs;
    for (const auto& plan : plans)
        for (const TextureJob& j : plan) jobs.push_back(&j);
    std::vector<Drawn> drawn(jobs.size());
    ParallelFor(jobs.size(), ctx.jobs, [&](size_t i) {
        const art::Canvas c = jobs[i]->make();
        drawn[i] = {c.Png(), c.Spread()};
    });

    size_t next = 0;
    for (size_t gi = 0; gi < groups.size(); ++gi) {
        const GroupSpec& g = groups[gi];
        BankOutput& bank = out.AddBank(g.textureBank, DefaultBankKey(g.textureBank), BankDirectory::Stems);
        if (g.textureCount >= 0) bank.ExpectCount(g.textureCount);
        std::set<std::uint64_t> pictures;
        std::set<std::string> stems;
        for (const TextureJob& job : plans[gi]) {
            Drawn& d = drawn[next++];
            const std::string where = "texture bank " + g.textureBank + ": " + job.name;
            out.Check(d.spread >= kMinSpread, where + " is a blank fill");
            out.Check(pictures.insert(Fingerprint(d.png)).second, where + " repeats another picture of the bank");
            out.Check(stems.insert(zfmt::BankStem(job.name)).second, where + " repeats a name of the bank");
            bank.Add(job.name, std::move(d.png));
        }
    }
}

}  // namespace contentgen
