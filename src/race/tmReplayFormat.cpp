// tmReplayFormat.cpp -- replay header and record bytes: writing, reading and checking.
#include "race/tmReplayFormat.h"

#include <cstdio>
#include <cstring>

#include "table/CourseTable.h"
#include "table/MachineTable.h"

namespace {

using zfmt::ByteReader;
using zfmt::ByteWriter;

void WriteName(const char (&name)[kRaceNameSize], ByteWriter* out) {
    // Bytes after the terminator are written as zeros, so a file never carries stale memory.
    const size_t n = strnlen(name, kRaceNameSize - 1);
    out->Raw(name, n);
    out->Zeros(kRaceNameSize - n);
}

void ReadName(ByteReader* in, char (&name)[kRaceNameSize]) {
    in->Raw(name, kRaceNameSize);
    name[kRaceNameSize - 1] = '\0';
}

void WriteEntrant(const tmEntrant& e, ByteWriter* out) {
    out->U32(e.machineId);
    out->U32(e.controllerType);
    out->U32(e.variant);
    WriteName(e.driverName, out);
    WriteName(e.teamName, out);
    out->Zeros(2);
    out->U32(e.entrantId);
}

void ReadEntrant(ByteReader* in, tmEntrant* e) {
    e->machineId = in->U32();
    e->controllerType = in->U32();
    e->variant = in->U32();
    ReadName(in, e->driverName);
    ReadName(in, e->teamName);
    in->Skip(2);
    e->entrantId = in->U32();
}

std::string Why(const char* format, unsigned a, unsigned b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The setup and entrant checks; "" when every field indexes what it should.
std::string CheckSetup(const tmReplayHeader& h) {
    const tmRaceSetup& s = h.setup;
    if (s.count < 1 || s.count > kRaceEntrants) return Why("entrant count %u is not 1..16", s.count);
    if (s.local >= s.count) return Why("local entrant %u is not below the count %u", s.local, s.count);
    // Any course a race can be set up on, the garage included.
    if (s.course < kFirstCourseId || s.course > kLastCourseId) return Why("course %u is not a race course", s.course);
    if (s.laps < 1 || s.laps > kReplayMaxLaps) return Why("%u laps are not 1..15", s.laps);
    if (s.mode > kRaceModeDirect) return Why("race mode %u is unknown", s.mode);
    if (s.difficulty > 3) return Why("difficulty %u is not 0..3", s.difficulty);
    for (uint32_t i = 0; i < s.count; ++i) {
        const tmEntrant& e = h.entrants[i];
        if (e.machineId < kFirstMachineId || e.machineId > kLastMachineId)
            return Why("entrant %u has machine %u", i, e.machineId);
        if (e.variant > 1) return Why("entrant %u has variant %u", i, e.variant);
        if (e.entrantId >= kRaceEntrants) return Why("entrant %u has id %u", i, e.entrantId);
    }
    return "";
}

}  // namespace

void WriteReplayHeader(const tmReplayHeader& h, ByteWriter* out) {
    out->Raw(h.magic, kReplayMagicSize);
    out->Zeros(8);
    out->U32(static_cast<uint32_t>(static_cast<uint64_t>(h.creationTime)));
    out->U32(static_cast<uint32_t>(static_cast<uint64_t>(h.creationTime) >> 32));
    out->U32(h.word32);
    WriteName(h.playerName, out);
    out->Zeros(3);
    const tmRaceSetup& s = h.setup;
    for (uint32_t w : {s.course, s.mode, s.count, s.local, s.difficulty, s.laps}) out->U32(w);
    for (const tmEntrant& e : h.entrants) WriteEntrant(e, out);
    out->U32(h.word912);
    out->U32(h.totalMs);
    out->U32(h.bestLapMs);
    out->U32(h.recordCount);
    out->U32(h.lastFrame);
    out->U32(0);
}

void WriteReplayRecord(const tmReplayRecord& r, ByteWriter* out) {
    out->F32(r.control.steering);
    out->F32(r.control.accelerator);
    out->F32(r.control.brake);
    out->U8(r.control.shiftUp);
    out->U8(r.control.shiftDown);
    out->U8(r.control.bodyMode);
    out->U8(r.control.boost);
    out->U32(r.bodyMode);
    out->F32(r.x);
    out->F32(r.z);
    out->F32(r.yaw);
    out->U32(r.frame);
}

std::string ReadReplayHeader(const uint8_t* data, size_t size, int64_t fileSize, tmReplayHeader* out,
                             std::string* notes) {
    if (notes) notes->clear();
    if (!data || size < kReplayHeaderSize || fileSize < static_cast<int64_t>(kReplayHeaderSize))
        return "shorter than the 936-byte header";
    char magic[kReplayMagicSize] = {};
    std::memcpy(magic, kReplayMagic, sizeof kReplayMagic);
    if (std::memcmp(data, magic, kReplayMagicSize) != 0) return "not a replay (wrong magic)";

    tmReplayHeader h;
    ByteReader in(data, kReplayHeaderSize);
    in.Raw(h.magic, kReplayMagicSize);
    in.Skip(8);
    const uint32_t timeLow = in.U32();
    const uint32_t timeHigh = in.U32();
    h.creationTime = static_cast<int64_t>(static_cast<uint64_t>(timeHigh) << 32 | timeLow);
    h.word32 = in.U32();
    ReadName(&in, h.playerName);
    in.Skip(3);
    tmRaceSetup& s = h.setup;
    for (uint32_t* w : {&s.course, &s.mode, &s.count, &s.local, &s.difficulty, &s.laps}) *w = in.U32();
    for (tmEntrant& e : h.entrants) ReadEntrant(&in, &e);
    h.word912 = in.U32();
    h.totalMs = in.U32();
    h.bestLapMs = in.U32();
    h.recordCount = in.U32();
    h.lastFrame = in.U32();
    if (!in.Ok()) return "shorter than the 936-byte header";

    std::string why = CheckSetup(h);
    if (!why.empty()) return why;

    const uint64_t present =
        static_cast<uint64_t>(fileSize - static_cast<int64_t>(kReplayHeaderSize)) / kReplayRecordSize;
    if (h.recordCount > present) {
        if (notes) *notes += Why("holds %u of its %u records; ", static_cast<unsigned>(present), h.recordCount);
        h.recordCount = static_cast<uint32_t>(present);
    }
    const uint32_t frames = h.recordCount / s.count;
    if (h.lastFrame > frames) {
        if (notes) *notes += Why("last frame %u held to the %u frames present; ", h.lastFrame, frames);
        h.lastFrame = frames;
    }
    *out = h;
    return "";
}

bool ReadReplayRecord(const uint8_t* data, size_t size, uint32_t index, tmReplayRecord* out) {
    const uint64_t at = kReplayHeaderSize + static_cast<uint64_t>(index) * kReplayRecordSize;
    if (!data || at + kReplayRecordSize > size) return false;
    ByteReader in(data + at, kReplayRecordSize);
    tmReplayRecord r;
    r.control.steering = in.F32();
    r.control.accelerator = in.F32();
    r.control.brake = in.F32();
    r.control.shiftUp = in.U8();
    r.control.shiftDown = in.U8();
    r.control.bodyMode = in.U8();
    r.control.boost = in.U8();
    r.bodyMode = in.U32();
    r.x = in.F32();
    r.z = in.F32();
    r.yaw = in.F32();
    r.frame = in.U32();
    *out = r;
    return true;
}
