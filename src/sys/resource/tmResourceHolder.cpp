// tmResourceHolder.cpp -- model, texture, sprite-sheet and cube loading; sharing and release.
#include "sys/resource/tmResourceHolder.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "format/MaterialRecord.h"
#include "platform/gfx/Device.h"
#include "platform/image/Image.h"
#include "platform/mesh/XText.h"
#include "sys/base/tmMemory.h"
#include "sys/data/tmArchiver.h"
#include "sys/gfx/tmDevice.h"
#include "sys/model/tmBinaryMeshLoader.h"
#include "sys/model/tmModelText.h"
#include "sys/model/tmObjLoader.h"
#include "sys/model/tmYsmLoader.h"
#include "sys/resource/tmCubeTexture.h"
#include "sys/resource/tmMesh.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmSpriteGroupRecord.h"

namespace {

tmResourceHolder* g_holder = nullptr;

using platform::image::PixelFormat;

// The device format a decoded image is kept in; alpha modes derive from it.
gfx::Format DeviceFormat(PixelFormat f) {
    switch (f) {
        case PixelFormat::A8R8G8B8:
        case PixelFormat::A8L8:
        case PixelFormat::A4L4: return gfx::Format::A8R8G8B8;
        case PixelFormat::R8G8B8: return gfx::Format::R8G8B8;
        case PixelFormat::R5G6B5: return gfx::Format::R5G6B5;
        case PixelFormat::X1R5G5B5: return gfx::Format::X1R5G5B5;
        case PixelFormat::A1R5G5B5: return gfx::Format::A1R5G5B5;
        case PixelFormat::A4R4G4B4: return gfx::Format::A4R4G4B4;
        case PixelFormat::X4R4G4B4: return gfx::Format::X4R4G4B4;
        case PixelFormat::A8R3G3B2: return gfx::Format::A8R3G3B2;
        case PixelFormat::A8: return gfx::Format::A8;
        case PixelFormat::L8: return gfx::Format::L8;
        case PixelFormat::DXT1: return gfx::Format::DXT1;
        case PixelFormat::DXT2:
        case PixelFormat::DXT3: return gfx::Format::DXT3;
        case PixelFormat::DXT4:
        case PixelFormat::DXT5: return gfx::Format::DXT5;
        default: return gfx::Format::X8R8G8B8;  // X8R8G8B8, and the byte-swapped orders (opaque by rule)
    }
}

// Turns decoded RGBA8 pixels into the ARGB words the device takes, in their
// own memory: on a little-endian machine a word's bytes are B, G, R, A, so
// swapping red and blue is all it takes, and no second buffer of words is
// made (fresh memory costs more to touch than the swap).
const uint32_t* ArgbInPlace(uint8_t* rgba, size_t bytes, std::vector<uint32_t>& spare) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    (void)spare;
    for (size_t i = 0; i + 3 < bytes; i += 4) {
        uint32_t w;  // bytes R, G, B, A
        std::memcpy(&w, rgba + i, 4);
        w = (w & 0xFF00FF00u) | ((w >> 16) & 0xFFu) | ((w & 0xFFu) << 16);
        std::memcpy(rgba + i, &w, 4);
    }
    return reinterpret_cast<const uint32_t*>(rgba);  // vector storage, aligned for words
#else
    spare.resize(bytes / 4);
    for (size_t i = 0; i < spare.size(); ++i)
        spare[i] = (static_cast<uint32_t>(rgba[i * 4 + 3]) << 24) | (rgba[i * 4] << 16) | (rgba[i * 4 + 1] << 8) |
                   rgba[i * 4 + 2];
    return spare.data();
#endif
}

gfx::TextureDesc StaticDesc(uint32_t width, uint32_t height, PixelFormat format, bool cube) {
    return {width, height, 1, DeviceFormat(format), gfx::Usage::Static, cube};
}

