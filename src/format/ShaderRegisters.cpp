// ShaderRegisters.cpp -- the GLSL names of the shader constant registers.
#include "format/ShaderRegisters.h"

namespace zfmt {
namespace shader {

std::string GlslRegisterDefines(Stage stage) {
    std::string text =
        stage == Stage::Vertex ? "// Vertex constant registers (VC[]).\n" : "// Pixel constant registers (PC[]).\n";
    for (const Register& r : kRegisters) {
        if (r.stage != stage) continue;
        text += "#define ";
        text += r.glslName;
        text += ' ';
        text += std::to_string(r.first);
        text += '\n';
    }
    return text;
}

}  // namespace shader
}  // namespace zfmt
