// ResourceGroupTest.cpp -- groups and sprite groups on the generated banks through the cache.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>
#include <vector>

#include "content_tables.h"
#include "platform/gfx/NullDevice.h"
#include "sys/data/tmArchiver.h"
#include "sys/gfx/tmDevice.h"
#include "sys/resource/tmMesh.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmSpriteGroupRecord.h"
#include "table/tmSpriteGroup.h"
#include "table/yiResourceGroup.h"

namespace {

// A null device, the cache on the generated name tables, the run folder as
// working folder (banks are found under data\).
class GroupTest : public testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        cwd_ = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
        tmSetDevice(&device_);
        tmSetResourceHolder(&cache_);
        yiResourceGroup::ResetState();
    }
    void TearDown() override {
        tmSetResourceHolder(nullptr);
        tmSetDevice(nullptr);
        (void)chdir(cwd_.c_str());
    }
    int Count(int type, const char* name) {
        sys::tmResource* r = cache_.Find(type, name);
        return r ? r->GetRefCount() : 0;
    }

    std::string cwd_;
    gfx::NullDevice device_;
    tmResourceHolder cache_;
};

}  // namespace

TEST(ResourceGroupTable, ModelListsMatchTheirBanksAndTheSlotTable) {
    EXPECT_EQ(yiResourceGroup::CurrentGroupId(), -1);
    int slot = 1;
    for (int id = 0; id < kResourceGroupCount; ++id) {
        const yiResourceGroup* g = content::BankTable[id];
        ASSERT_EQ(g->id, id);
        ASSERT_EQ(static_cast<uint32_t>(g->modelCount), g->modelArchive->entryCount) << id;
        for (int i = 0; i < g->modelCount; ++i, ++slot) {
            EXPECT_EQ(g->models[i], content::kModelNames[slot]);
            const std::string name = std::string(".\\data\\") + g->models[i];
            bool found = false;
            for (uint32_t e = 0; e < g->modelArchive->entryCount; ++e)
                if (g->modelArchive->directory[e].path && name.substr(7) == g->modelArchive->directory[e].path) {
                    EXPECT_EQ(e, static_cast<uint32_t>(i)) << name;
                    found = true;
                    break;
                }
            EXPECT_TRUE(found) << name;
        }
    }
    EXPECT_EQ(slot, 1406);
    EXPECT_EQ(content::kResourceGroupFirstModel[35] + 2, 1405);
    // The bank file table lists each group's model bank, then its texture bank.
    for (int id = 0; id < kResourceGroupCount; ++id) {
        EXPECT_STREQ(content::BankFileTable[2 * id], content::BankTable[id]->modelArchive->fileName) << id;
        EXPECT_STREQ(content::BankFileTable[2 * id + 1], content::BankTable[id]->textureArchive->fileName) << id;
    }
    yiResourceGroup::Get(7);
    EXPECT_EQ(yiResourceGroup::CurrentGroupId(), 7);
    EXPECT_EQ(yiResourceGroup::Get(36), nullptr);
}

TEST(SpriteGroupTable, SheetsFollowEachOtherInIdOrder) {
    int next = 1;
    for (int id = 1; id <= 46; ++id) {
        const tmSpriteGroupRecord* g = tmSpriteGroup::Get(id);
        ASSERT_NE(g, nullptr);
        for (uint32_t i = 0; i < g->spriteCount; ++i, ++next)
            EXPECT_STREQ(g->sprites[i].name, content::kSpriteNames[next]);
    }
    EXPECT_EQ(next, 1173);
    EXPECT_EQ(tmSpriteGroup::Get(0), nullptr);
    EXPECT_EQ(tmSpriteGroup::Get(47), nullptr);
}

