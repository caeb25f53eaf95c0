// tmRouteTable.cpp -- reading a course's route table and turning gate shifts into line points.
#include "course/tmRouteTable.h"

#include <cstdio>

#include "sys/data/tmExtDataBase.h"

namespace {

constexpr const char* kSheet = "ArrayTable";

// Column names of one driving type, in the order the cells are read.
struct Columns {
    const char* speed;
    const char* boost;
    const char* posShift;
    const char* nextRoute;
    const char* otShift;
    const char* useTf;
};
constexpr Columns kColumns[tmRouteTable::kDrivingTypes] = {
    {"Speed0", "Boost0", "PosShift0", "NextRoute0", "OtShift0", "UseTf0"},
    {"Speed1", "Boost1", "PosShift1", "NextRoute1", "OtShift1", "UseTf1"},
};

tmRouteEntry ReadEntry(const sys::tmExtDataBase* table, const char* row, const Columns& c) {
    tmRouteEntry e;
    if (!table) return e;
    e.bank = table->GetInt(row, "Bank", kSheet);
    e.speed = table->GetFloat(row, c.speed, kSheet);
    e.boost = table->GetInt(row, c.boost, kSheet) > 0 ? 1 : 0;
    e.posShift = table->GetFloat(row, c.posShift, kSheet);
    e.nextRoute = table->GetInt(row, c.nextRoute, kSheet);
    e.otShift = table->GetFloat(row, c.otShift, kSheet);
    e.useTf = table->GetInt(row, c.useTf, kSheet) > 0 ? 1 : 0;
    return e;
}

}  // namespace

D3DXVECTOR3 tmRouteTable::GatePoint(const D3DXVECTOR3& a, const D3DXVECTOR3& b, float shift) {
    return ((1.0f + shift) * a + (1.0f - shift) * b) * 0.5f;
}

void tmRouteTable::Release() {
    for (int t = 0; t < kDrivingTypes; ++t) {
        entries_[t].reset();
        points_[t].reset();
    }
    count_ = 0;
}

void tmRouteTable::Load(const char* tableName, const tmRouteGate* gates, int sectionCount) {
    Release();
    if (sectionCount <= 0 || !gates) return;
    count_ = sectionCount;
    for (int t = 0; t < kDrivingTypes; ++t) entries_[t].reset(new tmRouteEntry[static_cast<size_t>(count_)]);

    sys::tmExtDataBase::Manager& manager = sys::tmExtDataBase::Manager::GetInstance();
    const char* name = tableName ? tableName : "";
    manager.Load(name, false);
    const sys::tmExtDataBase* table = manager.Find(name);
    if (!table || table->GetRowCount() == 0)
        std::fprintf(stderr, "route table %s: not found; the computer route is empty\n", name);
    for (int s = 0; s < count_; ++s) {
        char row[32];
        std::snprintf(row, sizeof row, "Route%03d", s);
        for (int t = 0; t < kDrivingTypes; ++t) entries_[t][s] = ReadEntry(table, row, kColumns[t]);
    }
    manager.Unload(name);

    for (int t = 0; t < kDrivingTypes; ++t) {
        points_[t].reset(new tmRoutePoint[static_cast<size_t>(count_)]);
        for (int s = 0; s < count_; ++s) {
            const tmRouteEntry& e = entries_[t][s];
            points_[t][s].target = GatePoint(gates[s].a, gates[s].b, e.posShift);
            points_[t][s].overtake = GatePoint(gates[s].a, gates[s].b, e.posShift + e.otShift);
        }
    }
}

const tmRouteEntry* tmRouteTable::GetEntry(int drivingType, int section) const {
    if (drivingType < 0 || drivingType >= kDrivingTypes || section < 0 || section >= count_) return nullptr;
    return &entries_[drivingType][section];
}

const tmRoutePoint* tmRouteTable::GetPoint(int drivingType, int section) const {
    if (drivingType < 0 || drivingType >= kDrivingTypes || section < 0 || section >= count_) return nullptr;
    return &points_[drivingType][section];
}

int tmRouteTable::WrapSection(int section) const {
    if (count_ <= 0) return -1;
    const int r = section % count_;
    return r < 0 ? r + count_ : r;
}
