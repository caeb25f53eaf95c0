// HudPixels.h -- reading the race display's segment digits back from a picture, and writing pictures for people.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A picture as the device reads it back: ARGB words, top row first.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
    // A stroke pixel: its brightest channel above the threshold (white and coloured digits on dark panels).
    bool Light(int x, int y, int threshold = 170) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return false;
        const uint32_t c = At(x, y);
        return std::max({int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)}) > threshold;
    }
};

// Reads the digits, colons and points written in light strokes inside a box.
// Glyphs are split at empty columns; a digit's seven segments are probed in
// its own box (the display's font draws squared segment digits, and a one as
// a single centred stroke).
inline std::string ReadDigits(const Picture& p, int x0, int y0, int x1, int y1) {
    struct Box {
        int x0, x1, y0, y1;
    };
    std::vector<Box> boxes;
    int start = -1;
    for (int x = x0; x <= x1; ++x) {
        bool ink = false;
        for (int y = y0; y <= y1 && !ink && x < x1; ++y) ink = p.Light(x, y);
        if (ink && start < 0) start = x;
        if (!ink && start >= 0) {
            Box b{start, x - 1, y1, y0};
            for (int xx = b.x0; xx <= b.x1; ++xx)
                for (int y = y0; y <= y1; ++y)
                    if (p.Light(xx, y)) {
                        b.y0 = std::min(b.y0, y);
                        b.y1 = std::max(b.y1, y);
                    }
            boxes.push_back(b);
            start = -1;
        }
    }
    int tall = 0, wide = 0;
    for (const Box& b : boxes) {
        tall = std::max(tall, b.y1 - b.y0 + 1);
        wide = std::max(wide, b.x1 - b.x0 + 1);
    }
    auto any = [&](const Box& b, float fx0, float fx1, float fy0, float fy1) {
        const float w = float(b.x1 - b.x0 + 1), h = float(b.y1 - b.y0 + 1);
        for (int y = b.y0 + int(fy0 * h); y <= b.y0 + int(fy1 * h); ++y)
            for (int x = b.x0 + int(fx0 * w); x <= b.x0 + int(fx1 * w); ++x)
                if (p.Light(x, y)) return true;
        return false;
    };
    std::string out;
    for (const Box& b : boxes) {
        const int h = b.y1 - b.y0 + 1, w = b.x1 - b.x0 + 1;
        if (h < tall * 0.45f) {
            out += '.';
            continue;
        }
        if (w < wide * 0.55f) {
            out += any(b, 0.0f, 1.0f, 0.42f, 0.58f) ? '1' : ':';
            continue;
        }
        int bits = 0;
        const bool seg[7] = {any(b, 0.3f, 0.7f, 0.0f, 0.14f), any(b, 0.8f, 1.0f, 0.2f, 0.38f),
                             any(b, 0.8f, 1.0f, 0.62f, 0.8f), any(b, 0.3f, 0.7f, 0.86f, 1.0f),
                             any(b, 0.0f, 0.2f, 0.62f, 0.8f), any(b, 0.0f, 0.2f, 0.2f, 0.38f),
                             any(b, 0.3f, 0.7f, 0.42f, 0.58f)};
        for (int i = 0; i < 7; ++i) bits |= seg[i] ? (1 << i) : 0;
        // Segments a b c d e f g as bits 0 to 6.
        static const std::pair<int, char> kDigits[] = {{0x3F, '0'}, {0x5B, '2'}, {0x4F, '3'}, {0x66, '4'}, {0x6D, '5'},
                                                       {0x7D, '6'}, {0x07, '7'}, {0x7F, '8'}, {0x6F, '9'}};
        char c = '?';
        for (const auto& d : kDigits)
            if (d.first == bits) c = d.second;
        out += c;
    }
    return out;
}

inline std::string ShotDir(const std::string& runDir) {
    const std::string dir = runDir + "/../shots";
    mkdir(dir.c_str(), 0755);
    return dir;
}