TEST_F(GroupTest, TestGroupsLoadEveryReaderAndUnloadToNothing) {
    const yiResourceGroup* g34 = yiResourceGroup::Get(34);
    const yiResourceGroup* g35 = yiResourceGroup::Get(35);
    ASSERT_TRUE(g34->Load());
    ASSERT_TRUE(g35->Load());
    for (int slot = 1400; slot <= 1405; ++slot) {
        ASSERT_NE(cache_.GetModelSlot(slot), nullptr) << slot;
        EXPECT_EQ(cache_.GetModelSlot(slot)->GetRefCount(), 1);
        EXPECT_GT(cache_.GetModelSlot(slot)->GetShapeCount(), 0);
    }
    // The "x" cube has two materials, so two shapes; bank "ysm" models use the full layout.
    EXPECT_EQ(cache_.GetModelSlot(1400)->GetShapeCount(), 2);
    auto* ysm = static_cast<sys::tmMesh*>(cache_.Find(sys::tmResource::kMesh, content::kModelNames[1402]));
    ASSERT_NE(ysm, nullptr);
    EXPECT_EQ(ysm->GetStride(), 56u);
    EXPECT_EQ(ysm->GetDeclIndex(), 3);
    // Both Test02 cubes name the group's label texture in two subsets each.
    EXPECT_EQ(Count(sys::tmResource::kTexture, "test02_labelTex.dds"), 4);
    auto* alpha = cache_.GetModelSlot(1405)->GetShape(0);
    EXPECT_EQ(alpha->alphaMode, 2u);  // "_ALPHA" in the texture's name
    EXPECT_NE(device_.liveTextures(), 0);

    EXPECT_FALSE(g35->Load());  // already loaded: nothing changes
    EXPECT_EQ(cache_.GetModelSlot(1404)->GetRefCount(), 1);

    EXPECT_TRUE(g34->Unload());
    EXPECT_TRUE(g35->Unload());
    EXPECT_FALSE(g35->Unload());
    for (int slot = 1400; slot <= 1405; ++slot) EXPECT_EQ(cache_.GetModelSlot(slot), nullptr) << slot;
    for (int type = 0; type < 7; ++type) EXPECT_EQ(cache_.GetCount(type), 0) << type;
    EXPECT_EQ(device_.liveTextures(), 0);
    EXPECT_EQ(device_.liveBuffers(), 0);
}

TEST_F(GroupTest, LoadMarksTheGroupItWasGivenNotTheLastSelected) {
    const yiResourceGroup* g3 = yiResourceGroup::Get(3);
    yiResourceGroup::Get(5);
    ASSERT_TRUE(g3->Load());
    EXPECT_TRUE(yiResourceGroup::IsLoaded(3));
    EXPECT_FALSE(yiResourceGroup::IsLoaded(5));
    EXPECT_EQ(cache_.GetModelSlot(54)->GetRefCount(), 1);  // first model of group 3
    EXPECT_TRUE(yiResourceGroup::Get(5)->Load());
    EXPECT_TRUE(g3->Unload());
    EXPECT_EQ(cache_.GetModelSlot(54), nullptr);
    EXPECT_NE(cache_.GetModelSlot(91), nullptr);  // group 5 keeps its models
    EXPECT_TRUE(yiResourceGroup::Get(5)->Unload());
}

TEST_F(GroupTest, OneModelLoadedTwiceIsOneModelWithTwoReferences) {
    tmArchiver models, textures;
    const yiResourceGroup* g = content::BankTable[35];
    ASSERT_TRUE(models.Open(*g->modelArchive));
    ASSERT_TRUE(textures.Open(*g->textureArchive));
    const char* name = "Test02\\model\\cube_with_tex.ybm";
    ASSERT_EQ(cache_.LoadModel(name, &models, &textures), 0);
    ASSERT_EQ(cache_.LoadModel(name, &models, &textures), 0);
    sys::tmModel* m = cache_.GetModelSlot(1404);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->GetRefCount(), 2);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kModel), 1);
    EXPECT_NE(cache_.Find(sys::tmResource::kShape, "Test02\\model\\cube_with_tex.ybm_S001"), nullptr);
    EXPECT_TRUE(cache_.ReleaseModel(name));
    EXPECT_EQ(cache_.GetModelSlot(1404), m);
    EXPECT_EQ(m->GetRefCount(), 1);
    EXPECT_TRUE(cache_.ReleaseModel(name));
    EXPECT_EQ(cache_.GetModelSlot(1404), nullptr);
    for (int type = 0; type < 7; ++type) EXPECT_EQ(cache_.GetCount(type), 0) << type;
    EXPECT_FALSE(cache_.ReleaseModel(name));
}

TEST_F(GroupTest, ReleasingAModelKeepsTexturesAShapeHeldElsewhereStillUses) {
    tmArchiver models, textures;
    const yiResourceGroup* g = content::BankTable[35];
    ASSERT_TRUE(models.Open(*g->modelArchive));
    ASSERT_TRUE(textures.Open(*g->textureArchive));
    const char* a = "Test02\\model\\cube_with_tex.ybm";
    const char* b = "Test02\\model\\cube_with_sameTex.ybm";
    ASSERT_EQ(cache_.LoadModel(a, &models, &textures), 0);
    ASSERT_EQ(cache_.LoadModel(b, &models, &textures), 0);
    auto* held =
        static_cast<sys::tmShape*>(cache_.Find(sys::tmResource::kShape, "Test02\\model\\cube_with_tex.ybm_S000"));
    ASSERT_NE(held, nullptr);
    held->AddRef();
    EXPECT_TRUE(cache_.ReleaseModel(a));
    EXPECT_TRUE(cache_.ReleaseModel(b));
    // The held shape's texture is alive; reloading lists the held shape again.
    ASSERT_NE(held->textures[0], nullptr);
    EXPECT_EQ(held->textures[0]->GetRefCount(), 1);
    ASSERT_EQ(cache_.LoadModel(a, &models, &textures), 0);
    EXPECT_EQ(cache_.GetModelSlot(1404)->GetShape(0), held);
    EXPECT_TRUE(cache_.ReleaseModel(a));
    held->Release();
    for (int type = 0; type < 7; ++type) EXPECT_EQ(cache_.GetCount(type), 0) << type;
    EXPECT_EQ(device_.liveTextures(), 0);
}

