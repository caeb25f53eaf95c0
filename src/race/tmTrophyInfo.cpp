// tmTrophyInfo.cpp -- trophy tables, the thirteen award conditions and the trophy panel.
#include "race/tmTrophyInfo.h"

#include <initializer_list>

#include "app/tmConfig.h"
#include "menu/tmSpriteTween.h"
#include "race/tmRaceSprites.h"
#include "race/tmRaceState.h"
#include "sys/base/tmMemory.h"
#include "sys/input/tmPeripheral.h"
#include "sys/sound/tmSound.h"
#include "table/MachineTable.h"
#include "table/tmSpriteGroup.h"

namespace {

constexpr int kTrophyGroup = 45;
constexpr int N = tmTrophyInfo::kNone;

// By machine id 1..11 (index 0 unused).
constexpr int kCupRaceWon[12] = {N, 0, 6, 15, 18, 21, 24, 27, 30, 3, 9, 12};
constexpr int kCupWon[12] = {N, 1, 7, 16, 19, 22, 25, 28, 31, 4, 10, 13};
constexpr int kNetworkRaceWon[12] = {N, 2, 8, 17, 20, 23, 26, 29, 32, 5, 11, 14};
// By the machine record's team number 0..6.
constexpr int kOneTwo[7] = {N, 38, 41, 39, 40, N, 0};

struct LevelTrophy {
    int32_t level;
    int trophy;
};
constexpr LevelTrophy kLevels[] = {{1, 42},  {4, 43},  {9, 44},  {14, 45}, {19, 46}, {24, 47},
                                   {29, 48}, {34, 49}, {39, 50}, {44, 51}, {49, 52}};

struct CourseTimes {
    uint32_t limit[3];
    int trophy[3];
};
// By course id 2..13.
constexpr CourseTimes kCourseTimes[12] = {
    {{134000, 128000, 125000}, {59, 60, 61}}, {{110000, 107000, 104000}, {53, 54, 55}},
    {{275000, 265000, 257000}, {65, 66, 67}}, {{238000, 228000, 222000}, {83, 84, 85}},
    {{240000, 230000, 224000}, {71, 72, 73}}, {{241000, 231000, 225000}, {77, 78, 79}},
    {{138000, 132000, 129000}, {62, 63, 64}}, {{113000, 110000, 107000}, {56, 57, 58}},
    {{283000, 273000, 265000}, {68, 69, 70}}, {{248000, 238000, 232000}, {86, 87, 88}},
    {{251000, 241000, 235000}, {74, 75, 76}}, {{244000, 234000, 228000}, {80, 81, 82}},
};

// Trophy ids a combination trophy waits for.
constexpr int kAllCupsWon[] = {1, 7, 25, 16, 4, 28, 22, 19, 31};
constexpr int kAllNetworkWins[] = {2, 8, 26, 17, 5, 29, 23, 20, 32};
constexpr int kAllFastestTimes[] = {55, 61, 67, 73, 85, 79, 58, 64, 70, 76, 88, 82};
constexpr int kAllCupsTrophy = 33;
constexpr int kNetworkRaceTrophy = 34;
constexpr int kAllNetworkWinsTrophy = 35;
constexpr int kTenNetworkWinsTrophy = 36;
constexpr int kNetworkStreakTrophy = 37;
constexpr int kAllFastestTrophy = 89;
constexpr int kLappedFieldTrophy = 90;
constexpr int kRivalTrophyA = 91;  // machine 2 beats a field with machine 1
constexpr int kRivalTrophyB = 92;  // machine 9 beats a field with machine 6
constexpr int kRefillWinTrophy = 93;
constexpr int kComebackTrophy = 94;
constexpr int kPointlessCupTrophy = 95;
constexpr int kRunnerUpCupTrophy = 96;

constexpr SpriteTarget kShown = {229.0f, 62.0f, 1.0f, 0};
constexpr SpriteTarget kGone = {229.0f, -200.0f, 0.0f, 0};
constexpr float kStartY = -120.0f;
constexpr int kAppearSteps = 10;
constexpr int kLeaveSteps = 11;

int ByMachine(const int (&table)[12], uint32_t machine) { return machine >= 1 && machine <= 11 ? table[machine] : N; }

template <size_t K>
bool AllEarned(const tmConfig& config, const int (&ids)[K]) {
    for (int id : ids)
        if (!config.IsUnlocked(id)) return false;
    return true;
}

void Award(tmConfig& config, int trophy) {
    if (trophy >= 0 && trophy < tmTrophyInfo::kTrophyCount) config.Unlock(trophy);
}

int32_t TeamNumber(uint32_t machine) {
    const MachineSpec* spec = GetMachineSpec(static_cast<int>(machine));
    return spec ? spec->teamId : -1;
}

}  // namespace

