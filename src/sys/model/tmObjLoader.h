// tmObjLoader.h -- reads Wavefront "obj" models with their "mtl" material library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/mesh/Mesh.h"

// Reads the obj subset the game uses (positions, texture coordinates,
// normals, polygon faces, material use and one diffuse texture per material)
// into an unshared layout-7 mesh with 32-bit indices and one material record
// per material, "default" first. Made by the resource cache for one load.
class tmObjLoader {
public:
    static constexpr size_t kMaxNameLength = 255;     // material names
    static constexpr size_t kMaxTextureLength = 259;  // map_Kd file names
    static constexpr size_t kMaxMaterials = 4096;

    // 0, or E_FAIL when the file is unreadable, holds no face, or breaks a
    // limit (an index outside its list, an over-long name, too many materials).
    int32_t Load(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials);
    // The same from text already in memory; `folder` is where the library is
    // looked for (with a trailing separator, or empty).
    int32_t LoadText(const std::string& objText, const std::string& folder, platform::mesh::Mesh& mesh,
                     std::vector<uint8_t>& materials);
    void Release();

private:
    struct Material {
        std::string name;
        std::string texture;
    };
    struct Vertex {
        float position[3];
        float normal[3];
        float uv[2];
    };

    bool ParseObj(const std::string& text);
    void ParseMtl(const std::string& text);
    bool Fail(const char* why);

    std::vector<float> positions_, uvs_, normals_;
    std::vector<Vertex> corners_;
    std::vector<uint32_t> faceMaterials_;
    std::vector<Material> materials_;
    uint32_t current_ = 0;
    std::string library_;
};
