// FramePicture.h -- one frame of the real game window read back before it is shown, with the checks menus need.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace harness {

// A picture of the back buffer (0xRRGGBB per pixel, top row first), taken by
// Take() from a session's beforePresent hook when `wanted` is set. Written
// into the build's shots folder for a person to look at.
struct FramePicture {
    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    bool wanted = false;

    // Reads the back buffer when wanted (then clears wanted).
    void Take();
    // Reads what the last present put into the window (the device must keep window pictures); false when none.
    bool TakeWindow();
    bool Empty() const { return pixels.empty(); }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * width + size_t(x)] & 0xFFFFFFu; }
    // The pixel under a point of the 1366 x 768 virtual screen (x -171..1195).
    uint32_t AtVirtual(float x, float y) const;
    // Distinct colours on a coarse grid: a drawn screen has many, an empty frame one.
    int Variety() const;
    // Pixels brighter than `least` (0..765) in a virtual-screen rectangle.
    int Bright(float x0, float y0, float x1, float y1, int least = 600) const;
    // Share 0..1 of coarse-grid pixels that differ from another picture of the same size.
    float DifferenceTo(const FramePicture& other) const;
    // Writes "<shots>/<name>.png" (a name such as "menus/title" writes into a sub-folder).
    bool Write(const std::string& name) const;
    // Writes a contact sheet "<shots>/<name>.png": the pictures scaled down in a grid, in order, each with
    // its label (if given: digits, letters, '_' and '-') in its top left corner.
    static bool WriteContactSheet(const std::vector<const FramePicture*>& pictures, int columns,
                                  const std::string& name, const std::vector<std::string>& labels = {});
    static int Brightness(uint32_t rgb) { return int((rgb >> 16) & 0xFF) + int((rgb >> 8) & 0xFF) + int(rgb & 0xFF); }
};

}  // namespace harness
