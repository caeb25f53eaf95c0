// Lobby log: a run empties the file once, later lines append; long lines are cut.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "lobbyclient/LobbyLog.h"
#include "lobbyclient/TestDir.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(LobbyLog, EachRunStartsTheFileAfreshAndAppendsAfterwards) {
    const std::string path = "trace.log";
    std::ofstream(path) << "left from an earlier run\n";
    {
        lobby::CLogFile run1(path);
        EXPECT_EQ(ReadFile(path), "left from an earlier run\n");  // untouched until the first line
        run1.Write("Lobby thread starting...\n");
        run1.Write("Lobby thread finishing...\n");  // a second visit in the same run
    }
    std::string text = ReadFile(path);
    EXPECT_EQ(text.find("earlier"), std::string::npos);
    ASSERT_EQ(text.front(), '[');
    EXPECT_NE(text.find("] Lobby thread starting...\n["), std::string::npos);
    EXPECT_NE(text.find("] Lobby thread finishing...\n"), std::string::npos);

    lobby::CLogFile run2(path);
    run2.Write("Lobby initializing...\n");
    text = ReadFile(path);
    EXPECT_EQ(text.find("starting"), std::string::npos);
    EXPECT_NE(text.find("Lobby initializing..."), std::string::npos);
}

TEST(LobbyLog, ProcessLogCutsLongMessagesAt1024Bytes) {
    const std::string longText(3000, 'x');
    lobby::Log("Lobby http request error. \"%s\"\n", longText.c_str());
    lobby::Log("Lobby recv size overflow. (%d)\n", 20481);
    const std::string text = lobbytest::ReadNetworkLog();
    const size_t x = text.find('x');
    ASSERT_NE(x, std::string::npos);
    const size_t open = text.rfind('"', x);
    const size_t next = text.find('[', x);
    ASSERT_NE(next, std::string::npos);
    // The message (from "Lobby" on) was cut to 1023 characters and no line end.
    EXPECT_EQ(next - text.rfind("Lobby", open), 1023u);
    EXPECT_NE(text.find("] Lobby recv size overflow. (20481)\n"), std::string::npos);
}

}  // namespace
