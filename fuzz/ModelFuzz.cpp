// ModelFuzz.cpp -- the model readers on arbitrary bytes; the reader is chosen at build time.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image/Image.h"
#include "platform/mesh/XText.h"
#include "sys/model/tmBinaryMeshLoader.h"
#include "sys/model/tmObjLoader.h"
#include "sys/model/tmXMaterialParser.h"
#include "sys/model/tmYsmLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::mesh::Mesh mesh;
    std::vector<uint8_t> materials;
    const char* text = reinterpret_cast<const char*>(data);
#if defined(FUZZ_YBM)
    tmBinaryMeshLoader loader;
    loader.Parse(data, size, mesh, materials);
#elif defined(FUZZ_YSM)
    tmYsmLoader loader;
    loader.Parse(text, size, mesh, materials, size % 2 == 0);
    tmXMaterialParser parser;
    parser.Parse(text, size, materials, 0x400);
#elif defined(FUZZ_XTEXT)
    platform::mesh::XModel model;
    if (platform::mesh::ReadXText(text, size, model)) model.mesh.SortByAttribute(true);
#elif defined(FUZZ_OBJ)
    tmObjLoader loader;
    loader.LoadText(std::string(text, size), "", mesh, materials);
#elif defined(FUZZ_IMAGE)
    platform::image::Image image;
    platform::image::Decode(data, size, image);
    platform::image::DecodeCube(data, size, image);
#endif
    return 0;
}
