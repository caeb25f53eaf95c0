// tmBinaryMeshLoader.h -- reads "ybm" binary mesh images into a mesh and material records.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/BinaryMesh.h"
#include "platform/mesh/Mesh.h"

// Turns a binary mesh image (loose file or bank member) into a mesh in vertex
// layout 3, sorted by attribute, and a buffer of 1784-byte material records.
// The resource cache makes one on the first "ybm" model and keeps it; the
// last parsed sections stay in the reader until the next parse or Release.
class tmBinaryMeshLoader {
public:
    // 0, or E_FAIL (0x80004005) when the file cannot be read or parsed.
    int32_t LoadFromFile(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials);
    int32_t Parse(const uint8_t* bytes, size_t size, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials);
    void Release();

    const zfmt::BinaryMesh& Last() const { return last_; }

private:
    zfmt::BinaryMesh last_;
};
