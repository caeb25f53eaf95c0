// WidgetWindowLayout.h -- the nine-piece window frame that panes and dialogs are drawn in.
#pragma once
#include <cstdint>
#include <string>

#include "lobby/Widget.h"

namespace g2lobby {

// A frame of nine table sprites (corners natural size, edges stretched along
// the frame, middle stretched both ways) over the widget's rectangle. Piece
// sizes come from the sprites and may be overridden by SetBorders. Messages
// go on to the parent. Owns its nine sprite names (prefix + "LT", "MT", "RT",
// "LM", "MM", "RM", "LB", "MB", "RB"; no middle when its id is negative).
class WidgetWindowLayout : public g2ui::WidgetSprite {
public:
    enum Piece { kLT, kMT, kRT, kLM, kMM, kRM, kLB, kMB, kRB, kPieces };
    struct Size {
        float width = 0.0f, height = 0.0f;
    };

    // ids in the order top-left, top, top-right, left, middle, right, bottom-left, bottom, bottom-right.
    WidgetWindowLayout(ggSpriteManager* sprites, float width, float height, const std::string& prefix,
                       const int32_t ids[kPieces]);
    ~WidgetWindowLayout() override;

    // Values above 0 replace the left pieces' widths, the right pieces'
    // widths, the top pieces' heights and the bottom pieces' heights.
    void SetBorders(float left, float right, float top, float bottom);

    void Update() override {}
    void Draw(float x, float y, int32_t depth) override;
    bool OnMessage(const g2ui::WidgetMsg& msg) override;

    const Size& GetPieceSize(Piece p) const { return sizes_[p]; }
    const std::string& GetPieceName(Piece p) const { return names_[p]; }

private:
    std::string names_[kPieces];
    Size sizes_[kPieces];
};

}  // namespace g2lobby
