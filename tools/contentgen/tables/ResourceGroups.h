// ResourceGroups.h -- reads manifest/resource_groups.txt: the 36 groups, their models and texture banks.
#pragma once

#include <string>
#include <vector>

#include "Generators.h"

namespace contentgen {

// A texture the manifest names with a kind (see the manifest's header).
struct NamedTextureSpec {
    std::string name;
    std::string kind;
};

struct GroupSpec {
    int id = -1;
    std::string modelBank, textureBank, folder, constant;
    int count = 0;                   // models
    std::vector<std::string> files;  // file names in <folder>\model\, by position
    int textureCount = -1;           // entries of the texture bank
    std::string theme, texturePrefix;
    std::vector<NamedTextureSpec> textures;
};

// The groups in manifest order; unreadable lines are reported through out.Fail.
std::vector<GroupSpec> ReadGroups(const Context& ctx, Output& out);

}  // namespace contentgen
