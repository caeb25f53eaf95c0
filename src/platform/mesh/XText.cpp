// XText.cpp -- tokenizer and block parser for DirectX text meshes.
#include "platform/mesh/XText.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>

namespace platform::mesh {

namespace {

enum class Tok { End, Name, Number, String, Open, Close, Other };

// Splits the text into names, numbers, strings and braces; ',' and ';' are
// separators that number lists skip.
class Lexer {
public:
    Lexer(const char* p, const char* end) : p_(p), end_(end) {}

    Tok Peek() {
        const char* save = p_;
        Tok t = Next();
        p_ = save;
        return t;
    }

    Tok Next() {
        SkipBlank(false);
        text_.clear();
        if (p_ >= end_) return Tok::End;
        char c = *p_;
        if (c == '{') {
            ++p_;
            return Tok::Open;
        }
        if (c == '}') {
            ++p_;
            return Tok::Close;
        }
        if (c == '"') {
            ++p_;
            while (p_ < end_ && *p_ != '"') text_.push_back(*p_++);
            if (p_ < end_) ++p_;
            return Tok::String;
        }
        if (c == '<') {  // a GUID: skipped as one token
            while (p_ < end_ && *p_ != '>') ++p_;
            if (p_ < end_) ++p_;
            return Tok::Other;
        }
        if (c == ',' || c == ';') {
            ++p_;
            return Tok::Other;
        }
        if (c == '-' || c == '+' || c == '.' || (c >= '0' && c <= '9')) {
            while (p_ < end_ && (std::strchr("+-.eE", *p_) || (*p_ >= '0' && *p_ <= '9'))) text_.push_back(*p_++);
            return Tok::Number;
        }
        if (IsNameChar(c)) {
            while (p_ < end_ && IsNameChar(*p_)) text_.push_back(*p_++);
            return Tok::Name;
        }
        ++p_;
        return Tok::Other;
    }

    // Next number, skipping separators; false when something else comes first.
    bool Number(double& v) {
        SkipBlank(true);
        if (Peek() != Tok::Number) return false;
        Next();
        char* stop = nullptr;
        v = std::strtod(text_.c_str(), &stop);
        return stop && *stop == '\0' && std::isfinite(v);
    }
    bool Float(float& v) {
        double d;
        if (!Number(d)) return false;
        v = static_cast<float>(d);
        return true;
    }
    bool Count(uint32_t& v) {
        double d;
        if (!Number(d) || d < 0 || d > 4294967295.0 || d != std::floor(d)) return false;
        v = static_cast<uint32_t>(d);
        return true;
    }

    // Skips to just after the '}' that closes an already opened block.
    bool SkipBlock() {
        int depth = 1;
        for (;;) {
            Tok t = Next();
            if (t == Tok::End) return false;
            if (t == Tok::Open) ++depth;
            if (t == Tok::Close && --depth == 0) return true;
        }
    }

    const std::string& Text() const { return text_; }
    size_t Remaining() const { return static_cast<size_t>(end_ - p_); }

private:
    static bool IsNameChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
               c == '.' || static_cast<unsigned char>(c) >= 0x80;
    }
    void SkipBlank(bool separators) {
        while (p_ < end_) {
            char c = *p_;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || (separators && (c == ',' || c == ';'))) {
                ++p_;
            } else if (c == '#' || (c == '/' && p_ + 1 < end_ && p_[1] == '/')) {
                while (p_ < end_ && *p_ != '\n') ++p_;
            } else {
                break;
            }
        }
    }

    const char* p_;
    const char* end_;
    std::string text_;
};

struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0;
            for (int k = 0; k < 4; ++k) s += a.m[i * 4 + k] * b.m[k * 4 + j];
            r.m[i * 4 + j] = s;
        }
    return r;
}

// One mesh as read, before merging.
struct RawMesh {
    std::vector<float> positions;              // 3 per vertex
    std::vector<std::vector<uint32_t>> faces;  // polygon corner lists
    std::vector<float> normals;                // 3 per normal
    std::vector<std::vector<uint32_t>> normalFaces;
    std::vector<float> uvs;         // 2 per vertex
    std::vector<uint32_t> colours;  // ARGB per vertex
    std::vector<uint8_t> hasColour;
    std::vector<uint32_t> faceMaterials;
    std::vector<XMaterial> materials;
    Matrix transform;
};

