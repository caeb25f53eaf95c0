// tmMachineEffect.cpp -- boost flames, sparks, trails, smoke, debris and contact sounds of one machine.
#include "machine/tmMachineEffect.h"

#include <cmath>

#include "app/tmConfig.h"
#include "content_tables.h"
#include "effect/tmEffParticles.h"
#include "effect/tmEffectRandom.h"
#include "effect/tyBoostTail.h"
#include "effect/tyEffectManager.h"
#include "machine/tmMachineCore.h"
#include "machine/tmSimSound.h"
#include "race/tmRaceState.h"
#include "sys/batch/tyBillboard.h"
#include "sys/batch/tyPolygon.h"
#include "sys/render/tmDraw.h"
#include "table/MachineTable.h"
#include "table/yiResourceGroup.h"

namespace {

constexpr int kEffectGroup = content::RG_EFFECT;
constexpr float kSmokeDrift = 0.09424778f;  // radians between yaw and heading that make tires smoke
constexpr int kGlowSprite = 31;             // sheet 16: the start glow
// The charge flame's strip picture: sheet 16's boost-trail strip, a hot band along the strip, which
// is what the crossed blades below need; the sheet has no other strip drawn for it.
constexpr int kChargeSprite = 5;

// The second stage's flame models: three hot cores drawn first, three plumes over them.
constexpr int kPlumeFirst = content::MDL_EFF_BOOST_EGG01;
constexpr int kCoreFirst = content::MDL_EFF_BOOST_EGG01 + 3;
static_assert(content::MDL_EFF_PART06 == kCoreFirst + 2, "the effect group holds the six flame models in order");

constexpr uint32_t kContactSounds[] = {content::SND_CRASH_01, content::SND_CRASH_02, content::SND_CRASH_03,
                                       content::SND_CRASH_04, content::SND_CRASH_05, content::SND_CRASH_06,
                                       content::SND_CRASH_07, content::SND_CRASH_08};
constexpr uint32_t kBurstSounds[] = {content::SND_PASS_01, content::SND_PASS_02, content::SND_PASS_03,
                                     content::SND_PASS_04, content::SND_PASS_05, content::SND_PASS_06,
                                     content::SND_PASS_07};

uint8_t Channel(uint32_t argb, int shift) { return static_cast<uint8_t>((argb >> shift) & 0xFF); }

bool EffectsOn() { return tmConfig::GetInstance().GetVideoFlag() != 0; }

D3DXVECTOR3 Transform(const yiVec3& p, const D3DXMATRIX& m) {
    const D3DXVECTOR3 v(p.x, p.y, p.z);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &v, &m);
    return out;
}

}  // namespace

tmMachineEffect::tmMachineEffect() = default;

tmMachineEffect::~tmMachineEffect() { Release(); }

void tmMachineEffect::Init(tmMachineCore& core, tmMachineMove& /*move*/) {
    Release();
    core_ = &core;
    spec_ = core.spec;
    if (const yiResourceGroup* g = yiResourceGroup::Get(kEffectGroup)) {
        g->Load();
        groupLoaded_ = true;
    }
    if (spec_ && spec_->emitterTable) {
        const MachineEmitterTable& t = *spec_->emitterTable;
        int n = t.groups[0].count > t.groups[1].count ? t.groups[0].count : t.groups[1].count;
        if (n > kMaxEmitters) n = kMaxEmitters;
        for (int i = 0; i < n; ++i) trails_[i] = tyBoostTailManager::Instance().Acquire(spec_->machineId);
    }
    state_ = kNoBoost;
    elapsed_ = 0;
    frame_ = 0;
    visible_ = true;
}

void tmMachineEffect::Release() {
    for (int& slot : trails_) {
        if (slot >= 0) tyBoostTailManager::Instance().Free(slot);
        slot = -1;
    }
    if (groupLoaded_)
        if (const yiResourceGroup* g = yiResourceGroup::Get(kEffectGroup)) g->Unload();
    groupLoaded_ = false;
    core_ = nullptr;
    spec_ = nullptr;
}

const FlameGroup* tmMachineEffect::Group() const {
    if (!spec_ || !spec_->emitterTable || state_ == kNoBoost) return nullptr;
    return &spec_->emitterTable->groups[state_];
}

D3DXMATRIX tmMachineEffect::EmitterMatrix(int emitter, float scale, float spin) const {
    const FlameGroup* g = Group();
    const yiVec3 o = g ? g->points[emitter] : yiVec3{0, 0, 0};
    D3DXMATRIX r, s, t;
    D3DXMatrixRotationZ(&r, spin);
    D3DXMatrixScaling(&s, scale, scale, scale);
    D3DXMatrixTranslation(&t, o.x, o.y, o.z);
    return r * s * t * core_->worldMatrix;
}

