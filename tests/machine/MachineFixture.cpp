// MachineFixture.cpp -- the machine tests' shared set-up.
#include "tests/machine/MachineFixture.h"

#include "sys/base/tmMemory.h"
#include "sys/base/tmRandom.h"
#include "sys/input/tmPeripheral.h"

void MachineTest::SetUp() {
    folder_ = std::make_unique<harness::WorkFolder>(true);
    ASSERT_TRUE(folder_->Ok());
    tmRandom::Create()->SetSeed(1);
    race_.setup = tmRaceSetup();
    race_.setup.mode = kRaceModeCup;
    race_.setup.count = 1;
    race_.status = 3;
    for (tmMachineCore*& c : race_.cores) c = nullptr;
    race_.ClearResults();
    tmSimSound::Set(&sound_);
    tmPeripheral::Create();
    tmPeripheral::GetInstance()->Init(&input_, true);
}

void MachineTest::TearDown() {
    for (tmMachineCore*& c : race_.cores) c = nullptr;
    machines_.clear();
    tmPeripheral::Destroy();
    tmSimSound::Set(nullptr);
    tmReplaySource::Set(nullptr);
    tmPeerSource::Set(nullptr);
    race_.status = 0;
    race_.setup = tmRaceSetup();
    folder_.reset();
}

tmMachine& MachineTest::AddMachine(const tmCourse* course, int machineId, uint32_t controller, int grid, bool player,
                                   uint32_t variant) {
    tmEntrant entrant;
    entrant.machineId = static_cast<uint32_t>(machineId);
    entrant.controllerType = controller;
    entrant.variant = variant;
    auto m = std::make_unique<tmMachine>();
    m->Init(course, entrant, grid, player, false);
    race_.cores[grid] = m->GetCore();
    race_.entrants[grid] = entrant;
    if (static_cast<int>(race_.setup.count) < grid + 1) race_.setup.count = static_cast<uint32_t>(grid + 1);
    machines_.push_back(std::move(m));
    return *machines_.back();
}

void MachineTest::Step(const tmCourse* course, int steps) {
    for (int s = 0; s < steps; ++s) {
        sound_.step = steps_;
        tmPeripheral* input = tmPeripheral::GetInstance();
        input->Update();
        input->UpdatePov();
        for (auto& m : machines_) m->Update(course);
        input->StorePrevious();
        ++steps_;
    }
}

tmMachineParams SimpleParams() {
    tmMachineParams p;
    p.drivingType = 0;
    p.revLimit = 20000.0f;
    p.revMin = 1000.0f;
    p.nbGear = 1;
    p.gearFinal = 3.0f;
    p.gearFinalBst = 3.0f;
    p.brakePwr = 300.0f;
    p.rearPwrRate = 1.0f;
    p.tireRadius = 0.35f;
    p.tireFrict = 4.0f;
    p.tireFrictMin = 100.0f;
    p.pitchSize = 0.1f;
    p.handleRate = 20.0f;
    p.handleRateAero = 14.0f;
    p.rfResist = 0.5f;
    p.rfMixRateSpMin = 90.0f;
    p.rfMixRateSpMax = 420.0f;
    p.weight = 1000.0f;
    p.bodyTensor = 34.0f;
    p.airResist = 0.0068f;
    p.airResistAero = 0.0068f;
    p.hitWallRebound = 4.0f;
    for (float& t : p.torque) t = 100.0f;
    p.gearRatio[0] = 1.0f;
    p.gearUp = 100000.0f;
    p.bstEnergy = 3;
    return p;
}

void UseParams(tmMachine& machine, const tmMachineParams& params, const tmCourse* course) {
    machine.GetCore()->params = params;
    machine.GetCore()->boostStock = params.bstEnergy;
    machine.GetMove()->Release();
    machine.GetMove()->Init(machine.GetCore(), course);
}
