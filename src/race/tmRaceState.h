// tmRaceState.h -- the one race-state record: setup, entrants, cup points, results, standings and teams.
#pragma once
#include <cstdint>

class tmMachineCore;

constexpr int kRaceEntrants = 16;        // entrant slots of a race
constexpr int kCupRaceSlots = 8;         // race columns of the points table
constexpr int kRaceNameSize = 17;        // driver and team names, terminator included
constexpr int kRaceMaxLaps = 32;         // laps a lap timer can hold
constexpr uint32_t kNoTimeMs = 5999999;  // stands for "no time"

// Race modes written by the menus.
enum tmRaceMode : uint32_t {
    kRaceModeSingle = 0,
    kRaceModeCup = 1,
    kRaceModeReplay = 2,
    kRaceModeDemo = 3,
    kRaceModeGhost = 4,
    kRaceModeLobby = 5,
    kRaceModeDirect = 6,
};

// Who drives an entrant; 0 marks an unused slot of a cup race.
enum tmControllerType : uint32_t {
    kControllerNone = 0,
    kControllerPlayer = 1,
    kControllerReplay = 2,
    kControllerComputer = 3,
    kControllerNetwork = 4,
};

// One entrant; the same 52-byte record is stored in replay headers.
struct tmEntrant {
    uint32_t machineId = 1;
    uint32_t controllerType = kControllerPlayer;
    uint32_t variant = 0;  // the manual-gear flag: 0 automatic, 1 manual gears
    char driverName[kRaceNameSize] = {};
    char teamName[kRaceNameSize] = {};
    uint32_t entrantId = 0;  // driver id in a cup, player-table index in a network race
};
static_assert(sizeof(tmEntrant) == 52, "entrant records are 52 bytes");

// The six setup words, in the order replay headers store them.
struct tmRaceSetup {
    uint32_t course = 3;
    uint32_t mode = kRaceModeSingle;
    uint32_t count = 1;       // entrants of the race
    uint32_t local = 0;       // the local entrant's index
    uint32_t difficulty = 1;  // 0..3, the computer driver's strength
    uint32_t laps = 3;
};
static_assert(sizeof(tmRaceSetup) == 24, "the setup is six words");

// A cup carried from race to race.
struct tmCupProgress {
    uint32_t cupId = 0;
    uint32_t machineId = 0;  // the player's machine
    uint32_t variant = 0;    // the player's manual-gear flag
    uint32_t raceIndex = 0;  // 0 for the first race of the cup
};

// One finishing position.
struct tmRaceResult {
    uint32_t entrantIndex = 0;
    uint8_t finished = 0;
    uint32_t laps = 0;  // completed laps
    uint32_t timeMs = 0;
    uint32_t refills = 0;  // boost refills taken
};
static_assert(sizeof(tmRaceResult) == 20, "result records are 20 bytes");

// A driver's or a team's standing.
struct tmStanding {
    int32_t id = -1;  // driver id or team index
    uint32_t total = 0;
    uint32_t last = 0;  // points of the last race
};

// Entrants that share a team name ("No Team" entrants each form their own).
struct tmTeam {
    char name[kRaceNameSize] = {};
    uint32_t memberCount = 0;
    int32_t members[kRaceEntrants];  // entrant indices, -1 = empty
};

// One race of the cup table: course, entrants, machines in grid order and their driver ids.
struct tmCupRace {
    uint32_t course;
    uint32_t count;
    uint32_t machines[kRaceEntrants];
    uint32_t drivers[kRaceEntrants];
};
static_assert(sizeof(tmCupRace) == 34 * 4, "cup races are 34 words");

struct tmCup {
    uint32_t raceCount;
    tmCupRace races[kCupRaceSlots];
};

// The race-state record of the process. Menus write the setup and the
// entrants, the race writes status, machine cores and results, and the panels
// read the outcome; it carries a cup's points from race to race and computes
// the driver and team standings from them. It owns only its standing records;
// the machine cores are the race's. Knows nothing of screens.
class tmRaceState {
public:
    // The one record (built on first use by Instance).
    static tmRaceState& Get();
    static tmRaceState& Instance();

    tmRaceState();  // defaults; tests may make their own
    ~tmRaceState();
    tmRaceState(const tmRaceState&) = delete;
    tmRaceState& operator=(const tmRaceState&) = delete;

    // The cup table: cup ids 0..kCupCount-1; null outside.
    static constexpr int kCupCount = 3;
    static const tmCup* GetCup(uint32_t cupId);
    // Points of a finishing position (0 = first): 10, 6, 4, 3, 2, 1, then 0.
    static uint32_t PointsForPosition(int position);

    // Copies a record into slot index; computer drivers take their machine's
    // driver and team names, the local player the profile's. Names are always
    // terminated. An index outside 0..15 is ignored.
    void SetEntrant(int index, const tmEntrant& entrant);

    // Starts a cup: player's machine and variant, race index 0, points cleared,
    // first race set up. False (nothing changed) for an unknown cup or machine.
    bool StartCup(uint32_t cupId, uint32_t machine, uint32_t variant);
    void SetupCupRace();
    // The next race of the cup; false (index left at the race count) after the last.
    bool NextCupRace();
    bool IsLastCupRace() const;
    // Points of this race by finishing position into the points table.
    void AwardPoints();

    // Driver standings of the cup so far, then the team standings.
    void ComputeStandings();
    void ComputeTeamStandings();
    // Rank of a driver id in the driver standings; -1 when it has none.
    int FindStanding(int driverId) const;
    // Standing at a rank (0 = leader), null when not computed.
    const tmStanding* GetDriverStanding(int rank) const;
    const tmStanding* GetTeamStanding(int rank) const;
    // Frees every standing record and clears the machine-core pointers.
    void ClearStandings();
    // Orders by total, highest first; ties keep their order for up to 16 records.
    static void SortStandings(tmStanding** records, int count);

    void SetResult(int entrant, int position, uint32_t timeMs, bool finished, uint32_t laps, uint32_t refills);
    void ClearResults();
    void ClearCup();

    bool IsNetworkMode() const { return setup.mode == kRaceModeLobby || setup.mode == kRaceModeDirect; }
    // Brings setup and entrant fields that index tables back into range (count
    // 1..16, local below count, course 1..13, difficulty 0..3, laps 1..32,
    // machines 1..11, variant 0/1, ids below 16) and terminates the names;
    // logs each correction. True when nothing had to change.
    bool ValidateSetup();

    // ---- the record ----
    uint32_t status = 0;  // 0 none, 1 set up, 2 intro over, 3 racing, 4 own machine finished
    tmMachineCore* cores[kRaceEntrants] = {};
    tmRaceSetup setup;
    tmEntrant entrants[kRaceEntrants];
    tmCupProgress cup;
    uint32_t points[kRaceEntrants][kCupRaceSlots] = {};  // [driver id][race index]
    tmRaceResult results[kRaceEntrants];                 // by finishing position
    uint8_t leaderLappedField = 0;
    uint8_t lastPlaceLapShort[kRaceEntrants] = {};
    tmTeam teams[kRaceEntrants];
    uint32_t teamCount = 0;
    uint8_t hostFlag = 1;

private:
    void ClearTeams();
    uint32_t RacePoints(int entrantIndex) const;

    tmStanding* driverStandings_[kRaceEntrants] = {};
    tmStanding* teamStandings_[kRaceEntrants] = {};
};