// Makes the texture when the image's size is known and fills it a band of
// rows at a time as they are decoded: a 2048 x 4096 sprite sheet goes to the
// device without a whole copy of its pixels in memory.
class TextureSink : public platform::image::RowSink {
public:
    explicit TextureSink(gfx::Device* dev) : dev_(dev) {}
    ~TextureSink() override {
        if (tex_) dev_->releaseTexture(tex_);
    }
    bool Begin(uint32_t width, uint32_t height, PixelFormat format) override {
        width_ = width;
        tex_ = dev_->createTexture(StaticDesc(width, height, format, false));
        return bool(tex_);
    }
    bool Rows(uint32_t first, uint32_t count, uint8_t* rgba) override {
        const uint32_t* argb = ArgbInPlace(rgba, size_t(count) * width_ * 4, spare_);
        return dev_->uploadTextureRows(tex_, 0, 0, first, count, argb) == gfx::Res::Ok;
    }
    gfx::Texture Take() {
        gfx::Texture t = tex_;
        tex_ = {};
        return t;
    }

private:
    gfx::Device* dev_;
    gfx::Texture tex_;
    uint32_t width_ = 0;
    std::vector<uint32_t> spare_;
};

// Makes a device texture (2D or cube) from image bytes; null handle on failure.
gfx::Texture CreateTexture(const void* data, size_t size, bool cube) {
    gfx::Device* dev = tmGetDevice();
    if (!dev || !data || size == 0) return {};
    std::string why;
    if (!cube) {
        TextureSink sink(dev);
        if (platform::image::DecodeRows(data, size, sink, &why)) return sink.Take();
        std::fprintf(stderr, "texture: %s\n", why.c_str());
        return {};
    }
    platform::image::Image img;
    if (!platform::image::DecodeCube(data, size, img, &why)) {
        std::fprintf(stderr, "texture: %s\n", why.c_str());
        return {};
    }
    gfx::Texture tex = dev->createTexture(StaticDesc(img.width, img.height, img.format, true));
    if (!tex) return {};
    std::vector<uint32_t> spare;
    for (size_t f = 0; f < img.faces.size(); ++f) {
        if (dev->uploadTexture(tex, static_cast<uint32_t>(f), 0,
                               ArgbInPlace(img.faces[f].data(), img.faces[f].size(), spare)) != gfx::Res::Ok) {
            dev->releaseTexture(tex);
            return {};
        }
    }
    return tex;
}

std::string Extension(const char* name) {
    const char* dot = std::strrchr(name, '.');
    return dot ? std::string(dot + 1) : std::string(name);
}

}  // namespace

tmResourceHolder* tmGetResourceHolder() { return g_holder; }
void tmSetResourceHolder(tmResourceHolder* holder) { g_holder = holder; }

tmResourceHolder::tmResourceHolder(const char* const* modelNames, int modelCount, const char* const* spriteNames,
                                   int spriteCount)
    : modelNames_(modelNames),
      modelNameCount_(modelNames ? (modelCount < kModelSlots ? modelCount : kModelSlots) : 0),
      spriteNames_(spriteNames),
      spriteNameCount_(spriteNames ? (spriteCount < kSpriteSlots ? spriteCount : kSpriteSlots) : 0) {
    for (auto& m : maps_) m = std::make_unique<tmMap>(128, 16);
}

// Whatever is still loaded goes with the cache, whoever still counts on it:
// models and sprites first (they only point at shapes and textures), then
// shapes (their texture references are not given back one by one), meshes,
// textures and cubes. Owners are cleared first so no deletion edits a map
// being walked.
tmResourceHolder::~tmResourceHolder() {
    static const int kOrder[6] = {sys::tmResource::kModel, sys::tmResource::kSprite,  sys::tmResource::kShape,
                                  sys::tmResource::kMesh,  sys::tmResource::kTexture, sys::tmResource::kCubeTexture};
    for (int type : kOrder) {
        std::vector<sys::tmResource*> left;
        for (tmMapNode* n = maps_[type]->First(); n; n = maps_[type]->Next(n))
            left.push_back(static_cast<sys::tmResource*>(n->value));
        maps_[type]->Clear();
        for (sys::tmResource* r : left) {
            r->SetOwner(nullptr);
            if (type == sys::tmResource::kShape) static_cast<sys::tmShape*>(r)->holdsTextures = false;
            TM_DELETE(r);
        }
    }
}

