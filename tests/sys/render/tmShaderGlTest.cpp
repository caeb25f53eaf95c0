// tmShaderGlTest.cpp -- every shader type compiles and links on the OpenGL device with each flag and common sets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness/GlFixture.h"
#include "platform/gfx/Device.h"
#include "sys/render/tmShader.h"

namespace {

class ShaderGl : public harness::GlFixture {
protected:
    ShaderGl() : GlFixture({64, 64, true, true}) {}  // multi-pass caps, the shader bank
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        tmShader::SetErrorReporter([this](const char*, const std::string& text) { errors_.push_back(text); });
    }
    void TearDown() override {
        tmShader::SetErrorReporter(nullptr);
        GlFixture::TearDown();
    }
    std::vector<std::string> errors_;
};

TEST_F(ShaderGl, EveryTypeCompilesWithEachFlagAndCommonSets) {
    tmShader s;
    s.Initialize(dev.get());
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