void tmMachineEffect::PlaySe(uint32_t soundId) const {
    if (core_->player && !core_->hidden) tmSimSound::Get().Play(soundId);
}

// ---- update ----------------------------------------------------------------------------

void tmMachineEffect::Update() {
    if (!core_ || !spec_) return;
    visible_ = true;
    const tmRaceState& race = tmRaceState::Get();
    if (!core_->player) {
        const uint32_t local = race.setup.local < kRaceEntrants ? race.setup.local : 0;
        if (const tmMachineCore* player = race.cores[local]) {
            const D3DXVECTOR3 d = core_->position - player->position;
            visible_ = D3DXVec3LengthSq(&d) <= kVisibleDistance * kVisibleDistance;
        }
    }
    if (core_->player) tmEffectSetReferencePoint(core_->position);
    if (visible_) {
        UpdateBoost();
        UpdateSmoke();
        UpdateBurst();
        UpdateContact();
    }
    ++frame_;
}

void tmMachineEffect::UpdateBoost() {
    const tmMachineParams& p = core_->params;
    if (core_->secondBoostFramesLeft > 0) {
        state_ = kSecondBoost;
        elapsed_ = p.bstTimeUse2nd - core_->secondBoostFramesLeft;
    } else if (core_->boostFramesLeft > 0) {
        state_ = kFirstBoost;
        elapsed_ = p.bstTimeUse - core_->boostFramesLeft;
    } else {
        state_ = kNoBoost;
        elapsed_ = 0;
    }
    const FlameGroup* g = Group();
    if (elapsed_ < 1 || !g) return;
    const int count = g->count < kMaxEmitters ? g->count : kMaxEmitters;
    for (int i = 0; i < kMaxEmitters; ++i) emitters_[i] = Transform(g->points[i], core_->worldMatrix);
    if (EffectsOn()) {
        for (int i = 0; i < count; ++i)
            for (int k = 0; k < g->particles; ++k) {
                const uint32_t r =
                    static_cast<uint32_t>(tmEffectRandom::GetInt(Channel(g->colourA, 16), Channel(g->colourB, 16)));
                const uint32_t gg =
                    static_cast<uint32_t>(tmEffectRandom::GetInt(Channel(g->colourA, 8), Channel(g->colourB, 8)));
                const uint32_t b =
                    static_cast<uint32_t>(tmEffectRandom::GetInt(Channel(g->colourA, 0), Channel(g->colourB, 0)));
                tmEffPointFlash::SpawnSpark(emitters_[i], D3DXVECTOR3(0, 0, 0), 0xFF000000u | r << 16 | gg << 8 | b);
            }
    }
    for (int i = 0; i < count; ++i) {
        if (trails_[i] < 0) continue;
        const D3DXMATRIX m = EmitterMatrix(i, g->trailScale, static_cast<float>(frame_) * g->trailSpin[i]);
        // The table's trail argument is the trail's strength in steps; trails drift with nothing.
        tyBoostTailManager::Instance().AddPoint(trails_[i], m, nullptr, g->trailArgument);
    }
}

void tmMachineEffect::UpdateSmoke() {
    if (!EffectsOn() || !spec_->emitterTable) return;
    // The drift angle is wrapped to -pi..pi: driving straight near +-pi is no slide.
    const bool wanted =
        core_->floorState == 4 || core_->floorState == 5 || std::fabs(core_->GetDriftAngle()) > kSmokeDrift;
    if (!wanted || core_->kmh <= 20.0f) return;
    const int k = 3 - (frame_ & 3);
    tmEffSmoke::Spawn(Transform(spec_->emitterTable->groundPoints[k], core_->worldMatrix));
}

void tmMachineEffect::UpdateBurst() {
    if (frame_ % 120 != 0 || core_->kmh < 300.0f) return;
    if (core_->boostFramesLeft > 0 || core_->secondBoostFramesLeft > 0) return;
    if (!tmEffectRandom::Chance(0.1f)) return;
    if (EffectsOn())
        for (int i = 0; i < 60; ++i) {
            const uint32_t c = static_cast<uint32_t>(tmEffectRandom::GetInt(128, 240));
            tmEffPointFlash::SpawnDebris(core_->position, 0xFF000000u | c << 16 | c << 8 | 0x40u);
        }
    PlaySe(kBurstSounds[tmEffectRandom::GetInt(0, 7)]);
}

