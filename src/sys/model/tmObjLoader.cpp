// tmObjLoader.cpp -- obj/mtl parsing, fan triangulation and material records.
#include "sys/model/tmObjLoader.h"

#include <cstdio>
#include <string_view>

#include "format/MaterialRecord.h"
#include "sys/model/tmModelText.h"

namespace {
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
using namespace tmModelText;

bool StartsWith(std::string_view line, std::string_view word) { return line.substr(0, word.size()) == word; }
// A keyword followed by a blank (so "vt" is not "v").
bool Keyword(std::string_view line, std::string_view word) {
    return StartsWith(line, word) && line.size() > word.size() &&
           (line[word.size()] == ' ' || line[word.size()] == '\t');
}
// The rest of a line after its keyword, blanks and carriage returns trimmed.
std::string_view Argument(std::string_view line, std::string_view word) { return Trim(line.substr(word.size())); }

std::string FolderOf(const std::string& path) {
    size_t at = path.find_last_of("\\/");
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}
}  // namespace

bool tmObjLoader::Fail(const char* why) {
    std::fprintf(stderr, "obj: refused (%s)\n", why);
    return false;
}

void tmObjLoader::Release() {
    positions_.clear();
    uvs_.clear();
    normals_.clear();
    corners_.clear();
    faceMaterials_.clear();
    materials_.clear();
    current_ = 0;
    library_.clear();
}

bool tmObjLoader::ParseObj(const std::string& text) {
    Release();
    materials_.push_back({"default", ""});
    for (std::string_view line : SplitLines(text)) {
        if (StartsWith(line, "#")) continue;
        std::vector<std::string_view> cells = SplitBlanks(line);
        if (cells.empty()) continue;
        const std::string_view key = cells[0];
        if (key == "vt") {
            uvs_.push_back(cells.size() > 1 ? Float(cells[1]) : 0.0f);
            uvs_.push_back(cells.size() > 2 ? Float(cells[2]) : 0.0f);
        } else if (key == "vn") {
            for (size_t i = 1; i <= 3; ++i) normals_.push_back(i < cells.size() ? Float(cells[i]) : 0.0f);
        } else if (key == "v") {
            for (size_t i = 1; i <= 3; ++i) positions_.push_back(i < cells.size() ? Float(cells[i]) : 0.0f);
        } else if (key == "f") {
            if (cells.size() < 4) return Fail("a face with fewer than three corners");
            std::vector<Vertex> poly;
            for (size_t c = 1; c < cells.size(); ++c) {
                std::vector<std::string_view> parts = SplitAt(cells[c], '/');
                const int32_t p = Int(parts[0]);
                const int32_t t = parts.size() > 1 ? Int(parts[1]) : 0;
                const int32_t n = parts.size() > 2 ? Int(parts[2]) : 0;
                if (p < 1 || static_cast<size_t>(p) > positions_.size() / 3 || t < 0 ||
                    static_cast<size_t>(t) > uvs_.size() / 2 || n < 0 || static_cast<size_t>(n) > normals_.size() / 3)
                    return Fail("a face index outside its list");
                Vertex v{};
                for (int k = 0; k < 3; ++k) v.position[k] = positions_[(p - 1) * 3 + k];
                if (t > 0) {
                    v.uv[0] = uvs_[(t - 1) * 2];
                    v.uv[1] = uvs_[(t - 1) * 2 + 1];
                }
                if (n > 0) {
                    for (int k = 0; k < 3; ++k) v.normal[k] = normals_[(n - 1) * 3 + k];
                } else {
                    v.normal[1] = 1.0f;
                }
                poly.push_back(v);
            }
            if (corners_.size() + (poly.size() - 2) * 3 > platform::mesh::Mesh::kMaxVertices)
                return Fail("too many vertices");
            for (size_t c = 1; c + 1 < poly.size(); ++c) {  // fan
                corners_.push_back(poly[0]);
                corners_.push_back(poly[c]);
                corners_.push_back(poly[c + 1]);
                faceMaterials_.push_back(current_);
            }
        } else if (key == "mtllib") {
            std::string_view name = Argument(line, "mtllib");
            if (name.empty()) continue;
            library_ = std::string(name);
        } else if (key == "usemtl") {
            std::string_view name = Argument(line, "usemtl");
            if (name.size() > kMaxNameLength) return Fail("a material name over 255 bytes");
            uint32_t found = static_cast<uint32_t>(materials_.size());
            for (uint32_t i = 0; i < materials_.size(); ++i)
                if (materials_[i].name == name) {
                    found = i;
                    break;
                }
            if (found == materials_.size()) {
                if (materials_.size() >= kMaxMaterials) return Fail("too many materials");
                materials_.push_back({std::string(name), ""});
            }
            current_ = found;
        }
    }
    return true;
}

