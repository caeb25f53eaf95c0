// EditHost.cpp -- the edit model: limits on character boundaries, selection keys, clipboard, Enter and Escape.
#include "lobby/EditHost.h"

#include <algorithm>

#include "sys/input/tmTextInput.h"
#include "sys/text/tmSjis.h"

namespace g2ui {

namespace {
// One line: control characters (CR, LF, tab...) never enter the text, and a
// pasted text stops at its first line break.
std::string OneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t n = std::max<size_t>(1, tmSjis::CharLength(text, i));
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (n == 1 && (c == '\r' || c == '\n')) break;
        if (n == 2 || (c >= 0x20 && c != 0x7F)) out.append(text, i, n);
        i += n;
    }
    return out;
}
}  // namespace

EditHost& EditHost::Instance() {
    static EditHost host;
    return host;
}

bool EditHost::Create(uint32_t maxLength) {
    if (created_) return false;
    maxLength_ = maxLength;
    commit_.clear();
    commitBufferMade_ = true;
    text_.clear();
    anchor_ = caret_ = 0;
    composition_.clear();
    compositionCursor_ = clauseStart_ = clauseEnd_ = 0;
    created_ = true;
    editing_ = false;
    cancel_ = false;
    emptyCommit_ = false;
    return true;
}

void EditHost::Destroy() {
    if (!created_) return;
    if (editing_) tmTextInput::Stop();
    commit_.clear();
    commitBufferMade_ = false;
    maxLength_ = 0;
    text_.clear();
    anchor_ = caret_ = 0;
    composition_.clear();
    created_ = editing_ = cancel_ = emptyCommit_ = false;
}

void EditHost::Begin(const char* initial) {
    if (!created_ || editing_) return;
    commit_.clear();
    text_ = OneLine(tmSjis::Truncate(initial ? initial : "", maxLength_));
    anchor_ = caret_ = static_cast<int>(text_.size());
    composition_.clear();
    compositionCursor_ = clauseStart_ = clauseEnd_ = 0;
    editing_ = true;
    cancel_ = false;
    emptyCommit_ = false;
    tmTextInput::Start();
}

void EditHost::End() {
    if (!editing_) return;
    editing_ = false;
    composition_.clear();
    compositionCursor_ = clauseStart_ = clauseEnd_ = 0;
    tmTextInput::Release();
    cancel_ = false;  // the mark belongs to the edit that ended; the line edit took it before
}

void EditHost::SetFocus() {
    if (!editing_) return;
    if (!tmTextInput::IsActive()) tmTextInput::Start();
    // What follows a committed line is not part of it: it stays queued for the next edit.
    tmTextEvent e;
    while (editing_ && commit_.empty() && !emptyCommit_ && tmTextInput::Poll(&e)) HandleEvent(e);
}

bool EditHost::TakeCommitted(std::string* line) {
    if (!commitBufferMade_) return false;
    if (commit_.empty() && !emptyCommit_) return false;
    *line = commit_;
    commit_.clear();
    emptyCommit_ = false;
    return true;
}

void EditHost::SetCaret(int pos) {
    pos = std::clamp(pos, 0, static_cast<int>(text_.size()));
    caret_ = anchor_ = static_cast<int>(tmSjis::FloorBoundary(text_, static_cast<size_t>(pos)));
}

int EditHost::GetSelStart() const { return std::min(anchor_, caret_); }
int EditHost::GetSelEnd() const { return std::max(anchor_, caret_); }

bool EditHost::GetComposition(std::string* composition) const {
    *composition = composition_;
    return !composition_.empty();
}

std::vector<uint8_t> EditHost::GetCompositionTargets() const {
    std::vector<uint8_t> flags(composition_.size(), 0);
    for (int i = clauseStart_; i < clauseEnd_ && i < static_cast<int>(flags.size()); ++i) flags[i] = 1;
    return flags;
}

bool EditHost::TakeCancel() {
    const bool c = cancel_;
    cancel_ = false;
    return c;
}

// ---------------------------------------------------------------- events

void EditHost::HandleEvent(const tmTextEvent& e) {
    if (!editing_) return;
    switch (e.kind) {
        case tmTextEvent::Kind::Text:
            composition_.clear();
            compositionCursor_ = clauseStart_ = clauseEnd_ = 0;
            Insert(OneLine(e.text));
            break;
        case tmTextEvent::Kind::Composition: {
            // Cut to the composition buffer at a character boundary; every index stays inside it.
            composition_ = tmSjis::Truncate(e.text, kCompositionBytes);
            const int n = static_cast<int>(composition_.size());
            auto boundary = [&](int v) {
                return static_cast<int>(tmSjis::FloorBoundary(composition_, static_cast<size_t>(std::clamp(v, 0, n))));
            };
            compositionCursor_ = boundary(e.cursor);
            clauseStart_ = boundary(e.clauseStart);
            clauseEnd_ = std::max(clauseStart_, boundary(e.clauseEnd));
            if (composition_.empty()) compositionCursor_ = clauseStart_ = clauseEnd_ = 0;
            break;
        }
        case tmTextEvent::Kind::Key:
            // While a composition is open the input method owns the keys.
            if (composition_.empty()) HandleKey(e);
            break;
    }
}

