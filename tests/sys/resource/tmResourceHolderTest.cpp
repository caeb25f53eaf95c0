// tmResourceHolderTest.cpp -- cache lookups, slots, loose textures and layout choice on a null device.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>

#include "format/BinaryMesh.h"
#include "platform/fs/FileSystem.h"
#include "platform/gfx/NullDevice.h"
#include "sys/base/tmMemory.h"
#include "sys/gfx/tmDevice.h"
#include "sys/resource/tmMesh.h"
#include "sys/resource/tmModel.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmSpriteGroupRecord.h"

namespace {

const char* const kModels[] = {"dummy", "T\\model\\box.ybm", "T\\model\\other.ybm"};
const char* const kSprites[] = {"dummy", "ONE"};

// A 2x2 opaque 24-bit TGA.
std::string Tga() {
    std::string t(18, '\0');
    t[2] = 2;
    t[12] = 2;
    t[14] = 2;
    t[16] = 24;
    return t + std::string(12, '\x7f');
}

class HolderTest : public testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        cwd_ = getcwd(buf, sizeof buf) ? buf : ".";
        dir_ = folder_.Path();  // removed with the fixture
        ASSERT_EQ(system(("mkdir -p " + dir_ + "/data/T/model " + dir_ + "/data/T/texture").c_str()), 0);
        ASSERT_EQ(chdir(dir_.c_str()), 0);
        tmSetDevice(&device_);
    }
    void TearDown() override {
        tmSetDevice(nullptr);
        (void)chdir(cwd_.c_str());
    }
    void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(dir_ + "/" + path, std::ios::binary) << bytes;
    }
    void WriteBox(const std::string& path, const std::string& texture) {
        zfmt::MaterialRecord m;
        m.stages[0].type = 1;
        m.stages[0].fileName = texture;
        zfmt::BinaryMeshVertex v[3];
        v[1].position[0] = 2;
        auto img = zfmt::WriteBinaryMesh({v[0], v[1], v[2]}, {0, 1, 2}, {0}, {}, {m});
        Write(path, std::string(img.begin(), img.end()));
    }

    platform::TempDirectory folder_;
    std::string cwd_, dir_;
    gfx::NullDevice device_;
    tmResourceHolder cache_{kModels, 3, kSprites, 2};
};

}  // namespace

TEST_F(HolderTest, SlotLookupsAreBounded) {
    EXPECT_EQ(cache_.GetModelSlot(-1), nullptr);
    EXPECT_EQ(cache_.GetModelSlot(1406), nullptr);
    EXPECT_EQ(cache_.GetModelSlot(1 << 30), nullptr);
    EXPECT_EQ(cache_.GetSpriteSlot(1173), nullptr);
    EXPECT_EQ(cache_.GetSpriteSlot(-5), nullptr);
    EXPECT_EQ(cache_.Find(1, nullptr), nullptr);
    EXPECT_FALSE(cache_.ReleaseModel(nullptr));
    EXPECT_NE(cache_.LoadModel(nullptr, nullptr, nullptr), 0);
}

TEST_F(HolderTest, ExtensionsAreMatchedExactly) {
    EXPECT_EQ(cache_.LoadModel("T\\model\\lib.mtl", nullptr, nullptr), 0);
    EXPECT_NE(cache_.LoadModel("T\\model\\lib.MTL", nullptr, nullptr), 0);
    EXPECT_NE(cache_.LoadModel("T\\model\\box.YBM", nullptr, nullptr), 0);
    for (int type = 0; type < 7; ++type) EXPECT_EQ(cache_.GetCount(type), 0);
}

