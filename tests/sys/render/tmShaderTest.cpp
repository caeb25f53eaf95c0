// Shader manager: generated headers, the program cache, and the filtered state changes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/gfx/NullDevice.h"
#include "sys/data/tmEngineTables.h"
#include "sys/render/tmShader.h"
#include "sys/resource/tmShape.h"
#include "sys/resource/tmTexture.h"

namespace {

int CountLines(const std::vector<std::string>& log, const std::string& prefix) {
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

// ---- header -------------------------------------------------------------------

TEST(ShaderHeader, ImageAndVertexColourFlagsBecomeDefinesBeforeTheFakeHdrValues) {
    EXPECT_EQ(tmShader::BuildHeader(0, 0x401),
              "// setting state\n\n"
              "#define STATE_IMAGEMAP\t\t(1)\n"
              "#define STATE_VERTEXCOLOR\t\t(400)\n"
              "\n\n// special type\n"
              "\n// shader test code \n\n#define DEF_SHADERTEST\n"
              "// fakeHDR Value \n\n#define FAKEHDR_BOARDER\t(0.700000f)\n"
              "// bloom rate Value \n\n#define BLOOM_RATE\t(3.333333f)\n"
              "\n\n");
}

TEST(ShaderHeader, ReflectFloorTypeHasNoStateLines) {
    const std::string h = tmShader::BuildHeader(12, 0);
    EXPECT_EQ(h.find("STATE_"), std::string::npos);
    EXPECT_NE(h.find("\n#define TYPE_REFLECTFLOOR\n"), std::string::npos);
    EXPECT_EQ(tmShader::BuildHeader(0, 0).find("TYPE_REFLECTFLOOR"), std::string::npos);
}

TEST(ShaderHeader, EveryFlagIsDefinedInAscendingOrderWithItsHexValue) {
    const std::string h = tmShader::BuildHeader(1, 0x1FFFF);
    size_t last = 0;
    for (const char* name : {"STATE_IMAGEMAP\t", "STATE_LIGHTMAP\t", "STATE_HDRMAP\t", "STATE_VERTEXCOLOR\t",
                             "STATE_HDRMAP_UV01\t", "STATE_DYNAMICREFLECT\t\t(10000)"}) {
        const size_t at = h.find(name);
        ASSERT_NE(at, std::string::npos) << name;
        EXPECT_GT(at, last) << name;
        last = at;
    }
    EXPECT_EQ(tmShader::BuildHeader(1, 0x20000).find("STATE_"), std::string::npos);  // bit 17 has no name
}

// ---- cache ----------------------------------------------------------------------

TEST(ShaderCache, HashesKeyBytesLowFirst) {
    // bytes 01 04 00 02 of key 0x02000401: ((1*137 + 4)*137 + 0)*137 + 2
    EXPECT_EQ(tmShaderCache::Hash(0x02000401u), ((1u * 137u + 4u) * 137u + 0u) * 137u + 2u);
    EXPECT_EQ(tmShader::MakeKey(21, 0x10000), (21u << 24) + 0x10000u);
}

TEST(ShaderCache, InsertOnceGrowsByBlocksOfSixteen) {
    tmShaderCache cache;
    cache.Insert(7, gfx::Shader{1}, false);
    cache.Insert(7, gfx::Shader{2}, false);
    ASSERT_NE(cache.Find(7), nullptr);
    EXPECT_EQ(cache.Find(7)->shader.id, 1u);
    for (uint32_t k = 100; k < 115; ++k) cache.Insert(k, gfx::Shader{k}, false);
    EXPECT_EQ(cache.GetCount(), 16);
    EXPECT_EQ(cache.GetBlockCount(), 1);
    cache.Insert(200, gfx::Shader{200}, true);
    EXPECT_EQ(cache.GetBlockCount(), 2);
    EXPECT_TRUE(cache.Find(200)->failed);
    EXPECT_EQ(cache.Find(999), nullptr);
}

// ---- manager on the recording device ---------------------------------------------

class ShaderManager : public ::testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        cwd_ = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);  // the shader bank lives in data/ of the run folder
        tmShader::SetErrorReporter([this](const char*, const std::string& text) { errors_.push_back(text); });
    }
    void TearDown() override {
        tmShader::SetErrorReporter(nullptr);
        (void)chdir(cwd_.c_str());
    }

    static void Prepare(sys::tmShape& s) {
        s.declIndex = 3;
        s.customF = 0.5f;
        s.material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    }

    std::string cwd_;
    std::vector<std::string> errors_;
    gfx::NullDevice device_;
};

TEST_F(ShaderManager, EveryBankSourceLoads) {
    for (uint32_t t = 0; t < tmShader::kTypeCount; ++t) {
        for (const char* name : {tmShader::VertexSourceName(t), tmShader::PixelSourceName(t)}) {
            const std::string text = tmShader::LoadSource(name);
            EXPECT_NE(text.find("void main()"), std::string::npos) << name;
        }
    }
    EXPECT_TRUE(tmShader::LoadSource(".\\shader\\missingVs.cg").empty());
}

