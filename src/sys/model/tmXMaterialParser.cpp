// tmXMaterialParser.cpp -- material list parsing, keywords and feature bits.
#include "sys/model/tmXMaterialParser.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "sys/model/tmModelText.h"

namespace {

constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

constexpr const char* kShaderKinds[] = {"_defaultShader", "_machineShader", "_vertexcolorShader",
                                        "_groundShader",  "_objShader",     "_lodShader"};
constexpr const char* kFeatureWords[] = {
    "_imageMap",     "_lightMap",       "_normalMap",   "_maskMap",    "_reflectMap",    "_shadowMap",
    "_specularMap",  "_gouraudShading", "_hsLight",     "_hdrMap",     "_vertexColor",   "_imageMapUv01",
    "_lightMapUv01", "_normalMapUv01",  "_maskMapUv01", "_hdrMapUv01", "_dynamicReflect"};

using Lines = std::vector<std::string_view>;
using namespace tmModelText;

std::string_view LineAt(const Lines& lines, size_t i) { return i < lines.size() ? lines[i] : std::string_view(); }

// Values of a ';'-separated line; missing values read 0.
void Values(std::string_view line, float* out, int n) {
    Lines cells = SplitAt(line, ';');
    for (int i = 0; i < n; ++i) out[i] = i < static_cast<int>(cells.size()) ? Float(cells[i]) : 0.0f;
}
void IntValues(std::string_view line, int32_t* out, int n) {
    Lines cells = SplitAt(line, ';');
    for (int i = 0; i < n; ++i) out[i] = i < static_cast<int>(cells.size()) ? Int(cells[i]) : 0;
}

// Finds a line holding `word` in [from, from + span); a line that starts the
// next material ends the search. Returns the index or -1.
long FindWithin(const Lines& lines, size_t from, size_t span, std::string_view word) {
    for (size_t i = from; i < from + span && i < lines.size(); ++i) {
        if (Contains(lines[i], word)) return static_cast<long>(i);
        if (Contains(lines[i], "Material ")) return -1;
    }
    return -1;
}

zfmt::MaterialRecord ParseMaterial(const Lines& lines, size_t L) {
    zfmt::MaterialRecord m;
    Values(LineAt(lines, L + 1), m.ambient, 4);
    m.power = Float(LineAt(lines, L + 2));
    Values(LineAt(lines, L + 3), m.specular, 4);
    Values(LineAt(lines, L + 4), m.diffuse, 4);
    std::fill(m.emissive, m.emissive + 4, 1.0f);
    const std::string_view header = LineAt(lines, L);
    for (uint32_t k = 0; k < 6; ++k)
        if (Contains(header, kShaderKinds[k])) {
            m.shaderKind = k;
            break;
        }

    size_t stageSearch = L + 5;
    long P = FindWithin(lines, L + 5, 5, "CustomParam");
    if (P >= 0) {
        int32_t bytes[2];
        IntValues(LineAt(lines, P + 1), bytes, 2);
        m.customByte1 = static_cast<uint8_t>(bytes[0]);
        m.customByte2 = static_cast<uint8_t>(bytes[1]);
        m.custom2 = Float(LineAt(lines, P + 2));
        Values(LineAt(lines, P + 3), m.custom3, 3);
        Values(LineAt(lines, P + 4), m.custom4, 2);
        Values(LineAt(lines, P + 5), m.custom5, 2);
        m.custom6 = Int(LineAt(lines, P + 6));
        m.custom7 = Float(LineAt(lines, P + 7));
        m.custom8 = Float(LineAt(lines, P + 8));
        m.custom9 = static_cast<uint8_t>(Int(LineAt(lines, P + 9)));
        m.custom10 = static_cast<uint8_t>(Int(LineAt(lines, P + 10)));
        stageSearch = static_cast<size_t>(P) + 10;
    }

    for (int s = 0; s < zfmt::kMaterialStages; ++s) {
        long T = FindWithin(lines, stageSearch, 10, "TextureFilename");
        if (T < 0) break;
        zfmt::TextureStage& st = m.stages[s];
        Lines quoted = SplitAt(LineAt(lines, T + 1), '"');
        if (quoted.size() > 1) st.fileName = std::string(quoted[1].substr(0, zfmt::kTextureNameSize - 1));
        if (Contains(LineAt(lines, T + 2), "}")) {
            st.type = 1;
            st.parameter = 1;
            st.flag = 0;
            st.uv01 = 1;
            st.alphaMode = 0;
        } else {
            int32_t two[2];
            IntValues(LineAt(lines, T + 2), two, 2);
            st.type = two[0];
            st.parameter = two[1];
            st.flag = static_cast<uint8_t>(Int(LineAt(lines, T + 3)));
            IntValues(LineAt(lines, T + 4), two, 2);
            st.uv01 = two[0];
            st.alphaMode = two[1];
        }
        stageSearch = static_cast<size_t>(T) + 1;
    }

    uint32_t f = 0;
    struct StageBit {
        int stage, type, bit, uvBit;
    };
    constexpr StageBit kStageBits[] = {{0, 1, 0, 11}, {1, 2, 1, 12}, {2, 3, 2, 13}, {3, 4, 3, 14}, {4, 5, 9, 15}};
    for (const StageBit& b : kStageBits)
        if (m.stages[b.stage].type == b.type) {
            f |= 1u << b.bit;
            if (m.stages[b.stage].uv01 == 1) f |= 1u << b.uvBit;
        }
    for (uint32_t k = 0; k < 17; ++k)
        if (Contains(header, kFeatureWords[k])) f |= 1u << k;
    if (m.customByte2 != 0 && m.custom2 > 0.0f) f |= 1u << 5;
    if (m.custom5[0] > 0.0f) f |= 1u << 6;
    if (m.custom10 != 0) f |= (1u << 7) | (1u << 8);
    if (m.custom6 >= 1 && m.custom7 > 0.0f) {
        f |= 1u << 4;
        if (m.custom6 == 1) f |= 1u << 16;
    }
    m.featureFlags = f;
    return m;
}

// True when the text before a "MeshMaterialList" occurrence ends with the
// word "template": that occurrence declares the template, it is no list.
bool IsTemplate(std::string_view before) {
    std::string_view t = Trim(before);
    return t.size() >= 8 && t.substr(t.size() - 8) == "template";
}

}  // namespace

