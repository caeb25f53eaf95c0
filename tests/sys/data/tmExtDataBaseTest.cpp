// External data tables: lookups, overrides of duplicate keys, the manager,
// and the generated data-table bank read through the game's reader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>

#include "content_tables.h"
#include "format/ExtDbText.h"
#include "format/MachineTableKeys.h"
#include "format/RouteTableKeys.h"
#include "sys/data/tmArchiver.h"
#include "sys/data/tmEngineTables.h"
#include "sys/data/tmExtDataBase.h"
#include "tests/sys/data/BankFixture.h"

namespace {

using sys::tmExtDataBase;

const char* kT1 =
    "float,revLimit,M1,Name,9500.5\r\n"
    "int,,blank,Name,7\n"
    "int,dup,M1,Name,1\n"
    "int,dup,M1,Name,2\n"
    "string,short,cells\n"
    "string,label,M1,Name,hello world\n";

class ExtDbTest : public ::testing::Test {
protected:
    ExtDbTest()
        : bank_("rd.dat",
                {Member(zfmt::ExtDbTableFile("T1"), kT1), Member(zfmt::ExtDbTableFile("T2"), "int,v,x,y,1\n")},
                0x1234ABCDu, false) {
        tmExtDataBase::SetBank(&bank_.Info());
    }
    ~ExtDbTest() override { tmExtDataBase::SetBank(nullptr); }

