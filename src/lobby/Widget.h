// Widget.h -- the lobby widget toolkit's tree node, its messages and the basic widget kinds.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace g2lobby {
class ggSpriteManager;
}

namespace g2ui {

class Widget;

// A point in window client-area pixels (or relative to a widget).
struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

// ---------------------------------------------------------------- messages

// Messages are built on the stack by their sender and handed by reference;
// receivers read the fields of the class that the type names.
struct WidgetMsg {
    enum : uint32_t {
        kButtonDown = 16,
        kButtonUp = 17,
        kNCButtonDown = 32,
        kNCButtonUp = 33,
        kAction = 256,
        kActivate = 512,
    };
    explicit WidgetMsg(uint32_t t) : type(t) {}
    virtual ~WidgetMsg() = default;
    uint32_t type;
};

// A named action a widget reports to its ancestors ("BUTTON_UP", ...).
struct WDAction : WidgetMsg {
    WDAction(Widget* s, std::string a) : WidgetMsg(kAction), sender(s), action(std::move(a)) {}
    Widget* sender;
    std::string action;
};

// A mouse event at a point in the receiving widget's own coordinates.
struct WDMouse : WidgetMsg {
    WDMouse(uint32_t t, Point p) : WidgetMsg(t), x(p.x), y(p.y) {}
    float x, y;
};

// Button 0 is the left, 1 the middle, 2 the right mouse button.
struct WDMouseButton : WDMouse {
    WDMouseButton(uint32_t t, Point p, int32_t b) : WDMouse(t, p), button(b) {}
    int32_t button;
};

// A press or release over the widget that the pointer hits.
struct WDButtonDown : WDMouseButton {
    WDButtonDown(Point p, int32_t b) : WDMouseButton(kButtonDown, p, b) {}
};
struct WDButtonUp : WDMouseButton {
    WDButtonUp(Point p, int32_t b) : WDMouseButton(kButtonUp, p, b) {}
};
// A press or release anywhere, sent to every receiver.
struct WDNCButtonDown : WDMouseButton {
    WDNCButtonDown(Point p, int32_t b) : WDMouseButton(kNCButtonDown, p, b) {}
};
struct WDNCButtonUp : WDMouseButton {
    WDNCButtonUp(Point p, int32_t b) : WDMouseButton(kNCButtonUp, p, b) {}
};

// Sent to every receiver when a dialog takes the input (the toolkit sends word 0, active false).
struct WDActivate : WidgetMsg {
    WDActivate(uint32_t w, bool a) : WidgetMsg(kActivate), word(w), active(a) {}
    uint32_t word;
    bool active;
};

// ---------------------------------------------------------------- widget

// One node of the widget tree: a rectangle relative to its parent, a depth
// added to the parent's when drawing, a parent and an ordered list of
// children. The tree owns nothing: whoever creates a widget deletes it.
// Destroying a widget detaches it from its parent and its children from it.
class Widget {
public:
    // A walk over a subtree (update, draw, hit test); `depth` is the tree depth of the widget visited.
    class TraverseContext {
    public:
        virtual ~TraverseContext() = default;
        virtual bool Visit(Widget* widget) = 0;
        int32_t depth = 0;
    };

    Widget();
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // Whether the point, in the parent's coordinates, lies in the rectangle
    // (left and top edges inside, right and bottom edges outside).
    virtual bool HitTest(const Point& p) const;
    virtual void Update() = 0;
    // x, y: the widget's global position; depth: its accumulated depth.
    virtual void Draw(float x, float y, int32_t depth) = 0;
    // True when the message was handled.
    virtual bool OnMessage(const WidgetMsg& msg);
    // Reserved hook; does nothing in every widget.
    virtual void OnHook(int32_t value);

    // Appends the child (detaching it from any other parent); a child of this
    // widget already keeps its place.
    void AddChild(Widget* child);
    void RemoveChild(Widget* child);
    Point LocalToGlobal(Point p) const;
    Point GlobalToLocal(Point p) const;
    // Depth-first, pre-order; false as soon as a visit returns false. Safe
    // against widgets that are added, moved or deleted by a visit: children
    // are walked from a snapshot, skipping those that left.
    bool Traverse(TraverseContext& context);

    Widget* GetParent() const { return parent_; }
    const std::vector<Widget*>& GetChildren() const { return children_; }
    // Position of a child in the list, -1 when it is not a child.
    int IndexOf(const Widget* child) const;

    // Whether the object is a widget that has not been destroyed.
    static bool IsAlive(const Widget* widget);

    float x = 0.0f, y = 0.0f;
    float width = 0.0f, height = 0.0f;
    int32_t depth = 1;
    int32_t reserved = 0;

private:
    Widget* parent_ = nullptr;
    std::vector<Widget*> children_;
};

// A widget that receives broadcasts: registered as a receiver for its whole
// life and attached to the given parent (or parked under the hidden root).
// Destruction parks its remaining children instead of destroying them.
class WidgetBase : public Widget {
public:
    explicit WidgetBase(Widget* parent = nullptr);
    ~WidgetBase() override;
};

// A widget that draws through a lobby sprite manager; made without a parent.
class WidgetSprite : public WidgetBase {
public:
    explicit WidgetSprite(g2lobby::ggSpriteManager* sprites) : sprites_(sprites) {}
    g2lobby::ggSpriteManager* GetSprites() const { return sprites_; }

protected:
    g2lobby::ggSpriteManager* sprites_;
};

// A grouping widget: depth 16, never hit, draws and does nothing.
class WidgetContainer : public WidgetBase {
public:
    explicit WidgetContainer(Widget* parent = nullptr) : WidgetBase(parent) { depth = 16; }
    bool HitTest(const Point&) const override { return false; }
    void Update() override {}
    void Draw(float, float, int32_t) override {}
};

}  // namespace g2ui
