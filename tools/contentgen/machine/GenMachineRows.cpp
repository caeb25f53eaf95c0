// Generator: the machines' model nodes, body transitions and wheel offsets from their manifest.
#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "Generators.h"
#include "machine/MachineManifest.h"

namespace contentgen {
namespace {

constexpr int kMachines = kMachineCount;
constexpr int kNodes = kMachineNodeCount;
constexpr int kFrames = kMachineFrames;

struct Node {
    unsigned model = 0, alt = 0, altCondition = 0, kind = 0;
    float pos[3] = {0, 0, 0}, rot[3] = {0, 0, 0};
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

}  // namespace

void GenMachineRows(Output& out, const Context& ctx) {
    const std::array<MachineDescription, kMachineCount> machines = ReadMachineDescriptions(ctx, out);
    // The table rows of each machine: body and far nodes, then its parts in order.
    Node nodes[kMachines][kNodes];
    float wheels[kMachines][4][kFrames][3] = {};
    for (int id = 1; id < kMachines; ++id) {
        const MachineDescription& m = machines[id];
        for (int i = 0; i < 5; ++i) {
            nodes[id][i].model = i < 4 ? m.poses[i] : m.far;
            nodes[id][i].kind = m.bodyKind;
        }
        for (size_t p = 0; p < m.parts.size(); ++p) {
            Node& n = nodes[id][5 + p];
            const MachinePart& part = m.parts[p];
            n.model = part.model;
            n.alt = part.alt;
            n.altCondition = part.altCondition;
            n.kind = part.kind;
            for (int k = 0; k < 3; ++k) {
                n.pos[k] = part.pos[k];
                n.rot[k] = part.rot[k];
            }
        }
        for (int t = 0; t < 4; ++t)
            for (int i = 0; m.hasWheelTable[t] && i < kFrames; ++i) m.WheelAt(t, m.wheelKeys[t][i], wheels[id][t][i]);
    }

    std::ostringstream& h = out.Header();
    h << "\n#include \"table/MachineNode.h\"\n\nnamespace content {\nnamespace machine_rows {\n\n"
         "// Model nodes, transition lists and wheel offset tables by machine id (0 unused).\n";
    h << "constexpr MachineNode kNodes[12][37] = {\n";
    for (int id = 0; id < kMachines; ++id) {
        h << "    {";
        for (int i = 0; i < kNodes; ++i) h << (i ? ",\n     " : "") << NodeText(nodes[id][i]);
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
        for (int t = 0; t < 4; ++t) h << (t ? ", " : "") << (machines[id].hasWheelTable[t] ? "true" : "false");
        h << "}";
    }
    h << "};\n\nconstexpr WheelOffsetTable kWheels[12][4] = {\n";
    for (int id = 0; id < kMachines; ++id) {
        h << "    {";
        for (int t = 0; t < 4; ++t) {
            h << (t ? ",\n     " : "") << "{{";
            for (int i = 0; i < kFrames; ++i) {
                const float* p = wheels[id][t][i];
                h << (i ? ", " : "") << "{" << machines[id].wheelKeys[t][i] << "u, {" << F(p[0]) << ", " << F(p[1])
                  << ", " << F(p[2]) << "}}";
            }
            h << "}}";
        }
        h << "},\n";
    }
    h << "};\n\n// The transition type each description was checked against (the machine table's own).\n"
         "constexpr int kTransitionType[12] = {0";
    for (int id = 1; id < kMachines; ++id) h << ", " << machines[id].transition;
    h << "};\n\n}  // namespace machine_rows\n}  // namespace content\n";
}

}  // namespace contentgen
