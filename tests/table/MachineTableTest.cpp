// Machine table: lookups by id, node and transition invariants, emitters and sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "table/MachineTable.h"
#include "table/SoundBankTable.h"
#include "tests/table/ContentRanges.h"

using content_ranges::InGroup;
using content_ranges::IsSoundId;

namespace {

const MachineSpec& Spec(int id) { return *GetMachineSpec(id); }

std::vector<uint32_t> Models(const TransitionList& list) {
    std::vector<uint32_t> m;
    for (const MachineNode& n : list.frames) m.push_back(n.modelId);
    return m;
}

}  // namespace

TEST(MachineTable, LookupById) {
    EXPECT_EQ(GetMachineSpec(0), nullptr);
    EXPECT_EQ(GetMachineSpec(12), nullptr);
    EXPECT_EQ(GetMachineSpec(-3), nullptr);
    EXPECT_EQ(MachineTable[0], nullptr);
    for (int id = 1; id <= 11; ++id) {
        ASSERT_NE(GetMachineSpec(id), nullptr);
        EXPECT_EQ(GetMachineSpec(id), MachineTable[id]);
        EXPECT_EQ(Spec(id).machineId, id);
        EXPECT_EQ(Spec(id).bankGroup, 19 + id);
        EXPECT_EQ(Spec(id).secondBankGroup, -1);
        EXPECT_NE(Spec(id).emitterTable, nullptr);
        EXPECT_NE(Spec(id).soundTable, nullptr);
    }
    EXPECT_STREQ(Spec(3).displayName, "QUESSA/J");
    EXPECT_STREQ(Spec(5).modelCode, "drvkr");
    EXPECT_STREQ(Spec(6).modelCode, "drvks");
    EXPECT_STREQ(Spec(7).displayName, "OLVANE E");
}

TEST(MachineTable, TeamsAndDrivers) {
    std::map<std::string, int> teamIds;
    std::set<std::string> drivers;
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = Spec(id);
        auto found = teamIds.emplace(m.teamName, m.teamId);
        EXPECT_EQ(found.first->second, m.teamId) << "one team name, one team id";
        EXPECT_TRUE(m.teamId >= 1 && m.teamId <= 5);
        EXPECT_EQ(m.soundTable->teamId, static_cast<uint32_t>(m.teamId));
        const std::size_t len = strnlen(m.driverName, sizeof m.driverName);
        EXPECT_TRUE(len >= 1 && len <= 16) << id;
        EXPECT_TRUE(drivers.insert(m.driverName).second) << "drivers differ: " << m.driverName;
    }
    EXPECT_EQ(teamIds.size(), 5u);
}

TEST(MachineTable, WheelPointsAndPoses) {
    const MachineSpec& torvin = Spec(1);
    EXPECT_FLOAT_EQ(torvin.wheelPoints[0].x, 10.41f);
    EXPECT_FLOAT_EQ(torvin.wheelPoints[1].x, -10.41f);
    EXPECT_FLOAT_EQ(torvin.wheelPoints[2].x, -12.9f);
    EXPECT_FLOAT_EQ(torvin.wheelPoints[3].z, 21.03f);
    EXPECT_FLOAT_EQ(Spec(10).wheelPoints[3].x, 16.4f);
    EXPECT_FLOAT_EQ(Spec(6).wheelPoints[0].x, 10.91f);
    const uint32_t poses[5] = {831, 821, 811, 842, 841};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(torvin.nodes[i].modelId, poses[i]);
    EXPECT_EQ(torvin.nodes[5].partKind, 4u);
    EXPECT_FLOAT_EQ(torvin.nodes[5].position.z, -12.7f);
    EXPECT_EQ(torvin.nodes[9].partKind, 2u);
    for (int i = 11; i <= 16; ++i) EXPECT_EQ(torvin.nodes[i].altCondition, kNodeAltBrakeGlow);
}

