// Keys of a course's computer route table and a writer for its rows.
//
// One row "Route%03d" per route section in the grid "ArrayTable"; columns
// "Bank" (shared by both driving types) and, for driving type t = 0 or 1,
// "Speed<t>", "Boost<t>", "PosShift<t>", "NextRoute<t>", "OtShift<t>" and
// "UseTf<t>". Integer columns: Bank, Boost, NextRoute, UseTf; the rest float.
#pragma once

#include <string>
#include <vector>

#include "format/ExtDbText.h"

namespace zfmt {

constexpr const char* kRouteGrid = "ArrayTable";

std::string RouteRowKey(int section);  // "Route007" for section 7

// One section's entry for each driving type.
struct RouteEntry {
    int bank = 0;
    float speed[2] = {0, 0};     // km/h the computer driver brakes down to
    int boost[2] = {0, 0};       // 1: boost here when ready
    float posShift[2] = {0, 0};  // target point across the gate: 1 end A, -1 end B
    int nextRoute[2] = {0, 0};   // look-ahead in sections
    float otShift[2] = {0, 0};   // overtaking point = posShift + otShift
    int useTf[2] = {0, 0};
};

// Appends one row per entry, section 0 first, in the column order the reader uses.
void WriteRouteTable(ExtDbWriter& w, const std::vector<RouteEntry>& sections);

}  // namespace zfmt
