// ModeObj.h -- named modes of a screen and the controller that switches and runs them.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace g2util {

template <class Owner>
class ModeObjCtrl;

// One mode of an owner's state machine. Enter and Leave run when the mode
// becomes or stops being current; Update runs once per controller run and
// returns true when the controller is done for this step, false only right
// after it requested another mode (or stopped the controller), so that the
// switch happens in the same step. The owner is borrowed.
template <class Owner>
class ModeObj {
public:
    ModeObj(std::string name, Owner* owner) : name_(std::move(name)), owner_(owner) {}
    virtual ~ModeObj() = default;
    ModeObj(const ModeObj&) = delete;
    ModeObj& operator=(const ModeObj&) = delete;

    virtual void Enter() {}
    virtual void Leave() {}
    virtual bool Update(ModeObjCtrl<Owner>& ctrl) = 0;

    const std::string& GetName() const { return name_; }
    Owner* GetOwner() const { return owner_; }

protected:
    std::string name_;
    Owner* owner_;
};

// Owns the modes of one owner, in the order they were added, and switches
// between them by request: a request made from outside takes effect at the
// next Update, one made inside a mode's Update that returns false at once.
// A run makes at most kMaxSwitches switches, so a mode that keeps returning
// false cannot hold the step for ever.
template <class Owner>
class ModeObjCtrl {
public:
    static constexpr int kMaxSwitches = 16;

    explicit ModeObjCtrl(std::string name) : name_(std::move(name)) {}
    virtual ~ModeObjCtrl() = default;
    ModeObjCtrl(const ModeObjCtrl&) = delete;
    ModeObjCtrl& operator=(const ModeObjCtrl&) = delete;

    virtual void AddMode(ModeObj<Owner>* mode) { modes_.emplace_back(mode); }

    // Switches to the requested mode when it changed and runs the current
    // one; true while a mode is current (the controller still runs).
    virtual bool Update() {
        for (int runs = 0;; ++runs) {
            if (current_ != requested_) {
                if (ModeObj<Owner>* old = At(current_)) old->Leave();
                current_ = requested_;
                if (ModeObj<Owner>* now = At(current_)) now->Enter();
            }
            if (!At(requested_)) break;
            ModeObj<Owner>* mode = At(current_);
            if (!mode || mode->Update(*this)) break;
            if (runs + 1 >= kMaxSwitches) {
                std::fprintf(stderr, "%s: mode %s returned without finishing %d times; step ended\n", name_.c_str(),
                             mode->GetName().c_str(), kMaxSwitches);
                break;
            }
        }
        return At(requested_) != nullptr;
    }

    // Leaves the current mode (its Leave runs) and stops the controller.
    virtual void Terminate() {
        if (ModeObj<Owner>* mode = At(current_)) {
            mode->Leave();
            current_ = requested_ = -1;
        }
    }
    virtual void Next() { ++requested_; }
    virtual void Prev() { --requested_; }
    virtual bool Stop() {
        requested_ = -1;
        return true;
    }
    // False, with the request unchanged, when no mode bears the name.
    virtual bool ChangeMode(const std::string& name) {
        const int index = FindMode(name);
        if (index < 0) return false;
        requested_ = index;
        return true;
    }

    // The lowest index of a mode with that (non-empty) name; -1 when none.
    int FindMode(const std::string& name) const {
        for (size_t i = 0; i < modes_.size(); ++i)
            if (modes_[i] && !modes_[i]->GetName().empty() && modes_[i]->GetName() == name) return static_cast<int>(i);
        return -1;
    }

    int GetRequested() const { return requested_; }
    int GetCurrent() const { return current_; }
    // The current mode, or null.
    ModeObj<Owner>* GetCurrentMode() const { return At(current_); }
    // The name of the current mode ("" when none).
    std::string GetCurrentName() const {
        const ModeObj<Owner>* mode = At(current_);
        return mode ? mode->GetName() : std::string();
    }
    const std::string& GetName() const { return name_; }
    size_t GetModeCount() const { return modes_.size(); }

private:
    ModeObj<Owner>* At(int index) const {
        return index >= 0 && index < static_cast<int>(modes_.size()) ? modes_[static_cast<size_t>(index)].get()
                                                                     : nullptr;
    }

    int requested_ = 0;
    int current_ = -1;
    std::vector<std::unique_ptr<ModeObj<Owner>>> modes_;
    std::string name_;
};

}  // namespace g2util
