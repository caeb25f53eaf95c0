// ScreenJumps.cpp -- the wrapper screen that passes everything to the game's screen and answers a pending jump.
#include "harness/ScreenJumps.h"

#include <memory>
#include <utility>

namespace harness {
namespace {

tmSequenceFactory& Inner() {
    static tmSequenceFactory factory;
    return factory;
}
int g_jump = 0;

// Owns the game's screen for its id and hands every call on.
class JumpWrapper : public tmSequence {
public:
    explicit JumpWrapper(tmSequence* inner) : inner_(inner) {}
    void Init() override { inner_->Init(); }
    int Update() override {
        const int own = inner_->Update();
        if (g_jump == 0) return own;
        const int id = g_jump;
        g_jump = 0;
        return id;
    }
    void Term() override { inner_->Term(); }
    void Draw() override { inner_->Draw(); }
    tmSequence* Get() const { return inner_.get(); }

private:
    std::unique_ptr<tmSequence> inner_;
};

template <int Id>
tmSequence* Make() {
    tmSequence* inner = Inner().Construct(Id);
    return inner ? new JumpWrapper(inner) : nullptr;
}

template <int... Ids>
void SetAll(tmSequenceFactory& out, std::integer_sequence<int, Ids...>) {
    // Ids 0..kLastId; the factory ignores 0.
    ((Inner().Get(Ids) ? out.Set(Ids, &Make<Ids>) : void()), ...);
}

}  // namespace

tmSequenceFactory JumpableScreens(const tmSequenceFactory& screens) {
    Inner() = screens;
    g_jump = 0;
    tmSequenceFactory out;
    SetAll(out, std::make_integer_sequence<int, tmSequenceFactory::kLastId + 1>{});
    return out;
}

void JumpTo(int id) { g_jump = id; }

tmSequence* Unwrap(tmSequence* screen) {
    const JumpWrapper* w = dynamic_cast<JumpWrapper*>(screen);
    return w ? w->Get() : screen;
}

}  // namespace harness
