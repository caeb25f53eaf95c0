// SpriteManagerTest.cpp -- named sprites, anchors, colours, depth order, parts and pictures on the null device.
#include <gtest/gtest.h>

#include "content_tables.h"
#include "lobby/LobbyTestSupport.h"
#include "lobby/ggSpriteManager.h"
#include "sys/resource/tmResourceHolder.h"
#include "sys/resource/tmSprite.h"
#include "sys/resource/tmTexture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

using g2lobby::ggColor;
using g2lobby::ggSpriteManager;
using lobbytest::TestRenderer;

namespace {

class SpriteManager : public ::testing::Test {
protected:
    void SetUp() override {
        if (!r.Ok()) GTEST_SKIP() << r.Error();
    }
    TestRenderer r{640, 480};
    ggSpriteManager m;
};

void Append(void* ctx, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(ctx);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

}  // namespace

TEST_F(SpriteManager, NamesAreUniqueAcrossTheThreeKinds) {
    r.AddTexture("tex", 32, 8);
    ASSERT_TRUE(m.AddSolidSprite("a", 4, 4, 1, 0, 0, 1));
    ASSERT_TRUE(m.AddTableSprite("b", content::SPR_LB_BG));
    ASSERT_TRUE(m.AddTextureSprite("c", "tex"));
    for (const char* n : {"a", "b", "c"}) {
        EXPECT_FALSE(m.AddSolidSprite(n, 9, 9, 0, 0, 0, 1)) << n;
        EXPECT_FALSE(m.AddTableSprite(n, 1)) << n;
        EXPECT_FALSE(m.AddTextureSprite(n, "tex")) << n;
    }
    EXPECT_FLOAT_EQ(m.GetWidth("a"), 4);  // the old entry stays
    EXPECT_FLOAT_EQ(m.GetWidth("c"), 32);
    EXPECT_FLOAT_EQ(m.GetHeight("c"), 8);
    EXPECT_FLOAT_EQ(m.GetWidth("b"), 1);  // no sprite set loaded: 1 x 1
    EXPECT_FLOAT_EQ(m.GetWidth("nobody"), 1);
    EXPECT_FLOAT_EQ(m.GetHeight("nobody"), 1);
    EXPECT_FALSE(m.AddTextureSprite("d", "no such texture"));
    m.ReleaseAll();
}

TEST_F(SpriteManager, TableSpritesTakeTheSlotSpriteSize) {
    r.PutSlotSprite(content::SPR_LB_CURSOR, 24, 30);
    ASSERT_TRUE(m.AddTableSprite("cursor", content::SPR_LB_CURSOR));
    EXPECT_FLOAT_EQ(m.GetWidth("cursor"), 24);
    EXPECT_FLOAT_EQ(m.GetHeight("cursor"), 30);
}

TEST_F(SpriteManager, ColoursRoundAndClampPerChannel) {
    EXPECT_EQ(ggSpriteManager::PackColor({0.5f, 1.2f, -0.1f, 1.0f}), 0xFF80FF00u);
    EXPECT_EQ(ggSpriteManager::PackColor({0.0f, 0.0f, 0.0f, 0.0f}), 0x00000000u);
    ASSERT_TRUE(m.AddSolidSprite("s", 10, 10, 0.06666667f, 0.44117647f, 0.037254903f, 1));
    const ggColor ignored{1, 1, 1, 1};
    m.Draw("s", 0, 0, 0, 0, 1, 1, 0, 0, &ignored);  // a solid keeps its own colour
    ASSERT_EQ(m.GetDrawList().size(), 1u);
    EXPECT_EQ(m.GetDrawList()[0].colour, 0xFF11710Au);
    r.AddTexture("tex", 4, 4);
    ASSERT_TRUE(m.AddTextureSprite("t", "tex"));
    m.Draw("t", 0, 0, 0, 0, 1, 1, 0, 0, nullptr);
    EXPECT_EQ(m.GetDrawList()[1].colour, 0xFFFFFFFFu);
    m.Draw("unknown", 0, 0, 0, 0, 1, 1, 0, 0, nullptr);
    EXPECT_EQ(m.GetDrawList().size(), 2u);
    m.ReleaseAll();
}

TEST_F(SpriteManager, AnchorsPlaceTheSpriteAroundThePoint) {
    ASSERT_TRUE(m.AddSolidSprite("bar", 100, 20, 1, 1, 1, 1));
    m.Draw("bar", 300, 200, 0, 0, 1, 1, 0, 4, nullptr);
    m.Draw("bar", 300, 200, 0, 0, 1, 1, 0, 8, nullptr);
    m.Draw("bar", 300, 200, 0, 0, 2, 1, 0, 2, nullptr);
    const auto& q = m.GetDrawList();
    ASSERT_EQ(q.size(), 3u);
    EXPECT_FLOAT_EQ(q[0].x, 250);
    EXPECT_FLOAT_EQ(q[0].y, 190);
    EXPECT_FLOAT_EQ(q[1].x, 200);
    EXPECT_FLOAT_EQ(q[1].y, 180);
    EXPECT_FLOAT_EQ(q[2].x, 100);  // 2 x 100 wide, right edge at x
    EXPECT_FLOAT_EQ(q[2].y, 200);
    EXPECT_FLOAT_EQ(q[2].scaleX, 200);  // the white 1 x 1 sprite scaled to the size
    // Texture sprites sit half a pixel in, so texels land on pixel centres.
    r.AddTexture("tex", 100, 20);
    ASSERT_TRUE(m.AddTextureSprite("t", "tex"));
    m.Draw("t", 300, 200, 0, 0, 1, 1, 0, 4, nullptr);
    EXPECT_FLOAT_EQ(q[3].x, 250.5f);
    EXPECT_FLOAT_EQ(q[3].y, 190.5f);
    m.ReleaseAll();
}

TEST_F(SpriteManager, FlushSortsByDepthKeepingQueueOrderAmongEquals) {
    sys::tmTexture* t[4] = {r.AddTexture("t0", 4, 4), r.AddTexture("t1", 4, 4), r.AddTexture("t2", 4, 4),
                            r.AddTexture("t3", 4, 4)};
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(m.AddTextureSprite("s" + std::to_string(i), "t" + std::to_string(i)));
    m.Draw("s0", 0, 0, 5, 0, 1, 1, 0, 0, nullptr);
    m.Draw("s1", 0, 0, 1, 0, 1, 1, 0, 0, nullptr);
    m.Draw("s2", 0, 0, 5, 0, 1, 1, 0, 0, nullptr);
    m.Draw("s3", 0, 0, 1, 0, 1, 1, 0, 0, nullptr);
    m.Flush();
    EXPECT_TRUE(m.GetDrawList().empty());
    ASSERT_EQ(r.QueuedCount(), 4);
    const int order[4] = {1, 3, 0, 2};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.GetQueued(i).sprite->GetTexture(), t[order[i]]) << i;
    m.ReleaseAll();
}

