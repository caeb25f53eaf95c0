// Keys of the "Machine" data table.
#include "format/MachineTableKeys.h"

namespace zfmt {

const MachineParam kMachineParams[kMachineParamCount] = {
    {"drivingType", true},     {"revLimit", false},       {"revMin", false},         {"nbGear", true},
    {"gearFinal", false},      {"gearFinalBst", false},   {"engineBrk", false},      {"brakePwr", false},
    {"vectBrakePwr", false},   {"frontPwrRate", false},   {"rearPwrRate", false},    {"tireRadius", false},
    {"tireFrict", false},      {"tireFrictDec", false},   {"tireFrictMin", false},   {"centrifugalPwr", false},
    {"pitchSize", false},      {"handleRate", false},     {"handleRateAero", false}, {"handleDispRate", false},
    {"rfResist", false},       {"rfMixRateSpMin", false}, {"rfMixRateSpMax", false}, {"rfHandlePwr", false},
    {"rfInertialPwr", false},  {"rfFrontPwrRate", false}, {"rfRearPwrRate", false},  {"weight", false},
    {"bodyTensor", false},     {"airResist", false},      {"airResistAero", false},  {"hitWallResist", false},
    {"hitWallRebound", false}, {"bstTimeStart", true},    {"bstTimeStart2nd", true}, {"bstTimeWait", true},
    {"bstTimeCharge", true},   {"bstTimeUse", true},      {"bstTimeUse2nd", true},   {"bstPower", false},
    {"bstPower2nd", false},    {"bstSpMin", false},       {"bstEnergy", true},
};

std::string TorqueColumn(const std::string& code) { return code + "TrqTbl"; }
std::string GearRatioColumn(const std::string& code) { return code + "GearRatio"; }
std::string GearDownColumn(const std::string& code) { return code + "GearDown"; }
std::string GearUpColumn(const std::string& code) { return code + "GearUp"; }
std::string TorqueRowKey(int index) { return std::to_string(index * kTorqueRpmStep); }
std::string GearRowKey(int index) { return std::to_string(index + 1); }

}  // namespace zfmt
