// FileSystem.h -- files, directory listings and path translation over POSIX.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Turns a path as the game spells it (backslash separators) into a native
// one. Every function here applies it, so callers pass the game's paths.
std::string ToNativePath(const std::string& path);

// An open file; closes on destruction. Created by File::Open.
class File {
public:
    enum class Mode {
        Read,       // existing file, read only
        Write,      // create or truncate, write only
        ReadWrite,  // existing file, read and write
    };
    static std::unique_ptr<File> Open(const std::string& path, Mode mode);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Size in bytes, or -1 when it cannot be read.
    int64_t Size() const;
    // Absolute seek; false on failure.
    bool Seek(int64_t offset);
    int64_t Tell() const;
    // Reads up to size bytes at the current position; returns bytes read,
    // -1 on error. Retries short reads until end of file.
    int64_t Read(void* buffer, size_t size);
    // Writes all bytes; false when not all could be written.
    bool Write(const void* data, size_t size);
    // Flushes to the storage device.
    bool Sync();

private:
    explicit File(int fd) : fd_(fd) {}
    int fd_;
};

// One directory entry.
struct DirEntry {
    std::string name;
    bool isDirectory;
};

// Lists a directory's entries sorted by name (byte order), without "." and
// "..". False (and an empty list) when the directory cannot be read.
bool ListDirectory(const std::string& path, std::vector<DirEntry>* out);

// Whole-file read: replaces *out. False when missing or unreadable.
bool ReadWholeFile(const std::string& path, std::string* out);
// Replaces the file safely: writes "<path>.tmp", syncs, renames over path.
// On any failure the old file is untouched and the temporary removed.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size);

bool FileExists(const std::string& path);  // a regular file
bool DirectoryExists(const std::string& path);
bool MakeDirectory(const std::string& path);  // true when it exists afterwards
bool RemoveFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// Size of a regular file, or -1.
int64_t FileSize(const std::string& path);

// A fresh empty directory under the system temp folder, removed with all its
// contents on destruction. For tests and scratch work.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string Join(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace platform
