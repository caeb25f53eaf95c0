// LobbyTextTest.cpp -- dialog rows, the help, chat command words, chat line splits and stamps, shown numbers.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "lobby/LobbyText.h"

using namespace g2lobby;

TEST(LobbyText, TheConnectingTextGainsADotEveryTwentyUpdates) {
    EXPECT_EQ(ConnectingText(0), "サーバーに接続中　　　");
    EXPECT_EQ(ConnectingText(19), "サーバーに接続中　　　");
    EXPECT_EQ(ConnectingText(20), "サーバーに接続中・　　");
    EXPECT_EQ(ConnectingText(39), "サーバーに接続中・　　");
    EXPECT_EQ(ConnectingText(40), "サーバーに接続中・・　");
    EXPECT_EQ(ConnectingText(79), "サーバーに接続中・・・");
    EXPECT_EQ(ConnectingText(80), "サーバーに接続中　　　");
    // Full-width blanks keep every form the same width.
    EXPECT_EQ(ConnectingText(0).size(), ConnectingText(60).size());
}

TEST(LobbyText, TheMaintenanceTextIsCutAtEveryBreak) {
    EXPECT_EQ(SplitMaintenanceRows("A<br>B<br>"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(SplitMaintenanceRows("A<br><br>B"), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(SplitMaintenanceRows("Closed until 18:00"), (std::vector<std::string>{"Closed until 18:00"}));
    EXPECT_TRUE(SplitMaintenanceRows("").empty());
    EXPECT_EQ(ErrorRows(9, "A<br>B<br>").size(), 2u);
    EXPECT_TRUE(ErrorRows(9, "").empty());
}

TEST(LobbyText, ErrorRowsByCode) {
    EXPECT_EQ(ErrorRows(3, ""), (std::vector<std::string>{" 通信エラーが発生しました。", "(エラーコード:3)"}));
    EXPECT_EQ(ErrorRows(2, ""), (std::vector<std::string>{" サーバーへの接続に失敗しました。", "(エラーコード:2)"}));
    const std::vector<std::string> version = ErrorRows(8, "ignored");
    ASSERT_EQ(version.size(), 4u);
    EXPECT_EQ(version[0], " 最新版にバージョンアップしてください。");
    EXPECT_NE(version[2].find("http://"), std::string::npos);
}

TEST(LobbyText, TheStartWarningNamesMembersAndThenOthers) {
    const std::vector<std::string> five = StartWarningRows({"a", "b", "c", "d", "e"});
    ASSERT_EQ(five.size(), 7u);
    EXPECT_EQ(five[0], "UDPポートが空いていない可能性がある");
    EXPECT_EQ(five[1], "ドライバーがいます");
    EXPECT_EQ(five[2], "a");
    EXPECT_EQ(five[6], "他...");
    const std::vector<std::string> three = StartWarningRows({"a", "b", "c"});
    ASSERT_EQ(three.size(), 5u);
    EXPECT_EQ(three.back(), "c");
    const std::vector<std::string> four = StartWarningRows({"a", "b", "c", "d"});
    EXPECT_EQ(four.back(), "d") << "nobody else: no \"others\" row";
}

TEST(LobbyText, TheHelpIsNineRowsOfFiftyBytes) {
    ASSERT_EQ(HelpRows().size(), 9u);
    for (const std::string& row : HelpRows()) EXPECT_EQ(row.size(), 50u) << row;
}

TEST(LobbyText, CommandWordsAreUpperCasedAndEndAtAnAsciiOrFullWidthBlank) {
    EXPECT_EQ(ParseChatCommand("/room").word, "ROOM");
    EXPECT_EQ(ParseChatCommand("/RoOm").word, "ROOM");
    EXPECT_EQ(ParseChatCommand("/HELPX").word, "HELPX");
    EXPECT_EQ(ParseChatCommand("/").word, "");
    EXPECT_EQ(ParseChatCommand("/ help").word, "");
    const ChatCommand tell = ParseChatCommand("/TELL　こんにちは there");
    EXPECT_EQ(tell.word, "TELL");
    EXPECT_EQ(tell.argument, "こんにちは there");
    const ChatCommand ascii = ParseChatCommand("/tell hi　you");
    EXPECT_EQ(ascii.word, "TELL");
    EXPECT_EQ(ascii.argument, "hi　you");
    EXPECT_EQ(ParseChatCommand("/comment").argument, "");
}

TEST(LobbyText, ABlankIsFoundByWholeCharactersNeverInsideOne) {
    // 0x81 0x81 is one character; its trail byte and the '@' after it look like a full-width blank.
    const std::string line = "/\x81\x81@ rest";
    size_t length = 0;
    EXPECT_EQ(FindCommandBlank(line, &length), 4u);
    EXPECT_EQ(length, 1u);
    EXPECT_EQ(ParseChatCommand(line).argument, "rest");
    // Lower-case ASCII inside a double-byte character is never changed ('a' as a trail byte).
    EXPECT_EQ(ParseChatCommand("/\x83"
                               "a")
                  .word,
              "\x83"
              "a");
}

TEST(LobbyText, AChatLineIsSplitOnceAtACharacterBoundary) {
    const std::string text(96, 'x');
    ChatSplit s = SplitChatText(text, 60);
    EXPECT_EQ(s.first.size(), 60u);
    EXPECT_EQ(s.rest.size(), 36u);
    s = SplitChatText("abc", 60);
    EXPECT_EQ(s.first, "abc");
    EXPECT_TRUE(s.rest.empty());
    // A double-byte character across the split point moves whole to the second part.
    s = SplitChatText("abcあい", 4);
    EXPECT_EQ(s.first, "abc");
    EXPECT_EQ(s.rest, "あい");
    // A trail byte that looks like a lead byte (ャ is 0x83 0x83) is not taken for one.
    s = SplitChatText("abャcd", 4);
    EXPECT_EQ(s.first, "abャ");
    EXPECT_EQ(s.rest, "cd");
}

TEST(LobbyText, StampsShowTheTimeWithinADayAndTheDateAfter) {
    const int64_t now = 1700000000;
    char expected[32];
    std::time_t t = static_cast<std::time_t>(now - 60);
    std::tm local{};
    localtime_r(&t, &local);
    std::strftime(expected, sizeof expected, " (%H:%M)", &local);
    EXPECT_EQ(ChatStamp(now - 60, now), expected);
    EXPECT_EQ(ChatStamp(now + 3600, now).substr(0, 2), " (") << "a future line shows the hour form";
    EXPECT_EQ(ChatStamp(now + 3600, now).size(), 8u);
    t = static_cast<std::time_t>(now - 86400);
    localtime_r(&t, &local);
    std::strftime(expected, sizeof expected, " (%m/%d)", &local);
    EXPECT_EQ(ChatStamp(now - 86400, now), expected);
    EXPECT_EQ(ChatStamp(0, now), "");
    EXPECT_EQ(ChatStamp(-5, now), "");
}

TEST(LobbyText, TheStampIsAddedWhenItFitsOrTheLineIsSplitAnyway) {
    const std::string stamp = " (12:34)";
    EXPECT_EQ(WithStamp(std::string(60, 'a'), stamp, 60), std::string(60, 'a')) << "exactly the line length";
    EXPECT_EQ(WithStamp(std::string(52, 'a'), stamp, 60), std::string(52, 'a') + stamp);
    EXPECT_EQ(WithStamp(std::string(53, 'a'), stamp, 60), std::string(53, 'a'));
    EXPECT_EQ(WithStamp(std::string(96, 'a'), stamp, 60), std::string(96, 'a') + stamp);
    const ChatSplit s = SplitChatText(WithStamp(std::string(96, 'a'), stamp, 60), 60);
    EXPECT_EQ(s.first.size() + s.rest.size(), 104u);
}

TEST(LobbyText, LevelsExperienceAndMarks) {
    EXPECT_EQ(ShownLevel(60), 50);
    EXPECT_EQ(ShownLevel(0), 1);
    EXPECT_EQ(ShownLevel(-3), 1);
    EXPECT_EQ(ShownExperience(-5), 0);
    EXPECT_EQ(ShownExperience(150), 99);
    EXPECT_STREQ(ReachabilityMark(0), "…");
    EXPECT_STREQ(ReachabilityMark(1), "○");
    EXPECT_STREQ(ReachabilityMark(2), "×");
    EXPECT_STREQ(ReachabilityMark(7), "?");
    EXPECT_EQ(NumberText(5, "周"), "5周");
}
