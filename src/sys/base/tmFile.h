// tmFile.h -- whole-file and ranged reads into strings, string writes, CRC-32.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/fs/FileSystem.h"

// Appends the file's contents from the current position (as many bytes as
// the file's size). False when the size cannot be read or the read is short;
// the string is then left as it was.
bool tmFileReadAll(std::string* out, platform::File* file);
// Appends the whole contents of the named file. False when it cannot be
// opened or read completely (the string is then left as it was).
bool tmFileLoad(std::string* out, const char* path);

enum tmReadRangeResult {
    kReadRangeNothing = 0,  // nothing read: bad offset or length, or a failed read
    kReadRangeRead = 1,     // read (the length may have been cut at the end)
    kReadRangeToEnd = 2,    // the requested range ended exactly at the file's end
};
// Appends length bytes from offset (cut at the end of the file) and always
// seeks back to the start. An offset at or past the end reads nothing.
int tmFileReadRange(std::string* out, platform::File* file, int64_t offset, uint32_t length);
// Writes all bytes of s at the current position.
bool tmFileWriteString(platform::File* file, const std::string& s);

// Appends up to length bytes from the start of the named file (fewer when it
// is shorter) and gives its size in *size. False when it cannot be opened or
// read (the string is then left as it was).
bool tmFileLoadHead(std::string* out, const char* path, uint32_t length, int64_t* size);
// Replaces the named file with the bytes: they go to a temporary beside it,
// which is then renamed over it, so a failure leaves the old file whole.
bool tmFileReplace(const char* path, const void* data, size_t size);
// Makes a folder (its parent must exist); true when it exists afterwards.
bool tmMakeFolder(const char* path);

// The CRC-32 register (reflected polynomial 0xEDB88320) after feeding bytes
// into value. No preset and no final complement: callers pass 0xFFFFFFFF
// and keep the register as it comes out.
uint32_t tmCrc32(uint32_t value, const void* bytes, size_t count);
