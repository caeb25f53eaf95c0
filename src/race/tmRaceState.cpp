// tmRaceState.cpp -- race setup, cups and their points, results, driver and team standings.
#include "race/tmRaceState.h"

#include <cstdio>
#include <cstring>

#include "app/tmConfig.h"
#include "sys/base/tmMemory.h"
#include "sys/base/tmSort.h"
#include "table/CourseTable.h"
#include "table/MachineTable.h"

namespace {

// ---- The cup table ----------------------------------------------------------------------

constexpr tmCupRace R(uint32_t course, uint32_t count, std::initializer_list<uint32_t> machines,
                      std::initializer_list<uint32_t> drivers) {
    tmCupRace r{course, count, {}, {}};
    int i = 0;
    for (uint32_t m : machines) r.machines[i++] = m;
    i = 0;
    for (uint32_t d : drivers) r.drivers[i++] = d;
    return r;
}

const tmCup kCups[tmRaceState::kCupCount] = {
    {2,
     {R(3, 16, {1, 9, 7, 5, 3, 4, 8, 6, 1, 9, 7, 5, 3, 4, 8, 6},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}),
      R(5, 4, {1, 9, 7, 5}, {0, 1, 2, 3})}},
    {6,
     {R(3, 9, {6, 9, 8, 5, 7, 4, 3, 2, 1}, {5, 8, 7, 4, 6, 3, 2, 1, 0}),
      R(2, 9, {8, 6, 9, 4, 7, 5, 3, 1, 2}, {7, 5, 8, 3, 6, 4, 2, 0, 1}),
      R(4, 9, {4, 5, 1, 3, 8, 9, 7, 6, 2}, {3, 4, 0, 2, 7, 8, 6, 5, 1}),
      R(6, 9, {4, 8, 9, 7, 3, 5, 6, 2, 1}, {3, 7, 8, 6, 2, 4, 5, 1, 0}),
      R(7, 9, {6, 9, 8, 5, 7, 4, 3, 2, 1}, {5, 8, 7, 4, 6, 3, 2, 1, 0}),
      R(5, 9, {8, 4, 3, 5, 9, 7, 6, 1, 2}, {7, 3, 2, 4, 8, 6, 5, 0, 1})}},
    {6,
     {R(9, 10, {6, 9, 8, 5, 7, 4, 11, 3, 10, 1}, {5, 8, 7, 4, 6, 3, 1, 2, 9, 0}),
      R(8, 10, {8, 6, 9, 4, 7, 5, 3, 1, 10, 11}, {7, 5, 8, 3, 6, 4, 2, 0, 9, 1}),
      R(10, 10, {4, 5, 1, 11, 3, 8, 9, 7, 6, 10}, {3, 4, 0, 1, 2, 7, 8, 6, 5, 9}),
      R(12, 10, {4, 8, 9, 7, 3, 11, 5, 6, 10, 1}, {3, 7, 8, 6, 2, 1, 4, 5, 9, 0}),
      R(13, 10, {6, 9, 8, 5, 7, 4, 3, 10, 11, 1}, {5, 8, 7, 4, 6, 3, 2, 9, 1, 0}),
      R(11, 10, {8, 4, 3, 5, 11, 9, 7, 6, 10, 1}, {7, 3, 2, 4, 1, 8, 6, 5, 9, 0})}},
};

constexpr uint32_t kPositionPoints[6] = {10, 6, 4, 3, 2, 1};
constexpr char kNoTeam[] = "No Team";

// Copies a name of up to 16 characters; the field always ends in a terminator.
void CopyName(char (&dst)[kRaceNameSize], const char* src) {
    std::memset(dst, 0, sizeof dst);
    for (int i = 0; src && i < kRaceNameSize - 1 && src[i] != '\0'; ++i) dst[i] = src[i];
}