class Parser {
public:
    Parser(const char* text, size_t size) : lex_(text, text + size) {}

    bool Run(XModel& out, std::string* error) {
        if (!ParseBlocks(Matrix{}, true)) return Fail(error);
        return Merge(out, error);
    }

private:
    bool Fail(std::string* error) {
        if (error) *error = why_.empty() ? "malformed text mesh" : why_;
        return false;
    }
    bool Bad(const char* why) {
        if (why_.empty()) why_ = why;
        return false;
    }

    // Reads the optional name and GUID after a block's identifier and its '{'.
    bool OpenBlock(std::string* name) {
        Tok t = lex_.Next();
        if (t == Tok::Name) {
            if (name) *name = lex_.Text();
            t = lex_.Next();
        }
        if (t == Tok::Other) t = lex_.Next();  // a GUID
        return t == Tok::Open || Bad("expected '{'");
    }

    // Blocks until the closing brace (or the end of the text at top level).
    bool ParseBlocks(const Matrix& parent, bool topLevel) {
        Matrix local;
        bool haveLocal = false;
        std::vector<size_t> meshesHere;
        for (;;) {
            Tok t = lex_.Next();
            if (t == Tok::End) return topLevel || Bad("unexpected end of text");
            if (t == Tok::Close) {
                if (topLevel) return Bad("unbalanced '}'");
                break;
            }
            if (t == Tok::Open) {  // a reference to another object: ignored
                if (!lex_.SkipBlock()) return Bad("unterminated block");
                continue;
            }
            if (t != Tok::Name) continue;
            std::string id = lex_.Text();
            if (topLevel && id == "xof") continue;
            std::string name;
            if (!OpenBlock(&name)) return false;
            if (id == "Frame") {
                if (++depth_ > 64) return Bad("frames nested too deeply");
                Matrix here = haveLocal ? Multiply(local, parent) : parent;
                if (!ParseBlocks(here, false)) return false;
                --depth_;
            } else if (id == "FrameTransformMatrix" && !topLevel) {
                for (float& v : local.m)
                    if (!lex_.Float(v)) return Bad("bad frame matrix");
                haveLocal = true;
                if (!lex_.SkipBlock()) return Bad("unterminated matrix");
            } else if (id == "Mesh") {
                meshes_.emplace_back();
                meshesHere.push_back(meshes_.size() - 1);
                if (!ParseMesh(meshes_.back())) return false;
            } else if (id == "Material") {
                XMaterial m;
                if (!ParseMaterial(m)) return false;
                named_[name] = m;
            } else {
                if (!lex_.SkipBlock()) return Bad("unterminated block");
            }
        }
        // A frame's matrix may follow its meshes; apply it once the frame closes.
        Matrix full = haveLocal ? Multiply(local, parent) : parent;
        for (size_t i : meshesHere) meshes_[i].transform = full;
        return true;
    }

    bool CheckCount(uint32_t n, size_t perItem) {
        // Each item needs at least `perItem` characters of text; bounds allocations.
        return static_cast<uint64_t>(n) * perItem <= lex_.Remaining() || Bad("count exceeds the text");
    }

    bool ReadFaces(std::vector<std::vector<uint32_t>>& faces) {
        uint32_t n;
        if (!lex_.Count(n) || !CheckCount(n, 6)) return Bad("bad face count");
        faces.resize(n);
        for (auto& f : faces) {
            uint32_t c;
            if (!lex_.Count(c) || c < 3 || !CheckCount(c, 2)) return Bad("bad face corner count");
            f.resize(c);
            for (uint32_t& i : f)
                if (!lex_.Count(i)) return Bad("bad face index");
        }
        return true;
    }

    bool ReadFloats(std::vector<float>& v, uint32_t n, int per) {
        if (!CheckCount(n, static_cast<size_t>(per) * 2)) return false;
        v.resize(static_cast<size_t>(n) * per);
        for (float& x : v)
            if (!lex_.Float(x)) return Bad("bad number");
        return true;
    }

