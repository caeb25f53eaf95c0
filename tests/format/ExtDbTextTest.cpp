// Data-table text: the writer's lines read back through the shared parser.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "format/ExtDbText.h"
#include "format/MachineTableKeys.h"
#include "format/RouteTableKeys.h"

namespace {

std::vector<zfmt::ExtDbRow> Parse(const std::string& s) { return zfmt::ParseExtDbText(s.data(), s.size()); }

TEST(ExtDbText, KeyIsThreeCellsAfterTheTypeAndCarriageReturnsEndLines) {
    auto rows = Parse("float,revLimit,M1,Name,9500.5\r\nint,a,b\n,,,,\n");
    ASSERT_EQ(rows.size(), 4u);  // the text's final line feed leaves an empty last row
    EXPECT_EQ(rows[0].key, "revLimit,M1,Name");
    EXPECT_EQ(rows[0].value, "9500.5");
    EXPECT_EQ(rows[1].key, "a,b,");  // three cells: empty third key part and value
    EXPECT_EQ(rows[1].value, "");
    EXPECT_EQ(rows[2].key, ",,");
    EXPECT_EQ(rows[3].key, ",,");
}

TEST(ExtDbText, ValueEndsAtTheNextCommaAndLongCellsAreCut) {
    auto rows = Parse("string,a,b,c,one,two\nstring," + std::string(300, 'x') + ",b,c,v");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].value, "one");
    EXPECT_EQ(rows[1].key, std::string(zfmt::kExtDbCellLimit, 'x') + ",b,c");
    EXPECT_EQ(rows[1].value, "v");
}

TEST(ExtDbText, EmptyLinesAndTextsWithoutFinalLineFeed) {
    EXPECT_TRUE(Parse("").empty());
    auto rows = Parse("int,a,b,c,1\n\nint,d,e,f,2");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].key, ",,");
    EXPECT_EQ(rows[2].key, "d,e,f");
    EXPECT_EQ(rows[2].value, "2");
    // A NUL ends the text.
    const char withNul[] = "int,a,b,c,1\0int,x,y,z,2";
    EXPECT_EQ(zfmt::ParseExtDbText(withNul, sizeof withNul - 1).size(), 1u);
}

TEST(ExtDbText, WrittenRowsReadBackAndCommasOrLineFeedsAreRefused) {
    zfmt::ExtDbWriter w;
    w.Int("nbGear", "torvin", "Name", 6);
    w.Float("weight", "torvin", "Name", 1050.25);
    w.Float("engineBrk", "torvin", "Name", 0.0022);
    w.String("file", "Model00", "Pos", "S_VWR.ybm");
    w.Float("x", "", "", 1.0);
    EXPECT_EQ(w.Error(), "");
    auto rows = Parse(w.Text());
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].key, "nbGear,torvin,Name");
    EXPECT_EQ(rows[0].value, "6");
    EXPECT_EQ(std::strtof(rows[1].value.c_str(), nullptr), 1050.25f);
    EXPECT_EQ(std::strtof(rows[2].value.c_str(), nullptr), 0.0022f);
    EXPECT_EQ(rows[3].value, "S_VWR.ybm");
    EXPECT_EQ(rows[4].key, "x,,");

    zfmt::ExtDbWriter bad;
    bad.String("a", "b", "c", "has,comma");
    bad.String("a\n", "b", "c", "v");
    EXPECT_NE(bad.Error(), "");
    EXPECT_EQ(bad.Text(), "");
}

TEST(ExtDbText, FloatTextIsShortAndExact) {
    EXPECT_EQ(zfmt::ExtDbFloatText(3.0), "3");
    EXPECT_EQ(zfmt::ExtDbFloatText(0.1), "0.1");
    for (float f : {1e-5f, 123456.789f, -0.0022f, 28000.0f})
        EXPECT_EQ(std::strtof(zfmt::ExtDbFloatText(f).c_str(), nullptr), f);
}

TEST(MachineTableKeys, CurveColumnsAreNamedAfterTheModelCodeAndRowsAfterTheirValue) {
    EXPECT_EQ(zfmt::TorqueColumn("torvin"), "torvinTrqTbl");
    EXPECT_EQ(zfmt::GearUpColumn("drvkr"), "drvkrGearUp");
    EXPECT_EQ(zfmt::TorqueRowKey(0), "0");
    EXPECT_EQ(zfmt::TorqueRowKey(14), "28000");
    EXPECT_EQ(zfmt::GearRowKey(0), "1");
    EXPECT_EQ(zfmt::GearRowKey(9), "10");
    EXPECT_STREQ(zfmt::kMachineParams[0].name, "drivingType");
    EXPECT_STREQ(zfmt::kMachineParams[zfmt::kMachineParamCount - 1].name, "bstEnergy");
    int ints = 0;
    for (const auto& p : zfmt::kMachineParams) ints += p.isInt;
    EXPECT_EQ(ints, 9);  // drivingType, nbGear, six boost timings, bstEnergy
}

}  // namespace

namespace {

TEST(RouteTableKeys, RowsReadBackUnderTheReadersKeys) {
    std::vector<zfmt::RouteEntry> sections(13);
    sections[12].bank = 3;
    sections[12].posShift[0] = 1.0f;
    sections[12].otShift[0] = -2.0f;
    sections[12].boost[1] = 1;
    sections[12].speed[1] = 287.5f;
    zfmt::ExtDbWriter w;
    zfmt::WriteRouteTable(w, sections);
    ASSERT_EQ(w.Error(), "");
    auto rows = zfmt::ParseExtDbText(w.Text().data(), w.Text().size());
    std::map<std::string, std::string> cells;
    for (const auto& r : rows) cells.emplace(r.key, r.value);
    EXPECT_EQ(rows.size(), 13u * 13u + 1u);  // 13 cells per section and the empty last line
    EXPECT_EQ(zfmt::RouteRowKey(7), "Route007");
    EXPECT_EQ(cells["Route012,Bank,ArrayTable"], "3");
    EXPECT_EQ(cells["Route012,PosShift0,ArrayTable"], "1");
    EXPECT_EQ(cells["Route012,OtShift0,ArrayTable"], "-2");
    EXPECT_EQ(cells["Route012,Boost1,ArrayTable"], "1");
    EXPECT_EQ(cells["Route012,Speed1,ArrayTable"], "287.5");
    EXPECT_EQ(cells.count("Route013,Bank,ArrayTable"), 0u);
}

}  // namespace