TEST_F(HolderTest, LooseModelFindsItsTextureAsDdsThenTga) {
    WriteBox("data/T/model/box.ybm", "wall.png");
    Write("data/T/texture/wall.tga", Tga());
    ASSERT_EQ(cache_.LoadModel("T\\model\\box.ybm", nullptr, nullptr), 0);
    sys::tmModel* m = cache_.GetModelSlot(1);
    ASSERT_NE(m, nullptr);
    sys::tmShape* s = m->GetShape(0);
    ASSERT_NE(s->textures[0], nullptr);
    EXPECT_TRUE(s->textures[0]->GetTexture());
    EXPECT_STREQ(s->textures[0]->GetName(), "wall.png");
    EXPECT_STREQ(s->GetName(), "T\\model\\box.ybm_S000");
    EXPECT_NEAR(s->radius, 4.0f / 3.0f, 1e-5);
    EXPECT_TRUE(cache_.ReleaseModel("T\\model\\box.ybm"));
    EXPECT_EQ(device_.liveTextures(), 0);
}

TEST_F(HolderTest, TextureNameWithoutExtensionGetsOneAppended) {
    Write("data/T/texture/plain.dds", Tga());  // found by content, whatever the name says
    sys::tmTexture* t = cache_.GetOrLoadTexture(".\\data\\T\\model\\..\\texture\\", "plain", nullptr, false, nullptr);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->GetTexture());
    sys::tmTexture* missing = cache_.GetOrLoadTexture(".\\data\\T\\texture\\", "none.png", nullptr, false, nullptr);
    ASSERT_NE(missing, nullptr);  // kept without an image: the model still draws
    EXPECT_FALSE(missing->GetTexture());
    EXPECT_EQ(cache_.GetOrLoadTexture(".\\data\\T\\texture\\", "none.png", nullptr, false, nullptr), missing);
    EXPECT_EQ(missing->GetRefCount(), 2);
    EXPECT_TRUE(cache_.ReleaseTexture("plain"));
    EXPECT_TRUE(cache_.ReleaseTexture("none.png"));
    EXPECT_TRUE(cache_.ReleaseTexture("none.png"));
    EXPECT_FALSE(cache_.ReleaseTexture("none.png"));
}

TEST_F(HolderTest, AColourKeyedPngMakesATextureClearAtItsKey) {
    // 2 x 1, 8-bit RGB keyed on (10, 20, 30), its first pixel.
    const unsigned char png[] = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
        0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x7b, 0x40, 0xe8, 0xdd, 0x00, 0x00, 0x00,
        0x06, 0x74, 0x52, 0x4e, 0x53, 0x00, 0x0a, 0x00, 0x14, 0x00, 0x1e, 0xc5, 0x36, 0x29, 0xff, 0x00, 0x00, 0x00,
        0x0f, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0xe0, 0x12, 0x91, 0xd3, 0x30, 0xb2, 0x01, 0x00, 0x02, 0x37,
        0x00, 0xd3, 0xe2, 0x2d, 0xed, 0x9f, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
    Write("data/T/texture/keyed.tga", std::string(reinterpret_cast<const char*>(png), sizeof png));
    sys::tmTexture* t = cache_.GetOrLoadTexture(".\\data\\T\\texture\\", "keyed", nullptr, true, nullptr);
    ASSERT_NE(t, nullptr);
    // The device format decides whether the upload keeps alpha, and the alpha mode follows it.
    gfx::TextureDesc desc;
    ASSERT_TRUE(device_.describeTexture(t->GetTexture(), &desc));
    EXPECT_EQ(desc.format, gfx::Format::A8R8G8B8);
    EXPECT_EQ(t->GetAlphaMode(), 2u);
    const std::vector<uint32_t>* texels = device_.textureTexels(t->GetTexture());
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(*texels, (std::vector<uint32_t>{0x000A141Eu, 0xFF28323Cu}));
    EXPECT_TRUE(cache_.ReleaseTexture("keyed"));
}