TEST_F(GroupTest, SpriteGroupFillsItsSlotsUntilTheLastUnload) {
    ASSERT_TRUE(tmSpriteGroup::Load(11));
    ASSERT_TRUE(tmSpriteGroup::Load(11));
    for (int id = 11; id <= 13; ++id) ASSERT_NE(cache_.GetSpriteSlot(id), nullptr) << id;
    EXPECT_EQ(cache_.GetSpriteSlot(14), nullptr);
    EXPECT_EQ(Count(sys::tmResource::kTexture, "sprBoardSydney.dds"), 2);
    EXPECT_EQ(Count(sys::tmResource::kSprite, "BOARD_SYDNEY"), 1);
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(cache_.GetSpriteSlot(11)->GetTexture()->GetSize(&w, &h));
    EXPECT_EQ(w, 2048u);
    EXPECT_EQ(h, 2048u);
    tmSpriteGroup::Unload(11);
    EXPECT_NE(cache_.GetSpriteSlot(13), nullptr);
    tmSpriteGroup::Unload(11);
    for (int id = 11; id <= 13; ++id) EXPECT_EQ(cache_.GetSpriteSlot(id), nullptr);
    EXPECT_EQ(cache_.GetCount(sys::tmResource::kTexture), 0);
    EXPECT_EQ(device_.liveTextures(), 0);
}

TEST_F(GroupTest, GroupTexturesAndCubeMapsComeFromTheTextureBank) {
    const yiResourceGroup* g = yiResourceGroup::Get(34);
    ASSERT_TRUE(g->LoadCubeTexture("spr_cubeMapTex.dds"));
    EXPECT_EQ(Count(sys::tmResource::kCubeTexture, "spr_cubeMapTex.dds"), 1);
    ASSERT_TRUE(yiResourceGroup::Get(32)->LoadTexture(".\\data\\Common\\texture\\", "TEX_CMN_PostProcess.tga"));
    auto* post = static_cast<sys::tmTexture*>(cache_.Find(sys::tmResource::kTexture, "TEX_CMN_PostProcess.tga"));
    ASSERT_NE(post, nullptr);
    EXPECT_TRUE(post->GetTexture());
    EXPECT_TRUE(g->ReleaseCubeTexture("spr_cubeMapTex.dds"));
    EXPECT_FALSE(g->ReleaseCubeTexture("spr_cubeMapTex.dds"));
    EXPECT_TRUE(yiResourceGroup::Get(32)->ReleaseTexture("TEX_CMN_PostProcess.tga"));
    EXPECT_EQ(device_.liveTextures(), 0);
}

// Every model of a bank, in the bank's order.
std::vector<std::string> BankModels(const tmBankInfo& bank) {
    std::vector<std::string> out;
    tmArchiver a;
    if (!a.Open(bank)) return out;
    for (std::uint32_t i = 0; i < bank.entryCount; ++i) {
        const char* bytes = a.ReadAt(i);
        out.push_back(bytes ? std::string(bytes, a.GetReadSize()) : std::string());
    }
    return out;
}

// The cockpit group no machine family draws holds a whole cockpit's parts (those of
// the Olvane build), and the common group's shapes after its black cube differ from it
// and from each other: no group keeps a row of one generic box.
TEST_F(GroupTest, TheSpareCockpitAndTheCommonShapesAreModelsOfTheirOwn) {
    const std::vector<std::string> spare = BankModels(content::bankMF08);
    const std::vector<std::string> olvane = BankModels(content::bankMF06);
    ASSERT_EQ(spare.size(), 60u);
    ASSERT_GE(olvane.size(), 60u);
    for (size_t i = 0; i < spare.size(); ++i) EXPECT_EQ(spare[i], olvane[i]) << "model " << i + 1;
    const std::vector<std::string> common = BankModels(content::bankMG01);
    ASSERT_EQ(common.size(), 8u);
    for (size_t i = 0; i < common.size(); ++i) {
        EXPECT_FALSE(common[i].empty()) << i;
        for (size_t j = i + 1; j < common.size(); ++j) EXPECT_NE(common[i], common[j]) << i << " and " << j;
    }
    ASSERT_TRUE(yiResourceGroup::Get(32)->Load());
    for (int slot = content::MDL_CMN_CUBE_BLACK; slot < content::MDL_CMN_CUBE_BLACK + 8; ++slot)
        EXPECT_GT(cache_.GetModelSlot(slot)->GetShapeCount(), 0) << slot;
    EXPECT_TRUE(yiResourceGroup::Get(32)->Unload());
}
