// FileSystem.cpp -- POSIX file access, sorted listings and safe replacement.
#include "platform/fs/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

std::string ToNativePath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::unique_ptr<File> File::Open(const std::string& path, Mode mode) {
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::Read: flags |= O_RDONLY; break;
        case Mode::Write: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
        case Mode::ReadWrite: flags |= O_RDWR; break;
    }
    std::string native = ToNativePath(path);
    int fd;
    do {
        fd = ::open(native.c_str(), flags, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    if (mode == Mode::Read) ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::unique_ptr<File>(new File(fd));
}

File::~File() { ::close(fd_); }

int64_t File::Size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool File::Seek(int64_t offset) { return offset >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) == offset; }

int64_t File::Tell() const { return static_cast<int64_t>(::lseek(fd_, 0, SEEK_CUR)); }

int64_t File::Read(void* buffer, size_t size) {
    size_t done = 0;
    char* p = static_cast<char*>(buffer);
    while (done < size) {
        ssize_t n = ::read(fd_, p + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

bool File::Write(const void* data, size_t size) {
    size_t done = 0;
    const char* p = static_cast<const char*>(data);
    while (done < size) {
        ssize_t n = ::write(fd_, p + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool File::Sync() { return ::fsync(fd_) == 0; }

bool ListDirectory(const std::string& path, std::vector<DirEntry>* out) {
    out->clear();
    std::string native = ToNativePath(path);
    if (native.empty()) native = ".";
    DIR* dir = ::opendir(native.c_str());
    if (!dir) return false;
    while (dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        bool isDir;
        if (e->d_type == DT_DIR) {
            isDir = true;
        } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            std::string full = native + "/" + e->d_name;
            isDir = ::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        } else {
            isDir = false;
        }
        out->push_back(DirEntry{e->d_name, isDir});
    }
    ::closedir(dir);
    std::sort(out->begin(), out->end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return true;
}

bool ReadWholeFile(const std::string& path, std::string* out) {
    out->clear();
    std::unique_ptr<File> f = File::Open(path, File::Mode::Read);
    if (!f) return false;
    int64_t size = f->Size();
    if (size < 0) return false;
    out->resize(static_cast<size_t>(size));
    int64_t got = size ? f->Read(&(*out)[0], out->size()) : 0;
    if (got != size) {
        out->clear();
        return false;
    }
    return true;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size) {
    std::string native = ToNativePath(path);
    std::string tmp = native + ".tmp";
    bool ok;
    {
        std::unique_ptr<File> f = File::Open(tmp, File::Mode::Write);
        if (!f) return false;
        ok = f->Write(data, size) && f->Sync();
    }
    if (ok) ok = ::rename(tmp.c_str(), native.c_str()) == 0;
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(ToNativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(ToNativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectory(const std::string& path) {
    std::string native = ToNativePath(path);
    return ::mkdir(native.c_str(), 0755) == 0 || DirectoryExists(native);
}

bool RemoveFile(const std::string& path) { return ::unlink(ToNativePath(path).c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) {
    return ::rename(ToNativePath(from).c_str(), ToNativePath(to).c_str()) == 0;
}

int64_t FileSize(const std::string& path) {
    struct stat st {};
    if (::stat(ToNativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

namespace {

void RemoveTree(const std::string& path) {
    if (DIR* dir = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(dir)) {
            if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
            std::string full = path + "/" + e->d_name;
            struct stat st {};
            if (::lstat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
                RemoveTree(full);
            else
                ::unlink(full.c_str());
        }
        ::closedir(dir);
    }
    ::rmdir(path.c_str());
}

}  // namespace

TempDirectory::TempDirectory() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/zarvo-XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data())) path_ = buf.data();
}

TempDirectory::~TempDirectory() {
    if (!path_.empty()) RemoveTree(path_);
}

std::string TempDirectory::Join(const std::string& name) const { return path_ + "/" + name; }

}  // namespace platform