void tmObjLoader::ParseMtl(const std::string& text) {
    Material* selected = nullptr;
    for (std::string_view line : SplitLines(text)) {
        std::string_view t = Trim(line);
        if (Keyword(t, "newmtl")) {
            std::string_view name = Argument(t, "newmtl");
            selected = nullptr;
            for (size_t i = 1; i < materials_.size(); ++i)
                if (materials_[i].name == name) selected = &materials_[i];
            continue;
        }
        if (!selected || StartsWith(t, "#")) continue;
        if (Keyword(t, "map_Kd")) {
            std::string_view name = Argument(t, "map_Kd");
            if (name.size() > kMaxTextureLength) {
                std::fprintf(stderr, "mtl: texture name over 259 bytes ignored\n");
                continue;
            }
            selected->texture = std::string(name);
        }
    }
}

int32_t tmObjLoader::Load(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes)) {
        std::fprintf(stderr, "obj: cannot read %s\n", path ? path : "(null)");
        return kFail;
    }
    return LoadText(std::string(bytes.begin(), bytes.end()), FolderOf(path), mesh, materials);
}

int32_t tmObjLoader::LoadText(const std::string& objText, const std::string& folder, platform::mesh::Mesh& mesh,
                              std::vector<uint8_t>& materials) {
    if (!ParseObj(objText)) {
        Release();
        return kFail;
    }
    if (!library_.empty()) {
        std::vector<uint8_t> mtl;
        if (ReadFile((folder + library_).c_str(), mtl)) ParseMtl(std::string(mtl.begin(), mtl.end()));
    }
    using namespace platform::mesh;
    const uint32_t v = static_cast<uint32_t>(corners_.size());
    Mesh built;
    if (!built.Create(v / 3, v, BuiltinLayout(7), true)) {
        Fail("no faces");
        Release();
        return kFail;
    }
    for (uint32_t i = 0; i < v; ++i) {
        uint8_t* p = &built.Vertices()[static_cast<size_t>(i) * 32];
        const Vertex& c = corners_[i];
        for (int k = 0; k < 3; ++k) WriteF32(p + 4 * k, c.position[k]);
        for (int k = 0; k < 3; ++k) WriteF32(p + 12 + 4 * k, c.normal[k]);
        WriteF32(p + 24, c.uv[0]);
        WriteF32(p + 28, c.uv[1]);
        built.Indices()[i] = i;
    }
    built.Attributes() = faceMaterials_;
    built.SortByAttribute(true);

    std::vector<zfmt::MaterialRecord> records(materials_.size());
    for (size_t i = 0; i < materials_.size(); ++i) {
        zfmt::MaterialRecord& r = records[i];
        for (int k = 0; k < 4; ++k) r.diffuse[k] = r.ambient[k] = r.specular[k] = 1.0f;
        r.emissive[3] = 1.0f;
        r.power = 50.0f;
        r.shaderKind = 4;
        if (!materials_[i].texture.empty()) {
            r.featureFlags = 1;
            r.stages[0].type = 1;
            r.stages[0].fileName = materials_[i].texture.substr(0, zfmt::kTextureNameSize - 1);
        }
    }
    materials.clear();
    zfmt::AppendMaterialRecords(records, materials);
    mesh = std::move(built);
    Release();
    return 0;
}