void tmMachineEffect::UpdateContact() {
    if (core_->contact && core_->kmh > 30.0f) PlaySe(kContactSounds[tmEffectRandom::GetInt(0, 8)]);
}

// ---- drawing ---------------------------------------------------------------------------

void tmMachineEffect::Draw(bool /*extraPass*/) {
    if (!core_ || !spec_ || !visible_ || elapsed_ < 1) return;
    const FlameGroup* g = Group();
    if (!g) return;
    const int count = g->count < kMaxEmitters ? g->count : kMaxEmitters;
    const MachineEmitterTable& table = *spec_->emitterTable;
    ty_sEffectManager& effects = ty_sEffectManager::Instance();

    // The glow as a boost starts.
    if (state_ == kFirstBoost && elapsed_ < 10)
        if (tyBillboard* glow = effects.GetBillboard(ty_sEffectManager::kBillboardShared)) {
            const float e = static_cast<float>(elapsed_) / 10.0f;
            for (int i = 0; i < count; ++i) {
                glow->SetPosition(emitters_[i]);
                glow->SetSize(64.0f * e * e, 64.0f * e * e);
                glow->SetColorF(0.6f * (1.0f - e), 0.97f, 0.97f, 0.71f);
                glow->Add(kGlowSprite);
            }
        }

    // The charge flame while the second stage may be called, shrinking as the boost runs out.
    // The emitter table's word for it is the flame's ARGB colour: the table is built as colours
    // (0xF08080FF on the two-stage machines, white on the rest), and read as a strip kind or a sheet
    // cell those values would index nothing. The batch's kind fixes the layer it draws on; a
    // flame queued on the near-shadow caster layer would only cast a shadow and never be seen.
    const tmMachineParams& p = core_->params;
    const int window = p.bstTimeUse - p.bstTimeCharge;
    if (state_ == kFirstBoost && spec_->boostStages == 2 && window > 0 && core_->boostFramesLeft < window)
        if (tyPolygon* strips = effects.GetPolygon(ty_sEffectManager::kPolygonShared)) {
            float r = static_cast<float>(core_->boostFramesLeft) / static_cast<float>(window);
            if (r < 0.0f) r = 0.0f;
            r *= table.glowLength;
            for (int i = 0; i < count; ++i) {
                const D3DXMATRIX m = EmitterMatrix(i, r, static_cast<float>(frame_) * g->trailSpin[i]);
                // Two crossed blades from the nozzle backward, fading toward their tips.
                static const D3DXVECTOR3 kBlade[2][4] = {{{-0.3f, 0, 0}, {0.3f, 0, 0}, {-0.05f, 0, 1}, {0.05f, 0, 1}},
                                                         {{0, -0.3f, 0}, {0, 0.3f, 0}, {0, -0.05f, 1}, {0, 0.05f, 1}}};
                static const float kUv[8] = {0, 0, 1, 0, 0, 1, 1, 1};
                const uint32_t base = table.glowColour, tip = table.glowColour & 0x00FFFFFFu;
                const uint32_t colours[4] = {base, base, tip, tip};
                for (const auto& blade : kBlade) {
                    float pos[12];
                    for (int v = 0; v < 4; ++v) {
                        D3DXVECTOR3 w;
                        D3DXVec3TransformCoord(&w, &blade[v], &m);
                        pos[v * 3] = w.x;
                        pos[v * 3 + 1] = w.y;
                        pos[v * 3 + 2] = w.z;
                    }
                    strips->AddStrip(kChargeSprite, 4, pos, kUv, colours);
                }
            }
        }

    // The second stage's flame models, turned at random every frame.
    if (core_->secondBoostFramesLeft >= 1) {
        tmDraw* draw = tmDraw::GetInstance();
        for (int i = 0; i < count; ++i) {
            D3DXMATRIX m = EmitterMatrix(i, table.secondScale, tmEffectRandom::GetFloat(D3DX_PI));
            draw->SetWorldMatrix(m);
            draw->DrawModel(kCoreFirst + tmEffectRandom::GetInt(0, 3), tmShaderType::kStandard, tmRenderLayer::kGlow);
            D3DXMATRIX turn;
            D3DXMatrixRotationZ(&turn, tmEffectRandom::GetFloat(D3DX_PI));
            m = turn * m;
            draw->SetWorldMatrix(m);
            draw->DrawModel(kPlumeFirst + tmEffectRandom::GetInt(0, 3), tmShaderType::kVertexColour,
                            tmRenderLayer::kGlow);
        }
    }
}
