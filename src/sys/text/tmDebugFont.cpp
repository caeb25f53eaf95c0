// tmDebugFont.cpp -- queueing and flushing debug text lines.
#include "sys/text/tmDebugFont.h"

#include <cstring>
#include <new>

#include "sys/gfx/tmRenderSetting.h"
#include "sys/text/tmTextSprite.h"

namespace {
constexpr int32_t kOk = 0;
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);
}  // namespace

tmDebugFont::tmDebugFont() = default;
tmDebugFont::~tmDebugFont() { Release(); }

int32_t tmDebugFont::Create(gfx::Device* device, int height, int textCapacity, int entryCapacity) {
    Release();
    height_ = height < 1 ? 16 : height;
    textCapacity_ = textCapacity < 1 ? 16 : textCapacity;
    entryCapacity_ = entryCapacity < 1 ? 1 : entryCapacity;
    font_ = std::make_unique<tmGlyphFont>();
    if (!font_->Create(device, height_)) {
        Release();
        return kFail;
    }
    entries_.reset(new (std::nothrow) Entry[size_t(entryCapacity_)]);
    text_.reset(new (std::nothrow) char[size_t(textCapacity_) + 1]);
    if (!entries_ || !text_) {
        Release();
        return kFail;
    }
    return kOk;
}

void tmDebugFont::Release() {
    font_.reset();
    entries_.reset();
    text_.reset();
    height_ = 0;
    textUsed_ = textCapacity_ = 0;
    entryCount_ = entryCapacity_ = 0;
    penX_ = penY_ = 0;
    colour_ = kWhite;
}

void tmDebugFont::SetPosition(float x, float y) {
    const float scale = tmGetLayoutScale();
    penX_ = static_cast<int>(x * scale + static_cast<float>(tmGetLayoutOffset()));
    penY_ = static_cast<int>(y * scale + static_cast<float>(tmGetLayoutOffsetY()));
}

void tmDebugFont::SetPositionRaw(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void tmDebugFont::DrawText(const char* text) {
    if (!text || !entries_ || !text_) return;
    const size_t length = std::strlen(text);
    if (entryCount_ >= entryCapacity_) return;
    if (size_t(textUsed_) + length + 1 >= size_t(textCapacity_)) return;
    char* at = text_.get() + textUsed_;
    std::memcpy(at, text, length + 1);
    Entry& e = entries_[entryCount_];
    const int n = static_cast<int>(length);
    e.rect.left = penX_;
    e.rect.top = penY_;
    e.rect.right = penX_ + (height_ / 2 + 1) * n;
    e.rect.bottom = penY_ + height_;
    e.text = at;
    e.length = n;
    e.colour = colour_;
    textUsed_ += n + 1;
    ++entryCount_;
}

void tmDebugFont::Flush(tmTextSprite* sprite) {
    if (font_ && sprite) {
        for (int i = 0; i < entryCount_; ++i)
            font_->DrawText(sprite, entries_[i].text, -1, entries_[i].rect, entries_[i].colour);
    }
    entryCount_ = 0;
    textUsed_ = 0;
    penX_ = penY_ = 0;
    colour_ = kWhite;
}

void tmDebugFont::OnLostDevice() {
    if (font_) font_->OnLostDevice();
}

void tmDebugFont::OnResetDevice() {
    if (font_) font_->OnResetDevice();
}