int tmTrophyInfo::CupRaceWonTrophy(uint32_t machine) { return ByMachine(kCupRaceWon, machine); }
int tmTrophyInfo::CupWonTrophy(uint32_t machine) { return ByMachine(kCupWon, machine); }
int tmTrophyInfo::NetworkRaceWonTrophy(uint32_t machine) { return ByMachine(kNetworkRaceWon, machine); }
int tmTrophyInfo::OneTwoTrophy(int32_t team) { return team >= 0 && team <= 6 ? kOneTwo[team] : N; }

int tmTrophyInfo::LevelTrophy(int32_t level) {
    for (const auto& l : kLevels)
        if (l.level == level) return l.trophy;
    return N;
}

bool tmTrophyInfo::CourseTimeTrophies(uint32_t course, uint32_t limits[3], int trophies[3]) {
    if (course < 2 || course > 13) return false;
    const CourseTimes& c = kCourseTimes[course - 2];
    for (int i = 0; i < 3; ++i) {
        limits[i] = c.limit[i];
        trophies[i] = c.trophy[i];
    }
    return true;
}

void tmTrophyInfo::CheckConditions(tmConfig& config, tmRaceState& race) {
    const tmRaceSetup& setup = race.setup;
    const uint32_t count = setup.count < kRaceEntrants ? setup.count : kRaceEntrants;
    const uint32_t local = setup.local;
    if (count == 0 || local >= count) return;
    const tmEntrant& me = race.entrants[local];
    if (me.controllerType != kControllerPlayer) return;
    const uint32_t mode = setup.mode;
    const bool cup = mode == kRaceModeCup;
    const bool network = race.IsNetworkMode();
    const uint32_t machine = me.machineId;
    const bool won = race.results[0].entrantIndex == local;
    // The local entrant's finishing position and its result.
    int myPosition = -1;
    for (uint32_t p = 0; p < count; ++p)
        if (race.results[p].entrantIndex == local) myPosition = static_cast<int>(p);
    if (cup) race.ComputeStandings();

    // 1, 2: race and cup wins by machine.
    if (won && cup) Award(config, CupRaceWonTrophy(machine));
    if (won && network) Award(config, NetworkRaceWonTrophy(machine));
    if (cup && race.IsLastCupRace() && race.FindStanding(static_cast<int>(me.entrantId)) == 0)
        Award(config, CupWonTrophy(machine));
    // 3: every cup won.
    if (AllEarned(config, kAllCupsWon)) Award(config, kAllCupsTrophy);
    // 4: network races.
    if (network) {
        Award(config, kNetworkRaceTrophy);
        if (AllEarned(config, kAllNetworkWins)) Award(config, kAllNetworkWinsTrophy);
        if (config.GetOnlineWinCount() >= 10) Award(config, kTenNetworkWinsTrophy);
        if (config.GetOnlineWinStreak() >= 3) Award(config, kNetworkStreakTrophy);
        if ((myPosition == 0 || myPosition == 1) && count >= 2) {
            const int32_t a = TeamNumber(race.entrants[race.results[0].entrantIndex % kRaceEntrants].machineId);
            const int32_t b = TeamNumber(race.entrants[race.results[1].entrantIndex % kRaceEntrants].machineId);
            if (a == b) Award(config, OneTwoTrophy(a));
        }
    }
    // 5: the level reached.
    Award(config, LevelTrophy(config.GetProfileValue1()));
    // 6: course times; only a finished race has a time to judge.
    uint32_t limits[3];
    int times[3];
    if (myPosition >= 0 && race.results[myPosition].finished && CourseTimeTrophies(setup.course, limits, times)) {
        const uint32_t t = race.results[myPosition].timeMs;
        for (int i = 0; i < 3; ++i)
            if (t <= limits[i]) Award(config, times[i]);
    }
    // 7: every fastest time.
    if (AllEarned(config, kAllFastestTimes)) Award(config, kAllFastestTrophy);
    // 8: won after lapping the whole field.
    if (won && count > 1 && mode != kRaceModeGhost && race.leaderLappedField) Award(config, kLappedFieldTrophy);
    // 9: network rivalries.
    if (network && won) {
        bool has1 = false, has6 = false;
        for (uint32_t i = 0; i < count; ++i) {
            has1 |= race.entrants[i].machineId == 1;
            has6 |= race.entrants[i].machineId == 6;
        }
        if (machine == 2 && has1) Award(config, kRivalTrophyA);
        if (machine == 9 && has6) Award(config, kRivalTrophyB);
    }
    // 10: won on machine 5 after taking a refill.
    if (won && count >= 2 && machine == 5 && race.results[0].refills > 0) Award(config, kRefillWinTrophy);
    // 11: won after running last on the final lap.
    if (won && count > 1 && race.lastPlaceLapShort[local] && mode != kRaceModeGhost) Award(config, kComebackTrophy);
    // 12, 13: cup-only trophies (a finished cup's race index must not reach a later race).
    if (cup && race.cup.raceIndex >= 2 && race.cup.raceIndex < kCupRaceSlots && machine == 1 &&
        me.entrantId < kRaceEntrants) {
        uint32_t before = 0;
        for (uint32_t k = 0; k < race.cup.raceIndex; ++k) before += race.points[me.entrantId][k];
        if (before == 0) Award(config, kPointlessCupTrophy);
    }
    if (cup && race.IsLastCupRace() && race.FindStanding(static_cast<int>(me.entrantId)) == 1 && machine == 5)
        Award(config, kRunnerUpCupTrophy);
}

