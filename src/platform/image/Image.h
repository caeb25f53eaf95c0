// Image.h -- decodes texture files (PNG, TGA, BMP, JPEG, DDS) into RGBA8 pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::image {

// The pixel format the file stores its top level in. Texture code derives a
// texture's alpha mode from it, as it would from a device texture's format.
enum class PixelFormat : uint8_t {
    Unknown,
    A8R8G8B8,
    X8R8G8B8,
    A8B8G8R8,
    X8B8G8R8,
    R8G8B8,
    R5G6B5,
    X1R5G5B5,
    A1R5G5B5,
    A4R4G4B4,
    X4R4G4B4,
    A8R3G3B2,
    A8,
    L8,
    A8L8,
    A4L4,
    DXT1,
    DXT2,
    DXT3,
    DXT4,
    DXT5,
};

// The container the bytes were recognised as (by magic bytes, never by name).
enum class Container : uint8_t { Unknown, Png, Jpeg, Bmp, Tga, Dds };

// A decoded image: one face (2D) or six (cube: +X, -X, +Y, -Y, +Z, -Z), each
// width x height RGBA8 pixels with row 0 at the top.
struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    PixelFormat format = PixelFormat::Unknown;
    Container container = Container::Unknown;
    std::vector<std::vector<uint8_t>> faces;

    bool IsCube() const { return faces.size() == 6; }
    const uint8_t* Pixels(size_t face = 0) const { return faces.at(face).data(); }
};

// Largest accepted side and pixel count of one face; checked before any
// allocation so a hostile header cannot ask for gigabytes.
constexpr uint32_t kMaxSide = 8192;
constexpr uint64_t kMaxPixels = 16u * 1024u * 1024u;

// Takes a decoded 2D image a band of rows at a time (DecodeRows).
class RowSink {
public:
    virtual ~RowSink() = default;
    // The image's size and format, before any row; false stops the decode.
    virtual bool Begin(uint32_t width, uint32_t height, PixelFormat format) = 0;
    // Rows first .. first + count - 1, width x count RGBA8 pixels, top row
    // first. The sink may change the bytes in place; false stops the decode.
    virtual bool Rows(uint32_t first, uint32_t count, uint8_t* rgba) = 0;
};

// Recognises the container from the first bytes.
Container Sniff(const void* data, size_t size);

// Decodes a 2D image (a DDS cube map gives its six faces). False with a reason
// in *error on bad or unsupported input; out is then empty.
bool Decode(const void* data, size_t size, Image& out, std::string* error = nullptr);

// Decodes a 2D image into `sink` with the checks and reasons of Decode. A PNG
// goes a band of rows at a time, so a large texture is never held whole in
// memory on its way to the device; other containers are decoded whole and
// handed over as one band. A cube map is refused.
bool DecodeRows(const void* data, size_t size, RowSink& sink, std::string* error = nullptr);

// Decodes a JPEG picture from an untrusted source (a player's picture from the
// network) with libjpeg-turbo: sides of at most maxSide pixels (checked before
// any pixel is decoded), every error and corrupt-data warning refused, a
// bounded number of progressive scans. Other formats are refused.
bool DecodePicture(const void* data, size_t size, uint32_t maxSide, Image& out, std::string* error = nullptr);

// Decodes a cube texture: a DDS cube map, or any 2D image whose height is six
// times its width, holding the six faces stacked top to bottom in cube order.
bool DecodeCube(const void* data, size_t size, Image& out, std::string* error = nullptr);

// True when the file holds every byte its header declares (TGA, BMP, PNG,
// JPEG; DDS checks its own levels), so a truncated or hostile file is refused
// before any pixel memory is allocated. The reason goes to *error.
bool FitsDeclaredSize(const void* data, size_t size, Container c, std::string* error = nullptr);

// The readers behind Decode, each with its contract. PNG goes through libpng,
// JPEG through libjpeg-turbo (sides of at most maxSide pixels, corrupt data
// refused), DDS through our own reader; TGA and BMP use stb_image.
bool DecodePng(const uint8_t* data, size_t size, Image& out, std::string* error);
bool DecodePngRows(const uint8_t* data, size_t size, RowSink& sink, std::string* error);
bool DecodeJpeg(const uint8_t* data, size_t size, uint32_t maxSide, Image& out, std::string* error);
bool DecodeDds(const uint8_t* data, size_t size, Image& out, std::string* error);

// Decodes one 4x4 block of DXT1/DXT3/DXT5 into 16 RGBA8 pixels (row-major).
void DecodeDxt1Block(const uint8_t* block, uint8_t out[64]);
void DecodeDxt3Block(const uint8_t* block, uint8_t out[64]);
void DecodeDxt5Block(const uint8_t* block, uint8_t out[64]);

}  // namespace platform::image
