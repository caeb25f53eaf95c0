// yiResourceGroup.cpp -- group lookup, loaded set, group loads through the resource cache.
#include "table/yiResourceGroup.h"

#include <set>

#include "content_tables.h"
#include "sys/data/tmArchiver.h"
#include "sys/resource/tmResourceHolder.h"

namespace {

int32_t g_current = -1;

std::set<int32_t>& Loaded() {
    static std::set<int32_t> loaded;
    return loaded;
}

bool OpenBank(tmArchiver& reader, const tmBankInfo* bank) {
    return bank && reader.Open(bank->fileName, bank->key, bank->directory, bank->entryCount);
}

}  // namespace

const yiResourceGroup* yiResourceGroup::Get(int id) {
    g_current = id;
    if (id < 0 || id >= kResourceGroupCount) return nullptr;
    return content::BankTable[id];
}

int32_t yiResourceGroup::CurrentGroupId() { return g_current; }

bool yiResourceGroup::IsLoaded(int id) { return Loaded().count(id) != 0; }

void yiResourceGroup::ResetState() {
    Loaded().clear();
    g_current = -1;
}

// A bank that fails to open leaves its reader closed: its reads then find
// nothing and the models fail to load, as with a missing member.
// The group marks its own id: a Get of another group in between must not
// make this load or unload count for that group.
bool yiResourceGroup::Load() const {
    if (Loaded().count(id)) return false;
    tmResourceHolder* cache = tmGetResourceHolder();
    tmArchiver models, textures;
    OpenBank(models, modelArchive);
    OpenBank(textures, textureArchive);
    for (int32_t i = 0; cache && i < modelCount; ++i) cache->LoadModel(this->models[i], &models, &textures);
    Loaded().insert(id);
    return true;
}

bool yiResourceGroup::Unload() const {
    if (!Loaded().count(id)) return false;
    if (tmResourceHolder* cache = tmGetResourceHolder())
        for (int32_t i = 0; i < modelCount; ++i) cache->ReleaseModel(models[i]);
    Loaded().erase(id);
    return true;
}

bool yiResourceGroup::LoadTexture(const char* folder, const char* name) const {
    tmResourceHolder* cache = tmGetResourceHolder();
    if (!cache) return true;
    tmArchiver textures;
    OpenBank(textures, textureArchive);
    sys::tmTextureStage stage;
    cache->GetOrLoadTexture(folder, name, &stage, false, &textures);
    return true;
}

bool yiResourceGroup::ReleaseTexture(const char* name) const {
    tmResourceHolder* cache = tmGetResourceHolder();
    return cache && cache->ReleaseTexture(name);
}

bool yiResourceGroup::LoadCubeTexture(const char* name) const {
    tmResourceHolder* cache = tmGetResourceHolder();
    if (!cache) return true;
    tmArchiver textures;
    const char* bytes = OpenBank(textures, textureArchive) ? textures.Read(name) : nullptr;
    cache->GetOrLoadCubeTexture(name, bytes, bytes ? textures.GetReadSize() : 0);
    return true;
}

bool yiResourceGroup::ReleaseCubeTexture(const char* name) const {
    tmResourceHolder* cache = tmGetResourceHolder();
    return cache && cache->ReleaseCubeTexture(name);
}