// Puts *value back to `fallback` when it lies outside lo..hi; logs the change.
bool Keep(uint32_t* value, uint32_t lo, uint32_t hi, uint32_t fallback, const char* what) {
    if (*value >= lo && *value <= hi) return true;
    std::fprintf(stderr, "race state: %s %u out of range, %u used\n", what, *value, fallback);
    *value = fallback;
    return false;
}

// Race index as a column of the points table.
uint32_t Column(uint32_t raceIndex) { return raceIndex < kCupRaceSlots ? raceIndex : kCupRaceSlots - 1; }

}  // namespace

// ---- Instance and defaults ------------------------------------------------------------------

tmRaceState& tmRaceState::Get() { return Instance(); }

tmRaceState& tmRaceState::Instance() {
    static tmRaceState state;
    return state;
}

tmRaceState::tmRaceState() { ClearTeams(); }

tmRaceState::~tmRaceState() { ClearStandings(); }

const tmCup* tmRaceState::GetCup(uint32_t cupId) { return cupId < kCupCount ? &kCups[cupId] : nullptr; }

uint32_t tmRaceState::PointsForPosition(int position) {
    return position >= 0 && position < 6 ? kPositionPoints[position] : 0;
}

// ---- Entrants ----------------------------------------------------------------------------

void tmRaceState::SetEntrant(int index, const tmEntrant& entrant) {
    if (index < 0 || index >= kRaceEntrants) {
        std::fprintf(stderr, "race state: entrant slot %d ignored\n", index);
        return;
    }
    tmEntrant& e = entrants[index];
    e = entrant;
    e.driverName[kRaceNameSize - 1] = '\0';
    e.teamName[kRaceNameSize - 1] = '\0';
    if (e.controllerType == kControllerComputer) {
        // A machine id without a record keeps the names it came with.
        if (const MachineSpec* spec = GetMachineSpec(static_cast<int>(e.machineId))) {
            CopyName(e.driverName, spec->driverName);
            CopyName(e.teamName, spec->teamName);
        }
    } else if (e.controllerType == kControllerPlayer) {
        const tmConfig& config = tmConfig::GetInstance();
        CopyName(e.driverName, config.GetPlayerName());
        CopyName(e.teamName, config.GetTeamName());
    }
}

// ---- Cups --------------------------------------------------------------------------------

bool tmRaceState::StartCup(uint32_t cupId, uint32_t machine, uint32_t variant) {
    if (!GetCup(cupId) || !GetMachineSpec(static_cast<int>(machine))) {
        std::fprintf(stderr, "race state: cup %u with machine %u cannot start\n", cupId, machine);
        return false;
    }
    cup.cupId = cupId;
    cup.machineId = machine;
    cup.variant = variant;
    cup.raceIndex = 0;
    std::memset(points, 0, sizeof points);
    SetupCupRace();
    return true;
}

void tmRaceState::SetupCupRace() {
    const tmCup* c = GetCup(cup.cupId);
    if (!c || cup.raceIndex >= c->raceCount) return;
    const tmCupRace& race = c->races[cup.raceIndex];
    const tmConfig& config = tmConfig::GetInstance();

    setup.mode = kRaceModeCup;
    setup.course = race.course;
    setup.count = race.count;
    setup.local = 0;
    setup.difficulty = static_cast<uint32_t>(config.GetGameOption1());
    setup.laps = static_cast<uint32_t>(config.GetGameOption2());
    // The two options come from the save file: keep them to what the driver and the lap timer can take.
    Keep(&setup.difficulty, 0, 3, 1, "difficulty option");
    Keep(&setup.laps, 1, kRaceMaxLaps, 3, "laps option");

    uint32_t playerId = race.count;
    bool playerListed = false;
    int slot = 1;
    for (int i = 0; i < kRaceEntrants; ++i) {
        tmEntrant candidate;
        if (static_cast<uint32_t>(i) < race.count) {
            candidate.machineId = race.machines[i];
            candidate.controllerType = kControllerComputer;
            candidate.entrantId = race.drivers[i];
        } else {
            candidate.machineId = 0;
            candidate.controllerType = kControllerNone;
            candidate.entrantId = 0;
        }
        if (race.machines[i] == cup.machineId) {
            // The player drives this machine and takes over its driver id.
            playerId = race.drivers[i];
            playerListed = true;
            continue;
        }
        if (slot < kRaceEntrants) SetEntrant(slot++, candidate);
    }
    tmEntrant player;
    player.machineId = cup.machineId;
    player.controllerType = kControllerPlayer;
    player.variant = cup.variant;
    player.entrantId = playerId;
    SetEntrant(0, player);
    if (!playerListed) setup.count += 1;
}

