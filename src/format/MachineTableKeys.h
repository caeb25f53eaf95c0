// Keys of the "Machine" data table: parameter columns and curve cells.
//
// Every cell is looked up as (column, row, key column). A machine's scalar
// parameters are (parameter, model code, "Name"); its curves are
// ("<code>TrqTbl", "0".."28000", "RevValue"), ("<code>GearRatio" or
// "<code>GearDown", "1".."10", "GearNum") and ("<code>GearUp", "", "").
#pragma once

#include <string>

namespace zfmt {

struct MachineParam {
    const char* name;
    bool isInt;  // read with the integer getter, else the float getter
};

// The scalar parameters in the order the machine core stores them.
constexpr int kMachineParamCount = 43;
extern const MachineParam kMachineParams[kMachineParamCount];

constexpr const char* kMachineTable = "Machine";
constexpr const char* kMachineKeyColumn = "Name";
constexpr const char* kTorqueKeyColumn = "RevValue";
constexpr const char* kGearKeyColumn = "GearNum";

constexpr int kTorqueRows = 15;  // 0, 2000, ... 28000 rpm
constexpr int kTorqueRpmStep = 2000;
constexpr int kGearRows = 10;  // gears 1 .. 10

// Model codes are at most this long, so the formed column names fit 63 characters.
constexpr int kCurveColumnLimit = 63;

std::string TorqueColumn(const std::string& code);     // "<code>TrqTbl"
std::string GearRatioColumn(const std::string& code);  // "<code>GearRatio"
std::string GearDownColumn(const std::string& code);   // "<code>GearDown"
std::string GearUpColumn(const std::string& code);     // "<code>GearUp"
std::string TorqueRowKey(int index);                   // index x 2000 as decimal text
std::string GearRowKey(int index);                     // index + 1 as decimal text

}  // namespace zfmt
