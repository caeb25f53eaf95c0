// tmMachineParams.cpp -- reading and checking a machine's handling values.
#include "machine/tmMachineParams.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "format/MachineTableKeys.h"
#include "sys/data/tmExtDataBase.h"

#define TM_INT_FIELD(n) \
    { #n, &tmMachineParams::n, nullptr }
#define TM_FLOAT_FIELD(n) \
    { #n, nullptr, &tmMachineParams::n }

const tmMachineParamField kMachineParamFields[kMachineParamFieldCount] = {
    TM_INT_FIELD(drivingType),      TM_FLOAT_FIELD(revLimit),       TM_FLOAT_FIELD(revMin),
    TM_INT_FIELD(nbGear),           TM_FLOAT_FIELD(gearFinal),      TM_FLOAT_FIELD(gearFinalBst),
    TM_FLOAT_FIELD(engineBrk),      TM_FLOAT_FIELD(brakePwr),       TM_FLOAT_FIELD(vectBrakePwr),
    TM_FLOAT_FIELD(frontPwrRate),   TM_FLOAT_FIELD(rearPwrRate),    TM_FLOAT_FIELD(tireRadius),
    TM_FLOAT_FIELD(tireFrict),      TM_FLOAT_FIELD(tireFrictDec),   TM_FLOAT_FIELD(tireFrictMin),
    TM_FLOAT_FIELD(centrifugalPwr), TM_FLOAT_FIELD(pitchSize),      TM_FLOAT_FIELD(handleRate),
    TM_FLOAT_FIELD(handleRateAero), TM_FLOAT_FIELD(handleDispRate), TM_FLOAT_FIELD(rfResist),
    TM_FLOAT_FIELD(rfMixRateSpMin), TM_FLOAT_FIELD(rfMixRateSpMax), TM_FLOAT_FIELD(rfHandlePwr),
    TM_FLOAT_FIELD(rfInertialPwr),  TM_FLOAT_FIELD(rfFrontPwrRate), TM_FLOAT_FIELD(rfRearPwrRate),
    TM_FLOAT_FIELD(weight),         TM_FLOAT_FIELD(bodyTensor),     TM_FLOAT_FIELD(airResist),
    TM_FLOAT_FIELD(airResistAero),  TM_FLOAT_FIELD(hitWallResist),  TM_FLOAT_FIELD(hitWallRebound),
    TM_INT_FIELD(bstTimeStart),     TM_INT_FIELD(bstTimeStart2nd),  TM_INT_FIELD(bstTimeWait),
    TM_INT_FIELD(bstTimeCharge),    TM_INT_FIELD(bstTimeUse),       TM_INT_FIELD(bstTimeUse2nd),
    TM_FLOAT_FIELD(bstPower),       TM_FLOAT_FIELD(bstPower2nd),    TM_FLOAT_FIELD(bstSpMin),
    TM_INT_FIELD(bstEnergy),
};

#undef TM_INT_FIELD
#undef TM_FLOAT_FIELD

static_assert(kMachineParamFieldCount == zfmt::kMachineParamCount, "one field per table column");
static_assert(tmMachineParams::kTorqueRows == zfmt::kTorqueRows && tmMachineParams::kGearRows == zfmt::kGearRows,
              "curve sizes follow the table");

int tmMachineParams::Load(const char* modelCode) {
    *this = tmMachineParams();
    const std::string code = modelCode ? modelCode : "";
    sys::tmExtDataBase::Manager& manager = sys::tmExtDataBase::Manager::GetInstance();
    manager.Load(zfmt::kMachineTable, false);
    const sys::tmExtDataBase* table = manager.Find(zfmt::kMachineTable);
    if (table) {
        for (const tmMachineParamField& f : kMachineParamFields) {
            if (f.intField)
                this->*f.intField = table->GetInt(f.name, code.c_str(), zfmt::kMachineKeyColumn);
            else
                this->*f.floatField = table->GetFloat(f.name, code.c_str(), zfmt::kMachineKeyColumn);
        }
        // Curve column names are formed with the code; an over-long code forms none.
        if (code.size() + 9 <= std::size_t(zfmt::kCurveColumnLimit)) {
            const std::string trq = zfmt::TorqueColumn(code);
            for (int i = 0; i < kTorqueRows; ++i)
                torque[i] = table->GetFloat(trq.c_str(), zfmt::TorqueRowKey(i).c_str(), zfmt::kTorqueKeyColumn);
            const std::string ratio = zfmt::GearRatioColumn(code), down = zfmt::GearDownColumn(code);
            for (int i = 0; i < kGearRows; ++i) {
                gearRatio[i] = table->GetFloat(ratio.c_str(), zfmt::GearRowKey(i).c_str(), zfmt::kGearKeyColumn);
                gearDown[i] = table->GetFloat(down.c_str(), zfmt::GearRowKey(i).c_str(), zfmt::kGearKeyColumn);
            }
            gearUp = table->GetFloat(zfmt::GearUpColumn(code).c_str(), "", "");
        }
        if (!table->Exists("weight", code.c_str(), zfmt::kMachineKeyColumn))
            std::fprintf(stderr, "machine: no \"%s\" row in the machine table; it will not move\n", code.c_str());
    } else {
        std::fprintf(stderr, "machine: the machine table is missing; \"%s\" will not move\n", code.c_str());
    }
    manager.Unload(zfmt::kMachineTable);
    return Validate(code.c_str());
}

namespace {

// Logs a bad value of a machine once per call of Validate.
struct Report {
    const char* code;
    int count = 0;
    void operator()(const char* what) {
        ++count;
        std::fprintf(stderr, "machine \"%s\": %s\n", code, what);
    }
};

void Finite(float& v, const char* name, Report& report) {
    if (std::isfinite(v)) return;
    v = 0.0f;
    std::string what = std::string(name) + " is not a number; 0 used";
    report(what.c_str());
}

void NotNegative(int32_t& v, const char* name, Report& report) {
    if (v >= 0) return;
    v = 0;
    std::string what = std::string(name) + " is negative; 0 used";
    report(what.c_str());
}

}  // namespace

int tmMachineParams::Validate(const char* modelCode) {
    Report report{modelCode ? modelCode : ""};
    for (const tmMachineParamField& f : kMachineParamFields)
        if (f.floatField) Finite(this->*f.floatField, f.name, report);
    for (float& v : torque) Finite(v, "a torque value", report);
    for (float& v : gearRatio) Finite(v, "a gear ratio", report);
    for (float& v : gearDown) Finite(v, "a shift-down rpm", report);
    Finite(gearUp, "the shift-up rpm", report);

    if (nbGear > kGearRows) {
        nbGear = kGearRows;
        report("more than 10 gears; 10 used");
    }
    NotNegative(nbGear, "nbGear", report);
    if (drivingType != 0 && drivingType != 1) {
        drivingType = drivingType < 0 ? 0 : 1;
        report("drivingType is neither 0 nor 1");
    }
    NotNegative(bstTimeStart, "bstTimeStart", report);
    NotNegative(bstTimeStart2nd, "bstTimeStart2nd", report);
    NotNegative(bstTimeWait, "bstTimeWait", report);
    NotNegative(bstTimeCharge, "bstTimeCharge", report);
    NotNegative(bstTimeUse, "bstTimeUse", report);
    NotNegative(bstTimeUse2nd, "bstTimeUse2nd", report);
    NotNegative(bstEnergy, "bstEnergy", report);
    if (revMin < 0.0f) {
        revMin = 0.0f;
        report("revMin is negative; 0 used");
    }

    // Divisors: the movement treats a zero divisor as "no drive, no turn".
    if (!(weight > 0.0f)) report("weight is not above 0: the machine will not move");
    if (!(tireRadius > 0.0f)) report("tireRadius is not above 0: the engine gives no drive");
    if (!(bodyTensor * weight != 0.0f)) report("bodyTensor x weight is 0: the body will not yaw");
    if (!(rfMixRateSpMax - rfMixRateSpMin != 0.0f)) report("the slide speed range is empty");
    if (!(revLimit - revMin > 0.0f)) report("revLimit is not above revMin");
    return report.count;
}
