// GlFixture.h -- the shared fixture of the screenshot tests: an OpenGL device, a folder of the test's own, pictures.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "harness/WorkFolder.h"
#include "platform/gfx/Device.h"

namespace harness {

// Writes a picture (0xAARRGGBB or 0xRRGGBB pixels, top row first; alpha is ignored) for a person to
// look at, as "<name>.png" in the build's shots folder; a failure is reported to the running test.
void WriteShot(const std::string& name, const std::vector<uint32_t>& pixels, uint32_t width, uint32_t height);

// What a screenshot test asks of its device.
struct GlSetup {
    GlSetup() = default;
    GlSetup(uint32_t w, uint32_t h, bool multi = false, bool data = false)
        : width(w), height(h), multiPass(multi), runData(data) {}
    // Back-buffer size the fixture creates the device with; 0 leaves the
    // creation to the test (the renderer's set-up creates it).
    uint32_t width = 0, height = 0;
    // Keep the multi-pass frame on a software rasteriser (shader model 3 caps).
    bool multiPass = false;
    // Link the run folder's data/ into the working folder (the shader bank).
    bool runData = false;
};

// Owns an OpenGL device on a hidden window, made in SetUp inside a fresh
// working folder (so report files never meet another test's), and the last
// screenshot. Skips the test when no OpenGL context can be made. Every
// screenshot is also written to the shots folder of the build as
// "<Suite>.<Test>-<n>.png" so a person can look at it. A derived fixture
// calls GlFixture::SetUp first and returns when IsSkipped() or a failure.
class GlFixture : public ::testing::Test {
protected:
    explicit GlFixture(GlSetup setup = {}) : setup_(setup) {}
    void SetUp() override;
    void TearDown() override;

    // Reads the back buffer into the shot (and writes its picture).
    void Shoot();
    // Reads a render-target texture into the shot (and writes its picture).
    void ShootTarget(gfx::Texture target, uint32_t face = 0);
    // RGB of a pixel of the last shot (top-down); shoots the back buffer first when there is none.
    uint32_t Pixel(int x, int y);
    // The next Pixel reads a fresh shot.
    void ForgetShot() { shot_.clear(); }
    static int Red(uint32_t rgb) { return int((rgb >> 16) & 0xFF); }
    static int Green(uint32_t rgb) { return int((rgb >> 8) & 0xFF); }
    static int Blue(uint32_t rgb) { return int(rgb & 0xFF); }

    const WorkFolder& Folder() const { return *folder_; }
    uint32_t ShotWidth() const { return shotWidth_; }
    uint32_t ShotHeight() const { return shotHeight_; }

    std::unique_ptr<gfx::Device> dev;

private:
    void WritePicture();

    GlSetup setup_;
    std::unique_ptr<WorkFolder> folder_;
    std::vector<uint32_t> shot_;
    uint32_t shotWidth_ = 0, shotHeight_ = 0;
    int shots_ = 0;
};

}  // namespace harness
