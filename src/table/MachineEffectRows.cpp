// Flame, glow and smoke emitters and the engine and one-shot sounds of each machine.
#include "table/MachineEffectRows.h"

#include "content_tables.h"

namespace {

// ---- Emitters ------------------------------------------------------------------------

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr float kSpinPair[4] = {-0.02f, 0.02f, 0.0f, 0.0f};
constexpr float kSpinQuad[4] = {-0.02f, -0.02f, 0.02f, 0.02f};

constexpr FlameGroup Flames(int count, yiVec3 a, yiVec3 b, yiVec3 c, yiVec3 d, uint32_t colour, int particles,
                            int trail, float scale, const float (&spin)[4]) {
    return FlameGroup{count,     {a, b, c, d}, colour, kWhite,
                      particles, trail,        scale,  {spin[0], spin[1], spin[2], spin[3]}};
}
constexpr FlameGroup Pair(float x, float y, float z, uint32_t colour, int particles, int trail, float scale) {
    return Flames(2, {x, y, z}, {-x, y, z}, {0, 0, 0}, {0, 0, 0}, colour, particles, trail, scale, kSpinPair);
}
constexpr FlameGroup kNoFlames = {0, {}, 0xFF8080FFu, kWhite, 0, 0, 0.0f, {-0.02f, 0.02f, 0.0f, 0.0f}};

constexpr yiVec3 kGround[4] = {
    {8.45f, 0.0f, -12.7f}, {-8.45f, 0.0f, -12.7f}, {-10.7f, 0.0f, 12.6f}, {10.7f, 0.0f, 12.6f}};
constexpr yiVec3 kGroundPrentis[4] = {
    {9.35f, 1.88f, 13.7f}, {-9.35f, 1.88f, 13.7f}, {-10.85f, 3.06f, -14.95f}, {10.85f, 3.06f, -14.95f}};

constexpr MachineEmitterTable Emitters(FlameGroup first, FlameGroup second, uint32_t glow, float length, float scale,
                                       const yiVec3 (&ground)[4]) {
    return MachineEmitterTable{{first, second}, glow, length, scale, {ground[0], ground[1], ground[2], ground[3]}};
}

constexpr MachineEmitterTable kTorvinEmitters =
    Emitters(Pair(10.8f, 10.42f, 23.0f, 0xFF8080FFu, 3, 120, 0.4f),
             Pair(10.8f, 10.42f, 25.5f, 0xFF8080FFu, 4, 60, 0.6f), 0xF08080FFu, 20.0f, 1.0f, kGround);

constexpr MachineEmitterTable FourFlames(yiVec3 a, yiVec3 b, yiVec3 c, yiVec3 d) {
    return Emitters(Flames(4, a, b, c, d, 0xFFFF40FFu, 1, 120, 0.4f, kSpinPair),
                    Flames(4, a, b, c, d, 0xFFFF40FFu, 1, 60, 0.6f, kSpinQuad), 0xF08080FFu, 12.0f, 0.5f, kGround);
}
constexpr MachineEmitterTable kBelmarEmitters =
    FourFlames({-8.462f, 9.025f, 23.5f}, {-2.912f, 8.207f, 21.6f}, {2.912f, 8.207f, 21.6f}, {8.462f, 9.025f, 23.5f});
constexpr MachineEmitterTable kCustrelEmitters =
    FourFlames({-7.8f, 7.3f, 21.5f}, {-3.6f, 7.0f, 21.5f}, {3.6f, 7.0f, 21.5f}, {7.8f, 7.3f, 21.5f});

constexpr MachineEmitterTable OneStage(FlameGroup first, const yiVec3 (&ground)[4] = kGround) {
    return Emitters(first, kNoFlames, kWhite, 20.0f, 1.0f, ground);
}
constexpr MachineEmitterTable kQuessaJEmitters = OneStage(Pair(6.27f, 6.6f, -10.0f, 0xFF8080FFu, 3, 120, 0.4f));
constexpr MachineEmitterTable kQuessaMEmitters = OneStage(Pair(6.27f, 6.6f, -10.0f, 0xFFFF8080u, 3, 120, 0.4f));
constexpr FlameGroup Single(uint32_t colour) {
    return Flames(1, {0.0f, 12.3f, 21.2f}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, colour, 5, 120, 0.6f, kSpinPair);
}
constexpr MachineEmitterTable kDravikREmitters = OneStage(Single(0xFF808080u));
constexpr MachineEmitterTable kDravikSEmitters = OneStage(Single(0xFFFF8080u));
constexpr MachineEmitterTable kOlvaneEmitters =
    OneStage(Flames(3, {-1.9f, 6.6f, 19.0f}, {1.9f, 6.6f, 19.0f}, {0.0f, 3.3f, 19.5f}, {0, 0, 0}, 0xFFFF80FFu, 2, 120,
                    0.35f, kSpinPair));
constexpr MachineEmitterTable kPrentisEmitters =
    OneStage(Pair(3.6f, 7.3f, 21.2f, 0xFF8080FFu, 3, 120, 0.6f), kGroundPrentis);

// ---- Sounds --------------------------------------------------------------------------

// One curve: four control values, then their outputs.
struct Curve {
    float v[8];
};
constexpr Curve C(float x0, float x1, float x2, float x3, float y0, float y1, float y2, float y3) {
    return Curve{{x0, x1, x2, x3, y0, y1, y2, y3}};
}
constexpr LoopSoundRecord Loop(uint32_t id, const Curve& volume, const Curve& pitch) {
    LoopSoundRecord r{};
    r.soundId = id;
    for (int i = 0; i < 8; ++i) {
        r.volume[i] = volume.v[i];
        r.frequency[i] = pitch.v[i];
    }
    return r;
}

// Engine loops of one sound family: the idle loop fades out as four band loops take over.
// `pitch` scales every pitch output so that families with the same curves still differ.
struct EngineIds {
    uint32_t idle, band1, band2, band3, band4, top;
};
constexpr Curve Scaled(Curve c, float k) {
    return C(c.v[0], c.v[1], c.v[2], c.v[3], c.v[4] * k, c.v[5] * k, c.v[6] * k, c.v[7] * k);
}
struct EngineLoops {
    LoopSoundRecord loops[kEngineLoops];
};
constexpr EngineLoops kTorvinLoops = {{
    Loop(content::SND_ZR_IDLE_01, C(0, 0.35f, 1, 1, 0.56f, 0, 0, 0), C(0, 0.4f, 1, 1, 1, 1, 1, 1)),
    Loop(content::SND_ZR_ENG_480_2000, C(0, 0.22f, 0.42f, 0.79f, 0.21f, 0.595f, 0.49f, 0),
         C(0, 0.79f, 1, 1, 0, 0.77f, 0.77f, 0.77f)),
    Loop(content::SND_ZR_ENG_480_3500, C(0, 0.24f, 0.57f, 0.79f, 0.14f, 0.56f, 0.455f, 0),
         C(0, 0.79f, 1, 1, 0.23f, 1.08f, 1.08f, 1.08f)),
    Loop(content::SND_ZR_ENG_480_5000, C(0.24f, 0.49f, 0.67f, 1, 0, 0.532f, 0.56f, 0.42f),
         C(0, 0.79f, 1, 1, 0.54f, 0.92f, 1.31f, 1.31f)),
    Loop(content::SND_ZR_ENG_480_8000, C(0.55f, 0.75f, 1, 1, 0, 0.49f, 0.546f, 0.546f),
         C(0.55f, 0.8f, 1, 1, 0.54f, 0.69f, 1.08f, 1.08f)),
    Loop(content::SND_ZR_TURBO_01, C(0, 0.4f, 0.7f, 1, 0, 0, 0.56f, 0.7f), C(0.4f, 0.7f, 1, 1, 0.8f, 0.8f, 1.2f, 1.2f)),
}};

// The other families follow the same bands; the lowest band starts at a pitch ratio of 0.2
// rather than 0 so that no voice is ever asked for a zero frequency ratio.
constexpr EngineLoops Engine(EngineIds id, float pitch) {
    return EngineLoops{{
        Loop(id.idle, C(0, 0.35f, 1, 1, 0.56f, 0, 0, 0), Scaled(C(0, 0.4f, 1, 1, 1, 1, 1, 1), pitch)),
        Loop(id.band1, C(0, 0.22f, 0.42f, 0.79f, 0.21f, 0.595f, 0.49f, 0),
             Scaled(C(0, 0.79f, 1, 1, 0.2f, 0.77f, 0.77f, 0.77f), pitch)),
        Loop(id.band2, C(0, 0.24f, 0.57f, 0.79f, 0.14f, 0.56f, 0.455f, 0),
             Scaled(C(0, 0.79f, 1, 1, 0.23f, 1.08f, 1.08f, 1.08f), pitch)),
        Loop(id.band3, C(0.24f, 0.49f, 0.67f, 1, 0, 0.532f, 0.56f, 0.42f),
             Scaled(C(0, 0.79f, 1, 1, 0.54f, 0.92f, 1.31f, 1.31f), pitch)),
        Loop(id.band4, C(0.55f, 0.75f, 1, 1, 0, 0.49f, 0.546f, 0.546f),
             Scaled(C(0.55f, 0.8f, 1, 1, 0.54f, 0.69f, 1.08f, 1.08f), pitch)),
        Loop(id.top, C(0, 0.4f, 0.7f, 1, 0, 0, 0.56f, 0.7f),
             Scaled(C(0.4f, 0.7f, 1, 1, 0.8f, 0.8f, 1.2f, 1.2f), pitch)),
    }};
}

constexpr MachineSoundTable Sounds(uint32_t team, const EngineLoops& e, const int32_t (&shots)[kMachineOneShots]) {
    MachineSoundTable t{};
    t.teamId = team;
    for (int i = 0; i < kEngineLoops; ++i) t.engineLoops[i] = e.loops[i];
    for (int i = 0; i < kMachineOneShots; ++i) t.oneShots[i] = shots[i];
    return t;
}

// Loop-bank entries of each sound family's engine (bank 2).
// The ICS 360 bands are entries 0 to 3; its idle and top layer follow them.
constexpr EngineIds kRoskeEngine = {content::SND_ICS_IDLE_01,      content::SND_ICS_ENG_360_2000,
                                    content::SND_ICS_ENG_360_3500, content::SND_ICS_ENG_360_5000,
                                    content::SND_ICS_ENG_360_8000, content::SND_ICS_TURBO_01};
constexpr EngineIds FamilyEngine(uint32_t first) {
    return {first, first + 1, first + 2, first + 3, first + 4, first + 5};
}

constexpr int32_t kTorvinShots[16] = {content::SND_SHIFT_01,
                                      content::SND_SHIFT_01,
                                      content::SND_BODY_OPEN_01,
                                      content::SND_BODY_CLOSE_01,
                                      content::SND_BOOST_FIRE_03,
                                      content::SND_BOOST_FIRE_02,
                                      content::SND_BODY_CLOSE_01,
                                      content::SND_BOOST_READY_01,
                                      content::SND_BOOST_NG_01,
                                      content::SND_BOOST_IGNITE_01,
                                      content::SND_BOOST_ROAR_01,
                                      0,
                                      0,
                                      content::SND_BOOST2_IGNITE_01,
                                      content::SND_BOOST_WARN_01,
                                      content::SND_BOOST2_ROAR_01};
constexpr int32_t kRoskeShots[16] = {content::SND_SHIFT_01,
                                     content::SND_SHIFT_01,
                                     content::SND_BODY_MOVE_02,
                                     content::SND_BODY_MOVE_02,
                                     content::SND_BOOST_FIRE_01,
                                     content::SND_BOOST_FIRE_03,
                                     content::SND_BODY_MOVE_02,
                                     content::SND_BOOST_READY_01,
                                     content::SND_BOOST_NG_01,
                                     content::SND_BOOST_IGNITE_01,
                                     content::SND_BOOST_ROAR_01,
                                     0,
                                     0,
                                     content::SND_BOOST2_IGNITE_01,
                                     content::SND_BOOST_WARN_01,
                                     content::SND_BODY_OPEN_02};
constexpr int32_t kQuessaJShots[16] = {content::SND_SHIFT_03,
                                       content::SND_SHIFT_03,
                                       content::SND_BODY_OPEN_03,
                                       content::SND_BODY_CLOSE_03,
                                       content::SND_BOOST_FIRE_03,
                                       0,
                                       0,
                                       0,
                                       content::SND_BOOST_NG_01,
                                       content::SND_BOOST_IGNITE_04,
                                       content::SND_BOOST_LOOP_03,
                                       0,
                                       0,
                                       0,
                                       0,
                                       0};
constexpr int32_t kQuessaMShots[16] = {content::SND_SHIFT_03,
                                       content::SND_SHIFT_03,
                                       content::SND_BODY_OPEN_03,
                                       content::SND_BODY_CLOSE_03,
                                       content::SND_BOOST_FIRE_03,
                                       0,
                                       0,
                                       0,
                                       content::SND_BOOST_NG_01,
                                       content::SND_BOOST_IGNITE_04,
                                       content::SND_BOOST_LOOP_01,
                                       0,
                                       0,
                                       0,
                                       0,
                                       0};
constexpr int32_t kDravikShots[16] = {content::SND_SHIFT_01,
                                      content::SND_SHIFT_01,
                                      0,
                                      0,
                                      content::SND_BOOST_FIRE_03,
                                      0,
                                      0,
                                      0,
                                      content::SND_BOOST_NG_01,
                                      content::SND_BOOST_IGNITE_01,
                                      content::SND_BOOST_ROAR_01,
                                      content::SND_BOOST_WARN_01,
                                      0,
                                      0,
                                      0,
                                      0};
constexpr int32_t kOlvaneShots[16] = {content::SND_SHIFT_01,
                                      content::SND_SHIFT_01,
                                      0,
                                      0,
                                      content::SND_BOOST_IGNITE_01,
                                      0,
                                      0,
                                      0,
                                      content::SND_BOOST_NG_03,
                                      content::SND_BOOST_IGNITE_03,
                                      content::SND_BOOST_ROAR_01,
                                      content::SND_BOOST_WARN_01,
                                      0,
                                      0,
                                      0,
                                      0};
constexpr int32_t kPrentisShots[16] = {content::SND_SHIFT_01,
                                       content::SND_SHIFT_01,
                                       0,
                                       0,
                                       content::SND_BOOST_FIRE_03,
                                       0,
                                       0,
                                       0,
                                       content::SND_BOOST_NG_01,
                                       content::SND_BOOST_IGNITE_02,
                                       content::SND_BOOST_ROAR_01,
                                       content::SND_BOOST_WARN_01,
                                       0,
                                       0,
                                       0,
                                       0};

constexpr EngineLoops kRoskeLoops = Engine(kRoskeEngine, 1.05f);

}  // namespace

