// MaterialRecord.cpp -- field-by-field little-endian layout of material records.
#include "format/MaterialRecord.h"

#include <cstring>

namespace zfmt {

namespace {

void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutF32(uint8_t* p, float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    PutU32(p, u);
}
uint32_t GetU32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
float GetF32(const uint8_t* p) {
    uint32_t u = GetU32(p);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

}  // namespace

void WriteMaterialRecord(const MaterialRecord& m, uint8_t* out) {
    std::memset(out, 0, kMaterialRecordSize);
    for (int i = 0; i < 4; ++i) {
        PutF32(out + 0 + 4 * i, m.diffuse[i]);
        PutF32(out + 16 + 4 * i, m.ambient[i]);
        PutF32(out + 32 + 4 * i, m.specular[i]);
        PutF32(out + 48 + 4 * i, m.emissive[i]);
    }
    PutF32(out + 64, m.power);
    out[68] = m.customByte1;
    out[69] = m.customByte2;
    PutF32(out + 72, m.custom2);
    for (int i = 0; i < 3; ++i) PutF32(out + 76 + 4 * i, m.custom3[i]);
    for (int i = 0; i < 2; ++i) PutF32(out + 88 + 4 * i, m.custom4[i]);
    for (int i = 0; i < 2; ++i) PutF32(out + 96 + 4 * i, m.custom5[i]);
    PutU32(out + 104, static_cast<uint32_t>(m.custom6));
    PutF32(out + 108, m.custom7);
    PutF32(out + 112, m.custom8);
    out[116] = m.custom9;
    out[117] = m.custom10;
    PutU32(out + 120, m.shaderKind);
    PutU32(out + 124, m.featureFlags);
    for (int s = 0; s < kMaterialStages; ++s) {
        uint8_t* p = out + 128 + kTextureStageSize * s;
        const TextureStage& st = m.stages[s];
        PutU32(p, static_cast<uint32_t>(st.type));
        PutU32(p + 4, static_cast<uint32_t>(st.parameter));
        p[8] = st.flag;
        PutU32(p + 12, static_cast<uint32_t>(st.uv01));
        PutU32(p + 16, static_cast<uint32_t>(st.alphaMode));
        std::size_t n = st.fileName.size() < kTextureNameSize - 1 ? st.fileName.size() : kTextureNameSize - 1;
        std::memcpy(p + 20, st.fileName.data(), n);
    }
}

void AppendMaterialRecords(const std::vector<MaterialRecord>& records, std::vector<uint8_t>& out) {
    std::size_t at = out.size();
    out.resize(at + records.size() * kMaterialRecordSize);
    for (const MaterialRecord& m : records) {
        WriteMaterialRecord(m, &out[at]);
        at += kMaterialRecordSize;
    }
}

MaterialRecord ReadMaterialRecord(const uint8_t* in) {
    MaterialRecord m;
    for (int i = 0; i < 4; ++i) {
        m.diffuse[i] = GetF32(in + 0 + 4 * i);
        m.ambient[i] = GetF32(in + 16 + 4 * i);
        m.specular[i] = GetF32(in + 32 + 4 * i);
        m.emissive[i] = GetF32(in + 48 + 4 * i);
    }
    m.power = GetF32(in + 64);
    m.customByte1 = in[68];
    m.customByte2 = in[69];
    m.custom2 = GetF32(in + 72);
    for (int i = 0; i < 3; ++i) m.custom3[i] = GetF32(in + 76 + 4 * i);
    for (int i = 0; i < 2; ++i) m.custom4[i] = GetF32(in + 88 + 4 * i);
    for (int i = 0; i < 2; ++i) m.custom5[i] = GetF32(in + 96 + 4 * i);
    m.custom6 = static_cast<int32_t>(GetU32(in + 104));
    m.custom7 = GetF32(in + 108);
    m.custom8 = GetF32(in + 112);
    m.custom9 = in[116];
    m.custom10 = in[117];
    m.shaderKind = GetU32(in + 120);
    m.featureFlags = GetU32(in + 124);
    for (int s = 0; s < kMaterialStages; ++s) {
        const uint8_t* p = in + 128 + kTextureStageSize * s;
        TextureStage& st = m.stages[s];
        st.type = static_cast<int32_t>(GetU32(p));
        st.parameter = static_cast<int32_t>(GetU32(p + 4));
        st.flag = p[8];
        st.uv01 = static_cast<int32_t>(GetU32(p + 12));
        st.alphaMode = static_cast<int32_t>(GetU32(p + 16));
        const char* name = reinterpret_cast<const char*>(p + 20);
        st.fileName.assign(name, strnlen(name, kTextureNameSize));
    }
    return m;
}

static_assert(128 + kMaterialStages * kTextureStageSize == kMaterialRecordSize, "material record is 1784 bytes");

}  // namespace zfmt
