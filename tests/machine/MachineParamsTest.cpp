// MachineParamsTest.cpp -- reading and checking the "Machine" data table.
#include <gtest/gtest.h>

#include "format/MachineTableKeys.h"
#include "machine/tmMachineParams.h"

TEST(MachineParams, FieldsFollowTheTableColumns) {
    for (int i = 0; i < kMachineParamFieldCount; ++i) {
        EXPECT_STREQ(kMachineParamFields[i].name, zfmt::kMachineParams[i].name);
        EXPECT_EQ(kMachineParamFields[i].intField != nullptr, zfmt::kMachineParams[i].isInt) << i;
    }
}
