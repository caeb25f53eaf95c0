// WidgetRoot.h -- the toolkit's three roots and process-wide state: receivers, cursor, modality, input pump, drawing.
#pragma once
#include <cstdint>
#include <vector>

#include "lobby/Widget.h"

namespace g2ui {

// The mouse as one logic update sees it: position in window client-area
// pixels and the three toolkit buttons (0 left, 1 middle, 2 right), now and
// in the previous update.
struct MouseInput {
    float x = 0.0f, y = 0.0f;
    bool down[3] = {false, false, false};
    bool wasDown[3] = {false, false, false};
};

// How the toolkit's layout stands in the window's picture: a layout point
// (x, y) shows at window pixel (offsetX + x * scale, offsetY + y * scale).
// The default is the identity: the layout is in window pixels.
struct ScreenView {
    float scale = 1.0f;
    float offsetX = 0.0f, offsetY = 0.0f;
    Point ToWindow(const Point& p) const { return {offsetX + p.x * scale, offsetY + p.y * scale}; }
    Point ToLayout(const Point& p) const { return {(p.x - offsetX) / scale, (p.y - offsetY) / scale}; }
};

// A root of the widget tree: never hit, updated or drawn itself. Three exist
// for the life of the process: the base layer (the lobby's panes), the
// overlay layer (dialogs) and the hidden parking root (widgets not shown).
// The static members are the toolkit's process-wide state; everything runs
// on the main thread.
class WidgetRoot : public Widget {
public:
    static WidgetRoot* GetBaseRoot();
    static WidgetRoot* GetOverlayRoot();
    static WidgetRoot* GetParkingRoot();

    // Layer bases of the accumulated depth: the overlay draws above the base.
    static constexpr int32_t kBaseLayer = 0;
    static constexpr int32_t kOverlayLayer = 896;

    // ---- receivers ----
    static void RegisterReceiver(Widget* widget);
    static void UnregisterReceiver(Widget* widget);
    static bool IsReceiver(const Widget* widget);
    static const std::vector<Widget*>& GetReceivers();

    // ---- cursor and modality ----
    // Drawn at the cursor position after both layers (null: nothing).
    static void SetCursorWidget(Widget* widget);
    static Widget* GetCursorWidget();
    static void SetCursorPosition(float x, float y);
    static Point GetCursorPosition();
    // The view the input service's mouse is read back through (into layout
    // pixels) and the text input's caret is given out through.
    static void SetView(const ScreenView& view);
    static const ScreenView& GetView();
    // The input service's mouse position in layout pixels.
    static Point GetInputMouse();
    // While set, the base layer is drawn but neither hit nor updated.
    static void SetModal(bool modal);
    static bool IsModal();

    // ---- messages ----
    // One WDActivate (word 0, active false) to every receiver, in list order.
    static void BroadcastActivate();
    // Without bubbling: the widget's answer; with bubbling: offered to the
    // widget, then each ancestor, until one handles it.
    static bool SendMessage(Widget* widget, const WidgetMsg& msg, bool bubble);

    // ---- per update and per frame ----
    // The mouse pump: presses and releases to the hit widget and, as "NC"
    // messages, to every receiver; then the update walk (overlay, and the
    // base unless modal). Reads the input service's mouse through the view.
    static void ProcessInput();
    static void ProcessInput(const MouseInput& mouse);
    // The mouse position (layout pixels) the last ProcessInput read.
    static Point GetMousePosition();
    // Both layers, then the cursor widget.
    static void DrawAll();
    // The deepest widget under the global point (the overlay wins; the base
    // layer only when not modal), or null.
    static Widget* HitTestLayers(const Point& p);

    bool HitTest(const Point&) const override { return false; }
    void Update() override {}
    void Draw(float, float, int32_t) override {}
    bool OnMessage(const WidgetMsg&) override { return false; }
};

// Update walk: every visited widget's Update.
class WidgetExecuter : public Widget::TraverseContext {
public:
    bool Visit(Widget* widget) override;
};

// Draw walk: a stack of {global x, global y, accumulated depth} per tree depth.
class WidgetDrawer : public Widget::TraverseContext {
public:
    explicit WidgetDrawer(int32_t layerBase);
    bool Visit(Widget* widget) override;

private:
    struct Entry {
        float x, y;
        int32_t depth;
    };
    std::vector<Entry> stack_;
};

// Hit walk: the deepest widget containing the point; later ones win ties.
class WidgetHitTest : public Widget::TraverseContext {
public:
    explicit WidgetHitTest(Point p);
    bool Visit(Widget* widget) override;
    Widget* GetHit() const { return hit_; }

private:
    int32_t bestDepth_ = 0;
    Widget* hit_ = nullptr;
    std::vector<Point> stack_;
};

}  // namespace g2ui