TEST_F(HolderTest, ModelsNamingOneTextureShareIt) {
    WriteBox("data/T/model/box.ybm", "wall.tga");
    WriteBox("data/T/model/other.ybm", "wall.tga");
    Write("data/T/texture/wall.tga", Tga());
    ASSERT_EQ(cache_.LoadModel("T\\model\\box.ybm", nullptr, nullptr), 0);
    ASSERT_EQ(cache_.LoadModel("T\\model\\other.ybm", nullptr, nullptr), 0);
    sys::tmResource* t = cache_.Find(sys::tmResource::kTexture, "wall.tga");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetRefCount(), 2);
    EXPECT_TRUE(cache_.ReleaseModel("T\\model\\box.ybm"));
    EXPECT_EQ(t->GetRefCount(), 1);
    EXPECT_NE(cache_.GetModelSlot(2), nullptr);
    EXPECT_TRUE(cache_.ReleaseModel("T\\model\\other.ybm"));
    EXPECT_EQ(cache_.Find(sys::tmResource::kTexture, "wall.tga"), nullptr);
}

namespace {
// Live tracked blocks allocated by the cache's loaders.
size_t LiveCacheBlocks() {
    size_t n = 0;
    for (const tmAllocSiteStats& site : tmLiveAllocations())
        if (site.file.size() >= 20 && site.file.compare(site.file.size() - 20, 20, "tmResourceHolder.cpp") == 0)
            n += site.liveBlocks;
    return n;
}
}  // namespace

TEST_F(HolderTest, ResourcesComeFromTheTrackerAndWhatIsLeftGoesWithTheCache) {
    WriteBox("data/T/model/box.ybm", "wall.tga");
    Write("data/T/texture/wall.tga", Tga());
    ASSERT_EQ(system(("mkdir -p " + dir_ + "/data/sprite").c_str()), 0);
    Write("data/sprite/fx.tga", Tga());
    static const sys::tmSpriteRecord kFx[2] = {{"ONE", 0, 0, 0.5f, 0.5f}, {"TWO", 0.5f, 0, 0.5f, 0.5f}};
    const tmSpriteGroupRecord group{"fx.tga", 2, 2, 2, 0, 8, kFx, nullptr};
    const size_t before = LiveCacheBlocks();
    {
        tmResourceHolder cache(kModels, 3, kSprites, 2);
        ASSERT_EQ(cache.LoadModel("T\\model\\box.ybm", nullptr, nullptr), 0);
        ASSERT_EQ(cache.LoadSpriteGroup(&group, nullptr), 0);
        ASSERT_NE(cache.GetSpriteSlot(1), nullptr);
        // Model, mesh, shape and its texture; the sheet and its two sprites.
        EXPECT_EQ(LiveCacheBlocks(), before + 7);
        EXPECT_EQ(device_.liveTextures(), 2);
        EXPECT_GT(device_.liveBuffers(), 0);
        // One model is given back; the sheet stays loaded until the cache goes.
        EXPECT_TRUE(cache.ReleaseModel("T\\model\\box.ybm"));
        EXPECT_EQ(LiveCacheBlocks(), before + 3);
    }
    EXPECT_EQ(LiveCacheBlocks(), before);
    EXPECT_EQ(device_.liveTextures(), 0);
    EXPECT_EQ(device_.liveBuffers(), 0);
}

TEST(tmMeshLayout, APrefixMatchNeverGivesAWiderVertex) {
    using namespace platform::mesh;
    Mesh m;
    ASSERT_TRUE(m.Create(1, 3, BuiltinLayout(6), false));  // 36 bytes: a prefix of layout 3
    EXPECT_EQ(sys::tmMesh::LayoutFor(m), 6);
    ASSERT_TRUE(m.Create(1, 3, BuiltinLayout(3), false));
    EXPECT_EQ(sys::tmMesh::LayoutFor(m), 3);
    const VertexElement posOnly[] = {{0, 0, kFloat3, 0, kPosition, 0}, kEndElement};
    ASSERT_TRUE(m.Create(1, 3, posOnly, false));  // 12 bytes: no layout is that small
    EXPECT_EQ(sys::tmMesh::LayoutFor(m), -1);
}
