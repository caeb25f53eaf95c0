// TestDir.h -- helpers for tests that read the library's "network.log".
#pragma once
#include <string>

namespace lobbytest {

// The text of "network.log" in the working folder (each test process works in
// a fresh temporary folder, so parallel tests never share the file).
std::string ReadNetworkLog();
bool LogHas(const std::string& line);

}  // namespace lobbytest
