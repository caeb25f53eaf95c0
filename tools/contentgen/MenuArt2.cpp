// MenuArt2.cpp -- painters of the menus' pictures: course maps and icons, machine cards, rows and trophies.
#include "MenuArtKit.h"

namespace contentgen {

bool IsMenuStyle2(const std::string& style) {
    (void)style;
    return false;
}

bool PaintMenuSprite2(const SpriteStyle& style, SpriteCanvas& c) {
    (void)style;
    (void)c;
    return false;
}

}  // namespace contentgen
