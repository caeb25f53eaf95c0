// MaterialRecord.h -- the 1784-byte material record every model reader produces.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zfmt {

constexpr std::size_t kMaterialRecordSize = 1784;
constexpr std::size_t kTextureStageSize = 276;
constexpr std::size_t kTextureNameSize = 256;
constexpr int kMaterialStages = 6;

// One texture stage: the five stage words and the texture file name.
struct TextureStage {
    int32_t type = 0;  // 0 none, 1 image, 2 light, 3 normal, 4 mask, 5 HDR map
    int32_t parameter = 1;
    uint8_t flag = 0;
    int32_t uv01 = 0;       // 1: the stage samples the second texture set
    int32_t alphaMode = 0;  // 0 opaque, 1 alpha test, 2 alpha blend
    std::string fileName;   // empty: no texture (at most 255 bytes are kept)
};

// A material: device colours and power, custom shading values (named after
// the "CustomParam" lines that set them), shader kind, feature bits, stages.
struct MaterialRecord {
    float diffuse[4] = {0, 0, 0, 0};
    float ambient[4] = {0, 0, 0, 0};
    float specular[4] = {0, 0, 0, 0};
    float emissive[4] = {0, 0, 0, 0};
    float power = 0;
    uint8_t customByte1 = 0;  // line 1, first value
    uint8_t customByte2 = 0;  // line 1, second value
    float custom2 = 0.5f;
    float custom3[3] = {1.0f, 1.0f, 1.0f};
    float custom4[2] = {0.6f, 0.0f};
    float custom5[2] = {0.0f, 0.0f};
    int32_t custom6 = 0;
    float custom7 = 0.0f;
    float custom8 = 0.0f;
    uint8_t custom9 = 0;
    uint8_t custom10 = 0;
    uint32_t shaderKind = 0;
    uint32_t featureFlags = 0;
    TextureStage stages[kMaterialStages];
};

// Writes one record into exactly kMaterialRecordSize bytes at out.
void WriteMaterialRecord(const MaterialRecord& m, uint8_t* out);
// Appends records to a byte buffer.
void AppendMaterialRecords(const std::vector<MaterialRecord>& records, std::vector<uint8_t>& out);
// Reads one record from kMaterialRecordSize bytes; a file name without a NUL
// in its field is cut at the field's end.
MaterialRecord ReadMaterialRecord(const uint8_t* in);

}  // namespace zfmt
