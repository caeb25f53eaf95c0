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

}  // namespace

TEST(MachineTable, IdsOneToElevenHaveRecordsWithAGroupOfTheirOwn) {
    EXPECT_EQ(GetMachineSpec(0), nullptr);
    EXPECT_EQ(GetMachineSpec(12), nullptr);
    EXPECT_EQ(GetMachineSpec(-3), nullptr);
    EXPECT_EQ(MachineTable[0], nullptr);
    std::set<int> groups;
    std::set<std::string> codes;
    for (int id = 1; id <= 11; ++id) {
        ASSERT_NE(GetMachineSpec(id), nullptr);
        EXPECT_EQ(GetMachineSpec(id), MachineTable[id]);
        EXPECT_EQ(Spec(id).machineId, id);
        EXPECT_TRUE(Spec(id).bankGroup >= 20 && Spec(id).bankGroup <= 30) << id;
        EXPECT_TRUE(groups.insert(Spec(id).bankGroup).second) << id;
        EXPECT_EQ(Spec(id).secondBankGroup, -1);
        EXPECT_NE(Spec(id).emitterTable, nullptr);
        EXPECT_NE(Spec(id).soundTable, nullptr);
        EXPECT_GT(std::strlen(Spec(id).displayName), 0u) << id;
        EXPECT_TRUE(codes.insert(Spec(id).modelCode).second) << Spec(id).modelCode;
    }
}

TEST(MachineTable, EachTeamNameHasOneTeamIdAndDriversDiffer) {
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

TEST(MachineTable, NodesStayInsideTheMachinesGroup) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = Spec(id);
        for (int i = 0; i < kMachineNodes; ++i) {
            const MachineNode& n = m.nodes[i];
            if (n.modelId == 0) continue;
            EXPECT_TRUE(InGroup(static_cast<int>(n.modelId), m.bankGroup)) << id << " node " << i;
            if (n.altModelId != 0) {
                EXPECT_TRUE(InGroup(static_cast<int>(n.altModelId), m.bankGroup));
            }
            EXPECT_EQ(n.altModelId != 0, n.altCondition != kNodeAltNever) << id << " node " << i;
            EXPECT_LE(n.partKind, 23u);
            EXPECT_EQ(n.drawArgument, 0u);
        }
        // The body poses are whole entries 0..4.
        for (int i = 0; i <= kMachineFarNode; ++i) EXPECT_NE(m.nodes[i].modelId, 0u);
    }
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
}

TEST(MachineTable, TransitionListIsFoundByThePosesItJoins) {
    const MachineSpec& torvin = Spec(1);
    // Boosting from drive pose 1, then the second stage, then back.
    EXPECT_EQ(FindTransitionList(torvin, 1, 2), torvin.transitionLists[2]);
    EXPECT_EQ(FindTransitionList(torvin, 2, 3), torvin.transitionLists[4]);
    EXPECT_EQ(FindTransitionList(torvin, 3, 1), torvin.transitionLists[5]);
    EXPECT_EQ(FindTransitionList(torvin, 2, 1), torvin.transitionLists[3]);
    EXPECT_EQ(torvin.transitionLists[5]->frames[11].modelId, torvin.nodes[1].modelId);
    EXPECT_EQ(FindTransitionList(torvin, 0, 2), nullptr);
    EXPECT_EQ(FindTransitionList(torvin, 3, 0), nullptr);
    // Machines with one transition pair change only between poses 0 and 2, and drive in pose 0.
    for (int id = 1; id <= 11; ++id) {
        if (Spec(id).transitionType != 1) continue;
        EXPECT_NE(FindTransitionList(Spec(id), 0, 2), nullptr) << id;
        EXPECT_NE(FindTransitionList(Spec(id), 2, 0), nullptr) << id;
        EXPECT_EQ(FindTransitionList(Spec(id), 0, 1), nullptr) << id;
        EXPECT_EQ(Spec(id).drivePose, 0) << id;
    }
    // Two pairs: no second boost stage.
    for (int id = 1; id <= 11; ++id) {
        if (Spec(id).transitionType == 2) {
            EXPECT_EQ(FindTransitionList(Spec(id), 2, 3), nullptr) << id;
        }
    }
}

TEST(MachineTable, WheelOffsetsAreKeyedByBodiesTheMachineShows) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = Spec(id);
        std::set<uint32_t> bodies;
        for (int i = 0; i <= kMachineFarNode; ++i) bodies.insert(m.nodes[i].modelId);
        for (const TransitionList* list : m.transitionLists)
            if (list != nullptr)
                for (const MachineNode& n : list->frames) bodies.insert(n.modelId);
        for (const WheelOffsetTable* table : m.wheelOffsetTables) {
            if (table == nullptr) continue;
            for (const WheelOffsetEntry& e : table->entries) {
                if (e.bodyModelId == 0) continue;
                EXPECT_TRUE(bodies.count(e.bodyModelId)) << id << " key " << e.bodyModelId;
                EXPECT_EQ(FindWheelOffset(table, e.bodyModelId)->bodyModelId, e.bodyModelId);
            }
            // A body without an entry leaves the wheel where its node puts it.
            EXPECT_EQ(FindWheelOffset(table, 0xFFFFu), nullptr) << id;
        }
    }
    EXPECT_EQ(FindWheelOffset(nullptr, Spec(3).nodes[0].modelId), nullptr);
}

TEST(MachineTable, FlameGroupsMatchTheBoostStages) {
    for (int id = 1; id <= 11; ++id) {
        const MachineEmitterTable& e = *Spec(id).emitterTable;
        for (const FlameGroup& g : e.groups) {
            EXPECT_TRUE(g.count >= 0 && g.count <= 4);
            EXPECT_EQ(g.colourB, 0xFFFFFFFFu);
        }
        EXPECT_EQ(e.groups[1].count > 0, Spec(id).boostStages == 2) << id;
        EXPECT_GT(e.groups[0].count, 0) << id;
    }
}

TEST(MachineTable, EngineLoopsComeFromTheLoopBankAtPositiveFrequencies) {
    // Machines 2, 10 and 11 sound alike.
    EXPECT_EQ(std::memcmp(Spec(2).soundTable, Spec(10).soundTable, sizeof(MachineSoundTable)), 0);
    EXPECT_EQ(std::memcmp(Spec(2).soundTable, Spec(11).soundTable, sizeof(MachineSoundTable)), 0);
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

TEST(MachineTable, BrakeLoopsAreAudibleAtEverySpeed) {
    for (int r = 0; r < 2; ++r) {
        const LoopSoundRecord& loop = LoopSoundParams[r];
        EXPECT_TRUE(IsSoundId(loop.soundId));
        float loudest = 0.0f;
        for (int i = 0; i <= 100; ++i) {
            const float v = static_cast<float>(i) / 100.0f;
            EXPECT_GT(tmSound::EvaluateCurve(loop.frequency, v), 0.0f) << "a frequency ratio of 0 is invalid";
            loudest = std::max(loudest, tmSound::EvaluateCurve(loop.volume, v));
        }
        EXPECT_GT(loudest, 0.1f);
    }
}
