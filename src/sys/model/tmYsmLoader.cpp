// tmYsmLoader.cpp -- "ysm" reading: layout choice, second UV set, tangents, sort.
#include "sys/model/tmYsmLoader.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/mesh/XText.h"
#include "sys/model/tmModelText.h"

namespace {
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
using namespace tmModelText;
}  // namespace

int32_t tmYsmLoader::LoadFromFile(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes)) {
        std::fprintf(stderr, "ysm: cannot read %s\n", path ? path : "(null)");
        return kFail;
    }
    return Parse(reinterpret_cast<const char*>(bytes.data()), bytes.size(), mesh, materials, false);
}

void tmYsmLoader::ReadSecondUvSet(const char* text, size_t size) {
    uv1_.clear();
    const std::string_view all(text, size);
    if (all.substr(0, 32).find("xof") == std::string_view::npos) return;
    constexpr std::string_view kBlock = "MeshTextureCoords2";
    size_t at = all.find(kBlock);
    size_t prev = 0;
    while (at != std::string_view::npos) {
        const size_t next = all.find(kBlock, at + kBlock.size());
        const std::string_view piece = all.substr(at, (next == std::string_view::npos ? all.size() : next) - at);
        const std::string_view before = Trim(all.substr(prev, at - prev));
        prev = at;
        at = next;
        if (before.size() >= 8 && before.substr(before.size() - 8) == "template") continue;

        std::vector<std::string_view> lines = SplitLines(piece);
        const int32_t n = Int(SplitAt(lines.size() > 1 ? lines[1] : std::string_view(), ';')[0]);
        if (n <= 0) continue;
        bool closed = false;
        for (size_t i = 2; i < lines.size() && i < static_cast<size_t>(n) + 2; ++i) {
            if (uv1_.size() / 2 >= kMaxUvPairs) return;
            std::vector<std::string_view> cells = SplitAt(lines[i], ';');
            uv1_.push_back(Float(cells[0]));
            uv1_.push_back(cells.size() > 1 ? Float(cells[1]) : 0.0f);
            if (Contains(lines[i], ";;")) {
                closed = true;
                break;
            }
        }
        if (!closed) return;
    }
}

int32_t tmYsmLoader::Parse(const char* text, size_t size, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials,
                           bool fullLayout) {
    using namespace platform::mesh;
    XModel model;
    std::string why;
    if (!ReadXText(text, size, model, &why)) {
        std::fprintf(stderr, "ysm: refused (%s)\n", why.c_str());
        return kFail;
    }
    std::vector<uint8_t> records;
    if (parser_.Parse(text, size, records, 0x400) != 0) return kFail;
    for (uint32_t a : model.mesh.Attributes())
        if (a >= parser_.Count()) {
            std::fprintf(stderr, "ysm: refused (a face names material %u of %u)\n", a, parser_.Count());
            return kFail;
        }
    ReadSecondUvSet(text, size);

    int layout = 5;
    if (fullLayout || (parser_.HasNormalMap() && parser_.NeedsNormals()))
        layout = 3;
    else if (parser_.NeedsNormals())
        layout = 4;
    Mesh rebuilt;
    if (!model.mesh.CloneWithLayout(BuiltinLayout(layout), rebuilt)) return kFail;
    if (layout == 3) rebuilt.ComputeTangents();
    // Texture set 1 from the file's pairs, in vertex order; vertices beyond
    // the pairs keep (0, 0).
    const int uv1 = rebuilt.ElementOffset(kTexCoord, 1);
    const size_t pairs = uv1_.size() / 2;
    for (uint32_t v = 0; v < rebuilt.VertexCount() && v < pairs && uv1 >= 0; ++v) {
        uint8_t* p = &rebuilt.Vertices()[static_cast<size_t>(v) * rebuilt.Stride() + uv1];
        WriteF32(p, uv1_[v * 2]);
        WriteF32(p + 4, uv1_[v * 2 + 1]);
    }
    if (!rebuilt.SortByAttribute(false)) return kFail;
    uv1_.clear();
    mesh = std::move(rebuilt);
    materials = std::move(records);
    return 0;
}