TEST(MachineTable, NodesStayInsideTheMachinesGroup) {
    const int inUse[12] = {0, 34, 36, 16, 16, 34, 34, 24, 24, 34, 28, 28};
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = Spec(id);
        int used = 0;
        for (int i = 0; i < kMachineNodes; ++i) {
            const MachineNode& n = m.nodes[i];
            if (n.modelId == 0) continue;
            ++used;
            EXPECT_TRUE(InGroup(static_cast<int>(n.modelId), m.bankGroup)) << id << " node " << i;
            if (n.altModelId != 0) {
                EXPECT_TRUE(InGroup(static_cast<int>(n.altModelId), m.bankGroup));
            }
            EXPECT_EQ(n.altModelId != 0, n.altCondition != kNodeAltNever) << id << " node " << i;
            EXPECT_LE(n.partKind, 23u);
            EXPECT_EQ(n.drawArgument, 0u);
        }
        EXPECT_EQ(used, inUse[id]) << id;
        // The body poses are whole entries 0..4.
        for (int i = 0; i <= kMachineFarNode; ++i) EXPECT_NE(m.nodes[i].modelId, 0u);
    }
    // Lifted bodies, and the nose and spinner that show only with one body each.
    EXPECT_EQ(Spec(5).nodes[0].partKind, 20u);
    EXPECT_EQ(Spec(5).nodes[0].modelId, 1025u);
    EXPECT_EQ(Spec(6).nodes[2].modelId, 1080u);
}

TEST(MachineTable, TransitionListsMatchTheTransitionType) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = Spec(id);
        const int present = m.transitionType == 1 ? 2 : m.transitionType == 2 ? 4 : m.transitionType == 3 ? 6 : 0;
        for (int l = 0; l < 6; ++l) EXPECT_EQ(m.transitionLists[l] != nullptr, l < present) << id << " list " << l;
        // Every list runs from the pose changed from to the pose changed to.
        const int pairs[6][2] = {{0, 1}, {1, 0}, {1, 2}, {2, 1}, {2, 3}, {3, 1}};
        for (int l = 0; l < present; ++l) {
            const int from = m.transitionType == 1 ? (l == 0 ? 0 : 2) : pairs[l][0];
            const int to = m.transitionType == 1 ? (l == 0 ? 2 : 0) : pairs[l][1];
            const TransitionList& list = *m.transitionLists[l];
            EXPECT_EQ(list.frames[0].modelId, m.nodes[from].modelId) << id << " list " << l;
            EXPECT_EQ(list.frames[11].modelId, m.nodes[to].modelId) << id << " list " << l;
            for (const MachineNode& n : list.frames) {
                EXPECT_TRUE(InGroup(static_cast<int>(n.modelId), m.bankGroup));
                EXPECT_EQ(n.partKind, (id == 5 || id == 6) ? 20u : 0u);
            }
            EXPECT_EQ(FindTransitionList(m, from, to), m.transitionLists[l]);
        }
    }
    EXPECT_EQ(Models(*Spec(1).transitionLists[0]),
              (std::vector<uint32_t>{831, 832, 833, 834, 835, 836, 837, 838, 839, 840, 821, 821}));
    EXPECT_EQ(Models(*Spec(1).transitionLists[1]),
              (std::vector<uint32_t>{821, 840, 839, 838, 837, 836, 835, 834, 833, 832, 831, 831}));
    EXPECT_EQ(Models(*Spec(1).transitionLists[2]),
              (std::vector<uint32_t>{821, 825, 829, 811, 811, 811, 811, 811, 811, 811, 811, 811}));
    EXPECT_EQ(Models(*Spec(3).transitionLists[2]),
              (std::vector<uint32_t>{955, 955, 955, 955, 955, 955, 955, 955, 955, 955, 955, 965}));
    EXPECT_EQ(Models(*Spec(5).transitionLists[0]),
              (std::vector<uint32_t>{1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1024, 1024, 1024}));
}

TEST(MachineTable, TransitionLookupByPoseChange) {
    const MachineSpec& torvin = Spec(1);
    // Boosting from drive pose 1, then the second stage, then back.
    EXPECT_EQ(FindTransitionList(torvin, 1, 2), torvin.transitionLists[2]);
    EXPECT_EQ(FindTransitionList(torvin, 2, 3), torvin.transitionLists[4]);
    EXPECT_EQ(FindTransitionList(torvin, 3, 1), torvin.transitionLists[5]);
    EXPECT_EQ(FindTransitionList(torvin, 2, 1), torvin.transitionLists[3]);
    EXPECT_EQ(torvin.transitionLists[5]->frames[11].modelId, torvin.nodes[1].modelId);
    EXPECT_EQ(FindTransitionList(torvin, 0, 2), nullptr);
    EXPECT_EQ(FindTransitionList(torvin, 3, 0), nullptr);
    for (int id = 5; id <= 9; ++id) {
        EXPECT_NE(FindTransitionList(Spec(id), 0, 2), nullptr);
        EXPECT_NE(FindTransitionList(Spec(id), 2, 0), nullptr);
        EXPECT_EQ(FindTransitionList(Spec(id), 0, 1), nullptr);
        EXPECT_EQ(Spec(id).drivePose, 0);
    }
    EXPECT_EQ(FindTransitionList(Spec(3), 2, 3), nullptr);
}

