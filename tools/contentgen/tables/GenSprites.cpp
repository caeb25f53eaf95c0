// Generator: the 46 sprite sheets, their banks, sprite records, sprite names and ids.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "Generators.h"
#include "hud/EffectSheet.h"
#include "hud/HudArt.h"
#include "kit/ContentPng.h"
#include "lobby/GenLobbySprites.h"
#include "machine/MachineCard.h"
#include "menu/SpriteArt.h"

namespace contentgen {

namespace {

struct SheetSpec {
    int id = 0;
    std::string texture, bank, prefix;
    int width = 0, height = 0, count = 0, first = 0;
};

struct Rect {
    int x, y, w, h;
};

// A sprite the manifest gives a pixel size and a painting style.
struct SizedSprite {
    int w = 0, h = 0;
    SpriteStyle style;
};

// What fills one cell: a manifest style, pixels the race display painted, or
// (neither, a slot no screen draws) its index cell: the sprite's name on a plain ground.
struct Picture {
    const SizedSprite* styled = nullptr;
    bool painted = false;
    int w = 0, h = 0;
    std::vector<std::uint8_t> rgba;
};

// Unsized sprites of a sheet that also holds painted ones keep a small labelled cell; the
// slots no table or screen names (called <prefix>_<index>) keep a token one.
constexpr int kDefaultCell = 96;
constexpr int kUnnamedCell = 8;

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Sprites that must be plain white (solid fills drawn with a colour).
bool IsWhite(const std::string& name) { return name == "CM_16x16_WHITE" || name == "LB_WHITE" || name == "eff_white"; }

// Cells of a near-square grid over the sheet, row by row.
std::vector<Rect> Layout(const SheetSpec& s) {
    int cols = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(s.count) * s.width / s.height)));
    if (cols < 1) cols = 1;
    if (cols > s.count) cols = s.count;
    const int rows = (s.count + cols - 1) / cols;
    const int cw = s.width / cols, ch = s.height / rows;
    std::vector<Rect> out;
    for (int i = 0; i < s.count; ++i) out.push_back({(i % cols) * cw, (i / cols) * ch, cw, ch});
    return out;
}

// Skyline packing, tallest first: every rect of `sizes` gets a place in the sheet, or the
// packing fails (false) when they do not fit.
bool Pack(int sheetW, int sheetH, const std::vector<std::pair<int, int>>& sizes, std::vector<Rect>* out) {
    // Each rect keeps a one-pixel gutter on every side, so filtering never reads a neighbour.
    constexpr int kGutter = 1;
    std::vector<size_t> order(sizes.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return sizes[a].second != sizes[b].second ? sizes[a].second > sizes[b].second : sizes[a].first > sizes[b].first;
    });
    std::vector<int> column(size_t(sheetW), 0);
    out->assign(sizes.size(), Rect{0, 0, 0, 0});
    for (size_t i : order) {
        const int w = std::min(sheetW, sizes[i].first + 2 * kGutter);
        const int h = std::min(sheetH, sizes[i].second + 2 * kGutter);
        int bestX = -1, bestY = sheetH + 1;
        for (int x = 0; x + w <= sheetW; ++x) {
            if (x > 0 && column[size_t(x)] == column[size_t(x - 1)]) continue;  // only where the skyline steps
            int y = 0;
            for (int k = x; k < x + w; ++k) y = std::max(y, column[size_t(k)]);
            if (y + h <= sheetH && y < bestY) {
                bestY = y;
                bestX = x;
            }
        }
        if (bestX < 0) return false;
        for (int k = bestX; k < bestX + w; ++k) column[size_t(k)] = bestY + h;
        // A sprite as large as its sheet has no room for a gutter and fills it.
        const int gx = sizes[i].first + 2 * kGutter <= sheetW ? kGutter : 0;
        const int gy = sizes[i].second + 2 * kGutter <= sheetH ? kGutter : 0;
        (*out)[i] = {bestX + gx, bestY + gy, sizes[i].first, sizes[i].second};
    }
    return true;
}

