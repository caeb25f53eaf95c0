// tmMachineParams.h -- a machine's handling, read from the "Machine" data table.
#pragma once
#include <cstdint>

// The handling values of one machine model: drivetrain, tires, body, walls,
// boost, the torque curve and the gearbox. Units are those of the movement
// step: speed in units per second (km/h = speed x 3.6), time in frames of
// 1/60 s, angles in degrees where marked. Filled by Load when a machine core
// is set up and read-only afterwards.
struct tmMachineParams {
    static constexpr int kTorqueRows = 15;  // torque at 0, 2000, ... 28000 rpm
    static constexpr int kGearRows = 10;    // gears 1..10

    int32_t drivingType = 0;  // tire model and route rows: 0 or 1
    float revLimit = 0.0f;
    float revMin = 0.0f;
    int32_t nbGear = 0;  // 0..10
    float gearFinal = 0.0f;
    float gearFinalBst = 0.0f;
    float engineBrk = 0.0f;
    float brakePwr = 0.0f;
    float vectBrakePwr = 0.0f;
    float frontPwrRate = 0.0f;
    float rearPwrRate = 0.0f;
    float tireRadius = 0.0f;
    float tireFrict = 0.0f;
    float tireFrictDec = 0.0f;
    float tireFrictMin = 0.0f;
    float centrifugalPwr = 0.0f;
    float pitchSize = 0.0f;
    float handleRate = 0.0f;      // degrees at full lock
    float handleRateAero = 0.0f;  // degrees at full lock in body modes 1..3
    float handleDispRate = 0.0f;
    float rfResist = 0.0f;
    float rfMixRateSpMin = 0.0f;  // km/h
    float rfMixRateSpMax = 0.0f;  // km/h
    float rfHandlePwr = 0.0f;
    float rfInertialPwr = 0.0f;
    float rfFrontPwrRate = 0.0f;
    float rfRearPwrRate = 0.0f;
    float weight = 0.0f;
    float bodyTensor = 0.0f;
    float airResist = 0.0f;
    float airResistAero = 0.0f;
    float hitWallResist = 0.0f;  // stored, not used by the movement
    float hitWallRebound = 0.0f;
    int32_t bstTimeStart = 0;
    int32_t bstTimeStart2nd = 0;
    int32_t bstTimeWait = 0;
    int32_t bstTimeCharge = 0;
    int32_t bstTimeUse = 0;
    int32_t bstTimeUse2nd = 0;
    float bstPower = 0.0f;
    float bstPower2nd = 0.0f;
    float bstSpMin = 0.0f;  // km/h
    int32_t bstEnergy = 0;

    float torque[kTorqueRows] = {};
    float gearRatio[kGearRows] = {};
    float gearDown[kGearRows] = {};
    float gearUp = 0.0f;

    // Reads the row of `modelCode` and its four curve columns from the
    // "Machine" table (loaded for the call and unloaded after it). Absent
    // cells read 0. Then Validate; returns the number of problems found.
    int Load(const char* modelCode);

    // Makes the values safe to divide by and index with: a non-finite value
    // becomes 0, nbGear is held to 0..10, drivingType to 0..1, negative
    // times, stock and masses to 0. Each problem, and each divisor that is 0
    // (weight, tire radius, body tensor, the slide speed range, the rev
    // range), is logged once with the model code; the movement then gives no
    // drive or turn for that term instead of dividing by 0. Returns the count.
    int Validate(const char* modelCode);
};

// One scalar column of the table and where Load stores it.
struct tmMachineParamField {
    const char* name;
    int32_t tmMachineParams::*intField;  // set for integer columns
    float tmMachineParams::*floatField;  // set for float columns
};
constexpr int kMachineParamFieldCount = 43;
// The scalar columns in table order (the order the core stores them).
extern const tmMachineParamField kMachineParamFields[kMachineParamFieldCount];