TEST(MachineTable, WheelOffsetTables) {
    const MachineSpec& quessa = Spec(3);
    for (int t = 0; t < 4; ++t) ASSERT_NE(quessa.wheelOffsetTables[t], nullptr);
    const WheelOffsetEntry* out = FindWheelOffset(quessa.wheelOffsetTables[0], 966);
    ASSERT_NE(out, nullptr);
    EXPECT_FLOAT_EQ(out->position.x, -10.25f);
    EXPECT_FLOAT_EQ(out->position.z, -14.0f);
    for (uint32_t key : {955u, 965u}) {
        const WheelOffsetEntry* in = FindWheelOffset(quessa.wheelOffsetTables[0], key);
        ASSERT_NE(in, nullptr);
        EXPECT_FLOAT_EQ(in->position.x, -5.75f);
        EXPECT_FLOAT_EQ(in->position.z, -16.45f);
    }
    // Every body the machine can show has a wheel position; anything else has none.
    for (const TransitionList* list : quessa.transitionLists) {
        if (list == nullptr) continue;
        for (const MachineNode& n : list->frames) {
            EXPECT_NE(FindWheelOffset(quessa.wheelOffsetTables[2], n.modelId), nullptr) << n.modelId;
        }
    }
    EXPECT_EQ(FindWheelOffset(quessa.wheelOffsetTables[0], 811), nullptr);
    EXPECT_EQ(FindWheelOffset(nullptr, 966), nullptr);
    EXPECT_EQ(FindWheelOffset(Spec(1).wheelOffsetTables[0], 831), nullptr);

    const MachineSpec& belmar = Spec(2);
    ASSERT_NE(belmar.wheelOffsetTables[0], nullptr);
    for (int t = 1; t < 4; ++t) EXPECT_EQ(belmar.wheelOffsetTables[t], nullptr);
    for (uint32_t key = 880; key <= 888; ++key) EXPECT_NE(FindWheelOffset(belmar.wheelOffsetTables[0], key), nullptr);
    EXPECT_NE(FindWheelOffset(belmar.wheelOffsetTables[0], 910), nullptr);
    EXPECT_EQ(FindWheelOffset(belmar.wheelOffsetTables[0], 879), nullptr);
}

TEST(MachineTable, Emitters) {
    for (int id = 1; id <= 11; ++id) {
        const MachineEmitterTable& e = *Spec(id).emitterTable;
        for (const FlameGroup& g : e.groups) {
            EXPECT_TRUE(g.count >= 0 && g.count <= 4);
            EXPECT_EQ(g.colourB, 0xFFFFFFFFu);
        }
        EXPECT_EQ(e.groups[1].count > 0, Spec(id).boostStages == 2) << id;
    }
    const MachineEmitterTable& torvin = *Spec(1).emitterTable;
    EXPECT_FLOAT_EQ(torvin.groups[1].points[1].x, -10.8f);
    EXPECT_FLOAT_EQ(torvin.groups[1].points[1].z, 25.5f);
    EXPECT_EQ(torvin.glowColour, 0xF08080FFu);
    EXPECT_EQ(Spec(4).emitterTable->groups[0].colourA, 0xFFFF8080u);
    EXPECT_FLOAT_EQ(Spec(9).emitterTable->groundPoints[2].z, -14.95f);
    EXPECT_FLOAT_EQ(Spec(10).emitterTable->groups[1].trailSpin[2], 0.02f);
    EXPECT_EQ(Spec(7).emitterTable->groups[0].count, 3);
}

