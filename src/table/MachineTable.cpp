// The eleven machine records. Their model nodes, body transitions and wheel offsets come
// from the machine model manifest through the generated content tables.
#include "table/MachineTable.h"

#include "content_tables.h"
#include "table/MachineEffectRows.h"

namespace {

namespace rows = content::machine_rows;

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

constexpr MachineSpec MakeSpec(const Scalars& s) {
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
    for (int i = 0; i < kMachineNodes; ++i) m.nodes[i] = rows::kNodes[s.id][i];
    for (int i = 0; i < 6; ++i) m.transitionLists[i] = rows::kHasList[s.id][i] ? &rows::kLists[s.id][i] : nullptr;
    for (int i = 0; i < 4; ++i) m.wheelOffsetTables[i] = rows::kHasWheels[s.id][i] ? &rows::kWheels[s.id][i] : nullptr;
    m.emitterTable = &MachineEmitterRows[s.id];
    m.soundTable = &MachineSoundRows[s.id];
    return m;
}

constexpr MachineSpec kTorvin = MakeSpec({1, "TORVIN", "torvin", "K.AVERLY", "HALVERN", 1, 3, 2, 1, 10.41f, 12.9f, 20});
constexpr MachineSpec kBelmar = MakeSpec({2, "BELMAR", "belmar", "R.TESSANDER", "ROSKE", 3, 3, 2, 1, 8.41f, 16.4f, 21});
constexpr MachineSpec kQuessaJ =
    MakeSpec({3, "QUESSA/J", "quessaj", "E.LINDQVIST", "GRELLMARKEN", 2, 2, 1, 1, 11.41f, 12.9f, 22});
constexpr MachineSpec kQuessaM =
    MakeSpec({4, "QUESSA/M", "quessam", "M.OSTERHOLM", "GRELLMARKEN", 2, 2, 1, 1, 11.41f, 12.9f, 23});
constexpr MachineSpec kDravikR =
    MakeSpec({5, "DRAVIK/R", "drvkr", "D.VARELLI", "VESTRA CALOR", 4, 1, 1, 0, 10.91f, 12.4f, 24});
constexpr MachineSpec kDravikS =
    MakeSpec({6, "DRAVIK/S", "drvks", "S.MONTAURO", "VESTRA CALOR", 4, 1, 1, 0, 10.91f, 12.4f, 25});
constexpr MachineSpec kOlvaneE =
    MakeSpec({7, "OLVANE E", "olvanee", "T.BRENNICK", "BRAMBLE FORD", 5, 1, 1, 0, 10.41f, 12.9f, 26});
constexpr MachineSpec kOlvaneL =
    MakeSpec({8, "OLVANE L", "olvanel", "A.KILDARE", "BRAMBLE FORD", 5, 1, 1, 0, 10.41f, 12.9f, 27});
constexpr MachineSpec kPrentis =
    MakeSpec({9, "PRENTIS/G", "prentisg", "J.MORTLAKE", "HALVERN", 1, 1, 1, 0, 11.41f, 12.9f, 28});
constexpr MachineSpec kCustrelK =
    MakeSpec({10, "CUSTREL K", "custrelk", "L.CORVAIN", "ROSKE", 3, 3, 2, 1, 8.41f, 16.4f, 29});
constexpr MachineSpec kCustrelS =
    MakeSpec({11, "CUSTREL S", "custrels", "N.ASHGROVE", "ROSKE", 3, 3, 2, 1, 8.41f, 16.4f, 30});

// The machine descriptions that the nodes and models come from were checked against these types.
constexpr bool TransitionTypesAgree() {
    const MachineSpec* specs[] = {&kTorvin,  &kBelmar,  &kQuessaJ, &kQuessaM,  &kDravikR, &kDravikS,
                                  &kOlvaneE, &kOlvaneL, &kPrentis, &kCustrelK, &kCustrelS};
    for (const MachineSpec* s : specs)
        if (s->transitionType != rows::kTransitionType[s->machineId]) return false;
    return true;
}
static_assert(TransitionTypesAgree(), "machine_models.txt and the machine table disagree on a transition type");

}  // namespace

const MachineSpec* const MachineTable[kMachineTableSize] = {nullptr,   &kTorvin,  &kBelmar,   &kQuessaJ,
                                                            &kQuessaM, &kDravikR, &kDravikS,  &kOlvaneE,
                                                            &kOlvaneL, &kPrentis, &kCustrelK, &kCustrelS};

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
