// LobbyLog.h -- the library's trace file "network.log".
#pragma once
#include <cstdio>
#include <mutex>
#include <string>

namespace lobby {

// One trace file: emptied when first written, then appended to for the rest
// of the run. Each line is "[unix seconds] message", the message cut at 1024
// bytes. The process-wide instance writes "network.log" in the working folder.
class CLogFile {
public:
    explicit CLogFile(std::string path) : path_(std::move(path)) {}
    ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    void Write(const char* message);

private:
    std::mutex lock_;
    std::string path_;
    std::FILE* file_ = nullptr;
    bool opened_ = false;
};

// printf-style line into "network.log".
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A 4-byte message code as printable text of exactly four characters, each
// byte outside printable ASCII shown as '?'. Never reads past the 4 bytes.
std::string CodeText(const uint8_t code[4]);

}  // namespace lobby
