// WidgetText.cpp -- text widgets: drawing the text or the field being edited, and the edit's start and end.
#include "lobby/WidgetText.h"

#include <algorithm>
#include <cmath>

#include "lobby/LineEdit.h"
#include "lobby/TextTexture.h"
#include "lobby/TextTextureFont.h"
#include "lobby/WidgetRoot.h"
#include "lobby/ggSpriteManager.h"
#include "sys/input/tmPeripheral.h"
#include "sys/input/tmTextInput.h"
#include "sys/sound/tmSound.h"
#include "sys/text/tmSjis.h"

namespace g2ui {

namespace {
void PlaySound(int32_t id) {
    if (id < 0) return;
    if (tmSound* sound = tmSound::GetInstance()) sound->Play(static_cast<uint32_t>(id));
}

void SetTextEntryLock(bool on) {
    if (tmPeripheral* in = tmPeripheral::GetInstance()) in->textEntryLock = on ? 1 : 0;
}
}  // namespace

WidgetText::WidgetText(g2lobby::ggSpriteManager* sprites, const std::string& name, TextTextureFont* font, float w,
                       float h)
    : WidgetSprite(sprites), name_(name), textName_(name + "Text"), font_(font) {
    texture_.reset(TextTexture::Create(textName_, static_cast<uint32_t>(std::max(0.0f, w)),
                                       static_cast<uint32_t>(std::max(0.0f, h))));
    if (sprites_) sprites_->AddTextureSprite(textName_, textName_);
    width = w;
    height = h;
}

WidgetText::WidgetText(g2lobby::ggSpriteManager* sprites, const std::string& name, TextTextureFont* font, float w,
                       float h, LineEdit* lineEdit, uint32_t maxLength)
    : WidgetText(sprites, name, font, w, h) {
    lineEdit_ = lineEdit;
    maxLength_ = maxLength;
    editName_ = name + "Edit";
    bgName_ = name + "BG";
    caretName_ = name + "CR";
    selName_ = name + "SL";
    compName_ = name + "TR";
    clauseName_ = name + "TC";
    SetColor(1.0f, 1.0f, 1.0f);
    if (sprites_) {
        sprites_->AddSolidSprite(bgName_, 1, 1, 1.0f, 1.0f, 1.0f, 1.0f);
        sprites_->AddSolidSprite(caretName_, 1, 1, 0.0f, 0.0f, 0.0f, 1.0f);
        sprites_->AddSolidSprite(selName_, 1, 1, 0.8f, 0.8f, 1.0f, 1.0f);
        sprites_->AddSolidSprite(compName_, 1, 1, 0.8f, 1.0f, 0.8f, 1.0f);
        sprites_->AddSolidSprite(clauseName_, 1, 1, 1.0f, 0.8f, 0.8f, 1.0f);
    }
    editable_ = true;
}

WidgetText::~WidgetText() {
    if (editing_) SetEditable(editable_, false);
    if (sprites_) {
        sprites_->Remove(textName_);
        if (lineEdit_)
            for (const std::string* n : {&editName_, &bgName_, &caretName_, &selName_, &compName_, &clauseName_})
                sprites_->Remove(*n);
    }
}

void WidgetText::Redraw() {
    if (!texture_) return;
    texture_->Clear();
    texture_->penX = texture_->penY = 0;
    texture_->DrawString(font_, text_);
    texture_->Flush();
}

void WidgetText::SetText(const std::string& text) {
    text_ = lineEdit_ ? tmSjis::Truncate(text, maxLength_) : text;
    Redraw();
}

void WidgetText::SetTextFixed(const std::string& text) {
    if (editing_) SetEditable(editable_, false);  // what was typed is dropped
    SetText(text);
    if (editable_) WidgetRoot::SendMessage(GetParent(), WDAction(this, "EDIT_FIXED"), true);
}

void WidgetText::SetColor(float r, float g, float b) {
    if (texture_) texture_->SetColor(r, g, b);
}

bool WidgetText::SetEditable(bool editable, bool startEdit) {
    if (!lineEdit_) return false;
    if (!startEdit) {
        if (editing_) {
            lineEdit_->SetHolder(nullptr);
            lineEdit_->EndEdit();
            lineEdit_->Close();
            if (sprites_) sprites_->Remove(editName_);
            SetTextEntryLock(false);
            editing_ = false;
        }
    } else if (!editing_ && !lineEdit_->IsEditing()) {
        if (lineEdit_->Open(editName_, font_, maxLength_)) {
            SetTextEntryLock(true);
            if (lineEdit_->GetTexture()) lineEdit_->GetTexture()->SetColor(0.0f, 0.0f, 0.0f);
            if (sprites_) sprites_->AddTextureSprite(editName_, editName_);
            lineEdit_->BeginEdit(text_);
            lineEdit_->SetHolder(this);
            editing_ = true;
            PlaySound(beginSound);
        }
    }
    editable_ = editable;
    return editing_;
}

void WidgetText::EndEdit(bool cancel) {
    if (!cancel && lineEdit_) SetText(lineEdit_->GetText());
    SetEditable(true, false);
    if (cancel) {
        PlaySound(cancelSound);
    } else {
        WidgetRoot::SendMessage(GetParent(), WDAction(this, "EDIT_FIXED"), true);
        PlaySound(commitSound);
    }
}

void WidgetText::Update() {
    if (!editing_ || !lineEdit_) return;
    if (!lineEdit_->Update()) {
        EndEdit(lineEdit_->TakeCancel());
        return;
    }
    // The input method composes and offers its candidates at the caret, in this field, as the window shows it.
    const ScreenView& view = WidgetRoot::GetView();
    const Point caret = view.ToWindow(LocalToGlobal({lineEdit_->GetCaretX(), 0.0f}));
    const float cell = font_ ? static_cast<float>(font_->GetHeight() / 2) : 0.0f;
    const float rows = lineEdit_->GetTextRect().height;
    tmTextInput::SetCaretRect(static_cast<int>(caret.x), static_cast<int>(caret.y), static_cast<int>(cell * view.scale),
                              static_cast<int>(rows * view.scale));
}

bool WidgetText::OnMessage(const WidgetMsg& msg) {
    switch (msg.type) {
        case WidgetMsg::kButtonDown: {
            const auto& m = static_cast<const WDButtonDown&>(msg);
            if (m.button != 0 || !editable_ || !lineEdit_) return false;
            // Another field is being typed in: this click commits it, as any click outside it does, and
            // this field takes the keyboard at once (the click reaches this field first, and what is
            // typed next must not go on in the other field).
            WidgetText* other = lineEdit_->GetHolder();
            if (!editing_ && other && other != this) other->EndEdit(false);
            if (!editing_) SetEditable(true, true);
            if (editing_) lineEdit_->SetCaretFromPoint(static_cast<int>(m.x), static_cast<int>(m.y));
            return true;
        }
        case WidgetMsg::kNCButtonDown: {
            const auto& m = static_cast<const WDNCButtonDown&>(msg);
            if (editing_ && !(m.x >= 0.0f && m.x < width && m.y >= 0.0f && m.y < height)) EndEdit(false);
            return false;
        }
        case WidgetMsg::kActivate: {
            const auto& m = static_cast<const WDActivate&>(msg);
            if (!m.active && editable_ && editing_) EndEdit(true);
            return false;
        }
        default: return false;
    }
}

void WidgetText::Draw(float x, float y, int32_t d) {
    if (!sprites_) return;
    const float depth = static_cast<float>(d);
    if (!editing_ || !lineEdit_) {
        float left = x;
        if (!leftAligned && font_)
            left = x + width - static_cast<float>(font_->GetHeight() * static_cast<int>(text_.size())) * 0.5f;
        sprites_->Draw(textName_, left, y, depth, 0.0f, 1.0f, 1.0f, 0.0f, 0, nullptr);
        return;
    }
    const float m = 1.0f;
    const EditRect text = lineEdit_->GetTextRect();
    const EditRect sel = lineEdit_->GetSelectionRect();
    const EditRect comp = lineEdit_->GetCompositionRect();
    const EditRect clause = lineEdit_->GetClauseRect();
    const EditRect caret = lineEdit_->GetCaretRect();
    sprites_->Draw(bgName_, x + text.x, y + text.y - m, depth, 0.0f, text.width, text.height + 2 * m, 0.0f, 0, nullptr);
    sprites_->Draw(selName_, x + sel.x, y + sel.y - m, depth + 1, 0.0f, sel.width, sel.height + 2 * m, 0.0f, 0,
                   nullptr);
    sprites_->Draw(compName_, x + comp.x, y + comp.y - m, depth + 1, 0.0f, comp.width, comp.height + 2 * m, 0.0f, 0,
                   nullptr);
    sprites_->Draw(editName_, x, y, depth + 2, 0.0f, 1.0f, 1.0f, 0.0f, 0, nullptr);
    sprites_->Draw(clauseName_, x + clause.x, y + clause.height - 1, depth + 3, 0.0f, clause.width, 2.0f, 0.0f, 0,
                   nullptr);
    if (caret.width > 0.0f)
        sprites_->Draw(caretName_, x + caret.x, y + caret.y - m, depth + 3, 0.0f, 2.0f, caret.height + 2 * m, 0.0f, 0,
                       nullptr);
}

}  // namespace g2ui