// Copies a painted cell's outermost pixels into the one-pixel gutter around it, so that
// filtering at the cell's edge reads the cell's own colour (no dark seam where two halves of
// a wide panel meet, or at a screen-filling sprite's border).
void BleedIntoGutter(std::vector<std::uint8_t>& px, int sheetW, int sheetH, const Rect& r) {
    auto at = [&](int x, int y) { return &px[(size_t(y) * sheetW + x) * 4]; };
    const int x0 = r.x, x1 = r.x + r.w - 1, y0 = r.y, y1 = r.y + r.h - 1;
    if (r.w <= 0 || r.h <= 0) return;
    for (int y = y0; y <= y1; ++y) {
        if (x0 > 0) std::copy_n(at(x0, y), 4, at(x0 - 1, y));
        if (x1 + 1 < sheetW) std::copy_n(at(x1, y), 4, at(x1 + 1, y));
    }
    const int left = std::max(0, x0 - 1), right = std::min(sheetW - 1, x1 + 1);
    for (int x = left; x <= right; ++x) {
        if (y0 > 0) std::copy_n(at(x, y0), 4, at(x, y0 - 1));
        if (y1 + 1 < sheetH) std::copy_n(at(x, y1), 4, at(x, y1 + 1));
    }
}

// The sheet whose sprites the particle batches draw.
constexpr int kEffectSheet = 16;

// Paints every cell: sized sprites in their style, the undrawn slots as index cells; the
// particle sheet has art of its own.
zfmt::Bytes DrawSheet(const SheetSpec& s, const std::vector<Rect>& cells, const std::vector<std::string>& names,
                      const std::vector<Picture>& pictures, Output& out) {
    if (s.id == kEffectSheet) {
        std::vector<SpriteCell> own;
        for (const Rect& r : cells) own.push_back({r.x, r.y, r.w, r.h});
        return EncodePng(s.width, s.height, DrawEffectSheet(s.width, s.height, own));
    }
    std::vector<std::uint8_t> px(static_cast<size_t>(s.width) * s.height * 4, 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Rect& r = cells[i];
        if (pictures[i].painted) {
            for (int y = 0; y < r.h; ++y)
                std::copy_n(&pictures[i].rgba[(size_t(y) * r.w) * 4], size_t(r.w) * 4,
                            &px[((size_t(r.y + y)) * s.width + r.x) * 4]);
            BleedIntoGutter(px, s.width, s.height, r);
            continue;
        }
        if (pictures[i].styled) {
            SpriteCanvas art(1, 1);
            std::string error;
            if (!PaintSprite(pictures[i].styled->style, r.w, r.h, &art, &error))
                out.Fail("sprite " + names[i] + ": " + error);
            for (int y = 0; y < r.h && y < art.height; ++y)
                std::copy_n(&art.rgba[(size_t(y) * art.width) * 4], size_t(r.w) * 4,
                            &px[((size_t(r.y + y)) * s.width + r.x) * 4]);
            BleedIntoGutter(px, s.width, s.height, r);
            continue;
        }
        const bool white = IsWhite(names[i]);
        const std::uint32_t colour = white ? 0xFFFFFFFFu : ColourOf(names[i]);
        for (int y = r.y; y < r.y + r.h; ++y) {
            std::uint8_t* row = &px[(static_cast<size_t>(y) * s.width + r.x) * 4];
            for (int x = 0; x < r.w; ++x) {
                const bool edge = !white && (x < 2 || y < r.y + 2 || x >= r.w - 2 || y >= r.y + r.h - 2);
                for (int c = 0; c < 3; ++c) row[x * 4 + c] = edge ? 255 : static_cast<std::uint8_t>(colour >> (8 * c));
                row[x * 4 + 3] = 255;
            }
        }
    }
    return EncodePng(s.width, s.height, px);
}

}  // namespace

