// Every shader type compiles and links under the OpenGL device with each single
// flag and the flag sets generated content uses.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Device.h"
#include "sys/render/tmShader.h"

namespace {

class ShaderGl : public ::testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        cwd_ = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
        gfx::GlOptions options;
        options.hidden = true;
        options.multiPassInSoftware = true;
        std::string error;
        device_ = gfx::CreateGlDevice(options, &error);
        if (!device_) GTEST_SKIP() << "no OpenGL context: " << error;
        gfx::PresentParams params;
        params.width = 64;
        params.height = 64;
        params.windowed = true;
        ASSERT_EQ(device_->create(params), gfx::Res::Ok);
        tmShader::SetErrorReporter([this](const char*, const std::string& text) { errors_.push_back(text); });
    }
    void TearDown() override {
        tmShader::SetErrorReporter(nullptr);
        (void)chdir(cwd_.c_str());
    }
    std::string cwd_;
    std::vector<std::string> errors_;
    std::unique_ptr<gfx::Device> device_;
};

TEST_F(ShaderGl, EveryTypeCompilesWithEachFlagAndCommonSets) {
    tmShader s;
    s.Initialize(device_.get());
    std::vector<uint32_t> flagSets = {0,
                                      0x401,
                                      0x1FFFF,
                                      0x1 | 0x2 | 0x20 | 0x40 | 0x1000,
                                      0x1 | 0x10 | 0x40 | 0x20,
                                      0x1 | 0x4 | 0x8 | 0x80 | 0x100 | 0x200 | 0x800 | 0x2000 | 0x4000 | 0x8000};
    for (int bit = 0; bit < tmShader::kFlagCount; ++bit) flagSets.push_back(1u << bit);
    for (uint32_t type = 0; type < tmShader::kTypeCount; ++type) {
        for (uint32_t flags : flagSets) {
            EXPECT_TRUE(s.SetShaders(type, flags)) << "type " << type << " flags 0x" << std::hex << flags;
        }
    }
    for (const std::string& e : errors_) ADD_FAILURE() << e;
}

}  // namespace
