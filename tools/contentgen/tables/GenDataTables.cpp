// Generator of the data-table bank: machine handling, the computer route table of each
// circuit layout and the course viewer's placements, as text tables in bankRD01.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "Generators.h"
#include "course/CourseViewerArt.h"
#include "format/ExtDbText.h"
#include "format/MachineTableKeys.h"
#include "format/RouteTableKeys.h"
#include "tools/track/RouteRows.h"

namespace contentgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// One machine's column of the manifest, by row name.
using MachineColumn = std::map<std::string, double>;

// ---- the machine's derived curves ----

// Engine torque at `rpm`: rises from 55 % of the peak at 0 rpm to the peak,
// falls to 78 % at the rev limit and on toward 30 % at 28000 rpm.
double Torque(const MachineColumn& m, double rpm) {
    double peak = m.at("trqPeak"), peakRpm = m.at("trqPeakRpm"), limit = m.at("revLimit");
    if (rpm <= peakRpm) return peak * (0.55 + 0.45 * rpm / peakRpm);
    if (rpm <= limit) return peak * (1.0 - 0.22 * (rpm - peakRpm) / (limit - peakRpm));
    double last = zfmt::kTorqueRpmStep * (zfmt::kTorqueRows - 1);
    return peak * (0.78 - 0.48 * (rpm - limit) / (last - limit));
}

struct Gearbox {
    std::vector<double> ratio;  // kGearRows ratios; unused gears repeat the top one
    std::vector<double> down;   // kGearRows shift-down rpms
    double up = 0;
};

// Gear ratios spaced geometrically from gear 1 to the top gear; shift up just
// under the rev limit and down well below the rpm an up-shift lands on.
Gearbox MakeGearbox(const MachineColumn& m) {
    Gearbox g;
    int n = int(m.at("nbGear"));
    double first = m.at("gear1"), top = m.at("gearTop");
    g.up = std::round(m.at("revLimit") * 0.96);
    for (int i = 0; i < zfmt::kGearRows; ++i) {
        int k = i < n ? i : n - 1;
        double r = n > 1 ? first * std::pow(top / first, double(k) / (n - 1)) : first;
        g.ratio.push_back(std::round(r * 1000) / 1000);
    }
    for (int i = 0; i < zfmt::kGearRows; ++i) {
        double landing = i == 0 ? 0 : g.up * g.ratio[i] / g.ratio[i - 1];
        g.down.push_back(i == 0 ? 0 : std::round(landing * 0.8));
    }
    return g;
}

double RevSpeed(const MachineColumn& m, double totalRatio, double rpm) {
    return rpm * 2 * kPi * m.at("tireRadius") / (60 * totalRatio);
}

// The air factor that makes full-throttle drive force meet air and rolling
// resistance at the manifest's top speed in top gear.
double AirResist(const MachineColumn& m, const Gearbox& g) {
    double v = m.at("topKmh") / 3.6;
    double ratio = g.ratio[int(m.at("nbGear")) - 1] * m.at("gearFinal");
    double rpm = 60 * v * ratio / (2 * kPi * m.at("tireRadius"));
    double drive = ratio * Torque(m, rpm) / (2 * kPi * m.at("tireRadius"));
    double rolling = v * 0.16333334 * m.at("weight") * 0.0001;
    return (drive - rolling) / (v * v);
}

// Straight-line run at full throttle with automatic gears, as the machine's
// drivetrain step does it; gives the top speed and the time to 200 km/h.
struct RunResult {
    double topKmh = 0;
    double secondsTo200 = -1;
};

RunResult StraightRun(const MachineColumn& m, const Gearbox& g, double airResist) {
    double r = m.at("tireRadius"), w = m.at("weight"), limit = m.at("revLimit");
    int nb = int(m.at("nbGear")), gear = 0;
    double v = 0, rpm = m.at("revMin");
    RunResult res;
    for (int frame = 0; frame < 60 * 60; ++frame) {
        if (rpm > g.up && gear < nb - 1) ++gear;
        if (rpm < g.down[gear] && gear > 0) --gear;
        double ratio = g.ratio[gear] * m.at("gearFinal");
        int ri = int(rpm), i = std::min(ri / 2000, 13);
        double f = (ri % 2000) / 2000.0;
        double t0 = Torque(m, i * 2000.0), t1 = Torque(m, (i + 1) * 2000.0);
        double dv = ratio * (t0 + (t1 - t0) * f) / (2 * kPi * r) / w;
        if (rpm >= limit && dv > 0) dv = 0;
        v += dv;
        double resist = (v * 0.16333334 * w * 0.0001 + v * v * airResist) / w;
        v = std::max(0.0, v - resist);
        rpm = std::min(limit, std::max(m.at("revMin"), 60 * v * ratio / (2 * kPi * r)));
        if (res.secondsTo200 < 0 && v * 3.6 >= 200) res.secondsTo200 = frame / 60.0;
        res.topKmh = std::max(res.topKmh, v * 3.6);
    }
    return res;
}

