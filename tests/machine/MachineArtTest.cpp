// MachineArtTest.cpp -- the generated machine models match the table rows that name them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "content_tables.h"
#include "format/BinaryMesh.h"
#include "sys/data/tmArchiver.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"
#include "tests/harness/WorkFolder.h"

namespace {

struct Extent {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    uint32_t triangles = 0;
    float Size(int k) const { return hi[k] - lo[k]; }
    float Mid(int k) const { return 0.5f * (hi[k] + lo[k]); }
};

class MachineArtTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.Ok()); }

    // The bounds of a model slot, read from its group's bank as the game reads it.
    bool Read(int slot, Extent* e) {
        for (int g = 0; g < kResourceGroupCount; ++g) {
            const yiResourceGroup* group = content::BankTable[g];
            const int first = content::kResourceGroupFirstModel[g];
            if (slot < first || slot >= first + group->modelCount) continue;
            tmArchiver bank;
            if (!bank.Open(*group->modelArchive)) return false;
            std::string bytes;
            if (!bank.ReadInto(group->models[slot - first], &bytes)) return false;
            zfmt::BinaryMesh mesh;
            std::string why;
            if (!zfmt::ParseBinaryMesh(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), mesh, &why))
                return false;
            for (uint32_t v = 0; v < mesh.vertexCount; ++v)
                for (int k = 0; k < 3; ++k) {
                    float f;
                    std::memcpy(&f, &mesh.vertexBytes[size_t(v) * zfmt::kBinaryMeshVertexSize + size_t(k) * 4], 4);
                    e->lo[k] = std::min(e->lo[k], f);
                    e->hi[k] = std::max(e->hi[k], f);
                }
            e->triangles = static_cast<uint32_t>(mesh.indices.size() / 3);
            return true;
        }
        return false;
    }

    harness::WorkFolder folder_{true};
};

TEST_F(MachineArtTest, WheelSlotsHoldWheelsOfTheirNodesSize) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = *GetMachineSpec(id);
        for (int i = kMachineFarNode + 1; i < kMachineNodes; ++i) {
            const MachineNode& n = m.nodes[i];
            const uint32_t k = n.partKind;
            if (n.modelId == 0 || !(k == 2 || k == 4 || (k >= 10 && k <= 13))) continue;
            // A wheel touches the ground: its radius is its centre's height.
            const float r = k >= 10 ? m.wheelOffsetTables[k - 10]->entries[0].position.y : n.position.y;
            Extent e;
            ASSERT_TRUE(Read(static_cast<int>(n.modelId), &e)) << id << " slot " << n.modelId;
            EXPECT_NEAR(e.Size(1), 2 * r, 0.05f) << id << " slot " << n.modelId;
            EXPECT_NEAR(e.Size(2), 2 * r, 0.04f * r) << id << " slot " << n.modelId;  // a polygon across Z
            EXPECT_LT(e.Size(0), 2 * r) << id << " slot " << n.modelId;
            for (int a = 0; a < 3; ++a) EXPECT_NEAR(e.Mid(a), 0.0f, 0.05f) << id << " slot " << n.modelId;
        }
    }
}

TEST_F(MachineArtTest, BodiesPosesTransitionFramesAndFarModelsAreWholeMachines) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = *GetMachineSpec(id);
        Extent pose;
        ASSERT_TRUE(Read(static_cast<int>(m.nodes[0].modelId), &pose));
        // Some 40 to 60 units long, nose toward -Z, wider than tall.
        EXPECT_GT(pose.Size(2), 40.0f) << id;
        EXPECT_LT(pose.Size(2), 62.0f) << id;
        EXPECT_LT(pose.lo[2], -20.0f) << id;
        EXPECT_GT(pose.Size(0), pose.Size(1)) << id;
        for (const TransitionList* list : m.transitionLists) {
            if (!list) continue;
            for (const MachineNode& frame : list->frames) {
                Extent e;
                ASSERT_TRUE(Read(static_cast<int>(frame.modelId), &e)) << id << " frame " << frame.modelId;
                EXPECT_GT(e.Size(2), 40.0f) << id << " frame " << frame.modelId;
            }
        }
        // The far model: the same machine in far fewer triangles.
        Extent far;
        ASSERT_TRUE(Read(static_cast<int>(m.nodes[kMachineFarNode].modelId), &far));
        EXPECT_NEAR(far.Size(2), pose.Size(2), 8.0f) << id;
        EXPECT_LT(far.triangles * 2, pose.triangles) << id;
    }
}

TEST_F(MachineArtTest, LitAndGlowingPartsHaveModelsOfTheirOwn) {
    for (int id = 1; id <= 11; ++id) {
        const MachineSpec& m = *GetMachineSpec(id);
        for (int i = kMachineFarNode + 1; i < kMachineNodes; ++i) {
            const MachineNode& n = m.nodes[i];
            if (n.altModelId == 0) continue;
            Extent plain, lit;
            ASSERT_TRUE(Read(static_cast<int>(n.modelId), &plain));
            ASSERT_TRUE(Read(static_cast<int>(n.altModelId), &lit));
            // The same part in the same place.
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(plain.Size(k), lit.Size(k), 0.05f) << id << " " << n.modelId;
        }
    }
    // The effect group holds the six flame models of the second stage, reaching back along +Z.
    for (int slot = content::MDL_EFF_BOOST_EGG01; slot <= content::MDL_EFF_PART06; ++slot) {
        Extent e;
        ASSERT_TRUE(Read(slot, &e));
        EXPECT_GT(e.hi[2], 5.0f) << slot;
        EXPECT_GE(e.lo[2], -0.01f) << slot;
    }
}

}  // namespace
