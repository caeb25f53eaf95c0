// PictureFuzz.cpp -- a player's picture as the lobby receives it: arbitrary bytes decoded and scaled.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sys/resource/tmPicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint32_t> argb;
    std::string why;
    // The information pane's size, and a second one from the first bytes so scaling up and down both run.
    if (tmDecodePicture(data, size, 122, 122, &argb, &why) && argb.size() != 122u * 122u) __builtin_trap();
    if (size > 2) {
        const int w = 1 + data[0] % 200, h = 1 + data[1] % 200;
        if (tmDecodePicture(data, size, w, h, &argb, &why) && argb.size() != size_t(w) * size_t(h)) __builtin_trap();
    }
    return 0;
}