int tmResourceHolder::GetCount(int type) const { return type >= 0 && type < 7 ? maps_[type]->GetCount() : 0; }

// ---- registration and slots -------------------------------------------------

void tmResourceHolder::Register(sys::tmResource* r) {
    if (!r) return;
    r->AddRef();
    int type = r->GetType();
    if (type >= 0 && type < 7) maps_[type]->Insert(r->GetName(), r);
    r->SetOwner(this);
}

void tmResourceHolder::Remove(int type, const char* name, sys::tmResource* r) {
    if (!name || type < 0 || type >= 7) return;
    tmMapNode* node = maps_[type]->Find(name);
    if (!node || (r && node->value != r)) return;
    if (type == sys::tmResource::kModel) ClearModelSlot(static_cast<sys::tmModel*>(node->value));
    if (type == sys::tmResource::kSprite) ClearSpriteSlot(static_cast<sys::tmSprite*>(node->value));
    maps_[type]->Erase(name);
}

sys::tmResource* tmResourceHolder::Find(int type, const char* name) const {
    if (!name || type < 0 || type >= 7) return nullptr;
    tmMapNode* node = maps_[type]->Find(name);
    return node ? static_cast<sys::tmResource*>(node->value) : nullptr;
}

int tmResourceHolder::FindSlot(const char* const* table, int count, const char* name) const {
    if (!name) return -1;
    for (int i = 0; i < count; ++i)
        if (table[i] && std::strcmp(table[i], name) == 0) return i;
    return -1;
}

sys::tmModel* tmResourceHolder::GetModelSlot(int id) const {
    return id >= 0 && id < kModelSlots ? modelSlots_[id] : nullptr;
}
sys::tmSprite* tmResourceHolder::GetSpriteSlot(int id) const {
    return id >= 0 && id < kSpriteSlots ? spriteSlots_[id] : nullptr;
}
void tmResourceHolder::SetModelSlot(sys::tmModel* m) {
    int i = m ? FindSlot(modelNames_, modelNameCount_, m->GetName()) : -1;
    if (i >= 0) modelSlots_[i] = m;
}
void tmResourceHolder::ClearModelSlot(sys::tmModel* m) {
    int i = m ? FindSlot(modelNames_, modelNameCount_, m->GetName()) : -1;
    if (i >= 0) modelSlots_[i] = nullptr;
}
void tmResourceHolder::SetSpriteSlot(sys::tmSprite* s) {
    int i = s ? FindSlot(spriteNames_, spriteNameCount_, s->GetName()) : -1;
    if (i >= 0) spriteSlots_[i] = s;
}
void tmResourceHolder::ClearSpriteSlot(sys::tmSprite* s) {
    int i = s ? FindSlot(spriteNames_, spriteNameCount_, s->GetName()) : -1;
    if (i >= 0) spriteSlots_[i] = nullptr;
}

// ---- models -------------------------------------------------------------------

int32_t tmResourceHolder::ReadModel(const char* name, tmArchiver* modelBank, platform::mesh::Mesh& mesh,
                                    std::vector<uint8_t>& materials, bool* formatMode) {
    const std::string path = std::string(".\\data\\") + name;
    const std::string ext = Extension(name);
    auto fromBank = [&](const char*& bytes, size_t& size) {
        bytes = modelBank ? modelBank->Read(path.c_str()) : nullptr;
        size = bytes ? modelBank->GetReadSize() : 0;
        return bytes != nullptr;
    };
    const char* bytes = nullptr;
    size_t size = 0;
    if (ext == "x") {
        *formatMode = true;
        if (modelBank) return fromBank(bytes, size) ? LoadXFromMemory(bytes, size, mesh, materials) : kFail;
        return LoadXFromFile(path.c_str(), mesh, materials);
    }
    if (ext == "obj") {
        if (!objReader_) objReader_ = std::make_unique<tmObjLoader>();
        return objReader_->Load(path.c_str(), mesh, materials);
    }
    if (ext == "ysm") {
        if (!ysmReader_) ysmReader_ = std::make_unique<tmYsmLoader>();
        if (modelBank) return fromBank(bytes, size) ? ysmReader_->Parse(bytes, size, mesh, materials, true) : kFail;
        return ysmReader_->LoadFromFile(path.c_str(), mesh, materials);
    }
    if (ext == "ybm") {
        if (!ybmReader_) ybmReader_ = std::make_unique<tmBinaryMeshLoader>();
        if (modelBank)
            return fromBank(bytes, size)
                       ? ybmReader_->Parse(reinterpret_cast<const uint8_t*>(bytes), size, mesh, materials)
                       : kFail;
        return ybmReader_->LoadFromFile(path.c_str(), mesh, materials);
    }
    return kFail;
}

