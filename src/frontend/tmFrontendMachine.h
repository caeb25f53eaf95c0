// tmFrontendMachine.h -- the cockpit display of one machine family: meter, readouts, state pictures, gauges, lamps.
#pragma once
#include <cstdint>

#include "frontend/tmHudRecords.h"
#include "table/RaceDisplayTables.h"

// Base of the race display's parts; it has no operations of its own.
class tmFrontendBase {
public:
    virtual ~tmFrontendBase() = default;
};

// One cockpit display: it owns the copy of the machine record it draws and
// the revolution meter's displayed step, and loads its family's resource
// group while it lives (Init to Release). Its models and places come from the
// family's cockpit tables. The six families differ only in what they draw
// and in which order; the mechanics (meter sweep, gauge steps, lamps, digit
// models) are shared here. Knows nothing of the race: it sees only the record.
class tmFrontendMachine : public tmFrontendBase {
public:
    // Fade-in spans (frames of boost used) of the gauges that fade in.
    static constexpr int kGaugeAFade = 12;
    static constexpr int kGaugeBFade = 8;

    explicit tmFrontendMachine(const CockpitTables* tables);
    ~tmFrontendMachine() override = default;

    // The cockpit of a machine id (1 to 11), or null for any other id; made with TM_NEW.
    static tmFrontendMachine* Create(int machineId);
    // The family (0 to 5) of a machine id, or -1.
    static int FamilyOf(int machineId);

    // Family number and group from the tables, the group loaded, the meter at step 0.
    virtual void Init();
    // Copies the record and moves the meter one step toward the revolutions' step.
    virtual void Update(const tmHudMachineRecord& record);
    virtual void Release();
    virtual void Draw() = 0;

    void SetFinished() { finished_ = 1; }
    bool IsFinished() const { return finished_ != 0; }
    int GetShownStep() const { return shownStep_; }
    int GetKind() const { return kind_; }
    int GetGroup() const { return group_; }
    const CockpitTables* GetTables() const { return tables_; }
    const tmHudMachineRecord& GetRecord() const { return record_; }

    // The highest step whose threshold the revolutions reach (0 below the first).
    static int TargetStep(const HudMeterStep* meter, int count, float revolutions);

protected:
    // A model at its record, optionally moved by (dx, dy) in the record's units.
    void DrawAt(const HudModelLayout& place, uint32_t model, float alpha = 1.0f, float dx = 0.0f,
                float dy = 0.0f) const;
    // A number of digit models (at most five digits) at its layout.
    void DrawNumber(int32_t value, const HudNumberLayout& layout) const;
    void DrawMeter() const;
    void DrawSpeed() const;
    // The lamp picture for a stock of 1, 2, or 3 and more (none for 0).
    void DrawLampPicture() const;
    void DrawStatePicture(const HudPictureSet& set, int32_t value) const;
    // Gauge A of the 35-step families: one picture of step A1 / A2 x 24 (at most 23), no fade.
    int GaugeAStep24() const;
    // True while a gauge flashes: more than the threshold used and value / 3 odd.
    bool Flashing(int32_t value, int32_t total) const;

    const CockpitTables* tables_;
    int32_t group_ = 0;
    int32_t kind_ = 0;
    tmHudMachineRecord record_;
    uint8_t finished_ = 0;
    int shownStep_ = 0;
};
