// WidgetWindowLayout.cpp -- nine-piece frame sizes and the part drawing of each piece.
#include "lobby/WidgetWindowLayout.h"

#include "lobby/ggSpriteManager.h"

namespace g2lobby {

namespace {
const char* const kSuffix[WidgetWindowLayout::kPieces] = {"LT", "MT", "RT", "LM", "MM", "RM", "LB", "MB", "RB"};
}

WidgetWindowLayout::WidgetWindowLayout(ggSpriteManager* sprites, float w, float h, const std::string& prefix,
                                       const int32_t ids[kPieces])
    : WidgetSprite(sprites) {
    width = w;
    height = h;
    for (int p = 0; p < kPieces; ++p) {
        if (p == kMM && ids[p] < 0) continue;  // a frame without a middle
        names_[p] = prefix + kSuffix[p];
        if (!sprites_) continue;
        sprites_->AddTableSprite(names_[p], static_cast<uint32_t>(ids[p]));
        sizes_[p] = {sprites_->GetWidth(names_[p]), sprites_->GetHeight(names_[p])};
    }
}

WidgetWindowLayout::~WidgetWindowLayout() {
    if (!sprites_) return;
    for (const std::string& n : names_)
        if (!n.empty()) sprites_->Remove(n);
}

void WidgetWindowLayout::SetBorders(float left, float right, float top, float bottom) {
    if (left > 0.0f) sizes_[kLT].width = sizes_[kLM].width = sizes_[kLB].width = left;
    if (right > 0.0f) sizes_[kRT].width = sizes_[kRM].width = sizes_[kRB].width = right;
    if (top > 0.0f) sizes_[kLT].height = sizes_[kMT].height = sizes_[kRT].height = top;
    if (bottom > 0.0f) sizes_[kLB].height = sizes_[kMB].height = sizes_[kRB].height = bottom;
}

bool WidgetWindowLayout::OnMessage(const g2ui::WidgetMsg& msg) { return GetParent() && GetParent()->OnMessage(msg); }

void WidgetWindowLayout::Draw(float x, float y, int32_t d) {
    if (!sprites_) return;
    const float depth = static_cast<float>(d);
    const float W = width, H = height;
    const Size &lt = sizes_[kLT], &mt = sizes_[kMT], &rt = sizes_[kRT], &lm = sizes_[kLM], &mm = sizes_[kMM],
               &rm = sizes_[kRM], &lb = sizes_[kLB], &mb = sizes_[kMB], &rb = sizes_[kRB];
    // A target of 0 keeps the part's size; a stretched piece with no room
    // left between the corners (a frame smaller than its borders) is skipped.
    auto part = [&](Piece p, float px, float py, float sw, float sh, float tw, float th, bool stretchW, bool stretchH) {
        if ((stretchW && !(tw > 0.0f)) || (stretchH && !(th > 0.0f))) return;
        sprites_->DrawPart(names_[p], px, py, depth, sw, sh, 0.0f, 0, nullptr, tw, th);
    };
    part(kLT, x, y, lt.width, lt.height, 0, 0, false, false);
    part(kRT, x + W - rt.width, y, rt.width, rt.height, 0, 0, false, false);
    part(kMT, x + lt.width, y, mt.width - 1, mt.height, W - lt.width - rt.width, 0, true, false);
    part(kLM, x, y + lt.height, lm.width, lm.height - 1, 0, H - lt.height - lb.height, false, true);
    part(kRM, x + W - rm.width, y + rt.height, rm.width, rm.height - 1, 0, H - rt.height - rb.height, false, true);
    if (!names_[kMM].empty())
        part(kMM, x + lt.width, y + lt.height, mm.width - 1, mm.height - 1, W - lm.width - rm.width,
             H - mt.height - mb.height, true, true);
    part(kLB, x, y + H - lb.height, lb.width, lb.height, 0, 0, false, false);
    part(kRB, x + W - rb.width, y + H - rb.height, rb.width, rb.height, 0, 0, false, false);
    part(kMB, x + lb.width, y + H - mb.height, mb.width - 1, mb.height, W - lb.width - rb.width, 0, true, false);
}

}  // namespace g2lobby
