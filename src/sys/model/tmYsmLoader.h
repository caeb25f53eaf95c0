// tmYsmLoader.h -- reads "ysm" text meshes: geometry, material lists and a second UV set.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/mesh/Mesh.h"
#include "sys/model/tmXMaterialParser.h"

// Reads a text mesh with our extra blocks: the geometry through the text mesh
// reader, the material records through its own parser, and the
// "MeshTextureCoords2" blocks as texture set 1; rebuilds the mesh in vertex
// layout 3, 4 or 5. The resource cache makes one on the first "ysm" model.
class tmYsmLoader {
public:
    static constexpr uint32_t kMaxUvPairs = 65535;

    // 0, or E_FAIL when the file cannot be read or parsed.
    int32_t LoadFromFile(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials);
    // fullLayout forces layout 3 (position, normal, colour, two UV sets, tangent).
    int32_t Parse(const char* text, size_t size, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials,
                  bool fullLayout);

    const tmXMaterialParser& Materials() const { return parser_; }

private:
    void ReadSecondUvSet(const char* text, size_t size);

    tmXMaterialParser parser_;
    std::vector<float> uv1_;  // pairs of the file being read
};
