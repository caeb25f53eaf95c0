// WidgetRoot.cpp -- roots, receivers, modality, the mouse pump, hit testing and the draw walk.
#include "lobby/WidgetRoot.h"

#include <algorithm>

#include "sys/input/tmPeripheral.h"

namespace g2ui {

namespace {

struct ToolkitState {
    std::vector<Widget*> receivers;
    Widget* cursor = nullptr;
    Point cursorPosition;
    Point mouse;
    ScreenView view;
    bool modal = false;
};

// Never freed: widgets may unregister while the roots are destroyed at exit.
ToolkitState& State() {
    static auto* state = new ToolkitState;
    return *state;
}

WidgetRoot* MakeRoot(WidgetRoot* root) {
    WidgetRoot::RegisterReceiver(root);
    return root;
}

// A press or release: to the hit widget, then as the "NC" kind to every receiver.
template <class Hit, class Everyone>
void Dispatch(Widget* hit, const Point& global, int32_t button) {
    if (hit) hit->OnMessage(Hit(hit->GlobalToLocal(global), button));
    // Handlers may create or delete widgets: a receiver added now waits for the
    // next event, one removed is skipped.
    const std::vector<Widget*> snapshot = State().receivers;
    for (Widget* w : snapshot) {
        if (!WidgetRoot::IsReceiver(w)) continue;
        w->OnMessage(Everyone(w->GlobalToLocal(global), button));
    }
}

}  // namespace

// ---------------------------------------------------------------- roots

WidgetRoot* WidgetRoot::GetBaseRoot() {
    static WidgetRoot root;
    static WidgetRoot* registered = MakeRoot(&root);
    return registered;
}

WidgetRoot* WidgetRoot::GetOverlayRoot() {
    static WidgetRoot root;
    static WidgetRoot* registered = MakeRoot(&root);
    return registered;
}

WidgetRoot* WidgetRoot::GetParkingRoot() {
    static WidgetRoot root;
    static WidgetRoot* registered = MakeRoot(&root);
    return registered;
}

// ---------------------------------------------------------------- receivers

void WidgetRoot::RegisterReceiver(Widget* widget) {
    if (widget) State().receivers.push_back(widget);
}

void WidgetRoot::UnregisterReceiver(Widget* widget) {
    auto& list = State().receivers;
    list.erase(std::remove(list.begin(), list.end(), widget), list.end());
}

bool WidgetRoot::IsReceiver(const Widget* widget) {
    const auto& list = State().receivers;
    return std::find(list.begin(), list.end(), widget) != list.end();
}

const std::vector<Widget*>& WidgetRoot::GetReceivers() { return State().receivers; }

// ---------------------------------------------------------------- cursor and modality

void WidgetRoot::SetCursorWidget(Widget* widget) { State().cursor = widget; }
Widget* WidgetRoot::GetCursorWidget() { return State().cursor; }
void WidgetRoot::SetCursorPosition(float x, float y) { State().cursorPosition = {x, y}; }
Point WidgetRoot::GetCursorPosition() { return State().cursorPosition; }
void WidgetRoot::SetView(const ScreenView& view) {
    // A view of no size would send every point to infinity: keep the identity instead.
    State().view = view.scale > 0.0f ? view : ScreenView{};
}
const ScreenView& WidgetRoot::GetView() { return State().view; }

Point WidgetRoot::GetInputMouse() {
    const tmPeripheral* in = tmPeripheral::GetInstance();
    if (!in) return State().mouse;
    return State().view.ToLayout({static_cast<float>(in->cursorX), static_cast<float>(in->cursorY)});
}

void WidgetRoot::SetModal(bool modal) { State().modal = modal; }
bool WidgetRoot::IsModal() { return State().modal; }
Point WidgetRoot::GetMousePosition() { return State().mouse; }

// ---------------------------------------------------------------- messages

void WidgetRoot::BroadcastActivate() {
    // Handlers may create or delete widgets: send over a snapshot, skipping those gone.
    const std::vector<Widget*> snapshot = State().receivers;
    const WDActivate msg(0, false);
    for (Widget* w : snapshot)
        if (IsReceiver(w)) w->OnMessage(msg);
}

bool WidgetRoot::SendMessage(Widget* widget, const WidgetMsg& msg, bool bubble) {
    if (!widget) return false;
    if (!bubble) return widget->OnMessage(msg);
    for (Widget* w = widget; w;) {
        if (w->OnMessage(msg)) return true;
        // A handler that deleted its own widget ends the chain.
        if (!IsAlive(w)) return false;
        w = w->GetParent();
    }
    return false;
}

// ---------------------------------------------------------------- input pump

void WidgetRoot::ProcessInput() {
    MouseInput m;
    const Point mouse = GetInputMouse();
    m.x = mouse.x;
    m.y = mouse.y;
    if (const tmPeripheral* in = tmPeripheral::GetInstance()) {
        // Toolkit buttons 0, 1, 2 are the input service's first, third and second.
        const int source[3] = {0, 2, 1};
        for (int b = 0; b < 3; ++b) {
            m.down[b] = in->mouseButton[source[b]] != 0;
            m.wasDown[b] = in->mouseButtonPrev[source[b]] != 0;
        }
    }
    ProcessInput(m);
}

void WidgetRoot::ProcessInput(const MouseInput& mouse) {
    const Point global{mouse.x, mouse.y};
    State().mouse = global;
    Widget* hit = HitTestLayers(global);
    for (int32_t b = 0; b < 3; ++b) {
        if (mouse.down[b] && !mouse.wasDown[b]) {
            Dispatch<WDButtonDown, WDNCButtonDown>(IsAlive(hit) ? hit : nullptr, global, b);
        }
    }
    for (int32_t b = 0; b < 3; ++b) {
        if (!mouse.down[b] && mouse.wasDown[b]) {
            Dispatch<WDButtonUp, WDNCButtonUp>(IsAlive(hit) ? hit : nullptr, global, b);
        }
    }
    WidgetExecuter overlay;
    GetOverlayRoot()->Traverse(overlay);
    if (!IsModal()) {
        WidgetExecuter base;
        GetBaseRoot()->Traverse(base);
    }
}

// ---------------------------------------------------------------- drawing and hit tests

void WidgetRoot::DrawAll() {
    WidgetDrawer base(kBaseLayer);
    GetBaseRoot()->Traverse(base);
    WidgetDrawer overlay(kOverlayLayer);
    GetOverlayRoot()->Traverse(overlay);
    if (Widget* cursor = State().cursor) {
        const Point p = State().cursorPosition;
        cursor->Draw(p.x, p.y, 0);
    }
}

Widget* WidgetRoot::HitTestLayers(const Point& p) {
    WidgetHitTest test(p);
    if (!IsModal()) GetBaseRoot()->Traverse(test);
    GetOverlayRoot()->Traverse(test);
    return test.GetHit();
}

// ---------------------------------------------------------------- walks

bool WidgetExecuter::Visit(Widget* widget) {
    widget->Update();
    return true;
}

WidgetDrawer::WidgetDrawer(int32_t layerBase) {
    stack_.reserve(32);
    stack_.push_back({0.0f, 0.0f, layerBase});
}

bool WidgetDrawer::Visit(Widget* widget) {
    const size_t level = static_cast<size_t>(depth);
    if (level >= stack_.size()) return true;  // cannot happen in a pre-order walk
    const Entry parent = stack_[level];
    const Entry mine{parent.x + widget->x, parent.y + widget->y, parent.depth + widget->depth};
    widget->Draw(mine.x, mine.y, mine.depth);
    // The entry of this widget's children; a deeper sibling branch is cut off first.
    stack_.resize(level + 1);
    stack_.push_back(mine);
    return true;
}

WidgetHitTest::WidgetHitTest(Point p) {
    stack_.reserve(32);
    stack_.push_back(p);
}

bool WidgetHitTest::Visit(Widget* widget) {
    const size_t level = static_cast<size_t>(depth);
    if (level >= stack_.size()) return true;
    const Point p = stack_[level];
    if (widget->HitTest(p) && depth >= bestDepth_) {
        bestDepth_ = depth;
        hit_ = widget;
    }
    stack_.resize(level + 1);
    stack_.push_back({p.x - widget->x, p.y - widget->y});
    return true;
}

}  // namespace g2ui
