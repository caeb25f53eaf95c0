// JpegPicture.cpp -- JPEG pictures and textures, decoded by libjpeg-turbo with every failure caught.
#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "platform/image/Image.h"

namespace platform::image {

namespace {

// Progressive files may hold many scans; a hostile one could make decoding
// crawl. Real pictures have about ten.
constexpr int kMaxScans = 64;

struct ErrorTrap {
    jpeg_error_mgr base;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
    (*info->err->format_message)(info, trap->message);
    longjmp(trap->jump, 1);
}

// Corrupt-data warnings end the decode too: a damaged picture is refused.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0) OnError(info);
}

void OnProgress(j_common_ptr info) {
    auto* d = reinterpret_cast<j_decompress_ptr>(info);
    if (info->is_decompressor && d->input_scan_number > kMaxScans) {
        auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
        std::snprintf(trap->message, sizeof trap->message, "more than %d scans", kMaxScans);
        longjmp(trap->jump, 1);
    }
}

// Everything with a destructor lives here, outside the frame that calls
// setjmp, so a longjmp out of libjpeg skips no destructor.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    jpeg_progress_mgr progress{};
    std::vector<uint8_t> rgba;
    std::vector<JSAMPLE> row;
    bool created = false;
    ~Decoder() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

// Reasons are plain; the caller prefixes what was refused.
bool Run(Decoder& d, const uint8_t* data, size_t size, uint32_t maxSide, Image& out, std::string* error) {
    if (setjmp(d.trap.jump)) {
        if (error) *error = d.trap.message;
        return false;
    }
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.progress.progress_monitor = OnProgress;
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) {
        if (error) *error = "no JPEG image";
        return false;
    }
    if (d.info.image_width == 0 || d.info.image_height == 0 || d.info.image_width > maxSide ||
        d.info.image_height > maxSide || uint64_t(d.info.image_width) * d.info.image_height > kMaxPixels) {
        if (error) *error = "size out of range";
        return false;
    }
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 3 || d.info.output_width != d.info.image_width ||
        d.info.output_height != d.info.image_height) {
        if (error) *error = "unexpected output";
        return false;
    }
    const uint32_t w = d.info.output_width, h = d.info.output_height;
    d.rgba.assign(static_cast<size_t>(w) * h * 4, 0);
    d.row.assign(static_cast<size_t>(w) * 3, 0);
    while (d.info.output_scanline < h) {
        const uint32_t y = d.info.output_scanline;
        JSAMPROW rows[1] = {d.row.data()};
        if (jpeg_read_scanlines(&d.info, rows, 1) != 1) {
            if (error) *error = "truncated";
            return false;
        }
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* p = &d.rgba[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = d.row[x * 3 + 0];
            p[1] = d.row[x * 3 + 1];
            p[2] = d.row[x * 3 + 2];
            p[3] = 255;
        }
    }
    jpeg_finish_decompress(&d.info);
    out.width = w;
    out.height = h;
    out.format = PixelFormat::X8R8G8B8;
    out.container = Container::Jpeg;
    out.faces.assign(1, std::move(d.rgba));
    return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, uint32_t maxSide, Image& out, std::string* error) {
    out = Image{};
    if (!data || Sniff(data, size) != Container::Jpeg) {
        if (error) *error = "not a JPEG file";
        return false;
    }
    Decoder d;
    d.info.err = jpeg_std_error(&d.trap.base);
    d.trap.base.error_exit = OnError;
    d.trap.base.emit_message = OnMessage;
    d.trap.message[0] = '\0';
    const bool ok = Run(d, data, size, maxSide < kMaxSide ? maxSide : kMaxSide, out, error);
    if (!ok) out = Image{};
    return ok;
}

bool DecodePicture(const void* data, size_t size, uint32_t maxSide, Image& out, std::string* error) {
    if (DecodeJpeg(static_cast<const uint8_t*>(data), size, maxSide, out, error)) return true;
    if (error) *error = "picture refused: " + *error;
    return false;
}

}  // namespace platform::image
