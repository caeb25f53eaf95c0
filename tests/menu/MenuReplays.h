// MenuReplays.h -- replay files for the menu tests, written field by field into ./replay/.
#pragma once
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "format/ByteIO.h"
#include "race/tmReplayFormat.h"

namespace menutest {

// A replay header of `count` entrants on `course` in race `mode`, recorded at `time`, with no records.
inline tmReplayHeader MakeHeader(uint32_t mode, uint32_t course, uint32_t count, int64_t time, uint32_t machine = 1) {
    tmReplayHeader h;
    std::snprintf(h.magic, sizeof h.magic, "%s", kReplayMagic);
    h.creationTime = time;
    std::snprintf(h.playerName, sizeof h.playerName, "%s", "Tester");
    h.setup.course = course;
    h.setup.mode = mode;
    h.setup.count = count;
    h.setup.local = 0;
    h.setup.laps = 3;
    for (uint32_t i = 0; i < count; ++i) {
        h.entrants[i].machineId = 1 + (machine - 1 + i) % 11;
        h.entrants[i].controllerType = i == 0 ? 1 : 3;
        h.entrants[i].entrantId = i;
    }
    h.totalMs = 123456;
    h.bestLapMs = 40123;
    return h;
}

// Writes ./replay/<name> holding the header; false when it cannot be written.
inline bool WriteReplay(const std::string& name, const tmReplayHeader& h) {
    mkdir("replay", 0755);
    zfmt::ByteWriter w;
    WriteReplayHeader(h, &w);
    std::FILE* f = std::fopen(("replay/" + name).c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(w.Data().data(), 1, w.Data().size(), f) == w.Data().size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace menutest