int32_t tmXMaterialParser::Parse(const char* text, size_t size, std::vector<uint8_t>& out, uint32_t extraFlags) {
    records_.clear();
    out.clear();
    if (!text) return kFail;
    const std::string_view all(text, size);
    constexpr std::string_view kList = "MeshMaterialList";
    size_t at = all.find(kList);
    size_t prev = 0;
    while (at != std::string_view::npos) {
        const size_t next = all.find(kList, at + kList.size());
        const std::string_view piece = all.substr(at, (next == std::string_view::npos ? all.size() : next) - at);
        const bool declaration = IsTemplate(all.substr(prev, at - prev));
        prev = at;
        at = next;
        if (declaration) continue;

        Lines head = SplitLines(piece.substr(0, std::min<size_t>(piece.size(), 4096)));
        const int32_t m = Int(SplitAt(LineAt(head, 1), ';')[0]);
        const int32_t f = Int(SplitAt(LineAt(head, 2), ';')[0]);
        if (m <= 0) continue;
        if (records_.size() + static_cast<size_t>(m) > kMaxMaterials) {
            std::fprintf(stderr, "material list: more than %u materials\n", kMaxMaterials);
            records_.clear();
            return kFail;
        }
        Lines lines = SplitLines(piece);
        const size_t limit = static_cast<size_t>(m) * 64 + static_cast<size_t>(f > 0 ? f : 0) + 4;
        if (lines.size() > limit) lines.resize(limit);
        size_t from = 1;  // the list's own line is line 0 of the piece
        for (int32_t k = 0; k < m; ++k) {
            long L = -1;
            for (size_t i = from; i < lines.size(); ++i)
                if (Contains(lines[i], "Material ")) {
                    L = static_cast<long>(i);
                    break;
                }
            if (L < 0) {
                std::fprintf(stderr, "material list: %d materials announced, fewer found\n", m);
                records_.clear();
                return kFail;
            }
            zfmt::MaterialRecord rec = ParseMaterial(lines, static_cast<size_t>(L));
            rec.featureFlags |= extraFlags;
            records_.push_back(rec);
            from = static_cast<size_t>(L) + 4;
        }
    }
    zfmt::AppendMaterialRecords(records_, out);
    return 0;
}

bool tmXMaterialParser::HasNormalMap() const {
    for (const auto& r : records_)
        for (const auto& s : r.stages)
            if (s.type == 3) return true;
    return false;
}

bool tmXMaterialParser::NeedsNormals() const {
    for (const auto& r : records_)
        if (r.custom5[0] > 0.0f || r.custom6 >= 1) return true;
    return false;
}
