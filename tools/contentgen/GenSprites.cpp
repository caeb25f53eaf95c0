// Generator: the 46 sprite sheets, their banks, sprite records, sprite names and ids.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "ContentPng.h"
#include "EffectSheet.h"
#include "GenLobbySprites.h"
#include "Generators.h"
#include "HudArt.h"

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

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Sprites that must be plain white: solid fills drawn in a colour, and the
// effect batches' sprite.
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

// The sheet whose sprites the particle batches draw.
constexpr int kEffectSheet = 16;

zfmt::Bytes DrawSheet(const SheetSpec& s, const std::vector<Rect>& cells, const std::vector<std::string>& names) {
    if (s.id == kEffectSheet) {
        std::vector<SpriteCell> own;
        for (const Rect& r : cells) own.push_back({r.x, r.y, r.w, r.h});
        return EncodePng(s.width, s.height, DrawEffectSheet(s.width, s.height, own));
    }
    std::vector<std::uint8_t> px(static_cast<size_t>(s.width) * s.height * 4, 0);
    for (size_t i = 0; i < cells.size(); ++i) {
        const Rect& r = cells[i];
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
    std::vector<SheetSpec> sheets;
    std::map<int, std::string> pinned;
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
        for (int i = 0; i < s.count; ++i) {
            const int id = s.first + i;
            std::string name;
            if (pinned.count(id)) {
                name = pinned[id];
                pinned.erase(id);
            } else if (s.count == 1) {
                name = s.prefix;
            } else {
                char buf[64];
                std::snprintf(buf, sizeof buf, "%s_%03d", s.prefix.c_str(), i);
                name = buf;
            }
            out.Check(seen.insert(Upper(name)).second, "sprite groups: name used twice: " + name);
            own.push_back(name);
            names.push_back(name);
        }
        BankOutput& bank = out.AddBank(s.bank, key, BankDirectory::None);
        if (s.prefix == "LB") {
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
        std::vector<SheetCell> painted;
        zfmt::Bytes png;
        if (PaintHudSheet(s.id, s.width, s.height, own, &painted, &png)) {
            std::vector<Rect> cells;
            for (const SheetCell& c : painted) cells.push_back({c.x, c.y, c.w, c.h});
            layouts.push_back(cells);
            bank.Add(s.texture, png);
        } else {
            layouts.push_back(Layout(s));
            bank.Add(s.texture, DrawSheet(s, layouts.back(), own));
        }
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