TEST_F(ShaderManager, WithoutRegisteredTablesTheReportSaysSo) {
    const tmEngineTables registered = tmEngineTables::Get();
    tmEngineTables::Register(tmEngineTables{});
    device_.scriptedCaps.vertexShaderVersion = 0x300;
    tmShader s;
    s.Initialize(&device_);
    tmEngineTables::Register(registered);
    ASSERT_FALSE(errors_.empty());
    EXPECT_NE(errors_[0].find("no shader bank is registered"), std::string::npos) << errors_[0];
}

TEST_F(ShaderManager, CompilesTheTwoCommonPairsOnlyWithShaderModel3) {
    device_.scriptedCaps.vertexShaderVersion = 0x200;
    {
        tmShader s;
        s.Initialize(&device_);
        EXPECT_FALSE(s.HasVertexShader30());
        EXPECT_EQ(device_.shaderCompiles, 0);
    }
    device_.scriptedCaps.vertexShaderVersion = 0x300;
    tmShader s;
    s.Initialize(&device_);
    EXPECT_EQ(device_.shaderCompiles, 4);
    EXPECT_EQ(s.GetVertexCache().GetCount(), 2);
    EXPECT_NE(s.GetPixelCache().Find(tmShader::MakeKey(10, 0x401)), nullptr);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(ShaderManager, SharedEntryUploadsTransformOnce) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    tmRenderQueue::Entry entry;
    D3DXMatrixTranslation(&entry.transform, 1, 2, 3);
    D3DXMatrixIdentity(&entry.world);
    sys::tmShape a, b;
    Prepare(a);
    Prepare(b);
    tmRenderQueue::Item first{&a, &entry, 0, 0x401, 0.0f}, second{&b, &entry, 0, 0x401, 0.0f};
    device_.log.clear();
    EXPECT_TRUE(s.Apply(first));
    EXPECT_TRUE(s.Apply(second));
    EXPECT_EQ(CountLines(device_.log, "setConstants v 0 4"), 1);
    EXPECT_EQ(CountLines(device_.log, "setConstants v 12 4"), 1);
    EXPECT_EQ(s.GetStatistics().entryChanges, 1u);
    EXPECT_EQ(s.GetStatistics().shaderChanges, 1u);
    // The transform register holds the transposed matrix: row 0 = first column.
    const float* c0 = device_.constants(gfx::Stage::Vertex, 0);
    EXPECT_FLOAT_EQ(c0[3], 1.0f);
    EXPECT_FLOAT_EQ(device_.constants(gfx::Stage::Vertex, 1)[3], 2.0f);
}

TEST_F(ShaderManager, LayoutSetBehindItsBackIsSetAgainAfterBegin) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    tmRenderQueue::Entry entry;
    sys::tmShape shape;
    Prepare(shape);
    shape.declIndex = 2;
    const tmRenderQueue::Item item{&shape, &entry, 2, 0x401, 0.0f};
    EXPECT_TRUE(s.Apply(item));
    device_.setLayout(0);  // a post pass draws its quad
    device_.log.clear();
    s.Begin(false);
    EXPECT_TRUE(s.Apply(item));
    EXPECT_EQ(CountLines(device_.log, "setLayout 2"), 1) << "a world quad after the composite drew as a screen quad";
    device_.log.clear();
    EXPECT_TRUE(s.Apply(item));
    EXPECT_EQ(CountLines(device_.log, "setLayout"), 0);  // within a pass a repeat costs nothing
}

TEST_F(ShaderManager, ZeroAmbientAfterBeginUploadsNothing) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    tmRenderQueue::Entry entry;
    sys::tmShape shape;
    Prepare(shape);
    tmRenderQueue::Item item{&shape, &entry, 2, 0x401, 0.0f};
    device_.log.clear();
    s.Apply(item);
    EXPECT_EQ(CountLines(device_.log, "setConstants v 5 "), 0);
    EXPECT_EQ(CountLines(device_.log, "setConstants v 20 "), 1);  // diffuse differs from zero
    shape.material.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
    s.Apply(item);
    EXPECT_EQ(CountLines(device_.log, "setConstants v 5 "), 1);
}

TEST_F(ShaderManager, BlendedTextureAfterOpaqueSetsAlphaReferenceOnce) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    sys::tmTexture opaque, blended;
    opaque.Setup(gfx::Texture{}, nullptr, nullptr, 3);  // any non-blended mode
    blended.Setup(gfx::Texture{}, nullptr, nullptr, 2);
    s.SetTexture(0, &opaque, false);
    EXPECT_EQ(device_.getState(gfx::State::AlphaRef), 128u);
    s.SetTexture(0, &blended, false);
    EXPECT_EQ(device_.getState(gfx::State::AlphaRef), 0u);
    const uint32_t changes = s.GetStatistics().alphaRefChanges;
    const uint32_t binds = s.GetStatistics().textureBinds;
    s.SetTexture(0, &blended, false);
    EXPECT_EQ(s.GetStatistics().alphaRefChanges, changes);
    EXPECT_EQ(s.GetStatistics().textureBinds, binds);
    s.SetTexture(0, &blended, true);  // forced: bound again, same alpha mode
    EXPECT_EQ(s.GetStatistics().textureBinds, binds + 1);
    EXPECT_EQ(s.GetStatistics().alphaRefChanges, changes);
}