// Speed at the end of a full boost (both stages where the machine has two)
// begun at top speed in top gear, as the boost drives it: extra torque
// proportional to speed, the boost final drive, aero air resistance.
double BoostPeakKmh(const MachineColumn& m, const Gearbox& g, double airResist) {
    double r = m.at("tireRadius"), w = m.at("weight");
    double ratio = g.ratio[int(m.at("nbGear")) - 1] * m.at("gearFinalBst");
    double v = m.at("topKmh") / 3.6, peak = v;
    int first = int(m.at("bstTimeUse") - m.at("bstTimeStart"));
    int second = m.at("bstTimeUse2nd") > 0 ? int(m.at("bstTimeUse2nd") - m.at("bstTimeStart2nd")) : 0;
    for (int frame = 0; frame < first + second; ++frame) {
        double power = frame < first ? m.at("bstPower") : m.at("bstPower2nd");
        double rpm = 60 * v * ratio / (2 * kPi * r);
        double drive = ratio * (Torque(m, rpm) + power * v) / (2 * kPi * r);
        v += (drive - v * v * airResist * m.at("aeroDrag") - v * 0.16333334 * w * 0.0001) / w;
        peak = std::max(peak, v);
    }
    return peak * 3.6;
}

void WriteMachine(zfmt::ExtDbWriter& w, const std::string& code, const MachineColumn& m, Output& out) {
    Gearbox g = MakeGearbox(m);
    double air = AirResist(m, g);
    MachineColumn cols = m;
    cols["airResist"] = air;
    cols["airResistAero"] = air * m.at("aeroDrag");
    cols["tireFrictMin"] = std::round(m.at("gripMinShare") * 0.16333334 * m.at("weight") * m.at("tireFrict"));
    for (const zfmt::MachineParam& p : zfmt::kMachineParams) {
        auto it = cols.find(p.name);
        if (it == cols.end()) {
            out.Fail(code + ": no value for " + p.name);
            continue;
        }
        if (p.isInt)
            w.Int(p.name, code, zfmt::kMachineKeyColumn, std::llround(it->second));
        else
            w.Float(p.name, code, zfmt::kMachineKeyColumn, it->second);
    }
    for (int i = 0; i < zfmt::kTorqueRows; ++i)
        w.Float(zfmt::TorqueColumn(code), zfmt::TorqueRowKey(i), zfmt::kTorqueKeyColumn,
                std::round(Torque(m, i * double(zfmt::kTorqueRpmStep)) * 100) / 100);
    for (int i = 0; i < zfmt::kGearRows; ++i)
        w.Float(zfmt::GearRatioColumn(code), zfmt::GearRowKey(i), zfmt::kGearKeyColumn, g.ratio[i]);
    for (int i = 0; i < zfmt::kGearRows; ++i)
        w.Float(zfmt::GearDownColumn(code), zfmt::GearRowKey(i), zfmt::kGearKeyColumn, g.down[i]);
    w.Float(zfmt::GearUpColumn(code), "", "", g.up);

    // Drivability: a top speed near the intended one, reached below the rev
    // limit, and a brisk but not instant launch.
    int nb = int(m.at("nbGear"));
    double revTop = RevSpeed(m, g.ratio[nb - 1] * m.at("gearFinal"), m.at("revLimit")) * 3.6;
    RunResult run = StraightRun(m, g, air);
    out.Check(nb >= 1 && nb <= zfmt::kGearRows, code + ": gear count out of range");
    out.Check(revTop > m.at("topKmh"), code + ": top speed lies beyond the rev limit in top gear");
    out.Check(air > 0, code + ": engine too weak for its top speed");
    out.Check(run.topKmh > 0.95 * m.at("topKmh") && run.topKmh < 1.02 * m.at("topKmh"),
              code + ": straight run tops out at " + std::to_string(run.topKmh) + " km/h");
    out.Check(run.secondsTo200 > 2 && run.secondsTo200 < 8,
              code + ": 0-200 km/h takes " + std::to_string(run.secondsTo200) + " s");
    // Course gates are spaced for at most one frame's travel at 700 km/h.
    double boostPeak = BoostPeakKmh(m, g, air);
    out.Check(boostPeak > m.at("topKmh") && boostPeak < 700,
              code + ": a full boost peaks at " + std::to_string(boostPeak) + " km/h");
    out.Check(std::abs(m.at("frontPwrRate") + m.at("rearPwrRate") - 1) < 1e-6,
              code + ": drive shares do not add up to 1");
}

