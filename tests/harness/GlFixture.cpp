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

void WriteShot(const std::string& name, const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height) {
    const std::string folder = ZARVO_SHOTS_DIR;
    platform::MakeDirectory(folder);
    const std::string path = folder + "/" + name + ".png";
    if (pixels.size() < size_t(width) * height) {
        ADD_FAILURE() << "too few pixels for " << path;
        return;
    }
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        rgba[i * 4 + 0] = uint8_t(pixels[i] >> 16);
        rgba[i * 4 + 1] = uint8_t(pixels[i] >> 8);
        rgba[i * 4 + 2] = uint8_t(pixels[i]);
        rgba[i * 4 + 3] = 0xFF;
    }
    if (!stbi_write_png(path.c_str(), int(width), int(height), 4, rgba.data(), int(width) * 4))
        ADD_FAILURE() << "cannot write " << path;
}

void GlFixture::WritePicture() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!info || shot_.empty()) return;
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    WriteShot(name + "-" + std::to_string(++shots_), shot_, shotWidth_, shotHeight_);
}

}  // namespace harness
