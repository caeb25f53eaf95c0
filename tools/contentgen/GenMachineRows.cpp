// Generator: the machines' model nodes, body transitions and wheel offsets from their manifest.
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "Generators.h"

namespace contentgen {
namespace {

constexpr int kMachines = 12;  // ids 1..11
constexpr int kNodes = 37;
constexpr int kFrames = 12;

struct Node {
    unsigned model = 0, alt = 0, altCondition = 0, kind = 0;
    float pos[3] = {0, 0, 0}, rot[3] = {0, 0, 0};
};

struct Machine {
    bool present = false;
    Node nodes[kNodes];
    int parts = 0;
    bool hasList[6] = {};
    unsigned listKind[6] = {};
    unsigned lists[6][kFrames] = {};
    int wheelCount[4] = {};
    unsigned wheelKey[4][kFrames] = {};
    float wheelPos[4][kFrames][3] = {};
};

std::string F(float v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    std::string s = buf;
    if (s.find_first_of(".en") == std::string::npos) s += ".0";
    return s + "f";
}

std::string NodeText(const Node& n) {
    std::ostringstream o;
    o << "{" << n.model << "u, " << n.alt << "u, {" << F(n.pos[0]) << ", " << F(n.pos[1]) << ", " << F(n.pos[2])
      << "}, {" << F(n.rot[0]) << ", " << F(n.rot[1]) << ", " << F(n.rot[2]) << "}, " << n.altCondition << "u, "
      << n.kind << "u, 0u}";
    return o.str();
}

bool ToUnsigned(const std::string& s, unsigned& v) {
    char* end = nullptr;
    const unsigned long x = std::strtoul(s.c_str(), &end, 10);
    v = static_cast<unsigned>(x);
    return end != s.c_str() && *end == '\0';
}

bool ToFloat(const std::string& s, float& v) {
    char* end = nullptr;
    v = std::strtof(s.c_str(), &end);
    return end != s.c_str() && *end == '\0';
}

}  // namespace

void GenMachineRows(Output& out, const Context& ctx) {
    Machine machines[kMachines];
    Machine* cur = nullptr;
    for (const ManifestLine& line : ReadManifest(ctx, "machine_models.txt", out)) {
        const std::vector<std::string>& f = line.fields;
        const std::string where = "machine_models.txt:" + std::to_string(line.lineNumber) + ": ";
        auto u = [&](std::size_t i) {
            unsigned v = 0;
            if (i >= f.size() || !ToUnsigned(f[i], v)) out.Fail(where + "expected a whole number");
            return v;
        };
        auto fl = [&](std::size_t i) {
            float v = 0;
            if (i >= f.size() || !ToFloat(f[i], v)) out.Fail(where + "expected a number");
            return v;
        };
        if (f[0] == "machine") {
            const unsigned id = u(1);
            if (id < 1 || id >= kMachines) {
                out.Fail(where + "machine id outside 1..11");
                cur = nullptr;
                continue;
            }
            cur = &machines[id];
            cur->present = true;
            continue;
        }
        if (cur == nullptr) {
            out.Fail(where + "line before any machine");
            continue;
        }
        if (f[0] == "body" && f.size() == 7) {
            for (int i = 0; i < 5; ++i) {
                cur->nodes[i].model = u(1 + i);
                cur->nodes[i].kind = u(6);
            }
        } else if (f[0] == "part" && f.size() == 11) {
            if (cur->parts >= kNodes - 5) {
                out.Fail(where + "more than 32 parts");
                continue;
            }
            Node& n = cur->nodes[5 + cur->parts++];
            n.model = u(1);
            n.alt = u(2);
            n.altCondition = u(3);
            n.kind = u(4);
            for (int i = 0; i < 3; ++i) {
                n.pos[i] = fl(5 + i);
                n.rot[i] = fl(8 + i);
            }
            out.Check(n.model != 0, where + "a part without a model");
            out.Check(n.kind <= 23, where + "part kind above 23");
            out.Check((n.alt != 0) == (n.altCondition != 0), where + "alternative model and condition go together");
        } else if (f[0] == "list" && f.size() == 3 + kFrames) {
            const unsigned index = u(1);
            if (index >= 6) {
                out.Fail(where + "list index outside 0..5");
                continue;
            }
            out.Check(!cur->hasList[index], where + "list given twice");
            cur->hasList[index] = true;
            cur->listKind[index] = u(2);
            for (int i = 0; i < kFrames; ++i) cur->lists[index][i] = u(3 + i);
        } else if (f[0] == "wheel" && f.size() == 6) {
            const unsigned table = u(1);
            if (table >= 4 || cur->wheelCount[table] >= kFrames) {
                out.Fail(where + "wheel table outside 0..3 or more than 12 entries");
                continue;
            }
            const int i = cur->wheelCount[table]++;
            cur->wheelKey[table][i] = u(2);
            for (int k = 0; k < 3; ++k) cur->wheelPos[table][i][k] = fl(3 + k);
        } else {
            out.Fail(where + "unknown or malformed line");
        }
    }
    for (int id = 1; id < kMachines; ++id) {
        const Machine& m = machines[id];
        out.Check(m.present, "machine_models.txt: machine " + std::to_string(id) + " missing");
        for (int i = 0; i < 5; ++i) out.Check(m.nodes[i].model != 0, "machine " + std::to_string(id) + ": no body");
        for (int t = 0; t < 4; ++t)
            out.Check(m.wheelCount[t] == 0 || m.wheelCount[t] == kFrames,
                      "machine " + std::to_string(id) + ": a wheel table needs 12 entries");
    }

    std::ostringstream& h = out.Header();
    h << "\n#include \"table/MachineNode.h\"\n\nnamespace content {\nnamespace machine_rows {\n\n"
         "// Model nodes, transition lists and wheel offset tables by machine id (0 unused).\n";
    h << "constexpr MachineNode kNodes[12][37] = {\n";
    for (int id = 0; id < kMachines; ++id) {
        h << "    {";
        for (int i = 0; i < kNodes; ++i) h << (i ? ",\n     " : "") << NodeText(machines[id].nodes[i]);
        h << "},\n";
    }
    h << "};\n\nconstexpr bool kHasList[12][6] = {";
    for (int id = 0; id < kMachines; ++id) {
        h << (id ? ", " : "") << "{";
        for (int l = 0; l < 6; ++l) h << (l ? ", " : "") << (machines[id].hasList[l] ? "true" : "false");
        h << "}";
    }
    h << "};\n\nconstexpr TransitionList kLists[12][6] = {\n";
    for (int id = 0; id < kMachines; ++id) {
        h << "    {";
        for (int l = 0; l < 6; ++l) {
            h << (l ? ",\n     " : "") << "{{";
            for (int i = 0; i < kFrames; ++i) {
                Node n;
                n.model = machines[id].lists[l][i];
                n.kind = machines[id].listKind[l];
                h << (i ? ", " : "") << NodeText(n);
            }
            h << "}}";
        }
        h << "},\n";
    }
    h << "};\n\nconstexpr bool kHasWheels[12][4] = {";
    for (int id = 0; id < kMachines; ++id) {
        h << (id ? ", " : "") << "{";
        for (int t = 0; t < 4; ++t) h << (t ? ", " : "") << (machines[id].wheelCount[t] ? "true" : "false");
        h << "}";
    }
    h << "};\n\nconstexpr WheelOffsetTable kWheels[12][4] = {\n";
    for (int id = 0; id < kMachines; ++id) {
        h << "    {";
        for (int t = 0; t < 4; ++t) {
            h << (t ? ",\n     " : "") << "{{";
            for (int i = 0; i < kFrames; ++i) {
                const float* p = machines[id].wheelPos[t][i];
                h << (i ? ", " : "") << "{" << machines[id].wheelKey[t][i] << "u, {" << F(p[0]) << ", " << F(p[1])
                  << ", " << F(p[2]) << "}}";
            }
            h << "}}";
        }
        h << "},\n";
    }
    h << "};\n\n}  // namespace machine_rows\n}  // namespace content\n";
}

}  // namespace contentgen
