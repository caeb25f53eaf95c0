// tmLogFile.h -- plain-text report files written by the renderer's set-up.
#pragma once
#include <cstdio>

#include "sys/base/tmString.h"

namespace tmPath {
// base followed by name, with no separator added.
tmString Join(const char* base, const char* name);
}  // namespace tmPath

// One report file, opened for text writing in the log directory (the working
// directory). Printf does nothing while closed.
class tmLogFile {
public:
    tmLogFile() = default;
    ~tmLogFile() { Close(); }
    tmLogFile(const tmLogFile&) = delete;
    tmLogFile& operator=(const tmLogFile&) = delete;

    bool Open(const char* name);
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

private:
    FILE* file_ = nullptr;
};
