// The eleven machine records with their model nodes, body transitions and wheel offsets.
#include "table/MachineTable.h"

#include "table/MachineEffectRows.h"

namespace {

// ---- Builders ------------------------------------------------------------------------

// An attached part: its kind, alternative-model condition and placement. `share` reuses the
// previous part's model (the mirrored twin of a pair).
struct PartSpec {
    uint32_t kind;
    uint32_t alt;
    yiVec3 pos;
    yiVec3 rot;
    bool share;
};

constexpr PartSpec P(uint32_t kind, float x, float y, float z, uint32_t alt = kNodeAltNever, bool share = false) {
    return PartSpec{kind, alt, {x, y, z}, {0.0f, 0.0f, 0.0f}, share};
}
constexpr PartSpec Tilted(uint32_t kind, float x, float y, float z, float rz) {
    return PartSpec{kind, kNodeAltNever, {x, y, z}, {0.0f, 0.0f, rz}, false};
}

// Body models of one machine: the four pose models and the far model.
struct BodyPlan {
    uint32_t poses[4];
    uint32_t far;
};

struct NodeList {
    MachineNode nodes[kMachineNodes];
};

constexpr MachineNode Node(uint32_t model, uint32_t kind) {
    return MachineNode{model, 0, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, kNodeAltNever, kind, 0};
}

// Poses, far model, then the parts, whose models are taken in turn from firstSlot..lastSlot.
template <std::size_t N>
constexpr NodeList BuildNodes(const BodyPlan& body, uint32_t bodyKind, const PartSpec (&parts)[N],
                              uint32_t firstSlot, uint32_t lastSlot) {
    static_assert(N <= kMachineNodes - 5, "at most 32 parts");
    NodeList list{};
    for (int i = 0; i < 4; ++i) list.nodes[i] = Node(body.poses[i], bodyKind);
    list.nodes[kMachineFarNode] = Node(body.far, bodyKind);
    uint32_t next = firstSlot;
    auto take = [&]() {
        const uint32_t slot = next;
        next = next == lastSlot ? firstSlot : next + 1;
        return slot;
    };
    for (std::size_t i = 0; i < N; ++i) {
        const PartSpec& p = parts[i];
        MachineNode n = Node(0, p.kind);
        if (p.share && i > 0) {
            n.modelId = list.nodes[5 + i - 1].modelId;
            n.altModelId = list.nodes[5 + i - 1].altModelId;
        } else {
            n.modelId = take();
            if (p.alt != kNodeAltNever) n.altModelId = take();
        }
        n.position = p.pos;
        n.rotation = p.rot;
        n.altCondition = p.alt;
        list.nodes[5 + i] = n;
    }
    return list;
}

// A transition from `from` through `frames` (count models starting at firstFrame, stepping by
// step) to `to`, which fills the remaining frames.
constexpr TransitionList Ramp(uint32_t from, uint32_t firstFrame, int step, int count, uint32_t to,
                              uint32_t kind = 0) {
    TransitionList list{};
    list.frames[0] = Node(from, kind);
    for (int i = 0; i < count; ++i)
        list.frames[1 + i] = Node(static_cast<uint32_t>(static_cast<int>(firstFrame) + step * i), kind);
    for (int i = 1 + count; i < kTransitionFrames; ++i) list.frames[i] = Node(to, kind);
    return list;
}

constexpr TransitionList Frames(const uint32_t (&models)[kTransitionFrames]) {
    TransitionList list{};
    for (int i = 0; i < kTransitionFrames; ++i) list.frames[i] = Node(models[i], 0);
    return list;
}

struct Scalars {
    int id;
    const char* displayName;
    const char* modelCode;
    const char* driverName;
    const char* teamName;
    int teamId;
    int transitionType;
    int boostStages;
    int drivePose;
    float a;  // half track of the negative-z wheel pair
    float b;  // half track of the positive-z wheel pair
    int bankGroup;
};

struct ListSet {
    const TransitionList* lists[6];
};
struct WheelSet {
    const WheelOffsetTable* tables[4];
};

constexpr MachineSpec MakeSpec(const Scalars& s, const NodeList& nodes, const ListSet& lists, const WheelSet& wheels) {
    MachineSpec m{};
    yiCopyText(m.displayName, s.displayName);
    yiCopyText(m.modelCode, s.modelCode);
    yiCopyText(m.driverName, s.driverName);
    yiCopyText(m.teamName, s.teamName);
    m.teamId = s.teamId;
    m.machineId = s.id;
    m.transitionType = s.transitionType;
    m.boostStages = s.boostStages;
    m.drivePose = s.drivePose;
    m.wheelPoints[0] = {s.a, 0.0f, -24.16f};
    m.wheelPoints[1] = {-s.a, 0.0f, -24.16f};
    m.wheelPoints[2] = {-s.b, 0.0f, 21.03f};
    m.wheelPoints[3] = {s.b, 0.0f, 21.03f};
    m.bankGroup = s.bankGroup;
    m.secondBankGroup = -1;
    for (int i = 0; i < kMachineNodes; ++i) m.nodes[i] = nodes.nodes[i];
    for (int i = 0; i < 6; ++i) m.transitionLists[i] = lists.lists[i];
    for (int i = 0; i < 4; ++i) m.wheelOffsetTables[i] = wheels.tables[i];
    m.emitterTable = &MachineEmitterRows[s.id];
    m.soundTable = &MachineSoundRows[s.id];
    return m;
}

constexpr WheelSet kNoWheelTables = {{nullptr, nullptr, nullptr, nullptr}};

// ---- Part layouts --------------------------------------------------------------------

using A = PartSpec;
constexpr uint32_t kLamp = kNodeAltBrakeLamp;
constexpr uint32_t kGlow = kNodeAltBrakeGlow;

// Two-stage bodies with the full set of wheel, brake, boost and trim parts (34 nodes).
constexpr PartSpec kTorvinParts[] = {
    P(4, 8.45f, 2.1f, -12.7f), P(4, -8.45f, 2.1f, -12.7f), P(4, 8.45f, 2.1f, -8.3f), P(4, -8.45f, 2.1f, -8.3f),
    P(2, 10.7f, 2.9f, 12.6f), P(2, -10.7f, 2.9f, 12.6f),
    P(3, 8.45f, 2.1f, -12.7f, kGlow), P(3, -8.45f, 2.1f, -12.7f, kGlow),
    P(0, 10.7f, 2.9f, 12.6f, kGlow), P(0, -10.7f, 2.9f, 12.6f, kGlow),
    P(3, 8.45f, 2.1f, -8.3f, kGlow), P(3, -8.45f, 2.1f, -8.3f, kGlow),
    P(0, 6.0f, 5.5f, 22.0f, kLamp), P(0, -6.0f, 5.5f, 22.0f, kLamp),
    P(1, 10.8f, 10.42f, 23.0f), P(1, -10.8f, 10.42f, 23.0f), P(1, 10.8f, 10.42f, 25.5f), P(1, -10.8f, 10.42f, 25.5f),
    P(5, 0.0f, 6.0f, -20.0f), P(6, 0.0f, 3.0f, 8.0f), P(7, 0.0f, 4.0f, -18.0f), P(8, 0.0f, 2.5f, -15.0f),
    P(9, 7.0f, 8.0f, 10.0f), P(9, -7.0f, 8.0f, 10.0f),
    P(22, 10.8f, 10.42f, 23.0f), P(22, -10.8f, 10.42f, 23.0f),
    P(21, 0.0f, 9.0f, 18.0f), P(0, 0.0f, 0.0f, 0.0f), P(0, 0.0f, 1.0f, 0.0f)};
static_assert(sizeof kTorvinParts / sizeof kTorvinParts[0] == 29, "34 nodes in use");

constexpr PartSpec kBelmarParts[] = {
    P(4, 8.45f, 2.1f, -12.7f), P(4, -8.45f, 2.1f, -12.7f), P(4, 8.45f, 2.1f, -8.3f), P(4, -8.45f, 2.1f, -8.3f),
    P(2, 10.7f, 2.9f, 12.6f), P(2, -10.7f, 2.9f, 12.6f),
    P(14, 0.0f, 6.0f, -14.0f), P(15, 10.7f, 2.9f, 12.6f), P(16, 8.45f, 2.1f, -12.7f), P(17, -8.45f, 2.1f, -12.7f),
    P(3, 8.45f, 2.1f, -12.7f, kGlow), P(3, -8.45f, 2.1f, -12.7f, kGlow),
    P(0, 10.7f, 2.9f, 12.6f, kGlow), P(0, -10.7f, 2.9f, 12.6f, kGlow),
    P(0, 6.0f, 5.5f, 22.0f, kLamp), P(0, -6.0f, 5.5f, 22.0f, kLamp),
    P(1, -8.462f, 9.025f, 23.5f), P(1, -2.912f, 8.207f, 21.6f), P(1, 2.912f, 8.207f, 21.6f), P(1, 8.462f, 9.025f, 23.5f),
    P(22, 8.462f, 9.025f, 23.5f), P(22, -8.462f, 9.025f, 23.5f),
    P(23, 0.0f, 7.0f, 15.0f),
    P(9, 7.0f, 8.0f, 10.0f), P(9, -7.0f, 8.0f, 10.0f),
    P(5, 0.0f, 6.0f, -20.0f), P(6, 0.0f, 3.0f, 8.0f),
    P(21, 0.0f, 9.0f, 18.0f), P(0, 0.0f, 0.0f, 0.0f), P(0, 0.0f, 1.0f, 0.0f), P(0, 0.0f, 2.0f, 0.0f)};
static_assert(sizeof kBelmarParts / sizeof kBelmarParts[0] == 31, "36 nodes in use");

// Wheels positioned by the wheel offset tables (16 nodes).
constexpr PartSpec kQuessaParts[] = {
    P(10, 0, 0, 0), P(11, 0, 0, 0), P(12, 0, 0, 0), P(13, 0, 0, 0),
    P(0, 5.0f, 5.0f, 18.0f, kLamp), P(0, -5.0f, 5.0f, 18.0f, kLamp),
    P(1, 6.27f, 6.6f, -10.0f), P(1, -6.27f, 6.6f, -10.0f),
    P(21, 0.0f, 8.0f, 12.0f), P(0, 0.0f, 0.0f, 0.0f), P(0, 0.0f, 4.0f, 0.0f)};
static_assert(sizeof kQuessaParts / sizeof kQuessaParts[0] == 11, "16 nodes in use");

// Lifted bodies with a steered nose and a spinner (34 nodes).
constexpr PartSpec kDravikParts[] = {
    P(4, 8.45f, 2.1f, -12.7f), P(4, -8.45f, 2.1f, -12.7f), P(4, 8.45f, 2.1f, -8.3f), P(4, -8.45f, 2.1f, -8.3f),
    P(2, 10.7f, 2.9f, 12.6f), P(2, -10.7f, 2.9f, 12.6f),
    Tilted(0, 9.0f, 4.0f, 0.0f, -0.087f), Tilted(0, -9.0f, 4.0f, 0.0f, 0.087f),
    P(18, 0.0f, 6.0f, -16.0f), P(19, 0.0f, 6.0f, 16.0f),
    P(20, 6.0f, 8.0f, 5.0f), P(20, -6.0f, 8.0f, 5.0f), P(20, 6.0f, 8.0f, -5.0f), P(20, -6.0f, 8.0f, -5.0f),
    P(21, 4.0f, 9.0f, 18.0f), P(21, -4.0f, 9.0f, 18.0f),
    P(22, 3.0f, 12.3f, 21.2f), P(22, -3.0f, 12.3f, 21.2f),
    P(0, 6.0f, 5.5f, 22.0f, kLamp), P(0, -6.0f, 5.5f, 22.0f, kLamp),
    P(3, 8.45f, 2.1f, -12.7f, kGlow), P(3, -8.45f, 2.1f, -12.7f, kGlow),
    P(1, 0.0f, 12.3f, 21.2f), P(1, 0.0f, 11.0f, 19.0f),
    P(9, 7.0f, 8.0f, 10.0f), P(9, -7.0f, 8.0f, 10.0f),
    P(0, 0.0f, 0.0f, 0.0f), P(0, 0.0f, 1.0f, 0.0f), P(0, 0.0f, 2.0f, 0.0f)};
static_assert(sizeof kDravikParts / sizeof kDravikParts[0] == 29, "34 nodes in use");

// Compact bodies whose mirrored pairs share one model (24 nodes).
constexpr PartSpec kOlvaneParts[] = {
    P(4, 8.45f, 2.1f, -12.7f), P(4, -8.45f, 2.1f, -12.7f, kNodeAltNever, true),
    P(2, 10.7f, 2.9f, 12.6f), P(2, -10.7f, 2.9f, 12.6f, kNodeAltNever, true),
    P(0, 5.0f, 5.0f, 20.0f, kLamp), P(0, -5.0f, 5.0f, 20.0f, kLamp, true),
    P(3, 8.45f, 2.1f, -12.7f, kGlow), P(3, -8.45f, 2.1f, -12.7f, kGlow, true),
    P(1, -1.9f, 6.6f, 19.0f), P(1, 1.9f, 6.6f, 19.0f), P(1, 0.0f, 3.3f, 19.5f),
    P(9, 6.0f, 7.0f, 10.0f), P(9, -6.0f, 7.0f, 10.0f, kNodeAltNever, true),
    P(5, 0.0f, 6.0f, -18.0f), P(6, 0.0f, 3.0f, 8.0f),
    P(21, 0.0f, 8.0f, 16.0f), P(22, 0.0f, 6.6f, 19.0f),
    P(0, 0.0f, 0.0f, 0.0f), P(0, 0.0f, 1.0f, 0.0f)};
static_assert(sizeof kOlvaneParts / sizeof kOlvaneParts[0] == 19, "24 nodes in use");

constexpr PartSpec kCustrelParts[] = {
    P(4, 8.45f, 2.1f, -12.7f), P(4, -8.45f, 2.1f, -12.7f), P(2, 10.7f, 2.9f, 12.6f), P(2, -10.7f, 2.9f, 12.6f),
    P(3, 8.45f, 2.1f, -12.7f, kGlow), P(3, -8.45f, 2.1f, -12.7f, kGlow),
    P(0, 10.7f, 2.9f, 12.6f, kGlow), P(0, -10.7f, 2.9f, 12.6f, kGlow),
    P(0, 6.0f, 5.5f, 22.0f, kLamp), P(0, -6.0f, 5.5f, 22.0f, kLamp),
    P(1, -7.8f, 7.3f, 21.5f), P(1, -3.6f, 7.0f, 21.5f), P(1, 3.6f, 7.0f, 21.5f), P(1, 7.8f, 7.3f, 21.5f),
    P(22, 7.8f, 7.3f, 21.5f), P(22, -7.8f, 7.3f, 21.5f),
    P(5, 0.0f, 6.0f, -20.0f), P(9, 0.0f, 8.0f, 10.0f), P(21, 0.0f, 9.0f, 18.0f),
    P(0, 0.0f, 0.0f, 0.0f), P(0, 0.0f, 1.0f, 0.0f), P(0, 0.0f, 2.0f, 0.0f), P(0, 0.0f, 3.0f, 0.0f)};
static_assert(sizeof kCustrelParts / sizeof kCustrelParts[0] == 23, "28 nodes in use");

// ---- Machine 1: TORVIN (group 20, slots 811..878) -------------------------------------

constexpr BodyPlan kTorvinBody = {{831, 821, 811, 842}, 841};
constexpr TransitionList kTorvinLists[6] = {
    Ramp(831, 832, 1, 9, 821),
    Ramp(821, 840, -1, 9, 831),
    Frames({821, 825, 829, 811, 811, 811, 811, 811, 811, 811, 811, 811}),
    Frames({811, 829, 825, 821, 821, 821, 821, 821, 821, 821, 821, 821}),
    Ramp(811, 812, 1, 9, 842),
    Frames({842, 820, 818, 816, 814, 812, 829, 825, 821, 821, 821, 821}),
};

// ---- Machine 2: BELMAR (group 21, slots 879..954) -------------------------------------

constexpr BodyPlan kBelmarBody = {{879, 888, 910, 911}, 912};
constexpr TransitionList kBelmarLists[6] = {
    Ramp(879, 880, 1, 8, 888),
    Ramp(888, 887, -1, 8, 879),
    Ramp(888, 889, 1, 10, 910),
    Ramp(910, 898, -1, 10, 888),
    Ramp(910, 899, 1, 10, 911),
    Frames({911, 909, 898, 896, 894, 892, 890, 888, 888, 888, 888, 888}),
};
// Aero and boost bodies hide the wheel covers (kinds 14..17).
constexpr WheelOffsetTable kBelmarCoverTable = {{
    {880, {0, 0, 0}}, {881, {0, 0, 0}}, {882, {0, 0, 0}}, {883, {0, 0, 0}}, {884, {0, 0, 0}}, {885, {0, 0, 0}},
    {886, {0, 0, 0}}, {887, {0, 0, 0}}, {888, {0, 0, 0}}, {910, {0, 0, 0}}, {910, {0, 0, 0}}, {910, {0, 0, 0}}}};

// ---- Machines 3 and 4: QUESSA/J, QUESSA/M (groups 22 and 23) ---------------------------

// Pose 0 body, nine frames (descending), pose 1 body, pose 2 body; `base` is the group's first slot.
constexpr BodyPlan QuessaBody(uint32_t base) { return {{base + 11, base, base + 10, base + 10}, base + 12}; }
struct QuessaLists {
    TransitionList lists[4];
};
constexpr QuessaLists MakeQuessaLists(uint32_t base) {
    const uint32_t pose0 = base + 11, pose1 = base, pose2 = base + 10;
    TransitionList hold12{}, hold21{};
    for (int i = 0; i < kTransitionFrames; ++i) {
        hold12.frames[i] = Node(i < 11 ? pose1 : pose2, 0);
        hold21.frames[i] = Node(i < 11 ? pose2 : pose1, 0);
    }
    return QuessaLists{{Ramp(pose0, base + 9, -1, 9, pose1), Ramp(pose1, base + 1, 1, 9, pose0), hold12, hold21}};
}
// One table per wheel: keys from pose 0 through the frames to poses 1 and 2; the wheels slide
// from `out` (pose 0) to `in` (poses 1 and 2).
struct WheelTables {
    WheelOffsetTable tables[4];
};
constexpr WheelTables MakeQuessaWheels(uint32_t base) {
    const yiVec3 out[4] = {{-10.25f, 2.1f, -14.0f}, {10.25f, 2.1f, -14.0f}, {-10.25f, 2.1f, 12.6f}, {10.25f, 2.1f, 12.6f}};
    const yiVec3 in[4] = {{-5.75f, 2.1f, -16.45f}, {5.75f, 2.1f, -16.45f}, {-5.75f, 2.1f, 15.0f}, {5.75f, 2.1f, 15.0f}};
    WheelTables w{};
    for (int t = 0; t < 4; ++t) {
        for (int k = 0; k < 10; ++k) {  // key 0 is pose 0, keys 1..9 the frames toward pose 1
            const float f = static_cast<float>(k) / 10.0f;
            const uint32_t key = k == 0 ? base + 11 : base + 10 - static_cast<uint32_t>(k);
            w.tables[t].entries[k] = {key, {out[t].x + (in[t].x - out[t].x) * f, out[t].y + (in[t].y - out[t].y) * f,
                                            out[t].z + (in[t].z - out[t].z) * f}};
        }
        w.tables[t].entries[10] = {base, in[t]};
        w.tables[t].entries[11] = {base + 10, in[t]};
    }
    return w;
}
constexpr QuessaLists kQuessaJLists = MakeQuessaLists(955);
constexpr QuessaLists kQuessaMLists = MakeQuessaLists(989);
constexpr WheelTables kQuessaJWheels = MakeQuessaWheels(955);
constexpr WheelTables kQuessaMWheels = MakeQuessaWheels(989);

// ---- Machines 5 and 6: DRAVIK/R, DRAVIK/S (groups 24 and 25) ---------------------------

// Far model at the group's first slot, pose 2 body next, then pose 0 and eight frames.
constexpr BodyPlan DravikBody(uint32_t base) { return {{base + 2, base + 2, base + 1, base + 1}, base}; }
constexpr uint32_t kLifted = 20;
constexpr TransitionList kDravikRLists[2] = {Ramp(1025, 1026, 1, 8, 1024, kLifted), Ramp(1024, 1033, -1, 8, 1025, kLifted)};
constexpr TransitionList kDravikSLists[2] = {Ramp(1081, 1082, 1, 8, 1080, kLifted), Ramp(1080, 1089, -1, 8, 1081, kLifted)};

// ---- Machines 7 to 9: OLVANE E, OLVANE L, PRENTIS/G (groups 26, 27, 28) ----------------

// Pose 0 body, pose 2 body, far model, then the frames.
constexpr BodyPlan PlainBody(uint32_t base) { return {{base, base, base + 1, base + 1}, base + 2}; }
constexpr TransitionList kOlvaneELists[2] = {Ramp(1135, 1138, 1, 6, 1136), Ramp(1136, 1143, -1, 6, 1135)};
constexpr TransitionList kOlvaneLLists[2] = {Ramp(1161, 1164, 1, 6, 1162), Ramp(1162, 1169, -1, 6, 1161)};
constexpr TransitionList kPrentisLists[2] = {Ramp(1187, 1190, 1, 9, 1188), Ramp(1188, 1198, -1, 9, 1187)};

// ---- Machines 10 and 11: CUSTREL K, CUSTREL S (groups 29 and 30) -----------------------

constexpr BodyPlan CustrelBody(uint32_t base) { return {{base, base + 1, base + 2, base + 3}, base + 4}; }
struct CustrelLists {
    TransitionList lists[6];
};
constexpr CustrelLists MakeCustrelLists(uint32_t b) {
    return CustrelLists{{Ramp(b, b + 5, 1, 8, b + 1), Ramp(b + 1, b + 12, -1, 8, b),
                         Ramp(b + 1, b + 13, 1, 8, b + 2), Ramp(b + 2, b + 20, -1, 8, b + 1),
                         Ramp(b + 2, b + 21, 1, 8, b + 3), Ramp(b + 3, b + 28, -1, 8, b + 1)}};
}
constexpr CustrelLists kCustrelKLists = MakeCustrelLists(1241);
constexpr CustrelLists kCustrelSLists = MakeCustrelLists(1303);

// ---- The records ---------------------------------------------------------------------

constexpr ListSet Two(const TransitionList (&l)[2]) { return {{&l[0], &l[1], nullptr, nullptr, nullptr, nullptr}}; }
constexpr ListSet Four(const QuessaLists& q) {
    return {{&q.lists[0], &q.lists[1], &q.lists[2], &q.lists[3], nullptr, nullptr}};
}
constexpr ListSet Six(const TransitionList (&l)[6]) { return {{&l[0], &l[1], &l[2], &l[3], &l[4], &l[5]}}; }
constexpr WheelSet Wheels(const WheelTables& w) {
    return {{&w.tables[0], &w.tables[1], &w.tables[2], &w.tables[3]}};
}

constexpr MachineSpec kTorvin = MakeSpec(
    {1, "TORVIN", "torvin", "K.AVERLY", "HALVERN", 1, 3, 2, 1, 10.41f, 12.9f, 20},
    BuildNodes(kTorvinBody, 0, kTorvinParts, 843, 878), Six(kTorvinLists), kNoWheelTables);
constexpr MachineSpec kBelmar = MakeSpec(
    {2, "BELMAR", "belmar", "R.TESSANDER", "ROSKE", 3, 3, 2, 1, 8.41f, 16.4f, 21},
    BuildNodes(kBelmarBody, 0, kBelmarParts, 913, 954), Six(kBelmarLists),
    {{&kBelmarCoverTable, nullptr, nullptr, nullptr}});
constexpr MachineSpec kQuessaJ = MakeSpec(
    {3, "QUESSA/J", "quessaj", "E.LINDQVIST", "GRELLMARKEN", 2, 2, 1, 1, 11.41f, 12.9f, 22},
    BuildNodes(QuessaBody(955), 0, kQuessaParts, 968, 988), Four(kQuessaJLists), Wheels(kQuessaJWheels));
constexpr MachineSpec kQuessaM = MakeSpec(
    {4, "QUESSA/M", "quessam", "M.OSTERHOLM", "GRELLMARKEN", 2, 2, 1, 1, 11.41f, 12.9f, 23},
    BuildNodes(QuessaBody(989), 0, kQuessaParts, 1002, 1022), Four(kQuessaMLists), Wheels(kQuessaMWheels));
constexpr MachineSpec kDravikR = MakeSpec(
    {5, "DRAVIK/R", "drvkr", "D.VARELLI", "VESTRA CALOR", 4, 1, 1, 0, 10.91f, 12.4f, 24},
    BuildNodes(DravikBody(1023), kLifted, kDravikParts, 1034, 1078), Two(kDravikRLists), kNoWheelTables);
constexpr MachineSpec kDravikS = MakeSpec(
    {6, "DRAVIK/S", "drvks", "S.MONTAURO", "VESTRA CALOR", 4, 1, 1, 0, 10.91f, 12.4f, 25},
    BuildNodes(DravikBody(1079), kLifted, kDravikParts, 1090, 1134), Two(kDravikSLists), kNoWheelTables);
constexpr MachineSpec kOlvaneE = MakeSpec(
    {7, "OLVANE E", "olvanee", "T.BRENNICK", "BRAMBLE FORD", 5, 1, 1, 0, 10.41f, 12.9f, 26},
    BuildNodes(PlainBody(1135), 0, kOlvaneParts, 1144, 1160), Two(kOlvaneELists), kNoWheelTables);
constexpr MachineSpec kOlvaneL = MakeSpec(
    {8, "OLVANE L", "olvanel", "A.KILDARE", "BRAMBLE FORD", 5, 1, 1, 0, 10.41f, 12.9f, 27},
    BuildNodes(PlainBody(1161), 0, kOlvaneParts, 1170, 1186), Two(kOlvaneLLists), kNoWheelTables);
constexpr MachineSpec kPrentis = MakeSpec(
    {9, "PRENTIS/G", "prentisg", "J.MORTLAKE", "HALVERN", 1, 1, 1, 0, 11.41f, 12.9f, 28},
    BuildNodes(PlainBody(1187), 0, kTorvinParts, 1199, 1240), Two(kPrentisLists), kNoWheelTables);
constexpr MachineSpec kCustrelK = MakeSpec(
    {10, "CUSTREL K", "custrelk", "L.CORVAIN", "ROSKE", 3, 3, 2, 1, 8.41f, 16.4f, 29},
    BuildNodes(CustrelBody(1241), 0, kCustrelParts, 1270, 1302), Six(kCustrelKLists.lists), kNoWheelTables);
constexpr MachineSpec kCustrelS = MakeSpec(
    {11, "CUSTREL S", "custrels", "N.ASHGROVE", "ROSKE", 3, 3, 2, 1, 8.41f, 16.4f, 30},
    BuildNodes(CustrelBody(1303), 0, kCustrelParts, 1332, 1364), Six(kCustrelSLists.lists), kNoWheelTables);

}  // namespace