    bool ParseMesh(RawMesh& m) {
        uint32_t n;
        if (!lex_.Count(n) || !ReadFloats(m.positions, n, 3)) return Bad("bad vertex list");
        if (!ReadFaces(m.faces)) return false;
        for (;;) {
            Tok t = lex_.Next();
            if (t == Tok::End) return Bad("unterminated mesh");
            if (t == Tok::Close) return true;
            if (t == Tok::Open) {
                if (!lex_.SkipBlock()) return Bad("unterminated block");
                continue;
            }
            if (t != Tok::Name) continue;
            std::string id = lex_.Text();
            if (!OpenBlock(nullptr)) return false;
            bool ok = true;
            if (id == "MeshNormals") {
                uint32_t k;
                ok = lex_.Count(k) && ReadFloats(m.normals, k, 3) && ReadFaces(m.normalFaces);
            } else if (id == "MeshTextureCoords") {
                uint32_t k;
                ok = lex_.Count(k) && ReadFloats(m.uvs, k, 2);
            } else if (id == "MeshVertexColors") {
                ok = ParseColours(m);
            } else if (id == "MeshMaterialList") {
                ok = ParseMaterialList(m);
                if (ok) continue;  // consumed its own closing brace
            }
            if (!ok) return Bad("bad mesh data");
            if (!lex_.SkipBlock()) return Bad("unterminated block");
        }
    }

    bool ParseColours(RawMesh& m) {
        uint32_t k;
        if (!lex_.Count(k) || !CheckCount(k, 10)) return false;
        const size_t vcount = m.positions.size() / 3;
        m.colours.assign(vcount, 0xFFFFFFFFu);
        m.hasColour.assign(vcount, 0);
        for (uint32_t i = 0; i < k; ++i) {
            uint32_t idx;
            float c[4];
            if (!lex_.Count(idx)) return false;
            for (float& x : c)
                if (!lex_.Float(x)) return false;
            if (idx >= vcount) return Bad("vertex colour index out of range");
            auto byte = [](float f) {
                f = f < 0 ? 0 : (f > 1 ? 1 : f);
                return static_cast<uint32_t>(std::lround(f * 255.0f));
            };
            m.colours[idx] = (byte(c[3]) << 24) | (byte(c[0]) << 16) | (byte(c[1]) << 8) | byte(c[2]);
            m.hasColour[idx] = 1;
        }
        return true;
    }

    bool ParseMaterialList(RawMesh& m) {
        uint32_t matCount, idxCount;
        if (!lex_.Count(matCount) || !lex_.Count(idxCount) || !CheckCount(idxCount, 2)) return false;
        if (matCount > 65536) return Bad("too many materials");
        m.faceMaterials.resize(idxCount);
        for (uint32_t& a : m.faceMaterials)
            if (!lex_.Count(a)) return false;
        for (;;) {
            Tok t = lex_.Next();
            if (t == Tok::End) return Bad("unterminated material list");
            if (t == Tok::Close) break;
            if (t == Tok::Open) {  // { Name } reference to a top-level material
                Tok r = lex_.Next();
                std::string ref = lex_.Text();
                if (r != Tok::Name || lex_.Next() != Tok::Close) return Bad("bad material reference");
                auto it = named_.find(ref);
                if (it == named_.end()) return Bad("unknown material reference");
                m.materials.push_back(it->second);
                continue;
            }
            if (t != Tok::Name) continue;
            std::string id = lex_.Text();
            if (!OpenBlock(nullptr)) return false;
            if (id == "Material") {
                XMaterial mat;
                if (!ParseMaterial(mat)) return false;
                m.materials.push_back(mat);
            } else if (!lex_.SkipBlock()) {
                return Bad("unterminated block");
            }
        }
        if (m.materials.size() != matCount) return Bad("material count differs from the list");
        for (uint32_t a : m.faceMaterials)
            if (a >= matCount) return Bad("face material out of range");
        return true;
    }

