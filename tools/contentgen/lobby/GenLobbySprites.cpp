// GenLobbySprites.cpp -- the lobby sheet: dark translucent panels with thin light edges, light list bodies,
// buttons in three states with gothic captions, selector plates, arrows, the cursor and the default picture.
#include "lobby/GenLobbySprites.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "kit/ContentPng.h"
#include "lobby/LobbyArt.h"

namespace contentgen {

namespace {

// ---------------------------------------------------------------- palette

const Rgba kClear{0, 0, 0, 0};
const Rgba kPanel{0.055f, 0.082f, 0.122f, 0.88f};
const Rgba kPanelHi{0.098f, 0.145f, 0.204f, 0.94f};
const Rgba kPanelDeep{0.025f, 0.035f, 0.055f, 0.90f};
const Rgba kEdge{0.74f, 0.84f, 0.93f, 1.0f};
const Rgba kEdgeDim{0.33f, 0.43f, 0.53f, 1.0f};
const Rgba kAccent{0.0f, 0.71f, 0.82f, 1.0f};
const Rgba kAccentHi{0.45f, 0.92f, 1.0f, 1.0f};
const Rgba kLight{0.87f, 0.905f, 0.94f, 0.96f};
const Rgba kLighter{0.93f, 0.95f, 0.97f, 0.97f};
const Rgba kWhite{1, 1, 1, 1};
const Rgba kInk{0.02f, 0.03f, 0.05f, 0.92f};
const Rgba kGreyText{0.55f, 0.60f, 0.66f, 1.0f};
const Rgba kLabelDark{0.22f, 0.28f, 0.36f, 1.0f};
// The chat body: a slate dark enough for the white and cyan lines, light enough that the
// server's rare black lines still show.
const Rgba kChatBody{0.24f, 0.30f, 0.38f, 0.95f};

// ---------------------------------------------------------------- frames

// A frame painted as one picture of left + k + right by top + k + bottom
// pixels, then cut into nine sprites. Each sprite carries one extra texel on
// its left and top (the part drawing starts one texel in), copied from the
// picture's neighbouring pixels, so stretched pieces sample only their own art.
struct Borders {
    int left, top, right, bottom, k;
};

Canvas WithMargin(const Canvas& art) {
    Canvas out(art.Width() + 1, art.Height() + 1);
    out.Paste(art, 1, 1);
    for (int x = 1; x <= art.Width(); ++x) out.Set(x, 0, out.Get(x, 1));
    for (int y = 0; y <= art.Height(); ++y) out.Set(0, y, out.Get(1, y));
    return out;
}

// Piece p (0..8 in reading order) of a frame picture with its margin.
Canvas CutPiece(const Canvas& m, const Borders& b, int p) {
    const int col = p % 3, row = p / 3;
    const int xs[3] = {0, 1 + b.left, b.left + b.k};
    const int ws[3] = {1 + b.left, b.k, 1 + b.right};
    const int ys[3] = {0, 1 + b.top, b.top + b.k};
    const int hs[3] = {1 + b.top, b.k, 1 + b.bottom};
    return m.Crop(xs[col], ys[row], ws[col], hs[row]);
}

// The list panes' frame: a dark header with a title and an accent rule, a
// light body for black row text, a thin bottom edge three rows down.
Canvas PaneFrame(Captions& cap, const std::string& title) {
    const Borders b{84, 23, 2, 7, 16};
    const int W = b.left + b.k + b.right, H = b.top + b.k + b.bottom;
    Canvas c(W, H);
    c.FillRect(0, 0, W, b.top, kPanelHi);
    c.FillRect(0, b.top - 2, W, 2, kAccent);
    c.HLine(0, W, 0, kEdge);
    c.FillRect(0, b.top, W, b.k + 2, kLight);
    c.HLine(0, W, b.top + b.k + 2, kEdgeDim);
    c.VLine(0, 0, b.top, kEdge);
    c.VLine(W - 1, 0, b.top, kEdge);
    c.VLine(0, b.top, b.top + b.k + 3, kEdgeDim);
    c.VLine(W - 1, b.top, b.top + b.k + 3, kEdgeDim);
    if (!title.empty()) cap.Draw(c, title, 13, 8, 4, kWhite, kInk, 1, true);
    return c;
}

// The dialogs' frame: one rounded dark panel with a light edge, a slim header
// band with the lobby's mark (rows start at 28, right under it), and a rule
// over the button row.
Canvas DialogFrame(Captions& cap) {
    const Borders b{150, 56, 151, 77, 16};
    const int W = b.left + b.k + b.right, H = b.top + b.k + b.bottom;
    const int band = 22;
    Canvas c(W, H);
    c.FillRoundRect(0, 0, float(W), float(H), 9, kPanel);
    Canvas shade(W, band);
    shade.VerticalGradient(0, 0, W, band, {0.13f, 0.20f, 0.28f, 0.95f}, {0.07f, 0.11f, 0.16f, 0.92f});
    for (int y = 0; y < band; ++y)
        for (int x = 0; x < W; ++x)
            if (c.Get(x, y).a > 0.0f) c.Blend(x, y, shade.Get(x, y), std::min(1.0f, c.Get(x, y).a / kPanel.a));
    c.FillRect(8, band, W - 16, 2, kAccent);
    c.FillRect(14, 6, 3, 11, kAccent);
    cap.Draw(c, "ZARVO LOBBY", 11, 22, 5, kAccentHi, kInk, 1, true);
    c.HLine(14, W - 14, H - b.bottom + 4, kEdgeDim);
    c.StrokeRoundRect(0, 0, float(W), float(H), 9, kEdge, 1.0f);
    return c;
}

// The chat frame: a dark column for names, a slate body for the white, cyan
// and black lines, a dark strip at the bottom holding the entry box.
Canvas ChatFrame(Captions& cap) {
    const Borders b{135, 13, 2, 49, 16};
    const int W = b.left + b.k + b.right, H = b.top + b.k + b.bottom;
    Canvas c(W, H);
    c.FillRect(0, 0, W, b.top, kPanelHi);
    c.HLine(0, W, b.top - 1, kAccent);
    c.FillRect(0, b.top, b.left, b.k, kPanel);
    c.FillRect(b.left, b.top, W - b.left, b.k, kChatBody);
    c.VLine(b.left - 1, b.top, b.top + b.k, kEdgeDim);
    const int strip = b.top + b.k;
    c.FillRect(0, strip, W, b.bottom, kPanelHi);
    c.HLine(0, W, strip, kEdgeDim);
    c.FillRect(16, strip + 13, W - 16, 20, kPanelDeep);
    c.HLine(16, W, strip + 13, kEdge);
    c.HLine(16, W, strip + 32, kEdge);
    c.VLine(16, strip + 13, strip + 33, kEdge);
    c.HLine(0, W, 0, kEdge);
    c.HLine(0, W, H - 1, kEdge);
    c.VLine(0, 0, H, kEdge);
    c.VLine(W - 1, 0, H, kEdge);
    cap.Draw(c, "CHAT", 10, 6, 1, kAccentHi, kInk, 0, false);
    return c;
}

// ---------------------------------------------------------------- information panel

// 616 + 16 + 90 by 189: tabs on top (own 0..296, other 296..581), the picture
// frame, the comment box and the team and name fields; the right end labels
// the rank, level and experience read out beside it.
Canvas InfoPanel(Captions& cap, bool ownTab) {
    const int W = 616 + 16 + 90, H = 189;
    Canvas c(W, H);
    c.FillRect(0, 0, W, 40, kPanelDeep);
    c.FillRect(0, 40, W, H - 40, kPanel);
    auto tab = [&](int x0, int x1, const std::string& text, bool active) {
        if (active) {
            c.FillRect(x0 + 2, 4, x1 - x0 - 4, 36, kPanel);
            c.FillRect(x0 + 2, 4, x1 - x0 - 4, 3, kAccent);
            cap.DrawCentred(c, text, 15, x0, 9, x1 - x0, 28, kWhite, kInk, 1, true);
        } else {
            c.FillRect(x0 + 2, 8, x1 - x0 - 4, 30, {0.07f, 0.10f, 0.14f, 0.90f});
            c.HLine(x0 + 2, x1 - 2, 8, kEdgeDim);
            cap.DrawCentred(c, text, 14, x0, 10, x1 - x0, 28, kGreyText, kInk, 1, false);
        }
    };
    tab(0, 296, "自分のプロフィール", ownTab);
    tab(296, 581, "選択中のプレイヤー", !ownTab);
    c.HLine(0, W, 39, kEdgeDim);
    // Picture frame around 122 x 122 at (12, 51).
    c.FillRect(11, 50, 124, 124, kPanelDeep);
    c.StrokeRoundRect(9, 48, 128, 128, 2, kEdge);
    // Comment box (text at 162, 70).
    cap.Draw(c, "コメント", 11, 162, 50, kGreyText, kInk, 0);
    c.FillRoundRect(156, 65, 270, 24, 3, kLighter);
    // Team and name fields, centred on x 352 at y 117 and 151.
    for (const auto& [label, y] : {std::pair<const char*, int>{"チーム", 117}, {"名前", 151}}) {
        cap.Draw(c, label, 12, 162, y + 1, kGreyText, kInk, 0);
        c.FillRoundRect(282, float(y - 4), 140, 24, 3, kPanelDeep);
        c.StrokeRoundRect(282, float(y - 4), 140, 24, 3, kEdgeDim);
    }
    c.HLine(430, 632, 100, {kAccent.r, kAccent.g, kAccent.b, 0.35f});  // runs on through the stretched middle
    // Right end: labels for the read-outs (rank and level at the right, experience to their left).
    const int R = 616 + 16;
    cap.Draw(c, "RANK", 10, R + 44, 50, kAccentHi, kInk, 0);
    cap.Draw(c, "LEVEL", 10, R + 38, 93, kAccentHi, kInk, 0);
    cap.Draw(c, "EXP", 10, R + 6, 153, kAccentHi, kInk, 0);
    cap.Draw(c, "PORT", 10, R + 36, 128, kAccentHi, kInk, 0);
    // Edges.
    c.HLine(0, W, 0, kEdge);
    c.HLine(0, W, H - 1, kEdge);
    c.VLine(0, 0, H, kEdge);
    c.VLine(W - 1, 0, H, kEdge);
    return c;
}

// ---------------------------------------------------------------- room details

// 512 x 256 with the shown area 274 x 178 at its top-left: a dark band for the
// room's name (white), light rows for the owner, course, laps and members
// (black, right-aligned at 259), and a dark well for the two buttons.
Canvas RoomDetails(Captions& cap) {
    Canvas c(512, 256);
    const int W = 274, H = 178;
    c.FillRoundRect(0, 0, float(W), float(H), 5, kPanel);
    c.FillRect(3, 3, W - 6, 23, kPanelHi);
    c.FillRect(3, 25, W - 6, 1, kAccent);
    const char* labels[4] = {"オーナー", "コース", "周回数", "人数"};
    for (int i = 0; i < 4; ++i) {
        const int y = 27 + 21 * i;
        c.FillRect(4, y, W - 8, 20, i % 2 ? kLight : kLighter);
        cap.Draw(c, labels[i], 12, 10, y + 4, kLabelDark, kClear, 0);
    }
    c.FillRect(4, 112, W - 8, 62, kPanelDeep);
    c.StrokeRoundRect(0, 0, float(W), float(H), 5, kEdge);
    // Two texels past the shown range repeat its edge, so filtering at the range's end stays clean.
    for (int y = 0; y < H + 2; ++y)
        for (int x = 0; x < W + 2; ++x)
            if (x >= W || y >= H) c.Set(x, y, c.Get(std::min(x, W - 1), std::min(y, H - 1)));
    return c;
}

// ---------------------------------------------------------------- buttons and plates

enum class State { Normal, Pressed, Disabled };

Canvas Button(Captions& cap, const std::string& text, State s, int w = 128, int h = 36) {
    Canvas c(w, h);
    const float r = 6;
    switch (s) {
        case State::Normal:
            c.FillRoundRect(1, 1, float(w - 2), float(h - 2), r, kPanelHi);
            c.FillRect(8, h - 6, w - 16, 2, kAccent);
            c.StrokeRoundRect(1, 1, float(w - 2), float(h - 2), r, kEdge);
            cap.DrawCentred(c, text, 15, 0, 0, w, h - 3, kWhite, kInk, 1, true);
            break;
        case State::Pressed:
            c.FillRoundRect(1, 1, float(w - 2), float(h - 2), r, kAccent);
            c.StrokeRoundRect(1, 1, float(w - 2), float(h - 2), r, kAccentHi);
            cap.DrawCentred(c, text, 15, 1, 1, w, h - 2, kInk, {1, 1, 1, 0.35f}, 1, true);
            break;
        case State::Disabled:
            c.FillRoundRect(1, 1, float(w - 2), float(h - 2), r, {0.16f, 0.18f, 0.21f, 0.80f});
            c.StrokeRoundRect(1, 1, float(w - 2), float(h - 2), r, kEdgeDim);
            cap.DrawCentred(c, text, 15, 0, 0, w, h - 3, {0.45f, 0.48f, 0.52f, 1}, kInk, 1, false);
            break;
    }
    return c;
}

Canvas Plate(Captions& cap, const std::string& text) {
    Canvas c(390, 30);
    c.FillRoundRect(1, 1, 388, 28, 4, kPanelDeep);
    c.FillRect(6, 6, 4, 18, kAccent);
    c.StrokeRoundRect(1, 1, 388, 28, 4, kEdgeDim);
    cap.DrawCentred(c, text, 16, 0, 0, 390, 30, kWhite, kInk, 1, true);
    return c;
}

Canvas Arrow(bool right, bool pressed) {
    Canvas c(30, 30);
    c.FillRoundRect(1, 1, 28, 28, 5, pressed ? kAccent : kPanelHi);
    c.StrokeRoundRect(1, 1, 28, 28, 5, pressed ? kAccentHi : kEdge);
    const Rgba fill = pressed ? kInk : kWhite;
    if (right)
        c.FillTriangle(11, 8, 11, 22, 21, 15, fill);
    else
        c.FillTriangle(19, 8, 19, 22, 9, 15, fill);
    return c;
}

Canvas NameField(Captions& cap) {
    Canvas c(456, 44);
    c.FillRoundRect(1, 1, 454, 42, 5, kPanelHi);
    c.StrokeRoundRect(1, 1, 454, 42, 5, kEdgeDim);
    cap.Draw(c, "ルーム名", 14, 16, 15, kWhite, kInk, 1, true);
    c.FillRoundRect(150, 8, 300, 28, 3, kPanelDeep);
    c.StrokeRoundRect(150, 8, 300, 28, 3, kEdge);
    return c;
}

Canvas Cursor() {
    Canvas c(32, 32);
    // An arrow pointer with its tip at (2, 2): dark outline, white fill.
    c.FillTriangle(1, 0, 1, 23, 17, 17, kInk);
    c.FillTriangle(6, 17, 10, 15, 15, 27, kInk);
    c.FillTriangle(6, 17, 11, 28, 15, 26, kInk);
    c.FillTriangle(2.5f, 3, 2.5f, 19.5f, 13.5f, 15.5f, kWhite);
    c.FillTriangle(7, 16, 9.5f, 15, 13.5f, 25, kWhite);
    c.FillTriangle(7, 16, 11.5f, 26, 13.5f, 25, kWhite);
    return c;
}

Canvas NoImage(Captions& cap) {
    Canvas c(122, 122);
    c.VerticalGradient(0, 0, 122, 122, {0.20f, 0.26f, 0.33f, 1}, {0.09f, 0.12f, 0.16f, 1});
    const Rgba figure{0.45f, 0.52f, 0.60f, 1};
    c.FillRoundRect(43, 22, 36, 40, 18, figure);  // head
    c.FillRoundRect(22, 66, 78, 70, 30, figure);  // shoulders
    c.FillRect(0, 96, 122, 26, {0.05f, 0.07f, 0.10f, 0.85f});
    cap.DrawCentred(c, "NO IMAGE", 13, 0, 96, 122, 26, kWhite, kInk, 1, true);
    c.StrokeRoundRect(0, 0, 122, 122, 2, kEdgeDim);
    return c;
}

Canvas Background() {
    const int W = 683, H = 768;
    Canvas c(W, H);
    c.VerticalGradient(0, 0, W, H, {0.075f, 0.125f, 0.19f, 1}, {0.02f, 0.03f, 0.05f, 1});
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            // A glow toward the screen's top centre (the sprite's right edge; the right half is mirrored).
            const float dx = float(W - x) / 520.0f, dy = float(y + 60) / 420.0f;
            const float glow = std::exp(-(dx * dx + dy * dy)) * 0.22f;
            c.Blend(x, y, {0.0f, 0.55f, 0.70f, 1}, glow);
            // Faint grid and diagonal streaks.
            if (x % 32 == 0 || y % 32 == 0) c.Blend(x, y, {0.5f, 0.7f, 0.9f, 1}, 0.035f);
            if ((x + 2 * y) % 97 < 2) c.Blend(x, y, {0.4f, 0.8f, 1.0f, 1}, 0.04f);
        }
    return c;
}

Canvas Tile() {
    Canvas c(32, 32);
    c.FillRoundRect(1, 1, 30, 30, 4, kPanel);
    c.StrokeRoundRect(1, 1, 30, 30, 4, kEdgeDim);
    return c;
}

// ---------------------------------------------------------------- packing

// Shelf-packs the sprites (tallest first) with a two-pixel gutter that
// repeats each sprite's border texels, so filtering never picks up a neighbour.
bool Pack(const std::vector<Canvas>& sprites, Canvas& sheet, std::vector<SpriteBox>& boxes) {
    const int gutter = 2;
    std::vector<size_t> order(sprites.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return sprites[a].Height() != sprites[b].Height() ? sprites[a].Height() > sprites[b].Height()
                                                          : sprites[a].Width() > sprites[b].Width();
    });
    boxes.assign(sprites.size(), {0, 0, 0, 0});
    int x = 0, y = 0, shelf = 0;
    for (size_t i : order) {
        const Canvas& s = sprites[i];
        const int w = s.Width() + 2 * gutter, h = s.Height() + 2 * gutter;
        if (x + w > sheet.Width()) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        if (y + h > sheet.Height() || w > sheet.Width()) return false;
        for (int yy = 0; yy < h; ++yy)
            for (int xx = 0; xx < w; ++xx)
                sheet.Set(x + xx, y + yy,
                          s.Get(std::clamp(xx - gutter, 0, s.Width() - 1), std::clamp(yy - gutter, 0, s.Height() - 1)));
        boxes[i] = {x + gutter, y + gutter, s.Width(), s.Height()};
        x += w;
        shelf = std::max(shelf, h);
    }
    return true;
}

}  // namespace

