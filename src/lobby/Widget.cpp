// Widget.cpp -- the widget tree: parents and children, coordinates, the guarded walk, receivers' life.
#include "lobby/Widget.h"

#include <algorithm>
#include <unordered_set>

#include "lobby/WidgetRoot.h"

namespace g2ui {

namespace {
// Every widget not yet destroyed. Never freed: roots live until exit.
std::unordered_set<const Widget*>& Live() {
    static auto* live = new std::unordered_set<const Widget*>;
    return *live;
}
}  // namespace

Widget::Widget() { Live().insert(this); }

Widget::~Widget() {
    if (parent_) parent_->RemoveChild(this);
    for (Widget* child : children_) child->parent_ = nullptr;
    children_.clear();
    Live().erase(this);
}

bool Widget::IsAlive(const Widget* widget) { return widget && Live().count(widget) != 0; }

bool Widget::HitTest(const Point& p) const { return x <= p.x && p.x < x + width && y <= p.y && p.y < y + height; }

bool Widget::OnMessage(const WidgetMsg&) { return false; }

void Widget::OnHook(int32_t) {}

void Widget::AddChild(Widget* child) {
    if (!child || child->parent_ == this) return;
    // A widget never becomes its own ancestor: the walks would not end.
    for (const Widget* a = this; a; a = a->parent_)
        if (a == child) return;
    if (child->parent_) child->parent_->RemoveChild(child);
    child->parent_ = this;
    children_.push_back(child);
}

void Widget::RemoveChild(Widget* child) {
    auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end()) return;
    children_.erase(it);
    child->parent_ = nullptr;
}

int Widget::IndexOf(const Widget* child) const {
    auto it = std::find(children_.begin(), children_.end(), child);
    return it == children_.end() ? -1 : static_cast<int>(it - children_.begin());
}

Point Widget::LocalToGlobal(Point p) const {
    for (const Widget* w = this; w; w = w->parent_) {
        p.x += w->x;
        p.y += w->y;
    }
    return p;
}

Point Widget::GlobalToLocal(Point p) const {
    for (const Widget* w = this; w; w = w->parent_) {
        p.x -= w->x;
        p.y -= w->y;
    }
    return p;
}

bool Widget::Traverse(TraverseContext& context) {
    if (!context.Visit(this)) return false;
    if (!IsAlive(this)) return true;  // deleted by its own visit: nothing below it is left
    ++context.depth;
    // Visits may add, move or delete widgets (a pane re-parents its buttons in
    // its update): walk a snapshot and skip children that have left.
    const std::vector<Widget*> snapshot = children_;
    for (Widget* child : snapshot) {
        if (!IsAlive(this)) break;
        if (IndexOf(child) < 0) continue;
        if (!child->Traverse(context)) return false;
    }
    --context.depth;
    return true;
}

// ---------------------------------------------------------------- WidgetBase

WidgetBase::WidgetBase(Widget* parent) {
    WidgetRoot::RegisterReceiver(this);
    (parent ? parent : WidgetRoot::GetParkingRoot())->AddChild(this);
}

WidgetBase::~WidgetBase() {
    WidgetRoot::UnregisterReceiver(this);
    WidgetRoot* parking = WidgetRoot::GetParkingRoot();
    const std::vector<Widget*> children = GetChildren();
    for (Widget* child : children) parking->AddChild(child);
}

}  // namespace g2ui