    bool ParseMaterial(XMaterial& mat) {
        for (int i = 0; i < 4; ++i)
            if (!lex_.Float(mat.diffuse[i])) return Bad("bad material colour");
        if (!lex_.Float(mat.power)) return Bad("bad material power");
        for (int i = 0; i < 3; ++i)
            if (!lex_.Float(mat.specular[i])) return Bad("bad material colour");
        for (int i = 0; i < 3; ++i)
            if (!lex_.Float(mat.emissive[i])) return Bad("bad material colour");
        for (;;) {
            Tok t = lex_.Next();
            if (t == Tok::End) return Bad("unterminated material");
            if (t == Tok::Close) return true;
            if (t == Tok::Open) {
                if (!lex_.SkipBlock()) return Bad("unterminated block");
                continue;
            }
            if (t != Tok::Name) continue;
            std::string id = lex_.Text();
            if (!OpenBlock(nullptr)) return false;
            if (id == "TextureFilename" || id == "TextureFileName") {
                for (;;) {
                    Tok s = lex_.Next();
                    if (s == Tok::String) {
                        if (mat.textureFile.empty()) mat.textureFile = lex_.Text();
                    } else if (s == Tok::Close) {
                        break;
                    } else if (s == Tok::Open) {
                        if (!lex_.SkipBlock()) return Bad("unterminated block");
                    } else if (s == Tok::End) {
                        return Bad("unterminated texture name");
                    }
                }
            } else if (!lex_.SkipBlock()) {
                return Bad("unterminated block");
            }
        }
    }

    bool Merge(XModel& out, std::string* error);

    Lexer lex_;
    int depth_ = 0;
    std::string why_;
    std::vector<RawMesh> meshes_;
    std::map<std::string, XMaterial> named_;
};

struct Corner {
    uint32_t position;
    uint32_t normal;  // UINT32_MAX: none
};