int32_t tmResourceHolder::LoadModel(const char* name, tmArchiver* modelBank, tmArchiver* textureBank) {
    if (!name) return kFail;
    if (sys::tmResource* m = Find(sys::tmResource::kModel, name)) {
        m->AddRef();
        return kOk;
    }
    if (sys::tmResource* m = Find(sys::tmResource::kMesh, name)) {
        m->AddRef();
        return kOk;
    }
    if (Extension(name) == "mtl") return kOk;

    platform::mesh::Mesh cpu;
    std::vector<uint8_t> materials;
    bool formatMode = false;
    if (ReadModel(name, modelBank, cpu, materials, &formatMode) != kOk || cpu.FaceCount() == 0) {
        std::fprintf(stderr, "model: cannot load %s\n", name);
        return kFail;
    }
    const size_t recordCount = materials.size() / zfmt::kMaterialRecordSize;
    for (const platform::mesh::AttributeRange& r : cpu.AttributeTable())
        if (r.attribId >= recordCount) {
            std::fprintf(stderr, "model: %s names material %u of %zu\n", name, r.attribId, recordCount);
            return kFail;
        }
    const std::vector<platform::mesh::AttributeRange> table = cpu.AttributeTable();

    auto* model = TM_NEW sys::tmModel;
    model->ClearShapes();
    model->SetName(name);
    Register(model);
    SetModelSlot(model);
    auto* mesh = TM_NEW sys::tmMesh;
    mesh->SetMesh(std::move(cpu));
    mesh->SetName(name);
    Register(mesh);

    std::string path = std::string(".\\data\\") + name;
    const size_t cut = path.find_last_of('\\');
    const std::string textureFolder = path.substr(0, cut) + "\\..\\texture\\";
    char shapeName[1024];
    for (size_t i = 0; i < table.size(); ++i) {
        std::snprintf(shapeName, sizeof shapeName, "%s_S%03u", name, static_cast<unsigned>(i));
        if (auto* cached = static_cast<sys::tmShape*>(Find(sys::tmResource::kShape, shapeName))) {
            // Still held elsewhere: list it again; its textures stay with it.
            cached->AddRef();
            model->AddShape(cached);
            continue;
        }
        const zfmt::MaterialRecord record =
            zfmt::ReadMaterialRecord(&materials[table[i].attribId * zfmt::kMaterialRecordSize]);
        sys::tmTexture* textures[6] = {};
        for (int s = 0; s < zfmt::kMaterialStages; ++s) {
            const zfmt::TextureStage& st = record.stages[s];
            if (st.fileName.empty()) continue;
            sys::tmTextureStage stage;
            stage.type = static_cast<uint32_t>(st.type);
            stage.word1 = static_cast<uint32_t>(st.parameter);
            stage.flag = st.flag;
            stage.uvSet = static_cast<uint32_t>(st.uv01);
            stage.alphaMode = static_cast<uint32_t>(st.alphaMode);
            textures[s] = GetOrLoadTexture(textureFolder.c_str(), st.fileName.c_str(), &stage, formatMode, textureBank);
        }
        auto* shape = TM_NEW sys::tmShape;
        sys::tmShape::AttributeRange range{table[i].attribId, table[i].faceStart, table[i].faceCount,
                                           table[i].vertexStart, table[i].vertexCount};
        shape->SetupFromMesh(mesh, record, textures, range, static_cast<uint32_t>(i));
        shape->SetName(shapeName);
        Register(shape);
        model->AddShape(shape);
    }
    return kOk;
}