// Reads the machine manifest: a header row of model codes, then one row per value.
std::vector<std::pair<std::string, MachineColumn>> ReadMachines(const Context& ctx, Output& out) {
    std::vector<std::pair<std::string, MachineColumn>> machines;
    std::vector<ManifestLine> lines = ReadManifest(ctx, "machines.txt", out);
    if (lines.empty() || lines[0].fields.empty() || lines[0].fields[0] != "code") {
        out.Fail("machines.txt: first row must list the model codes");
        return machines;
    }
    for (std::size_t i = 1; i < lines[0].fields.size(); ++i) machines.push_back({lines[0].fields[i], {}});
    for (std::size_t l = 1; l < lines.size(); ++l) {
        const ManifestLine& line = lines[l];
        if (line.fields.size() != machines.size() + 1) {
            out.Fail("machines.txt:" + std::to_string(line.lineNumber) + ": wrong number of values");
            continue;
        }
        for (std::size_t i = 0; i < machines.size(); ++i)
            machines[i].second[line.fields[0]] = std::strtod(line.fields[i + 1].c_str(), nullptr);
    }
    return machines;
}

// ---- route tables ----

}  // namespace

void GenDataTables(Output& out, const Context& ctx) {
    BankOutput& bank = out.AddBank("bankRD01", DefaultBankKey("bankRD01"), BankDirectory::Stems);
    bank.ExpectCount(15);

    zfmt::ExtDbWriter machine;
    auto machines = ReadMachines(ctx, out);
    out.Check(machines.size() == 11, "machines.txt: expected 11 model codes");
    for (const auto& [code, column] : machines) {
        out.Check(code.size() + 9 <= std::size_t(zfmt::kCurveColumnLimit), code + ": model code too long");
        WriteMachine(machine, code, column, out);
    }
    out.Check(machine.Error().empty(), "machine table: " + machine.Error());
    bank.Add(zfmt::ExtDbTableFile(zfmt::kMachineTable), machine.Text());

    // One computer route table per layout, from the layout's centre line.
    for (const track::Layout& l : track::AllLayouts()) {
        if (!l.info) continue;
        out.Check(l.error.empty(), "route table " + std::string(l.info->routeTable) + ": " + l.error);
        zfmt::ExtDbWriter route;
        zfmt::WriteRouteTable(route, track::BuildRouteRows(l));
        out.Check(route.Error().empty(), std::string(l.info->routeTable) + ": " + route.Error());
        bank.Add(zfmt::ExtDbTableFile(l.info->routeTable), route.Text());
    }

    // The course viewer's yard; the sample table is read by nothing and shows the line format.
    bank.Add(zfmt::ExtDbTableFile("CourseViewer"), CourseViewerTableText(out));
    zfmt::ExtDbWriter sample;
    sample.Int("count", "Sample", "Name", 1);
    sample.Float("scale", "Sample", "Name", 1.5);
    sample.String("label", "Sample", "Name", "sample");
    bank.Add(zfmt::ExtDbTableFile("Sample"), sample.Text());

    out.Header() << "\nnamespace content {\n"
                 << "// Model codes of the machines in the \"Machine\" data table, in manifest order.\n"
                 << "inline constexpr int kMachineModelCodeCount = " << machines.size() << ";\n"
                 << "extern const char* const kMachineModelCodes[" << std::max<std::size_t>(1, machines.size())
                 << "];\n}  // namespace content\n";
    out.Source() << "\nnamespace content {\nconst char* const kMachineModelCodes["
                 << std::max<std::size_t>(1, machines.size()) << "] = {";
    for (const auto& m : machines) out.Source() << CppString(m.first) << ", ";
    out.Source() << "};\n}  // namespace content\n";
}

}  // namespace contentgen