const MachineSpec* const MachineTable[kMachineTableSize] = {
    nullptr, &kTorvin, &kBelmar, &kQuessaJ, &kQuessaM, &kDravikR, &kDravikS,
    &kOlvaneE, &kOlvaneL, &kPrentis, &kCustrelK, &kCustrelS};

const MachineSpec* GetMachineSpec(int machineId) {
    if (machineId < kFirstMachineId || machineId > kLastMachineId) return nullptr;
    return MachineTable[machineId];
}

const TransitionList* FindTransitionList(const MachineSpec& spec, int previousPose, int newPose) {
    int list = -1;
    const int type = spec.transitionType;
    if (type == 1) {
        if (previousPose == 0 && newPose == 2) list = 0;
        if (previousPose == 2 && newPose == 0) list = 1;
    } else if (type == 2 || type == 3) {
        if (previousPose == 0 && newPose == 1) list = 0;
        if (previousPose == 1 && newPose == 0) list = 1;
        if (previousPose == 1 && newPose == 2) list = 2;
        if (previousPose == 2 && newPose == 1) list = 3;
        if (type == 3 && previousPose == 2 && newPose == 3) list = 4;
        if (type == 3 && previousPose == 3 && newPose == 1) list = 5;
    }
    return list < 0 ? nullptr : spec.transitionLists[list];
}
