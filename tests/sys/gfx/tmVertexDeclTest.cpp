// tmVertexDeclTest.cpp -- layout lookup by element prefix and the redundant-set filter.
#include <gtest/gtest.h>

#include "platform/gfx/NullDevice.h"
#include "sys/gfx/tmVertexDecl.h"

using namespace platform::mesh;

TEST(tmVertexDecl, FindIndexMatchesTheFirstLayoutTheListIsAPrefixOf) {
    const VertexElement layout6Elements[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                             {0, 12, kFloat3, 0, kNormal, 0},
                                             {0, 24, kColor, 0, kColorUsage, 0},
                                             {0, 28, kFloat2, 0, kTexCoord, 0},
                                             kEndElement};
    EXPECT_EQ(tmVertexDecl::FindIndex(layout6Elements), 3);
    const VertexElement posColourUv[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                         {0, 12, kColor, 0, kColorUsage, 0},
                                         {0, 16, kFloat2, 0, kTexCoord, 0},
                                         kEndElement};
    EXPECT_EQ(tmVertexDecl::FindIndex(posColourUv), 2);
    const VertexElement positionT[] = {{0, 0, kFloat2, 0, kPositionT, 0}, kEndElement};
    EXPECT_EQ(tmVertexDecl::FindIndex(positionT), 0);
    const VertexElement empty[] = {kEndElement};
    EXPECT_EQ(tmVertexDecl::FindIndex(empty), 0);
    const VertexElement secondStream[] = {{1, 0, kFloat3, 0, kPosition, 0}, kEndElement};
    EXPECT_EQ(tmVertexDecl::FindIndex(secondStream), -1);
    const VertexElement tooLong[] = {{0, 0, kFloat3, 0, kPosition, 0},
                                     {0, 12, kFloat3, 0, kNormal, 0},
                                     {0, 24, kFloat2, 0, kTexCoord, 0},
                                     {0, 32, kFloat2, 0, kTexCoord, 1},
                                     kEndElement};
    EXPECT_EQ(tmVertexDecl::FindIndex(tooLong), -1);
    EXPECT_EQ(tmVertexDecl::GetFVF(3), 0u);
    EXPECT_EQ(tmVertexDecl::GetVertexSize(3), 56u);
}

TEST(tmVertexDecl, SetReachesTheDeviceOnlyOnChange) {
    gfx::NullDevice device;
    tmVertexDecl decl;
    EXPECT_EQ(decl.GetCurrent(), -1);
    decl.Create(&device);
    decl.Set(4);
    decl.Set(4);
    EXPECT_EQ(device.layoutSets, 1);
    decl.Set(2);
    EXPECT_EQ(device.layoutSets, 2);
    decl.Release();
    decl.Set(2);  // no device: remembered only
    EXPECT_EQ(device.layoutSets, 2);
}
