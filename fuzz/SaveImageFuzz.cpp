// SaveImageFuzz.cpp -- loads arbitrary bytes as a save file and uses every table-indexing accessor.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/tmConfig.h"

namespace {

const char* FixedGuid() { return "{00000000-0000-0000-0000-000000000000}"; }

// A save file held in memory: reads give the fuzz input, writes are kept.
// One lives for the whole run, so the whole image a save writes reuses its
// buffer instead of allocating 144 KB per input.
class MemorySave : public tmSaveFile {
public:
    std::vector<uint8_t> bytes;
    bool Read(std::vector<uint8_t>& out) const override {
        out = bytes;
        return true;
    }
    bool Write(const uint8_t* data, size_t size) override {
        bytes.assign(data, data + size);
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemorySave file;
    file.bytes.assign(data, data + size);
    tmConfig cfg(&FixedGuid, &file);
    cfg.Load();
    // Unsigned sums: the values come from a hostile file and may be anything.
    volatile unsigned sink = unsigned(cfg.GetScreenWidth()) + unsigned(cfg.GetScreenHeight());
    sink = sink + unsigned(cfg.GetDistanceNear() + cfg.GetDistanceFar());
    tmVideoParams p = cfg.GetVideoParams();
    sink = sink + unsigned(p.shadowMapSize + p.sceneTargetWidth);
    for (int i = 0; i <= 9; ++i) sink = sink + unsigned(cfg.GetKeyAssign(i));
    sink = sink + unsigned(__builtin_strlen(cfg.GetPlayerName()) + __builtin_strlen(cfg.GetTeamName()) +
                           __builtin_strlen(cfg.GetComment()) + __builtin_strlen(cfg.GetGuid()));
    // No save of every loaded image: writing is a fixed copy and scramble of the
    // whole image that no input steers, and cost more than the rest of a run.
    // Load still saves when it gives the image a fresh GUID.
    (void)sink;
    return 0;
}