TEST(MachineTable, SoundTables) {
    // Machines 2, 10 and 11 sound alike.
    EXPECT_EQ(std::memcmp(Spec(2).soundTable, Spec(10).soundTable, sizeof(MachineSoundTable)), 0);
    EXPECT_EQ(std::memcmp(Spec(2).soundTable, Spec(11).soundTable, sizeof(MachineSoundTable)), 0);
    const MachineSoundTable& torvin = *Spec(1).soundTable;
    EXPECT_EQ(torvin.engineLoops[0].soundId, 0x20055u);
    EXPECT_EQ(torvin.engineLoops[4].soundId, 0x2000Du);
    EXPECT_FLOAT_EQ(torvin.engineLoops[3].frequency[6], 1.31f);
    EXPECT_EQ(torvin.oneShots[15], 0x1003E);
    EXPECT_EQ(Spec(3).soundTable->oneShots[10], 0x20081);
    EXPECT_EQ(Spec(4).soundTable->oneShots[10], 0x2007F);
    EXPECT_EQ(Spec(7).soundTable->oneShots[8], 0x10014);
    for (int id = 1; id <= 11; ++id) {
        const MachineSoundTable& s = *Spec(id).soundTable;
        for (const LoopSoundRecord& loop : s.engineLoops) {
            EXPECT_EQ(loop.soundId >> 16, 2u) << "engine loops come from the loop bank";
            EXPECT_TRUE(IsSoundId(loop.soundId)) << std::hex << loop.soundId;
        }
        // Every family past the first keeps a positive frequency ratio at all revolutions.
        for (int i = 0; id > 1 && i <= 20; ++i) {
            for (const LoopSoundRecord& loop : s.engineLoops) {
                EXPECT_GT(tmSound::EvaluateCurve(loop.frequency, static_cast<float>(i) / 20.0f), 0.0f) << id;
            }
        }
        for (int32_t shot : s.oneShots)
            if (shot > 0) {
                EXPECT_TRUE(IsSoundId(shot)) << std::hex << shot;
            }
    }
}

namespace {

// The directory name of a sound id in the game's sound banks, or "" when the id names nothing.
std::string SoundName(int64_t id) {
    const int64_t bank = id >> 16, index = id & 0xFFFF;
    if (bank < 1 || bank >= kSoundBankCount) return "";
    const SoundBankDesc& desc = SoundBankTable[bank];
    if (desc.directory == nullptr || index >= desc.entryCount || desc.directory[index].name == nullptr) return "";
    return desc.directory[index].name;
}

}  // namespace

TEST(MachineTable, SoundIdsNameBankEntriesOfTheirKind) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSoundTable& s = *Spec(id).soundTable;
        EXPECT_NE(SoundName(s.engineLoops[0].soundId).find("_IDLE_"), std::string::npos) << id;
        for (int i = 1; i <= 4; ++i) {
            EXPECT_NE(SoundName(s.engineLoops[i].soundId).find("_ENG_"), std::string::npos) << id << " loop " << i;
        }
        EXPECT_NE(SoundName(s.engineLoops[5].soundId).find("_TURBO_"), std::string::npos) << id;
        for (int32_t shot : s.oneShots) {
            if (shot <= 0) continue;
            EXPECT_NE(SoundName(shot), "") << id << std::hex << " " << shot;
        }
    }
    // Machines 3 and 4 play a loop-bank entry as a one-shot (the engine plays it once, as it is).
    EXPECT_EQ(SoundName(Spec(3).soundTable->oneShots[10]).rfind("BOOST_LOOP_", 0), 0u);
    EXPECT_EQ(SoundName(LoopSoundParams[0].soundId).rfind("BRAKE_", 0), 0u);
    EXPECT_EQ(SoundName(LoopSoundParams[1].soundId).rfind("BRAKE_", 0), 0u);
    EXPECT_EQ(SoundName(0x30000), "");
}

TEST(MachineTable, BrakeLoopsAreAudible) {
    const uint32_t ids[2] = {0x20082, 0x20083};
    for (int r = 0; r < 2; ++r) {
        const LoopSoundRecord& loop = LoopSoundParams[r];
        EXPECT_EQ(loop.soundId, ids[r]);
        float loudest = 0.0f;
        for (int i = 0; i <= 100; ++i) {
            const float v = static_cast<float>(i) / 100.0f;
            EXPECT_GT(tmSound::EvaluateCurve(loop.frequency, v), 0.0f) << "a frequency ratio of 0 is invalid";
            loudest = std::max(loudest, tmSound::EvaluateCurve(loop.volume, v));
        }
        EXPECT_GT(loudest, 0.1f);
    }
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(LoopSoundParams[0].volume, 0.31f), 0.345f);
    EXPECT_FLOAT_EQ(tmSound::EvaluateCurve(LoopSoundParams[1].frequency, 1.0f), 1.23f);
    EXPECT_EQ(EffectFocusPosition.x, 0.0f);
}
