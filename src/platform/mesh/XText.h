// XText.h -- reader of DirectX text meshes ("xof ... txt") into one merged Mesh.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/mesh/Mesh.h"

namespace platform::mesh {

// A material as the text mesh format states it, in the colour-record order of
// a device material (diffuse, ambient, specular, emissive RGBA, then power).
struct XMaterial {
    float diffuse[4] = {1, 1, 1, 1};
    float ambient[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 1};
    float emissive[4] = {0, 0, 0, 1};
    float power = 0.0f;
    std::string textureFile;  // empty when the material names none
};

// What the reader makes of one file: every mesh of the frame hierarchy placed
// by its frame transforms and merged into one mesh, faces triangulated as fans,
// attribute ids pointing into `materials` (meshes' lists concatenated in file
// order; a mesh without a list gets one default material). The vertex layout
// is position, then normal, colour and texture set 0 when any mesh has them.
struct XModel {
    Mesh mesh;
    std::vector<XMaterial> materials;
};

// Reads the text subset our content writes: templates are skipped, Frame,
// FrameTransformMatrix, Mesh, MeshNormals, MeshTextureCoords, MeshVertexColors,
// MeshMaterialList, Material and TextureFilename are read, unknown blocks are
// skipped. False with a reason on malformed input, out-of-range indices or a
// non-text file.
bool ReadXText(const char* text, size_t size, XModel& out, std::string* error = nullptr);

}  // namespace platform::mesh