const MachineEmitterTable MachineEmitterRows[12] = {{},
                                                    kTorvinEmitters,
                                                    kBelmarEmitters,
                                                    kQuessaJEmitters,
                                                    kQuessaMEmitters,
                                                    kDravikREmitters,
                                                    kDravikSEmitters,
                                                    kOlvaneEmitters,
                                                    kOlvaneEmitters,
                                                    kPrentisEmitters,
                                                    kCustrelEmitters,
                                                    kCustrelEmitters};

const MachineSoundTable MachineSoundRows[12] = {
    {},
    Sounds(1, kTorvinLoops, kTorvinShots),
    Sounds(3, kRoskeLoops, kRoskeShots),
    Sounds(2, Engine(FamilyEngine(content::SND_KRS_IDLE_01), 0.95f), kQuessaJShots),
    Sounds(2, Engine(FamilyEngine(content::SND_MGN_IDLE_01), 0.9f), kQuessaMShots),
    Sounds(4, Engine(FamilyEngine(content::SND_TLX_IDLE_01), 0.85f), kDravikShots),
    Sounds(4, Engine(FamilyEngine(content::SND_BRV_IDLE_01), 0.88f), kDravikShots),
    Sounds(5, Engine(FamilyEngine(content::SND_NOX_IDLE_01), 1.1f), kOlvaneShots),
    Sounds(5, Engine(FamilyEngine(content::SND_AXL_IDLE_01), 1.12f), kOlvaneShots),
    Sounds(1, Engine(FamilyEngine(content::SND_FNX_IDLE_01), 0.97f), kPrentisShots),
    Sounds(3, kRoskeLoops, kRoskeShots),
    Sounds(3, kRoskeLoops, kRoskeShots)};

const LoopSoundRecord LoopSoundParams[2] = {
    Loop(content::SND_BRAKE_01, C(0.0f, 0.31f, 0.64f, 1.0f, 0.0f, 0.345f, 0.19f, 0.07f),
         C(0.0f, 1.0f, 1.0f, 1.0f, 0.77f, 1.15f, 1.15f, 1.15f)),
    Loop(content::SND_BRAKE_02, C(0.0f, 0.46f, 0.65f, 1.0f, 0.0f, 0.21f, 0.275f, 0.325f),
         C(0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.23f, 1.23f, 1.23f)),
};

yiVec3 EffectFocusPosition = {0.0f, 0.0f, 0.0f};

const WheelOffsetEntry* FindWheelOffset(const WheelOffsetTable* table, uint32_t bodyModelId) {
    if (table == nullptr) return nullptr;
    for (const WheelOffsetEntry& e : table->entries)
        if (e.bodyModelId == bodyModelId) return &e;
    return nullptr;
}