int32_t tmResourceHolder::LoadXFromFile(const char* path, platform::mesh::Mesh& mesh, std::vector<uint8_t>& materials) {
    std::vector<uint8_t> bytes;
    if (!tmModelText::ReadFile(path, bytes)) return kFail;
    return LoadXFromMemory(bytes.data(), bytes.size(), mesh, materials);
}

int32_t tmResourceHolder::LoadXFromMemory(const void* data, size_t size, platform::mesh::Mesh& mesh,
                                          std::vector<uint8_t>& materials) {
    platform::mesh::XModel model;
    std::string why;
    if (!platform::mesh::ReadXText(static_cast<const char*>(data), size, model, &why)) {
        std::fprintf(stderr, "x: refused (%s)\n", why.c_str());
        return kFail;
    }
    if (!model.mesh.SortByAttribute(true)) return kFail;
    const bool colours = model.mesh.ElementOffset(platform::mesh::kColorUsage, 0) >= 0;
    std::vector<zfmt::MaterialRecord> records(model.materials.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const platform::mesh::XMaterial& x = model.materials[i];
        zfmt::MaterialRecord& r = records[i];
        for (int k = 0; k < 4; ++k) {
            r.diffuse[k] = x.diffuse[k];
            r.ambient[k] = x.ambient[k];
            r.specular[k] = x.specular[k];
            r.emissive[k] = x.emissive[k];
        }
        r.power = x.power;
        r.featureFlags = colours ? 0x400u : 0u;
        if (!x.textureFile.empty()) {
            r.stages[0].type = 1;
            r.stages[0].fileName = x.textureFile.substr(0, zfmt::kTextureNameSize - 1);
            r.featureFlags |= 1u;
        }
    }
    materials.clear();
    zfmt::AppendMaterialRecords(records, materials);
    mesh = std::move(model.mesh);
    return kOk;
}

bool tmResourceHolder::ReleaseModel(const char* name) {
    auto* model = static_cast<sys::tmModel*>(Find(sys::tmResource::kModel, name));
    if (!model) return false;
    if (model->GetRefCount() > 1) {
        model->Release();
        return true;
    }
    // A shape gives back its textures when its own last reference goes, so a
    // texture another model's shape still uses is never released from here.
    for (int i = 0; i < model->GetShapeCount(); ++i) model->GetShape(i)->Release();
    model->Release();
    sys::tmResource* mesh = Find(sys::tmResource::kMesh, name);
    if (!mesh) return false;
    mesh->Release();
    return true;
}

// ---- textures, sheets, cubes --------------------------------------------------

sys::tmTexture* tmResourceHolder::GetOrLoadTexture(const char* folder, const char* fileName,
                                                   const sys::tmTextureStage* stage, bool formatMode,
                                                   tmArchiver* bank) {
    if (!fileName) return nullptr;
    if (auto* t = static_cast<sys::tmTexture*>(Find(sys::tmResource::kTexture, fileName))) {
        t->AddRef();
        return t;
    }
    sys::tmTexture* t = LoadTexture(folder, fileName, stage, formatMode, bank);
    Register(t);
    return t;
}

sys::tmTexture* tmResourceHolder::LoadTexture(const char* folder, const char* fileName,
                                              const sys::tmTextureStage* stage, bool formatMode, tmArchiver* bank) {
    gfx::Texture tex;
    if (bank) {
        const char* bytes = bank->Read(fileName);
        if (bytes) tex = CreateTexture(bytes, bank->GetReadSize(), false);
    } else {
        // The file's own extension is replaced by ".dds", then ".tga"; a name
        // without one gets them appended (never cutting into the folder).
        std::string base = std::string(folder ? folder : "") + fileName;
        const char* dot = std::strrchr(fileName, '.');
        if (dot) base.resize(base.size() - std::strlen(dot));
        for (const char* ext : {".dds", ".tga"}) {
            std::vector<uint8_t> bytes;
            if (tmModelText::ReadFile((base + ext).c_str(), bytes))
                tex = CreateTexture(bytes.data(), bytes.size(), false);
            if (tex) break;
        }
    }
    if (!tex) std::fprintf(stderr, "texture: no image for %s\n", fileName);
    auto* t = TM_NEW sys::tmTexture;
    t->SetName(fileName);
    const int mode = std::strstr(fileName, "Frontend") ? 2 : (formatMode ? 4 : -1);
    t->Setup(tex, nullptr, stage, mode);
    return t;
}