TEST_F(SpriteManager, PartsStartOneTexelInAndStretchToTheTarget) {
    r.PutSlotSprite(content::SPR_LB_DIALOG_MT, 16, 58);
    ASSERT_TRUE(m.AddTableSprite("top", content::SPR_LB_DIALOG_MT));
    ASSERT_TRUE(m.DrawPart("top", 10, 20, 3, 15, 56, 0, 0, nullptr, 300, 0));
    const auto& d = m.GetDrawList().back();
    EXPECT_FLOAT_EQ(d.u0, 1.0f / 16);
    EXPECT_FLOAT_EQ(d.v0, 1.0f / 58);
    EXPECT_FLOAT_EQ(d.uExtent, 15.0f / 16);
    EXPECT_FLOAT_EQ(d.vExtent, 56.0f / 58);
    // The renderer draws 16 px x scale x extent: 300 wide, 56 high.
    EXPECT_FLOAT_EQ(16 * d.scaleX * d.uExtent, 300);
    EXPECT_FLOAT_EQ(58 * d.scaleY * d.vExtent, 56);
    ASSERT_TRUE(m.AddSolidSprite("solid", 1, 1, 1, 1, 1, 1));
    EXPECT_FALSE(m.DrawPart("solid", 0, 0, 0, 1, 1, 0, 0, nullptr, 0, 0));  // table sprites only
}

TEST_F(SpriteManager, RemovingATextureSpriteReleasesItsSpriteAndTexture) {
    r.AddTexture("tex", 8, 8);
    ASSERT_TRUE(m.AddTextureSprite("t", "tex"));
    EXPECT_NE(r.Cache()->Find(sys::tmResource::kSprite, "t"), nullptr);
    EXPECT_TRUE(m.Remove("t"));
    EXPECT_EQ(r.Cache()->Find(sys::tmResource::kSprite, "t"), nullptr);
    EXPECT_EQ(r.Cache()->Find(sys::tmResource::kTexture, "tex"), nullptr);
    EXPECT_FALSE(m.AddTextureSprite("t", "tex"));  // the texture must be registered again
    r.AddTexture("tex", 8, 8);
    EXPECT_TRUE(m.AddTextureSprite("t", "tex"));
    EXPECT_FALSE(m.Remove("never"));
    m.ReleaseAll();
    EXPECT_EQ(r.Cache()->Find(sys::tmResource::kTexture, "tex"), nullptr);
    EXPECT_FALSE(m.Has("t"));
}

TEST_F(SpriteManager, PicturesFromMemoryReportTheDecodersRealResult) {
    std::vector<uint8_t> px(40 * 30 * 3, 200), jpg;
    stbi_write_jpg_to_func(Append, &jpg, 40, 30, 3, px.data(), 90);
    ASSERT_TRUE(m.AddTextureFromMemory("photo", 122, 122, jpg.data(), jpg.size()));
    EXPECT_FLOAT_EQ(m.GetWidth("photo"), 122);
    auto* tex = static_cast<sys::tmTexture*>(r.Cache()->Find(sys::tmResource::kTexture, "photo"));
    ASSERT_NE(tex, nullptr);
    const std::vector<uint32_t>* texels = r.Texels(tex);
    ASSERT_NE(texels, nullptr);
    EXPECT_NEAR(int((*texels)[61 * 122 + 61] & 0xFF), 200, 6);
    EXPECT_FALSE(m.AddTextureFromMemory("photo", 122, 122, jpg.data(), jpg.size()));  // name taken
    // A corrupt or cut-off picture registers nothing.
    std::vector<uint8_t> cut(jpg.begin(), jpg.begin() + 40);
    EXPECT_FALSE(m.AddTextureFromMemory("bad", 122, 122, cut.data(), cut.size()));
    const uint8_t junk[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 1, 2, 3};
    EXPECT_FALSE(m.AddTextureFromMemory("bad", 122, 122, junk, sizeof junk));
    EXPECT_FALSE(m.Has("bad"));
    EXPECT_EQ(r.Cache()->Find(sys::tmResource::kTexture, "bad"), nullptr);
    m.ReleaseAll();
}