    TestBank bank_;
};

TEST_F(ExtDbTest, LookupsFollowTheKeyRules) {
    tmExtDataBase t;
    t.Load("T1", false);
    EXPECT_EQ(t.GetRowCount(), 7);  // six lines and the empty one after the last line feed
    EXPECT_STREQ(t.GetTablePath(), "data/Config/ExtDB_T1.txt");
    EXPECT_FLOAT_EQ(t.GetFloat("revLimit", "M1", "Name"), 9500.5f);
    EXPECT_EQ(t.GetInt("revLimit", "M1", "Name"), 9500);
    EXPECT_EQ(t.GetInt(nullptr, "blank", "Name"), 7);  // null part = empty cell
    EXPECT_EQ(t.GetInt("dup", "M1", "Name"), 1);       // first of two equal keys
    EXPECT_TRUE(t.Exists("short", "cells", nullptr));  // key "short,cells,"
    EXPECT_STREQ(t.GetString("short", "cells", ""), "");
    EXPECT_STREQ(t.GetString("label", "M1", "Name"), "hello world");

    EXPECT_FALSE(t.Exists("revLimit", "M2", "Name"));
    EXPECT_EQ(t.GetInt("revLimit", "M2", "Name"), 0);
    EXPECT_EQ(t.GetFloat("revLimit", "M2", "Name"), 0.0f);
    EXPECT_STREQ(t.GetString("revLimit", "M2", "Name"), "");
}

TEST_F(ExtDbTest, TableMissingFromTheBankHasNoRows) {
    tmExtDataBase t;
    t.Load("Nothing", false);
    EXPECT_EQ(t.GetRowCount(), 0);
    EXPECT_FALSE(t.Exists("", "", ""));
    EXPECT_EQ(t.GetInt("a", "b", "c"), 0);
    EXPECT_STREQ(t.GetString("a", "b", "c"), "");
}

TEST_F(ExtDbTest, BaseCopyOnlyWhenBothFlagsAreSet) {
    tmExtDataBase t;
    t.Load("T2", true, false);
    EXPECT_FALSE(t.HasBaseCopy());
    t.Load("T2", true, true);
    EXPECT_TRUE(t.HasBaseCopy());
    t.Load("T2", false, true);
    EXPECT_FALSE(t.HasBaseCopy());
}

TEST_F(ExtDbTest, ManagerLoadsOnceAndKeepsItsOwnName) {
    tmExtDataBase::Manager m(false);
    char name[8];
    std::strcpy(name, "T2");
    tmExtDataBase* first = m.Load(name, false);
    ASSERT_NE(first, nullptr);
    std::strcpy(name, "zz");  // the caller's text changes; the manager still knows "T2"
    EXPECT_EQ(m.Find("T2"), first);
    EXPECT_EQ(m.Find("zz"), nullptr);

    // A second load returns the same table without reading the bank again.
    bank_.Rewrite(zfmt::Bytes(3, 0));
    EXPECT_EQ(m.Load("T2", true), first);
    EXPECT_EQ(first->GetInt("v", "x", "y"), 1);
    EXPECT_EQ(m.GetCount(), 1);

    m.Unload("T2");
    m.Unload("T2");  // absent: nothing
    EXPECT_EQ(m.Find("T2"), nullptr);
    EXPECT_EQ(m.GetCount(), 0);
    EXPECT_EQ(m.Load("T2", false)->GetRowCount(), 0);  // the damaged bank now gives no rows
}

TEST(ExtDbWithoutTables, ABankNeverRegisteredIsSaidInTheLog) {
    const tmEngineTables registered = tmEngineTables::Get();
    tmEngineTables::Register(tmEngineTables{});
    testing::internal::CaptureStderr();
    tmExtDataBase t;
    t.Load("T1", false);
    const std::string log = testing::internal::GetCapturedStderr();
    tmEngineTables::Register(registered);
    EXPECT_EQ(t.GetRowCount(), 0);
    EXPECT_NE(log.find("no data-table bank is registered"), std::string::npos) << log;
}

// Runs in the run folder, where the game finds data\bankRD01.dat.
class GeneratedTables : public ::testing::Test {
protected:
    void SetUp() override {
        char* old = getcwd(nullptr, 0);
        cwd_ = old ? old : ".";
        std::free(old);
        ASSERT_EQ(chdir(ZARVO_RUN_DIR), 0);
    }
    void TearDown() override { (void)chdir(cwd_.c_str()); }
    std::string cwd_;
};

TEST_F(GeneratedTables, EveryMachineHasEveryParameterAndCurve) {
    tmExtDataBase::Manager& m = tmExtDataBase::Manager::GetInstance();
    tmExtDataBase* t = m.Load(zfmt::kMachineTable, false);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(content::kMachineModelCodeCount, 11);
    for (const char* code : content::kMachineModelCodes) {
        SCOPED_TRACE(code);
        for (const zfmt::MachineParam& p : zfmt::kMachineParams)
            EXPECT_TRUE(t->Exists(p.name, code, zfmt::kMachineKeyColumn)) << p.name;
        const float revMin = t->GetFloat("revMin", code, "Name");
        const float revLimit = t->GetFloat("revLimit", code, "Name");
        const int gears = t->GetInt("nbGear", code, "Name");
        EXPECT_GT(revMin, 0.0f);
        EXPECT_GT(revLimit, revMin);
        EXPECT_GE(gears, 1);
        EXPECT_LE(gears, zfmt::kGearRows);
        EXPECT_GT(t->GetFloat("weight", code, "Name"), 0.0f);
        EXPECT_GT(t->GetFloat("tireRadius", code, "Name"), 0.0f);
        EXPECT_GT(t->GetInt("bstEnergy", code, "Name"), 0);

        std::string trq = zfmt::TorqueColumn(code);
        for (int i = 0; i < zfmt::kTorqueRows; ++i) {
            std::string row = zfmt::TorqueRowKey(i);
            ASSERT_TRUE(t->Exists(trq.c_str(), row.c_str(), zfmt::kTorqueKeyColumn)) << row;
            if (i * zfmt::kTorqueRpmStep <= revLimit) {
                EXPECT_GT(t->GetFloat(trq.c_str(), row.c_str(), zfmt::kTorqueKeyColumn), 0.0f) << row;
            }
        }
        std::string ratio = zfmt::GearRatioColumn(code), down = zfmt::GearDownColumn(code);
        float up = t->GetFloat(zfmt::GearUpColumn(code).c_str(), nullptr, nullptr);
        EXPECT_GT(up, revMin);
        EXPECT_LT(up, revLimit);  // rpm is held at the limit, so a higher shift point never fires
        float previous = 1e9f;
        for (int g = 0; g < zfmt::kGearRows; ++g) {
            std::string row = zfmt::GearRowKey(g);
            ASSERT_TRUE(t->Exists(ratio.c_str(), row.c_str(), zfmt::kGearKeyColumn)) << row;
            ASSERT_TRUE(t->Exists(down.c_str(), row.c_str(), zfmt::kGearKeyColumn)) << row;
            if (g >= gears) continue;
            float r = t->GetFloat(ratio.c_str(), row.c_str(), zfmt::kGearKeyColumn);
            EXPECT_GT(r, 0.0f);
            EXPECT_LT(r, previous);
            // After an up-shift into this gear the rpm lands above its shift-down point.
            if (g > 0) {
                EXPECT_LT(t->GetFloat(down.c_str(), row.c_str(), zfmt::kGearKeyColumn), up * r / previous);
            }
            previous = r;
        }
    }
    m.Unload(zfmt::kMachineTable);
}

TEST_F(GeneratedTables, RouteTablesAndTheCourseViewerLoad) {
    tmExtDataBase::Manager& m = tmExtDataBase::Manager::GetInstance();
    // Every layout has one row per route section of its circuit.
    const std::pair<const char*, int> courses[] = {
        {"CourseBarcelona", 287}, {"CourseNisekoRev", 79}, {"CourseQir", 461}, {"CourseCanadaRev", 268}};
    for (const auto& [course, sections] : courses) {
        tmExtDataBase* t = m.Load(course, false);
        EXPECT_TRUE(t->Exists(zfmt::RouteRowKey(sections - 1).c_str(), "Speed0", zfmt::kRouteGrid)) << course;
        EXPECT_FALSE(t->Exists(zfmt::RouteRowKey(sections).c_str(), "Speed0", zfmt::kRouteGrid)) << course;
        EXPECT_GT(t->GetFloat("Route000", "Speed1", "ArrayTable"), 0.0f) << course;
        EXPECT_GT(t->GetInt("Route000", "NextRoute0", "ArrayTable"), 0) << course;
        m.Unload(course);
    }
    // The course viewer's rows: a model name and its place, up to a row that is not there.
    tmExtDataBase* viewer = m.Load("CourseViewer", false);
    EXPECT_STRNE(viewer->GetString("Model00", "PX", "Pos"), "");
    EXPECT_TRUE(viewer->Exists("Model00Pos", "AlphaEnd", "Pos"));
    EXPECT_FALSE(viewer->Exists("Model50", "PX", "Pos"));
    m.Unload("CourseViewer");
}

TEST_F(GeneratedTables, EveryDirectoryEntryOfTheDataTableBankReads) {
    tmArchiver a;
    ASSERT_TRUE(a.Open(content::bankRD01));
    EXPECT_EQ(content::bankRD01.entryCount, 15u);
    for (std::uint32_t i = 0; i < content::bankRD01.entryCount; ++i) {
        const tmArchiveEntry& e = content::bankRD01.directory[i];
        ASSERT_NE(a.ReadAt(i), nullptr) << e.name;
        EXPECT_EQ(a.GetReadSize(), e.size) << e.name;
    }
    EXPECT_NE(a.FindEntry("data/Config/ExtDB_CourseSydneyRev.txt"), nullptr);
}

}  // namespace