bool DrawLobbySheet(int width, int height, int firstId, int count, LobbySheet* out, std::string* error) {
    std::unique_ptr<Captions> cap = Captions::Open(error);
    if (!cap) return false;

    std::map<int, Canvas> art;
    // Pane frames: three title pieces, the other eight shared.
    const Borders pane{84, 23, 2, 7, 16};
    const Canvas player = WithMargin(PaneFrame(*cap, "プレイヤー"));
    art.emplace(389, CutPiece(player, pane, 0));
    art.emplace(391, CutPiece(WithMargin(PaneFrame(*cap, "ルーム")), pane, 0));
    art.emplace(390, CutPiece(WithMargin(PaneFrame(*cap, "メニュー")), pane, 0));
    const int paneIds[9] = {0, 409, 410, 404, 419, 420, 405, 414, 415};
    for (int p = 1; p < 9; ++p) art.emplace(paneIds[p], CutPiece(player, pane, p));
    // Dialog and chat frames.
    const Borders dialog{150, 56, 151, 77, 16};
    const Canvas dialogArt = WithMargin(DialogFrame(*cap));
    const int dialogIds[9] = {359, 408, 360, 400, 416, 402, 354, 403, 356};
    for (int p = 0; p < 9; ++p) art.emplace(dialogIds[p], CutPiece(dialogArt, dialog, p));
    const Borders chat{135, 13, 2, 49, 16};
    const Canvas chatArt = WithMargin(ChatFrame(*cap));
    const int chatIds[9] = {383, 413, 412, 401, 421, 418, 361, 407, 406};
    for (int p = 0; p < 9; ++p) art.emplace(chatIds[p], CutPiece(chatArt, chat, p));
    // Information panel: left pieces per tab, a 2-texel middle and the right end.
    for (bool own : {true, false}) {
        const Canvas panel = WithMargin(InfoPanel(*cap, own));
        art.emplace(own ? 330 : 331, panel.Crop(0, 0, 617, 190));
        if (own) {
            art.emplace(399, panel.Crop(616, 0, 3, 190));
            art.emplace(355, panel.Crop(616 + 16, 0, 91, 190));
        }
    }
    art.emplace(329, Background());
    art.emplace(332, RoomDetails(*cap));
    art.emplace(337, NameField(*cap));
    // Buttons: pressed, normal and disabled pictures.
    struct Trio {
        const char* caption;
        int on, off, dis;
    };
    const Trio buttons[] = {{"キャンセル", 364, 362, 363}, {"ロビーを出る", 365, 367, 366},
                            {"部屋を作る", 369, 368, 377}, {"OK", 370, 376, 381},
                            {"入室する", 375, 374, 382},   {"スタート", 380, 378, 379}};
    for (const Trio& t : buttons) {
        art.emplace(t.on, Button(*cap, t.caption, State::Pressed));
        art.emplace(t.off, Button(*cap, t.caption, State::Normal));
        art.emplace(t.dis, Button(*cap, t.caption, State::Disabled));
    }
    art.emplace(384, Button(*cap, "全員へ", State::Pressed, 104, 28));
    art.emplace(385, Button(*cap, "全員へ", State::Normal, 104, 28));
    art.emplace(388, Button(*cap, "個人へ", State::Pressed, 104, 28));
    art.emplace(387, Button(*cap, "個人へ", State::Normal, 104, 28));
    art.emplace(395, Arrow(true, true));
    art.emplace(396, Arrow(true, false));
    art.emplace(397, Arrow(false, true));
    art.emplace(398, Arrow(false, false));
    // Course plates in the order of the room dialog's course list (course ids 2 to 13).
    const std::pair<int, const char*> courses[] = {
        {346, "BARCELONA CIRCUIT"},       {353, "NISEKO CIRCUIT"},       {348, "BERLIN CIRCUIT"},
        {350, "NEW TOKYO QIR CIRCUIT"},   {335, "SYDNEY CIRCUIT"},       {352, "CANADA CIRCUIT"},
        {347, "BARCELONA CIRCUIT (REV)"}, {334, "NISEKO CIRCUIT (REV)"}, {349, "BERLIN CIRCUIT (REV)"},
        {351, "NEW TOKYO QIR (REV)"},     {336, "SYDNEY CIRCUIT (REV)"}, {333, "CANADA CIRCUIT (REV)"}};
    for (const auto& [id, name] : courses) art.emplace(id, Plate(*cap, name));
    const std::pair<int, const char*> laps[] = {{345, "3 周"}, {344, "5 周"},  {342, "7 周"},
                                                {343, "9 周"}, {341, "11 周"}, {340, "15 周"}};
    for (const auto& [id, text] : laps) art.emplace(id, Plate(*cap, text));
    art.emplace(386, Cursor());
    const Canvas noImage = NoImage(*cap);
    art.emplace(411, noImage);
    Canvas thumb(4, 4, {0.55f, 0.93f, 1.0f, 1.0f});
    art.emplace(417, thumb);
    art.emplace(422, Canvas(1, 1, kWhite));

    std::vector<Canvas> sprites;
    for (int i = 0; i < count; ++i) {
        auto it = art.find(firstId + i);
        sprites.push_back(it != art.end() ? it->second : Tile());
    }
    Canvas sheet(width, height);
    if (!Pack(sprites, sheet, out->boxes)) {
        if (error) *error = "the lobby sprites do not fit their sheet";
        return false;
    }
    out->png = EncodePng(width, height, sheet.Bytes());
    out->noImageJpeg = EncodeJpeg(noImage.Width(), noImage.Height(), noImage.Bytes(), 90);
    return true;
}

}  // namespace contentgen
