// NetworkConf.cpp -- reading "network.conf" line by line into the lobby's network settings.
#include "lobby/NetworkConf.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace g2lobby {

const char* const CNetworkConf::kDefaultLobbyHost = "lobby.zarvo.example";
const char* const CNetworkConf::kDefaultLobbyURL = "http://lobby.zarvo.example/status.html";

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Blanks and tabs off both ends; a text of nothing else stays as it is.
std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    if (b == e) return s;
    return s.substr(b, e - b);
}

void SetPort(int* port, const char* key, const char* value) {
    const int parsed = ParsePortNumber(value);
    if (parsed < 0) {
        std::fprintf(stderr, "network.conf: %s \"%.32s\" is not a port from 1 to 65535; %d kept\n", key, value, *port);
        return;
    }
    *port = parsed;
}

}  // namespace

int ParsePortNumber(const char* text) {
    if (!text || !*text) return -1;
    long value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return -1;
        value = value * 10 + (*p - '0');
        if (value > 65535) return -1;
    }
    return value >= 1 ? static_cast<int>(value) : -1;
}

bool COptionFile::Load(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    LoadText(text.str());
    return true;
}

void COptionFile::LoadText(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        // Text mode drops the carriage return of a CR LF line end.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t sep = line.find('=');
        if (sep == std::string::npos) {
            // Without an equals sign the first blank or tab after the key parts key and value.
            const size_t key = line.find_first_not_of(" \t");
            if (key != std::string::npos) sep = line.find_first_of(" \t", key);
        }
        if (sep == std::string::npos) continue;
        const std::string key = Trim(line.substr(0, sep));
        const std::string value = Trim(line.substr(sep + 1));
        SetOption(key.c_str(), value.c_str());
    }
}

void CNetworkConf::SetOption(const char* key, const char* value) {
    if (std::strcmp(key, "LobbyHost") == 0) {
        LobbyHost = value;
    } else if (std::strcmp(key, "LobbyPort") == 0) {
        SetPort(&LobbyPort, key, value);
    } else if (std::strcmp(key, "LobbyURL") == 0) {
        LobbyURL = value;
    } else if (std::strcmp(key, "BattlePort") == 0) {
        SetPort(&BattlePort, key, value);
    }
}

}  // namespace g2lobby
