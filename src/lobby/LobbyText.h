// LobbyText.h -- the lobby's fixed texts and the Shift-JIS text rules of its dialogs, chat and commands.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace g2lobby {

// ---- dialogs ----

// "サーバーに接続中" with 0 to 3 dots, by (updates / 20) mod 4.
std::string ConnectingText(int updates);
// The maintenance text cut at every "<br>": a trailing marker gives no
// empty row, two markers in a row give an empty row, an empty text no row.
std::vector<std::string> SplitMaintenanceRows(const std::string& text);
// The rows of the error dialog for a library error code and text.
std::vector<std::string> ErrorRows(int code, const std::string& text);
// The start warning: two fixed rows, the first four names, "他..." when there are more.
std::vector<std::string> StartWarningRows(const std::vector<std::string>& names);
// The nine rows of the chat help.
const std::vector<std::string>& HelpRows();
// The operator's web site named in the version notice.
extern const char* const kOfficialSite;

// ---- chat commands ----

// A chat command line split into its word (upper-cased ASCII, after the
// slash, up to the first ASCII or full-width blank found by walking whole
// characters) and its argument (after that blank).
struct ChatCommand {
    std::string word;
    std::string argument;
};
ChatCommand ParseChatCommand(const std::string& line);
// The position of the first ASCII blank or full-width blank (the character
// 0x81 0x40) in whole-character steps, and the blank's length (1 or 2);
// npos and 0 when there is none.
size_t FindCommandBlank(const std::string& line, size_t* blankLength);

// ---- chat lines ----

// A chat line's text split for display: at most `lineLength` bytes in the
// first part, never cutting a double-byte character (walked from the start);
// the rest is the second part (empty when the text fits).
struct ChatSplit {
    std::string first;
    std::string rest;
};
ChatSplit SplitChatText(const std::string& text, size_t lineLength);
// " (%H:%M)" for a line less than a day older than `now`, else " (%m/%d)";
// empty for a time of 0 or less. Local time.
std::string ChatStamp(int64_t time, int64_t now);
// The text with its stamp when the text is longer than the line length or
// both fit together; otherwise the text alone.
std::string WithStamp(const std::string& text, const std::string& stamp, size_t lineLength);

// ---- numbers and marks ----

// A level value shown as 1 to 50, an experience value as 0 to 99.
int ShownLevel(int value);
int ShownExperience(int value);
// "…" untested, "○" reachable, "×" unreachable; "?" for any other value.
const char* ReachabilityMark(int status);
// "%d" of a number, with a suffix ("周", "人").
std::string NumberText(int value, const char* suffix = "");

}  // namespace g2lobby