void GenSprites(Output& out, const Context& ctx) {
    PrepareMachineCards(ctx, out);  // the menus' machine pictures are rendered from the machines' models
    std::vector<SheetSpec> sheets;
    std::map<int, std::string> pinned;
    std::map<int, SizedSprite> sizedById;
    for (const ManifestLine& line : ReadManifest(ctx, "sprite_groups.txt", out)) {
        const auto& f = line.fields;
        if (f[0] == "sheet" && f.size() == 9) {
            SheetSpec s;
            s.id = std::stoi(f[1]);
            s.texture = f[2];
            s.width = std::stoi(f[3]);
            s.height = std::stoi(f[4]);
            s.count = std::stoi(f[5]);
            s.first = std::stoi(f[6]);
            s.bank = f[7];
            s.prefix = f[8];
            sheets.push_back(s);
        } else if (f[0] == "sprite" && f.size() == 3) {
            const int id = std::stoi(f[1]);
            out.Check(!pinned.count(id), "sprite groups: sprite " + f[1] + " pinned twice");
            pinned[id] = f[2];
        } else if (f[0] == "sprite" && f.size() >= 6 && f.size() <= 8) {
            // sprite <id> <name> <width> <height> <style> ["caption"] [param]
            const int id = std::stoi(f[1]);
            out.Check(!pinned.count(id), "sprite groups: sprite " + f[1] + " pinned twice");
            pinned[id] = f[2];
            SizedSprite& sprite = sizedById[id];
            sprite.w = std::stoi(f[3]);
            sprite.h = std::stoi(f[4]);
            sprite.style.style = f[5];
            if (f.size() > 6) sprite.style.caption = f[6];
            if (f.size() > 7) sprite.style.param = f[7];
            out.Check(sprite.w > 0 && sprite.h > 0 && IsKnownStyle(f[5]),
                      "sprite_groups.txt:" + std::to_string(line.lineNumber) + ": bad size or style");
        } else {
            out.Fail("sprite_groups.txt:" + std::to_string(line.lineNumber) + ": unreadable line");
        }
    }
    out.Check(sheets.size() == 46, "sprite groups: 46 sheets expected");
    if (sheets.size() != 46) return;

    const std::uint32_t key = DefaultBankKey("bankPS");
    std::vector<std::string> names{"dummy"};
    std::vector<std::vector<Rect>> layouts;
    std::set<std::string> seen;
    for (size_t g = 0; g < sheets.size(); ++g) {
        const SheetSpec& s = sheets[g];
        out.Check(s.id == static_cast<int>(g) + 1, "sprite groups: ids must run 1 to 46 in order");
        out.Check(s.first == static_cast<int>(names.size()),
                  "sprite groups: " + s.texture + " does not start at its first id");
        std::vector<std::string> own;
        std::vector<bool> unnamed;
        for (int i = 0; i < s.count; ++i) {
            const int id = s.first + i;
            std::string name;
            std::string pinnedName;
            if (pinned.count(id)) {
                name = pinnedName = pinned[id];
                pinned.erase(id);
            } else if (s.count == 1) {
                name = s.prefix;
            } else {
                char buf[64];
                std::snprintf(buf, sizeof buf, "%s_%03d", s.prefix.c_str(), i);
                name = buf;
            }
            out.Check(seen.insert(Upper(name)).second, "sprite groups: name used twice: " + name);
            unnamed.push_back(pinnedName.empty() && s.count > 1);
            own.push_back(name);
            names.push_back(name);
        }
        if (s.prefix == "LB") {
            BankOutput& bank = out.AddBank(s.bank, key, BankDirectory::None);
            // The lobby's sheet has art of its own (frames, buttons, plates, cursor, picture).
            LobbySheet lobby;
            std::string error;
            if (!DrawLobbySheet(s.width, s.height, s.first, s.count, &lobby, &error)) {
                out.Fail("sprite groups: lobby sheet: " + error);
                return;
            }
            std::vector<Rect> rects;
            for (const SpriteBox& b : lobby.boxes) rects.push_back({b.x, b.y, b.w, b.h});
            layouts.push_back(rects);
            bank.Add(s.texture, std::move(lobby.png));
            out.AddLooseFile("data/NoImage.jpg", std::move(lobby.noImageJpeg));
            continue;
        }
        // A sheet with any painted sprite (styled in the manifest or drawn by the race display)
        // is packed; a sheet no screen draws from keeps a grid of index cells.
        std::vector<Picture> pictures(size_t(s.count));
        std::vector<std::pair<int, int>> sizes;
        bool anyPainted = false;
        for (int i = 0; i < s.count; ++i) {
            Picture& p = pictures[size_t(i)];
            const auto it = sizedById.find(s.first + i);
            if (it != sizedById.end()) {
                p.styled = &it->second;
                p.w = it->second.w;
                p.h = it->second.h;
                if (p.w > s.width || p.h > s.height) {
                    out.Fail("sprite groups: " + own[size_t(i)] + " is larger than its sheet " + s.texture);
                    p.w = std::min(p.w, s.width);
                    p.h = std::min(p.h, s.height);
                }
            } else if (PaintHudSprite(own[size_t(i)], &p.w, &p.h, &p.rgba)) {
                p.painted = true;
            } else {
                p.w = p.h = unnamed[size_t(i)] ? kUnnamedCell : kDefaultCell;
            }
            anyPainted |= p.styled || p.painted;
            sizes.push_back({p.w, p.h});
        }
        std::vector<Rect> cells;
        if (!anyPainted) {
            cells = Layout(s);
            pictures.assign(size_t(s.count), Picture{});
        } else if (!Pack(s.width, s.height, sizes, &cells)) {
            out.Fail("sprite groups: the sprites of " + s.texture + " do not fit the sheet");
            cells = Layout(s);
            pictures.assign(size_t(s.count), Picture{});
        }
        layouts.push_back(cells);
        BankOutput& bank = out.AddBank(s.bank, key, BankDirectory::None);
        bank.Add(s.texture, DrawSheet(s, layouts.back(), own, pictures, out));
    }
    for (const auto& p : pinned) out.Fail("sprite groups: " + p.second + " pinned outside every sheet");
    out.Check(names.size() == 1173, "sprite groups: 1172 sprites expected");
    out.Check(names.back() == "TV_CNT_FONT3_ON", "sprite groups: the last sprite must be TV_CNT_FONT3_ON");
    if (names.size() != 1173) return;

    auto& h = out.Header();
    h << "\n#include \"sys/resource/tmSpriteGroupRecord.h\"\n\nnamespace content {\n\n"
      << "// Sprite-name table: \"dummy\" then the sprites of sheets 1 to 46 (sprite ids).\n"
      << "inline constexpr int kSpriteNameCount = 1173;\n"
      << "extern const char* const kSpriteNames[1173];\n"
      << "// Sprite groups 1 to 46; the table has null at 0 and 47.\n"
      << "extern const tmSpriteGroupRecord kSpriteGroups[46];\n"
      << "extern const tmSpriteGroupRecord* const kSpriteGroupTable[48];\n"
      << "// The key every sprite-sheet bank shares.\n"
      << "inline constexpr std::uint32_t kSpriteSheetKey = " << key << "u;\n\n// Sprite-group ids.\n";
    for (const SheetSpec& s : sheets) {
        std::string stem = s.texture.substr(0, s.texture.find('.'));
        if (stem.rfind("spr", 0) == 0) stem = stem.substr(3);
        h << "inline constexpr int SPRG_" << Upper(stem) << " = " << s.id << ";\n";
    }
    h << "\n// Sprite ids (slots of the sprite-name table).\n";
    for (size_t i = 1; i < names.size(); ++i)
        h << "inline constexpr int SPR_" << Upper(names[i]) << " = " << i << ";\n";
    h << "\n}  // namespace content\n";

    auto& c = out.Source();
    c << "\nnamespace content {\n\nconst char* const kSpriteNames[1173] = {\n";
    for (const std::string& n : names) c << "    " << CppString(n) << ",\n";
    c << "};\n\nnamespace {\n";
    for (size_t g = 0; g < sheets.size(); ++g) {
        const SheetSpec& s = sheets[g];
        c << "const sys::tmSpriteRecord kSheet" << s.id << "[" << s.count << "] = {\n";
        for (int i = 0; i < s.count; ++i) {
            const Rect& r = layouts[g][i];
            char buf[160];
            std::snprintf(buf, sizeof buf, "%.9ef, %.9ef, %.9ef, %.9ef", static_cast<double>(r.x) / s.width,
                          static_cast<double>(r.y) / s.height, static_cast<double>(r.w) / s.width,
                          static_cast<double>(r.h) / s.height);
            c << "    {kSpriteNames[" << s.first + i << "], " << buf << "},\n";
        }
        c << "};\n";
    }
    c << "}  // namespace\n\nconst tmSpriteGroupRecord kSpriteGroups[46] = {\n";
    for (const SheetSpec& s : sheets)
        c << "    {" << CppString(s.texture) << ", " << s.width << ".0f, " << s.height << ".0f, " << s.count
          << "u, 0u, 8u, kSheet" << s.id << ", " << CppString("data\\" + s.bank + ".dat") << "},\n";
    c << "};\n\nconst tmSpriteGroupRecord* const kSpriteGroupTable[48] = {\n    nullptr,\n";
    for (size_t g = 0; g < 46; ++g) c << "    &kSpriteGroups[" << g << "],\n";
    c << "    nullptr,\n};\n\n}  // namespace content\n";
}

}  // namespace contentgen