int32_t tmResourceHolder::LoadSpriteGroup(const tmSpriteGroupRecord* group, tmArchiver* bank) {
    if (!group || !group->texture) return kFail;
    if (sys::tmResource* t = Find(sys::tmResource::kTexture, group->texture)) {
        t->AddRef();
        return kOk;
    }
    gfx::Texture tex;
    if (bank) {
        const char* bytes = bank->ReadAt(0);
        if (bytes) tex = CreateTexture(bytes, bank->GetReadSize(), false);
    } else {
        std::vector<uint8_t> bytes;
        if (tmModelText::ReadFile((std::string(".\\data\\sprite\\") + group->texture).c_str(), bytes))
            tex = CreateTexture(bytes.data(), bytes.size(), false);
    }
    if (!tex) {
        std::fprintf(stderr, "sprite sheet: cannot make %s\n", group->texture);
        return kFail;
    }
    auto* texture = TM_NEW sys::tmTexture;
    texture->SetName(group->texture);
    texture->Setup(tex, group, nullptr, 2);
    Register(texture);
    for (uint32_t i = 0; i < group->spriteCount; ++i) {
        const sys::tmSpriteRecord* rec = &group->sprites[i];
        if (sys::tmResource* s = Find(sys::tmResource::kSprite, rec->name)) {
            s->AddRef();
            continue;
        }
        auto* sprite = TM_NEW sys::tmSprite;
        sprite->Set(texture, rec);
        sprite->SetName(rec->name);
        Register(sprite);
        SetSpriteSlot(sprite);
    }
    return kOk;
}

bool tmResourceHolder::ReleaseSpriteGroup(const char* textureName) {
    auto* texture = static_cast<sys::tmTexture*>(Find(sys::tmResource::kTexture, textureName));
    if (!texture) return false;
    if (texture->GetRefCount() > 1) {
        texture->Release();
        return true;
    }
    const auto* group = static_cast<const tmSpriteGroupRecord*>(texture->GetSheet());
    for (uint32_t i = 0; group && i < group->spriteCount; ++i) {
        sys::tmResource* s = Find(sys::tmResource::kSprite, group->sprites[i].name);
        if (!s) return false;
        s->Release();
    }
    texture->Release();
    return true;
}

bool tmResourceHolder::ReleaseTexture(const char* name) {
    sys::tmResource* t = Find(sys::tmResource::kTexture, name);
    if (!t) return false;
    t->Release();
    return true;
}

int32_t tmResourceHolder::GetOrLoadCubeTexture(const char* name, const void* data, size_t size) {
    if (!name) return kFail;
    if (sys::tmResource* c = Find(sys::tmResource::kCubeTexture, name)) {
        c->AddRef();
        return kOk;
    }
    gfx::Texture tex;
    if (data) {
        tex = CreateTexture(data, size, true);
    } else {
        std::vector<uint8_t> bytes;
        if (tmModelText::ReadFile(name, bytes)) tex = CreateTexture(bytes.data(), bytes.size(), true);
    }
    if (!tex) {
        std::fprintf(stderr, "cube texture: cannot make %s\n", name);
        return kFail;
    }
    auto* cube = TM_NEW sys::tmCubeTexture;
    cube->SetTexture(tex);
    cube->SetName(name);
    Register(cube);
    return kOk;
}

bool tmResourceHolder::ReleaseCubeTexture(const char* name) {
    sys::tmResource* c = Find(sys::tmResource::kCubeTexture, name);
    if (!c) return false;
    c->Release();
    return true;
}