TEST_F(ShaderManager, UntexturedShapeUnbindsTheStageEvenWhenBoundBehindTheCache) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    gfx::TextureDesc desc;
    desc.width = desc.height = 4;
    sys::tmTexture sheet;
    sheet.Setup(device_.createTexture(desc), nullptr, nullptr, 2);
    s.SetTexture(0, &sheet, false);
    EXPECT_EQ(device_.boundTexture(0), sheet.GetTexture());
    // The next shape has no texture: the sheet must not stay bound under it.
    s.SetTexture(0, nullptr, false);
    EXPECT_EQ(device_.boundTexture(0), gfx::Texture{});
    // A new pass forgets what the device holds (passes bind stages directly),
    // so an untextured first shape still unbinds.
    device_.setTexture(1, sheet.GetTexture());
    s.Begin(false);
    s.SetTexture(1, nullptr, false);
    EXPECT_EQ(device_.boundTexture(1), gfx::Texture{});
    const int binds = device_.countLog("setTexture");
    s.SetTexture(1, nullptr, false);  // known now: filtered
    EXPECT_EQ(device_.countLog("setTexture"), binds);
    device_.releaseTexture(sheet.GetTexture());
    sheet.Setup(gfx::Texture{}, nullptr, nullptr, 2);
}

TEST_F(ShaderManager, FailedProgramIsReportedOnceAndItsDrawsSkipped) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    tmRenderQueue::Entry entry;
    sys::tmShape shape;
    Prepare(shape);
    tmRenderQueue::Item item{&shape, &entry, 30, 0, 0.0f};  // no such shader type: no source
    const int compiles = device_.shaderCompiles;
    EXPECT_FALSE(s.Apply(item));
    s.Begin(false);
    EXPECT_FALSE(s.Apply(item));
    EXPECT_EQ(errors_.size(), 2u);  // one vertex, one pixel report, never again
    EXPECT_EQ(device_.shaderCompiles, compiles);
    tmRenderQueue::Item good{&shape, &entry, 2, 0x401, 0.0f};
    EXPECT_TRUE(s.Apply(good));
}

TEST_F(ShaderManager, ObjectSpaceLightKeepsItsFourthComponent) {
    tmShader s;
    s.Initialize(&device_);
    s.Begin(true);
    tmRenderQueue::Entry entry;
    D3DXMatrixRotationY(&entry.world, D3DX_PI / 2);  // object x axis points to world -z
    entry.light = D3DXVECTOR4(0, 0, -2, 0.3f);
    sys::tmShape shape;
    Prepare(shape);
    s.Apply(tmRenderQueue::Item{&shape, &entry, 0, 0x401, 0.0f});
    const float* l = device_.constants(gfx::Stage::Pixel, 1);
    EXPECT_NEAR(l[0], 1.0f, 1e-5f);
    EXPECT_NEAR(l[1], 0.0f, 1e-5f);
    EXPECT_NEAR(l[2], 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(l[3], 0.3f);
    EXPECT_FLOAT_EQ(device_.constants(gfx::Stage::Vertex, 8)[0], entry.world._11);  // world not transposed
}

TEST_F(ShaderManager, TargetMatrixMapsClipSpaceToTexelCentres) {
    tmShader s;
    s.SetTargetSize(256, 128);
    D3DXVECTOR3 topLeft(-1, 1, 0), bottomRight(1, -1, 0), out;
    D3DXVec3TransformCoord(&out, &topLeft, &s.GetTargetMatrix());
    EXPECT_NEAR(out.x, 0.5f / 256, 1e-6f);
    EXPECT_NEAR(out.y, 0.5f / 128, 1e-6f);
    D3DXVec3TransformCoord(&out, &bottomRight, &s.GetTargetMatrix());
    EXPECT_NEAR(out.x, 1 + 0.5f / 256, 1e-6f);
    EXPECT_NEAR(out.y, 1 + 0.5f / 128, 1e-6f);
}

TEST_F(ShaderManager, FrameConstantsReachTheDeviceAtBegin) {
    tmShader s;
    s.Initialize(&device_);
    s.SetFakeHdr(0.1f, 0.2f, 0.3f);
    s.SetBloomRate(0.4f);
    s.SetVector(D3DXVECTOR3(0.5f, 0.6f, 0.7f));
    EXPECT_NE(device_.constants(gfx::Stage::Pixel, 5)[3], 0.4f);
    s.Begin(false);
    EXPECT_FLOAT_EQ(device_.constants(gfx::Stage::Pixel, 5)[1], 0.2f);
    EXPECT_FLOAT_EQ(device_.constants(gfx::Stage::Pixel, 5)[3], 0.4f);
    EXPECT_FLOAT_EQ(device_.constants(gfx::Stage::Pixel, 8)[2], 0.7f);
    s.SetPixelConstant(3, D3DXVECTOR4(1, 2, 3, 4));
    EXPECT_FLOAT_EQ(device_.constants(gfx::Stage::Pixel, 19)[3], 4.0f);
}

}  // namespace
