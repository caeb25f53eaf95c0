// ResourceGroups.h -- the resource-group manifest: each group's banks, folder and model files by position.
#pragma once

#include <string>
#include <vector>

#include "Generators.h"

namespace contentgen {

struct TextureSpec {
    std::string name;
    std::string kind;  // label, cube, ramp, sky, alpha, post
};

struct GroupSpec {
    int id = -1;
    std::string modelBank, textureBank, folder, constant;
    int count = 0;
    std::vector<std::string> files;  // file names in <folder>\model\, by position
    std::vector<TextureSpec> textures;
};

// Reads manifest/resource_groups.txt; problems go to out.Fail.
std::vector<GroupSpec> ReadGroups(const Context& ctx, Output& out);

}  // namespace contentgen
