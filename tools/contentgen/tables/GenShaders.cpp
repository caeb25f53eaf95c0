// The shader bank: the GLSL sources of the 22 shader types, each with the
// names of its stage's constant registers and the shared helpers of its stage
// put in front.
#include <fstream>
#include <sstream>
#include <string>

#include "Generators.h"
#include "format/ShaderRegisters.h"

namespace contentgen {
namespace {

// Programs named as the shader manager asks for them (type 12 reuses type 0's pair).
const char* const kPrograms[] = {
    "zarvo",
    "machine",
    "vertexColor",
    "ground",
    "objFormat",
    "lod",
    "rhw",
    "frontend",
    "sprite",
    "vertexColorHdr",
    "vertexColorDepthAlpha",
    "vertexColorDepthAlphaTest",
    "scale4x4",
    "createBright",
    "gauss5x5",
    "createBloom",
    "mergeTex",
    "recordZ",
    "finish",
    "createReflect",
    "dynamicSprite",
};

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    text = ss.str();
    return true;
}

}  // namespace

void GenShaders(Output& out, const Context& ctx) {
    const std::string dir = ctx.manifestDir + "/../shaders/";
    std::string common[2];
    const char* commonNames[2] = {"common.vs.glsl", "common.ps.glsl"};
    const zfmt::shader::Stage stages[2] = {zfmt::shader::Stage::Vertex, zfmt::shader::Stage::Pixel};
    for (int s = 0; s < 2; ++s) {
        if (!ReadText(dir + commonNames[s], common[s])) out.Fail(std::string("cannot read shader ") + commonNames[s]);
        // The programs name registers only through these defines, so they
        // read what the shader manager uploads.
        common[s] = zfmt::shader::GlslRegisterDefines(stages[s]) + common[s];
    }
    auto& bank = out.AddBank("bankRS01", DefaultBankKey("bankRS01"), BankDirectory::Stems);
    for (const char* program : kPrograms) {
        const char* stages[2] = {"Vs", "Ps"};
        for (int s = 0; s < 2; ++s) {
            const std::string file = std::string(program) + stages[s];
            std::string text;
            if (!ReadText(dir + file + ".glsl", text)) {
                out.Fail("cannot read shader " + file + ".glsl");
                continue;
            }
            bank.Add(file + ".cg", common[s] + "\n" + text);
        }
    }
    bank.ExpectCount(42);
}

}  // namespace contentgen