bool tmRaceState::NextCupRace() {
    const tmCup* c = GetCup(cup.cupId);
    const uint32_t raceCount = c ? c->raceCount : 0;
    if (cup.raceIndex >= raceCount) return false;
    cup.raceIndex += 1;
    if (cup.raceIndex >= raceCount) return false;
    SetupCupRace();
    return true;
}

bool tmRaceState::IsLastCupRace() const {
    const tmCup* c = GetCup(cup.cupId);
    if (!c) return true;
    return cup.raceIndex + 1 >= c->raceCount;
}

void tmRaceState::AwardPoints() {
    if (cup.raceIndex >= kCupRaceSlots) return;
    const uint32_t count = setup.count < kRaceEntrants ? setup.count : kRaceEntrants;
    for (uint32_t p = 0; p < count; ++p) {
        const uint32_t entrant = results[p].entrantIndex;
        if (entrant >= kRaceEntrants) continue;
        const uint32_t id = entrants[entrant].entrantId;
        if (id >= kRaceEntrants) continue;
        points[id][cup.raceIndex] = PointsForPosition(static_cast<int>(p));
    }
}

// ---- Standings ---------------------------------------------------------------------------

void tmRaceState::SortStandings(tmStanding** records, int count) {
    tmSortPointers(records, count, [](const tmStanding* a, const tmStanding* b) { return a->total > b->total; });
}

void tmRaceState::ComputeStandings() {
    const int count = static_cast<int>(setup.count < kRaceEntrants ? setup.count : kRaceEntrants);
    const uint32_t last = Column(cup.raceIndex);
    // Records of a larger earlier field must not outlive it.
    for (tmStanding*& s : driverStandings_) {
        TM_DELETE(s);
        s = nullptr;
    }
    for (int r = 0; r < count; ++r) {
        tmStanding* s = TM_NEW tmStanding;
        s->id = r;
        for (uint32_t k = 0; k <= last; ++k) s->total += points[r][k];
        s->last = points[r][last];
        driverStandings_[r] = s;
    }
    SortStandings(driverStandings_, count);
    ComputeTeamStandings();
}

void tmRaceState::ClearTeams() {
    for (tmTeam& t : teams) {
        std::memset(t.name, 0, sizeof t.name);
        t.memberCount = 0;
        for (int32_t& m : t.members) m = -1;
    }
    teamCount = 0;
}

uint32_t tmRaceState::RacePoints(int entrantIndex) const {
    if (IsNetworkMode()) return points[entrantIndex][0];
    const uint32_t id = entrants[entrantIndex].entrantId;
    return id < kRaceEntrants ? points[id][Column(cup.raceIndex)] : 0;
}

void tmRaceState::ComputeTeamStandings() {
    ClearTeams();
    for (tmStanding*& s : teamStandings_) {
        TM_DELETE(s);
        s = nullptr;
    }
    const int count = static_cast<int>(setup.count < kRaceEntrants ? setup.count : kRaceEntrants);
    for (int i = 0; i < count; ++i) {
        const char* name = entrants[i].teamName;
        uint32_t team = teamCount;
        if (std::strncmp(name, kNoTeam, kRaceNameSize) != 0) {
            for (uint32_t t = 0; t < teamCount; ++t) {
                if (std::strncmp(teams[t].name, name, kRaceNameSize) == 0) {
                    team = t;
                    break;
                }
            }
        }
        if (team == teamCount) {
            CopyName(teams[team].name, name);
            teamCount += 1;
        }
        tmTeam& t = teams[team];
        t.members[t.memberCount++] = i;
        if (!teamStandings_[team]) {
            teamStandings_[team] = TM_NEW tmStanding;
            teamStandings_[team]->id = static_cast<int32_t>(team);
        }
        // Team standings are found by team index until they are sorted below.
        teamStandings_[team]->total += RacePoints(i);
    }
    SortStandings(teamStandings_, static_cast<int>(teamCount));
}

