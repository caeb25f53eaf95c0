// MachineManifest.cpp -- parsing and checking the machine descriptions (machine_models.txt).
#include "machine/MachineManifest.h"

#include <cstdlib>
#include <set>

namespace contentgen {

namespace {

bool ToUnsigned(const std::string& s, unsigned& v) {
    char* end = nullptr;
    const unsigned long x = std::strtoul(s.c_str(), &end, 0);
    v = static_cast<unsigned>(x);
    return end != s.c_str() && *end == '\0';
}

bool ToFloat(const std::string& s, float& v) {
    char* end = nullptr;
    v = std::strtof(s.c_str(), &end);
    return end != s.c_str() && *end == '\0';
}

// The pose pair each list serves, by transition type (-1: no list).
bool ListPair(int type, int list, int& from, int& to) {
    static const int kPairs[6][2] = {{0, 1}, {1, 0}, {1, 2}, {2, 1}, {2, 3}, {3, 1}};
    if (type == 1 && list < 2) {
        from = list == 0 ? 0 : 2;
        to = list == 0 ? 2 : 0;
        return true;
    }
    if ((type == 2 && list < 4) || (type == 3 && list < 6)) {
        from = kPairs[list][0];
        to = kPairs[list][1];
        return true;
    }
    return false;
}

bool Rolls(unsigned kind) {
    switch (kind) {
        case 2:
        case 4:
        case 6:
        case 8:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 15:
        case 17: return true;
        default: return false;
    }
}

// Which kinds a role's model may be drawn with; empty text when it fits.
std::string RoleProblem(const MachinePart& p) {
    const std::string& r = p.role;
    if (r == "wheel" || r == "nosewheel") return Rolls(p.kind) ? "" : "a wheel must roll (kinds 2, 4, 6, 8-13, 15, 17)";
    if (r == "lamp") return p.altCondition == 1 && p.alt ? "" : "a lamp has a lit model on the brake-lamp condition";
    if (r == "brake")
        return p.altCondition == 2 && p.alt ? "" : "a brake has a glowing model on the brake-glow condition";
    if (r == "flame" || r == "nozzle" || r == "airbrake" || r == "vent")
        return p.kind == 1 || p.kind == 22 ? "" : "boost parts show only in boost (kinds 1, 22)";
    if (r == "fan") return Rolls(p.kind) || p.kind == 21 ? "" : "a fan must spin";
    if (r == "turbine") return p.kind == 21 ? "" : "a turbine spins with the spinner (kind 21)";
    if (r == "halo") return p.kind == 18 || p.kind == 19 ? "" : "a halo turns about the body axis (kinds 18, 19)";
    if (r == "pod") return p.kind == 20 ? "" : "a pod is lifted (kind 20)";
    if (r == "canard" || r == "splitter" || r == "vane" || r == "plate" || r == "skirt" || r == "diffuser" ||
        r == "spoiler" || r == "fin" || r == "boom")
        return "";
    return "unknown role '" + r + "'";
}

}  // namespace

const char* FamilyName(Family f) {
    switch (f) {
        case Family::Torvin: return "torvin";
        case Family::Belmar: return "belmar";
        case Family::Quessa: return "quessa";
        case Family::Dravik: return "dravik";
        case Family::Olvane: return "olvane";
        case Family::Prentis: return "prentis";
    }
    return "?";
}

int MachineDescription::PoseOf(unsigned slot) const {
    for (int p = 0; p < kMachinePoses; ++p)
        if (poses[p] == slot) return p;
    return -1;
}

const MachineMorph* MachineDescription::MorphOf(unsigned slot) const {
    for (const MachineMorph& m : morphs)
        if (m.slot == slot) return &m;
    return nullptr;
}

bool MachineDescription::WheelAt(int table, unsigned slot, float out[3]) const {
    if (table < 0 || table >= 4) return false;
    const int pose = PoseOf(slot);
    if (pose >= 0) {
        for (int k = 0; k < 3; ++k) out[k] = wheelPos[table][pose][k];
        return true;
    }
    const MachineMorph* m = MorphOf(slot);
    if (!m) return false;
    for (int k = 0; k < 3; ++k)
        out[k] = wheelPos[table][m->from][k] + (wheelPos[table][m->to][k] - wheelPos[table][m->from][k]) * m->t;
    return true;
}

std::array<MachineDescription, kMachineCount> ReadMachineDescriptions(const Context& ctx, Output& out) {
    std::array<MachineDescription, kMachineCount> machines;
    MachineDescription* cur = nullptr;
    for (const ManifestLine& line : ReadManifest(ctx, "machine_models.txt", out)) {
        const std::vector<std::string>& f = line.fields;
        const std::string where = "machine_models.txt:" + std::to_string(line.lineNumber) + ": ";
        auto u = [&](std::size_t i) {
            unsigned v = 0;
            if (i >= f.size() || !ToUnsigned(f[i], v)) out.Fail(where + "expected a whole number");
            return v;
        };
        auto fl = [&](std::size_t i) {
            float v = 0;
            if (i >= f.size() || !ToFloat(f[i], v)) out.Fail(where + "expected a number");
            return v;
        };
        if (f[0] == "machine" && f.size() == 2) {
            const unsigned id = u(1);
            cur = nullptr;
            if (id < 1 || id >= static_cast<unsigned>(kMachineCount)) {
                out.Fail(where + "machine id outside 1..11");
                continue;
            }
            cur = &machines[id];
            cur->present = true;
            cur->id = static_cast<int>(id);
            continue;
        }
        if (cur == nullptr) {
            out.Fail(where + "line before any machine");
            continue;
        }
        if (f[0] == "family" && f.size() == 2) {
            const Family all[] = {Family::Torvin, Family::Belmar, Family::Quessa,
                                  Family::Dravik, Family::Olvane, Family::Prentis};
            bool found = false;
            for (Family fam : all)
                if (f[1] == FamilyName(fam)) {
                    cur->family = fam;
                    found = true;
                }
            out.Check(found, where + "unknown family " + f[1]);
        } else if (f[0] == "transition" && f.size() == 2) {
            cur->transition = static_cast<int>(u(1));
        } else if (f[0] == "scale" && f.size() == 4) {
            for (int k = 0; k < 3; ++k) cur->scale[k] = fl(1 + k);
        } else if (f[0] == "livery" && f.size() == 4) {
            cur->paint = u(1);
            cur->stripe = u(2);
            cur->trim = u(3);
        } else if (f[0] == "body" && f.size() == 7) {
            for (int i = 0; i < kMachinePoses; ++i) cur->poses[i] = u(1 + i);
            cur->far = u(5);
            cur->bodyKind = u(6);
        } else if (f[0] == "morph" && f.size() == 5) {
            MachineMorph m{u(1), static_cast<int>(u(2)), static_cast<int>(u(3)), fl(4)};
            out.Check(m.from < kMachinePoses && m.to < kMachinePoses && m.t > 0 && m.t < 1,
                      where + "a morph blends two poses 0..3 at a share between 0 and 1");
            cur->morphs.push_back(m);
        } else if (f[0] == "part" && f.size() == 12) {
            if (cur->parts.size() >= 32) {
                out.Fail(where + "more than 32 parts");
                continue;
            }
            MachinePart p;
            p.model = u(1);
            p.alt = u(2);
            p.altCondition = u(3);
            p.kind = u(4);
            for (int i = 0; i < 3; ++i) {
                p.pos[i] = fl(5 + i);
                p.rot[i] = fl(8 + i);
            }
            p.role = f[11];
            out.Check(p.model != 0, where + "a part without a model");
            out.Check(p.kind <= 23, where + "part kind above 23");
            out.Check((p.alt != 0) == (p.altCondition != 0), where + "alternative model and condition go together");
            const std::string problem = RoleProblem(p);
            out.Check(problem.empty(), where + problem);
            cur->parts.push_back(p);
        } else if (f[0] == "list" && f.size() == 3 + kMachineFrames) {
            const unsigned index = u(1);
            if (index >= 6) {
                out.Fail(where + "list index outside 0..5");
                continue;
            }
            out.Check(!cur->hasList[index], where + "list given twice");
            cur->hasList[index] = true;
            cur->listKind[index] = u(2);
            for (int i = 0; i < kMachineFrames; ++i) cur->lists[index][i] = u(3 + i);
        } else if (f[0] == "wheelpos" && f.size() == 2 + 3 * kMachinePoses) {
            const unsigned table = u(1);
            if (table >= 4) {
                out.Fail(where + "wheel table outside 0..3");
                continue;
            }
            for (int p = 0; p < kMachinePoses; ++p)
                for (int k = 0; k < 3; ++k) cur->wheelPos[table][p][k] = fl(2 + 3 * p + k);
        } else if (f[0] == "wheelkeys" && f.size() == 2 + kMachineFrames) {
            const unsigned table = u(1);
            if (table >= 4) {
                out.Fail(where + "wheel table outside 0..3");
                continue;
            }
            cur->hasWheelTable[table] = true;
            for (int i = 0; i < kMachineFrames; ++i) cur->wheelKeys[table][i] = u(2 + i);
        } else if (f[0] == "spare" && f.size() == 3) {
            cur->spares.push_back({u(1), static_cast<int>(u(2))});
        } else {
            out.Fail(where + "unknown or malformed line");
        }
    }

    for (int id = 1; id < kMachineCount; ++id) {
        const MachineDescription& m = machines[id];
        const std::string who = "machine " + std::to_string(id) + ": ";
        out.Check(m.present, "machine_models.txt: machine " + std::to_string(id) + " missing");
        if (!m.present) continue;
        for (int p = 0; p < kMachinePoses; ++p) out.Check(m.poses[p] != 0, who + "a pose without a body");
        out.Check(m.far != 0, who + "no far model");
        // Lists: the pairs of the transition type, ending on the target pose, through bodies only.
        for (int l = 0; l < 6; ++l) {
            int from = 0, to = 0;
            const bool served = ListPair(m.transition, l, from, to);
            out.Check(served == m.hasList[l], who + "list " + std::to_string(l) + " does not match transition type " +
                                                  std::to_string(m.transition));
            if (!served || !m.hasList[l]) continue;
            out.Check(m.lists[l][0] == m.poses[from] && m.lists[l][kMachineFrames - 1] == m.poses[to],
                      who + "list " + std::to_string(l) + " must run from its pose to the next");
            for (unsigned s : m.lists[l])
                out.Check(m.PoseOf(s) >= 0 || m.MorphOf(s) != nullptr,
                          who + "list " + std::to_string(l) + " names " + std::to_string(s) + ", which is no body");
        }
        // Wheel nodes of kinds 10..13 need their table; every key is a body.
        for (const MachinePart& p : m.parts)
            if (p.kind >= 10 && p.kind <= 13)
                out.Check(m.hasWheelTable[p.kind - 10], who + "a wheel of kind " + std::to_string(p.kind) +
                                                            " without wheel table " + std::to_string(p.kind - 10));
        for (int t = 0; t < 4; ++t) {
            if (!m.hasWheelTable[t]) continue;
            float pos[3];
            for (unsigned key : m.wheelKeys[t])
                out.Check(m.WheelAt(t, key, pos), who + "wheel key " + std::to_string(key) + " is no body");
        }
        // One meaning per slot.
        std::set<unsigned> bodies;
        for (unsigned s : m.poses) bodies.insert(s);
        for (const MachineMorph& mo : m.morphs) {
            out.Check(bodies.insert(mo.slot).second, who + "slot " + std::to_string(mo.slot) + " is two bodies");
        }
        for (const auto& sp : m.spares) {
            out.Check(sp.second >= 0 && sp.second < kMachinePoses, who + "a spare names a pose outside 0..3");
            out.Check(bodies.count(sp.first) == 0, who + "spare " + std::to_string(sp.first) + " is already a body");
        }
        for (const MachinePart& p : m.parts)
            for (unsigned s : {p.model, p.alt})
                if (s != 0)
                    out.Check(bodies.count(s) == 0 && s != m.far,
                              who + "part slot " + std::to_string(s) + " is also a body");
        for (size_t a = 0; a < m.parts.size(); ++a)
            for (size_t b = a + 1; b < m.parts.size(); ++b) {
                const MachinePart& x = m.parts[a];
                const MachinePart& y = m.parts[b];
                if (x.model == y.model)
                    out.Check(x.role == y.role, who + "slot " + std::to_string(x.model) + " holds two roles");
                out.Check(x.alt == 0 || (x.alt != y.model && x.alt != y.alt) || x.role == y.role,
                          who + "slot " + std::to_string(x.alt) + " holds two roles");
            }
    }
    return machines;
}

}  // namespace contentgen