tmTrophyInfo::tmTrophyInfo() { groupLoaded_ = tmSpriteGroup::Load(kTrophyGroup); }

tmTrophyInfo::~tmTrophyInfo() { Term(); }

void tmTrophyInfo::Init() {
    if (!sprite_) sprite_ = TM_NEW tmSpriteTween();
    trophy_ = -1;
    state = kInactive;
    previous_ = 0xFFFFFFFFu;
    counter_ = 0;
}

void tmTrophyInfo::Term() {
    if (groupLoaded_) tmSpriteGroup::Unload(kTrophyGroup);
    groupLoaded_ = false;
    TM_DELETE(sprite_);
    sprite_ = nullptr;
}

bool tmTrophyInfo::ShowNext() {
    tmConfig& config = tmConfig::GetInstance();
    for (int id = 0; id < kTrophyCount; ++id) {
        if (config.GetUnlockState(id) != 1) continue;
        config.MarkSeen(id);
        trophy_ = id;
        if (!sprite_) Init();
        const SpritePlacement start = {kShown.x, kStartY, 0.0f, tmRaceSprites::kFirstTrophy + static_cast<uint32_t>(id),
                                       0,        0.0f,    0.0f};
        sprite_->SetTarget(start);
        sprite_->MoveTo(kShown, static_cast<int32_t>(kShown.delay));
        return true;
    }
    trophy_ = -1;
    return false;
}

void tmTrophyInfo::Start() {
    CheckConditions(tmConfig::GetInstance(), tmRaceState::Get());
    state = ShowNext() ? kAppear : kInactive;
}

void tmTrophyInfo::Update() {
    if (state != previous_) {
        previous_ = state;
        counter_ = 0;
    }
    switch (state) {
        case kAppear:
            if (counter_ == 1)
                if (tmSound* sound = tmSound::GetInstance()) sound->Play(tmSoundId::kTrophy);
            if (counter_ >= kAppearSteps) state = kWait;
            break;
        case kWait: {
            const tmPeripheral* in = tmPeripheral::GetInstance();
            if (in && in->IsDecideTriggered()) {
                if (tmSound* sound = tmSound::GetInstance()) sound->Play(tmSoundId::kConfirm);
                if (sprite_) sprite_->MoveTo(kGone, static_cast<int32_t>(kGone.delay));
                state = kLeave;
            }
            break;
        }
        case kLeave:
            if (counter_ >= kLeaveSteps) {
                Start();
                // A next trophy restarts the appearance even though the state number is the same.
                previous_ = 0xFFFFFFFFu;
            }
            break;
        default: break;
    }
    if (sprite_) sprite_->Update();
    ++counter_;
}

void tmTrophyInfo::Draw() const {
    if (state != kInactive && sprite_) sprite_->Draw();
}