void EditHost::HandleKey(const tmTextEvent& e) {
    const int size = static_cast<int>(text_.size());
    switch (e.key) {
        case tmEditKey::Enter: Enter(); break;
        case tmEditKey::Escape: Escape(); break;
        case tmEditKey::Backspace:
            if (!HasSelection()) anchor_ = static_cast<int>(tmSjis::PrevBoundary(text_, static_cast<size_t>(caret_)));
            DeleteSelection();
            break;
        case tmEditKey::Delete:
            if (e.shift && HasSelection()) tmTextInput::SetClipboard(Selected());  // Shift+Delete cuts
            if (!HasSelection()) anchor_ = static_cast<int>(tmSjis::NextBoundary(text_, static_cast<size_t>(caret_)));
            DeleteSelection();
            break;
        case tmEditKey::Left:
            if (!e.shift && HasSelection())
                MoveCaret(GetSelStart(), false);
            else
                MoveCaret(static_cast<int>(tmSjis::PrevBoundary(text_, static_cast<size_t>(caret_))), e.shift);
            break;
        case tmEditKey::Right:
            if (!e.shift && HasSelection())
                MoveCaret(GetSelEnd(), false);
            else
                MoveCaret(static_cast<int>(tmSjis::NextBoundary(text_, static_cast<size_t>(caret_))), e.shift);
            break;
        case tmEditKey::Home: MoveCaret(0, e.shift); break;
        case tmEditKey::End: MoveCaret(size, e.shift); break;
        case tmEditKey::A:
            anchor_ = 0;
            caret_ = size;
            break;
        case tmEditKey::C:
            if (HasSelection()) tmTextInput::SetClipboard(Selected());
            break;
        case tmEditKey::X:
            if (HasSelection()) {
                tmTextInput::SetClipboard(Selected());
                DeleteSelection();
            }
            break;
        case tmEditKey::Insert:
            if (e.ctrl && HasSelection()) tmTextInput::SetClipboard(Selected());
            if (!e.shift) break;
            [[fallthrough]];
        case tmEditKey::V: Insert(OneLine(tmTextInput::GetClipboard())); break;
        default: break;
    }
}

void EditHost::Enter() {
    emptyCommit_ = false;
    commit_ = text_;
    if (commit_.empty()) emptyCommit_ = true;
    text_.clear();
    anchor_ = caret_ = 0;
}

void EditHost::Escape() {
    if (HasSelection()) {
        MoveCaret(GetSelStart(), false);
        return;
    }
    if (!commitBufferMade_) {
        cancel_ = true;
        return;
    }
    // A committed line not yet taken makes Escape do nothing.
    if (!commit_.empty()) return;
    if (!text_.empty()) {
        text_.clear();
        anchor_ = caret_ = 0;
    } else {
        cancel_ = true;
    }
}

// ---------------------------------------------------------------- editing

std::string EditHost::Selected() const {
    return text_.substr(static_cast<size_t>(GetSelStart()), static_cast<size_t>(GetSelEnd() - GetSelStart()));
}

void EditHost::MoveCaret(int pos, bool extend) {
    caret_ = std::clamp(pos, 0, static_cast<int>(text_.size()));
    if (!extend) anchor_ = caret_;
}

void EditHost::DeleteSelection() {
    const int s = GetSelStart(), e = GetSelEnd();
    text_.erase(static_cast<size_t>(s), static_cast<size_t>(e - s));
    anchor_ = caret_ = s;
}

void EditHost::Insert(const std::string& text) {
    // Typing (or pasting) after an Escape on the empty line withdraws the cancel: the line is meant.
    if (!text.empty()) cancel_ = false;
    DeleteSelection();
    // As much as the limit leaves room for, never half a character.
    const size_t room = maxLength_ > text_.size() ? maxLength_ - text_.size() : 0;
    const std::string piece = tmSjis::Truncate(text, room);
    text_.insert(static_cast<size_t>(caret_), piece);
    caret_ += static_cast<int>(piece.size());
    anchor_ = caret_;
}

}  // namespace g2ui
