// tmFile.cpp -- file reads and writes through the platform layer, and CRC-32.
#include "sys/base/tmFile.h"

#include <array>
#include <cstring>
#include <memory>

namespace {

// Appends exactly n bytes read at the current position; restores the string
// on a failed or short read.
bool AppendRead(std::string* out, platform::File* file, size_t n) {
    size_t old = out->size();
    out->resize(old + n);
    int64_t got = n ? file->Read(&(*out)[old], n) : 0;
    if (got != static_cast<int64_t>(n)) {
        out->resize(old);
        return false;
    }
    return true;
}

// Slicing-by-16 tables: t[0] is the byte-wise table, t[k][b] the register
// after b followed by k zero bytes.
constexpr int kSlices = 16;
struct CrcTables {
    uint32_t t[kSlices][256];
};

constexpr CrcTables MakeCrcTables() {
    CrcTables c{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = i;
        for (int k = 0; k < 8; ++k) r = (r & 1u) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
        c.t[0][i] = r;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (int k = 1; k < kSlices; ++k) c.t[k][i] = (c.t[k - 1][i] >> 8) ^ c.t[0][c.t[k - 1][i] & 0xFFu];
    return c;
}

constexpr CrcTables kCrc = MakeCrcTables();
static_assert(kCrc.t[0][1] == 0x77073096u, "CRC-32 table");

}  // namespace

bool tmFileReadAll(std::string* out, platform::File* file) {
    if (!out || !file) return false;
    int64_t size = file->Size();
    if (size < 0) return false;
    return AppendRead(out, file, static_cast<size_t>(size));
}

bool tmFileLoad(std::string* out, const char* path) {
    if (!out || !path) return false;
    std::unique_ptr<platform::File> file = platform::File::Open(path, platform::File::Mode::Read);
    return file && tmFileReadAll(out, file.get());
}

int tmFileReadRange(std::string* out, platform::File* file, int64_t offset, uint32_t length) {
    if (!out || !file) return kReadRangeNothing;
    int64_t size = file->Size();
    if (size < 0 || offset < 0 || length == 0 || offset >= size) return kReadRangeNothing;
    int64_t end = offset + static_cast<int64_t>(length);
    int result = end == size ? kReadRangeToEnd : kReadRangeRead;
    if (end > size) end = size;
    bool ok = file->Seek(offset) && AppendRead(out, file, static_cast<size_t>(end - offset));
    file->Seek(0);
    return ok ? result : kReadRangeNothing;
}

bool tmFileWriteString(platform::File* file, const std::string& s) { return file && file->Write(s.data(), s.size()); }

bool tmFileLoadHead(std::string* out, const char* path, uint32_t length, int64_t* size) {
    if (!out || !path || !size) return false;
    std::unique_ptr<platform::File> file = platform::File::Open(path, platform::File::Mode::Read);
    if (!file) return false;
    const int64_t total = file->Size();
    if (total < 0) return false;
    const size_t n = static_cast<size_t>(total < static_cast<int64_t>(length) ? total : length);
    if (!AppendRead(out, file.get(), n)) return false;
    *size = total;
    return true;
}

bool tmFileReplace(const char* path, const void* data, size_t size) {
    return path && (data || size == 0) && platform::WriteFileAtomic(path, data, size);
}

bool tmMakeFolder(const char* path) { return path && platform::MakeDirectory(path); }

uint32_t tmCrc32(uint32_t value, const void* bytes, size_t count) {
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    if (!p) return value;
    const auto& t = kCrc.t;
    while (count >= kSlices) {
        uint32_t lo = value ^ (uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
        value = t[15][lo & 0xFF] ^ t[14][(lo >> 8) & 0xFF] ^ t[13][(lo >> 16) & 0xFF] ^ t[12][lo >> 24] ^ t[11][p[4]] ^
                t[10][p[5]] ^ t[9][p[6]] ^ t[8][p[7]] ^ t[7][p[8]] ^ t[6][p[9]] ^ t[5][p[10]] ^ t[4][p[11]] ^
                t[3][p[12]] ^ t[2][p[13]] ^ t[1][p[14]] ^ t[0][p[15]];
        p += kSlices;
        count -= kSlices;
    }
    while (count--) value = (value >> 8) ^ kCrc.t[0][(value ^ *p++) & 0xFF];
    return value;
}
