// ResourceGroups.cpp -- the resource-group manifest reader shared by the model and texture generators.
#include "tables/ResourceGroups.h"

#include <cstdio>

namespace contentgen {

std::vector<GroupSpec> ReadGroups(const Context& ctx, Output& out) {
    std::vector<GroupSpec> groups;
    std::string fill;
    auto finish = [&]() {
        if (groups.empty()) return;
        GroupSpec& g = groups.back();
        for (int p = 0; p < g.count; ++p) {
            if (!g.files[p].empty()) continue;
            char name[256];
            std::snprintf(name, sizeof name, fill.c_str(), p + 1);
            g.files[p] = name;
        }
        fill.clear();
    };
    for (const ManifestLine& line : ReadManifest(ctx, "resource_groups.txt", out)) {
        const auto& f = line.fields;
        const std::string where = "resource_groups.txt:" + std::to_string(line.lineNumber);
        if (f[0] == "group" && f.size() == 7) {
            finish();
            GroupSpec g;
            g.id = std::stoi(f[1]);
            g.modelBank = f[2];
            g.textureBank = f[3];
            g.folder = f[4];
            g.count = std::stoi(f[5]);
            g.constant = f[6];
            g.files.assign(g.count, "");
            groups.push_back(g);
        } else if (f[0] == "model" && f.size() == 3 && !groups.empty()) {
            int pos = std::stoi(f[1]);
            if (pos < 1 || pos > groups.back().count)
                out.Fail(where + ": position outside the group");
            else
                groups.back().files[pos - 1] = f[2];
        } else if (f[0] == "fill" && f.size() == 2) {
            fill = f[1];
        } else if (f[0] == "textures" && f.size() == 4 && !groups.empty()) {
            groups.back().textureCount = std::stoi(f[1]);
            groups.back().theme = f[2];
            groups.back().texturePrefix = f[3];
        } else if (f[0] == "texture" && f.size() == 3 && !groups.empty()) {
            groups.back().textures.push_back({f[1], f[2]});
        } else {
            out.Fail(where + ": unreadable line");
        }
    }
    finish();
    return groups;
}

}  // namespace contentgen
