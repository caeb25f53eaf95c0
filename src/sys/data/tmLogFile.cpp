// tmLogFile.cpp -- report file writer.
#include "sys/data/tmLogFile.h"

#include <cstdarg>
#include <string>

namespace tmPath {
tmString Join(const char* base, const char* name) {
    std::string s = base ? base : "";
    s += name ? name : "";
    return tmString(s.c_str());
}
}  // namespace tmPath

bool tmLogFile::Open(const char* name) {
    Close();
    tmString path = tmPath::Join("", name);
    file_ = std::fopen(path.GetText(), "w");
    return file_ != nullptr;
}

void tmLogFile::Printf(const char* format, ...) {
    if (!file_ || !format) return;
    char buffer[4096];
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, ap);
    va_end(ap);
    if (n < 0) return;
    std::fwrite(buffer, 1, n < int(sizeof buffer) ? size_t(n) : sizeof buffer - 1, file_);
}

void tmLogFile::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}
