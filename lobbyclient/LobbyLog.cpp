// LobbyLog.cpp -- "network.log": emptied on first use in a run, one line per call.
#include "lobbyclient/LobbyLog.h"

#include <cstdarg>
#include <cstdint>
#include <ctime>

namespace lobby {

CLogFile::~CLogFile() {
    if (file_) std::fclose(file_);
}

void CLogFile::Write(const char* message) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!opened_) {
        opened_ = true;
        file_ = std::fopen(path_.c_str(), "w");
    }
    if (!file_) return;
    std::fprintf(file_, "[%lld] %s", static_cast<long long>(std::time(nullptr)), message);
    std::fflush(file_);
}

void Log(const char* format, ...) {
    static CLogFile file("network.log");
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    file.Write(text);
}

std::string CodeText(const uint8_t code[4]) {
    std::string text(4, '?');
    for (int i = 0; i < 4; ++i) {
        if (code[i] >= 0x20 && code[i] < 0x7F) text[i] = static_cast<char>(code[i]);
    }
    return text;
}

}  // namespace lobby
