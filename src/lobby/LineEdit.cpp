// LineEdit.cpp -- the per-update mirror of the edit host into the shown text and its spans.
#include "lobby/LineEdit.h"

#include <cmath>

#include "lobby/EditHost.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureFont.h"
#include "sys/text/tmSjis.h"

namespace g2ui {

LineEdit::LineEdit() = default;

LineEdit::~LineEdit() { Close(); }

float LineEdit::Cell() const { return font_ ? static_cast<float>(font_->GetHeight()) * 0.5f : 0.0f; }

bool LineEdit::Open(const std::string& textureName, TextTextureFont* font, uint32_t maxLength) {
    if (open_ || !font) return false;
    if (!EditHost::Instance().Create(maxLength)) return false;  // another edit holds the host
    maxLength_ = maxLength;
    font_ = font;
    const uint32_t w = (maxLength + 1) * static_cast<uint32_t>(font->GetHeight()) / 2;
    const uint32_t h = static_cast<uint32_t>(font->GetHeight());
    texture_.reset(TextTexture::Create(textureName, w, h));
    textureWidth_ = static_cast<float>(w);
    textureHeight_ = static_cast<float>(h);
    text_.clear();
    open_ = true;
    return true;
}

void LineEdit::Close() {
    if (!open_) return;
    EndEdit();
    texture_.reset();
    font_ = nullptr;
    EditHost::Instance().Destroy();
    open_ = false;
}

void LineEdit::BeginEdit(const std::string& initial) {
    if (!open_ || editing_) return;
    text_.clear();
    selStart_ = selEnd_ = insert_ = frame_ = 0;
    cancelled_ = false;
    EditHost::Instance().Begin(initial.c_str());
    editing_ = true;
    SetText(std::string(), true);
}

void LineEdit::EndEdit() {
    if (!editing_) return;
    selX0_ = selX1_ = compX0_ = compX1_ = clauseX0_ = clauseX1_ = 0.0f;
    composing_ = false;
    EditHost::Instance().End();
    editing_ = false;
}

bool LineEdit::Update() {
    if (!editing_) return false;
    EditHost& host = EditHost::Instance();
    host.SetFocus();
    // The host keeps the caret itself, so the insert position is exact.
    selStart_ = host.GetSelStart();
    selEnd_ = host.GetSelEnd();
    insert_ = host.GetCaret();

    std::string line;
    if (host.TakeCommitted(&line)) {
        SetText(line, false);
        cancelled_ = host.TakeCancel();  // taken before the host's end of the edit clears it
        EndEdit();
        return false;
    }
    const float cell = Cell();
    std::string shown = host.GetText();
    std::string composition;
    composing_ = host.GetComposition(&composition);
    if (composing_) {
        const size_t at = tmSjis::FloorBoundary(shown, static_cast<size_t>(insert_));
        shown.insert(at, composition);
        const float n = static_cast<float>(composition.size());
        compX0_ = cell * static_cast<float>(insert_);
        compX1_ = cell * (static_cast<float>(insert_) + n);
        // The target clause: the first run of target bytes in the composition.
        const std::vector<uint8_t> targets = host.GetCompositionTargets();
        size_t start = 0;
        while (start < targets.size() && !targets[start]) ++start;
        size_t end = start;
        while (end < targets.size() && targets[end]) ++end;
        if (start >= targets.size()) start = end = 0;
        clauseX0_ = cell * static_cast<float>(insert_ + static_cast<int>(start));
        clauseX1_ = cell * static_cast<float>(insert_ + static_cast<int>(end));
    } else {
        compX0_ = compX1_ = clauseX0_ = clauseX1_ = 0.0f;
    }
    SetText(shown, false);
    caretX_ = cell * static_cast<float>(insert_ + (composing_ ? host.GetCompositionCursor() : 0));
    selX0_ = cell * static_cast<float>(selStart_);
    selX1_ = cell * static_cast<float>(selEnd_);
    ++frame_;
    return true;
}

void LineEdit::SetText(const std::string& text, bool force) {
    if (!force && text == text_) return;
    text_ = text;
    if (!texture_ || !font_) return;
    texture_->Clear();
    texture_->penX = texture_->penY = 0;
    texture_->DrawString(font_, text_);
    texture_->Flush();
}

void LineEdit::SetCaretFromPoint(int x, int y) {
    if (!editing_ || composing_ || !font_) return;
    if (y < 0 || y >= font_->GetHeight()) return;
    // The boundary nearest to x, walking whole characters (ties to the left),
    // so a click inside a double-byte character never lands in its middle.
    const std::string text = EditHost::Instance().GetText();
    const int cell = static_cast<int>(std::trunc(static_cast<float>(font_->GetHeight()) * 0.5f));
    if (cell <= 0) return;
    size_t best = 0;
    for (size_t pos = 0;; pos = tmSjis::NextBoundary(text, pos)) {
        const int px = static_cast<int>(pos) * cell;
        if (std::abs(px - x) < std::abs(static_cast<int>(best) * cell - x)) best = pos;
        if (pos >= text.size()) break;
    }
    EditHost::Instance().SetCaret(static_cast<int>(best));
}

bool LineEdit::TakeCancel() {
    const bool cancelled = cancelled_ || EditHost::Instance().TakeCancel();
    cancelled_ = false;
    return cancelled;
}

EditRect LineEdit::GetTextRect() const { return {0.0f, 0.0f, textureWidth_, font_ ? float(font_->GetHeight()) : 0}; }

EditRect LineEdit::GetCaretRect() const {
    if (!font_ || (frame_ / 20) % 3 == 2) return {};
    return {caretX_, 0.0f, Cell(), static_cast<float>(font_->GetHeight())};
}

EditRect LineEdit::GetSelectionRect() const {
    return {selX0_, 0.0f, selX1_ - selX0_, font_ ? float(font_->GetHeight()) : 0};
}

EditRect LineEdit::GetCompositionRect() const {
    return {compX0_, 0.0f, compX1_ - compX0_, font_ ? float(font_->GetHeight()) : 0};
}

EditRect LineEdit::GetClauseRect() const {
    return {clauseX0_, 0.0f, clauseX1_ - clauseX0_, font_ ? float(font_->GetHeight()) : 0};
}

}  // namespace g2ui
