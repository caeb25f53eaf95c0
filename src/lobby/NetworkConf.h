// NetworkConf.h -- "network.conf": the lobby server's address, the lobby port, the status page and the race port.
#pragma once
#include <string>

namespace g2lobby {

// A reader of key-and-value text files: one pair per line, the key, then an
// equals sign (or, when the line has none, a blank or tab), then the value;
// blanks and tabs around both are dropped. Every usable pair goes to
// SetOption in file order. Keys are the subclass's business.
class COptionFile {
public:
    virtual ~COptionFile() = default;
    virtual void SetOption(const char* key, const char* value) = 0;

    // False (nothing changed) when the file cannot be opened.
    bool Load(const char* path);
    // The same over text already in memory (a last line without a line feed counts).
    void LoadText(const std::string& text);
};

// The lobby's four network settings with their built-in defaults. Keys are
// matched exactly ("LobbyHost", "LobbyPort", "LobbyURL", "BattlePort"); a
// later line overrides an earlier one. A port that is not a whole number from
// 1 to 65535 keeps the value it had, with a log line.
class CNetworkConf : public COptionFile {
public:
    static constexpr int kDefaultLobbyPort = 28484;
    static constexpr int kDefaultBattlePort = 28464;
    static const char* const kDefaultLobbyHost;
    static const char* const kDefaultLobbyURL;

    void SetOption(const char* key, const char* value) override;

    std::string LobbyHost = kDefaultLobbyHost;
    int LobbyPort = kDefaultLobbyPort;
    std::string LobbyURL = kDefaultLobbyURL;
    int BattlePort = kDefaultBattlePort;
};

// A port number written as decimal digits only, 1 to 65535; -1 for anything else.
int ParsePortNumber(const char* text);

}  // namespace g2lobby
