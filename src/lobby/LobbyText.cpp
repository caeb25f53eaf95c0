// LobbyText.cpp -- dialog rows, help rows, chat command parsing, chat line splitting and stamps.
#include "lobby/LobbyText.h"

#include <algorithm>
#include <cstdio>

#include "sys/text/tmSjis.h"

namespace g2lobby {

const char* const kOfficialSite = "    http://www.zarvo.example/";

namespace {
const char kFullWidthBlank[] = "　";
const char kBreak[] = "<br>";
}  // namespace

std::string ConnectingText(int updates) {
    static const char* const kTexts[4] = {"サーバーに接続中　　　", "サーバーに接続中・　　", "サーバーに接続中・・　",
                                          "サーバーに接続中・・・"};
    const int n = ((updates / 20) % 4 + 4) % 4;
    return kTexts[n];
}

std::vector<std::string> SplitMaintenanceRows(const std::string& text) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size()) {
        const size_t marker = text.find(kBreak, start);
        if (marker == std::string::npos) {
            rows.push_back(text.substr(start));
            break;
        }
        rows.push_back(text.substr(start, marker - start));
        start = marker + 4;
    }
    return rows;
}

std::vector<std::string> ErrorRows(int code, const std::string& text) {
    char buffer[256];
    switch (code) {
        case 8:
            return {" 最新版にバージョンアップしてください。", "バージョンアップはオフィシャルサイト", kOfficialSite,
                    " をご覧ください。"};
        case 9: return SplitMaintenanceRows(text);
        case 2:
            std::snprintf(buffer, sizeof buffer, "(エラーコード:%d)", code);
            return {" サーバーへの接続に失敗しました。", buffer};
        default:
            std::snprintf(buffer, sizeof buffer, "(エラーコード:%d)", code);
            return {" 通信エラーが発生しました。", buffer};
    }
}

std::vector<std::string> StartWarningRows(const std::vector<std::string>& names) {
    std::vector<std::string> rows = {"UDPポートが空いていない可能性がある", "ドライバーがいます"};
    // Up to four names, then "他..." for the rest: five names make seven rows, three make five.
    for (size_t i = 0; i < names.size() && i < 4; ++i) rows.push_back(names[i]);
    if (names.size() > 4) rows.push_back("他...");
    return rows;
}

const std::vector<std::string>& HelpRows() {
    static const std::vector<std::string> kRows = {
        "              ロビーコマンドヘルプ                ", "TELL              : /TELL ...    (-)              ",
        "部屋作成・開始    : /ROOM        (Ctrl+R)         ", "部屋参加          : /JOIN        (Ctrl+J)         ",
        "部屋中止          : /LEAVE       (Ctrl+L)         ", "ヘルプ表示        : /HELP        (Ctrl+H)         ",
        "コメント設定      : /COMMENT ... (-)              ", "対象プレイヤー変更:              (Ctrl+↑,Ctrl+↓)",
        "チャットスクロール:              (PageUp,PageDown)",
    };
    return kRows;
}

size_t FindCommandBlank(const std::string& line, size_t* blankLength) {
    for (size_t pos = 0; pos < line.size();) {
        const size_t n = tmSjis::CharLength(line, pos);
        if (n == 1 && line[pos] == ' ') {
            if (blankLength) *blankLength = 1;
            return pos;
        }
        if (n == 2 && line.compare(pos, 2, kFullWidthBlank) == 0) {
            if (blankLength) *blankLength = 2;
            return pos;
        }
        pos += n ? n : 1;
    }
    if (blankLength) *blankLength = 0;
    return std::string::npos;
}

ChatCommand ParseChatCommand(const std::string& line) {
    ChatCommand c;
    if (line.empty()) return c;
    size_t blank = 0;
    const size_t at = FindCommandBlank(line, &blank);
    if (at == std::string::npos) {
        c.word = line.substr(1);
    } else {
        c.word = at > 1 ? line.substr(1, at - 1) : std::string();
        c.argument = line.substr(at + blank);
    }
    // Upper-case ASCII letters only, whole characters (a trail byte is never a letter to change).
    for (size_t pos = 0; pos < c.word.size();) {
        const size_t n = tmSjis::CharLength(c.word, pos);
        if (n == 1 && c.word[pos] >= 'a' && c.word[pos] <= 'z') c.word[pos] = static_cast<char>(c.word[pos] - 32);
        pos += n ? n : 1;
    }
    return c;
}

ChatSplit SplitChatText(const std::string& text, size_t lineLength) {
    if (text.size() <= lineLength) return {text, std::string()};
    const size_t cut = tmSjis::FloorBoundary(text, lineLength);
    return {text.substr(0, cut), text.substr(cut)};
}

std::string ChatStamp(int64_t time, int64_t now) {
    if (time <= 0) return std::string();
    const std::time_t t = static_cast<std::time_t>(time);
    std::tm local{};
    if (!localtime_r(&t, &local)) return std::string();
    char buffer[32];
    const char* format = now - time < 86400 ? " (%H:%M)" : " (%m/%d)";
    if (std::strftime(buffer, sizeof buffer, format, &local) == 0) return std::string();
    return buffer;
}

std::string WithStamp(const std::string& text, const std::string& stamp, size_t lineLength) {
    if (text.size() > lineLength || text.size() + stamp.size() <= lineLength) return text + stamp;
    return text;
}

int ShownLevel(int value) { return std::min(std::max(value, 0), 49) + 1; }
int ShownExperience(int value) { return std::min(std::max(value, 0), 99); }

const char* ReachabilityMark(int status) {
    switch (status) {
        case 0: return "…";
        case 1: return "○";
        case 2: return "×";
        default: return "?";
    }
}

std::string NumberText(int value, const char* suffix) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d%s", value, suffix ? suffix : "");
    return buffer;
}

}  // namespace g2lobby