bool Parser::Merge(XModel& out, std::string* error) {
    out.mesh.Clear();
    out.materials.clear();
    if (meshes_.empty()) {
        why_ = "no mesh in the text";
        return Fail(error);
    }
    bool anyNormals = false, anyColours = false, anyUvs = false;
    for (const RawMesh& m : meshes_) {
        anyNormals |= !m.normals.empty();
        anyColours |= !m.colours.empty();
        anyUvs |= !m.uvs.empty();
    }
    std::vector<VertexElement> layout;
    uint16_t off = 0;
    layout.push_back({0, off, kFloat3, 0, kPosition, 0});
    off += 12;
    if (anyNormals) {
        layout.push_back({0, off, kFloat3, 0, kNormal, 0});
        off += 12;
    }
    if (anyColours) {
        layout.push_back({0, off, kColor, 0, kColorUsage, 0});
        off += 4;
    }
    if (anyUvs) {
        layout.push_back({0, off, kFloat2, 0, kTexCoord, 0});
        off += 8;
    }
    layout.push_back(kEndElement);
    const uint32_t stride = off;

    std::vector<uint8_t> vertices;
    std::vector<uint32_t> indices, attributes;
    uint32_t vertexBase = 0;
    for (RawMesh& m : meshes_) {
        const uint32_t pc = static_cast<uint32_t>(m.positions.size() / 3);
        const uint32_t nc = static_cast<uint32_t>(m.normals.size() / 3);
        bool useNormals = nc > 0 && m.normalFaces.size() == m.faces.size();
        for (size_t f = 0; useNormals && f < m.faces.size(); ++f)
            useNormals = m.normalFaces[f].size() == m.faces[f].size();
        // When normals share the position indices (or are absent) vertices keep
        // their file order; otherwise corners map to vertices by (position, normal).
        bool shared = true;
        for (size_t f = 0; useNormals && shared && f < m.faces.size(); ++f) shared = m.normalFaces[f] == m.faces[f];
        std::map<std::pair<uint32_t, uint32_t>, uint32_t> seen;
        std::vector<Corner> corners;
        if (shared) {
            if (useNormals && nc < pc) {
                why_ = "normal index out of range";
                return Fail(error);
            }
            for (uint32_t p = 0; p < pc; ++p) corners.push_back({p, useNormals ? p : 0xFFFFFFFFu});
        }
        const uint32_t matBase = static_cast<uint32_t>(out.materials.size());
        if (m.materials.empty())
            out.materials.emplace_back();
        else
            out.materials.insert(out.materials.end(), m.materials.begin(), m.materials.end());
        for (size_t f = 0; f < m.faces.size(); ++f) {
            const auto& face = m.faces[f];
            std::vector<uint32_t> ids(face.size());
            for (size_t c = 0; c < face.size(); ++c) {
                if (face[c] >= pc) {
                    why_ = "face index out of range";
                    return Fail(error);
                }
                if (shared) {
                    ids[c] = vertexBase + face[c];
                    continue;
                }
                uint32_t n = 0xFFFFFFFFu;
                if (useNormals) {
                    n = m.normalFaces[f][c];
                    if (n >= nc) {
                        why_ = "normal index out of range";
                        return Fail(error);
                    }
                }
                auto key = std::make_pair(face[c], n);
                auto it = seen.find(key);
                if (it == seen.end()) {
                    it = seen.emplace(key, static_cast<uint32_t>(corners.size())).first;
                    corners.push_back({face[c], n});
                }
                ids[c] = vertexBase + it->second;
            }
            uint32_t attr = matBase;
            if (!m.materials.empty() && !m.faceMaterials.empty())
                attr += m.faceMaterials[f < m.faceMaterials.size() ? f : m.faceMaterials.size() - 1];
            for (size_t c = 1; c + 1 < ids.size(); ++c) {  // fan
                indices.push_back(ids[0]);
                indices.push_back(ids[c]);
                indices.push_back(ids[c + 1]);
                attributes.push_back(attr);
            }
        }
        if (static_cast<uint64_t>(vertexBase) + corners.size() > Mesh::kMaxVertices) {
            why_ = "too many vertices";
            return Fail(error);
        }
        const float* t = m.transform.m;
        for (const Corner& c : corners) {
            size_t at = vertices.size();
            vertices.resize(at + stride, 0);
            uint8_t* v = &vertices[at];
            const float* p = &m.positions[c.position * 3];
            for (int k = 0; k < 3; ++k)
                WriteF32(v + 4 * k, p[0] * t[k] + p[1] * t[4 + k] + p[2] * t[8 + k] + t[12 + k]);
            uint32_t o = 12;
            if (anyNormals) {
                if (c.normal != 0xFFFFFFFFu) {
                    const float* n = &m.normals[c.normal * 3];
                    float r[3];
                    for (int k = 0; k < 3; ++k) r[k] = n[0] * t[k] + n[1] * t[4 + k] + n[2] * t[8 + k];
                    float len = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
                    for (int k = 0; k < 3; ++k) WriteF32(v + o + 4 * k, len > 0 ? r[k] / len : 0.0f);
                }
                o += 12;
            }
            if (anyColours) {
                WriteU32(v + o, c.position < m.colours.size() ? m.colours[c.position] : 0xFFFFFFFFu);
                o += 4;
            }
            if (anyUvs && c.position < m.uvs.size() / 2) {
                WriteF32(v + o, m.uvs[c.position * 2]);
                WriteF32(v + o + 4, m.uvs[c.position * 2 + 1]);
            }
        }
        vertexBase += static_cast<uint32_t>(corners.size());
    }
    const uint32_t faceCount = static_cast<uint32_t>(attributes.size());
    if (!out.mesh.Create(faceCount, vertexBase, layout.data(), vertexBase > 0xFFFF)) {
        why_ = "mesh has no faces or is too large";
        return Fail(error);
    }
    out.mesh.Vertices() = std::move(vertices);
    out.mesh.Indices() = std::move(indices);
    out.mesh.Attributes() = std::move(attributes);
    return true;
}

}  // namespace

bool ReadXText(const char* text, size_t size, XModel& out, std::string* error) {
    out = XModel{};
    if (!text || size < 16 || std::memcmp(text, "xof ", 4) != 0 || std::memcmp(text + 8, "txt ", 4) != 0) {
        if (error) *error = "not a text mesh (no \"xof ... txt\" header)";
        return false;
    }
    Parser parser(text + 16, size - 16);
    if (!parser.Run(out, error)) {
        out = XModel{};
        return false;
    }
    return true;
}

}  // namespace platform::mesh
