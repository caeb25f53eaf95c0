// tmPlaceholderScreens.cpp -- SCAFFOLDING: stand-in screens that only follow the screen road.
#include "app/tmPlaceholderScreens.h"

#include <utility>

#include "sys/input/tmPeripheral.h"

namespace {

constexpr int kAtOnce = -1;

tmPlaceholderRoad Road(int id) {
    switch (id) {
        case 1: return {13, 13};
        case 13: return {14, 0};
        case 14: return {22, 29};
        case 15:
        case 16:
        case 17:
        case 18:
        case 19:
        case 20: return {14, 14};
        case 21: return {24, 22};
        case 22: return {21, 14};
        case 23: return {24, 14};
        case 24: return {kAtOnce, 25};
        case 25: return {14, 14};
        case 26: return {kAtOnce, 25};
        case 27: return {26, 14};
        case 28: return {13, 13};
        default: return {1, 1};  // debug and test screens go back to the debug menu
    }
}

// A screen that draws nothing and leaves along the road on decide or cancel.
template <int Id>
class tmPlaceholderScreen : public tmSequence {
public:
    void Init() override {}
    int Update() override {
        const tmPlaceholderRoad road = Road(Id);
        if (road.decide == kAtOnce) return ++steps_ > 1 ? 25 : 0;
        const tmPeripheral* in = tmPeripheral::GetInstance();
        if (!in) return 0;
        if (in->IsDecideTriggered() && road.decide) return road.decide;
        if ((in->IsCancelTriggered() || in->IsEscapeTriggered()) && road.cancel) return road.cancel;
        return 0;
    }
    void Term() override {}
    void Draw() override {}

private:
    int steps_ = 0;
};

template <int Id>
tmSequence* MakePlaceholder() {
    return new tmPlaceholderScreen<Id>();
}

template <int... Ids>
void RegisterAll(tmSequenceFactory& f, std::integer_sequence<int, Ids...>) {
    (f.Set(Ids + 1, &MakePlaceholder<Ids + 1>), ...);
}

}  // namespace

tmPlaceholderRoad tmGetPlaceholderRoad(int id) { return Road(id); }

void tmRegisterPlaceholderScreens(tmSequenceFactory& factory) {
    RegisterAll(factory, std::make_integer_sequence<int, tmSequenceFactory::kLastId>());
}
