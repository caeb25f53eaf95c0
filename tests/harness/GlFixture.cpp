// GlFixture.cpp -- device set-up in the test's own folder, screenshots and their pictures.
#include "harness/GlFixture.h"

#include <algorithm>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace harness {

void GlFixture::SetUp() {
    folder_ = std::make_unique<WorkFolder>(setup_.runData);
    ASSERT_TRUE(folder_->Ok()) << "no working folder of the test's own";
    gfx::GlOptions o;
    o.hidden = true;
    o.multiPassInSoftware = setup_.multiPass;
    std::string error;
    dev = gfx::CreateGlDevice(o, &error);
    if (!dev) GTEST_SKIP() << "no OpenGL: " << error;
    if (setup_.width == 0 || setup_.height == 0) return;
    gfx::PresentParams p;
    p.width = setup_.width;
    p.height = setup_.height;
    p.windowed = true;
    ASSERT_EQ(dev->create(p), gfx::Res::Ok);
    dev->setRenderTarget(dev->backBuffer(), 0);
    dev->clear(gfx::ClearFlag::Target | gfx::ClearFlag::ZBuffer, 0xFF000000u, 1.0f, 0);
}

void GlFixture::TearDown() {
    dev.reset();
    folder_.reset();
}

void GlFixture::Shoot() { ShootTarget(dev->backBuffer(), 0); }

void GlFixture::ShootTarget(gfx::Texture target, uint32_t face) {
    shot_.clear();
    shotWidth_ = shotHeight_ = 0;
    ASSERT_TRUE(dev->readPixels(target, face, &shot_, &shotWidth_, &shotHeight_));
    WritePicture();
}

uint32_t GlFixture::Pixel(int x, int y) {
    if (shot_.empty()) Shoot();
    if (x < 0 || y < 0 || uint32_t(x) >= shotWidth_ || uint32_t(y) >= shotHeight_) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") outside the " << shotWidth_ << " x " << shotHeight_
                      << " shot";
        return 0;
    }
    return shot_[size_t(y) * shotWidth_ + size_t(x)] & 0x00FFFFFFu;
}

void GlFixture::WritePicture() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info || shot_.empty()) return;
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    const std::string folder = ZARVO_SHOTS_DIR;
    platform::MakeDirectory(folder);
    const std::string path = folder + "/" + name + "-" + std::to_string(++shots_) + ".png";
    std::vector<uint8_t> rgba(shot_.size() * 4);
    for (size_t i = 0; i < shot_.size(); ++i) {
        rgba[i * 4 + 0] = uint8_t(shot_[i] >> 16);
        rgba[i * 4 + 1] = uint8_t(shot_[i] >> 8);
        rgba[i * 4 + 2] = uint8_t(shot_[i]);
        rgba[i * 4 + 3] = 0xFF;
    }
    if (!stbi_write_png(path.c_str(), int(shotWidth_), int(shotHeight_), 4, rgba.data(), int(shotWidth_) * 4))
        ADD_FAILURE() << "cannot write " << path;
}

}  // namespace harness