int tmRaceState::FindStanding(int driverId) const {
    for (int i = 0; i < kRaceEntrants; ++i)
        if (driverStandings_[i] && driverStandings_[i]->id == driverId) return i;
    return -1;
}

const tmStanding* tmRaceState::GetDriverStanding(int rank) const {
    return rank >= 0 && rank < kRaceEntrants ? driverStandings_[rank] : nullptr;
}

const tmStanding* tmRaceState::GetTeamStanding(int rank) const {
    return rank >= 0 && rank < kRaceEntrants ? teamStandings_[rank] : nullptr;
}

void tmRaceState::ClearStandings() {
    for (int i = 0; i < kRaceEntrants; ++i) {
        TM_DELETE(driverStandings_[i]);
        TM_DELETE(teamStandings_[i]);
        driverStandings_[i] = nullptr;
        teamStandings_[i] = nullptr;
        cores[i] = nullptr;
    }
}

// ---- Results -----------------------------------------------------------------------------

void tmRaceState::SetResult(int entrant, int position, uint32_t timeMs, bool finished, uint32_t laps,
                            uint32_t refills) {
    if (position < 0 || position >= kRaceEntrants || entrant < 0 || entrant >= kRaceEntrants) {
        std::fprintf(stderr, "race state: result of entrant %d at position %d ignored\n", entrant, position);
        return;
    }
    tmRaceResult& r = results[position];
    r.entrantIndex = static_cast<uint32_t>(entrant);
    r.finished = finished ? 1 : 0;
    r.laps = laps;
    r.timeMs = timeMs;
    r.refills = refills;
}

void tmRaceState::ClearResults() {
    for (tmRaceResult& r : results) r = tmRaceResult{};
    leaderLappedField = 0;
    std::memset(lastPlaceLapShort, 0, sizeof lastPlaceLapShort);
}

void tmRaceState::ClearCup() {
    cup = tmCupProgress{};
    std::memset(points, 0, sizeof points);
}

// ---- Validation --------------------------------------------------------------------------

bool tmRaceState::ValidateSetup() {
    bool ok = true;
    ok &= Keep(&setup.count, 1, kRaceEntrants, 1, "entrant count");
    ok &= Keep(&setup.local, 0, setup.count - 1, 0, "local entrant");
    ok &= Keep(&setup.course, kFirstCourseId, kLastCourseId, 3, "course");
    ok &= Keep(&setup.mode, kRaceModeSingle, kRaceModeDirect, kRaceModeSingle, "race mode");
    ok &= Keep(&setup.difficulty, 0, 3, 1, "difficulty");
    ok &= Keep(&setup.laps, 1, kRaceMaxLaps, 3, "laps");
    for (uint32_t i = 0; i < kRaceEntrants; ++i) {
        tmEntrant& e = entrants[i];
        e.driverName[kRaceNameSize - 1] = '\0';
        e.teamName[kRaceNameSize - 1] = '\0';
        if (i >= setup.count) continue;
        ok &= Keep(&e.controllerType, kControllerPlayer, kControllerNetwork, kControllerComputer, "controller type");
        ok &= Keep(&e.machineId, kFirstMachineId, kLastMachineId, 1, "machine");
        ok &= Keep(&e.variant, 0, 1, 0, "machine variant");
        ok &= Keep(&e.entrantId, 0, kRaceEntrants - 1, i, "entrant id");
    }
    return ok;
}
