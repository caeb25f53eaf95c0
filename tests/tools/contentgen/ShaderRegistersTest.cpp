// ShaderRegistersTest.cpp -- the generated programs and the shader manager use the one register list.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "format/ShaderRegisters.h"
#include "platform/gfx/GfxTypes.h"
#include "platform/gfx/GlPrograms.h"
#include "platform/gfx/NullDevice.h"
#include "sys/render/tmShader.h"
#include "sys/resource/tmShape.h"

namespace {

using zfmt::shader::kRegisters;
using zfmt::shader::Register;
using zfmt::shader::Stage;

// The "#define NAME n" lines of a text whose name starts with the stage's prefix.
std::map<std::string, uint32_t> RegisterDefines(const std::string& text) {
    std::map<std::string, uint32_t> defines;
    static const std::regex line(R"(^#define ([VP]C_[A-Z_]+) (\d+)$)");
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (std::regex_match(l, m, line)) defines[m[1]] = static_cast<uint32_t>(std::stoul(m[2]));
    }
    return defines;
}

std::map<std::string, uint32_t> Expected(Stage stage) {
    std::map<std::string, uint32_t> e;
    for (const Register& r : kRegisters) {
        if (r.stage == stage) e[r.glslName] = r.first;
    }
    return e;
}

// The text without its // comments.
std::string Code(const std::string& text) {
    std::string code;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) code += l.substr(0, l.find("//")) + "\n";
    return code;
}

class ShaderBank : public ::testing::Test {
protected:
    void SetUp() override {
        char buf[4096];
        cwd_ = getcwd(buf, sizeof buf) ? buf : ".";
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);  // the shader bank lives in data/ of the run folder
    }
    void TearDown() override { (void)chdir(cwd_.c_str()); }
    std::string cwd_;
};

}  // namespace

TEST(ShaderRegisters, RangesAreDistinctAndFitTheConstantBlock) {
    std::set<std::string> names;
    for (int i = 0; i < zfmt::shader::kRegisterCount; ++i) {
        const Register& r = kRegisters[i];
        EXPECT_TRUE(names.insert(r.glslName).second) << r.glslName;
        EXPECT_EQ(std::string(r.glslName).substr(0, 3), r.stage == Stage::Vertex ? "VC_" : "PC_") << r.glslName;
        EXPECT_GE(r.count, 1u);
        EXPECT_LE(r.first + r.count, zfmt::shader::kStageRegisters) << r.glslName;
        if (i > 0 && kRegisters[i - 1].stage == r.stage) {
            EXPECT_GE(r.first, kRegisters[i - 1].first + kRegisters[i - 1].count) << r.glslName << " overlaps";
        }
    }
    // The defines the generator writes carry exactly the list.
    EXPECT_EQ(RegisterDefines(zfmt::shader::GlslRegisterDefines(Stage::Vertex)), Expected(Stage::Vertex));
    EXPECT_EQ(RegisterDefines(zfmt::shader::GlslRegisterDefines(Stage::Pixel)), Expected(Stage::Pixel));
    // The device's constant blocks, and the arrays the GL prologues declare, hold as many registers as the list.
    EXPECT_EQ(static_cast<uint32_t>(gfx::kConstantRegisters), zfmt::shader::kStageRegisters);
    const std::string count = "[" + std::to_string(zfmt::shader::kStageRegisters) + "]; };";
    EXPECT_NE(gfx::GlVertexPrologue().find("uniform VertexConstants { vec4 VC" + count), std::string::npos);
    EXPECT_NE(gfx::GlPixelPrologue().find("uniform PixelConstants { vec4 PC" + count), std::string::npos);
}

TEST_F(ShaderBank, EveryProgramNamesItsRegistersFromTheList) {
    // A register index written as a number would bypass the list.
    static const std::regex numbered(R"([VP]C\[\s*\d|rowTransform\([^,]*,\s*\d)");
    for (uint32_t type = 0; type < tmShader::kTypeCount; ++type) {
        for (Stage stage : {Stage::Vertex, Stage::Pixel}) {
            const char* name =
                stage == Stage::Vertex ? tmShader::VertexSourceName(type) : tmShader::PixelSourceName(type);
            const std::string text = tmShader::LoadSource(name);
            ASSERT_FALSE(text.empty()) << name;
            EXPECT_EQ(RegisterDefines(text), Expected(stage)) << name;
            std::smatch m;
            const std::string code = Code(text);
            EXPECT_FALSE(std::regex_search(code, m, numbered)) << name << ": " << m.str();
        }
    }
}

// Every upload of the shader manager lands inside one listed range, and every
// listed range is uploaded by some pass.
TEST_F(ShaderBank, TheManagerUploadsExactlyTheListedRanges) {
    gfx::NullDevice device;
    tmShader s;
    s.Initialize(&device);
    device.log.clear();
    s.Begin(true);
    tmRenderQueue::Entry entry;
    D3DXMatrixIdentity(&entry.world);
    D3DXMatrixScaling(&entry.transform, 2.0f, 2.0f, 2.0f);
    entry.nearShadow = entry.farShadow = entry.transform;
    sys::tmShape shape;
    shape.declIndex = 3;
    shape.customF = 0.5f;  // shadowed: both shadow matrices go up
    shape.material.ambient = {0.2f, 0.2f, 0.2f, 1.0f};
    shape.material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    const tmRenderQueue::Item item{&shape, &entry, 0, tmShader::STATE_IMAGEMAP | tmShader::STATE_REFLECTMAP, 0.0f};
    s.Apply(item);
    const float v[4] = {0, 0, 0, 0};
    for (uint32_t i = 0; i < zfmt::shader::kPostOffsetRegisters + zfmt::shader::kPostWeightRegisters; ++i)
        s.SetPixelConstant(static_cast<int>(i), v);

    std::set<std::string> touched;
    int uploads = 0;
    for (const std::string& line : device.log) {
        char stage = 0;
        unsigned first = 0, count = 0;
        if (std::sscanf(line.c_str(), "setConstants %c %u %u", &stage, &first, &count) != 3) continue;
        ++uploads;
        const Register* home = nullptr;
        for (const Register& r : kRegisters) {
            const bool sameStage = (r.stage == Stage::Vertex) == (stage == 'v');
            if (sameStage && first >= r.first && first + count <= r.first + r.count) home = &r;
        }
        ASSERT_NE(home, nullptr) << line << " is in no listed range";
        touched.insert(home->glslName);
    }
    EXPECT_GT(uploads, 0);
    for (const Register& r : kRegisters) EXPECT_TRUE(touched.count(r.glslName)) << r.glslName << " never uploaded";
}
