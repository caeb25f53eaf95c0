// Keys of a course's computer route table and a writer for its rows.
#include "format/RouteTableKeys.h"

#include <cstdio>

namespace zfmt {

std::string RouteRowKey(int section) {
    char row[32];
    std::snprintf(row, sizeof row, "Route%03d", section);
    return row;
}

void WriteRouteTable(ExtDbWriter& w, const std::vector<RouteEntry>& sections) {
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const RouteEntry& e = sections[s];
        std::string row = RouteRowKey(static_cast<int>(s));
        w.Int(row, "Bank", kRouteGrid, e.bank);
        for (int t = 0; t < 2; ++t) {
            std::string n = std::to_string(t);
            w.Float(row, "Speed" + n, kRouteGrid, e.speed[t]);
            w.Int(row, "Boost" + n, kRouteGrid, e.boost[t]);
            w.Float(row, "PosShift" + n, kRouteGrid, e.posShift[t]);
            w.Int(row, "NextRoute" + n, kRouteGrid, e.nextRoute[t]);
            w.Float(row, "OtShift" + n, kRouteGrid, e.otShift[t]);
            w.Int(row, "UseTf" + n, kRouteGrid, e.useTf[t]);
        }
    }
}

}  // namespace zfmt
